#!/usr/bin/env bash
# Builds kiv (optimised, with debug information) and starts it; arguments go to the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIV_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build/release" --target kiv
exec "$root/build/release/programs/kiv/kiv" "$@"
