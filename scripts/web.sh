#!/usr/bin/env bash
# Builds the browser's engine of a test page (kazweb.js and kazweb.wasm: the test window's model
# compiled to WebAssembly) into build-web/programs/, the last line printed. Give that folder to a
# desktop build as KAZ_WEB_ENGINE, and its kazpack --web makes test pages:
#
#   cmake --preset test -DKAZ_WEB_ENGINE="$(bash scripts/web.sh | tail -n 1)"
#
# It installs what is missing from Debian (emscripten, Node), builds QtCore for WebAssembly once
# (scripts/qt-wasm.sh, about 10 minutes; cached), and configures the build folder with the
# preset "web" of CMakePresets.json, which finds that Qt through KAZ_QT_WASM.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
source "$root/scripts/qt-source.sh"
kaz_install_missing emscripten nodejs ninja-build
export NODE_PATH=/usr/share/nodejs
KAZ_QT_WASM="$(bash "$root/scripts/qt-wasm.sh" | tail -n 1)"
export KAZ_QT_WASM EMSDK="$KAZ_QT_WASM/emsdk"

cd "$root"
kaz_configure_with_qt web "$root/build-web" "$KAZ_QT_WASM"
cmake --build --preset web --parallel "$(nproc)" >&2
echo "$root/build-web/programs"
