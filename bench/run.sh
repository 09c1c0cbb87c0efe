#!/usr/bin/env bash
# Builds and runs every benchmark. Benchmarks are not part of ctest.
# Usage: bench/run.sh [build directory]   (default: $BUILD_DIR, else build)
set -euo pipefail
ROOT_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${1:-${BUILD_DIR:-$ROOT_DIR/build}}
cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORV_BUILD_BENCHMARKS=ON >/dev/null

# One line per benchmark: its CMake target.
BENCHMARKS=(
    bench-app
    bench-korvendalecache
    bench-quickdraw
    bench-toolbox
)

for target in "${BENCHMARKS[@]}"; do
    echo "== $target"
    cmake --build "$BUILD_DIR" -j2 --target "$target"
done
