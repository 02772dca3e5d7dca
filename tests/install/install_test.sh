#!/bin/sh
# The installed tree: `cmake --install` into a temporary DESTDIR, the files
# in their places, the installed program run headless from a read-only prefix
# on a copy of the example project, the desktop entry and the metainfo through
# their validators, the man page rendered, and
# uninstall leaving no file behind.
# Arguments: CMAKE BUILD_DIR SOURCE_DIR APP_ID VERSION
set -u
cmake=$1 build=$2 source=$3 app_id=$4 version=$5

work=$(mktemp -d)
cleanup() { chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { command -v "$1" >/dev/null 2>&1 || { echo "FAIL: $1 is not installed (make deps)"; exit 1; }; }
need desktop-file-validate
need appstreamcli
need man

stage=$work/stage
prefix=/usr/local
root=$stage$prefix
# A component install keeps the build's own install_manifest.txt (that of a
# real `make install`) untouched.
if ! DESTDIR=$stage "$cmake" --install "$build" --prefix "$prefix" --component Unspecified >"$work/install.log" 2>&1
then
  cat "$work/install.log"
  fail "cmake --install"
  exit 1
fi

for file in bin/quillon share/man/man1/quillon.1 \
            share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
            share/doc/quillon/README.md share/doc/quillon/LICENCE share/doc/quillon/copyright; do
  [ -f "$root/$file" ] || fail "missing $prefix/$file"
done
[ -x "$root/bin/quillon" ] || fail "bin/quillon is not executable"
for size in 16 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x$size/apps/$app_id.png
  if [ ! -f "$icon" ]; then fail "missing icon $size"; continue; fi
  # PNG signature, then the IHDR width and height (big-endian words).
  magic=$(od -An -tx1 -N4 "$icon" | tr -d ' \n')
  width=$(od -An -tu1 -j16 -N4 "$icon" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  height=$(od -An -tu1 -j20 -N4 "$icon" | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  [ "$magic" = 89504e47 ] && [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
    fail "icon $size is $magic ${width}x$height"
done
grep -q '^MimeType' "$root/share/applications/$app_id.desktop" && fail "the desktop entry claims a MIME type"
grep -q '^Exec=quillon %f$' "$root/share/applications/$app_id.desktop" || fail "Exec line"
grep -q "Quillon Deluxe Version v$version" "$root/share/doc/quillon/LICENCE" || fail "licence without the version"

desktop-file-validate "$root/share/applications/$app_id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"

# The man page renders without a warning and names every option.
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man1/quillon.1" >"$work/man.txt" 2>"$work/man.err"
[ -s "$work/man.err" ] && { cat "$work/man.err"; fail "man -l warnings"; }
for word in --generate --bind --drop-unbound --user-list --dry-run --check --help --version \
            "EXIT STATUS" QN4.INI UserList.INI XDG_CONFIG_HOME "Quillon $version"; do
  grep -q -e "$word" "$work/man.txt" || fail "man page without $word"
done

# The installed program, headless, from a read-only prefix, as a user whose
# home has no settings yet: the run completes, and neither the prefix nor the
# home gains a file (the command line creates no settings).
cp -r "$source/examples" "$work/project"
mkdir "$work/home"
find "$stage" | sort >"$work/before"
chmod -R a-w "$stage"
env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 \
  "$root/bin/quillon" --generate "$work/project/Example.pbm" >"$work/run.log" 2>&1
status=$?
[ $status = 0 ] || { cat "$work/run.log"; fail "headless run exit status $status"; }
grep -qx 'Ready\.' "$work/run.log" || fail "headless run did not end with Ready."
[ -f "$work/project/CommonFile.pb" ] || fail "headless run wrote no CommonFile.pb"
find "$stage" | sort >"$work/after"
cmp -s "$work/before" "$work/after" || { diff "$work/before" "$work/after"; fail "the run changed the prefix"; }
[ -z "$(ls -A "$work/home")" ] || fail "the headless run created files in the home folder"

# --help and --version from the installed binary: the settings folder of an
# installed program is the user's, never the programs' folder (not even for
# root, who could write it).
env -i PATH=/usr/bin:/bin HOME="$work/home" "$root/bin/quillon" --help >"$work/help.txt" 2>&1
grep -qF "$work/home/.config/quillon/" "$work/help.txt" ||
  { cat "$work/help.txt"; fail "--help names no settings folder"; }
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/xdg" "$root/bin/quillon" --help \
  >"$work/help.txt" 2>&1
grep -qF "$work/xdg/quillon/" "$work/help.txt" || fail "--help ignores XDG_CONFIG_HOME"
"$root/bin/quillon" --version | grep -qx "Quillon Deluxe Version v$version (Rev. [0-9]*)" || fail "--version"

# Uninstall removes every installed file, with the manifest of this install.
chmod -R u+w "$stage"
sed "s|^|$stage|" "$build/install_manifest_Unspecified.txt" >"$work/installed_files.txt"
"$cmake" -DMANIFEST="$work/installed_files.txt" -P "$source/cmake/uninstall.cmake" >/dev/null || fail "uninstall"
left=$(find "$stage" -type f)
[ -z "$left" ] || fail "uninstall left: $left"

if [ $failures -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "installed tree: all checks passed"
