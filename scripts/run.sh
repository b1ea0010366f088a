#!/usr/bin/env bash
# Builds kiv (optimised, with debug information) and starts it; arguments go to the program.
# Without arguments it opens the Japanese sample, examples/autumn-walk.txt (Shift_JIS, CR LF).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIV_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --target kiv
if [ $# -eq 0 ]; then
  set -- "$root/examples/autumn-walk.txt"
fi
exec "$root/build/release/programs/kiv/kiv" "$@"
