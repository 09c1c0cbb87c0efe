#!/usr/bin/env bash
# The module and the two programs on real Linux kernels, under QEMU's G4
# (mac99, 7400) and G3 (g3beige, 750):
#   run.sh SOURCE_DIR WORK_DIR [STAGE...]
# builds what is missing in WORK_DIR (kernel from Debian's linux-source-6.1,
# kept until the fragment or the source version changes; the module; the test
# init; the programs; the initramfs), boots each machine headless with a hard
# timeout, and compares the guest's serial transcript with the expected one.
# Beside the guests: the kernel's checkpatch over linux/, the module built
# against pmac32_defconfig with SMP, and objcheck.py over both builds. Then
# the G4 and the G3 boot with a screen, Tarnwick X from the PowerPC package on
# it, driven from the host (screen/screen.py).
# STAGE limits the run to some of: kernel checkpatch module pmac32 objcheck
# init programs initramfs boot screenfs screen.
# KORV_QEMU_UPDATE_EXPECTED=1 writes the transcripts as the expected ones (and
# the README's screenshot of the G4's screen).
set -euo pipefail

SRC=$(cd "$1" && pwd)
WORK=$2
shift 2
mkdir -p "$WORK"
WORK=$(cd "$WORK" && pwd)
HERE=$SRC/tests/qemu
STAGES=${*:-kernel checkpatch module pmac32 objcheck init programs initramfs boot screenfs screen}
JOBS=${JOBS:-$(nproc)}
CROSS=powerpc-linux-gnu-
KMAKE=(make ARCH=powerpc "CROSS_COMPILE=$CROSS")
BOOT_TIMEOUT=${BOOT_TIMEOUT:-120}

log() { printf '[qemu] %s\n' "$*"; }
die() { printf '[qemu] FAIL: %s\n' "$*" >&2; exit 1; }
want() { [[ " $STAGES " == *" $1 "* ]]; }

declare -A TIMES=()
ORDER=()
timed() {
    local name=$1 start end
    shift
    start=$(date +%s.%N)
    "$@"
    end=$(date +%s.%N)
    ORDER+=("$name")
    TIMES[$name]=$(printf '%.1f' "$(echo "$end - $start" | bc)")
    log "$name: ${TIMES[$name]} s"
}

# ------------------------------------------------------------------ kernel
SOURCE_TAR=/usr/src/linux-source-6.1.tar.xz
KOBJ=$WORK/kernel

# tree_key FRAGMENT: what a kept tree was built from (the source's version,
# the cross compiler, the configuration fragment).
tree_key() {
    {
        dpkg-query -W -f='${Version}\n' linux-source-6.1
        "${CROSS}gcc" --version | head -n1
        cat "$1"
    } | sha256sum | cut -c1-16
}

# Sets KSRC to Debian's linux-source-6.1 extracted: the tree the kept kernel
# was built from (it may be shared), else one in WORK.
kernel_source() {
    local ver ksrc
    ver=$(dpkg-query -W -f='${Version}' linux-source-6.1)
    if [ -f "$KOBJ/.korv-source" ]; then
        KSRC=$(cat "$KOBJ/.korv-source")
        [ "${KSRC##*/}" != "linux-source-$ver" ] || [ ! -f "$KSRC/.korv-extracted" ] || return 0
    fi
    ksrc=$WORK/linux-source-$ver
    if [ ! -f "$ksrc/.korv-extracted" ]; then
        rm -rf "$WORK"/linux-source-* "$WORK/extract"
        mkdir -p "$WORK/extract"
        log "kernel: extracting linux-source $ver"
        # The documentation (but its Kconfig) is never read.
        nice tar -xJf "$SOURCE_TAR" -C "$WORK/extract" \
            --exclude='linux-source-6.1/Documentation/[a-zA-JL-Z]*' \
            --exclude='linux-source-6.1/tools/testing'
        mv "$WORK/extract/linux-source-6.1" "$ksrc"
        rmdir "$WORK/extract"
        touch "$ksrc/.korv-extracted"
    fi
    KSRC=$ksrc
}

# Every option of a configuration fragment ($1) must have survived the
# dependency checks in the configured tree $2.
check_fragment() {
    local line missing=0
    while IFS= read -r line; do
        case $line in
        CONFIG_*) grep -qxF "$line" "$2/.config" || { log "kernel: $line did not stick"; missing=1; } ;;
        "# CONFIG_"*) ! grep -q "^${line#\# }" "$2/.config" ||
            { log "kernel: ${line#\# } is set"; missing=1; } ;;
        esac
    done <"$1"
    [ $missing -eq 0 ] || die "kernel configuration lacks options of ${1##*/}"
}

