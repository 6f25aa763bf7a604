"""scripts/setup.sh against a stand-in apt that fails as Debian's mirrors
were seen to fail: an index with the wrong size while the mirror syncs, and a
package whose dependencies cannot be met."""
import os
import pathlib
import stat
import subprocess

import pytest

ROOT = pathlib.Path(__file__).resolve().parents[2]
BROKEN_INDEX = (
    "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/"
    "main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). "
    "Mirror sync in progress? [IP: 203.0.113.80 80]\n"
    "E: Some index files failed to download. They have been ignored, or old ones used instead.\n")
UNMET = (
    "The following packages have unmet dependencies:\n"
    " libwine:i386 : Depends: libgstreamer-plugins-base1.0-0:i386 (>= 1.0.0) but it is not "
    "going to be installed\n"
    "E: Unable to correct problems, you have held broken packages.\n")

# The stand-ins keep their state in files of the test's folder: the packages
# installed so far, and every apt-get call.
STAND_INS = {
    "apt-get": r'''#!/bin/bash
echo "$*" >>"$STATE/calls"
case "$1" in
update) [ -n "$FAIL_INDEX" ] && { printf '%s' "$BROKEN"; exit 100; }; exit 0 ;;
install)
    shift; target=""; pkgs=()
    while [ $# -gt 0 ]; do
        case "$1" in -t) target=$2; shift 2 ;; -*) shift ;; *) pkgs+=("$1"); shift ;; esac
    done
    for p in "${pkgs[@]}"; do
        if [ "$p" = "$UNINSTALLABLE" ] || { [ "$p" = "$NEEDS_MAIN" ] && [ -z "$target" ]; }; then
            printf '%s' "$UNMET"; exit 100
        fi
    done
    printf '%s\n' "${pkgs[@]}" >>"$STATE/installed"; exit 0 ;;
esac
''',
    "dpkg-query": r'''#!/bin/bash
pkg=${@: -1}
grep -qx -- "$pkg" "$STATE/installed" 2>/dev/null && printf 'install ok installed' && exit 0
exit 1
''',
    "dpkg": "#!/bin/bash\n[ \"$1\" = --print-foreign-architectures ] && echo i386\nexit 0\n",
    "sudo": "#!/bin/bash\nexec \"$@\"\n",
    "update-alternatives": "#!/bin/bash\nexit 0\n",
}


def run_setup(tmp_path, **failures):
    bin_dir = tmp_path / "bin"
    bin_dir.mkdir()
    for name, text in STAND_INS.items():
        path = bin_dir / name
        path.write_text(text)
        path.chmod(path.stat().st_mode | stat.S_IEXEC)
    env = dict(os.environ, PATH=f"{bin_dir}:{os.environ['PATH']}", STATE=str(tmp_path),
               BROKEN=BROKEN_INDEX, UNMET=UNMET, FAIL_INDEX="", UNINSTALLABLE="", NEEDS_MAIN="")
    env.update(failures)
    build = tmp_path / "build"
    done = subprocess.run(["bash", str(ROOT / "scripts/setup.sh"), str(build)], env=env,
                          capture_output=True, text=True, timeout=120)
    installed = set((tmp_path / "installed").read_text().split()) \
        if (tmp_path / "installed").exists() else set()
    calls = (tmp_path / "calls").read_text().splitlines()
    unavailable = (build / "setup-unavailable").read_text()
    return done, installed, calls, unavailable


def wanted_packages():
    text = (ROOT / "scripts/setup.sh").read_text()
    block = text[text.index("packages=(") + len("packages=("):text.index("\n)\n")]
    return set(block.split())


def test_an_index_that_fails_is_fetched_once_more_then_named_and_everything_installed(tmp_path):
    done, installed, calls, unavailable = run_setup(tmp_path, FAIL_INDEX="1")
    assert done.returncode == 0, done.stdout + done.stderr
    assert [c for c in calls if c.startswith("update")] == ["update -qq"] * 2
    said = [line for line in done.stdout.splitlines() if "index" in line]
    assert len(said) == 1 and "binary-i386/Packages.xz" in said[0], done.stdout
    assert installed == wanted_packages()
    assert unavailable == ""


@pytest.mark.parametrize("package", ["wine32:i386", "tesseract-ocr"])
def test_a_package_that_cannot_be_installed_is_named_with_apts_reason(tmp_path, package):
    done, installed, _, unavailable = run_setup(tmp_path, FAIL_INDEX="1", UNINSTALLABLE=package)
    assert done.returncode == 0, done.stdout + done.stderr
    assert "Error 100" not in done.stdout + done.stderr
    reason = "libwine:i386 : Depends: libgstreamer-plugins-base1.0-0:i386 (>= 1.0.0)"
    assert f"setup: cannot install {package}: {reason}" in done.stdout
    assert unavailable.startswith(f"{package}: {reason}")
    assert installed == wanted_packages() - {package}


def test_twins_only_the_main_suite_can_match_are_taken_from_it(tmp_path):
    done, installed, calls, unavailable = run_setup(tmp_path, NEEDS_MAIN="wine32:i386")
    assert done.returncode == 0, done.stdout + done.stderr
    assert installed == wanted_packages()
    assert any("-t bookworm" in c for c in calls if c.startswith("install"))
    assert unavailable == ""
