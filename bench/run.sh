#!/usr/bin/env bash
# Every performance figure of the product in one run, on this machine:
#   korvendalecache -d against /bin/true (median ratio, goal at most 1.3);
#   Korvendale Startup as `macsim boot` starts it against /bin/true;
#   Tarnwick X: start to first frame headless and in a window under Xvfb,
#   processor time idle in its event loop over 10 s (goal under 0.1 %),
#   peak memory;
#   a full redraw of its window in microseconds and in instructions
#   (callgrind, repeatable);
# then the toolbox's own benchmarks. Benchmarks are not part of ctest.
#
# Usage: bench/run.sh [build directory]   (default: $BUILD_DIR, else build)
set -euo pipefail
ROOT_DIR=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${1:-${BUILD_DIR:-$ROOT_DIR/build}}
cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORV_BUILD_BENCHMARKS=ON >/dev/null
BIN="$BUILD_DIR/bin"

TARGETS=$(cmake --build "$BUILD_DIR" --target help)
has_target() {
    grep -qx "\.\.\. $1" <<<"$TARGETS"
}
section() {
    echo
    echo "== $*"
}

# Custom targets that build a benchmark and run it, one line each.
for target in bench-korvendalecache bench-startup; do
    section "$target"
    cmake --build "$BUILD_DIR" -j2 --target "$target" | grep -v '^\[\|^Built target\|^Consolidate\|^gmake'
done

# The application, on a booted simulated Macintosh of the default preset.
WORK=$(mktemp -d /tmp/korv-bench-XXXXXX)
trap 'rm -rf "$WORK"' EXIT
export MACSIM_MACHINE="$WORK/mac"

if has_target toolbox_bench && has_target tarnwick-x; then
    cmake --build "$BUILD_DIR" -j2 --target toolbox_bench tarnwick-x tarnwick_resources >/dev/null
    "$BIN/macsim" create >/dev/null
    "$BIN/macsim" boot
    section "Tarnwick X: first frame, idle processor time, peak memory"
    "$BIN/toolbox_bench" --bin "$BIN" --program tarnwick-x
fi

if has_target redraw_bench; then
    cmake --build "$BUILD_DIR" -j2 --target redraw_bench >/dev/null
    [ -d "$MACSIM_MACHINE" ] || { "$BIN/macsim" create >/dev/null && "$BIN/macsim" boot; }
    section "Tarnwick X: full window redraw"
    MACSIM_DISPLAY=headless "$BIN/redraw_bench" --redraws 300
    if command -v valgrind >/dev/null; then
        redraws=20
        out="$WORK/callgrind.out"
        MACSIM_DISPLAY=headless valgrind --tool=callgrind --callgrind-out-file="$out" --collect-atstart=no \
            --toggle-collect='G3TarnwickWindow::draw()' "$BIN/redraw_bench" --redraws "$redraws" --quiet \
            2>/dev/null
        total=$(sed -n 's/^totals: *\([0-9]*\).*/\1/p; s/^summary: *\([0-9]*\).*/\1/p' "$out" | head -1)
        echo "full window redraw    $((total / redraws)) instructions (callgrind, mean of $redraws)"
    else
        echo "valgrind is not installed: no instruction count"
    fi
fi

for target in bench-quickdraw bench-toolbox; do
    if has_target "$target"; then
        section "$target"
        cmake --build "$BUILD_DIR" -j2 --target "$target" | grep -v '^\[\|^Built target\|^Consolidate\|^gmake'
    fi
done
