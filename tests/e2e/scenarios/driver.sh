# Scenarios that prove the harness and tdriver against each other and
# against Wine's clipboard, viewer chain, hotkeys and list views, with
# tdriver's own viewer window standing in for the program under test.

# start_viewer NAME [viewer options]: starts a viewer logging to
# $E2E_DIR/NAME.log, stoppable through the event e2e-NAME; waits until it
# has joined.
start_viewer() {
    local name=$1
    shift
    wine_start "$name" "$E2E_TDRIVER" viewer --log "$(winpath "$E2E_DIR/$name.log")" \
        --stop-event "e2e-$name" "$@"
    wait_log 30 "$E2E_DIR/$name.log" '^ready '
}

# stop_viewer NAME: the graceful way out, which must leave the chain when
# the viewer had joined it.
stop_viewer() {
    wine_stop "$1" drv signal "e2e-$1"
    if grep -q '^join-draw ' "$E2E_DIR/$1.log"; then
        grep -q '^left ' "$E2E_DIR/$1.log" || fail "$1 did not leave the chain"
    fi
}

# viewer_field NAME KIND KEY: the KEY=value of the first KIND line of a log.
viewer_field() {
    awk -v kind="$2" -v key="$3" '$1 == kind {
        for (i = 4; i <= NF; i++) if (index($i, key "=") == 1) { print substr($i, length(key) + 2); exit }
    }' "$E2E_DIR/$1.log"
}

# stamps NAME KIND: the Unix-microsecond stamps of the KIND lines, one a line.
stamps() { awk -v kind="$2" '$1 == kind { print $2 }' "$E2E_DIR/$1.log"; }

xpaste_is() { [ "$(xpaste)" = "$1" ]; }
x_offers() { xpaste TARGETS | grep -qx "$1"; }

# expect_rc CODE CMD...: CMD must exit with CODE.
expect_rc() {
    local want=$1 rc=0
    shift
    "$@" >/dev/null 2>&1 || rc=$?
    expect_eq "$rc" "$want" "exit code of: $*"
}

scenario_x_copy_reaches_viewers_and_clipboard() {
    start_viewer first
    start_viewer second  # joins last: the head of the chain, forwards to first
    expect_eq "$(viewer_field second ready next)" "$(viewer_field first ready hwnd)" \
        "the second viewer's next viewer"
    grep -q '^join-draw ' "$E2E_DIR/second.log" || fail "no notice while joining"

    # What an X client copies, and what a Win32 program reads: Wine turns
    # line feeds into CR LF.
    local texts=("plain ascii" "café crème" $'two\nlines' $'tab\there' "日本語" "emoji 😀 pair")
    local i=0 text
    for text in "${texts[@]}"; do
        i=$((i + 1))
        xcopy "$text"
        wait_log 20 "$E2E_DIR/first.log" '^draw ' "$i"
        wait_log 20 "$E2E_DIR/second.log" '^draw ' "$i"
        expect_eq "$(drv get-text)" "${text//$'\n'/$'\r\n'}" "text of copy $i"
    done
    # One notice per copy, no more.
    expect_eq "$(stamps first draw | wc -l)" "${#texts[@]}" "notices in the first viewer"
    expect_eq "$(stamps second draw | wc -l)" "${#texts[@]}" "notices in the second viewer"
    # The head hears each change first and passes it on synchronously.
    paste <(stamps second draw) <(stamps first draw) | while read -r head next; do
        [ "$head" -le "$next" ] || fail "the forwarded notice came before the head's ($head > $next)"
    done
    stop_viewer second
    stop_viewer first
    expect_eq "$(drv chain-head)" "0x0" "chain head after both left"
}

