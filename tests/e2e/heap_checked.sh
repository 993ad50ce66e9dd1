#!/bin/sh
# Runs an end-to-end test program once more with Wine's heap checks on for
# the suite's programs, and fails on any heap error they report, even when
# every case passed: a write into freed memory need not fail a case.
#   heap_checked.sh SCRATCH SECONDS TEST.exe [ARGS...]   (from TEST.exe's folder)
# SECONDS bounds the test's run, so that the script itself can still end
# its display and server (ctest's time-out would leave them behind).
#
# The programs get GlobalFlag 0xF0: tail and free checking, parameter checks
# and validation of the whole heap on every call. The run needs no turn on
# the display that the other Win32 tests share, so ctest runs it beside
# them: it has a prefix of its own (the project prefix's registry files and
# the flags, drive C shared), its own wineserver and its own Xvfb, and a copy
# of the test and the programs in SCRATCH/bin, where the tests write their
# files.
set -eu
scratch=$1
limit=$2
test=$3
shift 3
base=${WINEPREFIX:?the project prefix, as ./dev test sets it}
programs="lofter.exe kivlib.dll volley.exe volley_probe.exe aubade.exe nocturne.exe"
# Programs the tests start as targets; their heaps are not the suite's.
targets="close_target.exe openslow.exe"

rm -rf "$scratch"
mkdir -p "$scratch/prefix/dosdevices" "$scratch/bin"
cp "$test" "$scratch/bin/"
for file in $programs $targets; do cp "$file" "$scratch/bin/"; done
# The time stamp tells Wine that the prefix is up to date: no setup run.
cp "$base/system.reg" "$base/user.reg" "$base/userdef.reg" "$base/.update-timestamp" "$scratch/prefix/"
ln -s "$base/drive_c" "$scratch/prefix/dosdevices/c:"
ln -s / "$scratch/prefix/dosdevices/z:"
for exe in $programs; do
  case $exe in *.exe) ;; *) continue ;; esac
  printf '\n[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\Image File Execution Options\\\\%s] 1700000000\n"GlobalFlag"=dword:000000f0\n' \
    "$exe" >> "$scratch/prefix/system.reg"
done
# A program that crashes ends at once rather than behind Wine's crash dialog.
printf '\n[Software\\\\Wine\\\\WineDbg] 1700000000\n"ShowCrashDialog"=dword:00000000\n' >> "$scratch/prefix/user.reg"

export WINEPREFIX=$scratch/prefix
# Only the heap's errors are asked for; the programs print them on the
# standard error they inherit from the test.
export WINEDEBUG=-all,err+heap
xvfb=""
stop() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  xvfb=""
}
trap stop EXIT
trap 'exit 130' INT TERM
# Xvfb picks a free display itself and names it on descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$scratch/display")"

rc=0
cd "$scratch/bin"
timeout -k 5 "$limit" wine "$(basename "$test")" "$@" 2>"$scratch/stderr.log" || rc=$?
stop
cat "$scratch/stderr.log" >&2
if grep -q 'err:heap' "$scratch/stderr.log"; then
  echo "heap_checked: the programs reported heap errors (err:heap above)" >&2
  rc=1
fi
[ $rc -eq 0 ] && rm -rf "$scratch"
exit $rc
