#!/usr/bin/env bash
# Installs what the browser tests need on Debian 12 (run as root): the browsers, a virtual
# display for the preview window, and the npm packages pinned in tests/browser/package-lock.json.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# xdotool closes the preview window the way a user does (its keyboard access key).
packages=(chromium firefox-esr xvfb xauth xdotool x11-utils nodejs npm)
missing=()
for p in "${packages[@]}"; do
  # nodejs may come from another repository that ships npm inside it
  if [ "$p" = npm ] && command -v npm >/dev/null; then continue; fi
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# puppeteer-core downloads no browser; the tests drive Debian's chromium and firefox-esr.
cd "$root/tests/browser"
if [ ! -d node_modules/puppeteer-core ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
  npm ci --no-audit --no-fund --loglevel=error
fi
