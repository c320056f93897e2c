#!/usr/bin/env bash
# Builds the browser's engine of a test page (scripts/web.sh: QtCore for WebAssembly built once
# and cached), then KAZ with its tests, and runs every test suite headless, the test pages' in
# headless Chromium among them; runs the suite again under
# the C, Bulgarian and Turkish locales; then builds everything once more with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the suite there, where a leak
# left at a program's end or any undefined behaviour fails the test; last builds the Windows
# programs and suites (scripts/windows.sh --test, Qt for Windows built once and cached, the
# first time in the background from the start) and
# runs those under Wine, and the test of the Windows setup made of those programs
# (windows_setup, NSIS and Wine). Each stage's time is printed as it ends ("== stage: time"), after
# CTest's summary of its suites.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
source "$root/scripts/locales.sh"
# The validators check the desktop entries, metainfo files and manual pages the build writes.
kaz_install_missing desktop-file-utils appstream groff-base man-db
# NSIS makes the Windows setup that windows_setup installs under Wine.
kaz_install_missing nsis
# The test pages' suites play them in headless Chromium, driven by Selenium, and in Firefox.
kaz_install_missing chromium chromium-driver python3-selenium firefox-esr
# A learning platform's SCORM run-time (scorm-again, from npm) for the package's page to report to.
# Debian's npm, unless the machine has an npm of its own (with its own Node.js, which Debian's npm
# package would conflict with).
command -v npm >/dev/null 2>&1 || kaz_install_missing npm
scorm_again="$(kaz_scorm_again "$root")"
# The benchmarks are built with the tests, so that a change that breaks them is seen here.
kaz_install_missing libbenchmark-dev
kaz_generate_locales
jobs="$(nproc)"
started=$SECONDS

# Qt for Windows is by far the longest to build, once: it builds in the background, at the
# lowest priority, while the Linux stages run, taking only what they leave idle, and the
# Windows stage waits for it. Already in the cache, it takes no time at all. (It stays in this
# session: the kernel weighs priorities only within one, so setsid would make it an equal.)
# Job control gives it a process group of its own, which is stopped as a whole.
qt_log="$(mktemp)"
set -m
nice -n 19 bash "$root/scripts/qt-windows.sh" </dev/null >"$qt_log" 2>&1 &
qt_pid=$!
set +m
stop_qt() {
    if kill -0 "$qt_pid" 2>/dev/null; then kill -- "-$qt_pid" 2>/dev/null || true; fi
    rm -f "$qt_log"
}
trap stop_qt EXIT
stage_done() {
    local took=$((SECONDS - started))
    echo "== $1: $((took / 60)) min $((took % 60)) s"
    started=$SECONDS
}

# The builds are the presets of CMakePresets.json, which an IDE offers too: "test" (Debug with
# -g1: line numbers and functions for a failure's backtrace and the sanitizers' reports, without
# the full debug information, which costs an eighth of each compile; the benchmarks built, not
# run) in build-test, "test-asan" in build-test-asan. Their test presets leave out the test of
# the Windows setup, which runs once, after the Windows programs are built (below).
cd "$root"
build="$root/build-test"
# The engine first: the Linux build puts the test page together with it (kazweb.html) and packs
# the shipped tests into pages, which its suites play.
engine="$(bash "$root/scripts/web.sh" | tail -n 1)"
stage_done "Browser engine (WebAssembly)"
cmake --preset test -DKAZ_WEB_ENGINE="$engine" -DKAZ_SCORM_AGAIN="$scorm_again" >/dev/null
cmake --build --preset test --parallel "$jobs"
ctest --preset test --parallel "$jobs"
stage_done "Linux build and suite"

# Number reading, case and sorting must not follow the machine's language.
for lang in C C.UTF-8 bg_BG.UTF-8 tr_TR.UTF-8; do
    log="$build/Testing/ctest-$lang.log"
    # The test pages' suites are the browser's, whatever the machine's language (and the
    # Windows setup's test runs once, last, as the preset leaves it out).
    # (A preset's own filter would win over -LE: the build folder is named instead.)
    if LANG="$lang" LC_ALL="$lang" QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure \
        --parallel "$jobs" -LE "web|windows_setup" >"$log" 2>&1; then
        echo "LANG=$lang: $(grep 'tests passed' "$log")"
    else
        cat "$log"
        echo "The test suite fails under LANG=$lang" >&2
        exit 1
    fi
done
stage_done "Linux suite under four locales"

# The sanitizers' options, and fewer random sessions, are in the test preset "test-asan".
cmake --preset test-asan >/dev/null
cmake --build --preset test-asan --parallel "$jobs"
ctest --preset test-asan --parallel "$jobs"
stage_done "Sanitizer build and suite"

if ! wait "$qt_pid"; then
    tail -n 60 "$qt_log"
    echo "Qt for Windows could not be built (scripts/qt-windows.sh)" >&2
    exit 1
fi
stage_done "Waiting for Qt for Windows"
# The Windows kazpack packs with the page made here: the same test gives the same page on both.
KAZ_WEB_RUNNER="$build/libexec/kaz/kazweb.html" bash "$root/scripts/windows.sh" --test
stage_done "Windows build and suite under Wine"
for page in "$build"/programs/kaz-*.html; do
    if ! cmp -s "$page" "$root/build-win/programs/$(basename "$page")"; then
        echo "kazpack --web on Windows made $(basename "$page") other than on Linux" >&2
        exit 1
    fi
done
echo "Test pages made on Linux and on Windows: the same bytes"

cd "$build"
ctest --output-on-failure -L windows_setup
stage_done "Windows setup under Wine"
