#!/usr/bin/env python3
"""Writes small seed inputs for the skin fuzzer: the first byte picks the layer
(0 container, 1 options text, 2 image)."""
import os
import struct
import sys
import zlib

out = sys.argv[1]
os.makedirs(out, exist_ok=True)


def png(w, h):
    raw = b"".join(b"\0" + b"".join(bytes([x * 40 & 255, y * 30 & 255, 128, 200]) for x in range(w)) for y in range(h))

    def chunk(t, d):
        return struct.pack(">I", len(d)) + t + d + struct.pack(">I", zlib.crc32(t + d))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def bmp(w, h, bpp=24):
    row = (w * bpp + 31) // 32 * 4
    pal = b"" if bpp > 8 else b"".join(bytes([i * 60 & 255, 0, 255 - i, 0]) for i in range(1 << bpp))
    pixels = bytes((x * 7 + y) & 255 for y in range(h) for x in range(row))
    off = 54 + len(pal)
    return (b"BM" + struct.pack("<IHHI", off + len(pixels), 0, 0, off)
            + struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(pixels), 0, 0, 0, 0) + pal + pixels)


OPTIONS = b"""[GLOBALINFO]\r
VERSION=6.4\r
MASTERBITMAP=MASTER.BMP\r
SHADOW1BLUR=4\r
EXBORDER=!EX.PNG!2!0!3!0001!0002!0001!0001\r
GLOW0=!EX.PNG!1!0!4\r
[PANEL]\r
BORDERSMASK=^0001^0000^0005^0004^0001^0001^0001^0001^1^0^1^1\r
COLOR=-16777201\r
GRADIENTDATA=1;2;50;0;0;3;4;50;1;0\r
[X]\r
PARENTCLASS=PANEL\r
GLYPH=@0000@0000@0006@0002@3@0\r
TEX=~0000~0000~0004~0004~10~1\r
OLD=#A (0,0,4,4) (1,1,1,1)\r
BARE=frame.bmp\r
PAT=p.jpg\r
"""


def container(members):
    out = b"GWzf" + struct.pack("<i", len(members))
    for name, data in members:
        out += struct.pack("<i", len(name)) + name + struct.pack("<i", len(data)) + zlib.compress(data)
    return out


seeds = {
    "container": b"\0" + container([(b"Options.dat", OPTIONS), (b"Master.bmp", bmp(8, 6)),
                                     (b"Ex.png", png(6, 4)), (b"FRAME.BMP", bmp(9, 6, 8))]),
    "options": b"\1" + OPTIONS,
    "png": b"\2" + png(5, 3),
    "bmp24": b"\2" + bmp(5, 3),
    "bmp8": b"\2" + bmp(5, 3, 8),
    "bmp1": b"\2" + bmp(9, 2, 1),
    "bmp4": b"\2" + bmp(5, 3, 4),
}
for name, data in seeds.items():
    with open(os.path.join(out, name), "wb") as f:
        f.write(data)
