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
