# Sourced: installs what is missing, then configures and builds into $build.
# Warnings are errors on CI.
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$repo/tools/setup-deps.sh"
source "$repo/tools/wine-loader.sh"
if [ "$velmora_arch" = x86_64 ]; then
    build=${VELMORA_BUILD_DIR:-$repo/build-x86_64}
    echo "*** This machine runs no 32-bit programs (its kernel's IA-32 emulation is off):"
    echo "*** building and testing the 64-bit programs in $build instead."
else
    build=${VELMORA_BUILD_DIR:-$repo/build}
fi
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-$velmora_arch.cmake" \
    -DVELMORA_WERROR=$werror >/dev/null
cmake --build "$build" -j"$(nproc)"
