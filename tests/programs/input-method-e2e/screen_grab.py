#!/usr/bin/env python3
"""screen_grab.py: reads a true-colour X window dump (as `xwd -root` writes it) with nothing
but the standard library.

  screen_grab.py png DUMP OUT.png            writes the dump as an RGB PNG
  screen_grab.py highlight DUMP X0 Y0 X1 Y1  prints "count min_x max_x" of highlight-blue
                                             pixels in the box (min/max -1 when none)
  screen_grab.py ink DUMP X0 Y0 X1 Y1        prints the count of dark (text) pixels in the box
"""
import struct
import sys
import zlib


def shift_of(mask):
    shift = 0
    while mask and not mask & 1:
        mask >>= 1
        shift += 1
    return shift


class Dump:
    """The pixels of a dump, decoded row by row as they are asked for."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields = struct.unpack(">25I", data[:100])
        header_size, _version, pixmap_format, _depth, self.width, self.height = fields[:6]
        byte_order, bits_per_pixel, self.bytes_per_line = fields[7], fields[11], fields[12]
        ncolors = fields[19]
        if pixmap_format != 2 or bits_per_pixel not in (24, 32):
            raise SystemExit("only true-colour ZPixmap dumps are supported")
        self.pixels = data[header_size + 12 * ncolors:]
        self.step = bits_per_pixel // 8
        self.order = "little" if byte_order == 0 else "big"
        self.shifts = [(m, shift_of(m)) for m in fields[14:17]]

    def row(self, y, x0=0, x1=None):
        """RGB bytes of pixels [x0, x1) of row y."""
        x1 = self.width if x1 is None else x1
        start = y * self.bytes_per_line
        out = bytearray((x1 - x0) * 3)
        for i, x in enumerate(range(x0, x1)):
            at = start + x * self.step
            value = int.from_bytes(self.pixels[at:at + self.step], self.order)
            for c, (mask, shift) in enumerate(self.shifts):
                out[i * 3 + c] = (value & mask) >> shift
        return bytes(out)


def write_png(path, width, height, rows):
    def chunk(kind, body):
        crc = zlib.crc32(kind + body) & 0xFFFFFFFF
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)

    raw = b"".join(b"\0" + row for row in rows)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
                chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def box_pixels(dump, x0, y0, x1, y1):
    x0, x1 = max(x0, 0), min(x1, dump.width)
    for y in range(max(y0, 0), min(y1, dump.height)):
        row = dump.row(y, x0, x1)
        for i in range(x1 - x0):
            yield x0 + i, row[i * 3], row[i * 3 + 1], row[i * 3 + 2]


def main():
    command = sys.argv[1]
    dump = Dump(sys.argv[2])
    if command == "png":
        rows = [dump.row(y) for y in range(dump.height)]
        write_png(sys.argv[3], dump.width, dump.height, rows)
        return
    x0, y0, x1, y1 = (int(v) for v in sys.argv[3:7])
    pixels = box_pixels(dump, x0, y0, x1, y1)
    if command == "highlight":
        xs = [x for x, r, _g, b in pixels if b > 150 and b - r > 60]
        print(len(xs), min(xs, default=-1), max(xs, default=-1))
    elif command == "ink":
        print(sum(1 for _x, r, g, b in pixels if max(r, g, b) < 100))
    else:
        raise SystemExit("unknown command " + command)


if __name__ == "__main__":
    main()
