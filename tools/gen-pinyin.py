#!/usr/bin/env python3
"""Generate data/pinyin936.inc, the pinyin reading table behind GetPinyin.

Reads the kMandarin field of Unihan (Debian package unicode-data), takes the first reading of
every character, turns it into a bare lowercase ASCII syllable (tone marks dropped, u-umlaut
written v), and files it under the character's two-byte code page 936 code. The code comes from
the C library's iconv "CP936" converter, the same one the program uses at run time, so the table
and the program's own conversions always agree.

Usage: gen-pinyin.py [--unihan PATH] [--output PATH]
"""

import argparse
import bz2
import ctypes
import ctypes.util
import os
import re
import sys
import unicodedata

DEFAULT_UNIHAN = "/usr/share/unicode/Unihan_Readings.txt.bz2"
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data",
                              "pinyin936.inc")

LEAD_FIRST, LEAD_LAST = 0x81, 0xFE
TRAIL_FIRST, TRAIL_LAST = 0x40, 0xFE
TRAILS = TRAIL_LAST - TRAIL_FIRST + 1
CELLS = (LEAD_LAST - LEAD_FIRST + 1) * TRAILS

SYLLABLE = re.compile(r"[a-z]+")


class Iconv:
    """One direction of the C library's iconv, one character at a time."""

    def __init__(self, to_code, from_code):
        self._libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
        self._libc.iconv_open.restype = ctypes.c_void_p
        self._libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
        self._libc.iconv.restype = ctypes.c_size_t
        self._libc.iconv.argtypes = [ctypes.c_void_p,
                                     ctypes.POINTER(ctypes.c_char_p),
                                     ctypes.POINTER(ctypes.c_size_t),
                                     ctypes.POINTER(ctypes.c_char_p),
                                     ctypes.POINTER(ctypes.c_size_t)]
        self._libc.iconv_close.argtypes = [ctypes.c_void_p]
        handle = self._libc.iconv_open(to_code.encode(), from_code.encode())
        if handle is None or handle == ctypes.c_void_p(-1).value:
            raise OSError(ctypes.get_errno(), f"iconv_open({to_code}, {from_code}) failed")
        self._cd = handle

    def convert(self, data):
        """The converted bytes, or None when iconv rejects the input."""
        # Back to the initial state, whatever the previous call left behind.
        self._libc.iconv(self._cd, None, None, None, None)
        inbuf = ctypes.create_string_buffer(data, len(data))
        outbuf = ctypes.create_string_buffer(16)
        in_ptr = ctypes.c_char_p(ctypes.addressof(inbuf))
        out_ptr = ctypes.c_char_p(ctypes.addressof(outbuf))
        in_left = ctypes.c_size_t(len(data))
        out_left = ctypes.c_size_t(len(outbuf))
        result = self._libc.iconv(self._cd, ctypes.byref(in_ptr), ctypes.byref(in_left),
                                  ctypes.byref(out_ptr), ctypes.byref(out_left))
        if result == ctypes.c_size_t(-1).value or in_left.value != 0:
            return None
        return outbuf.raw[:len(outbuf) - out_left.value]

    def close(self):
        self._libc.iconv_close(self._cd)


def bare_syllable(reading):
    """zhōng -> zhong, lǜ -> lv, ḿ -> m: no tone mark, u-umlaut as v."""
    decomposed = unicodedata.normalize("NFD", reading.lower())
    decomposed = decomposed.replace("u\u0308", "v")
    bare = "".join(c for c in decomposed if not unicodedata.combining(c))
    if not SYLLABLE.fullmatch(bare):
        raise ValueError(f"reading {reading!r} does not reduce to a-z: {bare!r}")
    return bare


def read_first_readings(path):
    """{code point: first kMandarin reading} and the Unicode version named in the file."""
    readings = {}
    version = "unknown"
    with bz2.open(path, "rt", encoding="utf-8") as source:
        for line in source:
            if line.startswith("#"):
                match = re.match(r"#\s*Unicode version:\s*(\S+)", line)
                if match:
                    version = match.group(1)
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 3 or fields[1] != "kMandarin":
                continue
            code_point = int(fields[0][2:], 16)
            readings[code_point] = fields[2].split()[0]
    return readings, version


