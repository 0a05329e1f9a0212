#!/bin/sh
# Makes the Debian package from a built tree into a folder of its own and runs lintian on it:
# the package must pass without errors or warnings. Skipped (77) where lintian or dpkg-deb is
# not installed.
# Usage: lintian.sh <build folder>
set -eu
build=$1
for tool in lintian dpkg-deb cpack; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >"$out/cpack.log" 2>&1 ||
  { cat "$out/cpack.log"; exit 1; }
lintian --fail-on error,warning "$out"/*.deb
