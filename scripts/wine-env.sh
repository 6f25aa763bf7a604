# Sourced by the scripts that run Windows programs: which build Wine runs, and
# whether natively or emulated, and the private prefix and X display of one
# build folder. This is the only place these choices are made.
#
# The shipped program is the 32-bit build, so that is the one the tests prove
# wherever Wine's 32-bit loader runs. Kernels that cannot execute 32-bit code
# cannot run that loader themselves; scripts/setup.sh then has them hand 32-bit
# programs to qemu-i386-static through binfmt_misc. Such programs run, but each
# start costs about 50 s of emulated processor time, so there the tests prove
# the 64-bit twin completely and the shipped build with as few starts as they
# can, and the benchmarks time the 64-bit build. VANTACLE_ARCH=win64 forces
# the 64-bit path on any machine (VANTACLE_ARCH=win32 forces the 32-bit one).

# The binfmt_misc rule that hands 32-bit x86 ELF programs to qemu: the ELF
# magic of a 32-bit little-endian executable for machine 3 (i386); "F" opens
# the emulator at registration, so it also works in other mount namespaces.
QEMU_I386_BINFMT=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'
BINFMT_DIR=/proc/sys/fs/binfmt_misc

# Registers that rule (as root), mounting binfmt_misc where it is not.
register_qemu_i386() {
    if [ ! -f "$BINFMT_DIR/register" ]; then
        mount -t binfmt_misc binfmt_misc "$BINFMT_DIR" || return 1
    fi
    if [ -f "$BINFMT_DIR/qemu-i386" ]; then
        echo 1 >"$BINFMT_DIR/qemu-i386"
    else
        printf '%s' "$QEMU_I386_BINFMT" >"$BINFMT_DIR/register"
    fi
}

# True when an enabled binfmt_misc rule, not the kernel, runs 32-bit x86
# programs: the kernel consults such rules before its own ELF loader.
i386_is_emulated() {
    local rule
    grep -qx enabled "$BINFMT_DIR/status" 2>/dev/null || return 1
    for rule in "$BINFMT_DIR"/*; do
        case ${rule##*/} in register | status) continue ;; esac
        if grep -qx enabled "$rule" 2>/dev/null &&
            grep -qx 'magic 7f454c4601010100000000000000000002000300' "$rule"; then
            return 0
        fi
    done
    return 1
}

# Prints how Wine's 32-bit loader runs here: native, emulated or none.
wine_32bit_mode() {
    if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
        echo none
    elif i386_is_emulated; then
        echo emulated
    else
        echo native
    fi
}

# Prints how the programs of one build run here: natively or emulated.
wine_runs() {
    if [ "$1" = win32 ] && i386_is_emulated; then echo emulated; else echo natively; fi
}

# Prints win32 or win64: the build this machine proves.
wine_arch() {
    case "${VANTACLE_ARCH:-}" in
    win32 | win64) echo "$VANTACLE_ARCH" ;;
    "")
        if [ "$(wine_32bit_mode)" = none ]; then echo win64; else echo win32; fi
        ;;
    *)
        echo "VANTACLE_ARCH must be win32 or win64, not '$VANTACLE_ARCH'" >&2
        return 1
        ;;
    esac
}

# True when Wine's 32-bit loader runs here, so both builds can be run.
wine_runs_32bit() {
    [ "${VANTACLE_ARCH:-}" != win64 ] && [ "$(wine_32bit_mode)" != none ]
}

# Prints the build whose timings mean something here: the one the tests
# prove, unless that one would be emulated without being asked for by name.
wine_bench_arch() {
    local arch
    arch=$(wine_arch) || return 1
    if [ "$arch" = win32 ] && [ -z "${VANTACLE_ARCH:-}" ] && i386_is_emulated; then arch=win64; fi
    echo "$arch"
}

# Prints the loader that runs the programs of one build.
wine_loader() {
    case "$1" in
    win32) echo /usr/lib/wine/wine ;;
    *) echo /usr/lib/wine/wine64 ;;
    esac
}

