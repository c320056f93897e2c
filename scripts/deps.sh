#!/usr/bin/env bash
# Installs, from Debian's packages, what building and testing KAZ needs and the machine lacks.
# Sourced by run.sh and test.sh; does nothing when everything is there.
set -euo pipefail

kaz_packages=(
    cmake g++ make
    qt6-base-dev qt6-base-dev-tools libgl-dev
    qt6-tools-dev qt6-l10n-tools
    fonts-liberation fonts-dejavu-core fontconfig
    # Qt's own texts in Bulgarian (file dialogs, standard buttons) for the editor and its tests.
    qt6-translations-l10n
)

kaz_install_missing() {
    local missing=()
    local p
    for p in "${kaz_packages[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "These packages are missing and this user cannot install them: ${missing[*]}" >&2
            return 1
        fi
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The test-side tools from npm that a test page's suite needs (tests/web/scorm/: scorm-again,
# a learning platform's SCORM run-time for the package's page to report to), installed as its
# package-lock.json pins them into a cache outside the work tree; nothing of them goes into a
# page. Installed once: offline, what the cache holds is used. Prints scorm-again's dist folder.
kaz_scorm_again() {
    local src="$1/tests/web/scorm"
    local cache="${XDG_CACHE_HOME:-$HOME/.cache}/kaz/scorm-test"
    if ! cmp -s "$src/package-lock.json" "$cache/package-lock.json" \
        || [ ! -f "$cache/node_modules/scorm-again/dist/scorm12.min.js" ]; then
        mkdir -p "$cache"
        cp "$src/package.json" "$src/package-lock.json" "$cache/"
        if ! (cd "$cache" && npm ci --ignore-scripts --no-audit --no-fund >&2); then
            echo "scorm-again could not be installed (offline?): the SCORM test of the page is skipped" >&2
            rm -f "$cache/package-lock.json"
        fi
    fi
    echo "$cache/node_modules/scorm-again/dist"
}
