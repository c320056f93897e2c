#!/usr/bin/env bash
# Builds QtCore for the browser (WebAssembly), once: a static, size-optimised QtCore made with
# Debian's emscripten from Debian's own qt6-base source package, the same version as the host's
# Qt, whose tools (moc, rcc) the build uses. The test page needs nothing of Qt but QtCore: the
# test window's model runs in WebAssembly, and the browser draws the window itself.
#
# The result goes into a cache folder outside the work tree, keyed by the source version, the
# emscripten version and the configure options, and is reused when it is already there:
#   ${KAZ_CACHE:-~/.cache/kaz}/qt-<version>-wasm-<options hash>
# The last line printed is that folder. A first build takes about 10 minutes on 2 cores.
# Like qt-windows.sh, it may add deb-src entries to the machine's package sources (see
# scripts/qt-source.sh).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
source "$root/scripts/qt-source.sh"
kaz_install_missing emscripten nodejs ninja-build dpkg-dev qt6-base-private-dev perl
# emscripten's tools are scripts for Node, which find their modules among Debian's.
export NODE_PATH=/usr/share/nodejs

cache="${KAZ_CACHE:-$HOME/.cache/kaz}"
version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
emversion="$(dpkg-query -W -f='${Version}' emscripten)"

options=(
    -platform wasm-emscripten -qt-host-path /usr
    -static -release -optimize-size
    -nomake examples -nomake tests
    -no-gui -no-widgets -no-dbus -no-icu -no-feature-thread
    -qt-zlib -qt-pcre
    -no-feature-network -no-feature-sql -no-feature-xml -no-feature-testlib
    -no-feature-concurrent -no-feature-printsupport
)
key="$( { printf '%s\n' "$version" "$emversion" "${options[@]}"; } | sha1sum | cut -c1-10)"
prefix="$cache/qt-$version-wasm-$key"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

src="$(kaz_qt_source)"

# Qt's build finds emscripten through an emsdk folder: a .emscripten file naming the emscripten
# folder within it, with emcc there. Debian's emscripten lives in /usr/share/emscripten and
# /usr/bin: a folder of links makes it look like one.
emsdk="$prefix/emsdk"
build="$cache/build/qt-$version-wasm-$key"
rm -rf "$build" "$prefix"
mkdir -p "$build" "$emsdk/emscripten"
for f in /usr/share/emscripten/* /usr/share/emscripten/.emscripten; do
    ln -s "$f" "$emsdk/emscripten/$(basename "$f")"
done
ln -s /usr/bin/emcc "$emsdk/emscripten/emcc"
ln -s /usr/bin/em++ "$emsdk/emscripten/em++"
echo "EMSCRIPTEN_ROOT = 'emscripten'" >"$emsdk/.emscripten"
export EMSDK="$emsdk"

echo "Building QtCore $version for WebAssembly into $prefix (about 10 minutes on 2 cores)" >&2
kaz_qt_build "$src" "$build" "$prefix" "${options[@]}" -- -G Ninja
echo "$prefix"
