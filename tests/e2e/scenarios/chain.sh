# The main frame and the history in the real viewer chain, driven from
# outside: chain_host runs them as the program does and logs each capture;
# tdriver's viewer stands beside it in the chain.

: "${E2E_CHAIN_HOST:=$TANSEL_BUILD/windows/tools/chain_host/chain_host.exe}"

start_host() {
    wine_start host "$E2E_CHAIN_HOST" --log "$(winpath "$E2E_DIR/host.log")"
    wait_log 30 "$E2E_DIR/host.log" '^ready '
}

start_viewer() {
    wine_start "$1" "$E2E_TDRIVER" viewer --log "$(winpath "$E2E_DIR/$1.log")" --stop-event "e2e-$1"
    wait_log 30 "$E2E_DIR/$1.log" '^ready '
}

# Closing the frame only hides it; the program ends by its Exit command.
stop_host() { wine_stop host drv post Tansel 0x111 32780; }  # WM_COMMAND, ID_FILE_EXIT
captures() { grep -c '^capture ' "$E2E_DIR/host.log" || true; }

scenario_x_copies_reach_the_capture_and_nothing_at_start() {
    xcopy "on the clipboard before the start"
    wait_for 10 drv wait-text "on the clipboard before the start" 5000
    start_host
    # The frame joined with that text on the clipboard: nothing captured.
    sleep 0.5
    expect_eq "$(captures)" 0 "captures after the start"

    local texts=("first copy" "café crème" "日本語") i=0 text
    for text in "${texts[@]}"; do
        i=$((i + 1))
        xcopy "$text"
        wait_log 20 "$E2E_DIR/host.log" "^capture [0-9]+ [0-9]+ $i " 1
    done
    expect_eq "$(awk '$1 == "capture" { $1 = $2 = $3 = $4 = ""; sub(/^ +/, ""); print }' "$E2E_DIR/host.log" | tail -1)" \
        "日本語" "the newest item"
    # The frame's own window is what a second start looks for.
    drv find Tansel "{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}" >/dev/null || fail "no identity child"
    stop_host
}

scenario_next_viewer_hears_before_the_capture() {
    start_viewer next
    start_host  # joins last: the head, with the viewer as its next
    local joins_before
    joins_before=$(grep -c '^draw ' "$E2E_DIR/next.log" || true)
    xcopy "ordered"
    wait_log 20 "$E2E_DIR/host.log" '^capture .* ordered$'
    wait_log 20 "$E2E_DIR/next.log" '^draw ' $((joins_before + 1))
    local t_draw t_capture
    t_draw=$(awk '$1 == "draw" { t = $2 } END { print t }' "$E2E_DIR/next.log")
    t_capture=$(awk '$1 == "capture" { t = $2 } END { print t }' "$E2E_DIR/host.log")
    [ "$t_draw" -le "$t_capture" ] || fail "the next viewer heard at $t_draw, after the capture at $t_capture"
    expect_eq "$joins_before" 0 "notices forwarded while the frame joined"

    # A rejoin (the hotkey command's message) forwards nothing and adds nothing.
    drv send Tansel 0x4CA >/dev/null
    sleep 0.5
    expect_eq "$(grep -c '^draw ' "$E2E_DIR/next.log")" 1 "notices after the rejoin"
    expect_eq "$(captures)" 1 "captures after the rejoin"
    stop_host
    # The frame left the chain: the viewer is the head again and still hears.
    xcopy "after the frame left"
    wait_log 20 "$E2E_DIR/next.log" '^draw ' 2
    wine_stop next drv signal e2e-next
}

scenario_leaving_member_is_replaced_by_its_follower() {
    start_viewer follower
    start_viewer leaving
    start_host  # host -> leaving -> follower
    local leaving_hwnd
    leaving_hwnd=$(awk '$1 == "ready" { for (i = 4; i <= NF; i++) if ($i ~ /^hwnd=/) print substr($i, 6) }' \
        "$E2E_DIR/leaving.log")
    wine_stop leaving drv signal e2e-leaving
    # The frame repaired its link and passed the notice on to the follower.
    wait_log 20 "$E2E_DIR/follower.log" "^chain .*removed=$leaving_hwnd "
    xcopy "after repair"
    wait_log 20 "$E2E_DIR/host.log" '^capture .* after repair$'
    wait_log 20 "$E2E_DIR/follower.log" '^draw ' 1
    stop_host
    wine_stop follower drv signal e2e-follower
}

# The history view in chain_host's window, used from outside as a person
# would: copies show as rows, keys typed into the focused list run the
# commands, and their own clipboard writes come back as rows.
scenario_view_rows_and_keys_from_outside() {
    wine_start host "$E2E_CHAIN_HOST" --view --log "$(winpath "$E2E_DIR/host.log")"
    wait_log 30 "$E2E_DIR/host.log" '^ready '
    local view="Tansel"
    xcopy "routeTable"
    wait_log 20 "$E2E_DIR/host.log" '^capture .* routeTable$'
    xcopy $'two\tcolumns'
    wait_log 20 "$E2E_DIR/host.log" '^capture [0-9]+ [0-9]+ 2 '
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview '$view' --count | tr -d '\r')\" = 2 ]"
    expect_eq "$(drv listview "$view" | tr -d '\r' | cut -f3 | head -1)" "two<TAB>columns" "row 1's text"

    drv activate "$view" >/dev/null
    drv listview-select "$view" 1 >/dev/null
    # Ctrl+Shift+D: Smart Convert to ID of the one selected row, onto the clipboard
    # and back as a new row.
    drv keys ctrl+shift+d >/dev/null
    wait_log 20 "$E2E_DIR/host.log" '^capture .* ROUTE_TABLE$'
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview '$view' --count | tr -d '\r')\" = 3 ]"
    # Enter activates the selected row: its text goes on the clipboard, no row is added.
    drv listview-select "$view" 2 >/dev/null
    drv keys enter >/dev/null
    wait_for 10 drv wait-text "routeTable" 2000
    # The row moves to the top, and no row is added for the activation.
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview '$view' | tr -d '\r' | cut -f3 | head -1)\" = routeTable ]"
    expect_eq "$(drv listview "$view" --count | tr -d '\r')" 3 "rows after the activation"
    stop_host
}
