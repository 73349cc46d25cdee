#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
set -euo pipefail
source "$(dirname "$0")/build.sh"
source "$repo/tools/test-session.sh"

start_wine_session() {
    session_start
    bash "$repo/tools/register-service.sh" --prefix "$WINEPREFIX" --build "$build" "${VELMORA_REGISTRY_ROOT:-HKLM}"
}

start_wine_session
cd "$build"
ctest --output-on-failure -j"$(nproc)"
