#!/usr/bin/env bash
# Stress runs of the shared device service, apart from the tests: many client processes at
# once for a while, each run judged by DeviceServiceStress (see its header).
#   stress-service.sh [--runs N] [--seconds S] [--clients C] [--writers W] [--churners K] [--load] [--fresh]
# --load keeps every core busy with one spinning process each for the whole time. All runs
# share one Wine session, as the programs share one service all day; a run that finds the
# service wedged ends that session and the next run starts a fresh one. With --fresh every
# run has a Wine session of its own.
set -euo pipefail
runs=5
seconds=60
clients=8
writers=2
churners=1
load=0
fresh=0
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --seconds) seconds=$2; shift 2 ;;
        --clients) clients=$2; shift 2 ;;
        --writers) writers=$2; shift 2 ;;
        --churners) churners=$2; shift 2 ;;
        --load) load=1; shift ;;
        --fresh) fresh=1; shift ;;
        *) echo "usage: stress-service.sh [--runs N] [--seconds S] [--clients C] [--writers W] [--churners K] [--load] [--fresh]" >&2; exit 2 ;;
    esac
done
source "$(dirname "$0")/build.sh"
source "$repo/tools/test-session.sh"

spinners=()
stop_load() {
    [ ${#spinners[@]} -gt 0 ] && kill "${spinners[@]}" 2>/dev/null || true
    spinners=()
}

start() {
    session_start
    # session_start sets its own exit trap; the spinners must go too.
    trap 'stop_load; session_stop' EXIT
    bash "$repo/tools/register-service.sh" --prefix "$WINEPREFIX" --build "$build" HKLM
}

start
if [ "$load" -eq 1 ]; then
    for _ in $(seq 1 "$(nproc)"); do
        (while :; do :; done) >/dev/null 2>&1 </dev/null &
        spinners+=($!)
    done
fi
passed=0
failed=0
for run in $(seq 1 "$runs"); do
    if [ "$fresh" -eq 1 ] && [ "$run" -gt 1 ]; then
        session_stop
        start
    fi
    set +e
    "$repo/tools/wine-run.sh" --prefix "$WINEPREFIX" "$build/tests/DeviceService/DeviceServiceStress.exe" \
        --seconds "$seconds" --clients "$clients" --writers "$writers" --churners "$churners" --seed "$run"
    rc=$?
    set -e
    if [ "$rc" -eq 0 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "stress run $run: failed with exit code $rc"
        if [ "$rc" -eq 2 ]; then
            session_stop
            start
        fi
    fi
done
echo "stress: $passed of $runs runs passed ($seconds s each, $clients clients of which $writers writers and $churners churners, load $load)"
[ "$failed" -eq 0 ]
