#!/usr/bin/env python3
"""Writes the fuzz targets' seeds, corpus/<target>/<name>, from the examples
below: copies, typed by hand, of inputs from the calculation's tests
(tests/calc/*.cpp), which it does not read.

The targets that take a text read the whole input as it. The others read it
through libFuzzer's FuzzedDataProvider, which takes texts from the front of
the input (a backslash followed by anything but a backslash ends one) and
integers from the back, last byte first; encode() mirrors that.

Run it again after changing the examples below or the order in which a target
reads its input: python3 tests/fuzz/make_corpus.py
"""

import pathlib
import re
import shutil
import struct

CORPUS = pathlib.Path(__file__).resolve().parent / "corpus"


class Input:
    """The bytes a FuzzedDataProvider turns back into the values given."""

    def __init__(self):
        self.front = b""
        self.back = []  # byte values in the order the provider takes them

    def text(self, value):
        data = value.encode() if isinstance(value, str) else value
        self.front += data.replace(b"\\", b"\\\\") + b"\\ "

    def raw(self, data):
        self.front += data

    def integer(self, value, low, high):
        """ConsumeIntegralInRange(low, high): as many bytes as the range needs,
        the most significant taken first."""
        span = high - low
        count = 0
        while count < 8 and (span >> (8 * count)) > 0:
            count += 1
        offset = value - low
        self.back += [(offset >> (8 * (count - 1 - i))) & 0xFF for i in range(count)]

    def bytes(self):
        return self.front + bytes(reversed(self.back))


def name_of(text):
    name = re.sub(r"[^A-Za-z0-9]+", "_", text).strip("_")
    return name or "empty"


def write(target, name, data):
    """Texts that differ only in punctuation get a number to tell them apart."""
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    path = folder / name_of(name)
    number = 2
    while path.exists():
        path = folder / f"{name_of(name)}_{number}"
        number += 1
    path.write_bytes(data)


# ReadNumber and ReadCount: the texts of txtb, txtc, txtitem, txtpeso and
# of the count replies.
READ_TEXTS = [
    "2.5", "2,5", " 4", "", "x3", "1 2", "4 risposte", "\t7\n", "1\n2", "2 . 5", "-3", "+3",
    "--3", ".5", "-.5", "5.", ".", "-", "0.1.2", "3abc", "abc", "1e3", "2.5E-1", "1E+2", "1e",
    "1e+", "1e400", "-1e400", "1e-400", "&H1F", "&hff", "&O17", "&o777", "&H1Fz", "&H", "&O8",
    "&12", "10", "3.99", "3.9", "2.9", "10.9", "0.9", "-1", "-0.5", "0,9", "   ", "&H2", "6.5",
    "1.5", "6,5", "11", "1e308", "1e200", "1e300", "1e-300", "1e-320", "0.3", "0.1", "0.6",
]

# ReplyValue: the type-B replies.
REPLIES = [
    "2,5", "4,5", "4.5", "4", "0", "5", " 3 ", "\t3", ",5", "-1", "+2", "", "   ", "abc", "4x",
    "x4", "1 2", "inf", "nan", ",", "5,01", "-0,5", "5.01", "-0.5", " 4 ", "1e400", "7", "-0",
    "6", "3",
]

# NumberText: the values of the breakdowns, each with a short decimal
# (numerator, power of ten).
NUMBERS = [
    (0, (0, 0)), (-0.0, (0, 0)), (26, (26, 0)), (12, (12, 0)), (-2, (-2, 0)), (-3, (-3, 0)),
    (12.5, (125, 1)), (7.5, (75, 1)), (27.5, (275, 1)), (44.75, (4475, 2)), (180, (180, 0)),
    (0.5, (5, 1)), (-0.25, (-25, 2)), (0.1 + 0.2, (3, 1)), (0.000015, (15, 6)),
    (5 / 3, (166666666666667, 14)), (2 / 3, (666666666666667, 15)), (20 / 3, (1, 0)),
    (35 / 3 + 5, (1, 0)), (123456789.123456789, (123456789123457, 6)), (1e14, (1, 0)),
    (999999999999999, (999999999999999, 0)), (1e-15, (1, 15)), (1e15, (1, 15)),
    (-1e15, (-1, 16)), (1.5e20, (15, 22)), (1e300, (1, 22)), (1e-16, (1, 16)),
    (2.5e-16, (25, 17)),
]

INTEGERS = [10, 15, 1, 0, 1234567]

