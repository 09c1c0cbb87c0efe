# Sourced by ./run-tarnwick and ./run-tests: installs the Debian packages the
# build needs when any is missing, then configures and builds into $BUILD_DIR.
set -euo pipefail

ROOT_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT_DIR/build}

KORV_PACKAGES=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libsdl2-dev libpng-dev
    xvfb xauth xdotool x11-utils
    clang libclang-rt-14-dev dpkg-dev desktop-file-utils man-db groff-base valgrind lintian
)

# Only the QEMU and PowerPC tests (label qemu) need these: the PowerPC cross
# compilers, the emulators (a whole machine, and qemu-user for single
# programs), the kernel's source with its build tools, and python3 for the
# object-code check and the guest with a screen.
KORV_QEMU_PACKAGES=(
    gcc-powerpc-linux-gnu g++-powerpc-linux-gnu qemu-system-ppc qemu-user linux-source-6.1
    bc bison flex cpio libelf-dev libssl-dev xz-utils python3
)

korv_install_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}" >&2
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# korv_build [TARGET...]: configures $BUILD_DIR and builds the targets named,
# or everything (the test suite included) when none is named.
korv_build() {
    korv_install_packages "${KORV_PACKAGES[@]}"
    # Configured for /usr, so that `cpack` in the build directory makes a
    # package whose unit and pages name the installed paths.
    cmake -S "$ROOT_DIR" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
    local targets=()
    local target
    for target in "$@"; do
        targets+=(--target "$target")
    done
    cmake --build "$BUILD_DIR" -j "$(nproc)" "${targets[@]}"
}
