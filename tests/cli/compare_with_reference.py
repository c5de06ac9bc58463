#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Runs a cross-built bitscope-cli and a native one over the same corpus of hard cases and
requires the same answers, byte for byte.

The native program's numbers are checked against MPFR by the engine's own test suites; a
build for a system without MPFR (Windows) inherits that check through this comparison. The
corpus covers every format: exact values and the ties between neighbours (decided by the
last digit or by one far behind it), subnormals, the overflow threshold, huge and tiny
exponents, long inputs, and random encodings of every class given as bits and in hex.

  compare_with_reference.py --reference NATIVE --candidate [EMULATOR] PROGRAM
"""
import argparse
import random
import subprocess
import sys

# k, p, emin, emax of each format, written out here rather than taken from the program.
FORMATS = {
    "16": (16, 11, -14, 15),
    "bf16": (16, 8, -126, 127),
    "32": (32, 24, -126, 127),
    "64": (64, 53, -1022, 1023),
    "128": (128, 113, -16382, 16383),
}


def decimal_of(mantissa, exponent):
    """mantissa * 2^exponent as exact decimal text, in scientific notation."""
    if mantissa == 0:
        return "0"
    if exponent >= 0:
        digits, power = str(mantissa << exponent), 0
    else:
        digits, power = str(mantissa * 5 ** -exponent), exponent
    return f"{digits[0]}.{digits[1:] or '0'}e{len(digits) - 1 + power}"


def values_of(fmt, rng, count):
    """Finite values of the format as (mantissa, exponent) pairs with an integer mantissa."""
    k, p, emin, emax = fmt
    lowest = emin - p + 1  # the exponent of the smallest subnormal
    fixed = [
        (1, lowest),                          # smallest subnormal
        ((1 << (p - 1)) - 1, lowest),         # largest subnormal
        (1 << (p - 1), lowest),               # smallest normal
        ((1 << p) - 1, emax - p + 1),         # largest finite
        (1, 0),
        ((1 << p) - 1, -p),                   # just below 1
    ]
    randoms = []
    for _ in range(count):
        if rng.random() < 0.3:
            randoms.append((rng.randrange(1, 1 << (p - 1)), lowest))  # subnormal
        else:
            randoms.append((rng.randrange(1 << (p - 1), 1 << p), rng.randrange(lowest, emax - p + 2)))
    return fixed + randoms


def decimal_corpus(fmt, rng):
    k, p, emin, emax = fmt
    lines = ["0", "-0", "1", "-1", "0.1", "-0.1", "1.5", "3.25E+2", "123456.789d-3", "1q-3", " 2.5",
             "1,5", "7/8", "+.5", "-.5e-3", ".", "-", "", "   ", "abc", "1e", "1e+", "inf", "-Inf",
             "NaN", "-nan", "+Infinity", "1e999999999", "-1e999999999", "1e-999999999",
             "1e+2147483648", "1e-2147483649", "9" * 5000 + "e-5000", "0." + "0" * 3000 + "1"]
    for mantissa, exponent in values_of(fmt, rng, 120):
        sign = "-" if rng.random() < 0.25 else ""
        lines.append(sign + decimal_of(mantissa, exponent))
        # The tie above this value, then the same tie broken by a digit far behind it.
        tie = decimal_of(2 * mantissa + 1, exponent - 1)
        significand, power = tie.split("e")
        lines.append(sign + tie)
        lines.append(sign + significand + "0" * 60 + "1e" + power)
        lines.append(sign + significand[:-1] + str(int(significand[-1]) - 1) + "9" * 60 + "e" + power
                     if significand[-1] != "0" else sign + significand + "e" + power)
    # The overflow threshold: the tie between the largest finite value and 2^(emax+1).
    threshold = decimal_of((1 << (p + 1)) - 1, emax - p)
    lines += [threshold, threshold.replace("e", "0000000000000000000001e"), "-" + threshold]
    # Random decimal texts across the range, short and long.
    span = int((emax + p) * 0.30103) + 5
    for _ in range(150):
        digits = "".join(rng.choice("0123456789") for _ in range(rng.choice([1, 3, 9, 17, 21, 36, 40, 120, 1000])))
        point = rng.randrange(len(digits) + 1)
        lines.append(f"{digits[:point]}.{digits[point:]}E{rng.randrange(-span, span)}")
    return lines


def pattern_corpus(fmt, rng):
    """Random encodings: a third with the exponent field zero, some all ones."""
    k, p, emin, emax = fmt
    w = k - p
    exponent_mask = ((1 << w) - 1) << (p - 1)
    patterns = [0, 1, exponent_mask, exponent_mask | 1, (1 << k) - 1, 1 << (k - 1)]
    for _ in range(300):
        bits = rng.getrandbits(k)
        choice = rng.randrange(8)
        if choice < 3:
            bits &= ~exponent_mask
        elif choice == 3:
            bits |= exponent_mask
        patterns.append(bits)
    return patterns


def runs_for(name, fmt, rng):
    k = fmt[0]
    decimals = decimal_corpus(fmt, rng)
    patterns = pattern_corpus(fmt, rng)
    bits = [format(b, f"0{k}b") for b in patterns] + ["1", "0 1_1", "2", "1" * (k + 1)]
    hexes = [format(b, f"0{k // 4}X") for b in patterns] + ["0x" + "0" * (k // 4), "abc", ""]
    base = ["--format", name]
    return [
        (base + ["--json", "--exact"], decimals),
        (base + ["--lang", "ro"], decimals),
        (base + ["--json", "--exact", "--bits"], bits),
        (base + ["--json", "--lang", "ro", "--hex"], hexes),
    ]


def run(command, lines):
    data = "".join(line + "\n" for line in lines).encode("ascii")
    done = subprocess.run(command, input=data, capture_output=True, timeout=900)
    return done.returncode, done.stdout


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--reference", required=True)
    parser.add_argument("--candidate", nargs="+", required=True)
    parser.add_argument("--seed", type=int, default=20260)
    args = parser.parse_args()
    rng = random.Random(args.seed)
    if hasattr(sys, "set_int_max_str_digits"):
        sys.set_int_max_str_digits(0)  # the exact values of Binary128 run to 11,500 digits

    values = failures = 0
    for name, fmt in FORMATS.items():
        for options, lines in runs_for(name, fmt, rng):
            expected = run([args.reference] + options, lines)
            got = run(args.candidate + options, lines)
            values += len(lines)
            if expected == got:
                continue
            failures += 1
            print(f"FAIL {' '.join(options)}: exit {got[0]}, the native program's {expected[0]}")
            want, have = expected[1].split(b"\n"), got[1].split(b"\n")
            shown = 0
            for i in range(max(len(want), len(have))):
                a = want[i] if i < len(want) else b"<none>"
                b = have[i] if i < len(have) else b"<none>"
                if a != b and shown < 3:
                    at = next((j for j in range(min(len(a), len(b))) if a[j] != b[j]), min(len(a), len(b)))
                    start = max(0, at - 80)
                    print(f"  line {i + 1}, byte {at + 1}:\n    native: {a[start:at + 80]!r}\n"
                          f"    this:   {b[start:at + 80]!r}")
                    shown += 1
    print(f"{values} values in {len(FORMATS) * 4} runs, {failures} runs differ")
    return 1 if failures or values == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
