#!/usr/bin/env bash
# Sets up, builds and runs every test (GUI and GL tests under Xvfb).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages
build_kelvora -DKELVORA_TESTS=ON -DKELVORA_BENCH=ON

# The fuzz targets' seed corpora are replayed by a separate clang build.
fuzz_build="$KELVORA_BUILD-fuzz"
CC=clang CXX=clang++ cmake -S "$KELVORA_ROOT" -B "$fuzz_build" -G Ninja \
  -DKELVORA_APP=OFF -DKELVORA_TESTS=ON -DKELVORA_BENCH=OFF -DKELVORA_FUZZ=ON \
  -DKELVORA_SANITIZE=address,undefined
cmake --build "$fuzz_build" --parallel "$(nproc)"

export QT_QPA_PLATFORM=xcb
# A window manager on the virtual display, so that maximising works as on a desktop.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  openbox >/dev/null 2>&1 &
  sleep 1
  ctest --test-dir "$1" --output-on-failure --timeout 600
' _ "$KELVORA_BUILD"
ctest --test-dir "$fuzz_build" --output-on-failure --timeout 600
