#!/usr/bin/env bash
# What a screen reader sees of the test editor: starts kaz-editor on a display of its own (Xvfb)
# with a private session bus and the accessibility bus (at-spi), walks the tree at-spi gives of
# its window and lists every control a user acts on that has no name. Exits 1 when there is one.
#   bash scripts/atspi_names.sh [path/to/kaz-editor [FOLDER]]
# Needs xvfb, at-spi2-core (at-spi-bus-launcher), dbus and libglib2.0-bin (gdbus), python3.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
editor="${1:-$root/build/programs/kaz-editor}"
folder="${2:-$root/quizzes/figuri}"
for tool in Xvfb gdbus dbus-run-session python3 /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: install xvfb, at-spi2-core, dbus, libglib2.0-bin"; exit 2; }
done

if [ "${KAZ_ATSPI_INSIDE:-}" != 1 ]; then
    work="$(mktemp -d)"
    trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
    display=90
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    mkdir -m 700 "$work/run"
    cp -r "$folder" "$work/test"
    KAZ_ATSPI_INSIDE=1 DISPLAY=":$display" HOME="$work" XDG_RUNTIME_DIR="$work/run" \
        dbus-run-session -- bash "${BASH_SOURCE[0]}" "$editor" "$work/test"
    exit $?
fi

# Inside the private session bus.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
launcher=$!
sleep 1.5
address=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus --method org.a11y.Bus.GetAddress \
    | sed "s/^('\(.*\)',)$/\1/")
"$editor" "$folder" 2>/dev/null &
app=$!
sleep 4
status=0
python3 - "$address" <<'EOF' || status=$?
import re, subprocess, sys
address = sys.argv[1]

def call(bus, path, *method):
    return subprocess.run(["gdbus", "call", "--address", address, "--dest", bus, "--object-path", path,
                           "--method", *method], capture_output=True, text=True).stdout.strip()

def children(bus, path):
    return re.findall(r"'(/org/a11y/atspi/accessible/[^']+)'", call(bus, path, "org.a11y.atspi.Accessible.GetChildren"))

def prop(bus, path, name):
    out = call(bus, path, "org.freedesktop.DBus.Properties.Get", "org.a11y.atspi.Accessible", name)
    m = re.match(r"^\(<'(.*)'>,\)$", out)
    return m.group(1) if m else ""

apps = re.findall(r"\('(:[0-9.]+)', (?:objectpath )?'([^']+)'\)",
                  call("org.a11y.atspi.Registry", "/org/a11y/atspi/accessible/root", "org.a11y.atspi.Accessible.GetChildren"))
bus = next((b for b, p in apps if prop(b, p, "Name") == "kaz-editor"), None)
if not bus:
    print("at-spi does not see kaz-editor")
    sys.exit(1)
acting = {"push button", "check box", "combo box", "spin button", "spin box", "text", "entry", "list", "table",
          "page tab", "page tab list", "menu item", "toggle button", "radio button", "slider"}
count, nameless = 0, []

def walk(path, depth):
    global count
    count += 1
    role = call(bus, path, "org.a11y.atspi.Accessible.GetRoleName")[2:-3]
    name = prop(bus, path, "Name")
    if role in acting and not name.strip():
        nameless.append(f"{role} {path}")
    if role in ("table", "list", "table cell", "list item") or depth > 30:
        return  # the items are the test's own text
    for child in children(bus, path):
        walk(child, depth + 1)

for window in children(bus, "/org/a11y/atspi/accessible/root"):
    print("window:", prop(bus, window, "Name"))
    walk(window, 0)
print(f"{count} objects; controls without a name: {len(nameless)}")
for n in nameless:
    print("  " + n)
sys.exit(1 if nameless else 0)
EOF
kill "$app" "$launcher" 2>/dev/null || true
exit "$status"
