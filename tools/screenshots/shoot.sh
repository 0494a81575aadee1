#!/usr/bin/env bash
# Screenshots of what a person sees, at 96 and at 144 DPI, for a human to look
# at: bash tools/screenshots/shoot.sh [SUITE...] (default: every suite).
# Each suite runs the program's windows in a fresh Wine prefix under Xvfb, as
# the end-to-end scenarios do, drives them from outside and writes
# $TANSEL_BUILD/screens/<dpi>-<name>.png.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tests/e2e/harness.sh"
: "${E2E_CHAIN_HOST:=$TANSEL_BUILD/windows/tools/chain_host/chain_host.exe}"
SCREENS=${TANSEL_SCREENS:-$TANSEL_BUILD/screens}
mkdir -p "$SCREENS"

shot() {
    sleep 0.4  # menus fade in
    import -display "$DISPLAY" -window root "$SCREENS/$DPI-$1.png"
    e2e_log "screenshot $SCREENS/$DPI-$1.png"
}

set_dpi() {
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    DPI=$1
}

# The history view with rows of every kind, its popups, the item editor in
# both modes and the find dialog.
views() {
    set_dpi "$1"
    wine_start host "$E2E_CHAIN_HOST" --view --log "$(winpath "$E2E_DIR/host.log")"
    wait_log 30 "$E2E_DIR/host.log" '^ready '
    local view="Tansel" n=0 text
    local texts=("routeTable" "Line one"$'\r\n'"Line two" "café crème"
                 "$(printf 'long %.0s' $(seq 1 50))" $'tab\tseparated\ttext' "First copy")
    for text in "${texts[@]}"; do
        n=$((n + 1))
        drv set-text "$text" >/dev/null
        wait_log 10 "$E2E_DIR/host.log" "^capture [0-9]+ [0-9]+ $n " 1
    done
    drv activate "$view" >/dev/null
    drv listview-select "$view" 1 >/dev/null
    drv keys ctrl+f2 >/dev/null
    drv listview-select "$view" 3 >/dev/null
    drv keys ctrl+f2 >/dev/null
    drv listview-select "$view" 2 >/dev/null
    shot list
    drv keys alt+e >/dev/null
    shot edit-menu
    drv keys escape escape >/dev/null
    for rows in "" "2" "1 2 3"; do
        # shellcheck disable=SC2086
        drv listview-select "$view" $rows >/dev/null
        drv keys shift+f10 >/dev/null
        shot "popup-$(echo "${rows:-none}" | tr ' ' '-')"
        drv keys escape >/dev/null
    done
    drv listview-select "$view" 1 >/dev/null
    drv post "$view" 0x111 32808 >/dev/null  # Preview Item
    drv wait-window "Clip Item" 10000 --visible >/dev/null
    shot editor-preview
    drv keys escape >/dev/null
    drv wait-window "Clip Item" 10000 --gone >/dev/null
    drv keys ctrl+enter >/dev/null
    drv wait-window "Clip Item" 10000 --visible >/dev/null
    shot editor-edit
    drv keys escape >/dev/null
    drv wait-window "Clip Item" 10000 --gone >/dev/null
    drv keys ctrl+f >/dev/null
    drv wait-window "Find" 10000 --visible >/dev/null
    drv type "crème" >/dev/null
    shot find
    drv keys escape >/dev/null
    wine_stop host drv close Tansel
}

scenario_views_96() { views 96; }
scenario_views_144() { views 144; }

suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(views)
fns=()
for s in "${suites[@]}"; do fns+=("scenario_${s}_96" "scenario_${s}_144"); done
e2e_run_functions "${fns[@]}"
