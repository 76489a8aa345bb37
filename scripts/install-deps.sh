#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorlen need; only
# missing packages are installed (as root, or through sudo).
#   scripts/install-deps.sh            what the build and the tests need
#   scripts/install-deps.sh --clang    and clang 14 to build with
#   scripts/install-deps.sh --coverage and gcovr, for scripts/coverage.sh
#   scripts/install-deps.sh --ci       and what CI's further checks need (clang,
#                                      clang-format, gcovr, the package's validators)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev
  qt6-base-dev     # the window quorlen and its GUI tests (Widgets, Test, the platform plugins)
  fonts-liberation # Liberation Sans, the metric twin that stands in for Arial
  parallel         # GNU parallel: the test of the README's recipe for several machines
  poppler-utils    # pdftotext, pdfinfo, pdftoppm: the tests read the printed PDFs back
)
case ${1:-} in
  --clang) packages+=(clang-14 libclang-rt-14-dev) ;;
  --coverage) packages+=(gcovr) ;;
  # scripts/check-package.sh: the validators of the desktop entry, the
  # AppStream metadata and the Debian package.
  --ci) packages+=(clang-14 libclang-rt-14-dev clang-format-14 gcovr desktop-file-utils appstream lintian) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  # Set through env, after sudo: sudo clears the caller's environment.
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
