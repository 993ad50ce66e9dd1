# Shared environment of the project's scripts (sourced, not run).
export WINEARCH=win32
export WINEPREFIX="${KIVORA_WINEPREFIX:-$HOME/.cache/kivora/wineprefix}"
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
