#!/usr/bin/env bash
# make_screenshot.sh <kiv> <out.png>: the README's picture. Starts kiv with --screenshot on a
# private portrait Xvfb display, in a scratch program folder whose kiv.ini turns on line
# numbers and the caret-line underline, and types a few lines of Japanese and ASCII first.
set -euo pipefail
kiv=$1
out=$2
work=$(mktemp -d)
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 600x720x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 display <&"$fd"
mkdir -p "$work/program" "$work/run" && chmod 700 "$work/run"
printf '[init]\nfirst=1\nfontname=IPAGothic\nfontsize=11\ndrawlinenumber=1\nunderline=1\n' \
  >"$work/program/kiv.ini"
text='kiv — 日本語のテキストを、文字コードはそのままに。
Shift_JIS, JIS, EUC-JP, UTF-8, UTF-16, Latin
開いたファイルの文字コードと改行を自動で判別し、
触れていないバイトは一切変えずに保存します。

吾輩は猫である。名前はまだ無い。
どこで生れたかとんと見当がつかぬ。
何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。'
DISPLAY=":$display" QT_QPA_PLATFORM=xcb KIV_PROGRAM_DIR="$work/program" \
  KIV_RUNTIME_DIR="$work/run" "$kiv" --screenshot "$out" --type "$text"
