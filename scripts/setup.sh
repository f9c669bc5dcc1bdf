#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the calculator.
set -euo pipefail
packages=(g++ cmake qt6-base-dev libgl1-mesa-dev libgtest-dev libbenchmark-dev fonts-wqy-zenhei fonts-wqy-microhei poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