build_kernel() {
    local key ksrc
    key=$(tree_key "$HERE/kernel.config")
    if [ -f "$KOBJ/.korv-key" ] && [ "$(cat "$KOBJ/.korv-key")" = "$key" ] &&
        [ -f "$KOBJ/vmlinux" ] && [ -f "$KOBJ/Module.symvers" ]; then
        log "kernel: cached ($key)"
        return
    fi
    kernel_source
    ksrc=$KSRC
    rm -rf "$KOBJ"
    mkdir -p "$KOBJ"
    log "kernel: configuring (tinyconfig + kernel.config)"
    "${KMAKE[@]}" -s -C "$ksrc" O="$KOBJ" tinyconfig >/dev/null
    "$ksrc/scripts/kconfig/merge_config.sh" -m -O "$KOBJ" "$KOBJ/.config" "$HERE/kernel.config" >/dev/null
    "${KMAKE[@]}" -s -C "$ksrc" O="$KOBJ" olddefconfig >/dev/null
    check_fragment "$HERE/kernel.config" "$KOBJ"
    log "kernel: building vmlinux and Module.symvers with $JOBS jobs"
    nice "${KMAKE[@]}" -s -C "$ksrc" O="$KOBJ" -j"$JOBS" vmlinux modules >"$WORK/kernel-build.log" 2>&1 ||
        { tail -n 40 "$WORK/kernel-build.log"; die "kernel build failed"; }
    echo "$ksrc" >"$KOBJ/.korv-source"
    echo "$key" >"$KOBJ/.korv-key"
}

if want kernel; then timed kernel build_kernel; fi