scenario_win_text_reaches_x() {
    local texts=("from wine" "ünïcödé" $'line one\r\nline two' "한국어 text")
    local text
    for text in "${texts[@]}"; do
        drv set-text "$text"
        # X gets line feeds only.
        wait_for 20 xpaste_is "${text//$'\r\n'/$'\n'}"
    done

    # ANSI text only: the bytes are in code page 1252, the Unicode form and
    # the X side are the system's conversions.
    drv set-ansi "café"
    expect_eq "$(drv get-ansi --hex)" "636166E9" "CF_TEXT bytes"
    expect_eq "$(drv get-text)" "café" "Unicode text made from CF_TEXT"
    wait_for 20 xpaste_is "café"
    expect_rc 1 drv set-ansi "日本"  # not in code page 1252: refused, not mangled
}

scenario_images_and_empty_text() {
    start_viewer v
    local n=0 as
    for as in dib bitmap; do
        drv set-bitmap 32 16 --as "$as"
        n=$((n + 1))
        wait_log 20 "$E2E_DIR/v.log" '^draw ' "$n"
        local formats
        formats=$(drv formats)
        grep -qE '^(2|8) ' <<<"$formats" || fail "no bitmap format offered (--as $as): $formats"
        ! grep -qE '^(1|7|13) ' <<<"$formats" || fail "an image offers text (--as $as): $formats"
        expect_rc 3 drv get-text
        expect_rc 3 drv get-ansi
    done
    # X clients see an image and no text.
    wait_for 20 x_offers image/bmp
    x_offers UTF8_STRING && fail "X offers text for an image"

    drv set-empty-text
    wait_log 20 "$E2E_DIR/v.log" '^draw ' 3
    expect_eq "$(drv get-text --size)" "0 2" "empty text: units and block bytes"
    drv clear
    wait_log 20 "$E2E_DIR/v.log" '^draw ' 4
    expect_rc 3 drv get-text
    expect_eq "$(drv formats)" "" "formats of an empty clipboard"
    stop_viewer v
}

scenario_chain_leave_and_repair() {
    start_viewer a
    start_viewer b
    start_viewer c
    local ha hb hc
    ha=$(viewer_field a ready hwnd)
    hb=$(viewer_field b ready hwnd)
    hc=$(viewer_field c ready hwnd)
    expect_eq "$(drv chain-head)" "$hc" "head with a, b, c"

    # The middle one leaves: the head repairs its link from b to a.
    stop_viewer b
    wait_log 20 "$E2E_DIR/c.log" "^chain .* removed=$hb next=$ha\$"
    xcopy "after b left"
    wait_log 20 "$E2E_DIR/a.log" '^draw ' 1
    wait_log 20 "$E2E_DIR/c.log" '^draw ' 1

    # The head leaves: a is the whole chain.
    stop_viewer c
    expect_eq "$(drv chain-head)" "$ha" "head after c left"
    drv set-text "after c left"
    wait_log 20 "$E2E_DIR/a.log" '^draw ' 2
    stop_viewer a
    expect_eq "$(drv chain-head)" "0x0" "head after all left"
    expect_eq "$(stamps b draw | wc -l)" 0 "notices b got after leaving"
    expect_eq "$(stamps c draw | wc -l)" 1 "notices c got"
}

scenario_hotkeys_from_injected_keys() {
    start_viewer hk --no-chain --hotkey ctrl+alt+a --hotkey ctrl+alt+numpad* --hotkey shift+f2
    grep -q '^hotkey-failed' "$E2E_DIR/hk.log" && fail "a hotkey did not register"
    # Unregistered keys between the hotkeys: a modifier left down would turn
    # a plain f2 into shift+f2 and show as an extra line. The last hotkey
    # comes after every other key, so when it arrives all were handled.
    drv keys ctrl+alt+a f2 shift+f2 f2 ctrl+alt+numpad* f2 a ctrl+alt+a
    wait_log 20 "$E2E_DIR/hk.log" '^hotkey ' 4
    expect_eq "$(awk '$1 == "hotkey" { print $5 }' "$E2E_DIR/hk.log" | paste -sd' ')" \
        "ctrl+alt+a shift+f2 ctrl+alt+numpad* ctrl+alt+a" "hotkeys seen"

    local bad
    for bad in "ctrl+" "nosuchkey" "f25" "ctrl+alt+" "shift+é"; do
        expect_rc 2 drv keys "$bad"
    done
    stop_viewer hk
}

