#!/usr/bin/env bash
# Installs everything the suite needs on Debian 12 and prepares the project's
# own 32-bit Wine prefix. Safe to run again: it skips what is already there.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/env.sh"

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 xvfb imagemagick
  locales fonts-ipafont-gothic googletest python3
)

missing=()
have_i386=$(dpkg --print-foreign-architectures | grep -qx i386 && echo yes || echo no)
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "$have_i386" = no ] || [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: these packages are missing and only root can install them: ${missing[*]}" >&2
    [ "$have_i386" = no ] && echo "setup: the i386 architecture is not enabled (dpkg --add-architecture i386)" >&2
    exit 1
  fi
  echo "setup: installing ${missing[*]}"
  [ "$have_i386" = no ] && dpkg --add-architecture i386
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Now that Wine is there, decide again which build it runs (env.sh).
. "$here/scripts/env.sh"

# Wine needs a generated ja_JP.UTF-8 locale to run with code page 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  if [ "$(id -u)" != 0 ]; then
    echo "setup: the locale ja_JP.UTF-8 is missing and only root can generate it" >&2
    exit 1
  fi
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# The project's own prefix (32- or 64-bit, see env.sh), never the user's ~/.wine.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "setup: creating the Wine prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  [ -f "$WINEPREFIX/system.reg" ] || { echo "setup: wineboot did not create $WINEPREFIX" >&2; exit 1; }
fi
# Wine manages the windows itself in a virtual desktop named "shell" (with a
# taskbar and tray), as Windows would: activation and focus behave, and a
# closing window does not wait for a window manager that is not there.
if ! grep -q '^"Desktop"="shell"' "$WINEPREFIX/user.reg" 2>/dev/null; then
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1
  wineserver -w
  grep -q '^"Desktop"="shell"' "$WINEPREFIX/user.reg" ||
    { echo "setup: could not set the Wine desktop in $WINEPREFIX" >&2; exit 1; }
fi
# Wine draws the caption buttons (close, minimise, maximise) and other frame
# symbols with the Marlett font; without it the font mapper stands in a text
# font and the buttons read "0 1 r". Debian ships Wine's Marlett only in
# fonts-wine, whose other fonts must stay out: its bitmap Japanese system
# font has no kanji and would turn the system-font texts under ja_JP (volley's
# rows) into boxes. So only marlett.ttf is taken from that package, into the
# prefix's own Fonts folder, where Wine loads it at every start.
marlett="$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"
if [ ! -f "$marlett" ]; then
  echo "setup: adding Wine's Marlett font to $WINEPREFIX"
  fetch=$(mktemp -d)
  if ! (cd "$fetch" && apt-get download -qq fonts-wine >/dev/null 2>&1); then
    # A machine whose package lists were never fetched knows no fonts-wine.
    if [ "$(id -u)" = 0 ]; then
      apt-get update -qq
      (cd "$fetch" && apt-get download -qq fonts-wine >/dev/null)
    fi
  fi
  deb=$(find "$fetch" -maxdepth 1 -name 'fonts-wine_*.deb' | head -n1)
  if [ -z "$deb" ]; then
    rm -rf "$fetch"
    echo "setup: could not download the package fonts-wine (apt-get update as root may help)" >&2
    exit 1
  fi
  dpkg-deb --fsys-tarfile "$deb" | tar -x -C "$fetch" ./usr/share/wine/fonts/marlett.ttf
  mkdir -p "$(dirname "$marlett")"
  cp "$fetch/usr/share/wine/fonts/marlett.ttf" "$marlett"
  rm -rf "$fetch"
fi
echo "setup: ready"
