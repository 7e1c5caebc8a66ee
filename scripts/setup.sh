#!/usr/bin/env bash
# Installs what Kelvora needs on Debian 12 (only what is missing), then
# configures and builds it in build/. Sourced by run.sh and test.sh.
set -euo pipefail

KELVORA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KELVORA_BUILD="${KELVORA_BUILD:-$KELVORA_ROOT/build}"

KELVORA_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-declarative-dev qt6-webengine-dev libqt6opengl6-dev qt6-qpa-plugins
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri libjpeg62-turbo-dev
  libgtest-dev libgmock-dev libbenchmark-dev libstb-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-apps netpbm openbox
  fonts-liberation2
  hyperfine time
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing_packages() {
  local missing=()
  for package in "${KELVORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

build_kelvora() {
  cmake -S "$KELVORA_ROOT" -B "$KELVORA_BUILD" -G Ninja "$@"
  cmake --build "$KELVORA_BUILD" --parallel "$(nproc)"
}

# Chromium's sandbox cannot run as root: switch it off then, and only then.
if [ "$(id -u)" -eq 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=1
fi
