#!/usr/bin/env bash
# Runs one Windows program under Wine: the emulator of every test the build registers.
#   wine-run.sh --prefix DIR [--init] [program.exe args...]
# The prefix is created when missing (64-bit, crash dialog off). Wine's own output and
# the program's go to files first: Wine's background processes inherit the descriptors
# they are started with, and a pipe held open by them would keep the caller waiting.
# The program's exit code is passed through.
set -u

prefix=""
init_only=0
while [ $# -gt 0 ]; do
    case "$1" in
        --prefix) prefix=$2; shift 2 ;;
        --init) init_only=1; shift ;;
        *) break ;;
    esac
done
if [ -z "$prefix" ]; then
    echo "wine-run: --prefix DIR is required" >&2
    exit 2
fi

prefix=$(realpath -m "$prefix")
export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LC_ALL=C.UTF-8
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"

create_prefix() {
    mkdir -p "$(dirname "$prefix")"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.velmora-ready" ]; then
        if ! "$wine_loader" wineboot -i >"$prefix.init.log" 2>&1 </dev/null ||
           ! "$wine_loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                >>"$prefix.init.log" 2>&1 </dev/null; then
            echo "wine-run: could not create the Wine prefix $prefix (see $prefix.init.log)" >&2
            exit 2
        fi
        touch "$prefix/.velmora-ready"
    fi
    # Wine's dialog and menu fonts hold no Chinese, Japanese or Korean glyphs: link them to
    # the set-up's font family that does, so window frames and menus show every language.
    if [ ! -f "$prefix/.velmora-fonts" ]; then
        local face
        for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI" Arial; do
            "$wine_loader" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                /v "$face" /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f \
                >>"$prefix.init.log" 2>&1 </dev/null || echo "wine-run: could not link the font for $face" >&2
        done
        touch "$prefix/.velmora-fonts"
    fi
    flock -u 9
    exec 9>&-
}

create_prefix
[ "$init_only" -eq 1 ] && exit 0
if [ $# -eq 0 ]; then
    echo "wine-run: no program given" >&2
    exit 2
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$wine_loader" "$@" >"$scratch/out" 2>"$scratch/err" </dev/null &
child=$!
trap 'kill "$child" 2>/dev/null; wait "$child"; tr -d "\r" <"$scratch/out"; cat "$scratch/err" >&2; exit 143' TERM INT
wait "$child"
rc=$?

# Windows programs end lines with CR LF; the tools reading this output expect LF.
tr -d '\r' <"$scratch/out"
cat "$scratch/err" >&2
# A program that fails before writing a line (Wine could not start it, or it ended at once)
# would otherwise leave nothing to read in a test log: name it and its exit code.
if [ "$rc" -ne 0 ] && [ ! -s "$scratch/out" ] && [ ! -s "$scratch/err" ]; then
    echo "wine-run: $1 ended with exit code $rc and wrote nothing" >&2
fi
exit "$rc"
