#!/usr/bin/env bash
# Takes the documentation's pictures of the preview window on a private virtual display, as
# the tests have one: page 2 of examples/invoice.html at the zoom "100%", on a desktop at
# 100 % (docs/preview-window.png) and one scaled to 200 % (docs/preview-window-200.png,
# twice the pixels, the page drawn at the screen's own resolution).
#   scripts/preview-screenshots.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: scripts/preview-screenshots.sh BUILD_DIR}
cmake --build "$build" --target preview_screenshot
tool="$build/tests/app/render/preview_screenshot"

# One private X server per picture, on a display number it chooses itself; a print server
# that is not there, so that the built-in PDF printer is current as on a fresh desktop.
shoot() {  # SCALE SCREEN OUT
  local scale=$1 screen=$2 out=$3 fifo number pid
  fifo=$(mktemp -u) && mkfifo "$fifo"
  Xvfb -displayfd 3 -nolisten tcp -screen 0 "${screen}x24" 3>"$fifo" >/dev/null 2>&1 &
  pid=$!
  read -r number <"$fifo"
  rm -f "$fifo"
  DISPLAY=":$number" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale" CUPS_SERVER=/nonexistent/vant-no-server \
    "$tool" "$root/examples/invoice.html" "$out" || { kill "$pid"; return 1; }
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$out"
}
shoot 1 1280x800 "$root/docs/preview-window.png"
shoot 2 2560x1600 "$root/docs/preview-window-200.png"
