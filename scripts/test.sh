#!/usr/bin/env bash
# Set up, build with warnings as errors and run every test headless.
# Extra CMake options may be given, e.g. scripts/test.sh -DROCKPILE_SANITIZE=ON
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-test
setup=()
for opt in "$@"; do
  [ "$opt" = "-DROCKPILE_SANITIZE=ON" ] && dir=build-asan
  [ "$opt" = "-DROCKPILE_BUILD_BENCH=ON" ] && setup=(--bench)
done
bash scripts/setup.sh "${setup[@]}"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DROCKPILE_BUILD_TESTS=ON -DROCKPILE_WERROR=ON "$@"
cmake --build "$dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
