#!/usr/bin/env bash
# Sets up, builds and starts Tansel under Wine, with a virtual display when
# there is none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANSEL_BUILD:-$root/build}
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
exe="$build/windows/Tansel.exe"
source "$root/scripts/wine-env.sh"
tansel_wine_prefix
tansel_display
echo "Tansel runs hidden in the tray of Wine's desktop window (on $DISPLAY)."
if [ -n "$TANSEL_XVFB_PID" ]; then
  echo "That is a virtual display: see it with  import -display $DISPLAY -window root shot.png"
fi
echo "Ctrl+Alt+A shows the main window, Ctrl+Alt+0 the clip window at the mouse;"
echo "'bash scripts/run.sh /n' starts with the main window shown. Copy text anywhere"
echo "in Wine (or with xclip on $DISPLAY) and it appears in the history."
exec wine "$exe" "$@"
