#!/usr/bin/env bash
# Installs what is needed and builds the Debian package: scripts/package.sh [BUILD_DIR] [KEY.pem]
# KEY.pem is the organisation's key for the browser extension, created (with its folder)
# when it does not exist yet, in the build directory when not given; the package's
# extension id follows from it. Prints the package's path on the last line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-package}
"$root/scripts/install-deps.sh" >&2
"$root/scripts/install-package-deps.sh" >&2
options=(-DVANT_PACKAGE=ON -DVANT_BUILD_TESTS=OFF -DVANT_BUILD_BENCH=OFF)
# The key is named absolute before the build moves elsewhere; it need not exist yet.
[ -n "${2:-}" ] && options+=(-DVANT_EXTENSION_KEY="$(realpath -m "$2")")
"$root/scripts/build.sh" "$dir" RelWithDebInfo "${options[@]}" >&2
cmake --build "$dir" --target package >&2
ls "$dir"/vant3_*.deb
