#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks a printed help document: every font embedded and one of the Liberation fonts that the
style sheet names (any other font stands in for a glyph they lack), the window's own texts of its
language present, no character the fonts could not show, Romanian without diacritics, and every
short figure of its source still readable in the PDF text.

    check_help_pdfs.py --lang en|ro --source guide-en.html.in --pdffonts P --pdftotext P DOC.pdf
"""
import argparse
import os
import re
import subprocess
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_help_figures import Figures  # noqa: E402

# Texts of the window that each guide must quote, as the window shows them.
WINDOW_TEXTS = {
    "en": ["Invalid Value", "Binary: X+ -", "All Fields", "Current Field (click a field)", "Field Width",
           "Normalized Number: Real(4)", "Denormalized Number", "Not-a-Number", "Signed Infinity",
           "Representation Exponent (E)", "Invalid input for bit !", "1 Bit in Excess !", "ABOUT",
           "Floating-Point Data - Summary", "VAZ&I-en.pdf"],
    "ro": ["Invalid Value", "Binar: X+ -", "Toate campurile", "Campul curent (click pe un camp)", "Latime camp",
           "Numar normalizat: Real(4)", "Numar denormalizat", "Non-Numar", "Infinit cu semn",
           "Exponentul reprezentarii (E)", "Valoare invalida pentru bit !", "1 Bit in plus !", "DESPRE",
           "Floating-Point Data - Summary", "VAZ&I-ro.pdf"],
}
DIACRITICS = set("ăâîșşțţĂÂÎȘŞȚŢ")
SHORT_FIGURE = 24  # longer figures may be broken across lines by the layout


def font_problems(pdffonts, pdf):
    out = subprocess.run([pdffonts, pdf], capture_output=True, text=True, check=True).stdout.splitlines()
    rows = [line.split() for line in out[2:] if line.strip()]
    if not rows:
        return ["no fonts at all"]
    problems = []
    # The last five columns are emb, sub, uni, object number and generation.
    for row in rows:
        if row[-5] != "yes":
            problems.append("font not embedded: " + " ".join(row[:-5]))
        if "Liberation" not in row[0]:
            problems.append("font other than Liberation: " + row[0])
    return problems


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--lang", required=True, choices=WINDOW_TEXTS)
    ap.add_argument("--source", required=True)
    ap.add_argument("--pdffonts", required=True)
    ap.add_argument("--pdftotext", required=True)
    ap.add_argument("pdf")
    args = ap.parse_args()
    problems = []

    problems += font_problems(args.pdffonts, args.pdf)

    text = subprocess.run([args.pdftotext, "-enc", "UTF-8", args.pdf, "-"], capture_output=True, text=True,
                          check=True).stdout
    flat = " ".join(text.split())
    for phrase in WINDOW_TEXTS[args.lang]:
        if phrase not in flat:
            problems.append("window text missing: %r" % phrase)
    if "\ufffd" in text:
        problems.append("a character the fonts could not show (U+FFFD)")
    if args.lang == "ro":
        found = sorted(set(text) & DIACRITICS)
        if found:
            problems.append("Romanian diacritics, which the window does not use: " + "".join(found))

    parser = Figures()
    with open(args.source, encoding="utf-8") as f:
        parser.feed(f.read())
    shown = flat.replace("\u2212", "-")
    figures = [" ".join(t.split()).replace("\u2212", "-") for *_, t in parser.found]
    short = [t for t in figures if t and len(t) <= SHORT_FIGURE and " " not in t and re.search(r"\d", t)]
    for figure in sorted(set(short)):
        if figure not in shown:
            problems.append("figure of the source not found in the PDF text: %r" % figure)

    for problem in problems:
        print("%s: %s" % (os.path.basename(args.pdf), problem))
    print("%s: %d short figures and %d window texts looked for, %d problems"
          % (os.path.basename(args.pdf), len(set(short)), len(WINDOW_TEXTS[args.lang]), len(problems)))
    return 1 if problems or not short else 0


if __name__ == "__main__":
    sys.exit(main())