# ------------------------------------------------------------------ module
# With KORV_DKMS_DEB, the module is built from that package the way DKMS
# builds it (its dkms.conf's MAKE line in a copy of /usr/src/korvendale-*);
# otherwise from linux/ directly.
build_module() {
    local build
    rm -rf "$WORK/module" "$WORK/dkms"
    if [ -n "${KORV_DKMS_DEB:-}" ]; then
        [ -f "$KORV_DKMS_DEB" ] || die "no $KORV_DKMS_DEB (build the target korvendale_dkms_deb)"
        mkdir -p "$WORK/dkms/root"
        dpkg-deb -x "$KORV_DKMS_DEB" "$WORK/dkms/root"
        local unpacked job
        unpacked=$(echo "$WORK/dkms/root/usr/src"/korvendale-*)
        [ -f "$unpacked/dkms.conf" ] || die "$KORV_DKMS_DEB holds no /usr/src/korvendale-*/dkms.conf"
        # What DKMS does: set its variables, read dkms.conf, copy the sources
        # to its build folder and run MAKE[0] there.
        job=$(
            set +u
            # shellcheck disable=SC2034 # read by dkms.conf
            kernel_source_dir=$KOBJ
            dkms_tree=$WORK/dkms/tree
            # shellcheck disable=SC1091
            . "$unpacked/dkms.conf"
            build=$dkms_tree/$PACKAGE_NAME/$PACKAGE_VERSION/build
            mkdir -p "$build"
            cp -r "$unpacked"/. "$build"
            # shellcheck disable=SC2153 # MAKE comes from dkms.conf
            printf '%s\n%s\n' "$build" "${MAKE[0]}"
        )
        build=$(sed -n 1p <<<"$job")
        (
            export ARCH=powerpc CROSS_COMPILE=$CROSS KCFLAGS=-Werror
            cd "$build" && eval "$(sed -n 2p <<<"$job")"
        ) >"$WORK/module-build.log" 2>&1 || { cat "$WORK/module-build.log"; die "module build (as DKMS) failed"; }
        mkdir -p "$WORK/module"
        cp "$build/korvendale.ko" "$WORK/module/"
    else
        # Kbuild writes beside the sources: build a copy.
        mkdir -p "$WORK/module"
        cp "$SRC"/linux/Kbuild "$SRC"/linux/*.[chS] "$WORK/module/"
        "${KMAKE[@]}" -C "$KOBJ" M="$WORK/module" W=1 KCFLAGS=-Werror modules >"$WORK/module-build.log" 2>&1 ||
            { cat "$WORK/module-build.log"; die "module build failed"; }
    fi
    if grep -q "warning:" "$WORK/module-build.log"; then
        cat "$WORK/module-build.log"
        die "the module builds with warnings"
    fi
}

# -------------------------------------------------------------- checkpatch
# The module's sources as the kernel's own style checker sees them.
run_checkpatch() {
    kernel_source
    (cd "$SRC" && "$KSRC/scripts/checkpatch.pl" --strict --no-tree --quiet --no-summary -f linux/*.[chS]) ||
        die "checkpatch.pl --strict finds the module's sources wanting"
}

# ------------------------------------------------------------------ pmac32
# The module also builds, with warnings as errors, against the configuration
# distributions start from for these machines: pmac32_defconfig with SMP,
# PREEMPT and kprobes (pmac32.config). A module needs only modules_prepare and
# crtsavres.o; the tree is kept like the kernel's, under its own key (it may
# be shared). Without the kernel's Module.symvers, modpost only warns.
P32=$WORK/pmac32

build_pmac32() {
    local key ksrc
    key=$(tree_key "$HERE/pmac32.config")
    if [ -f "$P32/.korv-key" ] && [ "$(cat "$P32/.korv-key")" = "$key" ] &&
        [ -f "$P32/arch/powerpc/lib/crtsavres.o" ] && [ -d "$(cat "$P32/.korv-source")" ]; then
        log "pmac32: cached ($key)"
    else
        kernel_source
        ksrc=$KSRC
        rm -rf "$P32"
        mkdir -p "$P32"
        log "pmac32: configuring (pmac32_defconfig + pmac32.config), modules_prepare"
        {
            "${KMAKE[@]}" -s -C "$ksrc" O="$P32" pmac32_defconfig &&
                "$ksrc/scripts/kconfig/merge_config.sh" -m -O "$P32" "$P32/.config" "$HERE/pmac32.config" &&
                "${KMAKE[@]}" -s -C "$ksrc" O="$P32" olddefconfig
        } >"$WORK/pmac32-prepare.log" 2>&1 || { cat "$WORK/pmac32-prepare.log"; die "pmac32: configuring failed"; }
        check_fragment "$HERE/pmac32.config" "$P32"
        nice "${KMAKE[@]}" -s -C "$ksrc" O="$P32" -j"$JOBS" modules_prepare arch/powerpc/lib/crtsavres.o \
            >>"$WORK/pmac32-prepare.log" 2>&1 || { tail -n 40 "$WORK/pmac32-prepare.log"; die "pmac32: modules_prepare failed"; }
        echo "$ksrc" >"$P32/.korv-source"
        echo "$key" >"$P32/.korv-key"
    fi
    rm -rf "$WORK/pmac32-module"
    mkdir -p "$WORK/pmac32-module"
    cp "$SRC"/linux/Kbuild "$SRC"/linux/*.[chS] "$WORK/pmac32-module/"
    "${KMAKE[@]}" -C "$P32" M="$WORK/pmac32-module" W=1 KCFLAGS=-Werror KBUILD_MODPOST_WARN=1 modules \
        >"$WORK/pmac32-module.log" 2>&1 || { cat "$WORK/pmac32-module.log"; die "pmac32: module build failed"; }
    if grep -q "warning:" "$WORK/pmac32-module.log"; then
        cat "$WORK/pmac32-module.log"
        die "pmac32: the module builds with warnings"
    fi
}

# ---------------------------------------------------------------- objcheck
# The L2 switch's object code in each module built (objcheck.py); with kprobes
# in the kernel, its routines must be kept from them.
run_objcheck() {
    local ko tree checked=0
    for tree in kernel pmac32; do
        ko=module/korvendale.ko
        [ "$tree" = kernel ] || ko=pmac32-module/korvendale.ko
        [ -f "$WORK/$ko" ] || continue
        local kprobes=()
        ! grep -qx CONFIG_KPROBES=y "$WORK/$tree/.config" || kprobes=(--kprobes)
        (cd "$WORK" && /usr/bin/python3 "$HERE/objcheck.py" "${kprobes[@]}" "$ko") ||
            die "objcheck: the $tree module breaks the L2 switch's rules"
        checked=1
    done
    [ $checked -eq 1 ] || die "objcheck: no module built (stages module, pmac32)"
}

# --------------------------------------------------------------- test init
build_init() {
    "${CROSS}gcc" -static -O2 -Wall -Wextra -Werror ${PREFS_DIR:+-DPREFS_DIR="\"$PREFS_DIR\""} \
        -o "$WORK/init" "$HERE/init.c"
}

# ---------------------------------------------------------------- programs
# korvendalecache and Korvendale Startup, static PowerPC builds of the same
# sources, in the cross build folder the PowerPC tests share.
PPC_BUILD=$WORK/ppc
build_programs() {
    JOBS=$JOBS "$SRC/scripts/cross-build.sh" "$SRC" "$PPC_BUILD" korvendalecache korvendale_startup ||
        die "cross build failed"
}

program_file() { [ -d "$PPC_BUILD" ] || return 0; find "$PPC_BUILD/" -type f -name "$1" -perm -u+x | head -n1; }

# --------------------------------------------------------------- initramfs
build_initramfs() {
    local ksrc tool startup
    ksrc=$(cat "$KOBJ/.korv-source")
    cc -O2 -o "$WORK/gen_init_cpio" "$ksrc/usr/gen_init_cpio.c"
    tool=$(program_file korvendalecache)
    startup=$(program_file "Korvendale Startup")
    if [ -z "${KORV_QEMU_WITHOUT_PROGRAMS:-}" ]; then
        [ -n "$tool" ] || die "no PowerPC korvendalecache in $PPC_BUILD"
        [ -n "$startup" ] || die "no PowerPC Korvendale Startup in $PPC_BUILD"
    fi
    # gen_init_cpio takes no quoted names, and the startup item's has a space:
    # it goes in under a name without one.
    if [ -n "$startup" ]; then
        cp "$startup" "$WORK/korvendale-startup"
        startup=$WORK/korvendale-startup
    fi
    {
        echo "dir /dev 0755 0 0"
        echo "nod /dev/console 0600 0 0 c 5 1"
        echo "nod /dev/kmsg 0644 0 0 c 1 11"
        echo "nod /dev/null 0666 0 0 c 1 3"
        for d in /proc /sys /sbin /lib /lib/modules /usr /usr/sbin /usr/libexec /usr/libexec/korvendale /var /var/lib /tmp; do
            echo "dir $d 0755 0 0"
        done
        echo "file /init $WORK/init 0755 0 0"
        echo "slink /sbin/modprobe /init 0777 0 0"
        echo "file /lib/modules/korvendale.ko $WORK/module/korvendale.ko 0644 0 0"
        [ -z "$tool" ] || echo "file /usr/sbin/korvendalecache $tool 0755 0 0"
        [ -z "$startup" ] || echo "file /usr/libexec/korvendale/korvendale-startup $startup 0755 0 0"
    } >"$WORK/initramfs.list"
    "$WORK/gen_init_cpio" "$WORK/initramfs.list" >"$WORK/initramfs.cpio"
}

# -------------------------------------------------------------------- boot
# The two processors the programs drive, and two they only read (a 7450 with
# an L2CR of another layout, a 604e without L2CR or thermal unit).
MACHINES=("mac99 7400" "g3beige 750" "mac99 7450" "g3beige 604e")

boot_one() {
    local machine=$1 cpu=$2 name=$1-$2 serial transcript
    serial=$WORK/$name.serial
    transcript=$WORK/$name.transcript
    log "booting $machine -cpu $cpu"
    timeout --kill-after=5 "$BOOT_TIMEOUT" qemu-system-ppc -M "$machine" -cpu "$cpu" -m 256 \
        -kernel "$KOBJ/vmlinux" -initrd "$WORK/initramfs.cpio" -append "console=ttyPZ0" \
        -vga none -nic none -nographic -no-reboot -serial "file:$serial" -monitor none </dev/null ||
        die "$name: QEMU did not power off within $BOOT_TIMEOUT s (serial log: $serial)"
    tr -d '\r' <"$serial" | sed -n '/^KORV-BEGIN/,/^KORV-END/p' >"$transcript"
    grep -q '^KORV-END' "$transcript" || { tail -n 30 "$serial"; die "$name: the guest's transcript is incomplete"; }
    if [ -n "${KORV_QEMU_UPDATE_EXPECTED:-}" ]; then
        cp "$transcript" "$HERE/expected/$name.txt"
        log "$name: wrote tests/qemu/expected/$name.txt (review it)"
    elif ! diff -u "$HERE/expected/$name.txt" "$transcript"; then
        log "FAIL: $name: the guest's transcript differs from tests/qemu/expected/$name.txt"
        FAILED=1
        return
    fi
    log "$name: transcript as expected"
}

FAILED=0
boot_all() {
    local m
    for m in "${MACHINES[@]}"; do
        # shellcheck disable=SC2086
        timed "boot $m" boot_one $m
    done
}

# ------------------------------------------------------ guest with a screen
# Tarnwick X on the framebuffer of QEMU's G4 and G3, from the PowerPC
# package's contents; screen.py drives it and compares its screens with the
# host's rendering (tarnwick-x and macsim of the host build, HOST_BIN).
SCREEN=$HERE/screen
SCREEN_WORK=$WORK/screen
HOST_BIN=${KORV_HOST_BIN:-$(dirname "$WORK")/bin}
SCREEN_TIMEOUT=${SCREEN_TIMEOUT:-300}

screen_package() {
    [ -n "${KORV_PPC_DEB:-}" ] && { echo "$KORV_PPC_DEB"; return; }
    [ -d "$PPC_BUILD" ] || return 0
    find "$PPC_BUILD" -maxdepth 1 -name 'korvendale_*_powerpc.deb' | sort | tail -n1
}

# The package unpacked as dpkg places it, the module and the init beside it
# (the init opens the console itself: an archive made without root holds no
# device node).
build_screen_initramfs() {
    local deb root=$SCREEN_WORK/root
    deb=$(screen_package)
    if [ -z "$deb" ]; then
        # Run alone, without the PowerPC tests that make it first.
        KORV_HOST_RESCOMP=$([ -x "$HOST_BIN/rescomp" ] && echo "$HOST_BIN/rescomp") JOBS=$JOBS \
            "$SRC/scripts/cross-build.sh" "$SRC" "$PPC_BUILD" package || die "cross build of the package failed"
        deb=$(screen_package)
    fi
    [ -f "$deb" ] || die "no korvendale_*_powerpc.deb (KORV_PPC_DEB or in $PPC_BUILD)"
    rm -rf "$root"
    mkdir -p "$root/dev" "$root/proc" "$root/sys" "$root/etc/modprobe.d" "$root/lib/modules" "$root/sbin" \
        "$root/tmp" "$root/root"
    dpkg-deb -x "$deb" "$root"
    "${CROSS}gcc" -static -O2 -Wall -Wextra -Werror -o "$root/init" "$SCREEN/init.c"
    ln -sf /init "$root/sbin/modprobe"
    cp "$WORK/module/korvendale.ko" "$root/lib/modules/"
    echo "options korvendale trace=1 test_firmware_l2cr=0xB9000000" >"$root/etc/modprobe.d/korvendale.conf"
    (cd "$root" && find . -mindepth 1 | LC_ALL=C sort | cpio -o -H newc -R 0:0 --quiet) >"$SCREEN_WORK/initramfs.cpio"
}

boot_screen() {
    local machine=$1 cpu=$2 name=$1-$2
    local extra=()
    [ -z "${KORV_QEMU_UPDATE_EXPECTED:-}" ] || extra+=(--update-expected)
    timeout --kill-after=5 "$SCREEN_TIMEOUT" /usr/bin/python3 "$SCREEN/screen.py" --machine "$machine" --cpu "$cpu" \
        --kernel "$KOBJ/vmlinux" --initrd "$SCREEN_WORK/initramfs.cpio" --bin "$HOST_BIN" \
        --work "$SCREEN_WORK/$name" --expected "$SCREEN/expected/$name.txt" "${extra[@]}" ||
        { log "FAIL: $name: the guest with a screen"; FAILED=1; return; }
    # The README's picture of the emulated G4's screen, renewed with the transcripts.
    if [ "$name" = mac99-7400 ] && [ -n "${KORV_QEMU_UPDATE_EXPECTED:-}" ]; then
        cp "$SCREEN_WORK/$name/tarnwick.png" "$SRC/docs/screenshots/qemu-mac99-tarnwick.png"
        log "$name: wrote docs/screenshots/qemu-mac99-tarnwick.png (look at it)"
    fi
    log "$name: screens and transcript as expected"
}

SCREEN_MACHINES=("mac99 7400" "g3beige 750")
screen_all() {
    local m
    for m in "${SCREEN_MACHINES[@]}"; do
        # shellcheck disable=SC2086
        timed "screen $m" boot_screen $m
    done
}

# The checks that take seconds first, the guests last.
if want checkpatch; then timed checkpatch run_checkpatch; fi
if want module; then timed module build_module; fi
if want pmac32; then timed pmac32 build_pmac32; fi
if want objcheck; then timed objcheck run_objcheck; fi
if want init; then timed init build_init; fi
if want programs; then timed programs build_programs; fi
if want initramfs; then timed initramfs build_initramfs; fi
if want boot; then boot_all; fi
if want screenfs; then timed screenfs build_screen_initramfs; fi
if want screen; then screen_all; fi

log "timings:"
for stage in "${ORDER[@]}"; do
    printf '[qemu]   %-18s %6s s\n' "$stage" "${TIMES[$stage]}"
done
if want boot || want screen; then
    [ $FAILED -eq 0 ] || die "a guest did not do what was expected"
    log "every guest as expected"
fi
