#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a new reader would:
# the installed zerafin-cli and window with an empty HOME, a note written,
# a reinstall, and a build's own program folder removed. The note stays.
# usage: install_test.sh BUILD_DIR WORK_DIR
set -euo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work/home"
prefix=$work/prefix
home=$work/home

fail() { echo "FAIL: $*" >&2; exit 1; }
# A reader with an empty home and nothing in the environment pointing elsewhere.
as_reader() {
  env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_RUNTIME_DIR -u ZERAFIN_READER_FOLDER \
      -u ZERAFIN_SAMPLE_DIR -u ZERAFIN_DATA_DIR HOME="$home" "$@"
}

[ -f "$build/shipped/English.ttb" ] || { echo "the build has no text database; nothing to install"; exit 0; }
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/zerafin bin/zerafin-cli bin/zerafin-init \
         lib/libtintwell.so include/tintwell/tintwell.h lib/cmake/Tintwell/TintwellConfig.cmake \
         share/zerafin/English.ttb share/zerafin/css share/zerafin/Files/Help.htm share/zerafin/Files/Backup.mdb \
         share/zerafin/data/subtitles.tsv share/zerafin/sample/dist/quran_en.json \
         share/zerafin/sample/LICENSE.txt share/zerafin/sample/ATTRIBUTION.txt \
         share/applications/zerafin.desktop share/icons/hicolor/scalable/apps/zerafin.svg \
         share/metainfo/io.github.zerafin.Zerafin.metainfo.xml \
         share/man/man1/zerafin-cli.1 share/man/man1/zerafin-init.1; do
  [ -e "$prefix/$f" ] || fail "the installation has no $f"
done
# Nothing of a reader's goes into the program's folder.
for f in share/zerafin/Numbers share/zerafin/Files/2.1; do
  [ ! -e "$prefix/$f" ] || fail "the installation holds $f, which is the reader's"
done

out=$(as_reader "$prefix/bin/zerafin-cli" show 2:255)
[[ $out == "[2:255] "* ]] || fail "the installed zerafin-cli showed: $out"
[ -f "$home/.local/share/zerafin/English.ttb" ] || fail "no working copy in the reader's folder"

out=$(as_reader QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1 ZERAFIN_REPORT_STARTUP=1 \
      "$prefix/bin/zerafin" 2>"$work/window.err") || fail "the installed window failed: $(cat "$work/window.err")"
[[ $out == *"first verse shown"* ]] || fail "the installed window did not show a verse: $out"

as_reader "$prefix/bin/zerafin-cli" note 2:255 --set "kept across installs" >/dev/null
cmp -s "$build/shipped/English.ttb" "$prefix/share/zerafin/English.ttb" || fail "writing a note changed the installed text database"
# What was installed is the text alone, with nothing of any reader's.
for q in "SELECT count(*) FROM ZOVR WHERE YourNotes <> ''" "SELECT count(*) FROM ARTICLES" "SELECT count(*) FROM ARTICLES1"; do
  n=$("$prefix/bin/zerafin-cli" --folder "$prefix/share/zerafin" sql "$q")
  [ "$n" = 0 ] || fail "the installed text database holds reader's data: $q gives $n"
done
# The same text as the build's program folder: a reader moving from the build to the installation keeps
# the copy they have, without an upgrade.
same=$(as_reader "$prefix/bin/zerafin-cli" --folder "$prefix/share/zerafin" sql "SELECT Identity FROM ZerafinBuild")
built=$(as_reader "$build/bin/zerafin-cli" --folder "$build/bin" sql "SELECT Identity FROM ZerafinBuild")
[ -n "$same" ] && [ "$same" = "$built" ] || fail "the installed text ($same) is not the build's ($built)"

# Installing again (the same or a new version) leaves the reader's folder alone.
cmake --install "$build" --prefix "$prefix" >/dev/null
out=$(as_reader "$prefix/bin/zerafin-cli" note 2:255)
[ "$out" = "kept across installs" ] || fail "after a reinstall the note reads: $out"

# A build's program folder used by the same reader, then removed as make clean does.
cp -r "$build/bin" "$work/old-build"
out=$(as_reader "$work/old-build/zerafin-cli" note 2:255)
[ "$out" = "kept across installs" ] || fail "the build's zerafin-cli does not find the note: $out"
as_reader "$work/old-build/zerafin-cli" note 1:1 --set "written from the build" >/dev/null
rm -rf "$work/old-build"
out=$(as_reader "$prefix/bin/zerafin-cli" note 1:1)
[ "$out" = "written from the build" ] || fail "after removing the build's folder the note reads: $out"

# The installed initialiser rebuilds from the sample text it carries.
as_reader "$prefix/bin/zerafin-init" --out "$work/rebuilt" --no-progress --quiet ||
  fail "the installed zerafin-init could not build from its own sample text"
[ -f "$work/rebuilt/English.ttb" ] || fail "the installed zerafin-init built no text database"

rm -rf "$work"
echo "installed, used, reinstalled: the reader's note stayed"
