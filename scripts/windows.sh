#!/usr/bin/env bash
# Builds every KAZ program for 64-bit Windows on this Debian machine: each one .exe standing
# alone (Qt and the compiler's runtime linked in), with its icon and version information, all
# in build-win/programs/, the last line printed.
#
#   bash scripts/windows.sh          the programs
#   bash scripts/windows.sh --test   the programs and the test suites, which then run under Wine
#                                    (scripts/test.sh runs this after the Linux suites)
#
# It installs what is missing from Debian (MinGW-w64, Wine, Ninja), builds Qt for Windows
# once (scripts/qt-windows.sh, 25 to 40 minutes; cached), and configures the build folder with
# the preset "windows" of CMakePresets.json, which finds that Qt through KAZ_QT_WINDOWS.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
source "$root/scripts/qt-source.sh"

test=0
case "${1:-}" in
    "") ;;
    --test) test=1 ;;
    *)
        echo "usage: bash scripts/windows.sh [--test]" >&2
        exit 2
        ;;
esac

started=$SECONDS
stage_done() {
    local took=$((SECONDS - started))
    echo "== $1: $((took / 60)) min $((took % 60)) s" >&2
    started=$SECONDS
}

# fonts-wine: the fonts Windows programs expect of Windows (Tahoma, the dialogs' own), which Wine lacks without it.
kaz_install_missing g++-mingw-w64-x86-64-posix ninja-build wine64 fonts-wine
KAZ_QT_WINDOWS="$(bash "$root/scripts/qt-windows.sh" | tail -n 1)"
export KAZ_QT_WINDOWS
stage_done "Qt for Windows"

build="$root/build-win"
cd "$root"
# KAZ_WEB_RUNNER: a test page put together by a Linux build (its programs/kazweb.html), which the
# Windows kazpack then packs tests into (kazpack --web), as the Linux one does.
web=()
if [ -n "${KAZ_WEB_RUNNER:-}" ]; then web=(-DKAZ_WEB_RUNNER="$KAZ_WEB_RUNNER"); fi
kaz_configure_with_qt windows "$build" "$KAZ_QT_WINDOWS" "${web[@]}"

jobs="$(nproc)"
if [ "$test" -eq 0 ]; then
    cmake --build --preset windows --target all_programs --parallel "$jobs"
    stage_done "Windows programs"
    echo "$build/programs"
    exit 0
fi

cmake --build --preset windows --parallel "$jobs"
stage_done "Windows programs and suites"
# Each suite is a Windows program of its own under Wine; the build's prefix is made by then.
ctest --preset windows --parallel "$jobs"
stage_done "Windows suites under Wine"
