#!/usr/bin/env bash
# Installs what is missing, builds Quorlen and opens its window (needs a display).
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/install-deps.sh"
cmake -S . -B build -G Ninja
cmake --build build
exec ./build/quorlen
