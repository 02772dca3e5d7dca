#!/bin/sh
# Runs the permission tests as an unprivileged user when the suite runs as
# root (as CI does): root passes every permission check, so there these
# tests would only skip, and core_tests leaves them out of the root pass.
# The test binary, the program and the example project are copied into a
# folder that user can reach, so the checkout's own permissions do not
# matter. Fails when a selected test still skips, when none ran, and when
# the tests cannot be run as that user at all: it never skips as root.
# Run as another user it exits 77 (ctest: skipped), as the tests ran
# directly in the suite; in CI (CI set) that fails instead, since CI is
# expected to run as root and would otherwise lose this pass unnoticed.
#
# Usage: run_unprivileged.sh CORE_TESTS QUILLON EXAMPLES_DIR GTEST_FILTER
set -eu
tests=$1 program=$2 examples=$3 filter=$4

if [ "$(id -u)" != 0 ]; then
  if [ -n "${CI:-}" ]; then
    echo "CI runs as $(id -un), not as root: the permission tests cannot run as an unprivileged user here"
    exit 1
  fi
  echo "not running as root: these tests ran in the normal suite as $(id -un)"
  exit 77
fi
user=nobody
if ! uid=$(id -u "$user") || ! gid=$(id -g "$user"); then
  echo "no user $user to run the permission tests as"
  exit 1
fi
command -v setpriv >/dev/null || { echo "setpriv is missing: the permission tests cannot run as $user"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
chmod 755 "$work"
cp "$tests" "$work/core_tests"
cp "$program" "$work/quillon"
cp -R "$examples" "$work/examples"
chmod -R a+rX "$work"
mkdir "$work/tmp" "$work/home"
chown "$uid:$gid" "$work/tmp" "$work/home"

status=0
setpriv --reuid="$uid" --regid="$gid" --clear-groups \
  env -i PATH="$PATH" LANG=C.UTF-8 HOME="$work/home" TMPDIR="$work/tmp" \
  QUILLON_TEST_BINARY="$work/quillon" QUILLON_TEST_EXAMPLES="$work/examples" \
  "$work/core_tests" --gtest_filter="$filter" >"$work/out" 2>&1 || status=$?
cat "$work/out"
if [ "$status" != 0 ]; then
  exit "$status"
fi
if grep -q '^\[  SKIPPED \]' "$work/out"; then
  echo "a permission test skipped although it ran as $user"
  exit 1
fi
if ! grep -q '^\[  PASSED  \] [1-9]' "$work/out"; then
  echo "no permission test ran"
  exit 1
fi
