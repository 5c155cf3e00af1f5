#!/usr/bin/env python3
# SPDX-FileCopyrightText: トルミナの実験２ developers
# SPDX-License-Identifier: MIT
"""Writes the seed answers into corpus/ as UTF-16LE files, one answer each."""
import pathlib

SEEDS = {
    "default_guests": "100",
    "default_trials": "1000",
    "fraction": "10.9",
    "unit_after": "150人",
    "comma": "1,000",
    "hex": "&H64",
    "hex_lower": "&h64",
    "octal": "&O144",
    "exponent": "1e3",
    "exponent_negative": "2.5E-1",
    "below_guests": "9.99",
    "blanks_between": " 1 000",
    "tab_and_lines": "\t1\n0\n0",
    "crlf": "\r\n12",
    "blanks_only": "   ",
    "letters": "abc",
    "negative": "-5",
    "plus": "+20",
    "point_first": ".5e1",
    "exponent_no_digits": "1e",
    "exponent_sign_only": "1e+",
    "two_points": "1..5",
    "full_width": "１００",
    "full_width_hex": "＆Ｈ６４",
    "full_width_signed": "－１．５ｅ１",
    "ideographic_space": "1\u30000",
    "overflow": "1e400",
    "underflow": "1e-400",
    "hex_too_long": "&HFFFFFFFFFFFFFFFFF",
    "hex_largest": "&HFFFFFFFFFFFFFFFF",
    "octal_largest": "&O1777777777777777777777",
    "largest_double": "1.7976931348623157e308",
    "subnormal": "4.9e-324",
    "halfway": "9007199254740993." + "0" * 900 + "1",
    "long_digits": "1" + "0" * 1000 + "e-1000",
    "upper_trials": "10000.5",
    "zero_huge_exponent": "0e99999999999999999999",
}

corpus = pathlib.Path(__file__).resolve().parent / "corpus"
corpus.mkdir(exist_ok=True)
for name, answer in SEEDS.items():
    (corpus / name).write_bytes(answer.encode("utf-16-le"))
# A lone surrogate cannot pass through a Python string; write its code units.
(corpus / "lone_surrogate").write_bytes(b"1\x00\x00\xd85\x00")
