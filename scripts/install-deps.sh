#!/usr/bin/env bash
# Installs what Vant3 needs to build, run and test on Debian 12 (run as root).
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config
  # Qt 6 (Gui, Widgets) and its offscreen platform for the headless verbs and tests
  qt6-base-dev libqt6gui6
  # printing: libcups, a print server for the tests, the filters its test queues use
  libcups2-dev cups-daemon cups-client cups-core-drivers
  # tests: CUPS's sample drivers and filters (Ghostscript, poppler), a driverless printer (ippeveprinter; its message bus is dbus-daemon, below), ss
  cups cups-filters ghostscript cups-ipp-utils iproute2
  # the host page: gumbo (iconv is in the C library)
  libgumbo-dev
  # fonts the Japanese Windows font names resolve to, and fontconfig
  fontconfig fonts-ipafont-gothic fonts-ipafont-mincho
  libfontconfig-dev  # vant check asks fontconfig which faces are a name's own
  # tests: GoogleTest, Google Benchmark, PDF tools, an independent barcode decoder, a display
  libgtest-dev libgmock-dev libbenchmark-dev poppler-utils zbar-tools xvfb xauth xdotool
  qt6-wayland weston  # the preview as a native Wayland window, and a headless compositor for its test
  dbus-daemon dbus-bin  # tests: a private D-Bus session bus for the host's desktop notices
  # tests: a decimal-comma locale, to show numbers read and write the same in every locale
  locales
  # the Debian package: its checker, dpkg-shlibdeps for its Depends, the browser that packs
  # the extension, node for its Firefox variant, zip for the add-on, openssl for the
  # organisation's extension key, man to read the page
  lintian dpkg-dev chromium nodejs zip unzip openssl man-db file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The decimal-comma locale the tests run under (compiled into the system's locale archive).
if ! locale -a | grep -qx 'de_DE.utf8'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
