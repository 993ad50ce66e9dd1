#!/usr/bin/env bash
# The release archive, built from the committed tree (`./dev dist`), and the
# folder that `./dev dist-check` runs it from.
#
#   dist.sh archive            -> dist/kivora-<version>-win32.zip
#   dist.sh check-folder ZIP DIR
#       unpacks ZIP into the empty DIR, checks its sums and imports and, on a
#       host whose Wine cannot run the i686 programs, replaces them with the
#       release64 build of the same commit (the archive's comment names it).
#       Prints which build DIR now holds.
set -euo pipefail
# A failed build inside $(...) stops the script too, not only the subshell.
shopt -s inherit_errexit
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/env.sh"

programs=(lofter.exe volley.exe aubade.exe nocturne.exe)
shipped=("${programs[@]}" kivlib.dll)
# In the archive's order: the README first, the sums of the rest last.
archived=(README.txt "${shipped[@]}" SHA256SUMS)
# What the programs may import besides kivlib.dll: Windows' own DLLs.
system_dlls="kernel32.dll user32.dll gdi32.dll shell32.dll comdlg32.dll advapi32.dll msvcrt.dll"

work=""
cleanup() { [ -n "$work" ] && rm -rf "$work"; }
trap cleanup EXIT

# Builds COMMIT with PRESET from a `git archive` export in a fresh folder
# below $work, so that nothing of the work tree (changes, build folders,
# untracked files) reaches the build. Prints the folder of the built files.
build_commit() {
  local preset=$1 commit=$2 src=$work/src-$1 out=$work/build-$1
  mkdir -p "$src"
  git -C "$root" archive "$commit" | tar -x -C "$src"
  cmake -S "$src" -B "$out" --preset "$preset" -G Ninja >/dev/null
  cmake --build "$out" -j"$(nproc)" >&2
  echo "$out/bin"
}

# Imports of each file: only Windows' own DLLs, and kivlib.dll for the
# programs (no runtime DLL of the compiler may be needed beside them).
check_imports() {
  local folder=$1 objdump=$2 file dll bad=0
  for file in "${shipped[@]}"; do
    local allowed=" $system_dlls "
    [[ $file == *.exe ]] && allowed+="kivlib.dll "
    local imports
    imports=$("$objdump" -p "$folder/$file" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort)
    for dll in $imports; do
      [[ $allowed == *" $dll "* ]] || { echo "dist: $file imports $dll" >&2; bad=1; }
    done
    echo "$file ($(basename "$objdump" | cut -d- -f1)) imports: $(echo $imports)"
  done
  return $bad
}

archive() {
  command -v i686-w64-mingw32-g++-posix >/dev/null || "$root/scripts/setup.sh"
  local commit version epoch name
  commit=$(git -C "$root" rev-parse HEAD)
  if [ -n "$(git -C "$root" status --porcelain --untracked-files=no)" ]; then
    echo "dist: warning: the work tree has uncommitted changes; the archive is built from" \
         "the commit $commit and leaves them out" >&2
  fi
  work=$(mktemp -d "${TMPDIR:-/tmp}/kivora-dist.XXXXXXXX")
  local bin
  bin=$(build_commit release "$commit")
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$work/build-release/CMakeCache.txt")
  [ -n "$version" ] || { echo "dist: the build names no version" >&2; exit 1; }
  # The commit's own time, not the clock's: the same for every run.
  epoch=$(git -C "$root" log -1 --format=%ct "$commit")

  local stage=$work/stage
  mkdir -p "$stage"
  local file
  for file in "${shipped[@]}"; do cp "$bin/$file" "$stage/"; done
  python3 "$root/scripts/dist.py" readme "$work/src-release/docs/release-readme.txt" "$stage/README.txt"
  (cd "$stage" && sha256sum README.txt "${shipped[@]}" > SHA256SUMS)

  # What would make two builds of one commit differ, or give away where it
  # was built.
  (cd "$stage" && python3 "$root/scripts/dist.py" pe-stamps "${shipped[@]}")
  if grep -l -a -e "$work" -e "$(basename "$work")" "${shipped[@]/#/$stage/}" >&2; then
    echo "dist: the files above hold the build folder's name" >&2
    exit 1
  fi
  echo "no build path ($work) in the binaries"
  check_imports "$stage" i686-w64-mingw32-objdump

  name=kivora-$version-win32.zip
  mkdir -p "$root/dist"
  python3 "$root/scripts/dist.py" zip "$root/dist/$name" "$stage" "$epoch" \
    "Kivora $version win32, commit $commit" "${archived[@]}"
  echo "sizes:"
  (cd "$stage" && stat -c '  %8s  %n' "${archived[@]}")
  echo "wrote dist/$name ($(stat -c %s "$root/dist/$name") bytes)"
  sha256sum "$root/dist/$name"
}

check_folder() {
  local zip=$1 dir=$2
  [ -z "$(ls -A "$dir")" ] || { echo "dist: $dir is not empty" >&2; exit 1; }
  python3 "$root/scripts/dist.py" unpack "$zip" "$dir"
  (cd "$dir" && sha256sum --quiet -c SHA256SUMS) || { echo "dist: SHA256SUMS do not match" >&2; exit 1; }
  echo "SHA256SUMS: every file matches" >&2
  local expected actual
  expected=$(printf '%s\n' "${archived[@]}" | sort)
  actual=$(ls -A "$dir" | sort)
  [ "$expected" = "$actual" ] || { echo "dist: the archive holds: $actual" >&2; exit 1; }
  check_imports "$dir" i686-w64-mingw32-objdump >&2

  if [ "$KIVORA_WINE_ARCH" = win32 ]; then
    echo "the archive's own i686 programs"
    return
  fi
  # Wine here runs 64-bit code only: the same commit's release64 build takes
  # the programs' place, laid out as the archive lays them out.
  local comment commit
  comment=$(python3 "$root/scripts/dist.py" comment "$zip")
  commit=${comment##* }
  git -C "$root" cat-file -e "$commit^{commit}" ||
    { echo "dist: the archive's commit $commit is not in this repository" >&2; exit 1; }
  work=$(mktemp -d "${TMPDIR:-/tmp}/kivora-dist64.XXXXXXXX")
  local bin file
  bin=$(build_commit release64 "$commit")
  for file in "${shipped[@]}"; do cp "$bin/$file" "$dir/"; done
  rm "$dir/SHA256SUMS"
  check_imports "$dir" x86_64-w64-mingw32-objdump >&2
  echo "the release64 (x86_64) build of commit ${commit:0:12}, in the archive's layout"
}

case "${1:-}" in
  archive) archive ;;
  check-folder) [ $# -eq 3 ] || { echo "usage: dist.sh check-folder ZIP DIR" >&2; exit 2; }
                check_folder "$2" "$3" ;;
  *) echo "usage: dist.sh archive | check-folder ZIP DIR" >&2; exit 2 ;;
esac
