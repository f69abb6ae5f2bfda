#!/usr/bin/env bash
# Installs what the tests need on Debian 12 beyond scripts/install-deps.sh (run as root);
# the browser tests' browsers come from scripts/install-browser-deps.sh.
set -euo pipefail

packages=(
  # a compiler cache: the test command's builds share their objects, and so do its runs
  ccache
  # GoogleTest, Google Benchmark
  libgtest-dev libgmock-dev libbenchmark-dev
  # a private print server for the tests, its command-line tools, the filters its test
  # queues use
  cups-daemon cups-client cups-core-drivers
  # CUPS's sample drivers and filters (Ghostscript, poppler), a driverless printer
  # (ippeveprinter; its message bus is dbus-daemon, below), ss to find a free port
  cups cups-filters ghostscript cups-ipp-utils iproute2
  # PDF tools, an independent barcode decoder
  poppler-utils zbar-tools
  # a display for the window tests, closed the way a user does
  xvfb xauth xdotool
  # a headless compositor for the preview's Wayland test
  weston
  # a private D-Bus session bus for the host's desktop notices
  dbus-daemon dbus-bin
  # a decimal-comma locale, to show numbers read and write the same in every locale
  locales
  # the administrator's guide's commands that merge policy files, run by the extension's tests
  jq
)

"$(dirname "$0")/apt-install.sh" "${packages[@]}"

# The decimal-comma locale the tests run under (compiled into the system's locale archive).
if ! locale -a | grep -qx 'de_DE.utf8'; then
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
