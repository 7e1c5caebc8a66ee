#!/usr/bin/env bash
# Sets up, builds and starts Kelvora. Without a display it runs under a
# virtual one and saves a screenshot of the window.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
install_missing_packages
build_kelvora -DKELVORA_TESTS=OFF -DKELVORA_BENCH=OFF

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$KELVORA_BUILD/app/kelvora"
fi

shot="$KELVORA_BUILD/kelvora-window.png"
echo "No display: running Kelvora under a virtual display (Xvfb) for 15 seconds."
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  openbox >/dev/null 2>&1 &
  "$1" & app=$!
  sleep 12
  xwd -root -silent | xwdtopnm 2>/dev/null | pnmtopng > "$2"
  kill "$app"; wait "$app" 2>/dev/null || true
' _ "$KELVORA_BUILD/app/kelvora" "$shot"
echo "Screenshot of the window: $shot"
