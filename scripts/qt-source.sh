#!/usr/bin/env bash
# Sourced by the scripts that build Qt for another system (qt-windows.sh, qt-wasm.sh):
# kaz_qt_source fetches Debian's qt6-base source package, the same version as the host's Qt,
# once, into the cache, and prints the folder of the unpacked source; kaz_qt_build configures,
# builds and installs it; kaz_configure_with_qt configures a build of KAZ with such a Qt.
#
# It changes the machine's package sources: apt-get source needs deb-src entries, so when
# qt6-base's source cannot be found it adds them, with sudo when not run as root, for the
# same archives as the machine's own deb entries (/etc/apt/sources.list.d/kaz-deb-src.sources
# and kaz-deb-src.list), and runs apt-get update. Remove those two files to undo it.
# Two builds started together share one download: the second waits for the first.

kaz_qt_source() {
    local cache="${KAZ_CACHE:-$HOME/.cache/kaz}"
    local version upstream
    version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"   # e.g. 6.4.2+dfsg-10
    upstream="${version%%+*}"
    upstream="${upstream%%-*}"
    local src_root="$cache/src/qt6-base-$version"
    local src="$src_root/qt6-base-$upstream"
    mkdir -p "$cache/src"
    (
        flock 9
        [ -f "$src_root/.complete" ] && exit 0
        local sudo=()
        [ "$(id -u)" -ne 0 ] && sudo=(sudo)
        if ! apt-get source --print-uris -qq qt6-base >/dev/null 2>&1; then
            local list=/etc/apt/sources.list.d/kaz-deb-src.sources tmp f
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
        rm -rf "$src_root"
        mkdir -p "$src_root"
        (cd "$src_root" && apt-get source -qq "qt6-base=$version" >/dev/null)
        local found
        found="$(find "$src_root" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
        [ "$found" = "$src" ] || mv "$found" "$src"
        touch "$src_root/.complete"
    ) 9>"$cache/src/.lock"
    echo "$src"
}

# kaz_qt_build SOURCE BUILD PREFIX CONFIGURE-OPTION… [-- CMAKE-OPTION…]: Qt from SOURCE, built in
# BUILD (removed after) and installed into PREFIX, which is marked complete (.complete) last, so
# that a build cut short is never taken for a cached one. Qt's tools are the host's.
kaz_qt_build() {
    local src="$1" build="$2" prefix="$3"
    shift 3
    (
        cd "$build"
        "$src/configure" -prefix "$prefix" "$@" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
            >configure.log 2>&1 || { tail -n 60 configure.log >&2; exit 1; }
        cmake --build . --parallel "$(nproc)" >build.log 2>&1 || { tail -n 60 build.log >&2; exit 1; }
        cmake --install . >install.log 2>&1 || { tail -n 30 install.log >&2; exit 1; }
    ) || return 1
    touch "$prefix/.complete"
    rm -rf "$build"
}

# kaz_configure_with_qt PRESET BUILD QT-PREFIX [CMAKE-OPTION…]: configures the build folder BUILD
# with the preset PRESET of CMakePresets.json, for the Qt in QT-PREFIX. A build folder keeps the
# toolchain it was first configured with: one made with another Qt (other options, another
# version) is configured afresh.
kaz_configure_with_qt() {
    local preset="$1" build="$2" qt="$3"
    shift 3
    local fresh=()
    if [ -f "$build/CMakeCache.txt" ] &&
        ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$qt/lib/cmake/Qt6/qt.toolchain.cmake" "$build/CMakeCache.txt"; then
        fresh=(--fresh)
    fi
    cmake --preset "$preset" "${fresh[@]}" "$@" >/dev/null
}
