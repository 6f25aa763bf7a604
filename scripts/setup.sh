#!/usr/bin/env bash
# Installs, from Debian's packages only, every tool the build, the program and
# the tests need. Safe to run again: it installs only what is missing.
#
#   scripts/setup.sh [BUILD_DIR]
#
# A package index that cannot be fetched (a mirror caught in the middle of
# its update) or a package that cannot be installed does not stop it: it says
# which in one line, installs everything else and writes what it could not
# install, with apt's reason, to BUILD_DIR/setup-unavailable, so that the
# test run can say at its end what it could not prove and why.
set -uo pipefail

build=${1:-build}
unavailable_file=$build/setup-unavailable

packages=(
  cmake ninja-build make
  g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-i686-dev mingw-w64-x86-64-dev
  wine wine64 wine32:i386
  xvfb xdotool x11-utils imagemagick xclip tesseract-ocr icoutils
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  googletest
  python3 python3-pytest python3-pil python3-yaml
  wixl msitools zip unzip
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

# apt's own words for why a run failed, in one line: the first unmet
# dependency, else its first error.
apt_reason() {
  local reason
  reason=$(grep -m1 -E '^ +[^ ]+ : (Pre)?Depends|^ +[^ ]+ : Conflicts|^ +[^ ]+ : Breaks' "$1" |
    sed -E 's/^ +//; s/ +/ /g')
  [ -n "$reason" ] || reason=$(grep -m1 '^E:' "$1" | sed -E 's/^E: //')
  echo "${reason:-apt-get install failed}"
}

# Fetches the package lists; when some index fails, once more, then goes on
# with the lists apt has and names the index that failed.
update_lists() {
  local log attempt
  log=$(mktemp)
  for attempt in 1 2; do
    if "${sudo_cmd[@]}" apt-get update -qq >"$log" 2>&1 && ! grep -q '^E:' "$log"; then
      rm -f "$log"
      return 0
    fi
  done
  local failed
  failed=$(grep -m1 -E '^E: Failed to fetch' "$log" | sed -E 's/^E: Failed to fetch //; s/ +/ /g')
  [ -n "$failed" ] || failed=$(grep -m1 '^E:' "$log" | sed -E 's/^E: //')
  echo "setup: a package index failed twice, going on with the lists apt has: ${failed:-apt-get update failed}"
  rm -f "$log"
}

#   install_all LOG PACKAGE...
install_all() {
  local log=$1
  shift
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$@" >"$log" 2>&1 && return 0
  # With the index of an update suite missing (security's i386 one, say),
  # the other architecture's twin of an installed library, which must match
  # its version exactly, exists only in the main suite's version: taking
  # the main suite's versions throughout lets both match.
  [ -n "$codename" ] || return 1
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends -t "$codename" "$@" \
    >"$log" 2>&1
}

codename=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
  installed wine32:i386 || [[ " ${missing[*]} " == *" wine32:i386 "* ]] || missing+=(wine32:i386)
fi

mkdir -p "$build"
: >"$unavailable_file"
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  update_lists
  log=$(mktemp)
  if ! install_all "$log" "${missing[@]}"; then
    # One package that cannot be installed must not keep the others out.
    for p in "${missing[@]}"; do
      installed "$p" && continue
      if ! install_all "$log" "$p"; then
        reason=$(apt_reason "$log")
        echo "setup: cannot install $p: $reason"
        echo "$p: $reason" >>"$unavailable_file"
      fi
    done
  fi
  rm -f "$log"
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
if installed wine32:i386 && [ "$(wine_32bit_mode)" = none ]; then
  if ! installed qemu-user-static; then
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
      qemu-user-static >/dev/null 2>&1 || true
  fi
  if "${sudo_cmd[@]}" bash -c ". '$here/wine-env.sh' && register_qemu_i386" 2>/dev/null &&
     [ "$(wine_32bit_mode)" = emulated ]; then
    echo "setup: this kernel cannot run 32-bit programs; qemu-i386-static now runs them (binfmt_misc)"
  else
    echo "setup: this kernel cannot run 32-bit programs, and qemu-i386-static could not be registered for them: the tests prove the 64-bit build only"
    echo "32-bit programs: this kernel cannot run them and qemu-i386-static could not be registered" \
      >>"$unavailable_file"
  fi
fi
exit 0
