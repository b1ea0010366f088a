#!/usr/bin/env python3
"""Writes the codec test fixtures in tests/data/codec/ and the detection scenarios in
tests/data/detection/ with Python's own codecs, so that kiv's decoders, encoders and detector
are checked against an independent implementation.

Every text is written once as UTF-16LE without a mark ("*.utf16le": the expected UTF-16 units,
read by the tests without any decoder) and once per encoding, with CR LF line breaks and a
final line break. ISO-2022-JP lines all end in a two-byte character, because kiv closes every
non-empty line with ESC ( B while Python leaves a line that ends in ASCII without it.
"""
import os
import sys

COMMON = [
    "吾輩は猫である。名前はまだ無い。",
    "どこで生れたかとんと見当がつかぬ。",
    "カタカナとひらがな、漢字の混じった文章です。",
    "ASCII text, digits 0123456789 and 全角のＡＢＣ１２３。",
    "",
    "記号：「」『』【】〒※→←↑↓―…‥",
    "ギリシャ文字αβγΔΩとキリル文字Жも書ける。",
    "最後の行も改行で終わる。",
]
HALFWIDTH = ["半角ｶﾀｶﾅ ﾃｽﾄ ｱｲｳｴｵ and ASCII.", "ｿﾞﾝﾋﾞ"]
CP932_ONLY = ["丸数字①②⑩とローマ数字ⅠⅡと㈱㌔、№℡。", "Backslash \\ and tilde ~ stay ASCII."]
LATIN = ["Café, naïve, façade: ½ € “quotes” — dash", "Ärger über Öl; ÿ and ß."]


# Detection scenarios: each file is named after what it is and the encoding Auto must pick, and
# has a twin ".utf16le" with the text it must read as. Lines end in CR LF; a "no-break" file has
# none at all.
DETECTION = [
    ("one-character", "ShiftJIS", "cp932", ["あ"]),
    ("one-character", "EUC", "euc_jp", ["あ"]),
    ("two-kanji", "EUC", "euc_jp", ["漢字"]),
    ("two-kanji", "ShiftJIS", "cp932", ["漢字"]),
    ("cafe", "Latin", "cp1252", ["I love café"]),
    ("grusse", "Latin", "cp1252", ["Grüße aus Köln, schön!"]),
    ("spanish", "Latin", "cp1252", ["¿Qué tal? Mañana a las diez — ¡sí!"]),
    ("terminal-log", "UTF-8", "utf-8", ["\x1b(B\x1b[0m✓ build passed — 12 tests",
                                         "\x1b$B is no kanji here"]),
    ("kana-only", "ShiftJIS", "cp932", ["｢ｶﾀｶﾅ｣ﾃﾞｽ｡ﾊﾝｶｸﾀﾞｹ", "ｺﾚﾓｿｳ"]),
    ("kana-only", "EUC", "euc_jp", ["｢ｶﾀｶﾅ｣ﾃﾞｽ｡ﾊﾝｶｸﾀﾞｹ", "ｺﾚﾓｿｳ"]),
    ("no-break", "UTF-16LE", "utf-16-le", ["吾輩は猫である。名前はまだ無い。"]),
    ("no-break", "UTF-16BE", "utf-16-be", ["吾輩は猫である。名前はまだ無い。"]),
    ("kanji-no-break", "UTF-16LE", "utf-16-le", ["東京都千代田区丸の内一丁目"]),
    ("nul-beside-break", "ShiftJIS", "cp932", ["行の終わりにNUL\0", "次の行"]),
    ("nul-beside-break", "UTF-8", "utf-8", ["a line\0", "and the next"]),
    ("ascii-and-kanji-mode", "JIS", "iso2022_jp", ["ASCII 漢字 ASCII"]),
]


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def emit(folder, stem, lines, encodings):
    text = "\r\n".join(lines) + "\r\n"
    write(folder, stem + ".utf16le", text.encode("utf-16-le"))
    for suffix, codec in encodings:
        if codec == "iso2022_jp":
            data = b"\r\n".join(line.encode(codec) for line in lines) + b"\r\n"
        else:
            data = text.encode(codec)
        write(folder, f"{stem}.{suffix}", data)


def main(folder):
    os.makedirs(folder, exist_ok=True)
    emit(folder, "japanese", COMMON, [
        ("sjis", "cp932"), ("euc", "euc_jp"), ("jis", "iso2022_jp"), ("utf8", "utf-8"),
        ("utf8bom", "utf-8-sig"), ("utf16le", "utf-16-le"), ("utf16be", "utf-16-be")])
    emit(folder, "halfwidth", HALFWIDTH, [("sjis", "cp932"), ("euc", "euc_jp"), ("utf8", "utf-8")])
    emit(folder, "cp932", CP932_ONLY, [("sjis", "cp932"), ("utf8", "utf-8")])
    emit(folder, "latin", LATIN, [("latin", "cp1252"), ("utf8", "utf-8")])
    detection = os.path.join(folder, "..", "detection")
    os.makedirs(detection, exist_ok=True)
    for case, encoding, codec, lines in DETECTION:
        text = "\r\n".join(lines) + ("" if "no-break" in case else "\r\n")
        write(detection, f"{case}.{encoding}", text.encode(codec))
        write(detection, f"{case}.{encoding}.utf16le", text.encode("utf-16-le"))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "tests", "data", "codec"))
