#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The manual pages against the program and its manual.

  check_manual.py --render PAGE.1 ...
      each page renders with man --warnings and not a single warning
  check_manual.py --options --cli [EMULATOR] BITSCOPE_CLI --markdown docs/cli.md --page bitscope-cli.1.scd
      the options of bitscope-cli --help, of docs/cli.md's option table and of the manual page's
      OPTIONS section are the same set: none of the three may drift from the others (a program
      built for another processor is started through the emulator given before it)
"""
import argparse
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])(--?[a-z][a-z0-9-]*|--)(?![\w-])")


def options_of_help(cli):
    usage = subprocess.run([*cli, "--help"], check=True, capture_output=True, text=True).stdout
    # The option lines are indented and start with an option; their description follows after
    # a run of blanks.
    terms = [re.split(r"\s{2,}", l.strip())[0] for l in usage.splitlines() if re.match(r"^\s+-", l)]
    return {m for term in terms for m in OPTION.findall(term)}


def options_of_markdown(path):
    text = open(path, encoding="utf-8").read()
    table = text.split("| option | meaning |", 1)[1].split("\n\n", 1)[0]
    found = set()
    for row in table.splitlines()[2:]:
        first_cell = row.split("|")[1]
        found |= {m for m in re.findall(r"`([^`]+)`", first_cell) for m in OPTION.findall(m)}
    return found


def options_of_page(path):
    text = open(path, encoding="utf-8").read()
    section = text.split("# OPTIONS", 1)[1].split("\n# ", 1)[0]
    found = set()
    for line in section.splitlines():
        if line.startswith("*-"):  # a term line: *-f* _N_, *--format* _N_
            found |= {m for m in re.findall(r"\*([^*]+)\*", line) for m in OPTION.findall(m)}
    return found


def check_render(pages):
    bad = 0
    for page in pages:
        run = subprocess.run(["man", "--warnings", "-l", page], capture_output=True, text=True,
                             env={"MANWIDTH": "80", "PATH": "/usr/bin:/bin", "LC_ALL": "C.UTF-8"})
        if run.returncode != 0 or run.stderr.strip() or "NAME" not in run.stdout:
            print(f"{page}: man --warnings says:\n{run.stderr}", file=sys.stderr)
            bad += 1
    return bad


def check_options(cli, markdown, page):
    sources = {"bitscope-cli --help": options_of_help(cli), markdown: options_of_markdown(markdown),
               page: options_of_page(page)}
    union = set().union(*sources.values())
    bad = 0
    for name, found in sources.items():
        if not found:
            print(f"{name}: no options found (has its layout changed?)", file=sys.stderr)
            bad += 1
        elif found != union:
            print(f"{name} lacks {sorted(union - found)}", file=sys.stderr)
            bad += 1
    return bad


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--render", nargs="+")
    parser.add_argument("--options", action="store_true")
    parser.add_argument("--cli", nargs="+")
    parser.add_argument("--markdown")
    parser.add_argument("--page")
    args = parser.parse_args()
    bad = check_render(args.render) if args.render else 0
    if args.options:
        bad += check_options(args.cli, args.markdown, args.page)
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
