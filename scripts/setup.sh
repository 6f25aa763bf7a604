#!/usr/bin/env bash
# Installs, from Debian's packages only, every tool the build, the program and
# the tests need. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake ninja-build make
  g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-i686-dev mingw-w64-x86-64-dev
  wine wine64 wine32:i386
  xvfb xdotool x11-utils imagemagick xclip tesseract-ocr icoutils
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  googletest
  python3 python3-pytest python3-pil
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  missing+=(wine32:i386)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# MinGW ships two thread models; std::thread and friends need the POSIX one.
for tool in {i686,x86_64}-w64-mingw32-{g++,gcc}; do
  alt=/usr/bin/${tool}-posix
  if [ -x "$alt" ] && [ "$(readlink -f /usr/bin/$tool)" != "$(readlink -f $alt)" ]; then
    "${sudo_cmd[@]}" update-alternatives --set "$tool" "$alt" >/dev/null
  fi
done

# Kernels without 32-bit support cannot run Wine's 32-bit loader, and with it
# the shipped 32-bit program. Debian's qemu-user-static runs it, once the
# kernel hands it 32-bit programs; its package registers no such rule on
# amd64, and a registration lasts only until the machine restarts.
# Where the kernel runs them itself, nothing here changes anything.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
if [ "$(wine_32bit_mode)" = none ]; then
  if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q 'install ok installed'; then
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
      qemu-user-static >/dev/null || true
  fi
  if "${sudo_cmd[@]}" bash -c ". '$here/wine-env.sh' && register_qemu_i386" 2>/dev/null &&
     [ "$(wine_32bit_mode)" = emulated ]; then
    echo "setup: this kernel cannot run 32-bit programs; qemu-i386-static now runs them (binfmt_misc)"
  else
    echo "setup: this kernel cannot run 32-bit programs, and qemu-i386-static could not be registered for them: the tests prove the 64-bit build only"
  fi
fi
