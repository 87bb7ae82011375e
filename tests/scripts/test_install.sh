#!/usr/bin/env bash
# Installs into a scratch prefix and checks what a desktop needs to open ".clk" files with Zentriq: the
# program and its assets, a valid menu entry that takes a file, the icon, and the file type for *.clk.
# Usage: test_install.sh <cmake> <build dir>
set -u
cmake=$1
build=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

"$cmake" --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || fail "install failed: $(cat "$prefix.log")"
rm -f "$prefix.log"
for f in bin/zentriq share/zentriq/sounds/tick.wav share/zentriq/pictures/box0.png \
    share/applications/zentriq.desktop share/icons/hicolor/32x32/apps/zentriq.png \
    share/mime/packages/zentriq-clocks.xml; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
desktop="$prefix/share/applications/zentriq.desktop"
grep -qx 'Exec=zentriq %f' "$desktop" || fail "the menu entry does not pass the file: $(grep Exec "$desktop")"
grep -qx 'MimeType=application/x-zentriq-clocks;' "$desktop" || fail "the menu entry does not claim .clk files"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "the menu entry is not valid"
else
    echo "note: desktop-file-validate is not installed; the entry was not validated"
fi
if command -v update-mime-database >/dev/null; then
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "the file type does not build"
    grep -qx 'application/x-zentriq-clocks:\*.clk' <(cut -d: -f2- "$prefix/share/mime/globs2") ||
        fail "*.clk does not map to the clock file type: $(cat "$prefix/share/mime/globs2")"
fi
echo "PASS: program, assets, menu entry, icon and the .clk file type installed"