# The selected/focused column of the fixture's rows, on one line.
fixture_states() { drv listview "List Fixture" --state | cut -f1 | paste -sd' '; }
fixture_states_are() { [ "$(fixture_states)" = "$1" ]; }

scenario_listview_rows_state_and_watch() {
    start_viewer lv --list --title "List Fixture"
    wine_start watch "$E2E_TDRIVER" watch-listview "List Fixture" \
        --log "$(winpath "$E2E_DIR/watch.log")" --stop-event e2e-watch
    wait_log 20 "$E2E_DIR/watch.log" '^initial .* rows=0 row0=$'

    local texts=("alpha" "beta" $'tab\tinside') i=0 text
    for text in "${texts[@]}"; do
        i=$((i + 1))
        drv set-text "$text"
        wait_log 20 "$E2E_DIR/lv.log" '^draw ' "$i"
        wait_log 20 "$E2E_DIR/watch.log" "^change .* rows=$i "
    done
    expect_eq "$(drv listview "List Fixture" --header --state)" \
        "$(printf 'state\tText\tLength\n--\ttab inside\t10\n--\tbeta\t4\n--\talpha\t5')" "rows"
    expect_eq "$(drv listview "List Fixture" --count)" 3 "row count"
    expect_eq "$(awk '$1 == "change" { sub(/^[^ ]+ [^ ]+ [^ ]+ /, ""); print }' "$E2E_DIR/watch.log")" \
        "$(printf 'rows=1 row0=alpha\nrows=2 row0=beta\nrows=3 row0=tab inside')" "watched changes"

    drv listview-select "List Fixture" 1
    expect_eq "$(fixture_states)" "-- SF --" "state after selecting row 1"
    # Keys reach the focused list of the foreground window.
    drv activate "List Fixture"
    drv keys down
    wait_for 20 fixture_states_are "-- -- SF"
    screenshot listview
    expect_rc 1 drv listview-select "List Fixture" 3

    wine_stop watch drv signal e2e-watch
    grep -q '^end ' "$E2E_DIR/watch.log" || fail "the watcher did not end cleanly"
    stop_viewer lv
}

scenario_find_wait_and_messages() {
    local child="{0D5C7F3E-1A2B-4C3D-9E8F-A1B2C3D4E5F6}"
    start_viewer f --title "Finder" --child "$child"
    local h
    h=$(viewer_field f ready hwnd)
    expect_eq "$(drv find Finder)" "$h" "find by title"
    expect_eq "$(drv find Finder "$child")" "$h" "find by title and child"
    expect_eq "$(drv wait-window Finder "$child" 5000)" "$h" "wait-window"
    expect_rc 1 drv find Finder "{no such child}"
    expect_rc 1 drv find Find  # titles match exactly
    expect_rc 1 drv find --visible Finder  # the viewer stays hidden
    expect_rc 4 drv wait-window "No Such Window" 300
    expect_eq "$(drv info Finder | awk '$1 == "visible" { print $2 }')" 0 "visible"
    expect_eq "$(drv send Finder WM_GETTEXTLENGTH)" 6 "WM_GETTEXTLENGTH result"
    expect_eq "$(drv send "$h" 0x000E)" 6 "the same message by number and handle"

    drv close Finder
    drv wait-window --gone Finder 10000
    wait_log 20 "$E2E_DIR/f.log" '^left '
    expect_eq "$(drv chain-head)" "0x0" "chain head after closing"
    expect_rc 1 drv send "$h" WM_NULL
}

