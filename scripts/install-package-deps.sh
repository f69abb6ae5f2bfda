#!/usr/bin/env bash
# Installs what building and checking the Debian package needs on Debian 12 beyond
# scripts/install-deps.sh (run as root).
set -euo pipefail

packages=(
  # dpkg-shlibdeps for the package's Depends, lintian to check it
  dpkg-dev lintian
  # the browser that packs the extension, node for its Firefox variant, zip for the
  # add-on, openssl for the organisation's extension key
  chromium nodejs zip unzip openssl
  # the checks of scripts/check-package.sh: man to read the pages, the PDF tools, file
  man-db poppler-utils file
)

"$(dirname "$0")/apt-install.sh" "${packages[@]}"
