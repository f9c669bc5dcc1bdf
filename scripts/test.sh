#!/usr/bin/env bash
# Set up, build and run every test headless.
# Extra CMake options may be given, e.g. scripts/test.sh -DROCKPILE_SANITIZE=ON
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir=build-test
for opt in "$@"; do [ "$opt" = "-DROCKPILE_SANITIZE=ON" ] && dir=build-asan; done
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROCKPILE_BUILD_TESTS=ON "$@"
cmake --build "$dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
