#!/usr/bin/env bash
# Sets up, builds and starts Tansel under Wine, with a virtual display when
# there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANSEL_BUILD:-$root/build}
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
exe="$build/windows/Tansel.exe"
if [ ! -f "$exe" ]; then
  echo "Everything is built, but the program itself is not there yet: Tansel.exe" \
       "comes with the main window. The tests run with: bash scripts/test.sh"
  exit 0
fi
source "$root/scripts/wine-env.sh"
tansel_wine_prefix
tansel_display
if [ -n "$TANSEL_XVFB_PID" ]; then
  echo "No display: Tansel runs on the virtual display $DISPLAY (screenshot: import -display $DISPLAY -window root shot.png)."
fi
exec wine "$exe" "$@"
