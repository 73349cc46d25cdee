#!/usr/bin/env bash
# Installs what is missing, builds everything and starts the configuration program
# against the simulated keypad of the device service.
set -euo pipefail
source "$(dirname "$0")/build.sh"
program="$build/App/KavroVelmoraConfig.exe"
if [ ! -f "$program" ]; then
    echo "Built: the libraries, the device service, ProfileConverter and the tests. Not there"
    echo "yet: KavroVelmoraConfig.exe and the skin's program pages, so there is no program to start."
    exit 0
fi
source "$repo/tools/test-session.sh"
session_start
bash "$repo/tools/register-service.sh" --prefix "$WINEPREFIX" --build "$build" "${VELMORA_REGISTRY_ROOT:-HKLM}"
"$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" "$program"
