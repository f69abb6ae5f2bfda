#!/usr/bin/env bash
# Installs, builds and runs every test. The tests start their own private print server
# (a cupsd with the test queues, its files in a folder of /tmp) and stop it when they end.
# Each step says how long it took, and how much processor time its commands used (on a
# busy machine the wall time says little); CTest's summary line closes each test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The user and system time of the commands run so far, in whole seconds, into
# REPLY_SECONDS. "times" must run in this shell (a subshell counts only its own children);
# it writes the children's on its second line, as 1m2.345s 0m1.234s.
times_file=$(mktemp)
processor_seconds() {
  times > "$times_file"
  REPLY_SECONDS=$(awk 'NR == 2 { t = 0; for (i = 1; i <= 2; i++) { split($i, p, /[ms]/); t += p[1] * 60 + p[2] } printf "%d", t }' "$times_file")
}
step_started=$SECONDS
processor_seconds
step_processor=$REPLY_SECONDS
step() {
  processor_seconds
  echo "test.sh: $1 took $((SECONDS - step_started)) s ($((REPLY_SECONDS - step_processor)) s of processor time)" >&2
  step_started=$SECONDS
  step_processor=$REPLY_SECONDS
}

# No include may point up a layer or across platform concerns (docs/layers.md).
"$root/scripts/check-layers.sh"
"$root/scripts/install-deps.sh"
"$root/scripts/install-test-deps.sh"
# The browsers, a virtual display and the pinned npm packages of the browser tests.
"$root/scripts/install-browser-deps.sh"
step "installing"

# The core alone, as on a machine without Qt, gumbo or CUPS: its libraries and tests only
# (compiled as the optimised build below compiles them, so that one reuses the objects).
core="$root/build-test-core"
"$root/scripts/build.sh" "$core" RelWithDebInfo -DVANT_BUILD_PLATFORM=OFF -DVANT_BUILD_BENCH=OFF
(cd "$core" && ctest --output-on-failure -j"$(nproc)" --timeout 900)
step "the core alone"

# The Debian package as the README builds it, twice: first creating the organisation's
# extension key in a folder of its own that does not exist yet, then in a new build folder
# with that key, which must give the same extension id. The second is inspected, run
# unpacked in a temporary root, installed and removed in a root of its own.
key_folder=$(mktemp -d)
trap 'rm -rf "$key_folder" "$times_file"' EXIT
key="$key_folder/keys/vant3-extension.pem"
first=$("$root/scripts/package.sh" "$root/build-test-package" "$key" | tail -n1)
[ -s "$key" ] || { echo "test.sh: the package build did not create the key $key" >&2; exit 1; }
rm -rf "$root/build-test-package-again"
second=$("$root/scripts/package.sh" "$root/build-test-package-again" "$key" | tail -n1)
package_id() { dpkg-deb --fsys-tarfile "$1" | tar -xO ./usr/share/vant3/extension/extension-id; }
first_id=$(package_id "$first")
second_id=$(package_id "$second")
if [ "$first_id" != "$second_id" ]; then
  echo "test.sh: the same key gave the extension ids $first_id and $second_id" >&2
  exit 1
fi
echo "test.sh: both packages carry the extension id $first_id of $key" >&2
"$root/scripts/check-package.sh" "$second"
step "the package"

# Every test twice: in an optimised build, then under AddressSanitizer and
# UndefinedBehaviorSanitizer.
for variant in plain sanitize; do
  dir="$root/build-test-$variant"
  options=(-DVANT_BUILD_BENCH=OFF)
  # The sanitizers' reports need file and line only: line tables (-g1) instead of full
  # debug information take a third less compiling. A target's sources are compiled eight to
  # a unit: the headers, Qt's and GoogleTest's above all, are read once a unit instead of
  # once a file; the units include them by relative paths, so that the compiler cache serves
  # them to the next clone (cmake/relative_unity.cmake). The optimised build keeps one unit
  # a file, so that a source that leans on another's includes still fails there.
  [ "$variant" = sanitize ] && options+=(-DVANT_SANITIZE=ON "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
                                         -DVANT_RELATIVE_UNITY=ON)
  "$root/scripts/build.sh" "$dir" RelWithDebInfo "${options[@]}"
  step "the $variant build"
  # The browsers' end-to-end tests drive the optimised build; under the sanitizers the host
  # is tested through its own channel (tests/app), without a browser around it.
  skip=()
  [ "$variant" = sanitize ] && skip=(-E '^browser_')
  # The blocks system libraries hold to the process's end, each named by its library or
  # function (the sanitizer build keeps every library it loads until then, so that its
  # frames keep their names); any other leak fails the test.
  export LSAN_OPTIONS="suppressions=$root/tests/lsan-suppressions.txt"
  (cd "$dir" && ctest --output-on-failure -j"$(nproc)" --timeout 900 "${skip[@]}")
  step "the $variant tests"
done
