# Sourced: which programs this machine's Wine can run. The suite is made of 32-bit programs;
# Wine runs them with its 32-bit loader, a Linux program of 32 bits itself. A kernel that
# runs no 32-bit programs (its IA-32 emulation is off) cannot start that loader: there the
# build makes the same programs for 64-bit Windows and Wine's 64-bit loader runs them, so
# that everything can still be built and tested. VELMORA_ARCH=i686|x86_64 chooses by hand.
# Sets velmora_arch and wine_loader (the command that runs a Windows program).
if [ -z "${VELMORA_ARCH:-}" ]; then
    if /usr/lib/wine/wine --version >/dev/null 2>&1; then
        VELMORA_ARCH=i686
    else
        VELMORA_ARCH=x86_64
    fi
fi
velmora_arch=$VELMORA_ARCH
if [ "$velmora_arch" = x86_64 ]; then
    wine_loader=/usr/lib/wine/wine64
    export WINELOADER=$wine_loader
else
    wine_loader=wine
fi
