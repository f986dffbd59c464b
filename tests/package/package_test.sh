#!/usr/bin/env bash
# Unpacks the Debian package into a scratch root and checks that what a user
# gets works from there: the tool runs, the menu entry, metadata and icons are
# where the desktop looks for them, every library the programs need is known,
# and lintian finds no error. ./dev installs the validators it runs. With ZIP,
# the Windows archive too.
# usage: package_test.sh DEB SAMPLE [ZIP]
set -uo pipefail

deb=${1:?usage: package_test.sh DEB SAMPLE [ZIP]}
sample=${2:?usage: package_test.sh DEB SAMPLE [ZIP]}
zip=${3:-}
version=$(sed -n 's/^project(Velquor VERSION \([0-9.]*\).*/\1/p' \
    "$(dirname "$0")/../../CMakeLists.txt")
app_id=io.github.velquor.velquor

failures=0
fail() {
    echo "package_test: FAIL: $*" >&2
    failures=$((failures + 1))
}

[ -f "$deb" ] || { echo "package_test: no package at $deb" >&2; exit 1; }
[ -f "$sample" ] || { echo "package_test: no sample at $sample" >&2; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root" || { echo "package_test: dpkg -x cannot unpack $deb" >&2; exit 1; }

# --- control fields: a package that dpkg would install under another name or
# without its libraries is as broken as one with a missing file.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = velquor ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is '$(field Architecture)'"
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6core6 libqt6widgets6; do
    [[ ",$depends" == *", $lib "* || ",$depends" == *",$lib "* ]] ||
        fail "Depends lacks $lib: '$depends'"
done
# The football comes as PNGs drawn at build time: no SVG library at run time.
[[ "$depends" != *libqt6svg6* ]] || fail "Depends names libqt6svg6: '$depends'"

# --- files where the desktop and man look for them
usr=$root/usr
expect=(
    bin/velquor bin/velquor-cfg
    share/applications/velquor.desktop
    "share/metainfo/$app_id.metainfo.xml"
    share/icons/hicolor/scalable/apps/velquor.svg
    share/man/man1/velquor-cfg.1.gz share/man/man1/velquor.1.gz
    share/doc/velquor/copyright share/doc/velquor/changelog.gz
)
for f in "${expect[@]}"; do
    [ -s "$usr/$f" ] || fail "missing or empty: /usr/$f"
done
# Each fixed-size icon must be a PNG of the size its folder claims.
for size in 16 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/velquor.png
    [[ "$(file -b "$png")" == "PNG image data, $size x $size,"* ]] ||
        fail "icon ${size}x${size} is: $(file -b "$png")"
done

# --- the programs, run from the scratch root
for f in bin/velquor bin/velquor-cfg; do
    [ -x "$usr/$f" ] || { fail "not executable: /usr/$f"; continue; }
    missing=$(ldd "$usr/$f" 2>&1 | grep 'not found')
    [ -z "$missing" ] || fail "/usr/$f needs libraries that are not there: $missing"
done

# The installed tool runs: the sample is clean, no findings, nothing printed
# (what it answers otherwise is the tool's own tests').
tool=$usr/bin/velquor-cfg
if [ -x "$tool" ]; then
    out=$("$tool" check "$sample" 2>&1)
    rc=$?
    [ $rc -eq 0 ] || fail "velquor-cfg check on the sample exits $rc: $out"
    [ -z "$out" ] || fail "velquor-cfg check on the sample prints: $out"
fi

# --- the desktop entry and its metadata, as the desktop's own tools read them
desktop=$usr/share/applications/velquor.desktop
if [ -f "$desktop" ]; then
    exec_line=$(sed -n 's/^Exec=//p' "$desktop")
    [ -x "$usr/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not an installed program"
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon has no icon"
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects velquor.desktop"
fi
# The metainfo, and the launchable it names followed to the desktop entry.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli rejects the installed tree"

# --- Debian's own checks of the package; its warnings are shown, errors fail.
lintian --fail-on error "$deb" || fail "lintian reports errors in $deb"

# --- the Windows archive as a Windows user unpacks it: the programs, texts
# Notepad shows right in any code page, the sample, where the source is.
if [ -n "$zip" ]; then
    home=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$usr"/share/metainfo/*.xml)
    sample=$(realpath "$sample") && unzip -q "$zip" -d "$root/windows" && cd "$root/windows"/* ||
        fail "unzip cannot unpack $zip"
    [ -s velquor.exe ] && [ -s velquor-cfg.exe ] || fail "the programs are not in $zip"
    cmp -s "$sample" examples/euro.cfg || fail "the zip's examples/euro.cfg is not the sample"
    for text in *.txt licenses/*.txt licenses/qt/*.txt; do
        [ "$(grep -c $'\r$' "$text")" = "$(wc -l <"$text")" ] || fail "LF without CR in $text"
    done
    [ "$(LC_ALL=C grep -c $'[\x80-\xFF]' README.txt)" = 0 ] || fail "README.txt: not ASCII"
    [ "$(head -c 3 README-full.txt)" = $'\xEF\xBB\xBF' ] || fail "README-full.txt has no BOM"
    grep -qF "$home" licenses/QT-LICENSE.txt && grep -qF +dfsg- licenses/QT-LICENSE.txt ||
        fail "QT-LICENSE.txt does not name both $home and the Qt source it was built from"
fi

if [ $failures -ne 0 ]; then
    echo "package_test: $failures check(s) failed for $deb${zip:+ and $zip}" >&2
    exit 1
fi
echo "package_test: $deb${zip:+ and $zip}: every check passes"
