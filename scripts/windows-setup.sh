#!/usr/bin/env bash
# Makes KAZ's setup for Windows, kaz-setup-<version>.exe, with Debian's NSIS from the Windows
# programs that scripts/windows.sh built and the quiz runner of a Linux build; prints the
# setup's path last. packaging/windows/kaz.nsi is the setup itself.
#
#   bash scripts/windows-setup.sh [--programs DIR] [--linux-build DIR] [--output DIR]
#
#   --programs DIR     the Windows programs (default build-win/programs)
#   --linux-build DIR  a Linux build of KAZ: its libexec/kaz/kazrunner goes beside kazrunner.exe
#                      (for kazpack --linux), its kazpack gives back the shipped tests' folders
#                      and its kazicon draws the setup's icon and pictures. Default build-release, built in
#                      Release (as scripts/run.sh does) when it lacks them
#   --output DIR       where the setup is written (default: the folder above DIR of --programs)
#
# The same inputs give the same setup, byte for byte: NSIS stores no file times
# (SetDateSave off), and every list is sorted.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"

usage() {
    echo "usage: bash scripts/windows-setup.sh [--programs DIR] [--linux-build DIR] [--output DIR]" >&2
    exit 2
}
programs="$root/build-win/programs"
linux_build=""
output=""
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case "$1" in
        --programs) programs="$2" ;;
        --linux-build) linux_build="$2" ;;
        --output) output="$2" ;;
        *) usage ;;
    esac
    shift 2
done
kaz_install_missing nsis binutils

fail() {
    echo "windows-setup.sh: $*" >&2
    exit 1
}

programs="$(cd "$programs" 2>/dev/null && pwd)" || fail "there is no folder of Windows programs; run bash scripts/windows.sh first"
[ -n "$output" ] || output="$(dirname "$programs")"
mkdir -p "$output"
output="$(cd "$output" && pwd)"

# Every program the setup installs must be there and be a Windows program.
tools=(kaz-editor.exe kazpack.exe kazcheck.exe gift2kaz.exe kazrunner.exe)
is_windows_program() { [ "$(head -c 2 "$1" 2>/dev/null)" = "MZ" ]; }
for tool in "${tools[@]}"; do
    is_windows_program "$programs/$tool" || fail "$programs/$tool is missing or no Windows program; run bash scripts/windows.sh"
done
# The shipped test programs: every kaz-NAME.exe but the editor.
tests=()
while IFS= read -r path; do
    name="$(basename "$path" .exe)"
    [ "$name" = kaz-editor ] || tests+=("${name#kaz-}")
