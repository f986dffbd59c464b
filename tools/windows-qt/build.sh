#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows from Debian's own qt6-base source
# package, the same version as the host's Qt, whose moc, rcc, uic and
# Qt6HostInfo the cross build uses unchanged.
#
#   tools/windows-qt/build.sh            print the Qt prefix, building it if missing
#
# The result lives in a cache outside the work tree, keyed by the source
# version and by this recipe, so a machine pays the build once. It is built
# in a temporary folder and moved into place only when complete: an
# interrupted build is never taken for a finished one.
#
# This script is also the recipe the LGPL asks us to offer: with it, anyone
# can rebuild this Qt (or a changed one) and relink velquor.exe against it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)

qt_package=qt6-base
qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
[ -n "$qt_version" ] || { echo "windows-qt: qt6-base-dev is not installed" >&2; exit 1; }
jobs=$(nproc 2>/dev/null || echo 2)

configure_options=(
    -static -static-runtime -release -no-pch
    -xplatform win32-g++ -qt-host-path /usr
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu
    -no-feature-sql -no-feature-network -no-feature-concurrent -no-feature-printsupport
    -no-feature-xml -no-feature-vulkan -no-feature-androiddeployqt
    # The source package lacks the tablet headers, and DirectWrite 3 fails
    # every link with MinGW's headers.
    -no-feature-tabletevent -no-feature-direct2d -no-feature-directwrite3
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
)
toolchain=$source_dir/cmake/mingw-w64-x86_64.cmake

# The key: the source version and the options that shape the build (the
# toolchain file also serves the project's own build and may change freely
# so long as the compiler it names does not).
recipe_hash=$( { echo "$qt_version"; printf '%s\n' "${configure_options[@]}"; } |
               sha256sum | cut -c1-12)
cache_root=${XDG_CACHE_HOME:-$HOME/.cache}/velquor
upstream=${qt_version%%+*}
prefix=$cache_root/qt-$upstream-mingw-static-$recipe_hash

if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache_root"
work=$(mktemp -d "$cache_root/.building-qt-XXXXXX")
trap 'rm -rf "$work"' EXIT
started=$(date +%s)
log() { echo "windows-qt: [$(( $(date +%s) - started )) s] $*" >&2; }

# The source package, fetched with a sources list of our own: the system's
# apt configuration and its package lists stay as they are. Its entries are
# the machine's own deb entries turned into deb-src ones, so a mirror or a
# proxy it uses serves the sources too, for the suites the host's Qt may come
# from: the release, its updates and its security archive.
log "fetching $qt_package $qt_version from Debian's sources"
mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial" "$work/apt/parts" "$work/src"
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
eval "$(apt-config shell apt_list Dir::Etc::SourceList/f apt_parts Dir::Etc::SourceParts/d)"
: >"$work/apt/sources.list"
"$here/deb-src-list.sh" "$suite" "$apt_list" "$apt_parts"/*.list "$apt_parts"/*.sources \
    >"$work/apt/parts/debian-src.sources"
[ -s "$work/apt/parts/debian-src.sources" ] ||
    { echo "windows-qt: no apt entry of this machine names Debian's $suite suites" >&2; exit 1; }
apt_options=(
    -o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=$work/apt/parts"
    -o "Dir::State::Lists=$work/apt/lists" -o "Dir::Cache=$work/apt/cache"
    -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)"
)
apt-get "${apt_options[@]}" -qq update
(cd "$work/src" && apt-get "${apt_options[@]}" -qq source --download-only "$qt_package=$qt_version")
dsc=$(ls "$work"/src/*.dsc)
dpkg-source --no-check -x "$dsc" "$work/src/qtbase" >/dev/null

log "configuring for Windows"
mkdir "$work/build"
(cd "$work/build" &&
    "$work/src/qtbase/configure" -prefix "$work/install" "${configure_options[@]}" -- \
        -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1) ||
    { tail -40 "$work/configure.log" >&2; exit 1; }

log "building with $jobs jobs (a quarter to half an hour on two cores)"
cmake --build "$work/build" --parallel "$jobs" >"$work/build.log" 2>&1 ||
    { tail -40 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
# The licences of Qt and of what it bundles, for the Windows package.
cp -r "$work/src/qtbase/LICENSES" "$work/install/licenses"
cp "$work/src/qtbase/debian/copyright" "$work/install/licenses/debian-copyright.txt"

# Complete: move it into place in one step.
mv "$work/install" "$prefix"
log "done: $prefix ($(du -sh "$prefix" | cut -f1))"
echo "$prefix"
