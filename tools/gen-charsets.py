#!/usr/bin/env python3
"""Generate data/GB2312.txt and data/GBK.txt, the character sets the import commands load.

Both files are code page 936 text on one line, the characters one after another in code order,
with no separator and no line break at the end (a line break would become part of the list).

- GB2312.txt: every character of GB2312, the 682 symbols of rows 1 to 9 and the 6,763 hanzi of
  rows 16 to 87, as iconv's "GB2312" (EUC-CN) converter knows them. Their EUC-CN bytes are their
  code page 936 bytes; each is checked to decode in "CP936" too.
- GBK.txt: every two-byte code of code page 936 (lead 0x81..0xFE, trail 0x40..0xFE) that iconv's
  "CP936" converter decodes to a Unicode character outside the private-use areas.

The converters are the C library's, the same the program uses at run time.

Usage: gen-charsets.py [--output-dir DIR]
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep tools/ free of __pycache__
from iconvlib import Iconv  # noqa: E402

DEFAULT_OUTPUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data")

GB2312_SYMBOLS = 682
GB2312_HANZI = 6763
GB2312_FIRST_HANZI_LEAD = 0xB0


def is_private_use(code_point):
    return (0xE000 <= code_point <= 0xF8FF or 0xF0000 <= code_point <= 0xFFFFD
            or 0x100000 <= code_point <= 0x10FFFD)


def decoded_code_point(decoder, code):
    """The one Unicode code point the code decodes to, or None."""
    decoded = decoder.convert(code)
    if decoded is None or len(decoded) != 4:
        return None
    return int.from_bytes(decoded, "little")


def gb2312_codes(cp936):
    gb2312 = Iconv("UTF-32LE", "GB2312")
    try:
        codes = [bytes([lead, trail]) for lead in range(0xA1, 0xFF) for trail in range(0xA1, 0xFF)
                 if decoded_code_point(gb2312, bytes([lead, trail])) is not None]
    finally:
        gb2312.close()
    symbols = sum(1 for code in codes if code[0] < GB2312_FIRST_HANZI_LEAD)
    hanzi = len(codes) - symbols
    if (symbols, hanzi) != (GB2312_SYMBOLS, GB2312_HANZI):
        raise ValueError(f"GB2312: {symbols} symbols and {hanzi} hanzi, expected "
                         f"{GB2312_SYMBOLS} and {GB2312_HANZI}")
    for code in codes:
        if decoded_code_point(cp936, code) is None:
            raise ValueError(f"GB2312 code {code.hex()} does not decode in CP936")
    return codes


def gbk_codes(cp936):
    codes = []
    for lead in range(0x81, 0xFF):
        for trail in range(0x40, 0xFF):
            code = bytes([lead, trail])
            code_point = decoded_code_point(cp936, code)
            if code_point is not None and not is_private_use(code_point):
                codes.append(code)
    return codes


def write_set(directory, name, codes):
    path = os.path.normpath(os.path.join(directory, name))
    with open(path, "wb") as target:
        target.write(b"".join(codes))
    print(f"{path}: {len(codes)} characters", file=sys.stderr)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output-dir", default=DEFAULT_OUTPUT_DIR)
    args = parser.parse_args()

    cp936 = Iconv("UTF-32LE", "CP936")
    try:
        gb2312 = gb2312_codes(cp936)
        gbk = gbk_codes(cp936)
    finally:
        cp936.close()
    missing = set(gb2312) - set(gbk)
    if missing:
        raise ValueError(f"{len(missing)} GB2312 characters are missing from GBK")
    write_set(args.output_dir, "GB2312.txt", gb2312)
    write_set(args.output_dir, "GBK.txt", gbk)


if __name__ == "__main__":
    main()
