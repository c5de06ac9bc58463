# SPDX-License-Identifier: MIT
"""Exact model of the IEEE 754 binary formats, for checking the figures the help documents print.

Everything here is rational arithmetic (fractions.Fraction and Python integers): a value is
rounded to a format only where the format itself would round, so the model shares no code and
no floating-point hardware with the program it checks. An encoding is a Python int of k bits.
"""
from fractions import Fraction
import re


class Format:
    def __init__(self, nbytes, w, p, exp_letter, x_digits, x_exp_digits):
        self.nbytes = nbytes
        self.k = nbytes * 8
        self.w = w
        self.p = p
        self.t = p - 1
        self.bias = 2 ** (w - 1) - 1
        self.emin = 1 - self.bias
        self.emax = self.bias
        self.min_normal = Fraction(2) ** self.emin
        self.min_subnormal = Fraction(2) ** (self.emin - self.t)
        self.max_finite = (2 - Fraction(2) ** (1 - p)) * Fraction(2) ** self.emax
        # The X display and the neighbours: digits after the point, letter, least exponent digits.
        self.x_digits = x_digits
        self.exp_letter = exp_letter
        self.x_exp_digits = x_exp_digits


FORMATS = {
    4: Format(4, 8, 24, "E", 7, 2),
    8: Format(8, 11, 53, "D", 16, 2),
    16: Format(16, 15, 113, "D", 33, 3),
}
SIGNIFICAND_DIGITS = {4: 7, 8: 15, 16: 33}


# ---- exact helpers ------------------------------------------------------------------------

def floor_log2(q):
    """floor(log2 q) for a positive rational q."""
    e = q.numerator.bit_length() - q.denominator.bit_length()
    while Fraction(2) ** e > q:
        e -= 1
    while Fraction(2) ** (e + 1) <= q:
        e += 1
    return e


def floor_log10(q):
    """floor(log10 q) for a positive rational q."""
    e = (q.numerator.bit_length() - q.denominator.bit_length()) * 30103 // 100000
    while Fraction(10) ** e > q:
        e -= 1
    while Fraction(10) ** (e + 1) <= q:
        e += 1
    return e


def round_half_even(q):
    """The integer nearest to the non-negative rational q, ties to the even one."""
    n, r = divmod(q.numerator, q.denominator)
    twice = 2 * r
    if twice > q.denominator or (twice == q.denominator and n % 2 == 1):
        n += 1
    return n


# ---- values and encodings -----------------------------------------------------------------
# A value is ("fin", sign, magnitude), ("inf", sign) or ("nan", sign); sign is 0 or 1.

def decode(fmt, bits):
    sign = bits >> (fmt.k - 1)
    e_field = (bits >> fmt.t) & ((1 << fmt.w) - 1)
    t_field = bits & ((1 << fmt.t) - 1)
    if e_field == (1 << fmt.w) - 1:
        return ("inf", sign) if t_field == 0 else ("nan", sign)
    if e_field == 0:
        return ("fin", sign, t_field * fmt.min_subnormal)
    return ("fin", sign, (Fraction(t_field, 2 ** fmt.t) + 1) * Fraction(2) ** (e_field - fmt.bias))


def round_to_format(fmt, sign, q):
    """The encoding of the real number (-1)^sign * q, rounded to nearest with ties to even."""
    if q == 0:
        return sign << (fmt.k - 1)
    # 1. The quantum of the binade of q (the subnormal spacing below the normal range).
    e = max(floor_log2(q), fmt.emin)
    quantum = Fraction(2) ** (e - fmt.t)
    # 2. Round the count of quanta; the exponent range is unbounded here, so a result of
    #    2^(emax+1) or more is an overflow to infinity.
    n = round_half_even(q / quantum)
    value = n * quantum
    if value >= Fraction(2) ** (fmt.emax + 1):
        return (sign << (fmt.k - 1)) | (((1 << fmt.w) - 1) << fmt.t)
    return encode_exact(fmt, sign, value)


def encode_exact(fmt, sign, value):
    """The encoding of a representable finite value."""
    if value < fmt.min_normal:
        t_field = value / fmt.min_subnormal
        e_field = 0
    else:
        e = floor_log2(value)
        t_field = value / Fraction(2) ** (e - fmt.t) - 2 ** fmt.t
        e_field = e + fmt.bias
    assert t_field.denominator == 1 and 0 <= t_field < 2 ** fmt.t, "not representable"
    return (sign << (fmt.k - 1)) | (e_field << fmt.t) | int(t_field)


