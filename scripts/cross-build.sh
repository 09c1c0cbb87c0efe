#!/usr/bin/env bash
# The static 32-bit PowerPC build, in one folder that the QEMU test and the
# PowerPC tests share, so a run of the suite cross-compiles once:
#   cross-build.sh SOURCE_DIR BUILD_DIR [TARGET...]
# configures BUILD_DIR for /usr with cmake/toolchain-powerpc-linux-gnu.cmake
# and builds the targets named (default: everything; `package` makes
# korvendale_<version>_powerpc.deb in BUILD_DIR). KORV_HOST_RESCOMP names a
# native resource compiler to use instead of building one on the side.
set -euo pipefail

SRC=$(cd "$1" && pwd)
BUILD=$2
shift 2
mkdir -p "$BUILD"
# Two runs building the same folder at once would trip over each other.
exec 9>"$BUILD/.cross-build.lock"
flock 9

# The display programs named outright: a folder configured before the cross
# build had them keeps KORV_WITH_DISPLAY=OFF in its cache.
configure=(-DCMAKE_TOOLCHAIN_FILE="$SRC/cmake/toolchain-powerpc-linux-gnu.cmake"
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DKORV_WITH_DISPLAY=ON)
[ -z "${KORV_HOST_RESCOMP:-}" ] || configure+=(-DKORV_HOST_RESCOMP="$KORV_HOST_RESCOMP")
cmake -S "$SRC" -B "$BUILD" "${configure[@]}" >"$BUILD/cross-configure.log" 2>&1 ||
    { cat "$BUILD/cross-configure.log"; exit 1; }

targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
nice cmake --build "$BUILD" -j"${JOBS:-$(nproc)}" "${targets[@]}" >"$BUILD/cross-build.log" 2>&1 ||
    { tail -n 40 "$BUILD/cross-build.log"; exit 1; }
