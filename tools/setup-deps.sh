#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine (run as root):
# the MinGW-w64 cross compilers, widl, Wine with 32-bit support, Xvfb, CMake, Python (the
# build generates the skin's data files with it), the fonts (Wine's own for window frames and
# dialogs, and one freely licensed family covering Latin, Cyrillic, Chinese, Japanese and
# Korean, which the build copies into the skin's fonts\ folder), and the source packages of
# pugixml and GoogleTest, which the build compiles with MinGW.
# Safe to run again: every step checks first whether it is already done.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
deps="$repo/.deps"

packages=(
    cmake make dpkg-dev file xauth python3
    g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine32 wine64 libwine-dev
    xvfb x11-utils imagemagick
    fonts-wine fonts-wqy-microhei fonts-dejavu-core
)

if [ "$(id -u)" -ne 0 ]; then
    exec sudo -E bash "$0" "$@"
fi

# Source entries for apt-get source, made from the machine's own binary entries for this
# release (entries of other suites, such as third-party repositories, are left alone).
add_source_entries() {
    local codename out
    codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    out=/etc/apt/sources.list.d/velmora-deb-src.sources
    [ -n "$codename" ] || return 0
    [ -f "$out" ] && return 0
    python3 - "$codename" "$out" <<'EOF'
import glob, re, sys
codename, out = sys.argv[1], sys.argv[2]
stanzas = []
for path in sorted(glob.glob('/etc/apt/sources.list.d/*.sources')):
    if path == out:
        continue
    for block in re.split(r'\n\s*\n', open(path).read()):
        fields = {}
        for line in block.splitlines():
            m = re.match(r'^([A-Za-z-]+):\s*(.*)$', line)
            if m:
                fields[m.group(1)] = m.group(2).strip()
        suites = fields.get('Suites', '').split()
        if 'deb' not in fields.get('Types', '').split():
            continue
        if fields.get('Enabled', 'yes').lower() == 'no':
            continue
        if not suites or not all(s.startswith(codename) for s in suites):
            continue
        entry = ['Types: deb-src'] + [f'{k}: {v}' for k, v in fields.items() if k in ('URIs', 'Suites', 'Components', 'Signed-By')]
        stanzas.append('\n'.join(entry))
lists = ['/etc/apt/sources.list'] + sorted(glob.glob('/etc/apt/sources.list.d/*.list'))
for path in lists:
    try:
        lines = open(path).read().splitlines()
    except OSError:
        continue
    for line in lines:
        m = re.match(r'^deb\s+(\[[^\]]*\]\s+)?(\S+)\s+(\S+)\s+(.+)$', line.strip())
        if not m or not m.group(3).startswith(codename):
            continue
        options = m.group(1) or ''
        stanzas.append(f'deb-src {options}{m.group(2)} {m.group(3)} {m.group(4)}')
deb822 = [s for s in stanzas if s.startswith('Types:')]
oneline = [s for s in stanzas if s.startswith('deb-src ')]
if deb822:
    open(out, 'w').write('\n\n'.join(deb822) + '\n')
if oneline:
    open(out.replace('.sources', '.list'), 'w').write('\n'.join(oneline) + '\n')
EOF
}

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        local arch_p=$p
        [ "$p" = wine32 ] && arch_p=wine32:i386
        dpkg-query -W -f='${Status}' "$arch_p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

install_packages() {
    local missing
    missing=$(missing_packages)
    if [ -z "$missing" ] && [ -f /etc/apt/sources.list.d/velmora-deb-src.sources ]; then
        return 0
    fi
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    add_source_entries
    apt-get update -qq
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    # shellcheck disable=SC2086
    env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        $(echo "$missing" | sed 's/^wine32$/wine32:i386/')
}

fetch_source() {
    local name=$1 marker=$2
    mkdir -p "$deps"
    if compgen -G "$deps/$name-*/$marker" >/dev/null; then
        return 0
    fi
    (cd "$deps" && apt-get source -qq -o APT::Sandbox::User=root --download-only "$name" && dpkg-source -x --no-check ./"$name"_*.dsc >/dev/null)
}

install_packages
fetch_source pugixml src/pugixml.cpp
fetch_source googletest googletest/src/gtest-all.cc
echo "setup: dependencies are in place"
