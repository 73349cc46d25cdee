#!/usr/bin/env bash
# The long mutation runs of the parsers of outside files, for use by hand: every
# ParserMutation test of the test programs, each with the given number of damaged inputs
# (the normal test run uses a few thousand), and a summary of what each parser survived.
#   run-mutations.sh [--mutations N] [--seed S] [--filter PATTERN]
# --filter picks the runs by test name (a gtest filter, default every ParserMutation test).
# A failure names its seed; VELMORA_MUTATION_SEED=S VELMORA_MUTATIONS=1 repeats that input.
set -euo pipefail
mutations=100000
seed=1
filter='ParserMutation.*'
while [ $# -gt 0 ]; do
    case "$1" in
        --mutations) mutations=$2; shift 2 ;;
        --seed) seed=$2; shift 2 ;;
        --filter) filter=$2; shift 2 ;;
        *) echo "usage: run-mutations.sh [--mutations N] [--seed S] [--filter PATTERN]" >&2; exit 2 ;;
    esac
done
source "$(dirname "$0")/build.sh"
source "$repo/tools/test-session.sh"
session_start

export VELMORA_MUTATIONS=$mutations VELMORA_MUTATION_SEED=$seed
programs=(tests/GUI/GUITests.exe tests/GUI/GUIPanelTests.exe tests/Converter/ConverterTests.exe
    tests/DeviceService/DeviceServiceFileTests.exe)
log=$(mktemp)
output=$(mktemp)
status=0
for program in "${programs[@]}"; do
    echo "== $program"
    rc=0
    "$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" "$build/$program" --gtest_filter="$filter" >"$output" 2>&1 || rc=$?
    grep -E '^\[ mutation \]|^\*\*\*|Failure|FAILED|PASSED|seed' "$output" || true
    cat "$output" >>"$log"
    [ "$rc" -eq 0 ] || { echo "   $program ended with $rc"; status=1; }
done
echo "== survived per parser ($mutations mutations each, first seed $seed)"
grep '^\[ mutation \]' "$log" || true
rm -f "$log" "$output"
exit "$status"
