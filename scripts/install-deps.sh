#!/bin/sh
# Installs the Debian packages the build needs, and only those that are missing.
# `install-deps.sh package`, `install-deps.sh fuzz` or `install-deps.sh asan` also
# installs what `make deb`, `make fuzz` or `make test-asan` needs on top (devscripts for
# hardening-check).
set -e
PACKAGES="cmake g++ make pkg-config libgtest-dev libbenchmark-dev \
libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev \
fonts-liberation2 xdg-utils libcairo2-dev libsndfile1-dev \
desktop-file-utils appstream man-db clang-format"
# libFuzzer and the sanitizer runtimes come with clang's runtime package;
# llvm-symbolizer turns the addresses of a report into file and line.
FUZZ_PACKAGES="clang libclang-rt-14-dev llvm"
# g++'s own sanitizer runtimes (g++ 12 depends on them; named so a missing one is put back).
ASAN_PACKAGES="libasan8 libubsan1"

case "${1:-}" in
  package) PACKAGES="$PACKAGES dpkg-dev lintian devscripts" ;;
  fuzz) PACKAGES="$PACKAGES $FUZZ_PACKAGES" ;;
  asan) PACKAGES="$PACKAGES $ASAN_PACKAGES" ;;
esac

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
