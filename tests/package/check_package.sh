#!/usr/bin/env bash
# Installs the built Debian package into a temporary root and checks what a desktop gets
# from it: the program, its menu entry and icons, the documents, the command line.
#   tests/package/check_package.sh build/vorsela_VERSION_ARCH.deb
set -uo pipefail
deb=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"

passed=0
failed=0
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "package: FAILED: $what"
  fi
}

check "the program in /usr/bin" test -x "$root/usr/bin/vorsela"
check "the desktop entry" test -f "$root/usr/share/applications/vorsela.desktop"
check "the desktop entry is valid" desktop-file-validate "$root/usr/share/applications/vorsela.desktop"
check "the desktop entry starts the program in the home folder" \
  grep -qx 'Exec=vorsela --home' "$root/usr/share/applications/vorsela.desktop"
check "the desktop entry is in Office" grep -qx 'Categories=Office;' "$root/usr/share/applications/vorsela.desktop"
check "the desktop entry has a Russian name" grep -q '^Name\[ru\]=' "$root/usr/share/applications/vorsela.desktop"
for size in 16 24 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/vorsela.png"
  check "the ${size}x${size} icon" bash -c "file -b '$icon' | grep -q 'PNG image data, $size x $size'"
done
check "the copyright file" test -s "$root/usr/share/doc/vorsela/copyright"
check "the changelog" gzip -t "$root/usr/share/doc/vorsela/changelog.gz"
check "the manual page" gzip -t "$root/usr/share/man/man1/vorsela.1.gz"
check "the operator's guide" test -s "$root/usr/share/doc/vorsela/Помощь.txt"
check "--version prints the version" bash -c "'$root/usr/bin/vorsela' --version | grep -qx 'vorsela [0-9.]*'"
check "--help lists --home" bash -c "'$root/usr/bin/vorsela' --help | grep -q -- '--home'"
check "an unknown option is refused" bash -c "! '$root/usr/bin/vorsela' --bogus 2>/dev/null"
check "the register's SQLite driver is a run-time dependency" \
  bash -c "dpkg-deb -f '$deb' Depends | grep -q 'libqt6sql6-sqlite'"
check "the fonts with the Tatar and Bashkir letters are a run-time dependency" \
  bash -c "dpkg-deb -f '$deb' Depends | grep -q 'fonts-liberation2'"
check "lintian finds no error" bash -c "! lintian '$deb' 2>/dev/null | grep -q '^E:'"

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
