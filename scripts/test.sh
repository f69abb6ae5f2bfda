#!/usr/bin/env bash
# Installs, builds and runs every test. The tests start their own private print server
# (a cupsd with the test queues, its files in a folder of /tmp) and stop it when they end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# No include may point up a layer or across platform concerns (docs/layers.md).
"$root/scripts/check-layers.sh"
"$root/scripts/install-deps.sh"
"$root/scripts/install-test-deps.sh"
# The browsers, a virtual display and the pinned npm packages of the browser tests.
"$root/scripts/install-browser-deps.sh"
# The core alone, as on a machine without Qt, gumbo or CUPS: its libraries and tests only.
core="$root/build-test-core"
cmake -S "$root" -B "$core" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANT_BUILD_PLATFORM=OFF -DVANT_BUILD_BENCH=OFF
cmake --build "$core" -j"$(nproc)"
(cd "$core" && ctest --output-on-failure -j"$(nproc)" --timeout 900)
# The Debian package: built with an extension key of this run, inspected, run unpacked in a
# temporary root, installed and removed in a root of its own.
deb=$("$root/scripts/package.sh" "$root/build-test-package" | tail -n1)
"$root/scripts/check-package.sh" "$deb"
# Every test twice: in an optimised build, then under AddressSanitizer and
# UndefinedBehaviorSanitizer. CTest's summary line of each run closes its output.
for variant in plain sanitize; do
  dir="$root/build-test-$variant"
  options=(-DVANT_BUILD_BENCH=OFF)
  [ "$variant" = sanitize ] && options+=(-DVANT_SANITIZE=ON)
  "$root/scripts/build.sh" "$dir" RelWithDebInfo "${options[@]}"
  # The browsers' end-to-end tests drive the optimised build; under the sanitizers the host
  # is tested through its own channel (tests/app), without a browser around it.
  skip=()
  [ "$variant" = sanitize ] && skip=(-E '^browser_')
  export LSAN_OPTIONS="suppressions=$root/tests/lsan-suppressions.txt"
  (cd "$dir" && ctest --output-on-failure -j"$(nproc)" --timeout 900 "${skip[@]}")
done
