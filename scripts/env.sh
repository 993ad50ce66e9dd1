# Shared environment of the project's scripts (sourced, not run).
export WINEARCH=win32
# The project's own prefix, never the user's ~/.wine. A separate build root
# (KIVORA_BUILD_ROOT) gets a prefix of its own, so that test runs in two
# build roots never share, or stop, each other's wineserver.
if [ -n "${KIVORA_WINEPREFIX:-}" ]; then
  export WINEPREFIX=$KIVORA_WINEPREFIX
elif [ -n "${KIVORA_BUILD_ROOT:-}" ]; then
  export WINEPREFIX=$KIVORA_BUILD_ROOT/wineprefix
else
  export WINEPREFIX=$HOME/.cache/kivora/wineprefix
fi
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
