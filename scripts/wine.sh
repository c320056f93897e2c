#!/usr/bin/env bash
# wine.sh PREFIX FONTS PROGRAM [ARGUMENT...]: runs a Windows program of KAZ's cross build under
# Debian's wine64, in the Wine prefix PREFIX (a folder of the build's own, made at the first
# run), showing it the fonts of the folder FONTS and no other of the host's. CMake runs the
# build's Windows programs with it (CMAKE_CROSSCOMPILING_EMULATOR, see cmake/KazWindows.cmake,
# which makes FONTS): the build-time tools and every test.
set -euo pipefail
if [ $# -lt 3 ]; then
    echo "usage: wine.sh PREFIX FONTS PROGRAM [ARGUMENT...]" >&2
    exit 2
fi
wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
    echo "wine.sh: $wine is missing; install Debian's wine64 package (scripts/windows.sh does)" >&2
    exit 127
fi
export WINEPREFIX="$1"
fonts="$2"
shift 2
# Wine finds the host's fonts through fontconfig: here its configuration names the folder FONTS
# alone (fonts.conf there). FONTS/fonts.reg holds Wine's replacements of the Windows names.
if [ ! -f "$fonts/fonts.conf" ] || [ ! -f "$fonts/fonts.reg" ]; then
    echo "wine.sh: $fonts has no fonts.conf or fonts.reg; configure the build again (cmake --preset windows)" >&2
    exit 2
fi
export FONTCONFIG_FILE="$fonts/fonts.conf"
export WINEDEBUG="${WINEDEBUG:--all}"
# No offer to download Mono or Gecko when the prefix is made: KAZ needs neither.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# The first run makes the prefix. Wine's server and its own programs (services, explorer)
# start with no standard input or output of any program's: started by a suite, they would
# keep its output open after it ended, and CTest (or Ninja) would wait for them. They run on
# 30 seconds after the last program. Programs started together (ninja, ctest --parallel) wait
# here for one another.
wineserver="$(dirname "$wine")/wineserver64"
mkdir -p "$(dirname "$WINEPREFIX")"
# Wine writes the fonts it found into the prefix's registry and loads them from there at every
# start, even once fontconfig no longer shows them: a prefix made with other fonts (the host's,
# or another folder's) is made afresh. The stamp in the prefix tells with which (the folder's
# names and its two files; fonts.conf names the folder).
stamp="$( { ls "$fonts"; cat "$fonts/fonts.conf" "$fonts/fonts.reg"; } | sha1sum | cut -c1-40)"
# The server and Wine's programs must not keep the lock (descriptor 9): they outlive this
# script, and the next program would wait for them to end.
(
    flock 9
    if [ -f "$WINEPREFIX/system.reg" ] && [ "$(cat "$WINEPREFIX/kaz-fonts" 2>/dev/null)" != "$stamp" ]; then
        "$wineserver" -k </dev/null >/dev/null 2>&1 9>&- || true
        rm -rf "$WINEPREFIX"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$wine" wineboot --init </dev/null >/dev/null 2>&1 9>&-
        "$wine" regedit /S "Z:${fonts//\//\\}\\fonts.reg" </dev/null >/dev/null 2>&1 9>&-
        echo "$stamp" >"$WINEPREFIX/kaz-fonts"
    fi
    # Exits at once when the prefix's server runs already.
    if "$wineserver" -p30 </dev/null >/dev/null 2>&1 9>&-; then
        "$wine" wineboot </dev/null >/dev/null 2>&1 9>&-
    fi
) 9>"$WINEPREFIX.lock"

# Wine keeps the host's QT_* variables from Windows programs (they are meant for the host's
# Qt) and hands WINEQT_X over as QT_X: the tests' QT_QPA_PLATFORM=offscreen and the like.
for name in ${!QT_@}; do
    export "WINE$name=${!name}"
done
# A Windows program without a console window of its own (as under Wine) writes Qt's messages
# and QtTest's results to the debugger; to standard error and output here.
export WINEQT_FORCE_STDERR_LOGGING=1
exec "$wine" "$@"
