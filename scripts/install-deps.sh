#!/bin/sh
# Installs the Debian packages the build needs, and only those that are missing.
# "install-deps.sh package" adds what building and checking the Debian package needs.
set -e
PACKAGES="cmake g++ make pkg-config libgtest-dev libbenchmark-dev \
libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-ttf2.0-dev \
fonts-liberation2 xdg-utils libcairo2-dev libsndfile1-dev \
desktop-file-utils appstream man-db"
[ "${1:-}" = package ] && PACKAGES="$PACKAGES dpkg-dev lintian"

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
