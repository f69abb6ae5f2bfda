#!/usr/bin/env bash
# Configures and builds Vant3: scripts/build.sh BUILD_DIR BUILD_TYPE [cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
type=${2:-Release}
shift $(( $# > 2 ? 2 : $# ))
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@"
cmake --build "$dir" -j"$(nproc)"
