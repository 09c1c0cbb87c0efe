#!/usr/bin/env bash
# The time of a tab switch in Tarnwick X on QEMU's G4 (mac99, 7400) and on
# this machine, each as a multiple of the same fixed integer workload timed
# by the same processor (tabswitch.c). Emulated time is not real time; the
# ratio carries over to a real 400 MHz G4.
#   bench/qemu/tabswitch.sh [BUILD_DIR]     (default: build)
# BUILD_DIR holds the host build (bin/), the PowerPC package (qemu/ppc/), the
# module (qemu/module/) and the kernel (qemu/kernel/) that
# tests/qemu/run.sh made. Not part of ctest.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
KERNEL=${KORV_KERNEL:-$BUILD/qemu/kernel/vmlinux}
MODULE=${KORV_MODULE:-$BUILD/qemu/module/korvendale.ko}
DEB=${KORV_PPC_DEB:-$(find "$BUILD/qemu/ppc" -maxdepth 1 -name 'korvendale_*_powerpc.deb' | sort | tail -n1)}
HOST_BIN=${KORV_HOST_BIN:-$BUILD/bin}
TIMEOUT=${TIMEOUT:-900}
for f in "$KERNEL" "$MODULE" "$DEB" "$HOST_BIN/tarnwick-x" "$HOST_BIN/macsim"; do
    [ -f "$f" ] || { echo "tabswitch: no $f (tests/qemu/run.sh and the host build make it)" >&2; exit 1; }
done
WORK=$(mktemp -d /tmp/korv-tabswitch-XXXXXX)
trap 'rm -rf "$WORK"' EXIT

# The guest: the package as dpkg places it, the module, the bench as init.
root=$WORK/root
mkdir -p "$root/dev" "$root/proc" "$root/sys" "$root/lib/modules" "$root/tmp" "$root/root"
dpkg-deb -x "$DEB" "$root"
cp "$MODULE" "$root/lib/modules/"
powerpc-linux-gnu-gcc -static -O2 -Wall -Wextra -Werror -o "$root/init" "$ROOT/bench/qemu/tabswitch.c"
(cd "$root" && find . -mindepth 1 | LC_ALL=C sort | cpio -o -H newc -R 0:0 --quiet) >"$WORK/initramfs.cpio"
timeout --kill-after=5 "$TIMEOUT" qemu-system-ppc -M mac99 -cpu 7400 -m 256 -kernel "$KERNEL" \
    -initrd "$WORK/initramfs.cpio" -append "console=ttyPZ0" -vga none -nic none -nographic -no-reboot \
    -serial "file:$WORK/serial" -monitor none </dev/null || { tail -n 20 "$WORK/serial"; exit 1; }
tr -d '\r' <"$WORK/serial" | sed -n '/^KORV-BEGIN/,/^KORV-END/p' | grep '^guest: ' ||
    { tail -n 20 "$WORK/serial"; exit 1; }

# The host: the same program and workload built natively, Tarnwick X on a
# simulated 400 MHz G4.
cc -O2 -Wall -Wextra -Werror -o "$WORK/tabswitch" "$ROOT/bench/qemu/tabswitch.c"
export MACSIM_MACHINE=$WORK/mac
"$HOST_BIN/macsim" create --preset sawtooth-400 >/dev/null
"$HOST_BIN/macsim" kext load
"$WORK/tabswitch" "$HOST_BIN/tarnwick-x" "$WORK"
