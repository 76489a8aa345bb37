#!/usr/bin/env bash
# Builds the window and saves docs/screenshot.png: a sample puzzle (the 7th
# of tests/data/easy50.txt, which needs one guess) entered, frozen and
# solved. Runs on Qt's offscreen platform, so it needs no display.
#   scripts/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."

"$PWD/scripts/install-deps.sh"
cmake -S . -B build -G Ninja
cmake --build build --target quorlen

output=${1:-docs/screenshot.png}
mkdir -p "$(dirname "$output")"
QT_QPA_PLATFORM=offscreen ./build/quorlen --screenshot "$output" --puzzle "$(sed -n 7p tests/data/easy50.txt)"
echo "saved $output"
