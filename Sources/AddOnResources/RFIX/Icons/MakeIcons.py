#!/usr/bin/env python3
"""Draws the palette icon at 16x16 (96 dpi) and 32x32 (192 dpi) as PNG files next to this script.

The icon is a stamp: a dark frame with a filled header band and a bold Z below it. Run it again
after changing the drawing; the output is deterministic.
"""
import os
import struct
import zlib

INK = (38, 70, 120, 255)
BAND = (90, 140, 200, 255)
PAPER = (255, 255, 255, 255)
CLEAR = (0, 0, 0, 0)


def pixel(x, y, size):
    unit = size / 16.0
    edge = max(1, int(unit))
    if x < edge or y < edge or x >= size - edge or y >= size - edge:
        return INK
    if y < int(5 * unit):
        return BAND
    top, bottom = int(7 * unit), int(13 * unit)
    left, right = int(4 * unit), size - int(4 * unit)
    if top <= y < top + edge and left <= x < right:
        return INK
    if bottom - edge <= y < bottom and left <= x < right:
        return INK
    if top <= y < bottom:
        # the diagonal of the Z, from upper right to lower left
        t = (y - top) / float(bottom - top - 1)
        cx = right - 1 - t * (right - 1 - left)
        if abs(x - cx) < edge:
            return INK
    return PAPER


def png(size):
    rows = b""
    for y in range(size):
        rows += b"\x00" + b"".join(bytes(pixel(x, y, size)) for x in range(size))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
            chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for dpi, size in ((96, 16), (192, 32)):
        with open(os.path.join(here, "Zarimark_%d.png" % dpi), "wb") as out:
            out.write(png(size))


if __name__ == "__main__":
    main()