# TenthsText: grades, with a score and a maximum for the grade formulas.
TENTHS = [
    (8.2, (12, 15)), (10, (40, 40)), (1, (0, 40)), (5.5, (5, 10)), (3.25, (10, 40)),
    (1 + 9 * (26 / 40), (26, 40)), ((6 / 10) * 9 + 1, (6, 10)), (1 + 9 * (44.75 / 65), (58, 180)),
    (7.1875, (29, 90)), (9.999, (2, 45)), (6.625, (5, 8)), (0.125, (1, 8)), (2.875, (3, 8)),
    (4.375, (7, 8)), (-6.625, (1, 3)), (9.995, (19, 30)), (2.675, (7, 3 * 8)),
]

# CalculateGrade: (name, kind, rule, separator, txtb, txtc, txtitem, txtpeso, replies), a
# reply of None being Cancel. Kinds and rules as the window holds them.
B, C, MIXED, NO_KIND = 0, 1, 2, 3
PENALIZE, SAME_AS_BLANK, NO_RULE = 0, 1, 2
COMMA, PERIOD, ARABIC = 0, 1, 2
CLICKS = [
    ("b three questions 4 5 3", B, SAME_AS_BLANK, COMMA, "3", "", "4", "2.5", ["4", "5", "3"]),
    ("b replies outside 0 to 5", B, SAME_AS_BLANK, COMMA, "2", "", "4", "2.5",
     ["7", "5", "-1", "0"]),
    ("b count 2.9", B, SAME_AS_BLANK, PERIOD, "2.9", "", "4", "2.5", ["3", "4"]),
    ("b hexadecimal count", B, SAME_AS_BLANK, COMMA, "&H2", "", "4", "2.5", ["5", "5"]),
    ("b decimal comma", B, SAME_AS_BLANK, COMMA, "1", "", "4", "2.5", ["2,5"]),
    ("b decimal period", B, SAME_AS_BLANK, PERIOD, "1", "", "4", "2.5", ["2.5"]),
    ("b arabic separator", B, SAME_AS_BLANK, ARABIC, "2", "", "4", "2.5",
     ["2\u066b5", "4,5", "4.5", "4"]),
    ("b bounds under a comma", B, SAME_AS_BLANK, COMMA, "3", "", "4", "2.5",
     ["5,01", "4,5", "-0,5", "0", "5"]),
    ("b blanks around a reply", B, SAME_AS_BLANK, PERIOD, "1", "", "4", "2.5", [" 4 "]),
    ("b 2 of 45", B, SAME_AS_BLANK, COMMA, "9", "", "4", "2.5",
     ["2", "0", "0", "0", "0", "0", "0", "0", "0"]),
    ("b empty count", B, SAME_AS_BLANK, COMMA, "", "", "4", "2.5", []),
    ("b count of letters", B, SAME_AS_BLANK, COMMA, "abc", "", "4", "2.5", []),
    ("b unreadable replies", B, SAME_AS_BLANK, COMMA, "1", "", "4", "2.5",
     ["", "abc", "4.5", "1e400", "inf", "4"]),
    ("b cancel on the second", B, SAME_AS_BLANK, COMMA, "3", "", "4", "2.5", ["4", None]),
    ("b 1e308 questions", B, PENALIZE, COMMA, "1e308", "", "4", "2.5", []),
    ("c penalize 6 2 2", C, PENALIZE, COMMA, "", "10", "4", "2.5", ["6", "2", "2"]),
    ("c penalize all unanswered", C, PENALIZE, PERIOD, "", "10", "4", "2.5", ["0", "10", "0"]),
    ("c penalize unrounded", C, PENALIZE, COMMA, "", "10", "4", "2.5", ["6.5", "1.5", "2"]),
    ("c penalize 58 of 180", C, PENALIZE, COMMA, "", "45", "4", "2.5", ["14", "2", "29"]),
    ("c penalize sum differs", C, PENALIZE, COMMA, "", "10", "4", "2.5", ["6", "2", "1"]),
    ("c penalize counts asked again", C, PENALIZE, COMMA, "", "10", "4 risposte", "2.5",
     ["11", "6", "-1", "2", "2"]),
    ("c penalize cancelled counts", C, PENALIZE, COMMA, "", "10", "4", "2.5",
     [None, None, None]),
    ("c penalize items empty", C, PENALIZE, COMMA, "", "10", "", "2.5", []),
    ("c penalize 1e200 by 1e200", C, PENALIZE, COMMA, "", "1e200", "1e200", "2.5", []),
    ("c same as blank 7 of 10", C, SAME_AS_BLANK, COMMA, "", "10", "", "2.5", ["7"]),
    ("c same as blank 29 of 90", C, SAME_AS_BLANK, PERIOD, "", "90", "4", "2.5", ["29"]),
    ("c same as blank 1e300", C, SAME_AS_BLANK, COMMA, "", "1e300", "4", "2.5", ["1e300"]),
    ("c same as blank 10.9", C, SAME_AS_BLANK, COMMA, "", "10.9", "4", "2.5", ["10.5", "-0"]),
    ("c empty count", C, SAME_AS_BLANK, COMMA, "", "", "4", "2.5", []),
    ("c without a rule", C, NO_RULE, COMMA, "2", "10", "4", "2.5", []),
    ("mixed penalize 4 3 then 6 2 2", MIXED, PENALIZE, COMMA, "2", "10", "4", "2.5",
     ["4", "3", "6", "2", "2"]),
    ("mixed penalize 4,5 under a comma", MIXED, PENALIZE, COMMA, "2", "10", "4", "2.5",
     ["4,5", "3", "6", "2", "2"]),
    ("mixed penalize cancelled counts", MIXED, PENALIZE, PERIOD, "2", "10", "4", "2.5",
     ["4", "3", None, "10", None]),
    ("mixed penalize 0.3 0.6 0.1", MIXED, PENALIZE, COMMA, "1", "1", "4", "2.5",
     ["0", "0.3", "0.6", "0.1"]),
    ("mixed penalize sum differs", MIXED, PENALIZE, COMMA, "2", "10", "4", "2.5",
     ["4", "3", "6", "2", "1"]),
    ("mixed penalize weight 0,5", MIXED, PENALIZE, COMMA, "2", "10", "4", "0,5", []),
    ("mixed penalize txtb empty", MIXED, PENALIZE, COMMA, "", "10", "4", "2.5", []),
    ("mixed penalize cancel", MIXED, PENALIZE, COMMA, "2", "10", "4", "2.5", ["4", None]),
    ("mixed same as blank 4 3 then 6", MIXED, SAME_AS_BLANK, COMMA, "2", "10", "", "2.5",
     ["4", "3", "6"]),
    ("mixed same as blank thirds", MIXED, SAME_AS_BLANK, PERIOD, "1", "7", "4", "3", ["0", "4"]),
    ("mixed same as blank nothing scored", MIXED, SAME_AS_BLANK, COMMA, "2", "10", "4", "2.5",
     ["0", "0", "0"]),
    ("mixed same as blank weight 1e-300", MIXED, SAME_AS_BLANK, COMMA, "2", "1", "4", "1e-300",
     ["5", "5", "1"]),
    ("mixed same as blank weight 1e-320", MIXED, SAME_AS_BLANK, COMMA, "2", "10", "4", "1e-320",
     []),
    ("mixed without a rule", MIXED, NO_RULE, COMMA, "2", "10", "4", "2.5", []),
    ("no test type", NO_KIND, SAME_AS_BLANK, COMMA, "2", "10", "4", "2.5", []),
]


