#!/usr/bin/env bash
# Builds KAZ in Release and makes its Debian package; prints the package's path.
# Install it with: sudo apt-get install ./kaz_<version>_<arch>.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
# dpkg-shlibdeps (dpkg-dev) and file find the libraries the package depends on.
kaz_install_missing dpkg-dev file

build="$root/build-deb"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
cd "$build"
log="$(cpack -G DEB -B "$build/package" 2>&1)" || { echo "$log" >&2; exit 1; }
deb="$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$log")"
[ -f "$deb" ] || { echo "$log" >&2; echo "cpack made no .deb" >&2; exit 1; }
echo "$deb"
