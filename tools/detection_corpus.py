#!/usr/bin/env python3
"""Generates a corpus of text files in every encoding kiv reads, sorted into classes, and
measures how 'kivtool detect' classifies them.

  detection_corpus.py generate DIR [SEED]          write DIR/<class>/<codec>/<name>
  detection_corpus.py measure DIR KIVTOOL [KIVTOOL...]
                                                   run each KIVTOOL's 'detect' on every file
                                                   and print a table of hits per class

A file counts as read correctly when decoding it with Python's codec for the encoding kivtool
reports gives back the very text it was made from (so an ASCII text taken for UTF-8 is a hit).
The table shows files of 4 bytes or more; the tiny class also shows the ones below 4 bytes.
The generator is seeded, so the same corpus comes out every time; another SEED gives another
corpus of the same make, to see that figures hold beyond the texts they were measured on.

Classes:
  japanese   prose, kana, kanji and mixed texts in Shift_JIS, EUC-JP, ISO-2022-JP and UTF-8
  tiny       files of 1-10 bytes: a few Japanese or Latin characters in each 8-bit encoding
  prefix     Japanese text after more than 128 KiB of ASCII, in each Japanese encoding
  kana       half-width katakana only (with its punctuation), in Shift_JIS and EUC-JP
  utf16      Japanese text without any line break, UTF-16 of both byte orders, no mark
  latin      sentences in French, German, Spanish and Portuguese, Windows-1252
"""
import os
import random
import re
import subprocess
import sys

HIRAGANA = [chr(c) for c in range(0x3041, 0x3094)]
KATAKANA = [chr(c) for c in range(0x30A1, 0x30F7)]
HALFWIDTH_KANA = [chr(c) for c in range(0xFF66, 0xFFA0)]
HALFWIDTH_PUNCT = [chr(c) for c in range(0xFF61, 0xFF66)]
PUNCT = list("、。「」・ー！？（）　")
ASCII = list("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ,.-:;()")

# Python's codec for each id that 'kivtool detect' prints.
CODECS = {1: "cp932", 2: "euc_jp", 3: "iso2022_jp_ext", 4: "utf-8-sig", 5: "utf-8",
          6: "utf-16", 7: "utf-16", 8: "utf-16-be", 9: "utf-16-le", 10: "cp1252"}
# The codec each class's files are written with, by folder name.
WRITERS = {"sjis": "cp932", "euc": "euc_jp", "jis": "iso2022_jp_ext", "utf8": "utf-8",
           "utf16le": "utf-16-le", "utf16be": "utf-16-be", "latin": "cp1252"}


def kanji_pool():
    # Level-1 kanji of JIS X 0208 (rows 16-47), taken through EUC-JP so that every one is
    # encodable in every Japanese encoding.
    pool = []
    for row in range(0xB0, 0xD0):
        for cell in range(0xA1, 0xFF):
            try:
                pool.append(bytes([row, cell]).decode("euc_jp"))
            except UnicodeDecodeError:
                continue
    return pool


KANJI = kanji_pool()

# Each style is a list of (pool, weight).
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

LATIN_WORDS = {
    "fr": "café été élève très déjà où garçon français Noël naïve hôtel forêt château crème "
          "brûlée à ça le la les un une et est avec pour dans sur que qui pas plus être".split(),
    "de": "über Äpfel Öl schön Straße Mädchen grün größer Füße Bär hören müssen "
          "der die das und ist mit für auf nicht ein eine zu von haben".split(),
    "es": "niño año mañana acción está también corazón información aquí allí señor "
          "el la los las y es con para en que no por una un del".split(),
    "pt": "não coração ação você São português informação também está aí pé "
          "o a os as e é com para em que um uma do da por".split(),
}
LATIN_PUNCT = [", ", ". ", " – ", " — ", "… ", " “", "” ", " ‘", "’ ", " €", "; ", "! ", "? "]


def make_text(rng, style, chars, breaks=True):
    pools, weights = zip(*STYLES[style])
    out = []
    line = 0
    for _ in range(chars):
        out.append(rng.choice(rng.choices(pools, weights)[0]))
        line += 1
        if breaks and line > rng.randint(20, 60):
            out.append("\r\n")
            line = 0
    return "".join(out)


def make_latin(rng, words):
    language = rng.choice(sorted(LATIN_WORDS))
    out = []
    for i in range(words):
        word = rng.choice(LATIN_WORDS[language])
        out.append(word.capitalize() if i == 0 or out[-1].endswith(". ") else word)
        if i + 1 < words:
            out.append(rng.choice(LATIN_PUNCT) if rng.random() < 0.15 else " ")
        if rng.random() < 0.05:
            out.append("\r\n")
    return "".join(out) + ".\r\n"


def make_kana(rng, chars, breaks):
    out = []
    for i in range(chars):
        pool = HALFWIDTH_PUNCT if rng.random() < 0.12 else HALFWIDTH_KANA
        out.append(rng.choice(pool))
        if breaks and i % 30 == 29:
            out.append("\r\n")
    return "".join(out)


