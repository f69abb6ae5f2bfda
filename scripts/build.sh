#!/usr/bin/env bash
# Configures and builds Vant3: scripts/build.sh BUILD_DIR BUILD_TYPE [cmake options...]
# With ccache installed (scripts/install-test-deps.sh installs it) the compilers go through
# it, with paths taken relative to the checkout and the build folder left out of the
# objects' identity: the test command's builds share the objects they have in common, and
# a later run, from another clone of the same sources, reuses them all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
type=${2:-Release}
shift $(( $# > 2 ? 2 : $# ))
launcher=()
if command -v ccache >/dev/null && [ -z "${CMAKE_CXX_COMPILER_LAUNCHER:-}" ]; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
fi
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "${launcher[@]}" "$@"
cmake --build "$dir" -j"$(nproc)"
