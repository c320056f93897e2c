#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all; prints the tables of docs/performance.md.
#  1. start-up of the shipped test against a bare window of the same widgets, both under Xvfb,
#     interleaved (KAZ_BENCH_RUNS starts of each, 15 unless set);
#  2. every learner action on generated tests of 100 … 32,767 phrases per side, models alone
#     and with the test window (offscreen);
#  3. the test editor's document on a test of 10,000 phrases a side: opening, a keystroke, the
#     full check, and the problem list following the last keystroke; then its window
#     (offscreen): opening until painted, each keystroke typed into a cell with its repaint,
#     and the problems list following the last keystroke;
#  4. gift2kaz on 10,000 questions within 256 open files, into a tmpfs and onto the disk;
#  5. the test page in headless Chromium (bench/web_page.py): its size, loading until the lists
#     are drawn, and each learner action on 10,000 phrases a side. Only with a test page to fill:
#     KAZ_WEB_RUNNER (a kazweb.html, e.g. build-test/libexec/kaz/kazweb.html of a build given
#     KAZ_WEB_ENGINE), or the bench build's own when it was configured with KAZ_WEB_ENGINE;
#     KAZ_WEB_PAGE is the shipped test's page to weigh (else the shipped test is packed).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kaz_install_missing libbenchmark-dev xvfb time

# The preset "bench" of CMakePresets.json, in build-bench.
build="$root/build-bench"
cd "$root"
cmake --preset bench >/dev/null
cmake --build --preset bench --parallel 2 \
    --target kazprobe-istoriya bare-window-probe kazbench-startup kazbench-actions kazpack kazbench-editor \
    kazbench-editor-window gift2kaz

# Qt wants a private runtime directory; without one it warns on every start.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "Load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"

# A display of our own: the first free number from 90 up.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
done

echo
echo "## Start-up: process start to first painted frame (Xvfb, xcb platform)"
echo
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=":$display" \
    "$build/bench/kazbench-startup" --runs "${KAZ_BENCH_RUNS:-15}" \
    "$build/bench/kaz-istoriya-probe" "$build/bench/bare-window-probe"

echo
echo "## Learner actions on generated tests (offscreen, Bulgarian collation)"
echo
LC_ALL=bg_BG.UTF-8 "$build/bench/kazbench-actions" --benchmark_color=false
echo
echo "## Test editor: a test of 10,000 phrases a side"
echo
"$build/bench/kazbench-editor" --benchmark_color=false
echo
echo "## Test editor's window (offscreen): opening, typing in a cell, the problems list"
echo
"$build/bench/kazbench-editor-window" --benchmark_color=false
echo
echo "## gift2kaz: a GIFT file of 10,000 matching questions, at most 256 open files"
echo
gift="$(mktemp -d "${TMPDIR:-/tmp}/kaz-gift-XXXXXX")"
for i in $(seq 0 9999); do
    printf '::Въпрос %d::Свържете {\n=ляво %d 0 -> дясно %d 0\n=ляво %d 1 -> дясно %d 1\n=ляво %d 2 -> дясно %d 2\n}\n\n' \
        "$i" "$i" "$i" "$i" "$i" "$i" "$i"
done >"$gift/q.gift"
# Into memory where there is a tmpfs, so that the disk's time does not count; then onto the disk.
for out in /dev/shm "$gift"; do
    [ -d "$out" ] && [ -w "$out" ] || continue
    folder="$(mktemp -d "$out/kaz-gift-out-XXXXXX")"
    ( ulimit -n 256; /usr/bin/time -f "into $out: %e s, %U s user, %S s system, %M KB" \
        "$build/programs/gift2kaz" --output "$folder" "$gift/q.gift" >/dev/null )
    rm -rf "$folder"
done
rm -rf "$gift"
echo
echo "## The test page in a browser (headless Chromium)"
echo
web_runner="${KAZ_WEB_RUNNER:-}"
if [ -z "$web_runner" ]; then
    web_runner="$(find "$build" -name kazweb.html -path '*/kaz/*' -print -quit 2>/dev/null || true)"
fi
if [ -z "$web_runner" ] || [ ! -f "$web_runner" ]; then
    echo "Skipped: no test page to fill. Give KAZ_WEB_RUNNER, the kazweb.html of a build configured with"
    echo "KAZ_WEB_ENGINE (scripts/web.sh builds the engine)."
elif [ ! -x /usr/bin/chromium ] || [ ! -x /usr/bin/chromedriver ] || ! /usr/bin/python3 -c 'import selenium' 2>/dev/null; then
    echo "Skipped: chromium, chromium-driver and python3-selenium are needed (apt)."
else
    /usr/bin/python3 "$root/bench/web_page.py" --runner "$web_runner" --kazpack "$build/programs/kazpack" \
        ${KAZ_WEB_PAGE:+--page "$KAZ_WEB_PAGE"}
fi
echo
echo "Load after the run: $(cut -d' ' -f1-3 /proc/loadavg)"
