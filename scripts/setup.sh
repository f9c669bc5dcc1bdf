#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the calculator.
# Runs as root (no sudo needed) or as a user who may use sudo.
#   bash scripts/setup.sh          build, run and tests
#   bash scripts/setup.sh --bench  also Google Benchmark, for -DROCKPILE_BUILD_BENCH=ON
set -euo pipefail
# Compiler and build (make named: cmake only recommends it); Qt Widgets and Qt Test
# (qt6-base-dev) with the OpenGL headers its CMake files require; GoogleTest; the CJK monospace font of the report views;
# poppler-utils, with which the tests read exported PDFs back; Qt Charts for the chart of
# the design search.
packages=(g++ make cmake qt6-base-dev qt6-charts-dev libgl1-mesa-dev libgtest-dev fonts-wqy-zenhei poppler-utils)
for arg in "$@"; do
  case "$arg" in
    --bench) packages+=(libbenchmark-dev) ;;
    *) echo "setup.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0
if [ "$(id -u)" -eq 0 ]; then
  as_root=(env)
elif command -v sudo >/dev/null; then
  as_root=(sudo env)
else
  echo "setup.sh: missing packages ${missing[*]}; run as root or install sudo" >&2
  exit 1
fi
# env sets the variable for apt itself, also through sudo, which would drop it otherwise.
"${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
