#!/usr/bin/env bash
# The rings of the code, lowest first. A file may include its own ring and the
# rings below it, never one above: arrows point down only. The portable rings
# include no Win32 header. Prints each offending include; exits 1 on any.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Ring of a path inside the checkout; tests and benchmarks rank with the code
# they exercise.
rank() {
  case $1 in
    base/*) echo 0 ;;
    settings/win/*) echo 4 ;;
    settings/*) echo 1 ;;
    core/*) echo 2 ;;
    ui/* | resources/* | tests/support/*) echo 3 ;;
    views/*) echo 5 ;;
    frame/*) echo 6 ;;
    tools/* | bench/*) echo 7 ;;
    *) echo 9 ;;
  esac
}

bad=0
while IFS= read -r file; do
  r=$(rank "$file")
  while IFS= read -r target; do
    t=$(rank "$target")
    if [ "$t" -gt "$r" ]; then
      echo "$file includes $target, a ring above its own"
      bad=1
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z_]*\/[^"]*\)".*/\1/p' "$file")
  # A path that climbs out of its folder would hide its ring.
  if grep -qE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*\.\./' "$file"; then
    echo "$file includes a path with ..; name it from the checkout's root"
    bad=1
  fi
  if [ "$r" -le 2 ] && grep -qiE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(win[a-z0-9_]*|commctrl|commdlg|shellapi|shlobj|objbase|ole2|richedit|uxtheme)\.h>' "$file"; then
    echo "$file is portable but includes a Win32 header"
    bad=1
  fi
done < <(find base settings core ui resources views frame tools bench tests -name '*.h' -o -name '*.cpp' 2>/dev/null | sort)
[ "$bad" -eq 0 ] && echo "rings: every include points down"
exit "$bad"
