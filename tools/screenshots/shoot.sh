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
    wine_stop host drv post Tansel 0x111 32780  # File, Exit: closing only hides
}

# Tansel.exe itself: the main window with each of its menus open, the tray
# menu, and the clip window at the cursor with bookmarked and ordinary rows.
app() {
    set_dpi "$1"
    wine_start app "$E2E_TANSEL" /n
    wait_for 30 drv find Tansel "{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}"
    local n=0 text
    for text in "tab"$'\t'"separated" "café crème" "routeTable" "Line one"$'\r\n'"Line two" "First copy"; do
        n=$((n + 1))
        drv set-text "$text" >/dev/null
        wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview Tansel --count | tr -d '\r')\" = $n ]"
    done
    drv activate Tansel >/dev/null
    drv listview-select Tansel 1 >/dev/null
    drv keys ctrl+f2 >/dev/null
    drv listview-select Tansel 3 >/dev/null
    drv keys ctrl+f2 >/dev/null
    local menu
    for menu in f e v h; do
        drv keys "alt+$menu" >/dev/null
        shot "main-menu-$menu"
        drv keys escape escape >/dev/null
    done
    xdotool mousemove 1266 1012 click 3
    shot tray-menu
    drv keys escape >/dev/null
    xdotool mousemove 700 500
    drv keys ctrl+alt+0 >/dev/null
    sleep 0.5
    shot clip-window
    drv keys escape >/dev/null
    drv post Tansel 0x111 32780 >/dev/null
}

# The settings' dialogs: the options, the hotkey edit dialog over them, the
# overwrite prompt, and the about box.
settings() {
    set_dpi "$1"
    wine_start app "$E2E_TANSEL" /n
    wait_for 30 drv find Tansel "{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}"
    drv activate Tansel >/dev/null
    drv keys alt+f o >/dev/null
    local options edit x y
    options=$(drv wait-window Options 10000 --visible | tr -d '\r')
    shot options
    read -r x y < <(drv listview-point Options 2 | tr -d '\r')
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 120 1
    edit=$(drv wait-window "Hotkey Edit" 10000 --visible | tr -d '\r')
    shot hotkey-edit
    drv set-control "$edit" 1015 --select A
    drv click "$edit" 1
    shot overwrite-prompt
    drv keys escape >/dev/null  # No
    drv click "$edit" 2
    drv wait-window "Hotkey Edit" 10000 --gone >/dev/null
    drv click "$options" 2
    drv wait-window Options 10000 --gone >/dev/null
    drv keys alt+h a >/dev/null
    drv wait-window "About Tansel" 10000 --visible >/dev/null
    shot about
    drv keys escape >/dev/null
    drv post Tansel 0x111 32780 >/dev/null
}

scenario_views_96() { views 96; }
scenario_views_144() { views 144; }
scenario_app_96() { app 96; }
scenario_app_144() { app 144; }
scenario_settings_96() { settings 96; }
scenario_settings_144() { settings 144; }

suites=("$@")
[ ${#suites[@]} -gt 0 ] || suites=(views app settings)
fns=()
for s in "${suites[@]}"; do fns+=("scenario_${s}_96" "scenario_${s}_144"); done
e2e_run_functions "${fns[@]}"
