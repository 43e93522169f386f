#!/usr/bin/env python3
"""Writes tamo-config.ico from the PNG icons (16 and 32 px), as 32-bit BGRA bitmaps with an
AND mask: the form every Windows version, windres and NSIS read.

    packaging/windows/make-ico.py packaging/icons/tamo-config-16.png \
        packaging/icons/tamo-config-32.png packaging/windows/tamo-config.ico
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path
    pos, chunks = 8, []
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        chunks.append((kind, data[pos + 8:pos + 8 + length]))
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    assert depth == 8 and interlace == 0 and colour in (2, 3, 6), (path, depth, colour)
    palette, alpha = [], []
    for kind, body in chunks:
        if kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b"tRNS":
            alpha = list(body)
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    channels = {2: 3, 3: 1, 6: 4}[colour]
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                pred = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[i] = (line[i] + pred) & 0xFF
        rows.append(line)
        previous = line
    pixels = []
    for line in rows:
        for x in range(width):
            if colour == 3:
                index = line[x]
                r, g, b = palette[index]
                a = alpha[index] if index < len(alpha) else 255
            elif colour == 2:
                r, g, b = line[3 * x:3 * x + 3]
                a = 255
            else:
                r, g, b, a = line[4 * x:4 * x + 4]
            pixels.append((r, g, b, a))
    return width, height, pixels


def bitmap(width, height, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b, a = pixels[y * width + x]
            colour += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(height)):
        line = bytearray(mask_stride)
        for x in range(width):
            if pixels[y * width + x][3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + mask


def main():
    *sources, target = sys.argv[1:]
    images = [read_png(path) for path in sources]
    bodies = [bitmap(*image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (width, height, _), body in zip(images, bodies):
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    open(target, "wb").write(out + b"".join(bodies))


main()
