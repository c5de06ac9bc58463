#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks every marked figure of the help documents against exact arithmetic.

A figure is an element with a data-q attribute (the quantity); the format and X come from the
nearest data-f (4, 8, 16) and data-x (the text typed for X, a hex encoding "0x...", or one of
"min-sub", "min-normal", "max") on the element or an ancestor, and the language from the
nearest lang attribute. The element's text must equal what the window shows for that quantity.

    check_help_figures.py [--min N] FILE...      every figure of every file; at least N per file
    check_help_figures.py --cli PATH FILE...     the same figures as bitscope-cli prints them
    check_help_figures.py --self-test            the exact model against this machine's doubles
"""
import argparse
import html.parser
import json
import math
import os
import random
import struct
import subprocess
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fpexact as fp  # noqa: E402

VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source", "track", "wbr"}

CAPTIONS = {
    "en": {
        "cap-significand": "Significand",
        "cap-delta-pos": "Delta (Smallest): X + Delta > X",
        "cap-delta-other": "Delta (Smallest): |X| + Delta > |X|",
        "exponent-base": "Representation Exponent",
        "bin-tail": "Significand: last 16 bits",
    },
    "ro": {
        "cap-significand": "Semnificand",
        "cap-delta-pos": "Delta (minim):  X + Delta > X",
        "cap-delta-other": "Delta (minim): |X| + Delta > |X|",
        "exponent-base": "Exponentul reprezentarii",
        "bin-tail": "Semnificand: ultimii 16 biti",
    },
}


NAN_NAMES = {"NaN", "Nan", "nan", "naN", "+Na", "+na", "-Na", "-na"}
INF_NAMES = {"Inf", "inf", "+In", "+in", "-In", "-in"}


def named_special(fmt, x):
    """The encoding the X box shows for an infinity or NaN typed by name (its first three
    characters decide), or None for any other text."""
    head = x[:3]
    sign = 1 if head.startswith("-") else 0
    if head in NAN_NAMES:
        t_field = (1 << fmt.t) - 1
    elif head in INF_NAMES:
        t_field = 0
    else:
        return None
    return (sign << (fmt.k - 1)) | (((1 << fmt.w) - 1) << fmt.t) | t_field


def encoding_of(fmt, x):
    """The encoding the document means by data-x, or None when the window would refuse it."""
    if x == "min-sub":
        return fp.encode_exact(fmt, 0, fmt.min_subnormal)
    if x == "min-normal":
        return fp.encode_exact(fmt, 0, fmt.min_normal)
    if x == "max":
        return fp.encode_exact(fmt, 0, fmt.max_finite)
    if x.startswith("0x"):
        return int(x, 16)
    bits = fp.read_decimal(fmt, x)
    if bits is None or fp.decode(fmt, bits)[0] == "inf":
        return None
    return bits


def exact_decimal(q):
    """All digits of a dyadic rational."""
    sign = "-" if q < 0 else ""
    q = abs(q)
    k = q.denominator.bit_length() - 1
    assert q.denominator == 1 << k
    digits = str(q.numerator * 5 ** k).rjust(k + 1, "0")
    return sign + (digits[:-k] + "." + digits[-k:] if k else digits)


def powers_of_two(q):
    """A positive dyadic rational as the sum of its powers of two, largest first: "2-24+2-47"."""
    terms = []
    while q > 0:
        e = fp.floor_log2(q)
        terms.append("2" + str(e))
        q -= fp.Fraction(2) ** e
    return "+".join(terms)


def positive(fmt, bits):
    v = fp.decode(fmt, bits)
    return v[0] == "fin" and v[1] == 0 and v[2] > 0


def expected(fmt, x, q, lang):
    bits = encoding_of(fmt, x)
    if q == "read":
        special = named_special(fmt, x)
        if special is not None:
            return " ".join(fp.fields(fmt, special))
        return "Invalid Value" if bits is None else " ".join(fp.fields(fmt, bits))
    if bits is None:
        raise ValueError("X = %r is not a value of Binary%d" % (x, fmt.k))
    s, e, t = fp.fields(fmt, bits)
    cap = CAPTIONS[lang]
    nd = lambda b: fp.neighbour_decimal(fmt, b)
    simple = {
        "s": lambda: s, "e": lambda: e, "t": lambda: t, "t1": lambda: t[:48], "t2": lambda: t[48:],
        "bits": lambda: " ".join((s, e, t)),
        "xdisplay": lambda: fp.x_display(fmt, bits),
        "value": lambda: nd(bits),
        "exact": lambda: exact_decimal(fp.signed(fp.decode(fmt, bits))),
        "exponent": lambda: str(fp.unbiased_exponent(fmt, bits)),
        "significand": lambda: fp.significand_style(fmt, bits),
        "ulp": lambda: nd(fp.encode_exact(fmt, 0, fp.ulp(fmt, bits))),
        "ulp-pow": lambda: powers_of_two(fp.ulp(fmt, bits)),
        "xplus": lambda: nd(fp.next_up(fmt, bits)),
        "xminus": lambda: nd(fp.next_down(fmt, bits)),
        "xplus-bin": lambda: fp.binary_neighbour(fmt, fp.next_up(fmt, bits)),
        "xminus-bin": lambda: fp.binary_neighbour(fmt, fp.next_down(fmt, bits)),
        "delta": lambda: fp.delta_style(fmt, fp.encode_exact(fmt, 0, fp.delta(fmt, bits))),
        "delta-pow": lambda: powers_of_two(fp.delta(fmt, bits)),
        "xpd": lambda: fp.delta_style(fmt, fp.x_plus_delta(fmt, bits)),
        "type": lambda: fp.data_type(fmt, bits, lang == "en"),
        "parity": lambda: {("en", 0): "even", ("en", 1): "odd", ("ro", 0): "par", ("ro", 1): "impar"}[(lang, bits & 1)],
        "cap-exponent": lambda: cap["exponent-base"] + (
            " (Emin)" if "1" not in e[:-1] else " (Emax)" if "0" not in e[:-1] else " (E)"),
        "cap-significand": lambda: cap["cap-significand"],
        "cap-ulp": lambda: "ULP(X)",
        "cap-xplus": lambda: "Nearest, > X",
        "cap-xminus": lambda: "Nearest, < X",
        "cap-xplus-bin": lambda: "Nearest > X  (S_Exp_Sig)" if fmt.nbytes == 4 else "Nearest > X; " + cap["bin-tail"],
        "cap-xminus-bin": lambda: "Nearest < X  (S_Exp_Sig)" if fmt.nbytes == 4 else (
            "Nearest < X" + ("," if fmt.nbytes == 8 else ";") + " " + cap["bin-tail"]),
        "cap-delta": lambda: cap["cap-delta-pos"] if positive(fmt, bits) else cap["cap-delta-other"],
        "cap-xpd": lambda: "X + Delta" if positive(fmt, bits) else "|X| + Delta",
    }
    if q not in simple:
        raise ValueError("unknown quantity %r" % q)
    return simple[q]()


def normalise(text, q):
    """Layout aside (line breaks, runs of blanks, break hints), a figure reads as the window shows
    it; captions keep their inner double blanks, and powers of two are compared without blanks."""
    text = text.replace("\u2212", "-").replace("\u200b", "").replace("\u00ad", "")
    if q in ("ulp-pow", "delta-pow"):
        return "".join(text.split())
    if q.startswith("cap-"):
        return text.strip()
    return " ".join(text.split())


class Figures(html.parser.HTMLParser):
    """Collects (line, format, X, quantity, language, text) for every element with data-q."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []  # open elements: (tag, attrs, text parts of a figure or None, line)
        self.found = []

    def inherited(self, name):
        for _, attrs, _, _ in reversed(self.stack):
            if name in attrs:
                return attrs[name]
        return None

    def handle_starttag(self, tag, attrs):
        if tag in VOID:
            return
        attrs = dict(attrs)
        if "xml:lang" in attrs:
            attrs["lang"] = attrs["xml:lang"]
        self.stack.append((tag, attrs, [] if "data-q" in attrs else None, self.getpos()[0]))

    def handle_startendtag(self, tag, attrs):
        pass  # an empty element holds no figure

    def handle_endtag(self, tag):
        if tag in VOID or not any(entry[0] == tag for entry in self.stack):
            return
        while True:
            top_tag, attrs, parts, line = self.stack[-1]
            if parts is not None:
                self.found.append((line, self.inherited("data-f"), self.inherited("data-x"), attrs["data-q"],
                                   self.inherited("lang"), "".join(parts)))
            self.stack.pop()
            if top_tag == tag:
                break

    def handle_data(self, data):
        for _, _, parts, _ in self.stack:
            if parts is not None:
                parts.append(data)


