# The Debian package as a Debian builder makes it: dpkg-buildpackage from the source tree, twice,
# in folders of different names, giving byte-identical packages; lintian --pedantic without an
# error or a warning (tools/package/build-deb.sh fails on one); every program hardened; the layout,
# the dependencies and the documentation a system expects.
set -euo pipefail
source_dir=${TAVORIN_SOURCE:?the source folder}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

first=$("$source_dir/tools/package/build-deb.sh" "$scratch/one") || fail "the first build"
second=$("$source_dir/tools/package/build-deb.sh" "$scratch/another/place") || fail "the second build"
cmp -s "$first" "$second" || {
    command -v diffoscope >/dev/null && diffoscope "$first" "$second" | head -n 40 >&2
    fail "two builds differ: $(cmp "$first" "$second")"
}
grep -E '^[IP]: ' "$scratch/one/lintian.log" >&2 || true  # the informational tags left, for the record

deb=$first
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6printsupport6 libplist3 libc6; do
    grep -q "$library" <<<"$depends" || fail "no dependency on $library: $depends"
done
[ -z "$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'preinst|postinst|prerm|postrm')" ] ||
    fail "maintainer scripts where the packages' triggers do the work"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
helper="usr/lib/tavorin/Tavorin Helper.app/Contents/bin/tavorin-helper"
for program in usr/bin/tavorin usr/bin/tavorin-cli usr/bin/cp290-emulator "$helper"; do
    [ -x "$root/$program" ] || fail "no $program"
    ! file "$root/$program" | grep -q 'not stripped' || fail "$program is not stripped"
    # This hardening-check reads "no" for control-flow protection even in a program built with it;
    # its landing instructions are looked for directly instead.
    hardening-check --nocfprotection "$root/$program" >"$scratch/hardening" 2>&1 ||
        fail "$program is not hardened: $(grep -v ': yes' "$scratch/hardening")"
    [ "$(objdump -d "$root/$program" | grep -c endbr64)" -gt 0 ] || fail "$program has no control-flow protection"
    ! strings "$root/$program" | grep -q "$scratch" || fail "$program holds its build folder"
done
[ -z "$(find "$root" -path '*/usr/local*')" ] || fail "files under /usr/local"
grep -qx 'ExecStart="/usr/lib/tavorin/Tavorin Helper.app/Contents/bin/tavorin-helper"' \
    "$root/usr/lib/systemd/user/tavorin-helper.service" || fail "the unit does not run the packaged helper"
version=$(dpkg-deb -f "$deb" Version)
"$root/usr/bin/tavorin-cli" --version | grep -qx "tavorin-cli $version" || fail "the package's version is not the program's"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/org.example.tavorin.metainfo.xml" ||
    fail "the AppStream release is not the package's version"
grep -q 'GPL-3.0-or-later' "$root/usr/share/doc/tavorin/copyright" || fail "no licence in the copyright file"
[ -s "$root/usr/share/doc/tavorin/README.md" ] || [ -s "$root/usr/share/doc/tavorin/README.md.gz" ] || fail "no README"
[ -s "$root/usr/share/doc/tavorin/changelog.gz" ] || fail "no changelog"
