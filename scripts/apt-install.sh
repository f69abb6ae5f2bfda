#!/usr/bin/env bash
# Installs the Debian packages named that are not installed yet (run as root):
#   scripts/apt-install.sh PACKAGE...
# The package lists are in install-deps.sh (building and running), install-test-deps.sh
# (the tests), install-package-deps.sh (the Debian package) and install-browser-deps.sh.
set -euo pipefail
missing=()
for p in "$@"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
