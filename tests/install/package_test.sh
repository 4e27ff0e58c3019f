#!/usr/bin/env bash
# Builds the Debian package as make package does, checks what it holds, and
# runs zerafin-cli from it unpacked into a temporary root.
# usage: package_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work/home"
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -f "$build/shipped/English.ttb" ] || { echo "the build has no text database; nothing to package"; exit 0; }
(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) || fail "cpack failed: $(tail -20 "$work/cpack.log")"
deb=$(ls "$work"/package/zerafin_*.deb)
dpkg-deb -c "$deb" >"$work/contents"
for f in ./usr/bin/zerafin ./usr/bin/zerafin-cli ./usr/bin/zerafin-init \
         ./usr/share/applications/zerafin.desktop ./usr/share/icons/hicolor/scalable/apps/zerafin.svg \
         ./usr/share/metainfo/io.github.zerafin.Zerafin.metainfo.xml \
         ./usr/share/zerafin/English.ttb ./usr/share/zerafin/css ./usr/share/zerafin/sample/ATTRIBUTION.txt \
         ./usr/share/man/man1/zerafin-cli.1; do
  grep -q " $f\$" "$work/contents" || fail "the package does not hold $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6* ]] || fail "the package does not depend on Qt: $depends"

dpkg -x "$deb" "$work/root"
out=$(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u ZERAFIN_READER_FOLDER HOME="$work/home" \
      "$work/root/usr/bin/zerafin-cli" show 2:255)
[[ $out == "[2:255] "* ]] || fail "zerafin-cli from the package showed: $out"
rm -rf "$work"
echo "the package holds the program and its data, and its zerafin-cli runs"
