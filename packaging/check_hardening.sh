#!/bin/sh
# Runs hardening-check on every program in the given Debian package: PIE, full RELRO
# (bindnow), stack protector and fortify, and whatever else dpkg-buildflags adds, must all be
# there. Fails when one is missing.
set -e
deb="$1"
[ -f "$deb" ] || { echo "check_hardening: no package '$deb'" >&2; exit 1; }
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
# Requires what dpkg-buildflags turns on. Debian 12's does not add control-flow protection
# yet (its "branch" feature, -fcf-protection), so there that check is left out.
skip="--nocfprotection"
DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --query-features hardening |
  grep -A1 -x "Feature: branch" | grep -qx "Enabled: yes" && skip=""
status=0
found=0
for file in $(find "$tree" -type f | sort); do
  # Only ELF files: the launcher is a shell script.
  [ "$(head -c 4 "$file" | tail -c 3)" = "ELF" ] || continue
  found=1
  report=$(hardening-check $skip "$file") || status=1
  printf '%s\n' "$report" | sed "s|$tree||"
done
[ "$found" = 1 ] || { echo "check_hardening: no program in $deb" >&2; exit 1; }
[ "$status" = 0 ] && echo "hardening-check: every program in $deb passes"
exit $status
