#!/usr/bin/env bash
# Every performance figure of the product in one run, on this machine:
#   korvendalecache -d against /bin/true (median ratio, goal at most 1.3);
#   Korvendale Startup as `macsim boot` starts it against /bin/true;
#   Tarnwick X: start to first frame headless and in a window under Xvfb,
#   processor time idle in its event loop over 10 s (goal under 0.1 %),
#   peak memory, a full redraw of its window in microseconds (bench-app)
#   and in instructions (callgrind, repeatable);
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

# The application: first frame, idle processor time, peak memory and the
# time of a full redraw, measured from outside as a user runs it.
if has_target bench-app; then
    section "bench-app"
    cmake --build "$BUILD_DIR" -j2 --target bench-app | grep -v '^\[\|^Built target\|^Consolidate\|^gmake'
elif has_target toolbox_bench && has_target tarnwick-x; then
    section "Tarnwick X: first frame, idle processor time, peak memory"
    cmake --build "$BUILD_DIR" -j2 --target toolbox_bench tarnwick-x tarnwick_resources >/dev/null
    "$BIN/toolbox_bench" --bin "$BIN" --program tarnwick-x
fi

# A full redraw in instructions: every call of the window's draw, counted by
# callgrind in a headless run that switches tabs back and forth. The counts
# repeat exactly from run to run.
if has_target tarnwick-x && command -v valgrind >/dev/null; then
    section "Tarnwick X: full window redraw in instructions (callgrind)"
    cmake --build "$BUILD_DIR" -j2 --target tarnwick-x tarnwick_resources macsim_cli macsim_kextload >/dev/null
    WORK=$(mktemp -d /tmp/korv-bench-XXXXXX)
    trap 'rm -rf "$WORK"' EXIT
    export MACSIM_MACHINE="$WORK/mac"
    "$BIN/macsim" create >/dev/null
    "$BIN/macsim" boot
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        printf 'click-title Tarnwick\nclick-title System Profile\n'
    done >"$WORK/script"
    echo quit >>"$WORK/script"
    MACSIM_DISPLAY=headless MACSIM_SCRIPT="$WORK/script" valgrind --tool=callgrind \
        --callgrind-out-file="$WORK/draw" --collect-atstart=no \
        --toggle-collect='G3TarnwickWindow::draw()' --dump-after='G3TarnwickWindow::draw()' \
        "$BIN/tarnwick-x" 2>/dev/null
    # draw.1 is the first frame (caches still cold); then each click draws
    # the whole window for the tab it shows: draw.2, 4 ... the Tarnwick tab,
    # draw.3, 5 ... System Profile.
    first=$(sed -n 's/^totals: *//p' "$WORK/draw.1")
    total() {
        sed -n 's/^totals: *//p' "$WORK/draw.$1"
    }
    median() {
        sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
    }
    parts=$(find "$WORK" -name 'draw.*' | sed 's/.*\.//' | sort -n | sed 1d)
    tab() { # the redraws of parts with this remainder of 2
        for n in $parts; do
            if [ $((n % 2)) = "$1" ]; then total "$n"; fi
        done | median
    }
    tarnwick=$(tab 0)
    profile=$(tab 1)
    all=$(for n in $parts; do total "$n"; done | sort -n)
    goal=600000
    ratio() {
        awk -v n="$1" -v g="$goal" 'BEGIN { printf "%.2f", n / g }'
    }
    most=$(tail -1 <<<"$all")
    echo "full window redraw    median $(median <<<"$all") instructions over $(wc -l <<<"$all") tab switches" \
        "(least $(head -1 <<<"$all"), most $most); first frame $first"
    echo "  Tarnwick tab        median $tarnwick instructions, $(ratio "$tarnwick") of the goal ($goal)"
    echo "  System Profile tab  median $profile instructions, $(ratio "$profile") of the goal ($goal)"
    echo "  goal: at most $goal instructions per full redraw; the costliest redraw is $(ratio "$most") of it"
fi

for target in bench-quickdraw bench-toolbox; do
    if has_target "$target"; then
        section "$target"
        cmake --build "$BUILD_DIR" -j2 --target "$target" | grep -v '^\[\|^Built target\|^Consolidate\|^gmake'
    fi
done
