# Shared environment of the project's scripts (sourced, not run).

# Wine runs the i686 build (the product) where this host can run 32-bit code.
# A host that runs 64-bit user code only (its kernel's IA-32 emulation is
# off) cannot start the 32-bit Wine loader at all; there the Wine levels of
# the suite run the x86_64 build of the same sources in a 64-bit prefix.
# KIVORA_WINE_ARCH=win32|win64 chooses by hand. A guess made before Wine was
# installed is made again when this file is sourced again.
if [ -z "${KIVORA_WINE_ARCH:-}" ] || [ "${kivora_arch_guessed:-}" = 1 ]; then
  export kivora_arch_guessed=1
  if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    KIVORA_WINE_ARCH=win64
  else
    KIVORA_WINE_ARCH=win32
  fi
fi
export KIVORA_WINE_ARCH
export WINEARCH=$KIVORA_WINE_ARCH
if [ "$KIVORA_WINE_ARCH" = win64 ]; then
  # Debian's wine and wine-stable prefer the 32-bit loader when it is
  # installed; these stand-ins start the 64-bit one.
  case ":$PATH:" in
    *":$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:"*) ;;
    *) PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:$PATH" ;;
  esac
  export PATH WINELOADER=/usr/lib/wine/wine64
  prefix_name=wineprefix64
else
  prefix_name=wineprefix
fi

# The project's own prefix, never the user's ~/.wine. A separate build root
# (KIVORA_BUILD_ROOT) gets a prefix of its own, so that test runs in two
# build roots never share, or stop, each other's wineserver.
if [ -n "${KIVORA_WINEPREFIX:-}" ]; then
  export WINEPREFIX=$KIVORA_WINEPREFIX
elif [ -n "${KIVORA_BUILD_ROOT:-}" ]; then
  export WINEPREFIX=$KIVORA_BUILD_ROOT/$prefix_name
else
  export WINEPREFIX=$HOME/.cache/kivora/$prefix_name
fi
unset prefix_name
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
