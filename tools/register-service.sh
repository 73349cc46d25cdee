#!/usr/bin/env bash
# Registers the device service simulator (its local server and its proxies) in a Wine
# prefix, under the machine's classes unless a root is given (Wine ignores per-user class
# registrations; HKCU is for Windows accounts without administrator rights).
#   register-service.sh --prefix DIR --build DIR [HKLM|HKCU]
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
prefix=""
build=""
while [ $# -gt 0 ]; do
    case "$1" in
        --prefix) prefix=$2; shift 2 ;;
        --build) build=$2; shift 2 ;;
        *) break ;;
    esac
done
root=${1:-HKLM}
if [ -z "$prefix" ] || [ -z "$build" ]; then
    echo "register-service: --prefix DIR and --build DIR are required" >&2
    exit 2
fi
server="$build/DeviceService/KavroDeviceService.exe"
if [ ! -f "$server" ]; then
    echo "register-service: $server is not built" >&2
    exit 2
fi
# The server registers itself from its own folder; no path goes through a command line.
"$repo/tools/wine-run.sh" --prefix "$prefix" "$server" /RegServer "$root"
