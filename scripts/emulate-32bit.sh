#!/usr/bin/env bash
# Runs a command as on a machine whose kernel cannot execute 32-bit code: in a
# private user and mount namespace with a binfmt_misc of its own (Linux 6.7 or
# later), where qemu-i386-static runs every 32-bit program. It reproduces the
# emulated path of `make test` on a machine that runs 32-bit code natively,
# and changes nothing outside the command but the packages setup installs.
#   emulate-32bit.sh COMMAND [ARGUMENT...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "${1:-}" != --inside ]; then
    # Setup installs Wine and the rest here, before the namespace: apt cannot
    # drop to its own user inside it, where only root is mapped. What it
    # could not install it says, and setup inside says again to the command.
    setup_notes=$(mktemp -d)
    bash "$here/setup.sh" "$setup_notes"
    rm -rf "$setup_notes"
    if [ ! -x /usr/bin/qemu-i386-static ]; then
        # The machine runs 32-bit code itself, so setup never installed it.
        sudo_cmd=()
        if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
        echo "emulate-32bit: installing Debian's qemu-user-static"
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
            --no-install-recommends qemu-user-static >/dev/null || true
        if [ ! -x /usr/bin/qemu-i386-static ]; then
            echo "emulate-32bit: needs Debian's qemu-user-static, which could not be installed" >&2
            exit 2
        fi
    fi
    exec unshare --user --map-root-user --mount "$0" --inside "$@"
fi
shift
. "$here/wine-env.sh"
# A new instance: the one the namespace inherited belongs to the machine.
mount -t binfmt_misc binfmt_misc "$BINFMT_DIR"
register_qemu_i386
if [ "$(wine_32bit_mode)" != emulated ]; then
    echo "emulate-32bit: Wine's 32-bit loader does not run through qemu here" >&2
    exit 2
fi
exec "$@"
