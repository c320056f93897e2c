#!/usr/bin/env bash
# Builds Qt for 64-bit Windows, once: a static Release Qt (Core, Gui, Widgets, Concurrent, Test)
# made with Debian's MinGW-w64 cross compiler from Debian's own qt6-base source package, the
# same version as the host's Qt, whose tools (moc, rcc, uic) the build uses.
#
# The result goes into a cache folder outside the work tree, keyed by the source version and the
# configure options, and is reused when it is already there:
#   ${KAZ_CACHE:-~/.cache/kaz}/qt-<version>-win64-<options hash>
# The last line printed is that folder. A first build takes 25 to 40 minutes on 2 cores.
#
# It changes the machine's package sources: apt-get source needs deb-src entries, so when
# qt6-base's source cannot be found it adds them, with sudo when not run as root, for the
# same archives as the machine's own deb entries (/etc/apt/sources.list.d/kaz-deb-src.sources
# and kaz-deb-src.list), and runs apt-get update (scripts/qt-source.sh). Remove those two
# files to undo it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
source "$root/scripts/qt-source.sh"
kaz_install_missing g++-mingw-w64-x86-64-posix ninja-build dpkg-dev qt6-base-private-dev perl

cache="${KAZ_CACHE:-$HOME/.cache/kaz}"
version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"   # e.g. 6.4.2+dfsg-10
toolchain="$root/cmake/mingw-w64-x86_64.cmake"

# Everything that changes the built Qt belongs to the key.
options=(
    -xplatform win32-g++ -qt-host-path /usr
    -static -static-runtime -release -optimize-size
    -nomake examples -nomake tests
    -no-opengl -no-dbus -no-icu
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
    -no-sql-sqlite -no-feature-sql -no-feature-network -no-feature-printsupport
    -no-feature-vulkan -no-feature-tabletevent -no-feature-testlib_selfcover
    -no-feature-direct2d -no-feature-xml
    # Qt 6.4 builds its DirectWrite 3 font database only together with Direct2D, but its Windows
    # platform still refers to it: without both, no program with a window links.
    -no-feature-directwrite3
)
key="$( { printf '%s\n' "$version" "${options[@]}"; cat "$toolchain"; } | sha1sum | cut -c1-10)"
prefix="$cache/qt-$version-win64-$key"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

src="$(kaz_qt_source)"

build="$cache/build/qt-$version-win64-$key"
rm -rf "$build" "$prefix"
mkdir -p "$build" "$prefix"
# Qt's own toolchain file names the one it was built with: a copy in the cache, so that it
# outlives the work tree (KAZ's build chain-loads its own, see CMakePresets.json).
cp "$toolchain" "$prefix/mingw-w64-x86_64.cmake"
toolchain="$prefix/mingw-w64-x86_64.cmake"
echo "Building Qt $version for Windows into $prefix (25 to 40 minutes on 2 cores)" >&2
kaz_qt_build "$src" "$build" "$prefix" "${options[@]}" -- -G Ninja "-DCMAKE_TOOLCHAIN_FILE=$toolchain"
echo "$prefix"
