#!/usr/bin/env bash
# Makes the Debian package (scripts/package.sh) and checks it with lintian, Debian's checker
# of packages, with informational and pedantic notes shown. Exits 1 when lintian reports any
# error (E:) or warning (W:).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kaz_install_missing lintian

deb="$(bash "$root/scripts/package.sh")"
echo "$(lintian --version) on $deb"
if lintian --display-info --pedantic --fail-on error,warning "$deb"; then
    echo "lintian: no errors or warnings"
else
    echo "lintian reports errors or warnings for $deb" >&2
    exit 1
fi