def signed(v):
    """The rational value of a finite value."""
    assert v[0] == "fin"
    return -v[2] if v[1] else v[2]


def round_signed(fmt, q):
    return round_to_format(fmt, 1 if q < 0 else 0, abs(q))


_NUMBER = re.compile(r"\s*([+-]?)(\d*)(?:\.(\d*))?(?:[EeDdQq]([+-]?\d+))?(?=$|[ ,/])")


def read_decimal(fmt, text):
    """The encoding of a decimal text as the X box reads it: free form, E/D/Q exponent letters,
    the number ends at a blank, comma or slash. None for text that is no number."""
    m = _NUMBER.match(text)
    if not m or not (m.group(2) or m.group(3)):
        return None
    digits = (m.group(2) or "") + (m.group(3) or "")
    scale = int(m.group(4) or 0) - len(m.group(3) or "")
    q = Fraction(int(digits)) * Fraction(10) ** scale
    return round_to_format(fmt, 1 if m.group(1) == "-" else 0, q)


# ---- the quantities of the parameter list -------------------------------------------------

def fields(fmt, bits):
    """S, E and T as the bit boxes show them."""
    text = format(bits, "0%db" % fmt.k)
    return text[0], text[1:1 + fmt.w], text[1 + fmt.w:]


def next_up(fmt, bits):
    """The next encoding toward +infinity, found by its value: the least representable value
    above x (stepping one quantum of the binade at or above x)."""
    v = decode(fmt, bits)
    if v[0] == "nan":
        return bits
    if v[0] == "inf":
        return bits if v[1] == 0 else encode_exact(fmt, 1, fmt.max_finite)
    x = signed(v)
    if x >= 0:
        if x == fmt.max_finite:
            return ((1 << fmt.w) - 1) << fmt.t
        step = Fraction(2) ** (max(floor_log2(x), fmt.emin) - fmt.t) if x > 0 else fmt.min_subnormal
        return encode_exact(fmt, 0, x + step)
    # Below zero, the gap toward zero is the one below |x| (smaller at a power of two).
    return flip_sign(fmt, next_down(fmt, flip_sign(fmt, bits)))


def next_down(fmt, bits):
    v = decode(fmt, bits)
    if v[0] == "nan":
        return bits
    if v[0] == "inf":
        return bits if v[1] == 1 else encode_exact(fmt, 0, fmt.max_finite)
    x = signed(v)
    if x > 0:
        step = Fraction(2) ** (max(floor_log2(x - x / 2 ** fmt.p), fmt.emin) - fmt.t)
        return encode_exact(fmt, 0, x - step)
    return flip_sign(fmt, next_up(fmt, flip_sign(fmt, bits)))


def flip_sign(fmt, bits):
    return bits ^ (1 << (fmt.k - 1))


def ulp(fmt, bits):
    """ULP(x) = 2^(e - p) with x = f * 2^e, 0.5 <= |f| < 1; the subnormal spacing below the normal range."""
    q = abs(signed(decode(fmt, bits)))
    if q < fmt.min_normal:
        return fmt.min_subnormal
    return Fraction(2) ** (floor_log2(q) + 1 - fmt.p)


def delta(fmt, bits):
    """Delta(x) from its definition: the least positive representable d for which |x| + d,
    rounded to nearest with ties to even, exceeds |x|. The threshold lies at half the gap above
    |x|, so the search starts at the largest representable value not above that half."""
    q = abs(signed(decode(fmt, bits)))
    gap = signed(decode(fmt, next_up(fmt, encode_exact(fmt, 0, q)))) - q if q < fmt.max_finite \
        else Fraction(2) ** (fmt.emax + 1) - q
    half = gap / 2
    d = signed(decode(fmt, round_to_format(fmt, 0, half)))
    if d > half:
        d = signed(decode(fmt, next_down(fmt, encode_exact(fmt, 0, d))))
    while True:
        if d > 0:
            s = decode(fmt, round_to_format(fmt, 0, q + d))
            if s[0] == "inf" or signed(s) > q:
                return d
        d = signed(decode(fmt, next_up(fmt, encode_exact(fmt, 0, d))))


