#!/usr/bin/env python3
"""Generates a corpus of Japanese text in Shift_JIS and EUC-JP and measures how the
EUC/Shift_JIS scoring classifies it.

  detection_corpus.py generate DIR      write DIR/sjis/*.txt and DIR/euc/*.txt
  detection_corpus.py model DIR         score every file with the old (overlapping) rule and
                                        with the rule kiv uses, both modelled here
  detection_corpus.py kivtool DIR KIVTOOL   run 'KIVTOOL detect' on every file and count hits

The generator is seeded, so the same corpus comes out every time.
"""
import os
import random
import subprocess
import sys

HIRAGANA = [chr(c) for c in range(0x3041, 0x3094)]
KATAKANA = [chr(c) for c in range(0x30A1, 0x30F7)]
HALFWIDTH_KANA = [chr(c) for c in range(0xFF61, 0xFFA0)]
PUNCT = list("、。「」・ー！？（）　")
ASCII = list("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ,.-:;()")


def kanji_pool():
    # Level-1 kanji of JIS X 0208 (rows 16-47), taken through EUC-JP so that every one is
    # encodable in both target encodings.
    pool = []
    for row in range(0xB0, 0xD0):
        for cell in range(0xA1, 0xFF):
            try:
                ch = bytes([row, cell]).decode("euc_jp")
            except UnicodeDecodeError:
                continue
            pool.append(ch)
    return pool


KANJI = kanji_pool()

# Each style is a list of (pool, weight) and a line-length range.
STYLES = {
    "prose": [(HIRAGANA, 50), (KANJI, 30), (KATAKANA, 8), (PUNCT, 8), (ASCII, 4)],
    "hiragana": [(HIRAGANA, 90), (PUNCT, 10)],
    "katakana": [(KATAKANA, 85), (PUNCT, 15)],
    "kanji": [(KANJI, 85), (PUNCT, 15)],
    "ascii_mix": [(ASCII, 70), (HIRAGANA, 15), (KANJI, 15)],
    "halfwidth": [(HALFWIDTH_KANA, 70), (ASCII, 20), (PUNCT, 10)],
    "halfwidth_mix": [(HIRAGANA, 40), (KANJI, 25), (HALFWIDTH_KANA, 25), (ASCII, 10)],
}
SIZES = {"tiny": 8, "short": 40, "medium": 400, "long": 6000}


def make_text(rng, style, chars):
    pools, weights = zip(*STYLES[style])
    out = []
    line = 0
    for _ in range(chars):
        pool = rng.choices(pools, weights)[0]
        out.append(rng.choice(pool))
        line += 1
        if line > rng.randint(20, 60):
            out.append("\r\n")
            line = 0
    return "".join(out)


def generate(folder):
    rng = random.Random(20261207)
    for enc, codec in (("sjis", "cp932"), ("euc", "euc_jp")):
        os.makedirs(os.path.join(folder, enc), exist_ok=True)
    count = 0
    for style in STYLES:
        for size, chars in SIZES.items():
            for n in range(4):
                text = make_text(rng, style, chars)
                name = f"{style}_{size}_{n}.txt"
                for enc, codec in (("sjis", "cp932"), ("euc", "euc_jp")):
                    with open(os.path.join(folder, enc, name), "wb") as f:
                        f.write(text.encode(codec))
                count += 1
    print(f"{count} texts in each encoding under {folder}")


def is_utf8(sample):
    n = len(sample)
    i = 0
    while n > 4 and i < n - 4:
        b = sample[i]
        if b < 0x80:
            i += 1
            continue
        if b & 0xE0 == 0xC0:
            k = 1
        elif b & 0xF0 == 0xE0:
            k = 2
        elif b & 0xF8 == 0xF0:
            k = 3
        else:
            return False
        for j in range(1, k + 1):
            if i + j >= n or sample[i + j] & 0xC0 != 0x80:
                return False
        i += k + 1
    return True


def score(sample, mended):
    """The EUC/Shift_JIS part of detection: 2 for EUC-JP, 1 for Shift_JIS, 5 for UTF-8."""
    utf8 = is_utf8(sample)
    diff = 0
    n = len(sample)
    for i in range(0, n - 3):
        b0, b1 = sample[i], sample[i + 1]
        sjis_pair = (0x81 <= b0 <= 0x9F or 0xE0 <= b0 <= 0xFC) and 0x40 <= b1 <= 0xFC and b1 != 0x7F
        sjis_kana = 0xA0 <= b0 <= 0xDF
        euc_kana = b0 == 0x8E and 0xA0 <= b1 <= 0xDF
        euc_pair = 0xA1 <= b0 <= 0xFE and b1 >= 0xA1
        if not utf8:
            if mended:
                # An offset that passes both sides' pair tests proves nothing, nor do two bytes
                # A6-DF / A1-DF (half-width katakana as much as an EUC-JP kanji); 8E followed
                # by a kana byte speaks for EUC-JP, and a kana byte before it is no Shift_JIS.
                kana_run = 0xA6 <= b0 <= 0xDF and 0xA1 <= b1 <= 0xDF
                sjis = ((sjis_pair and not euc_kana) or (sjis_kana and b1 != 0x8E)) and not euc_pair
                euc = (euc_pair and not sjis_pair and not kana_run) or euc_kana
            else:
                sjis = sjis_pair or sjis_kana
                euc = euc_pair or euc_kana
            diff += int(euc) - int(sjis)
        if diff > 32:
            return 2
        if diff < -32:
            return 1
    if utf8:
        return 5
    return 2 if diff > 0 else 1


def files(folder):
    for enc, expected in (("sjis", 1), ("euc", 2)):
        sub = os.path.join(folder, enc)
        for name in sorted(os.listdir(sub)):
            yield enc, expected, os.path.join(sub, name)


def report(results):
    for enc in ("sjis", "euc"):
        hits = [ok for e, ok, _ in results if e == enc]
        print(f"  {enc}: {sum(hits)}/{len(hits)} detected correctly")
    misses = [path for _, ok, path in results if not ok]
    for path in misses[:20]:
        print(f"    miss: {path}")


def model(folder):
    for mended in (False, True):
        print("mended rule" if mended else "overlapping rule (before)")
        results = []
        for enc, expected, path in files(folder):
            with open(path, "rb") as f:
                sample = f.read(131072)
            results.append((enc, score(sample, mended) == expected, path))
        report(results)


def kivtool(folder, tool):
    results = []
    for enc, expected, path in files(folder):
        out = subprocess.run([tool, "detect", path], capture_output=True, text=True).stdout
        got = int(out.rsplit("(", 2)[1].split(")")[0]) if "(" in out else 0
        results.append((enc, got == expected, path))
    print("kivtool detect")
    report(results)


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "generate":
        generate(sys.argv[2])
    elif len(sys.argv) >= 3 and sys.argv[1] == "model":
        model(sys.argv[2])
    elif len(sys.argv) >= 4 and sys.argv[1] == "kivtool":
        kivtool(sys.argv[2], sys.argv[3])
    else:
        print(__doc__)
        sys.exit(2)
