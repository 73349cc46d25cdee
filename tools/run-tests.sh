#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test under Wine.
set -euo pipefail
source "$(dirname "$0")/build.sh"
source "$repo/tools/test-session.sh"
session_start
bash "$repo/tools/register-service.sh" --prefix "$WINEPREFIX" --build "$build" "${VELMORA_REGISTRY_ROOT:-HKLM}"
cd "$build"
ctest --output-on-failure -j"$(nproc)"
