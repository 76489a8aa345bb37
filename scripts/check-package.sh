#!/usr/bin/env bash
# Builds the Debian package from a finished build folder and checks it: the
# validators of the desktop entry, the AppStream metadata and the package
# (lintian), then the unpacked package run as an ordinary user from a
# read-only folder, as an installed copy runs.
#   scripts/check-package.sh [BUILD_DIR]     (default: build/, as scripts/test.sh leaves it)
# Needs root (to become that user) and the Debian packages that
# scripts/install-deps.sh --ci installs.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath "${1:-build}")

passed=0
pass() { echo "ok: $*"; passed=$((passed + 1)); }
fail() { echo "FAILED: $*" >&2; echo "package check: $passed passed, 1 failed"; exit 1; }

desktop-file-validate packaging/org.quorlen.Quorlen.desktop || fail "desktop-file-validate"
pass "desktop entry"
appstreamcli validate --no-net packaging/org.quorlen.Quorlen.metainfo.xml || fail "appstreamcli validate"
pass "AppStream metadata"

rm -f "$build_dir"/quorlen_*.deb
cpack_out=$(cd "$build_dir" && cpack -G DEB 2>&1) || { echo "$cpack_out"; fail "cpack -G DEB"; }
debs=("$build_dir"/quorlen_*_"$(dpkg --print-architecture)".deb)
[[ ${#debs[@]} -eq 1 && -f ${debs[0]} ]] || fail "no quorlen_<version>_<arch>.deb in $build_dir"
deb=${debs[0]}
pass "built $(basename "$deb")"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-liberation' || fail "Depends lacks fonts-liberation"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the libraries dpkg-shlibdeps finds"
pass "dependencies: $(dpkg-deb -f "$deb" Depends)"
lintian_out=$(lintian --fail-on error,warning "$deb" 2>&1) || { echo "$lintian_out"; fail "lintian"; }
pass "lintian: no errors, no warnings"

# The unpacked package, its program folder read-only, run as nobody with a
# home of its own: the step log must land in the XDG folder, and nothing
# may be written next to the program.
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
dpkg-deb -x "$deb" "$scratch/root"
for f in usr/bin/quorlen usr/bin/quorlen-solve usr/bin/quorlen-generate usr/bin/quorlen-print \
  usr/share/applications/org.quorlen.Quorlen.desktop \
  usr/share/mime/packages/org.quorlen.Quorlen.xml usr/share/metainfo/org.quorlen.Quorlen.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/org.quorlen.Quorlen.svg usr/share/icons/hicolor/48x48/apps/org.quorlen.Quorlen.png \
  usr/share/man/man1/quorlen-solve.1.gz usr/share/man/man1/quorlen-generate.1.gz \
  usr/share/man/man1/quorlen-print.1.gz usr/share/man/man6/quorlen.6.gz \
  usr/share/doc/quorlen/copyright \
  usr/share/quorlen/examples/everyday-1.sud usr/share/quorlen/practice.txt; do
  [[ -f $scratch/root/$f ]] || fail "the package lacks /$f"
done
pass "the package holds the programs, samples, practice bank and desktop files"
chmod -R a-w "$scratch/root"
mkdir "$scratch/home"
chown 65534:65534 "$scratch/home"
before=$(find "$scratch/root" | sort)

as_user() {
  setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -i PATH=/usr/bin:/bin HOME="$scratch/home" "$@" \
    "$scratch/root/usr/bin/quorlen-solve" --steps "$scratch/root/usr/share/quorlen/examples/everyday-1.sud"
}
for data_home in "" "$scratch/home/xdg"; do
  log=${data_home:-$scratch/home/.local/share}/quorlen/steps.txt
  out=$(as_user ${data_home:+XDG_DATA_HOME=$data_home}) || fail "quorlen-solve exited $? as a user${data_home:+ with XDG_DATA_HOME}"
  [[ $out == *$'\tSudoku Solved\t'* ]] || fail "quorlen-solve did not solve: $out"
  [[ -s $log ]] || fail "no step log at $log"
  pass "as a user from a read-only folder: solved, exit 0, step log in ${log#"$scratch/"}"
done
generated=$(setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$scratch/home" \
  "$scratch/root/usr/bin/quorlen-generate" --seed 1 --level medium 3) || fail "quorlen-generate exited $? as a user"
solved=$(setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$scratch/home" \
  "$scratch/root/usr/bin/quorlen-solve" <<<"$generated" | cut -f4 | sort -u) || fail "quorlen-solve of generated puzzles"
[[ $solved == "Difficulty     : 1 (Medium)" ]] || fail "generated Medium puzzles solve as: $solved"
pass "as a user: quorlen-generate's Medium puzzles are what quorlen-solve rates Medium"
# No display and no runtime folder: a PDF all the same, its digits as text.
setpriv --reuid=65534 --regid=65534 --clear-groups env -i PATH=/usr/bin:/bin HOME="$scratch/home" \
  "$scratch/root/usr/bin/quorlen-print" --solutions -o "$scratch/home/booklet.pdf" <<<"$generated" ||
  fail "quorlen-print exited $? as a user"
pdftotext "$scratch/home/booklet.pdf" - | grep -q 'Solution 3' || fail "quorlen-print's PDF lacks its solutions"
pass "as a user, without a display: quorlen-print's booklet of those puzzles"
[[ $(find "$scratch/root" | sort) == "$before" ]] || fail "something was written next to the program"
pass "nothing written next to the program"

# A copy installed under a prefix that can be written (here by root) is an
# installed copy all the same: its step log goes to the XDG folder too.
cmake --install "$build_dir" --prefix "$scratch/prefix" >/dev/null
env -i PATH=/usr/bin:/bin HOME="$scratch/roothome" "$scratch/prefix/bin/quorlen-solve" --steps \
  "$scratch/prefix/share/quorlen/examples/everyday-1.sud" >/dev/null || fail "quorlen-solve under a prefix"
[[ -s $scratch/roothome/.local/share/quorlen/steps.txt && ! -e $scratch/prefix/bin/steps.txt ]] ||
  fail "cmake --install --prefix: the step log is not in the XDG folder"
pass "installed under a writable prefix: step log in the XDG folder"

echo "package check: $passed passed, 0 failed"