def check_files(paths, minimum):
    failures = 0
    total = 0
    for path in paths:
        parser = Figures()
        with open(path, encoding="utf-8") as f:
            parser.feed(f.read())
        parser.close()
        count = 0
        for line, f_attr, x, q, lang, text in parser.found:
            where = "%s:%d" % (os.path.basename(path), line)
            try:
                if f_attr is None or x is None or lang not in ("en", "ro"):
                    raise ValueError("figure without data-f, data-x or lang")
                fmt = fp.FORMATS[int(f_attr)]
                want = expected(fmt, x, q, lang)
            except (ValueError, KeyError) as error:
                print("%s: %s (q=%s, x=%s)" % (where, error, q, x))
                failures += 1
                continue
            count += 1
            if normalise(text, q) != normalise(want, q):
                print("%s: Binary%d X=%s %s: the document shows %r, exact arithmetic gives %r"
                      % (where, fmt.k, x, q, text.strip(), want))
                failures += 1
        if count < minimum:
            print("%s: only %d figures found, expected at least %d" % (path, count, minimum))
            failures += 1
        total += count
    print("%d figures checked, %d wrong" % (total, failures))
    return failures == 0


def self_test():
    """The exact model against IEEE doubles of this machine: next-after, ULP, the definition of
    Delta, X + Delta and correctly rounded decimal reading, on edge values and random encodings."""
    fmt = fp.FORMATS[8]
    to_bits = lambda d: struct.unpack("<Q", struct.pack("<d", d))[0]
    rng = random.Random(20260108)
    values = [0.0, -0.0, 5e-324, 2.2250738585072014e-308, 2.225073858507201e-308, 1.0, 0.1, -1.0,
              1.7976931348623157e308, 2.0 ** -1022 + 2.0 ** -1074, 3.0, 0.75]
    values += [struct.unpack("<d", struct.pack("<Q", rng.getrandbits(64)))[0] for _ in range(2000)]
    bad = 0
    for x in values:
        if math.isnan(x) or math.isinf(x):
            continue
        b = to_bits(x)
        d = float(fp.delta(fmt, b))
        checks = [
            fp.next_up(fmt, b) == to_bits(math.nextafter(x, math.inf)),
            fp.next_down(fmt, b) == to_bits(math.nextafter(x, -math.inf)),
            float(fp.ulp(fmt, b)) == math.ulp(abs(x)),
            abs(x) + d > abs(x),
            not abs(x) + math.nextafter(d, 0.0) > abs(x),
            fp.x_plus_delta(fmt, b) == to_bits(x + d),
            x == 0 or fp.read_decimal(fmt, repr(x)) == b,
            fp.neighbour_decimal(fmt, b).replace("D", "e") == "%.16e" % x,
        ]
        if not all(checks):
            print("model and hardware disagree at %r: %s" % (x, checks))
            bad += 1
    print("%d values compared, %d disagreements" % (len(values), bad))
    return bad == 0


