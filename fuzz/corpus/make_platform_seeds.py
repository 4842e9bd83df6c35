#!/usr/bin/env python3
"""Writes the tiny seed files of fuzz_dib (corpus/dib/) and fuzz_profile
(corpus/profile/). Run from anywhere; the output is committed, so this only
needs running again when the seeds should change."""
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

for folder, files in (("dib", DIBS), ("profile", PROFILES)):
    os.makedirs(os.path.join(HERE, folder), exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(HERE, folder, name), "wb") as f:
            f.write(data)
