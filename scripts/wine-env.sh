# Sourced: the environment every Wine run of the project uses.
# TANSEL_ROOT is the checkout; the prefix lives in the build tree so that a
# clean build also means a clean prefix.
: "${TANSEL_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}"
: "${TANSEL_BUILD:=$TANSEL_ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$TANSEL_BUILD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer prompts in a fresh prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win64

# Creates the prefix once; later calls return at once. Programs run in a
# Wine virtual desktop: on a bare X display without a window manager, Wine
# waits 2 s for every visible window that is hidden or destroyed, while in
# the desktop that costs nothing and focus and activation behave as on
# Windows.
tansel_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.tansel-desktop" ]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d tests /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v tests /d 1280x1024 /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.tansel-desktop"
  fi
}

# Starts Xvfb on a free display when there is no display; sets DISPLAY and
# TANSEL_XVFB_PID (empty when an existing display is used).
tansel_display() {
  TANSEL_XVFB_PID=
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    TANSEL_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.05
    done
    kill "$TANSEL_XVFB_PID" 2>/dev/null || true
  done
  echo "no display could be started" >&2
  return 1
}
