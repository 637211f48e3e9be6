# The Debian package as a system would take it: built by CPack from this build, unpacked, its
# layout and dependencies checked, and lintian without errors. The desktop files it carries are
# those the install writes, checked in desktop-integration.sh.
set -euo pipefail
build=${TAVORIN_BUILD:?the build folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || fail "cpack: $(cat "$scratch/cpack.log")"
deb=$(find "$scratch/out" -maxdepth 1 -name 'tavorin_*_*.deb')
[ -n "$deb" ] || fail "no package: $(cat "$scratch/cpack.log")"

# Dependencies come from the shared libraries, Qt's among them.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6printsupport6 libplist3 libc6; do
    grep -q "$library" <<<"$depends" || fail "no dependency on $library: $depends"
done
[ -z "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'preinst|postinst|prerm|postrm')" ] ||
    fail "maintainer scripts where the packages' triggers do the work"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
for program in usr/bin/tavorin usr/bin/tavorin-cli usr/bin/cp290-emulator \
               "usr/lib/tavorin/Tavorin Helper.app/Contents/bin/tavorin-helper"; do
    [ -x "$root/$program" ] || fail "no $program"
    ! file "$root/$program" | grep -q 'not stripped' || fail "$program is not stripped"
done
[ -z "$(find "$root" -path '*/usr/local*')" ] || fail "files under /usr/local"
grep -qx 'ExecStart="/usr/lib/tavorin/Tavorin Helper.app/Contents/bin/tavorin-helper"' \
    "$root/usr/lib/systemd/user/tavorin-helper.service" || fail "the unit does not run the packaged helper"
"$root/usr/bin/tavorin-cli" --version | grep -qx "tavorin-cli $(dpkg-deb -f "$deb" Version)" ||
    fail "the package's version is not the program's"
grep -q 'GPL-3.0-or-later' "$root/usr/share/doc/tavorin/copyright" || fail "no licence in the copyright file"

if command -v lintian >/dev/null; then
    lintian "$deb" >"$scratch/lintian.log" 2>&1 || true
    ! grep -q '^E: ' "$scratch/lintian.log" || fail "lintian: $(grep '^E: ' "$scratch/lintian.log")"
fi
