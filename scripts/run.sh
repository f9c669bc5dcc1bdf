#!/usr/bin/env bash
# Set up, build and open the calculator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DROCKPILE_BUILD_TESTS=OFF
cmake --build build -j"$(nproc)"
exec ./build/app/rockpile
