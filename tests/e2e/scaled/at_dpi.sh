#!/bin/sh
# Runs a Win32 test program under Wine as on a screen scaled to DPI dots per
# inch. Wine reads the DPI once, when a prefix's wineserver and desktop
# start, so the program gets a prefix of its own: the registry files of the
# project's prefix with LogPixels changed, and its drive C shared. Made in a
# moment, it leaves the project's prefix, and every other test, at 96.
#   at_dpi.sh DPI SCRATCH_PREFIX PROGRAM.exe [ARGS...]
set -eu
dpi=$1 scratch=$2
shift 2
base=${WINEPREFIX:?the project prefix, as ./dev test sets it}

rm -rf "$scratch"
mkdir -p "$scratch/dosdevices"
# The time stamp tells Wine that the prefix is up to date: no setup run.
cp "$base/system.reg" "$base/user.reg" "$base/userdef.reg" "$base/.update-timestamp" "$scratch/"
ln -s "$base/drive_c" "$scratch/dosdevices/c:"
ln -s / "$scratch/dosdevices/z:"
# The hardware profile's value (system.reg) and the font settings' copy of
# it (user.reg), which Wine would otherwise set back.
sed -i "s/^\"LogPixels\"=dword:.*/\"LogPixels\"=dword:$(printf %08x "$dpi")/" \
    "$scratch/system.reg" "$scratch/user.reg"

export WINEPREFIX=$scratch
# The scratch prefix's own server, never the project's.
trap 'wineserver -k 2>/dev/null || true' INT TERM
rc=0
wine "$@" || rc=$?
wineserver -k 2>/dev/null || true
rm -rf "$scratch"
exit $rc