#   wine_env BUILD_DIR [win32|win64]
# Points Wine at the prefix and display of BUILD_DIR; WINE is the loader of
# the given build (by default the one this machine proves). Prefixes are
# always 64-bit ones (WoW64): created by WINE64, they run programs of both
# builds, and one 64-bit server serves them all. Each loader starts the other
# for a program of the other width by adding or dropping the "64".
wine_env() {
    local build=$1 arch=${2:-}
    [ -n "$arch" ] || arch=$(wine_arch) || return 1
    export WINEPREFIX="$build/wine/prefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
    export WINELOADER
    WINELOADER=$(wine_loader "$arch")
    export WINESERVER=/usr/lib/wine/wineserver64
    WINE=$WINELOADER
    WINE64=/usr/lib/wine/wine64
    # Tests that meet a fault of the emulator, not of the program, read it
    # to skip themselves, and only there (tests/EmulatorFaults.h).
    if [ "$(wine_runs "$arch")" = emulated ]; then
        export VANTACLE_EMULATED=qemu-i386-static
    else
        unset VANTACLE_EMULATED
    fi
    if [ -f "$build/wine/display" ]; then
        export DISPLAY=":$(cat "$build/wine/display")"
    fi
}

# Prints win32 or win64: the width of a Windows program, from its PE header.
pe_arch() {
    local header machine
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    machine=$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')
    case "$machine" in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) echo "$1 is not a 32- or 64-bit x86 Windows program" >&2; return 1 ;;
    esac
}

#   wine_prefix_make
# Creates the prefix wine_env pointed at, where it does not exist yet. With
# VANTACLE_PREFIX_TEMPLATE set, the prefix is a copy of that one, made there
# once: creating a prefix takes minutes (much longer where 32-bit programs are
# emulated, since wineboot starts 32-bit parts too), copying one seconds. The
# copy shares the programs and libraries with the template through hard
# links: nothing writes them; every other file, the registry's first, is
# rewritten in place by Wine and is a copy of its own.
wine_prefix_make() {
    [ ! -f "$WINEPREFIX/system.reg" ] || return 0
    local template=${VANTACLE_PREFIX_TEMPLATE:-} log=$WINEPREFIX.wineboot.log
    if [ -z "$template" ]; then
        # A 64-bit (WoW64) prefix runs the programs of both builds.
        "$WINE64" wineboot -i >"$log" 2>&1 || true
        "$WINESERVER" -w
        return 0
    fi
    mkdir -p "$(dirname "$template")"
    (
        flock 9
        if [ ! -f "$template/system.reg" ]; then
            rm -rf "$template"
            WINEPREFIX=$template "$WINE64" wineboot -i >"$template.wineboot.log" 2>&1 || true
            WINEPREFIX=$template "$WINESERVER" -w
        fi
    ) 9>"$template.lock"
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    cp -a --link "$template" "$WINEPREFIX"
    (cd "$WINEPREFIX" && find . -type f ! -iname '*.dll' ! -iname '*.exe' ! -iname '*.drv' \
        ! -iname '*.sys' ! -iname '*.ocx' ! -iname '*.acm' ! -iname '*.cpl' ! -iname '*.tlb' \
        -exec sh -c 'for f; do cp -p --remove-destination "$0/$f" "$f"; done' "$template" {} +)
}

# Where qemu-i386 runs a 32-bit program with more than one thread, a signal
# that Wine's server sends to one of its threads is handled as the newest
# thread: the signalled thread goes on with that thread's identity and waits
# forever for a reply addressed to itself. The server signals a thread when a
# device answers it before it is back waiting, and the device a program asks
# is Wine's mount manager: each volume query (the Save As dialog makes one for
# every drive it lists, after OLE started its RPC thread) would hang the
# program. So where the build the session is for (wine_arch: VANTACLE_ARCH,
# else the 32-bit one) runs emulated, the prefix has no mount manager: volume
# queries then fail at once (no label, no serial) and drive letters stay what
# dosdevices says. Natively, and with VANTACLE_ARCH=win64, nothing changes.
mount_manager_for_emulation() {
    local arch key='HKLM\System\CurrentControlSet\Services\MountMgr'
    local mark="$WINEPREFIX/vantacle-no-mount-manager"
    arch=$(wine_arch) || return 1
    if [ "$(wine_runs "$arch")" = emulated ]; then
        "$WINE64" reg add "$key" /v Start /t REG_DWORD /d 4 /f >/dev/null
        touch "$mark"
    elif [ -f "$mark" ]; then
        # The same build folder runs natively again: Wine's own setting back.
        "$WINE64" reg add "$key" /v Start /t REG_DWORD /d 2 /f >/dev/null
        rm -f "$mark"
    fi
}
