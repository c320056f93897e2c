#!/usr/bin/env bash
# Builds KAZ in Release and makes its Debian package; prints the package's path.
# Install it with: sudo apt-get install ./kaz_<version>_<arch>.deb
# The package carries the quiz runner for Windows too (kazpack --windows), so the Windows
# programs are built first (scripts/windows.sh; the first time also Qt for Windows, 25 to 40
# minutes, then cached), and the test page (kazpack --web), so the browser's engine is built
# before (scripts/web.sh; the first time also QtCore for WebAssembly, about 10 minutes).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
# dpkg-shlibdeps (dpkg-dev) and file find the libraries the package depends on; dpkg-buildflags
# (dpkg-dev) gives Debian's build flags; gzip compresses the manual pages and the changelog.
kaz_install_missing dpkg-dev file gzip

windows_programs="$(bash "$root/scripts/windows.sh" | tail -n 1)"
windows_runner="$windows_programs/kazrunner.exe"
[ -f "$windows_runner" ] || { echo "scripts/windows.sh made no $windows_runner" >&2; exit 1; }

web_engine="$(bash "$root/scripts/web.sh" | tail -n 1)"

build="$root/build-deb"
# Debian's compiler and linker flags with every hardening feature (stack protector, fortified
# functions, read-only relocations bound at start), as a Debian package is built.
cd "$root"
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" \
    "-DKAZ_WINDOWS_RUNNER=$windows_runner" "-DKAZ_WEB_ENGINE=$web_engine" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
cd "$build"
log="$(cpack -G DEB -B "$build/package" 2>&1)" || { echo "$log" >&2; exit 1; }
deb="$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$log")"
[ -f "$deb" ] || { echo "$log" >&2; echo "cpack made no .deb" >&2; exit 1; }
echo "$deb"
