# Sourced: installs what is missing, then configures and builds into $build.
# Warnings are errors on CI.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${VELMORA_BUILD_DIR:-$repo/build}

bash "$repo/tools/setup-deps.sh"
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S "$repo" -B "$build" -DVELMORA_WERROR=$werror >/dev/null
cmake --build "$build" -j"$(nproc)"