def build_cells(readings):
    """24066 cells in code order, each the bare syllable or None."""
    encoder = Iconv("CP936", "UTF-32LE")
    decoder = Iconv("UTF-32LE", "CP936")
    cells = [None] * CELLS
    owner = [None] * CELLS
    try:
        for code_point in sorted(readings):
            encoded = encoder.convert(code_point.to_bytes(4, "little"))
            if encoded is None or len(encoded) != 2:
                continue
            lead, trail = encoded
            if not (LEAD_FIRST <= lead <= LEAD_LAST and TRAIL_FIRST <= trail <= TRAIL_LAST):
                raise ValueError(f"U+{code_point:04X} encodes to {encoded.hex()}, outside the grid")
            cell = (lead - LEAD_FIRST) * TRAILS + (trail - TRAIL_FIRST)
            # Two characters on one code: keep the one the code decodes back to.
            if owner[cell] is not None:
                decoded = decoder.convert(encoded)
                back = int.from_bytes(decoded, "little") if decoded and len(decoded) == 4 else None
                if back != code_point:
                    continue
            owner[cell] = code_point
            cells[cell] = bare_syllable(readings[code_point])
    finally:
        encoder.close()
        decoder.close()
    return cells


def render(cells, version):
    syllables = sorted(set(s for s in cells if s is not None))
    number = {s: i + 1 for i, s in enumerate(syllables)}
    values = [number[s] if s is not None else 0 for s in cells]
    filled = sum(1 for v in values if v)

    out = []
    out.append("// Generated by tools/gen-pinyin.py from Unihan kMandarin "
               f"(Unicode {version}). Do not edit.")
    out.append("//")
    out.append("// Pinyin readings of code page 936 two-byte characters: the first kMandarin reading")
    out.append("// of each character, lowercase, without tone, u-umlaut written v.")
    out.append(f"// {filled} characters, {len(syllables)} syllables.")
    out.append("//")
    out.append("// kPinyinCells[(lead - 0x81) * 191 + (trail - 0x40)] for lead 0x81..0xFE and trail")
    out.append("// 0x40..0xFE is 0 for a code without a reading, else 1 + the index of its syllable")
    out.append("// in kPinyinSyllables.")
    out.append("")
    out.append("#include <cstdint>")
    out.append("#include <string_view>")
    out.append("")
    out.append(f"constexpr unsigned kPinyinLeadFirst = 0x{LEAD_FIRST:02X};")
    out.append(f"constexpr unsigned kPinyinLeadLast = 0x{LEAD_LAST:02X};")
    out.append(f"constexpr unsigned kPinyinTrailFirst = 0x{TRAIL_FIRST:02X};")
    out.append(f"constexpr unsigned kPinyinTrailLast = 0x{TRAIL_LAST:02X};")
    out.append(f"constexpr unsigned kPinyinTrails = {TRAILS};")
    out.append("")
    out.append(f"constexpr std::string_view kPinyinSyllables[{len(syllables)}] = {{")
    line = ""
    for s in syllables:
        item = f'"{s}",'
        if len(line) + len(item) + 1 > 99:
            out.append(line.rstrip())
            line = ""
        line += item + " "
    if line:
        out.append(line.rstrip())
    out.append("};")
    out.append("")
    out.append(f"constexpr std::uint16_t kPinyinCells[{CELLS}] = {{")
    line = ""
    for v in values:
        item = f"{v},"
        if len(line) + len(item) > 100:
            out.append(line)
            line = ""
        line += item
    if line:
        out.append(line)
    out.append("};")
    out.append("")
    return "\n".join(out), filled, len(syllables)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--unihan", default=DEFAULT_UNIHAN)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    args = parser.parse_args()

    readings, version = read_first_readings(args.unihan)
    cells = build_cells(readings)
    text, filled, syllables = render(cells, version)
    output = os.path.normpath(args.output)
    with open(output, "w", encoding="ascii", newline="\n") as target:
        target.write(text)
    print(f"{output}: {filled} characters, {syllables} syllables", file=sys.stderr)


if __name__ == "__main__":
    main()
