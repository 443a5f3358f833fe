#!/usr/bin/env bash
# Sets up the machine, builds the programs and runs the built-in demo project
# for a few seconds on simulated boards, printing its log and what the boards show.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release -DVELTRAN_TESTS=OFF
"$root/build/apps/cli/veltran" project run "$root/examples/demo/demo.pscp" \
    --sim-boards "$root/examples/demo/boards.sim" --sim-trace --for 4
