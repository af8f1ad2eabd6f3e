#!/usr/bin/env bash
# Installs the Debian packages the build, tests, benchmarks and peer scripts
# need. Safe to run again: it only calls apt when something is missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkgconf libgtest-dev libgmock-dev libbenchmark-dev
  libboost-dev qt6-base-dev qt6-svg-dev libqt6svg6 qt6-base-dev-tools
  libedf-dev libsqlite3-dev libarmadillo-dev libcli11-dev nlohmann-json3-dev fonts-dejavu-core
  python3-numpy python3-neo python3-scipy ccache clang libclang-rt-dev time
  xvfb xauth poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi
