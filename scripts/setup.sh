#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Idempotent: it asks apt only when something is missing, and updates the
# package lists once per run.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libqscintilla2-qt6-dev
    libhidapi-dev libudev-dev zlib1g-dev libssl-dev libpugixml-dev
    libx11-dev libxtst-dev xvfb xauth
    lua5.4 liblua5.4-dev fp-compiler
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all ${#packages[@]} packages present"
    exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
echo "setup: installing ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
