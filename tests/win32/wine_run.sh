#!/bin/sh
# SPDX-License-Identifier: MIT
# Runs a Windows test program under Wine in a prefix with the null graphics
# driver, made once: wine_run.sh <wine-prefix script> <prefix> <wine> <program> [args]
set -eu
script=$1 prefix=$2 wine=$3
shift 3
sh "$script" "$prefix" null
export WINEPREFIX="$prefix" WINEDEBUG=-all
# The program's own exit status: wineserver is left running for the next run,
# never killed (which would turn any status into 0).
exec "$wine" "$@"
