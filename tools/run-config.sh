#!/usr/bin/env bash
# Installs what is missing, builds everything, prepares the Wine prefix and starts the
# configuration program against the simulated keypad of the device service.
#   run-config.sh [--language NAME]        (or VELMORA_LANGUAGE=NAME)
# NAME is one of English, ChineseSimplified, ChineseTraditional, French, German, Japanese,
# Korean, Russian, Spanish (any letter case). The set-up registers the device service and
# writes the installation's key as an installer does ("Language", and "InstallDir", the
# program's folder, in the registry view the program reads); the program then starts the
# tray program from there. With a desktop (DISPLAY) the program shows on it and the script
# ends with the program; without one it runs on a display of its own, a screenshot of the
# main window is saved, and the program is ended. What the script started is stopped at
# its end.
set -euo pipefail
languages="English ChineseSimplified ChineseTraditional French German Japanese Korean Russian Spanish"
language=${VELMORA_LANGUAGE:-English}
while [ $# -gt 0 ]; do
    case "$1" in
        --language) language=${2:-}; shift 2 ;;
        --language=*) language=${1#*=}; shift ;;
        *) echo "usage: run-config.sh [--language NAME]" >&2; exit 2 ;;
    esac
done
chosen=""
for name in $languages; do
    [ "${name,,}" = "${language,,}" ] && chosen=$name
done
if [ -z "$chosen" ]; then
    echo "run-config: unknown language '$language'; one of: $languages" >&2
    exit 2
fi

source "$(dirname "$0")/build.sh"
program="$build/App/KavroVelmoraConfig.exe"
if [ ! -f "$program" ]; then
    echo "run-config: $program was not built" >&2
    exit 1
fi
source "$repo/tools/test-session.sh"
session_start --desktop
if [ "$session_own_display" -eq 1 ]; then
    echo "No desktop found: the program runs on a display of its own ($DISPLAY)."
fi
bash "$repo/tools/register-service.sh" --prefix "$WINEPREFIX" --build "$build" "${VELMORA_REGISTRY_ROOT:-HKLM}"

# The install folder is read in at most 39 characters: the program's folder gets a drive
# letter of its own in the prefix, as a short install path.
ln -sfn "$build/App" "$WINEPREFIX/dosdevices/v:"
view=/reg:32
[ "$velmora_arch" = x86_64 ] && view=/reg:64
key='HKLM\Software\Kavro\Velmora'
"$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" reg add "$key" /v Language /t REG_SZ /d "$chosen" /f $view >/dev/null
"$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" reg add "$key" /v InstallDir /t REG_SZ /d 'V:\' /f $view >/dev/null
echo "Language: $chosen. Starting $program"

if [ "$session_own_display" -eq 0 ]; then
    "$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" "$program"
    exit 0
fi
"$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" "$program" &
program_pid=$!
mkdir -p "$build/screenshots"
shot="$build/screenshots/run-config-$chosen.bmp"
if "$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" "$build/tests/EndToEnd/KavroVelmoraDriver.exe" \
        screenshot SINGLE_INSTANCE_APP_VELMORA 120 "Z:${shot//\//\\}"; then
    echo "Screenshot of the main window: $shot"
else
    echo "run-config: the main window did not appear within 120 s" >&2
fi
# Nobody can use a display of its own: the program (and the tray program) end here.
WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
wait "$program_pid" 2>/dev/null || true
