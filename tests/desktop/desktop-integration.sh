# What the desktop and the file manager read of Tavorin, installed by `cmake --install`: a valid
# desktop entry, AppStream data and a MIME type for ".cp290" documents, and icons in hicolor that
# draw no text.
set -euo pipefail
build=${TAVORIN_BUILD:?the build folder}
source=${TAVORIN_SOURCE:?the source folder}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"
desktop-file-validate "$share/applications/tavorin.desktop" || fail "the desktop entry does not validate"
appstreamcli validate --pedantic --no-net "$share/metainfo/org.example.tavorin.metainfo.xml" >/dev/null ||
    fail "the AppStream data does not validate: $(appstreamcli validate --pedantic --no-net "$share/metainfo/org.example.tavorin.metainfo.xml")"
for size in 16 24 32 48 64 128 256; do
    [ -s "$share/icons/hicolor/${size}x${size}/apps/tavorin.png" ] || fail "no ${size}x${size} icon"
done
[ -s "$share/icons/hicolor/scalable/apps/tavorin.svg" ] || fail "no scalable icon"
! grep -q '<text' "$share/icons/hicolor/scalable/apps/tavorin.svg" || fail "the icon draws text, which depends on installed fonts"

# A manual page for each program.
for page in tavorin tavorin-cli tavorin-helper cp290-emulator; do
    manual="$share/man/man1/$page.1.gz"
    [ -s "$manual" ] || fail "no manual page for $page"
    warnings=$(zcat "$manual" | groff -man -Tutf8 -ww -z 2>&1)
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done
# Completion is walked in completion.sh; here it is installed where bash-completion looks.
[ -f "$share/bash-completion/completions/tavorin-cli" ] || fail "no completion for tavorin-cli"

# Programs in bin and the helper bundle under lib/tavorin, none under share.
[ -x "$prefix/bin/tavorin" ] || fail "no bin/tavorin"
helper=$(find "$prefix" -path '*/tavorin/Tavorin Helper.app/Contents/bin/tavorin-helper' -type f)
case "$helper" in "$prefix"/lib*/tavorin/*) ;; *) fail "the helper bundle is not under lib/tavorin: ${helper:-none}" ;; esac
version=$(sed -n 's/^project(Tavorin VERSION \([0-9.]*\).*/\1/p' "$TAVORIN_SOURCE/CMakeLists.txt")
grep -q "<string>$version</string>" "$(dirname "$(dirname "$helper")")/Info.plist" || fail "the helper's version is not the project's ($version)"
[ -z "$(find "$share" -type f -perm -u+x)" ] || fail "programs under share: $(find "$share" -type f -perm -u+x)"

# The helper as a systemd user service runs the installed bundle's program.
unit="$prefix/lib/systemd/user/tavorin-helper.service"
[ -s "$unit" ] || fail "no systemd user unit"
grep -qx "ExecStart=\"$helper\"" "$unit" || fail "the unit runs $(grep ExecStart "$unit"), not $helper"
grep -q '^WantedBy=default.target$' "$unit" || fail "the unit cannot be enabled"

# The MIME database built from the package knows ".cp290" as a kind of XML.
update-mime-database "$share/mime" >/dev/null 2>&1 || fail "the MIME package does not build"
grep -q '^application/x-tavorin-modules:\*\.cp290$' "$share/mime/globs" || fail "no glob for *.cp290: $(cat "$share/mime/globs")"
grep -q '^application/x-tavorin-modules application/xml$' "$share/mime/subclasses" || fail "not a subclass of XML"
grep -q 'MimeType=application/x-tavorin-modules;' "$share/applications/tavorin.desktop" || fail "the entry does not open the documents"
