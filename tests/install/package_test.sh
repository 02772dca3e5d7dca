#!/bin/sh
# The Debian package that `make deb` builds (CPack, from the same build):
# its control data, and its tree, unpacked, gives a program that keeps its
# settings in the user's home folder.
# Arguments: CPACK BUILD_DIR APP_ID VERSION
set -u
cpack=$1 build=$2 app_id=$3 version=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
command -v dpkg-deb >/dev/null 2>&1 || { echo "FAIL: dpkg-deb is not installed (make deps)"; exit 1; }
mkdir "$work/home"

if ! "$cpack" --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack"
  exit 1
fi
deb=$(ls "$work"/pkg/quillon_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "FAIL: no quillon_${version}_*.deb"; exit 1; }

[ "$(dpkg-deb -f "$deb" Package)" = quillon ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"
[ "$(dpkg-deb -f "$deb" Section)" = devel ] || fail "package section"
dpkg-deb -f "$deb" Depends | grep -q libgtk2.0-0 || fail "Depends without GTK 2 (shlibdeps)"
dpkg-deb -f "$deb" Description | grep -q '^ Quillon reads' || fail "package description"
dpkg-deb -x "$deb" "$work/unpacked"
for file in usr/bin/quillon usr/share/applications/$app_id.desktop usr/share/metainfo/$app_id.metainfo.xml \
            usr/share/doc/quillon/copyright usr/share/man/man1/quillon.1 \
            usr/share/icons/hicolor/48x48/apps/$app_id.png; do
  [ -f "$work/unpacked/$file" ] || fail "package without /$file"
done
env -i PATH=/usr/bin:/bin HOME="$work/home" "$work/unpacked/usr/bin/quillon" --help |
  grep -qF "$work/home/.config/quillon/" || fail "the packaged program's settings folder"

if [ $failures -gt 0 ]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "Debian package: all checks passed"
