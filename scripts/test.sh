#!/usr/bin/env bash
# Installs, builds and runs every test. The tests start their own private print server
# (a cupsd with the test queues, in the build tree) and stop it when they end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
dir="$root/build-test"
"$root/scripts/build.sh" "$dir" RelWithDebInfo
cd "$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 600
