#!/usr/bin/env bash
# kiv_install.sh <build dir>: cmake --install into a scratch prefix, then checks what landed and
# that the installed kiv seeds a fresh program folder from the installed default files.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >"$work/install.log"
for file in bin/kiv bin/kivtool share/applications/kiv.desktop share/kiv/misc_.ini \
  share/kiv/template_0409.ini share/icons/hicolor/scalable/apps/kiv.svg \
  share/icons/hicolor/48x48/apps/kiv.png; do
  [ -e "$work/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
grep -q '^Exec=kiv %f$' "$work/prefix/share/applications/kiv.desktop"
grep -q '^MimeType=text/plain;' "$work/prefix/share/applications/kiv.desktop"

# The installed copy of the defaults, marked, is what a first run copies.
printf '[misc]\ncolor_window=FFFFFF\n; installed copy\n' >"$work/prefix/share/kiv/misc_.ini"
mkdir -p "$work/elsewhere" "$work/run" && chmod 700 "$work/run"
cd "$work/elsewhere"
KIV_PROGRAM_DIR="$work/program" KIV_RUNTIME_DIR="$work/run" \
  ASAN_OPTIONS="detect_leaks=0:${ASAN_OPTIONS:-}" \
  "$work/prefix/bin/kiv" --screenshot "$work/shot.png" 2>"$work/err.txt" ||
  { echo "the installed kiv failed"; cat "$work/err.txt"; exit 1; }
grep -q 'installed copy' "$work/program/misc.ini" ||
  { echo "misc.ini was not seeded from the installed defaults"; exit 1; }
[ -s "$work/program/template.ini" ] || { echo "template.ini missing"; exit 1; }
[ "$(head -c 4 "$work/shot.png" | od -An -c | tr -d ' ')" = "211PNG" ] ||
  { echo "no PNG written"; exit 1; }
echo "kiv install: all passed"
