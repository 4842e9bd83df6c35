#!/usr/bin/env python3
"""Writes the tiny seed files of fuzz_dib (corpus/dib/), fuzz_bmp
(corpus/bmp/, the bitmap kinds the loader converts), fuzz_profile
(corpus/profile/), fuzz_prices and fuzz_text_paths, and the damaged bitmaps of the broken-file corpus
(tests/data/broken/). Run from anywhere; the output is committed, so this
only needs running again when the seeds should change."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def dib(width, height, bits, colors=(), rows=b"", header=40, used=0, compression=0, masks=None):
    h = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(rows), 0, 0, used, 0)
    if header > 40:
        extra = bytearray(header - 40)
        if masks:
            extra[0:12] = struct.pack("<III", *masks)
        h = struct.pack("<I", header) + h[4:] + bytes(extra)
    elif masks:
        h += struct.pack("<III", *masks)
    table = b"".join(struct.pack("<BBBB", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF, 0) for c in colors)
    return h + table + rows


DIBS = {
    "mono_10x2.dib": dib(10, 2, 1, (0x000000, 0xFFFFFF), bytes([0x80, 0x40, 0, 0, 0x55, 0x40, 0, 0])),
    "four_used3_4x1_topdown.dib": dib(4, -1, 4, (0xFF0000, 0x00FF00, 0x0000FF), bytes([0x01, 0x2F, 0, 0]), used=3),
    "eight_used4_3x2.dib": dib(3, 2, 8, (0x123456, 0xABCDEF, 0, 0xFFFFFF), bytes([0, 1, 3, 0, 1, 1, 9, 0]), used=4),
    "true_2x2.dib": dib(2, 2, 24, rows=bytes([0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 0, 1, 2, 3, 0, 0])),
    "argb_2x1_v5.dib": dib(2, 1, 32, rows=bytes([0, 255, 0, 18, 1, 2, 3, 0]), header=124),
    "bitfields_1x1.dib": dib(1, 1, 32, rows=struct.pack("<I", 0x3FF80000), compression=3,
                             masks=(0x3FF00000, 0x000FFC00, 0x000003FF)),
    "bitfields_565_v4_1x1.dib": dib(1, 1, 32, rows=struct.pack("<I", 0xF81F), header=108, compression=3,
                                    masks=(0xF800, 0x07E0, 0x001F)),
    "truncated_bits.dib": dib(3, 2, 24, rows=bytes(10)),
}

def core(width, height, bits, colors, rows):
    """An OS/2 1.x DIB: 12-byte header, colour triples."""
    h = struct.pack("<IHHHH", 12, width, height, 1, bits)
    return h + b"".join(struct.pack("<BBB", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF) for c in colors) + rows


def bmp(d):
    return b"BM" + struct.pack("<IHHI", 14 + len(d), 0, 0, 0) + d


RGBK = (0x000000, 0xFF0000, 0x00FF00, 0x0000FF)
# Runs, a padded literal, end of line, delta and end of bitmap.
RLE8 = bytes([3, 1, 0, 3, 2, 3, 2, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 1])
RLE4 = bytes([5, 0x12, 0, 0, 0, 3, 0x31, 0x20, 0, 1])

BMPS = {
    "rle8_5x3.bmp": bmp(dib(5, 3, 8, RGBK, RLE8, used=4, compression=1)),
    "rle4_5x2.bmp": bmp(dib(5, 2, 4, RGBK, RLE4, used=4, compression=2)),
    "rgb555_2x2.bmp": bmp(dib(2, 2, 16, rows=struct.pack("<HHHH", 0x7C00, 0x03E0, 0x001F, 0x4210))),
    "rgb565_v3_2x1.bmp": bmp(dib(2, 1, 16, rows=struct.pack("<HH", 0xF800, 0x8410), header=56, compression=3,
                                 masks=(0xF800, 0x07E0, 0x001F))),
    "os2_core_4bit_3x1.bmp": bmp(core(3, 1, 4, RGBK + (0x808080,) * 12, bytes([0x12, 0x30, 0, 0]))),
    "os2_v2_8bit_2x1.bmp": bmp(dib(2, 1, 8, RGBK, bytes([3, 1, 0, 0]), header=64, used=4)),
}

BROKEN = {
    "bmp_rle8_cut_short.bmp": bmp(dib(5, 3, 8, RGBK, RLE8[:5], used=4, compression=1)),
    "bmp_rle4_runs_past_the_edge.bmp": bmp(dib(2, 1, 4, RGBK, bytes([255, 0x12, 0, 2, 255, 255, 0, 9, 0x11]),
                                               used=4, compression=2)),
    "bmp_rle8_huge_sides.bmp": bmp(dib(32768, 32768, 8, RGBK, RLE8, used=4, compression=1)),
    "bmp_rows_missing.bmp": bmp(dib(4, 4, 16, rows=bytes(12))),
    "bmp_index_past_palette.bmp": bmp(dib(3, 1, 8, RGBK[:2], bytes([0, 1, 200, 0]), used=2)),
    "bmp_too_many_colours.bmp": bmp(dib(1, 1, 4, RGBK * 5, bytes(4), used=20)),
    "bmp_bitfields_split_mask.bmp": bmp(dib(1, 1, 16, rows=bytes(4), compression=3, masks=(0xF00F, 0x07E0, 0x001F))),
    "bmp_sides_overflow.bmp": bmp(dib(0x7FFFFFFF, -0x7FFFFFFF, 32, rows=bytes(64))),
    "bmp_os2_v2_huffman.bmp": bmp(dib(8, 1, 1, RGBK[:2], bytes(16), header=64, compression=3)),
    "bmp_header_cut.bmp": bmp(struct.pack("<IiiHH", 124, 2, 2, 1, 24)),
}


def profile(section, key, other_key, value, text):
    """fuzz_profile's input: four strings as FuzzedDataProvider reads them
    (a backslash doubled, a backslash and another byte end a string), then
    the INI text."""
    names = b"".join(s.replace(b"\\", b"\\\\") + b"\\;" for s in (section, key, other_key, value))
    return names + text


PROFILES = {
    "windows.ini": profile(b"Paths", b"Note", b"stk", b"C:\\QX\\",
                           b"[Global]\r\nlanguage=1\r\npricemode=0\r\n[Paths]\r\nstk=C:\\QX\\Listen\\\r\nNote=\r\n"),
    "sloppy.ini": profile(b"global", b"KEY", b"novalue", b" 'x' ",
                          b"; comment\n  [ global ] trailing\n  Key = \"quoted\" \nnovalue\n[Paths\nx=1\n\n"
                          b"[paths]\nadr='a'"),
    "bom_lone_cr.ini": profile(b"S", b"b", b"a", b"2", b"\xef\xbb\xbf[S]\r\na=1\r"),
    "new_section.ini": profile(b"Paths", b"adr", b"stk", b"C:\\qxkat.adr", b"[Global]\r\nlanguage=3"),
    "empty.ini": profile(b"Global", b"language", b"pricemode", b"0", b""),
}

NOW = struct.pack(">q", 1_200_000_000)
LIST = b"EUR\r\nID\r\n05.03.07\r\n05.03.27\r\n1\r\n|AAAA|1234,5|2|0,00||sofort\r\n|BBBB|7|8|9|10|x\r\n"
UPDATE = b"CRPT" + bytes((b - (i % 9 + 1) % 9) % 256 for i, b in enumerate(b"CZK\r\nID2\r\n06.03.07\r\n1.1.30\r\n1\r\n|AAAA|5|6|7|8|\r\n"))
PRICES = {
    "dates.bin": b"\x00" + b"05.03.07\n1.-99999999999.2020",
    "dates_carry.bin": b"\x00" + b"31.13.1999\n1.1.2000",
    "check_update.bin": b"\x01" + NOW + LIST + b"\xff" + UPDATE,
    "check_no_update.bin": b"\x01" + NOW + LIST,
    "lookup.bin": b"\x02" + b"AAAABBBB\r\n" + LIST + b"\xff" + UPDATE,
}

TEXT_PATHS = {
    "program.bin": b"\x00" + b"MY TOOLS\\RUN.EXE /A",
    "climb.bin": b"\x05" + b"PDF\\..\\..\\x.exe",
    "cp1252.bin": b"\x01" + bytes(range(0x80, 0x100)),
    "utf8.bin": b"\x06" + "Grüße, ěščřžýáíé €".encode("utf-8") + b"\xc3",
    "layout.bin": b"\x02" + bytes([0x10 | 0x40, 0x00, 100]) + b"Hello world\r\nsecond &line\twith &&tabs and averyveryverylongword",
    "resolve.bin": b"\x03" + b"bilder\\800\\A.bmp",
    "resolve_up.bin": b"\x08" + b"BILDER\\..\\..\\..\\etc\\.\\x",
    "number.bin": b"\x04" + b"  -123abc",
    "number_big.bin": b"\x09" + b"99999999999",
}

BROKEN_DIR = os.path.join(HERE, "..", "..", "tests", "data", "broken")
for folder, files in (("dib", DIBS), ("bmp", BMPS), ("profile", PROFILES), ("prices", PRICES),
                      ("text_paths", TEXT_PATHS), (BROKEN_DIR, BROKEN)):
    folder = os.path.join(HERE, folder)
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
