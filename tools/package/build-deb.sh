#!/usr/bin/env bash
# Builds the Debian package from the source tree as a Debian builder would: the tree copied into
# OUT/tavorin-VERSION, dpkg-buildpackage -us -uc -b there, then lintian --pedantic, which fails the
# build on any error or warning. Prints the .deb's path last.
#   tools/package/build-deb.sh OUT
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out=${1:?the folder to build in}
version=$(dpkg-parsechangelog -l "$top/debian/changelog" -S Version)
tree="$out/tavorin-$version"
rm -rf "$tree"
mkdir -p "$tree"
# The sources as the repository holds them: no build folders, no local state.
tar -C "$top" --exclude=./.git --exclude='./build*' --exclude=./.ci-output -cf - . | tar -C "$tree" -xf -
(cd "$tree" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1 || { tail -n 40 "$out/build.log" >&2; exit 1; }
deb=$(ls "$out"/tavorin_"$version"_*.deb)
lintian --pedantic --fail-on error,warning "$deb" >"$out/lintian.log" 2>&1 || { cat "$out/lintian.log" >&2; exit 1; }
echo "$deb"
