#!/usr/bin/env bash
# Builds the fuzz targets with clang, libFuzzer and the address and undefined-behaviour
# sanitizers, then runs each for SECONDS (default 60) from a corpus seeded with the shipped
# tests, the GIFT and Moodle XML examples, the shipped tests packed by kazpack onto a tiny fake runner and a
# recovery copy of the editor's. A crash, a hang (over 10 s on one input) or a memory use over
# 2 GB stops the target and leaves the input in build-fuzz/fuzz/artifacts-<target>/.
# Usage: bash scripts/fuzz.sh [SECONDS [libFuzzer options …]], e.g. bash scripts/fuzz.sh 300 -len_control=0
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kaz_install_missing clang-14 libclang-rt-14-dev

seconds="${1:-60}"
extra=("${@:2}")
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DKAZ_FUZZ=ON >/dev/null
if ! cmake --build "$build" --parallel "$(nproc)" --target fuzz_content fuzz_gift fuzz_moodle fuzz_packed fuzz_recovery kazpack \
    >"$build/build.log" 2>&1; then
    cat "$build/build.log" >&2
    exit 1
fi

# Little-endian: VALUE as BYTES bytes.
le() {
    local i
    for ((i = 0; i < $2; i++)); do
        printf "\\x$(printf %02x $((($1 >> (8 * i)) & 255)))"
    done
}

# A 64-bit ELF header, one program header and the runner's mark as the segment it maps
# (153 bytes, never run).
fake_runner() {
    local mark='KAZ quiz runner, packed format 1'
    local size=$((64 + 56 + ${#mark} + 1))
    printf '\x7fELF\x02\x01\x01'; le 0 9
    le 2 2; le 62 2; le 1 4; le 0 8; le 64 8; le 0 8; le 0 4; le 64 2; le 56 2; le 1 2; le 64 2; le 0 2; le 0 2
    le 1 4; le 4 4; le 0 8; le 0 8; le 0 8; le "$size" 8; le "$size" 8; le 4096 8
    printf '%s\0' "$mark"
}

status=0
for target in content gift moodle packed recovery; do
    corpus="$build/fuzz/corpus-$target"
    artifacts="$build/fuzz/artifacts-$target/"
    mkdir -p "$corpus" "$artifacts"
    if [ "$target" = content ]; then
        seeds=("$root"/content/*/test.kaz)
    elif [ "$target" = packed ]; then
        # Only the tails matter: each shipped test after a runner of a few bytes that kazpack
        # takes, an ELF program whose one loadable segment holds the mark.
        seeds=()
        fake_runner >"$build/fuzz/fake-runner"
        for kaz in "$root"/content/*/test.kaz; do
            folder="$(dirname "$kaz")"
            name="$(basename "$folder")"
            "$build/programs/kazpack" --force --runner "$build/fuzz/fake-runner" -o "$build/fuzz/kaz-$name" \
                "$folder" >/dev/null
            seeds+=("$build/fuzz/kaz-$name")
        done
    elif [ "$target" = recovery ]; then
        seeds=("$root"/fuzz/recovery-seed.kazrecovery)
    elif [ "$target" = moodle ]; then
        seeds=("$root"/docs/examples/*.xml)
    else
        seeds=("$root"/docs/examples/*.gift "$root"/tests/data/*.gift)
    fi
    for seed in "${seeds[@]}"; do
        if [ -f "$seed" ]; then
            cp "$seed" "$corpus/seed-$(basename "$(dirname "$seed")")-$(basename "$seed")"
        fi
    done
    echo "== fuzz_$target for ${seconds} s"
    log="$build/fuzz/fuzz_$target.log"
    rc=0
    "$build/fuzz/fuzz_$target" "$corpus" -dict="$root/fuzz/$target.dict" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=2048 -max_len=65536 -artifact_prefix="$artifacts" \
        -print_final_stats=1 "${extra[@]}" >"$log" 2>&1 || rc=$?
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb|finding:|SUMMARY|Test unit written)|ERROR' \
        "$log" || true
    if [ "$rc" -ne 0 ]; then
        echo "fuzz_$target stopped with status $rc; see $log" >&2
        status=1
    fi
done
exit "$status"
