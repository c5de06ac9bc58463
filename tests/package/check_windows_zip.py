#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks the Windows zip and the programs in it.

  check_windows_zip.py --zip ZIP --objdump OBJDUMP --programs NAME.exe...

The zip holds one folder with exactly the programs named, the two help guides, LICENSE.txt
and README.txt (both with CR LF line ends). Each program is a 64-bit Windows program that
imports only DLLs every Windows 10 and 11 has: no C++ runtime, thread or quad-precision
library of the compiler, which are linked into the program itself.
"""
import argparse
import re
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

# The system's own libraries (oleacc.dll: the accessibility that screen readers use), and the C
# runtime in both of its forms.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
               "shell32.dll", "advapi32.dll", "ole32.dll", "oleaut32.dll", "oleacc.dll",
               "msvcrt.dll", "ucrtbase.dll"}


def allowed(dll):
    name = dll.lower()
    return name in SYSTEM_DLLS or name.startswith("api-ms-win-crt-")


def imported_dlls(objdump, program):
    dump = subprocess.run([objdump, "-p", str(program)], capture_output=True, text=True, check=True).stdout
    if "file format pei-x86-64" not in dump:
        raise SystemExit(f"{program.name}: not a 64-bit Windows program")
    return re.findall(r"^\s*DLL Name: (\S+)$", dump, re.MULTILINE)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--zip", required=True, type=Path)
    parser.add_argument("--objdump", required=True)
    parser.add_argument("--programs", nargs="+", required=True)
    args = parser.parse_args()

    problems = []
    folder = args.zip.name.removesuffix(".zip")
    expected = set(args.programs) | {"VAZ&I-en.pdf", "VAZ&I-ro.pdf", "LICENSE.txt", "README.txt"}
    with zipfile.ZipFile(args.zip) as archive, tempfile.TemporaryDirectory() as scratch:
        names = [n for n in archive.namelist() if not n.endswith("/")]
        outside = [n for n in names if not n.startswith(folder + "/")]
        if outside:
            problems.append(f"outside the folder {folder}/: {outside}")
        held = {n.removeprefix(folder + "/") for n in names}
        if held != expected:
            problems.append(f"missing {sorted(expected - held)}, unexpected {sorted(held - expected)}")
        for text in ("LICENSE.txt", "README.txt"):
            if text in held:
                data = archive.read(f"{folder}/{text}")
                if not data or data.count(b"\n") != data.count(b"\r\n"):
                    problems.append(f"{text}: not every line ends in CR LF")
        for program in args.programs:
            if program not in held:
                continue
            path = Path(archive.extract(f"{folder}/{program}", scratch))
            dlls = imported_dlls(args.objdump, path)
            foreign = [d for d in dlls if not allowed(d)]
            if foreign or not dlls:
                problems.append(f"{program} imports {foreign or 'nothing'}")
            print(f"{program}: {path.stat().st_size} bytes, imports {', '.join(dlls)}")
    for problem in problems:
        print("FAIL", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