def main():
    if CORPUS.exists():
        shutil.rmtree(CORPUS)

    for text in READ_TEXTS:
        write("read_number", text, text.encode())
        write("read_count", text, text.encode())
    for text in REPLIES:
        write("reply_value", text, text.encode())

    for value, (numerator, power) in NUMBERS:
        data = Input()
        data.raw(struct.pack("<d", value))
        data.integer(numerator, -999_999_999_999_999, 999_999_999_999_999)
        data.integer(power, 0, 22)
        write("number_text", repr(value), data.bytes())

    for value in INTEGERS:
        data = Input()
        data.integer(value, -(2**63), 2**63 - 1)
        write("integer_text", str(value), data.bytes())

    for separator, separator_name in ((0, "comma"), (1, "period")):
        for value, (score, maximum) in TENTHS:
            data = Input()
            data.raw(struct.pack("<d", value))
            data.integer(separator, 0, 1)
            data.integer(maximum, 1, 1_000_000)
            data.integer(score, 0, maximum)
            write("tenths_text", f"{value!r} {separator_name}", data.bytes())

    for name, kind, rule, separator, txtb, txtc, txtitem, txtpeso, replies in CLICKS:
        data = Input()
        data.integer(kind, 0, 3)
        data.integer(rule, 0, 2)
        data.integer(separator, 0, 2)
        for text in (txtb, txtc, txtitem, txtpeso):
            data.text(text)
        for reply in replies:
            data.integer(0 if reply is None else 1, 0, 15)
            if reply is not None:
                data.text(reply)
        write("calculate_grade", name, data.bytes())


if __name__ == "__main__":
    main()
