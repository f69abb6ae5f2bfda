#!/usr/bin/env bash
# Installs what Vant3 needs to build and run on Debian 12 (run as root). The tests add
# scripts/install-test-deps.sh and scripts/install-browser-deps.sh, the Debian package
# scripts/install-package-deps.sh.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config
  # Qt 6 (Gui, Widgets) and its offscreen platform for the headless verbs
  qt6-base-dev libqt6gui6
  # lrelease and lupdate: the command line's Japanese words (src/app/cli/vant_ja.ts)
  qt6-l10n-tools qt6-tools-dev
  # printing: libcups
  libcups2-dev
  # the host page: gumbo (iconv is in the C library)
  libgumbo-dev
  # fontconfig and the faces the Windows font names resolve to (src/platform/qt/windows_fonts.cpp)
  fontconfig fonts-ipafont-gothic fonts-ipafont-mincho fonts-ipaexfont-gothic fonts-ipaexfont-mincho
  fonts-noto-cjk fonts-morisawa-bizud-gothic fonts-morisawa-bizud-mincho fonts-motoya-l-maruberi
  fonts-liberation fonts-crosextra-carlito fonts-crosextra-caladea fonts-urw-base35 fonts-dejavu-core
  fonts-ocr-a fonts-ocr-b
  # the preview as a native Wayland window
  qt6-wayland
  # vant check asks fontconfig which faces are a name's own
  libfontconfig-dev
  # QR Code, GS1-128, Code 128 and ITF are encoded by libzint
  libzint-dev
)

"$(dirname "$0")/apt-install.sh" "${packages[@]}"
