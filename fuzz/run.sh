#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into their own build directory and
# runs each one for a bounded time on its seed corpus (fuzz/corpus/NAME).
# New inputs go to a scratch corpus in the build directory; a crash, leak,
# hang or broken promise stops the run with the input saved there.
#
# A corpus holds the hand-made seeds (named; fuzz/make_seeds.py writes them)
# and inputs that fuzzing found to reach new code (named by their SHA-1;
# add more with `fuzz_NAME -merge=1 fuzz/corpus/NAME <scratch corpus>`).
#
# Usage: fuzz/run.sh [seconds per harness, default 25] [harness...]
# Env:   FUZZ_BUILD_DIR (default build/fuzz)
set -euo pipefail
ROOT_DIR=$(cd "$(dirname "$0")/.." && pwd)
SECONDS_EACH=${1:-25}
shift || true
BUILD=${FUZZ_BUILD_DIR:-$ROOT_DIR/build/fuzz}

CC=clang CXX=clang++ cmake -S "$ROOT_DIR" -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORV_BUILD_FUZZERS=ON -DKORV_BUILD_TESTS=OFF -DKORV_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target fuzzers

if [ $# -gt 0 ]; then
    harnesses=("$@")
else
    harnesses=()
    for dir in "$ROOT_DIR"/fuzz/corpus/*/; do
        name=$(basename "$dir")
        [ -x "$BUILD/fuzz/$name" ] && harnesses+=("$name")
    done
fi

failed=0
passed=0
for name in "${harnesses[@]}"; do
    work="$BUILD/fuzz-work/$name"
    mkdir -p "$work/corpus" "$work/artifacts"
    echo "== $name: ${SECONDS_EACH}s"
    if (cd "$work" && "$BUILD/fuzz/$name" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
            -max_len=8192 -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
            "$work/corpus" "$ROOT_DIR/fuzz/corpus/$name" >"$work/log" 2>&1); then
        grep -E '^stat::number_of_executed_units|^Done' "$work/log" | tr '\n' ' '
        echo
        passed=$((passed + 1))
    else
        tail -40 "$work/log"
        echo "!! $name failed; input kept in $work/artifacts/"
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