# What bitscope-cli --json calls each quantity; the others have no counterpart there.
CLI_KEYS = {
    "s": "S", "e": "E", "t": "T", "xdisplay": "x", "type": "type", "exponent": "exponent",
    "significand": "significand", "ulp": "ulp", "xplus": "next_up", "xminus": "next_down",
    "xplus-bin": "next_up_bits", "xminus-bin": "next_down_bits", "delta": "delta", "xpd": "x_plus_delta",
    "cap-exponent": "exponent_caption", "cap-delta": "delta_caption", "cap-xpd": "x_plus_delta_caption",
}
CLI_DERIVED = {"t1": lambda r: r["T"][:48], "t2": lambda r: r["T"][48:],
               "bits": lambda r: " ".join((r["S"], r["E"], r["T"])),
               "read": lambda r: "Invalid Value" if r["status"] == "invalid" else " ".join((r["S"], r["E"], r["T"]))}


def cli_record(cli, cache, fmt, x, lang):
    key = (fmt.nbytes, x, lang)
    if key not in cache:
        args = [cli, "--json", "--format", str(fmt.k), "--lang", lang]
        if x in ("min-sub", "min-normal", "max") or x.startswith("0x"):
            args += ["--bits", format(encoding_of(fmt, x), "0%db" % fmt.k)]
        else:
            args += ["--", x]
        run = subprocess.run(args, capture_output=True, text=True, timeout=60)
        lines = run.stdout.splitlines()
        if run.returncode not in (0, 1) or len(lines) != 1:
            raise RuntimeError("%s gave exit status %d and %d lines: %s" % (args, run.returncode, len(lines), run.stderr))
        cache[key] = json.loads(lines[0])
    return cache[key]


def check_cli(cli, paths):
    """Every figure that bitscope-cli also prints must read the same there."""
    cache, compared, failures = {}, 0, 0
    for path in paths:
        parser = Figures()
        with open(path, encoding="utf-8") as f:
            parser.feed(f.read())
        for line, f_attr, x, q, lang, text in parser.found:
            if q not in CLI_KEYS and q not in CLI_DERIVED:
                continue
            record = cli_record(cli, cache, fp.FORMATS[int(f_attr)], x, lang)
            shown = CLI_DERIVED[q](record) if q in CLI_DERIVED else record.get(CLI_KEYS[q])
            compared += 1
            if shown is None or normalise(shown, q) != normalise(text, q):
                print("%s:%d: Binary%s X=%s %s: the document shows %r, bitscope-cli prints %r"
                      % (os.path.basename(path), line, int(f_attr) * 8, x, q, text.strip(), shown))
                failures += 1
    print("%d figures compared with bitscope-cli (%d runs), %d differ" % (compared, len(cache), failures))
    return failures == 0 and compared > 0


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--self-test", action="store_true")
    ap.add_argument("--min", type=int, default=1)
    ap.add_argument("--cli")
    ap.add_argument("files", nargs="*")
    args = ap.parse_args()
    if args.self_test:
        return 0 if self_test() else 1
    if not args.files:
        ap.error("no files")
    if args.cli:
        return 0 if check_cli(args.cli, args.files) else 1
    return 0 if check_files(args.files, args.min) else 1


if __name__ == "__main__":
    sys.exit(main())
