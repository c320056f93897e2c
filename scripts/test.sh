#!/usr/bin/env bash
# Builds KAZ with its tests and runs every test suite headless; ends with CTest's summary.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
# The validators check the desktop entries and metainfo files the build writes.
kaz_install_missing desktop-file-utils appstream

build="$root/build-test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)"

cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
