"""Reads 8-bit RGB PNG files and writes PNG files with the standard library only.

Enough for the project's own pictures: the test host writes plain 8-bit RGB
(or RGBA) images, and the pictures made here are RGB; the test documents
are written grey or colour, with or without alpha, at 8 or 16 bits.
"""
import struct
import zlib


def write_png(path, width, height, rgb_rows, depth=8, colour_type=2):
    """rgb_rows: height rows, each a bytes object of width * 3 bytes (or, for
    another depth and PNG colour type, the samples that row holds, 16-bit
    ones big-endian)."""
    raw = b"".join(b"\x00" + bytes(row) for row in rgb_rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                  + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    """Returns (width, height, rows) with rows of width * 3 RGB bytes."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {2: 3, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA, not interlaced")
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            predictor = (0, left, up, (left + up) // 2, _paeth(left, up, corner))[kind]
            line[i] = (line[i] + predictor) & 0xFF
        previous = line
        rows.append(bytes(b for i, b in enumerate(line) if i % channels < 3))
    return width, height, rows
