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
# and kaz-deb-src.list), and runs apt-get update. Remove those two files to undo it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kaz_install_missing g++-mingw-w64-x86-64-posix ninja-build dpkg-dev qt6-base-private-dev perl

cache="${KAZ_CACHE:-$HOME/.cache/kaz}"
version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"   # e.g. 6.4.2+dfsg-10
upstream="${version%%+*}"
upstream="${upstream%%-*}"
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

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

# apt-get source needs deb-src entries: the same archives as the machine's own deb entries.
if ! apt-get source --print-uris -qq qt6-base >/dev/null 2>&1; then
    list=/etc/apt/sources.list.d/kaz-deb-src.sources
    tmp="$(mktemp)"
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && [ "$f" != "$list" ] || continue
        # deb822 stanzas: keep those of type deb, as deb-src.
        awk 'BEGIN { RS=""; ORS="\n\n" }
             /(^|\n)Types:([^\n]* )?deb( |\n|$)/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >>"$tmp"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$tmp.list"
    done
    if [ -s "$tmp" ]; then "${sudo[@]}" cp "$tmp" "$list"; fi
    if [ -s "$tmp.list" ]; then "${sudo[@]}" cp "$tmp.list" /etc/apt/sources.list.d/kaz-deb-src.list; fi
    rm -f "$tmp" "$tmp.list"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
fi

src_root="$cache/src/qt6-base-$version"
src="$src_root/qt6-base-$upstream"
if [ ! -f "$src_root/.complete" ]; then
    rm -rf "$src_root"
    mkdir -p "$src_root"
    (cd "$src_root" && apt-get source -qq "qt6-base=$version" >/dev/null)
    found="$(find "$src_root" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
    [ "$found" = "$src" ] || mv "$found" "$src"
    touch "$src_root/.complete"
fi

build="$cache/build/qt-$version-win64-$key"
rm -rf "$build" "$prefix"
mkdir -p "$build" "$prefix"
# Qt's own toolchain file names the one it was built with: a copy in the cache, so that it
# outlives the work tree (KAZ's build chain-loads its own, see CMakePresets.json).
cp "$toolchain" "$prefix/mingw-w64-x86_64.cmake"
toolchain="$prefix/mingw-w64-x86_64.cmake"
cd "$build"
echo "Building Qt $version for Windows into $prefix (25 to 40 minutes on 2 cores)" >&2
"$src/configure" -prefix "$prefix" "${options[@]}" -- -G Ninja \
    "-DCMAKE_TOOLCHAIN_FILE=$toolchain" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >configure.log 2>&1 ||
    { tail -n 60 configure.log >&2; exit 1; }
cmake --build . --parallel "$(nproc)" >build.log 2>&1 || { tail -n 60 build.log >&2; exit 1; }
cmake --install . >install.log 2>&1 || { tail -n 30 install.log >&2; exit 1; }
touch "$prefix/.complete"
cd /
rm -rf "$build"
echo "$prefix"