done < <(find "$programs" -maxdepth 1 -name 'kaz-*.exe' | LC_ALL=C sort)
[ ${#tests[@]} -gt 0 ] || fail "$programs has no test program (kaz-NAME.exe)"

if [ -z "$linux_build" ]; then
    linux_build="$root/build-release"
    if [ ! -x "$linux_build/libexec/kaz/kazrunner" ] || [ ! -x "$linux_build/programs/kazpack" ] ||
        [ ! -x "$linux_build/buildtools/kazicon" ]; then
        kaz_install_missing
        cmake -S "$root" -B "$linux_build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
        cmake --build "$linux_build" --parallel "$(nproc)" --target kazrunner kazpack kazicon >/dev/null
    fi
fi
linux_runner="$linux_build/libexec/kaz/kazrunner"
[ "$(head -c 4 "$linux_runner" 2>/dev/null | od -An -tx1 | tr -d ' ')" = 7f454c46 ] ||
    fail "$linux_runner is missing or no Linux program; give a Linux build of KAZ with --linux-build"

version="$(sed -n 's/^project(KAZ VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
[ -n "$version" ] || fail "no version in project() of $root/CMakeLists.txt"
version4="$version"
while [ "$(tr -cd . <<<"$version4" | wc -c)" -lt 3 ]; do version4="$version4.0"; done
# "Copyright: 2026 KAZ maintainers <kaz@kaz.bg>" gives "KAZ maintainers", as in the programs.
publisher="$(sed -n 's/^Copyright: *[0-9, -]* \(.*[^ ]\) *<.*$/\1/p' "$root/packaging/debian/copyright" | head -n 1)"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The Linux runner as the Debian package installs it: stripped of symbols and the compiler's notes.
strip --strip-all --remove-section=.comment --remove-section=.note -o "$work/kazrunner" "$linux_runner"
"$linux_build/buildtools/kazicon" --ico "$work/kaz.ico" 16 24 32 48 256
# The pages' pictures, in the sizes NSIS's pages show them at 96 dots per inch.
"$linux_build/buildtools/kazicon" --setup-picture "$work/side.bmp" 164 314
"$linux_build/buildtools/kazicon" --setup-picture "$work/header.bmp" 150 57

# NSIS's strings: "$" doubled, a double quote escaped.
nsis_string() { sed -e 's/\$/$$/g' -e 's/"/$\\"/g' <<<"$1"; }
# The title of a test's caption, as Caption::split takes it apart: the first line of
# [parameters] is "ADDRESS TITLE" when its first word reads as a web address, else all title.
caption_title() {
    local caption first rest
    caption="$(awk '/^\[parameters\][ \t\r]*$/ { getline; sub(/\r$/, ""); print; exit }' "$1")"
    first="${caption%% *}"
    rest="${caption#* }"
    if [ "$first" != "$caption" ] && [ -n "$rest" ] &&
        grep -qE '^([A-Za-z][A-Za-z0-9+.-]*://[^ ]+|www\.[^ ]+|[A-Za-z0-9-]+(\.[A-Za-z0-9-]+)*\.[A-Za-z][A-Za-z0-9-]*([/:][^ ]*)?)$' <<<"$first"; then
        caption="$rest"
    fi
    # A shortcut's name is a file name: no characters Windows forbids in one.
    tr '\\/:*?"<>|' '---------' <<<"$caption"
}

# The files every test program was packed from, given back by kazpack --extract: the examples.
files="$work/files.nsh"
install=()
uninstall=()
shortcuts=()
remove_shortcuts=()
add_file() { # SOURCE NAME-IN-INSTALL-FOLDER
    install+=("    File \"/oname=$(nsis_string "$2")\" \"$(nsis_string "$1")\"")
    uninstall+=("    Delete \"\$INSTDIR\\$(nsis_string "$2")\"")
}
for tool in "${tools[@]}"; do
    add_file "$programs/$tool" "$tool"
done
add_file "$work/kazrunner" kazrunner
# The test page that kazpack --web fills, when the Windows build was given one (KAZ_WEB_RUNNER).
if [ -f "$programs/kazweb.html" ]; then
    add_file "$programs/kazweb.html" kazweb.html
fi
folders=()
for test in "${tests[@]}"; do
    add_file "$programs/kaz-$test.exe" "kaz-$test.exe"
    "$linux_build/programs/kazpack" --extract "$programs/kaz-$test.exe" "$work/quizzes/$test" >/dev/null ||
        fail "kazpack could not give back the test of $programs/kaz-$test.exe"
    install+=("    CreateDirectory \"\$INSTDIR\\quizzes\\$test\"")
    while IFS= read -r file; do
        add_file "$work/quizzes/$test/$file" "quizzes\\$test\\$file"
    done < <(cd "$work/quizzes/$test" && find . -type f -printf '%P\n' | LC_ALL=C sort)
    folders+=("quizzes\\$test")
    title="$(nsis_string "$(caption_title "$work/quizzes/$test/test.kaz")")"
    [ -n "$title" ] || title="kaz-$test"
    shortcuts+=("    CreateShortcut \"\$SMPROGRAMS\\KAZ\\$title.lnk\" \"\$INSTDIR\\kaz-$test.exe\" \"\" \"\$INSTDIR\\kaz-$test.exe\" 0")
    remove_shortcuts+=("    Delete \"\$SMPROGRAMS\\KAZ\\$title.lnk\"")
done
{
    echo "; Written by scripts/windows-setup.sh for packaging/windows/kaz.nsi."
    echo "!macro KazInstallFiles"
    printf '%s\n' "${install[@]}"
    echo "!macroend"
    echo "!macro KazUninstallFiles"
    printf '%s\n' "${uninstall[@]}"
    # Each folder only when empty, deepest first.
    for folder in "${folders[@]}"; do echo "    RMDir \"\$INSTDIR\\$folder\""; done
    echo "    RMDir \"\$INSTDIR\\quizzes\""
    echo "!macroend"
    echo "!macro KazShortcuts"
    printf '%s\n' "${shortcuts[@]}"
    echo "!macroend"
    echo "!macro KazRemoveShortcuts"
    printf '%s\n' "${remove_shortcuts[@]}"
    echo "!macroend"
} >"$files"

setup="$output/kaz-setup-$version.exe"
log="$(makensis -V2 -INPUTCHARSET UTF8 -DKAZ_VERSION="$version" -DKAZ_VERSION4="$version4" \
    -DKAZ_PUBLISHER="$publisher" -DKAZ_ICON="$work/kaz.ico" -DKAZ_SIDE="$work/side.bmp" \
    -DKAZ_HEADER="$work/header.bmp" -DKAZ_FILES="$files" -DKAZ_OUTFILE="$setup" \
    "$root/packaging/windows/kaz.nsi" 2>&1)" || { echo "$log" >&2; fail "makensis failed"; }
echo "$setup"
