#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Start-up of the desktop program next to its floor, on Qt's offscreen platform.

    bench/startup.py [build folder] [runs]

The floor is bench/startup/floor_dialog.cpp: a minimal Qt program that shows a QDialog with
as many labels, edit boxes, push, radio and check buttons, group boxes and lists as the main
window's template (dialog 101 of resources/bitscope.rc) has. Both programs run `runs` times
(default 21), interleaved, after two unmeasured warm-up runs each, with the idle probe
(bench/startup/idle_probe.cpp) preloaded: it notes the moment the event loop first waits with
a window shown, then closes the window as a user would. Reported are the medians of
  - to idle: from the start of the process to that moment (start-up, window shown, painted);
  - whole run: from the start to the end of the process (the closing included);
  - CPU: the user and system time of the whole run (steadier than wall time on a busy machine);
  - peak memory: the maximum resident set size of the process;
and the program's ratios to the floor (target: at most 1.25).

Without a build folder, the release build is configured and built first (cmake --preset
release), as bench/cli_throughput.sh does.
"""
import os
import re
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def template_counts():
    """Labels, edits, push buttons, radios, check boxes, group boxes, lists of dialog 101."""
    with open(os.path.join(ROOT, "resources", "bitscope.rc"), encoding="cp1252") as f:
        script = f.read()
    body = re.search(r"^101\s+DIALOGEX.*?^BEGIN$(.*?)^END$", script, re.S | re.M).group(1)
    counts = dict.fromkeys(["label", "edit", "push", "radio", "check", "group", "list"], 0)
    for line in body.splitlines():
        m = re.match(r'\s*CONTROL\s+(?:"(?:[^"]|"")*"|\d+)\s*,\s*-?\w+\s*,\s*"?(\w+)"?\s*,\s*([^,]*),', line)
        if not m:
            continue
        cls, style = m.group(1).lower(), m.group(2)
        if cls == "button":
            kind = ("group" if "GROUPBOX" in style else "radio" if "RADIO" in style
                    else "check" if "CHECKBOX" in style else "push")
        else:
            kind = {"static": "label", "edit": "edit", "listbox": "list"}[cls]
        counts[kind] += 1
    return counts


def run_once(command, env):
    """(ms to idle, ms whole run, ms of CPU, peak RSS in MiB) of one run."""
    start = time.monotonic_ns()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    end = time.monotonic_ns()
    stderr = process.stderr.read().decode(errors="replace")
    process.stderr.close()
    process.returncode = os.waitstatus_to_exitcode(status)
    idle = re.search(r"bitscope-idle-ns (\d+)", stderr)
    if process.returncode != 0 or not idle:
        sys.exit(f"{command[0]}: exit status {process.returncode}, no idle moment\n{stderr}")
    cpu = (usage.ru_utime + usage.ru_stime) * 1e3
    return (int(idle.group(1)) - start) / 1e6, (end - start) / 1e6, cpu, usage.ru_maxrss / 1024


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else None
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    if build is None:
        build = os.path.join(ROOT, "build", "release")
        subprocess.run(["cmake", "--preset", "release"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", "--preset", "release", "--target", "bitscope", "startup_floor",
                        "bitscope_idle_probe"], cwd=ROOT, check=True, stdout=subprocess.DEVNULL)
    counts = template_counts()
    programs = {
        "bitscope": [os.path.join(build, "mainwin", "bitscope")],
        "floor": [os.path.join(build, "bench", "startup_floor")] + [str(counts[k]) for k in
                  ["label", "edit", "push", "radio", "check", "group", "list"]],
    }
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen",
               LD_PRELOAD=os.path.join(build, "bench", "libbitscope_idle_probe.so"))
    results = {name: [] for name in programs}
    for _ in range(2):
        for command in programs.values():
            run_once(command, env)
    for _ in range(runs):
        for name, command in programs.items():
            results[name].append(run_once(command, env))

    load = os.getloadavg()[0]
    print(f"start-up, offscreen, median of {runs} runs, {os.cpu_count()} cores, load {load:.2f}; "
          f"template 101: " + ", ".join(f"{v} {k}" for k, v in counts.items()))
    medians = {name: [statistics.median(r[i] for r in rows) for i in range(4)] for name, rows in results.items()}
    for name, (idle, whole, cpu, rss) in medians.items():
        print(f"  {name:9} to idle {idle:6.1f} ms   whole run {whole:6.1f} ms   CPU {cpu:6.1f} ms   "
              f"peak memory {rss:5.1f} MiB")
    program, floor = medians["bitscope"], medians["floor"]
    print("  ratio     to idle {:6.2f}      whole run {:6.2f}      CPU {:6.2f}      peak memory {:5.2f}"
          "       (target <= 1.25)".format(*(p / f for p, f in zip(program, floor))))


if __name__ == "__main__":
    main()