scenario_held_clipboard_and_big_texts() {
    # A holder keeps the clipboard open; the driver keeps trying meanwhile.
    wine_start holder "$E2E_TDRIVER" hold-clipboard 1500
    wait_for 20 grep -q held "$E2E_DIR/holder.out"
    drv set-text "after the hold"
    expect_eq "$(drv get-text)" "after the hold" "text set while the clipboard was held"

    # Text sizes and block sizes, as a capture limit sees them.
    local cases=(
        "set-text-fill 2499999 --block 5000000|2499999 5000000"
        "set-text-fill 2500000|2500000 5000002"
        "set-text abc --block 100|3 100"
        "set-text abc|3 8"
    )
    local c
    for c in "${cases[@]}"; do
        # shellcheck disable=SC2086
        drv ${c%%|*}
        expect_eq "$(drv get-text --size)" "${c#*|}" "units and bytes after: ${c%%|*}"
    done

    # A big multi-byte text through a file, back byte for byte.
    local file=$E2E_DIR/big.txt
    awk 'BEGIN { for (i = 0; i < 20000; i++) printf "line %d: é 日本 😀\n", i }' >"$file"
    drv set-text-file "$(winpath "$file")"
    drv get-text >"$E2E_DIR/big.back"
    cmp "$file" "$E2E_DIR/big.back" || fail "the big text came back changed"
    rm -f "$file" "$E2E_DIR/big.back"
}

scenario_registry_reads_live_values() {
    local key='HKCU\Software\TanselE2E'
    wine reg add "$key" /v Count /t REG_DWORD /d 42 /f >/dev/null
    wine reg add "$key" /v "Two Words" /d "a value  with  spaces" /f >/dev/null
    wine reg add "$key\\Sub" /v Empty /d "" /f >/dev/null
    # Read back at once: user.reg is written only later.
    expect_eq "$(reg_query "$key" Count)" 0x2a "REG_DWORD"
    expect_eq "$(reg_query "$key" "Two Words")" "a value  with  spaces" "REG_SZ with spaces"
    expect_eq "$(reg_query "$key\\Sub" Empty)" "" "empty REG_SZ"
    reg_query "$key" Missing >/dev/null && fail "a missing value was found"
    reg_query "$key\\NoSuchKey" Count >/dev/null && fail "a value of a missing key was found"
    reg_query "$key" | grep -q 'Sub' || fail "the key listing lacks its subkey"
}

scenario_dialog_controls_and_a_library_without_its_version_record() {
    # Notepad's Find dialog: an edit, check boxes and buttons by their ids.
    wine_start notepad notepad
    wait_for 20 drv find "Untitled - Notepad"
    drv activate "Untitled - Notepad" >/dev/null
    drv keys ctrl+f >/dev/null
    local find
    find=$(drv wait-window Find 10000 --visible | tr -d '\r')
    drv set-control "$find" 1152 --text "needle"
    expect_eq "$(drv control "$find" 1152 | tr -d '\r')" needle "the edit's text"
    drv set-control "$find" 1041 --check 1
    expect_eq "$(drv control "$find" 1041 --checked | tr -d '\r')" 1 "the box ticked"
    drv set-control "$find" 1041 --check 0
    expect_eq "$(drv control "$find" 1041 --checked | tr -d '\r')" 0 "the box cleared"
    drv set-control "$find" 9999 --text x 2>/dev/null && fail "a control that does not exist was set"
    drv click "$find" 2  # Cancel
    wait_for 10 bash -c "! wine '$E2E_TDRIVER' info $find >/dev/null 2>&1"
    wine_stop notepad
    # A library with a version record loses it in the copy: stripping the
    # copy again finds none.
    local copy="$E2E_DIR/kernel32-without-version.dll"
    drv strip-version 'C:\windows\system32\kernel32.dll' "$(winpath "$copy")"
    drv strip-version "$(winpath "$copy")" "$(winpath "$E2E_DIR/again.dll")" 2>"$E2E_DIR/again.err" &&
        fail "the copy still has a version record"
    grep -q 'has no version record' "$E2E_DIR/again.err" || fail "the copy was refused for another reason"
    drv strip-version 'C:\windows\system32\kernel32.dll' "$(winpath "$E2E_DIR/again.dll")"
}
