#!/usr/bin/env bash
# Generates the locales the test suite is also run under: Bulgarian and Turkish, UTF-8.
# Sourced by test.sh; does nothing when they are already there.
set -euo pipefail

kaz_locales=(bg_BG.UTF-8 tr_TR.UTF-8)

kaz_have_locale() {
    # `locale -a` lists bg_BG.UTF-8 as bg_BG.utf8.
    local want="${1/.UTF-8/.utf8}"
    locale -a 2>/dev/null | grep -qx "$want"
}

kaz_generate_locales() {
    local missing=()
    local l
    for l in "${kaz_locales[@]}"; do
        kaz_have_locale "$l" || missing+=("$l")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    kaz_install_missing locales
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Generating locales: ${missing[*]}"
    for l in "${missing[@]}"; do
        # Debian's list holds every locale commented out; uncomment the one we need.
        "${sudo[@]}" sed -i "s/^# *\(${l//./\\.} UTF-8\)$/\1/" /etc/locale.gen
        grep -qx "$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    done
    "${sudo[@]}" locale-gen >/dev/null
}
