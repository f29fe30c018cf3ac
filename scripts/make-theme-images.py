#!/usr/bin/env python3
"""Draws the program's own images into Themes/: play.png, stop.png,
delete.png, insert.png (toolbar, 32x32) and application.ico (16, 32, 48).

Plain Python (zlib and struct only), so that the output is the same on every
machine. Run it from anywhere: python3 scripts/make-theme-images.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
THEMES = os.path.join(os.path.dirname(HERE), "Themes")
SAMPLES = 4  # supersampling per axis for smooth edges


def render(size, layers):
    """layers: list of (inside(x, y) -> bool in unit coordinates, (r, g, b))."""
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied colour and alpha
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    colour = None
                    for inside, rgb in layers:
                        if inside(x, y):
                            colour = rgb
                    if colour:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            n = SAMPLES * SAMPLES
            a = acc[3] / n
            if acc[3]:
                rgb = [round(c / acc[3]) for c in acc[:3]]
            else:
                rgb = [0, 0, 0]
            row.append((rgb[0], rgb[1], rgb[2], round(a * 255)))
        pixels.append(row)
    return pixels


def png_bytes(pixels):
    size = len(pixels)
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(images):
    """ICO with 32-bit BMP entries (BGRA rows bottom-up plus an AND mask)."""
    entries = []
    for pixels in images:
        size = len(pixels)
        header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        xor = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(pixels) for p in row)
        mask_stride = ((size + 31) // 32) * 4
        mask = b""
        for row in reversed(pixels):
            bits = bytearray(mask_stride)
            for x, p in enumerate(row):
                if p[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        entries.append((size, header + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    for size, data in entries:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in entries:
        out += data
    return out


# Shapes in unit coordinates (0..1, y downwards).
def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def inside(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def bar(p, q, half_width):
    """A thick line segment from p to q with round ends."""
    dx, dy = q[0] - p[0], q[1] - p[1]
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - p[0]) * dx + (y - p[1]) * dy) / length2))
        ex, ey = p[0] + t * dx - x, p[1] + t * dy - y
        return ex * ex + ey * ey <= half_width * half_width
    return inside


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


GREEN = (46, 160, 67)
DARK_GREEN = (25, 110, 45)
RED = (200, 40, 40)
DARK_RED = (140, 20, 20)
WHITE = (255, 255, 255)
TEAL = (32, 128, 140)
SKY = (176, 223, 227)
AMBER = (240, 170, 40)
BLUE = (60, 110, 200)


def play():
    return [(circle(0.5, 0.5, 0.46), DARK_GREEN), (circle(0.5, 0.5, 0.40), GREEN),
            (triangle((0.38, 0.27), (0.38, 0.73), (0.76, 0.5)), WHITE)]


def stop():
    return [(circle(0.5, 0.5, 0.46), DARK_RED), (circle(0.5, 0.5, 0.40), RED),
            (rounded_rect(0.31, 0.31, 0.69, 0.69, 0.05), WHITE)]


def delete():
    return [(bar((0.2, 0.2), (0.8, 0.8), 0.1), DARK_RED), (bar((0.8, 0.2), (0.2, 0.8), 0.1), DARK_RED),
            (bar((0.2, 0.2), (0.8, 0.8), 0.065), RED), (bar((0.8, 0.2), (0.2, 0.8), 0.065), RED)]


def insert():
    # A picture (sky, sun, hill) with a green plus in the corner.
    return [(rounded_rect(0.06, 0.14, 0.78, 0.76, 0.05), (90, 90, 90)),
            (box(0.11, 0.19, 0.73, 0.71), SKY),
            (circle(0.56, 0.34, 0.08), AMBER),
            (lambda x, y: 0.11 <= x <= 0.73 and y <= 0.71 and y >= 0.71 - 0.32 * math.sin(math.pi * (x - 0.11) / 0.62), BLUE),
            (circle(0.74, 0.74, 0.24), WHITE), (circle(0.74, 0.74, 0.2), GREEN),
            (box(0.64, 0.71, 0.84, 0.77), WHITE), (box(0.71, 0.64, 0.77, 0.84), WHITE)]


def application():
    # Three stacked frames of a film strip with a play mark in front.
    return [(rounded_rect(0.02, 0.02, 0.98, 0.98, 0.16), TEAL),
            (rounded_rect(0.30, 0.10, 0.90, 0.60, 0.05), (120, 190, 200)),
            (rounded_rect(0.20, 0.20, 0.80, 0.70, 0.05), SKY),
            (rounded_rect(0.10, 0.30, 0.70, 0.80, 0.05), WHITE),
            (triangle((0.30, 0.42), (0.30, 0.70), (0.54, 0.56)), GREEN)]


def main():
    os.makedirs(THEMES, exist_ok=True)
    for name, layers in (("play.png", play()), ("stop.png", stop()),
                         ("delete.png", delete()), ("insert.png", insert())):
        with open(os.path.join(THEMES, name), "wb") as f:
            f.write(png_bytes(render(32, layers)))
    with open(os.path.join(THEMES, "application.ico"), "wb") as f:
        f.write(ico_bytes([render(s, application()) for s in (16, 32, 48)]))


if __name__ == "__main__":
    main()
