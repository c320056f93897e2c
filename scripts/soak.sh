#!/usr/bin/env bash
# A long run of random learner sessions on the models, from a fresh seed each time unless
# KAZ_SEED is given: bash scripts/soak.sh [sessions]. A failing session prints its seed and
# its actions; add the seed to the rows of tst_sessions' longSessions.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kaz_install_missing

build="${KAZ_BUILD_DIR:-$root/build-test}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" --target tst_sessions

seed="${KAZ_SEED:-$(date +%s)}"
# QtTest stops a test function after five minutes unless told otherwise.
echo "Playing ${1:-200000} sessions from seed $seed"
QTEST_FUNCTION_TIMEOUT=1000000000 KAZ_SOURCE_DIR="$root" KAZ_SEED="$seed" KAZ_SESSIONS="${1:-200000}" \
    "$build/tests/tst_sessions" randomSessions
