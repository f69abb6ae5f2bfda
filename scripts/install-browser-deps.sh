#!/usr/bin/env bash
# Installs what the browser tests need on Debian 12 (run as root): the browsers, a virtual
# display for the preview window, and the npm packages pinned in tests/browser/package-lock.json.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# xdotool closes the preview window the way a user does (its keyboard access key).
packages=(chromium firefox-esr xvfb xauth xdotool x11-utils nodejs)
# nodejs may come from another repository that ships npm inside it
command -v npm >/dev/null || packages+=(npm)
"$root/scripts/apt-install.sh" "${packages[@]}"

# puppeteer-core downloads no browser; the tests drive Debian's chromium and firefox-esr.
cd "$root/tests/browser"
if [ ! -d node_modules/puppeteer-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  npm ci --no-audit --no-fund --loglevel=error
fi
