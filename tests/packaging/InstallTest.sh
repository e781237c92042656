#!/usr/bin/env bash
# Installs the built program into a staging root the way the Debian package lays it out (/usr)
# and checks what lands there: exactly the program, its desktop entry, its AppStream file and
# its icons, each valid, and a program whose libraries are all found.
# Usage: InstallTest.sh BUILD_DIR APP_ID
set -euo pipefail
build="$1"
id="$2"
stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null

sizes=(16 24 32 48 64 128 256)
expected=(usr/bin/velmora usr/share/man/man1/velmora.1.gz "usr/share/applications/$id.desktop"
          "usr/share/metainfo/$id.metainfo.xml")
for s in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${s}x${s}/apps/$id.png"); done
actual="$(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | sort)"
wanted="$(printf '%s\n' "${expected[@]}" | sort)"
[[ "$actual" == "$wanted" ]] || fail "installed files differ (-wanted +installed):
$(diff <(echo "$wanted") <(echo "$actual") || true)"

[[ -x "$stage/usr/bin/velmora" ]] || fail "the program is not executable"
missing="$(ldd "$stage/usr/bin/velmora" | grep 'not found' || true)"
[[ -z "$missing" ]] || fail "libraries not found: $missing"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
for s in "${sizes[@]}"; do
    png="$stage/usr/share/icons/hicolor/${s}x${s}/apps/$id.png"
    [[ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" == 89504e470d0a1a0a ]] || fail "$png is not a PNG"
    dims="$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')"
    [[ "$dims" == "${s}x${s}" ]] || fail "$png is $dims"
done

# The manual page says what --help says.
manual="$(gzip -dc "$stage/usr/share/man/man1/velmora.1.gz")"
grep -q '^\.TH VELMORA 1' <<<"$manual" || fail "the manual page has no title"
grep -q '^\.SH EXIT CODES' <<<"$manual" || fail "the manual page lacks the exit codes"
grep -q 'create-script --profile NAME --folder DIR' <<<"$manual" || fail "the manual page lacks the commands"
if command -v man >/dev/null; then
    MANWIDTH=100 man -l "$stage/usr/share/man/man1/velmora.1.gz" >/dev/null 2>&1 || fail "man cannot show the manual page"
fi

desktop="$stage/usr/share/applications/$id.desktop"
grep -qx "Exec=velmora" "$desktop" || fail "the desktop entry does not start velmora"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
metainfo="$stage/usr/share/metainfo/$id.metainfo.xml"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the AppStream file does not launch $id.desktop"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate is not installed: desktop entry not validated"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net --pedantic "$metainfo" || fail "appstreamcli validate"
else
    echo "appstreamcli is not installed: AppStream file not validated"
fi
echo "installed files are complete and valid"
