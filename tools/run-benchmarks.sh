#!/usr/bin/env bash
# Builds everything and runs the benchmark program under Wine, apart from the tests: the
# device layer's write and read, one service call, the first connection and the converter,
# each against its floor (see the README).
#   run-benchmarks.sh [--runs N] [--start]   (--start: the configuration program's start alone)
# It shares the build's Wine prefix with the tests: do not run both at once. The machine's
# load is printed before and after, as the figures depend on it.
set -euo pipefail
source "$(dirname "$0")/build.sh"
source "$repo/tools/test-session.sh"

session_start
bash "$repo/tools/register-service.sh" --prefix "$WINEPREFIX" --build "$build" HKLM
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
"$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" "$build/tests/Benchmark/VelmoraBenchmark.exe" "$@"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores"
