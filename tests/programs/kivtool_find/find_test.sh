#!/usr/bin/env bash
# Usage: find_test.sh KIVTOOL. Runs kivtool find on generated files and checks its output and
# exit status.
set -u
kivtool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0

# expect STATUS EXPECTED_OUTPUT ARGS...
expect() {
  local status=$1 expected=$2
  shift 2
  local output
  output=$("$kivtool" find "$@" 2>/dev/null)
  local got=$?
  if [ "$got" != "$status" ] || [ "$output" != "$expected" ]; then
    echo "FAIL: kivtool find $*: status $got, output '$output'; expected $status, '$expected'"
    failures=$((failures + 1))
  fi
}

# UTF-8 with CRLF: lines are joined with a single CR, so indices count it once.
printf 'colour and color\r\n\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e color\r\n' > "$dir/utf8.txt"
expect 0 "0 6" --regex 'colou?r' "$dir/utf8.txt"
expect 0 "11 16" --from 1 --regex 'colou?r' "$dir/utf8.txt"
expect 0 "$(printf '0 6\n11 16\n21 26')" --all --regex 'colou?r' "$dir/utf8.txt"
expect 0 "17 20" '日本語' "$dir/utf8.txt"
expect 0 "21 26" --backward color "$dir/utf8.txt"
expect 0 "11 16" --backward --from 21 color "$dir/utf8.txt"
expect 0 "17 26" --regex '^日.*r$' "$dir/utf8.txt"
expect 0 "0 6" --ignore-case COLOUR "$dir/utf8.txt"
expect 1 "" COLOUR "$dir/utf8.txt"
expect 1 "" --regex 'x+' "$dir/utf8.txt"

# Shift_JIS (detected): "日本語のテキスト" then a line "abc".
printf '\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x83\x65\x83\x4c\x83\x58\x83\x67\r\nabc\r\n' > "$dir/sjis.txt"
expect 0 "4 8" 'テキスト' "$dir/sjis.txt"
expect 0 "9 12" --regex '^\w+' --from 1 "$dir/sjis.txt"

printf 'ab' > "$dir/ab.txt"
expect 0 "$(printf '0 0\n1 1')" --all --regex 'z*' "$dir/ab.txt"

# Usage errors and unreadable files are status 2.
expect 2 "" --from x a "$dir/ab.txt"
expect 2 "" a
expect 2 "" a "$dir/missing.txt"

if [ "$failures" -ne 0 ]; then
  echo "$failures kivtool find checks failed"
  exit 1
fi
echo "kivtool find checks passed"
