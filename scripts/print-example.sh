#!/usr/bin/env bash
# Installs, builds and prints examples/invoice.html to the built-in PDF printer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build" Release -DVANT_BUILD_TESTS=OFF -DVANT_BUILD_BENCH=OFF
"$root/build/vant" pdf "$root/examples/invoice.html" -o "$root/invoice.pdf"
