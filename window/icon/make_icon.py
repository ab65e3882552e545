#!/usr/bin/env python3
"""Draws Stavrel's icon (a game cartridge with a "convert" arrow on its label)
and writes window/stavrel.ico. Standard library only.

The build uses the committed stavrel.ico; run this only after changing the
drawing:  python3 window/icon/make_icon.py [output.ico]
"""
import os
import struct
import sys
import zlib

# Colours of the true-colour images (RGB), and the stand-ins that the 16- and
# 256-colour images use.
COLOURS = {
    "outline": (0x1B, 0x22, 0x30),
    "body": (0x3C, 0x5A, 0x86),
    "label": (0xF4, 0xEF, 0xE0),
    "arrow": (0x2E, 0x9E, 0x4F),
    "slot": (0x16, 0x1B, 0x26),
    "contact": (0xE0, 0xB0, 0x30),
}
# Index into the standard 16-colour palette below.
VGA16_INDEX = {"outline": 0, "body": 4, "label": 15, "arrow": 2, "slot": 0, "contact": 11}
VGA16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def in_arrow(x, y):
    """A right-pointing arrow across the label."""
    if 0.31 <= x <= 0.53 and 0.325 <= y <= 0.425:
        return True
    # Head: a triangle with its tip at (0.70, 0.375).
    if 0.50 <= x <= 0.70:
        half = 0.13 * (0.70 - x) / 0.20
        return abs(y - 0.375) <= half
    return False


def region_at(x, y, outline):
    """The part of the drawing at (x, y) in the unit square, or None."""
    body = (0.14, 0.05, 0.86, 0.95, 0.09)
    if not in_rounded_rect(x, y, *body):
        return None
    inner = (body[0] + outline, body[1] + outline, body[2] - outline, body[3] - outline,
             max(body[4] - outline, 0.0))
    if not in_rounded_rect(x, y, *inner):
        return "outline"
    if in_rounded_rect(x, y, 0.24, 0.15, 0.76, 0.60, 0.04):
        return "arrow" if in_arrow(x, y) else "label"
    if 0.24 <= x <= 0.76 and 0.70 <= y <= 0.86:
        # Contacts: five gold strips in a dark slot.
        if 0.735 <= y <= 0.86:
            strip = (x - 0.24) / 0.52 * 5
            if 0.18 <= strip % 1.0 <= 0.82:
                return "contact"
        return "slot"
    return "body"


def outline_width(size):
    return max(1.0 / size, 0.035)


def render_rgba(size, samples=4):
    """Anti-aliased RGBA rows, top row first."""
    rows = []
    width = outline_width(size)
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size
                    y = (py + (sy + 0.5) / samples) / size
                    part = region_at(x, y, width)
                    if part:
                        cr, cg, cb = COLOURS[part]
                        r, g, b, covered = r + cr, g + cg, b + cb, covered + 1
            if covered:
                row.append((r // covered, g // covered, b // covered,
                            covered * 255 // (samples * samples)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def render_regions(size):
    """One region name (or None) per pixel, sampled at its centre."""
    width = outline_width(size)
    return [[region_at((px + 0.5) / size, (py + 0.5) / size, width) for px in range(size)]
            for py in range(size)]


def padded(data):
    return data + b"\0" * (-len(data) % 4)


def and_mask(size, transparent):
    """1 bit a pixel, bottom row first; set bits are transparent."""
    out = b""
    for py in reversed(range(size)):
        bits = bytearray((size + 7) // 8)
        for px in range(size):
            if transparent(px, py):
                bits[px // 8] |= 0x80 >> (px % 8)
        out += padded(bytes(bits))
    return out


def bitmap_image(size, bits, palette, xor, mask):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(xor) + len(mask),
                         0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + colours + xor + mask


def image_32bit(size):
    # Small sizes come out crisper sampled once a pixel than smoothed.
    rows = render_rgba(size, samples=1 if size <= 24 else 4)
    xor = b"".join(
        padded(b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in rows[py]))
        for py in reversed(range(size)))
    mask = and_mask(size, lambda px, py: rows[py][px][3] == 0)
    return bitmap_image(size, 32, [], xor, mask)


def image_4bit(size):
    regions = render_regions(size)
    xor = b""
    for py in reversed(range(size)):
        nibbles = [VGA16_INDEX[part] if part else 0 for part in regions[py]]
        row = bytes((nibbles[i] << 4) | (nibbles[i + 1] if i + 1 < size else 0)
                    for i in range(0, size, 2))
        xor += padded(row)
    mask = and_mask(size, lambda px, py: regions[py][px] is None)
    return bitmap_image(size, 4, VGA16, xor, mask)


def image_8bit(size):
    regions = render_regions(size)
    names = ["transparent"] + sorted(COLOURS)
    palette = [(0, 0, 0)] + [COLOURS[name] for name in names[1:]]
    palette += [(0, 0, 0)] * (256 - len(palette))
    xor = b"".join(
        padded(bytes(names.index(part) if part else 0 for part in regions[py]))
        for py in reversed(range(size)))
    mask = and_mask(size, lambda px, py: regions[py][px] is None)
    return bitmap_image(size, 8, palette, xor, mask)


def image_png(size):
    rows = render_rgba(size)
    raw = b"".join(b"\0" + b"".join(bytes(pixel) for pixel in row) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


# (size, bits per pixel, how it is stored)
IMAGES = [
    (16, 32, image_32bit),
    (24, 32, image_32bit),
    (32, 4, image_4bit),
    (32, 8, image_8bit),
    (32, 32, image_32bit),
    (48, 32, image_32bit),
    (256, 32, image_png),
]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "stavrel.ico")
    blobs = [(size, bits, make(size)) for size, bits, make in IMAGES]
    offset = 6 + 16 * len(blobs)
    directory = struct.pack("<HHH", 0, 1, len(blobs))
    for size, bits, blob in blobs:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 16 if bits == 4 else 0, 0,
                                 1, bits, len(blob), offset)
        offset += len(blob)
    with open(output, "wb") as ico:
        ico.write(directory + b"".join(blob for _, _, blob in blobs))


if __name__ == "__main__":
    main()