def make_ascii_lines(rng, at_least):
    words = "the quick brown fox jumps over lazy dog log entry value status ok error".split()
    out = []
    size = 0
    while size <= at_least:
        line = " ".join(rng.choice(words) for _ in range(rng.randint(4, 12))) + "\r\n"
        out.append(line)
        size += len(line)
    return "".join(out)


def write(folder, cls, writer, name, text):
    path = os.path.join(folder, cls, writer)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(text.encode(WRITERS[writer]))
    with open(os.path.join(path, name + ".expected"), "w", encoding="utf-8", newline="") as f:
        f.write(text)


def generate(folder, seed=20261207):
    rng = random.Random(seed)
    for style in STYLES:
        for size, chars in SIZES.items():
            for n in range(4):
                text = make_text(rng, style, chars)
                name = f"{style}_{size}_{n}.txt"
                for writer in ("sjis", "euc", "utf8"):
                    write(folder, "japanese", writer, name, text)
                if "halfwidth" not in style:
                    write(folder, "japanese", "jis", name, text)
    for n in range(60):
        text = make_text(rng, rng.choice(["prose", "hiragana", "katakana", "kanji"]),
                         rng.randint(1, 5), breaks=False)
        for writer in ("sjis", "euc", "utf8", "jis"):
            data = text.encode(WRITERS[writer])
            if len(data) <= 10:
                write(folder, "tiny", writer, f"tiny_{n}.txt", text)
    for n in range(40):
        text = rng.choice(sum(LATIN_WORDS.values(), []))
        if len(text.encode("cp1252")) <= 10:
            write(folder, "tiny", "latin", f"tiny_{n}.txt", text)
    for n in range(12):
        prefix = make_ascii_lines(rng, 131072 + rng.randint(0, 20000))
        text = prefix + make_text(rng, rng.choice(["prose", "kanji", "ascii_mix"]), 300)
        for writer in ("sjis", "euc", "jis", "utf8"):
            write(folder, "prefix", writer, f"prefix_{n}.txt", text)
    for n in range(40):
        text = make_kana(rng, rng.choice([2, 3, 5, 8, 20, 60, 300, 3000]), rng.random() < 0.5)
        for writer in ("sjis", "euc"):
            write(folder, "kana", writer, f"kana_{n}.txt", text)
    for n in range(40):
        text = make_text(rng, rng.choice(["prose", "hiragana", "katakana", "kanji"]),
                         rng.choice([4, 8, 40, 400, 6000]), breaks=False)
        for writer in ("utf16le", "utf16be"):
            write(folder, "utf16", writer, f"utf16_{n}.txt", text)
    for n in range(60):
        write(folder, "latin", "latin", f"latin_{n}.txt",
              make_latin(rng, rng.choice([3, 8, 30, 300, 3000])))
    print(f"corpus written under {folder}")


def files(folder):
    for cls in sorted(os.listdir(folder)):
        for writer in sorted(os.listdir(os.path.join(folder, cls))):
            sub = os.path.join(folder, cls, writer)
            for name in sorted(os.listdir(sub)):
                if not name.endswith(".expected"):
                    yield cls, writer, os.path.join(sub, name)


def detected_id(tool, path):
    out = subprocess.run([tool, "detect", path], capture_output=True, text=True).stdout
    match = re.search(r": [^(]+\((\d+)\) [^(]+\((\d+)\)", out)
    return int(match.group(1)) if match else 0


def reads_correctly(path, encoding):
    with open(path, "rb") as f:
        data = f.read()
    with open(path + ".expected", encoding="utf-8", newline="") as f:
        expected = f.read()
    try:
        return data.decode(CODECS.get(encoding, "ascii")) == expected
    except (UnicodeDecodeError, LookupError):
        return False


def measure(folder, tools):
    rows = {}
    for cls, writer, path in files(folder):
        size = os.path.getsize(path)
        key = (cls, writer, "<4 bytes" if size < 4 else "")
        hits = [reads_correctly(path, detected_id(tool, path)) for tool in tools]
        row = rows.setdefault(key, [0] + [0] * len(tools))
        row[0] += 1
        for i, hit in enumerate(hits):
            row[i + 1] += int(hit)
    header = "| class | written as | files | " + " | ".join(
        f"tool {i + 1}" for i in range(len(tools))) + " |"
    print(header)
    print("|" + "---|" * (3 + len(tools)))
    for (cls, writer, note), row in sorted(rows.items()):
        cells = [f"{hit}/{row[0]} ({100 * hit / row[0]:.0f} %)" for hit in row[1:]]
        name = f"{cls} {note}".strip()
        print(f"| {name} | {writer} | {row[0]} | " + " | ".join(cells) + " |")
    for i, tool in enumerate(tools):
        print(f"tool {i + 1}: {tool}")


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "generate":
        generate(sys.argv[2], *(int(arg) for arg in sys.argv[3:4]))
    elif len(sys.argv) >= 4 and sys.argv[1] == "measure":
        measure(sys.argv[2], sys.argv[3:])
    else:
        print(__doc__)
        sys.exit(2)
