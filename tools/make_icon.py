#!/usr/bin/env python3
"""Draws kiv's icon: a sheet of text on an indigo tile, with a vermilion seal bearing a "k".

Writes resources/icons/kiv.svg, resources/icons/<size>/kiv.png for the desktop's icon theme and
resources/IconImage.cpp (the 48-pixel PNG as the program's icon resource). Standard library
only; run it again after changing the drawing.
"""

import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SIZES = (16, 32, 48, 64, 128, 256)
RESOURCE_SIZE = 48
SAMPLES = 4  # per axis, for smooth edges

INDIGO = (43, 58, 103)
PAPER = (250, 248, 242)
FOLD = (206, 210, 222)
INK = (120, 128, 150)
SEAL = (228, 87, 46)
WHITE = (255, 255, 255)

# The drawing in a 0..1 square, back to front.
TILE = ("roundrect", 0.0, 0.0, 1.0, 1.0, 0.18, INDIGO)
PAGE = ("polygon", [(0.22, 0.12), (0.64, 0.12), (0.78, 0.26), (0.78, 0.88), (0.22, 0.88)], PAPER)
FOLD_CORNER = ("polygon", [(0.64, 0.12), (0.78, 0.26), (0.64, 0.26)], FOLD)
LINES = [("rect", 0.30, y, x1, y + 0.05, INK)
         for y, x1 in ((0.22, 0.56), (0.34, 0.70), (0.46, 0.70), (0.58, 0.50))]
SEAL_DISC = ("circle", 0.70, 0.72, 0.19, SEAL)
K_STROKES = [("segment", 0.64, 0.62, 0.64, 0.83, 0.045, WHITE),
             ("segment", 0.655, 0.74, 0.77, 0.62, 0.045, WHITE),
             ("segment", 0.68, 0.715, 0.775, 0.83, 0.045, WHITE)]
SHAPES = [TILE, PAGE, FOLD_CORNER, *LINES, SEAL_DISC, *K_STROKES]


def inside(shape, x, y):
    kind = shape[0]
    if kind == "rect":
        _, x0, y0, x1, y1, _ = shape
        return x0 <= x <= x1 and y0 <= y <= y1
    if kind == "roundrect":
        _, x0, y0, x1, y1, r, _ = shape
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "circle":
        _, cx, cy, r, _ = shape
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    if kind == "segment":
        _, x0, y0, x1, y1, w, _ = shape
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    if kind == "polygon":
        points = shape[1]
        hit = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    raise ValueError(kind)


def render(size):
    rows = []
    for py in range(size):
        row = bytearray([0])  # no filter
        for px in range(size):
            total = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    colour = None
                    for shape in SHAPES:
                        if inside(shape, x, y):
                            colour = shape[-1]
                    if colour is not None:
                        for i in range(3):
                            total[i] += colour[i]
                        total[3] += 255
            n = SAMPLES * SAMPLES
            covered = total[3] // 255
            rgb = [total[i] // covered if covered else 0 for i in range(3)]
            row += bytes(rgb + [total[3] // n])
        rows.append(bytes(row))
    return png(size, b"".join(rows))


def png(size, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def hexcolour(c):
    return "#%02x%02x%02x" % c


def svg():
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 1 1">']
    for shape in SHAPES:
        kind, fill = shape[0], hexcolour(shape[-1])
        if kind == "rect":
            _, x0, y0, x1, y1, _ = shape
            out.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0:.3f}" height="{y1 - y0:.3f}" '
                       f'fill="{fill}"/>')
        elif kind == "roundrect":
            _, x0, y0, x1, y1, r, _ = shape
            out.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0}" height="{y1 - y0}" rx="{r}" '
                       f'fill="{fill}"/>')
        elif kind == "circle":
            _, cx, cy, r, _ = shape
            out.append(f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"/>')
        elif kind == "segment":
            _, x0, y0, x1, y1, w, _ = shape
            out.append(f'<line x1="{x0}" y1="{y0}" x2="{x1}" y2="{y1}" stroke="{fill}" '
                       f'stroke-width="{w}" stroke-linecap="round"/>')
        elif kind == "polygon":
            points = " ".join(f"{x},{y}" for x, y in shape[1])
            out.append(f'<polygon points="{points}" fill="{fill}"/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def resource_source(data):
    lines = ["// The program's icon (resource 128) as a PNG image; made by tools/make_icon.py.",
             "", '#include "resources/ResourceIds.h"', '#include "resources/Resources.h"', "", "namespace resources {", "",
             "namespace {", "", "// clang-format off", "constexpr unsigned char kIconPng[] = {"]
    for i in range(0, len(data), 16):
        lines.append("    " + ", ".join("0x%02x" % b for b in data[i:i + 16]) + ",")
    lines += ["};", "// clang-format on", "", "} // namespace", "",
              "std::span<const unsigned char> loadIconImage(int id) {",
              "    if (id != IDR_MAINFRAME)", "        return {};",
              "    return kIconPng;", "}", "", "} // namespace resources", ""]
    return "\n".join(lines)


def main():
    icons = os.path.join(ROOT, "resources", "icons")
    os.makedirs(icons, exist_ok=True)
    with open(os.path.join(icons, "kiv.svg"), "w") as f:
        f.write(svg())
    for size in SIZES:
        folder = os.path.join(icons, f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        data = render(size)
        with open(os.path.join(folder, "kiv.png"), "wb") as f:
            f.write(data)
        if size == RESOURCE_SIZE:
            with open(os.path.join(ROOT, "resources", "IconImage.cpp"), "w") as f:
                f.write(resource_source(data))


if __name__ == "__main__":
    main()
