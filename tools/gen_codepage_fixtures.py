#!/usr/bin/env python3
"""Writes the expected results of the code-page tests into tests/data/codepage/, taken from
Python's codecs (an independent implementation), so the tests never run Python.

  cp932_decode.bin    every mapped code: big-endian code (single bytes < 0x100), big-endian unit
  cp932_encode.bin    every BMP unit that has a code: big-endian unit, big-endian code
  cp932_mixed.bin     random bytes rich in lead and trail bytes ...
  cp932_mixed.u16     ... and their decoding with U+FFFD replacement, UTF-16LE
  utf8_mixed.bin      random bytes rich in UTF-8 structure ...
  utf8_mixed.u16      ... and their decoding with U+FFFD replacement, UTF-16LE
  cp1252_decode.u16   the 256 bytes of code page 1252 decoded, UTF-16LE

For encoding code page 932 the expected code is Python's, except that where Python gives a
NEC-selected IBM extension (lead ED or EE) for a character that an IBM extension (FA-FC)
also encodes, Windows (and so the expected result) gives the IBM extension.
"""
import os
import random
import struct

OUT = os.path.join(os.path.dirname(__file__), "..", "tests", "data", "codepage")
LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def cp932_fixtures():
    decoded = {}
    for b in range(256):
        if b not in LEADS:
            decoded[b] = bytes([b]).decode("cp932")
    for lead in LEADS:
        for trail in range(0x40, 0x100):
            try:
                decoded[(lead << 8) | trail] = bytes([lead, trail]).decode("cp932")
            except UnicodeDecodeError:
                pass
    out = bytearray()
    for code in sorted(decoded):
        out += struct.pack(">HH", code, ord(decoded[code]))
    write("cp932_decode.bin", out)

    by_unit = {}
    for code, text in decoded.items():
        by_unit.setdefault(ord(text), []).append(code)
    out = bytearray()
    for u in range(0x10000):
        if 0xD800 <= u <= 0xDFFF:
            continue
        try:
            enc = chr(u).encode("cp932")
        except UnicodeEncodeError:
            continue
        code = enc[0] if len(enc) == 1 else (enc[0] << 8) | enc[1]
        if code >> 8 in (0xED, 0xEE):
            ibm = [c for c in by_unit.get(u, []) if c >> 8 >= 0xFA]
            if ibm:
                code = min(ibm)
        out += struct.pack(">HH", u, code)
    write("cp932_encode.bin", out)

    rng = random.Random(932)
    pool = LEADS + list(range(0x40, 0x80)) + list(range(0x80, 0x100)) + [0x0D, 0x0A, 0x00]
    data = bytes(rng.choice(pool) for _ in range(6000))
    write("cp932_mixed.bin", data)
    write("cp932_mixed.u16", data.decode("cp932", errors="replace").encode("utf-16-le"))


def utf8_fixtures():
    rng = random.Random(65001)
    pieces = []
    for _ in range(3000):
        kind = rng.randrange(6)
        if kind == 0:
            pieces.append(bytes([rng.randrange(0x80)]))
        elif kind == 1:
            pieces.append(chr(rng.randrange(0x80, 0xFFFD)).encode("utf-8", errors="replace"))
        elif kind == 2:
            pieces.append(chr(rng.randrange(0x10000, 0x110000)).encode("utf-8"))
        elif kind == 3:
            s = chr(rng.randrange(0x800, 0x110000)).encode("utf-8", errors="replace")
            pieces.append(s[: rng.randrange(1, len(s))] if len(s) > 1 else s)  # truncated
        elif kind == 4:
            pieces.append(bytes([rng.choice([0xC0, 0xC1, 0xE0, 0xED, 0xF0, 0xF4, 0xF5, 0xFF]),
                                 rng.randrange(0x80, 0xC0), rng.randrange(0x80, 0xC0)]))
        else:
            pieces.append(bytes([rng.randrange(0x80, 0x100)]))
    data = b"".join(pieces)
    write("utf8_mixed.bin", data)
    write("utf8_mixed.u16", data.decode("utf-8", errors="replace").encode("utf-16-le"))


def cp1252_fixture():
    text = ""
    for b in range(256):
        try:
            text += bytes([b]).decode("cp1252")
        except UnicodeDecodeError:
            text += chr(b)  # the five bytes without a character map to the C1 control
    write("cp1252_decode.u16", text.encode("utf-16-le"))


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    cp932_fixtures()
    utf8_fixtures()
    cp1252_fixture()
