#!/bin/sh
# SPDX-License-Identifier: MIT
# The end-to-end run of bitscope.exe: Wine with its X11 driver on a virtual
# display. end_to_end.sh <wine-prefix script> <prefix> <wine> <probe.exe> <bitscope.exe>
set -eu
script=$1 prefix=$2 wine=$3 probe=$4 program=$5
if ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: xvfb-run is not installed, so the program has no display to show its window on"
  exit 77
fi
sh "$script" "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all
exec xvfb-run -a -s "-screen 0 1024x768x24" "$wine" "$probe" "$program"