def x_plus_delta(fmt, bits):
    return round_signed(fmt, signed(decode(fmt, bits)) + delta(fmt, bits))


def unbiased_exponent(fmt, bits):
    e_field = (bits >> fmt.t) & ((1 << fmt.w) - 1)
    return fmt.emin if e_field == 0 else e_field - fmt.bias


def significand(fmt, bits):
    e_field = (bits >> fmt.t) & ((1 << fmt.w) - 1)
    m = Fraction(bits & ((1 << fmt.t) - 1), 2 ** fmt.t)
    return m if e_field == 0 else m + 1


# ---- print styles -------------------------------------------------------------------------

def scientific(q, digits, letter, exp_digits, negative=False, plus=False):
    """One digit, the point, `digits` more, the letter and a signed exponent of at least
    `exp_digits` digits; q >= 0 is rounded to nearest, ties to even."""
    if q == 0:
        mantissa, e10 = "0" * (digits + 1), 0
    else:
        e10 = floor_log10(q)
        n = round_half_even(q * Fraction(10) ** (digits - e10))
        if n == 10 ** (digits + 1):
            n, e10 = n // 10, e10 + 1
        mantissa = str(n)
    sign = "-" if negative else ("+" if plus else "")
    exp_sign = "-" if e10 < 0 else "+"
    return "%s%s.%s%s%s%s" % (sign, mantissa[0], mantissa[1:], letter, exp_sign,
                              str(abs(e10)).zfill(exp_digits))


def _special(v, plus):
    if v[0] == "nan":
        return "NaN"
    if v[1]:
        return "-Infinity"
    return "+Infinity" if plus else "Infinity"


def x_display(fmt, bits):
    v = decode(fmt, bits)
    if v[0] != "fin":
        return _special(v, True)
    return scientific(v[2], fmt.x_digits, fmt.exp_letter, fmt.x_exp_digits, v[1] == 1, True)


def neighbour_decimal(fmt, bits):
    v = decode(fmt, bits)
    if v[0] != "fin":
        return _special(v, False)
    return scientific(v[2], fmt.x_digits, fmt.exp_letter, fmt.x_exp_digits, v[1] == 1)


def delta_style(fmt, bits):
    v = decode(fmt, bits)
    if v[0] != "fin":
        return _special(v, False)
    if fmt.nbytes == 4:
        return scientific(v[2], 7, "E", 2, v[1] == 1)
    if fmt.nbytes == 16:
        return neighbour_decimal(fmt, bits)
    return free_form_64(v[2], v[1] == 1)


def free_form_64(q, negative):
    """Fixed point with 15 significant digits when 0.1 <= |x| < 10^15 (after rounding to 15
    digits), else d.15 E with an exponent of at least three digits."""
    sign = "-" if negative else ""
    if q != 0:
        e10 = floor_log10(q)
        n = round_half_even(q * Fraction(10) ** (14 - e10))
        if n == 10 ** 15:
            n, e10 = n // 10, e10 + 1
        if -1 <= e10 < 15:
            digits = str(n)
            if e10 == -1:
                return sign + "0." + digits
            return sign + digits[:e10 + 1] + "." + digits[e10 + 1:]
    return scientific(q, 15, "E", 3, negative)


def significand_style(fmt, bits):
    return scientific(significand(fmt, bits), SIGNIFICAND_DIGITS[fmt.nbytes], "E", 2)


def binary_neighbour(fmt, bits):
    """The neighbour view with the check box "Binary: X+ -": all bits of Binary32, the sign,
    the exponent and the last 16 bits of the wider formats."""
    s, e, t = fields(fmt, bits)
    if fmt.nbytes == 4:
        return "%s_%s_%s" % (s, e, t)
    return "%s_%s_...%s" % (s, e, (e + t)[-16:])


def data_type(fmt, bits, english):
    _, e, t = fields(fmt, bits)
    if "1" not in e:
        kind = ("Signed Zero", "Zero cu semn") if "1" not in t else ("Denormalized Number", "Numar denormalizat")
    elif "0" not in e:
        kind = ("Signed Infinity", "Infinit cu semn") if "1" not in t else ("Not-a-Number", "Non-Numar")
    else:
        kind = ("Normalized Number: Real(%d)" % fmt.nbytes, "Numar normalizat: Real(%d)" % fmt.nbytes)
    return kind[0] if english else kind[1]
