#!/usr/bin/env bash
# Sets up the machine, builds everything with the address and undefined-behaviour
# sanitizers and runs the whole test suite.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DVELTRAN_SANITIZE=ON
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
cd "$root/build-asan"
ctest --output-on-failure --parallel "$(nproc)" "$@"
