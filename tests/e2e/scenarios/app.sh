# The real Tansel.exe in a fresh prefix, driven only from outside: xclip and
# tdriver copies, hotkeys injected with SendInput, the tray icon clicked with
# xdotool, the windows and rows read across processes, the registry read live.

GUID="{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}"
KEY='HKCU\Software\Orvelle\Tansel'

start_tansel() {
    wine_start "${1:-app}" "$E2E_TANSEL" "${@:2}"
    wait_for 30 drv find Tansel "$GUID"
}
shown() { drv find Tansel "$GUID" --visible >/dev/null 2>&1; }
rows() { drv listview Tansel | tr -d '\r' | cut -f3; }
row_count() { drv listview Tansel --count | tr -d '\r'; }
wait_rows() { wait_for 20 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview Tansel --count | tr -d '\r')\" = $1 ]"; }
# Copies from another Wine program, one after the other.
copy() {
    local n
    n=$(row_count)
    drv set-text "$1" >/dev/null
    wait_rows $((n + 1))
}
# The tray is at the right end of the virtual desktop's task bar.
click_tray() { xdotool mousemove 1266 1012 click "${1:-1}"; }
exit_tansel() {
    drv post Tansel 0x111 32780 >/dev/null  # File, Exit
    local pid=${E2E_PID[${1:-app}]}
    wait_for 20 bash -c "! kill -0 $pid 2>/dev/null"
    unset "E2E_PID[${1:-app}]"
}

scenario_first_start_hidden_in_the_tray_and_a_second_start_toggles() {
    start_tansel
    shown && fail "the main window is shown at the start"
    expect_eq "$(reg_query "$KEY" FirstRun)" 0x0 "FirstRun after the first start"
    expect_eq "$(reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Tansel)" \
        "\"$(winpath "$(readlink -f "$E2E_TANSEL")" | sed 's|/|\\|g')\"" "the logon entry"
    screenshot first-start
    # The tray icon: a press shows the window, another hides it.
    click_tray
    wait_for 10 shown
    sleep 0.6  # past the double-click time: a second press, not a double click
    click_tray
    wait_for 10 bash -c "! wine '$E2E_TDRIVER' find Tansel '$GUID' --visible"
    # A second start toggles the first one's window and ends at once.
    wine_start second "$E2E_TANSEL"
    wait_for 20 bash -c "! kill -0 ${E2E_PID[second]} 2>/dev/null"
    wait_for 10 shown
    expect_eq "$(drv find Tansel "$GUID" --all | wc -l)" 1 "main windows"
    wine_start third "$E2E_TANSEL"
    wait_for 20 bash -c "! kill -0 ${E2E_PID[third]} 2>/dev/null"
    wait_for 10 bash -c "! wine '$E2E_TDRIVER' find Tansel '$GUID' --visible"
    # A user who switched the logon entry off keeps it off at the next start.
    wine reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tansel /f >/dev/null 2>&1
    exit_tansel
    start_tansel
    reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Tansel >/dev/null &&
        fail "the logon entry came back"
    exit_tansel
}

scenario_copies_become_rows_and_the_default_hotkeys_work() {
    start_tansel app /n
    wait_for 10 shown
    xcopy "from an X client"
    wait_rows 1
    copy "abc"
    expect_eq "$(rows | head -2 | tr '\n' '|')" "abc|from an X client|" "rows after two copies"
    # Uppercase First Item has no default; the Smart conversions do.
    drv keys ctrl+alt+numpad- >/dev/null  # Smart Convert to ID First Item
    wait_rows 3
    expect_eq "$(drv get-text)" "ABC" "the clipboard after Smart Convert to ID"
    copy "ROUTE_TABLE"
    drv keys ctrl+alt+numpad+ >/dev/null  # Smart Convert from ID First Item
    wait_rows 5
    expect_eq "$(rows | head -1)" "RouteTable" "row 1 after Smart Convert from ID"
    drv keys ctrl+alt+numpad* >/dev/null  # Smart Make Object First Item
    wait_rows 6
    expect_eq "$(drv get-text)" "oouteTable" "the clipboard after Smart Make Object"
    # Revert First Items: the second item to the top, no row added.
    drv keys ctrl+alt+9 >/dev/null
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' get-text)\" = RouteTable ]"
    expect_eq "$(rows | head -2 | tr '\n' '|')" "RouteTable|oouteTable|" "rows after Revert First Items"
    expect_eq "$(row_count)" 6 "rows after Revert First Items"
    # Bookmark the first item, copy two more, then Activate First Bookmark.
    drv keys ctrl+alt+3 >/dev/null
    copy "later one"
    copy "later two"
    drv keys ctrl+alt+6 >/dev/null
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' get-text)\" = RouteTable ]"
    expect_eq "$(rows | head -1)" "RouteTable" "the bookmarked item on top"
    expect_eq "$(row_count)" 8 "rows after Activate First Bookmark"
    # Show Main Window toggles on the program's own record: the window was
    # left on screen by /n, so the first press shows (raises) it, the second
    # hides it.
    drv keys ctrl+alt+a >/dev/null
    wait_for 10 bash -c "wine '$E2E_TDRIVER' foreground | tr -d '\r' | awk -F'\t' '\$2 == \"Tansel\" { f = 1 } END { exit !f }'"
    shown || fail "the first press hid the window"
    drv keys ctrl+alt+a >/dev/null
    wait_for 10 bash -c "! wine '$E2E_TDRIVER' find Tansel '$GUID' --visible"
    drv keys ctrl+alt+a >/dev/null
    wait_for 10 shown
    exit_tansel
}

# The window in front, when it is a dialog (the clip window) of Tansel's.
tansel_dialog_in_front() {
    local fg
    fg=$(drv foreground | tr -d '\r' | cut -f1)
    [ -n "$fg" ] || return 1
    local info
    info=$(drv info "$fg" | tr -d '\r') || return 1
    grep -qx 'class #32770' <<<"$info" && grep -qx 'visible 1' <<<"$info" || return 1
    [ "$(awk '$1 == "pid" { print $2 }' <<<"$info")" = \
      "$(drv info Tansel | tr -d '\r' | awk '$1 == "pid" { print $2 }')" ] || return 1
    echo "$fg"
}

# Presses the clip window's hotkey and prints the clip window's handle once
# it is shown in front.
open_clip_window() {
    drv keys ctrl+alt+0 >/dev/null
    wait_for 10 tansel_dialog_in_front >/dev/null
    tansel_dialog_in_front
}

scenario_clip_window_at_the_cursor_enter_activates_and_closes() {
    start_tansel
    copy "first"
    copy "second"
    copy "third"
    xdotool mousemove 500 400
    local clip
    clip=$(open_clip_window)
    expect_eq "$(drv info "$clip" | tr -d '\r' | awk '$1 == "rect" { print $2, $3 }')" "500 400" "the clip window's corner"
    expect_eq "$(drv info "$clip" | tr -d '\r' | awk '$1 == "topmost" { print $2 }')" 1 "topmost"
    screenshot clip-window
    # Down to the second row, Enter: it goes to the clipboard and the window closes.
    drv keys down enter >/dev/null
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' get-text)\" = second ]"
    wait_for 10 bash -c "! wine '$E2E_TDRIVER' info $clip >/dev/null 2>&1"
    expect_eq "$(rows | tr '\n' '|')" "second|third|first|" "rows after the activation"
    # The hotkey twice: open, then closed again.
    clip=$(open_clip_window)
    drv keys ctrl+alt+0 >/dev/null
    wait_for 10 bash -c "! wine '$E2E_TDRIVER' info $clip >/dev/null 2>&1"
    exit_tansel
}

scenario_exit_saves_the_placement_and_a_restart_starts_empty() {
    start_tansel app /n
    copy "gone after the restart"
    drv post Tansel 0x111 32781 >/dev/null  # View, Enable Docking: off
    drv move Tansel 100 80 400 500 >/dev/null
    exit_tansel
    expect_eq "$(reg_query "$KEY\\MainWindow" Left)" 0x64 "stored left (100)"
    expect_eq "$(reg_query "$KEY\\MainWindow" Top)" 0x50 "stored top (80)"
    expect_eq "$(reg_query "$KEY\\MainWindow" Width)" 0x190 "stored width (400)"
    expect_eq "$(reg_query "$KEY\\MainWindow" Height)" 0x1f4 "stored height (500)"
    expect_eq "$(reg_query "$KEY\\MainWindow" DockingEnabled)" 0x0 "stored docking switch"
    start_tansel
    expect_eq "$(row_count)" 0 "rows after a restart"
    exit_tansel
}

notepad_text() { drv text 'Untitled - Notepad' Edit | tr -d '\r'; }
notepad_holds() { [ "$(notepad_text)" = "$1" ]; }

# Pastes the newest item from the clip window into Wine's notepad, which
# must be running; the text is added to what the notepad holds.
paste_into_notepad() {
    # Wine hands the foreground back to the notepad (another process) a
    # little after the clip window is gone, and the paste's keys, sent at
    # once as they must be, are now and then lost on the way: each attempt
    # is logged, and three lost in a row fail.
    local attempt before pasted=0
    for attempt in 1 2 3; do
        before=$(notepad_text)
        drv activate "Untitled - Notepad" >/dev/null
        wait_for 10 bash -c "wine '$E2E_TDRIVER' foreground | grep -q 'Notepad'"
        # Enter only once the clip window is in front: pressed earlier, it
        # would reach the notepad.
        open_clip_window >/dev/null
        drv keys enter >/dev/null
        if poll 5 notepad_holds "${before}$1"; then
            pasted=1
            break
        fi
        e2e_log "attempt $attempt: the paste did not arrive; the notepad holds [$(notepad_text)]," \
            "in front: $(drv foreground | tr -d '\r'), on the clipboard: [$(drv get-text | tr -d '\r')]"
    done
    [ $pasted -eq 1 ] || fail "three pastes in a row did not arrive"
}

scenario_the_clip_window_pastes_into_the_window_in_front() {
    wine reg add "$KEY\\Options" /v DoPaste /t REG_DWORD /d 1 /f >/dev/null 2>&1
    start_tansel
    copy "pasted by Tansel"
    wine_start notepad notepad
    wait_for 20 drv find "Untitled - Notepad"
    paste_into_notepad "pasted by Tansel"
    screenshot pasted
    wine_stop notepad
    exit_tansel
}

# --- The settings' dialogs, reached as a user reaches them -----------------

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# The main window in front, by its hotkey when it is hidden.
main_window_in_front() {
    shown || drv keys ctrl+alt+a >/dev/null
    wait_for 10 bash -c "wine '$E2E_TDRIVER' foreground | tr -d '\r' | awk -F'\t' '\$2 == \"Tansel\" { f = 1 } END { exit !f }'"
}
# A dialog of the given title, shown; prints its handle.
wait_dialog() { drv wait-window "$1" 10000 --visible | tr -d '\r'; }
gone() { wait_for 10 bash -c "! wine '$E2E_TDRIVER' info $1 >/dev/null 2>&1"; }
control() { drv control "$@" | tr -d '\r'; }
options_from_file_menu() {
    main_window_in_front
    drv keys alt+f o >/dev/null
    wait_dialog Options
}
options_from_tray_menu() {
    click_tray 3
    drv wait-menu >/dev/null
    drv keys o >/dev/null
    wait_dialog Options
}
# The hotkey list's row: "<name>\t<hotkey>".
option_row() { drv listview Options | tr -d '\r' | sed -n "$(($1 + 1))p"; }
# The list is filled again once the hotkey edit dialog's run has returned,
# a moment after its window is gone.
wait_option_row() {
    poll 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview Options | tr -d '\r' | sed -n '$(($1 + 1))p')\" = '$2' ]" ||
        expect_eq "$(option_row "$1")" "$2" "row $1 of the hotkey list"
}
# Double-clicks a row of the hotkey list with the mouse; prints the hotkey
# edit dialog's handle.
edit_hotkey_row() {
    local x y
    read -r x y < <(drv listview-point Options "$1" | tr -d '\r')
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 120 1
    wait_dialog "Hotkey Edit"
}
# Tansel's message box in front; prints its handle.
tansel_box_in_front() {
    local fg
    fg=$(drv foreground | tr -d '\r')
    [ "$(cut -f2 <<<"$fg")" = Tansel ] || return 1
    drv info "$(cut -f1 <<<"$fg")" | tr -d '\r' | grep -qx 'class #32770' || return 1
    cut -f1 <<<"$fg"
}
# Whether any program holds the combination (the driver tries to take it);
# hotkey_free only for a clean timeout, never for a failing driver.
hotkey_held() { drv wait-hotkey-taken "$1" --timeout 300 >/dev/null 2>&1; }
hotkey_free() {
    local rc=0
    drv wait-hotkey-taken "$1" --timeout 300 >/dev/null 2>&1 || rc=$?
    [ $rc -eq 4 ]
}

scenario_options_show_every_hotkey_and_a_changed_hotkey_works_at_once_and_after_a_restart() {
    start_tansel
    copy "an item to edit"
    local options edit box
    options=$(options_from_file_menu)
    screenshot options
    expect_eq "$(drv listview Options --count | tr -d '\r')" 28 "rows of the hotkey list"
    expect_eq "$(option_row 0)" "View	" "the first heading"
    expect_eq "$(option_row 1)" "   Show Main Window	Ctrl + Alt + A" "the first command"
    expect_eq "$(option_row 12)" "   Smart Make Object First Item	Ctrl + Alt + Numpad *" "a numpad hotkey"
    expect_eq "$(control "$options" 1005)" 200 "Items count"
    expect_eq "$(control "$options" 1008)" 5 "Max Clipboard Copy Size"
    expect_eq "$(control "$options" 1006 --checked)" 1 "Start with Windows (the first start set it)"
    expect_eq "$(control "$options" 1007 --checked)" 0 "Paste Activated Item"

    # Show Clip Window moves from Ctrl + Alt + 0 to Ctrl + Alt + F8.
    edit=$(edit_hotkey_row 2)
    screenshot hotkey-edit
    expect_eq "$(control "$edit" 1016)" "Show Clip Window" "the command edited"
    expect_eq "$(control "$edit" 1015 --selected)" 0 "the key shown"
    expect_eq "$(control "$edit" 1012 --checked)$(control "$edit" 1013 --checked)$(control "$edit" 1014 --checked)" \
        110 "Ctrl, Alt, Shift shown"
    drv set-control "$edit" 1015 --select F8
    drv click "$edit" 1
    gone "$edit"
    wait_option_row 2 "   Show Clip Window	Ctrl + Alt + F8"
    expect_eq "$(reg_query "$KEY\\Hotkeys" 1026)" 0x30077 "stored at once"
    hotkey_held ctrl+alt+f8 || fail "Ctrl + Alt + F8 is not registered"
    hotkey_free ctrl+alt+0 || fail "Ctrl + Alt + 0 is still held"

    # Edit First Item takes Show Main Window's hotkey: No keeps everything,
    # Yes moves it.
    edit=$(edit_hotkey_row 5)
    drv set-control "$edit" 1015 --select A
    drv set-control "$edit" 1012 --check 1
    drv set-control "$edit" 1013 --check 1
    drv click "$edit" 1
    wait_for 10 tansel_box_in_front >/dev/null
    box=$(tansel_box_in_front)
    screenshot overwrite-prompt
    expect_eq "$(control "$box" 0xFFFF)" "This Hotkey Configuration is assigned to 'Show Main Window' command.
Do you want to overwrite it?" "the prompt"
    drv click "$box" 7  # No
    gone "$box"
    expect_eq "$(drv info "$edit" | tr -d '\r' | awk '$1 == "visible" { print $2 }')" 1 "the dialog stays after No"
    expect_eq "$(reg_query "$KEY\\Hotkeys" 1025 || echo none)" none "Show Main Window after No"
    drv click "$edit" 1
    wait_for 10 tansel_box_in_front >/dev/null
    box=$(tansel_box_in_front)
    drv click "$box" 6  # Yes
    gone "$edit"
    wait_option_row 1 "   Show Main Window	"
    wait_option_row 5 "   Edit First Item	Ctrl + Alt + A"
    expect_eq "$(reg_query "$KEY\\Hotkeys" 1025)" 0x0 "Show Main Window stored"
    expect_eq "$(reg_query "$KEY\\Hotkeys" 1142)" 0x30041 "Edit First Item stored"
    # The options' Cancel leaves the hotkeys changed.
    drv click "$options" 2
    gone "$options"

    # Ctrl + Alt + A now opens the editor on the newest item.
    drv keys ctrl+alt+a >/dev/null
    local editor
    editor=$(wait_dialog "Clip Item")
    expect_eq "$(drv text "$editor" Edit | tr -d '\r')" "an item to edit" "the editor's text"
    drv close "$editor"
    gone "$editor"
    # And Ctrl + Alt + F8 the clip window (Ctrl + Alt + 0 is free, above).
    drv keys ctrl+alt+f8 >/dev/null
    local clip
    wait_for 10 tansel_dialog_in_front >/dev/null
    clip=$(tansel_dialog_in_front)
    drv keys escape >/dev/null
    gone "$clip"

    exit_tansel
    start_tansel
    expect_eq "$(reg_query "$KEY\\Hotkeys" 1026)" 0x30077 "kept after the restart"
    wait_for 10 hotkey_held ctrl+alt+f8
    hotkey_free ctrl+alt+0 || fail "Ctrl + Alt + 0 came back after the restart"
    hotkey_held ctrl+alt+a || fail "Edit First Item's Ctrl + Alt + A is not registered after the restart"
    exit_tansel
}

scenario_options_from_the_tray_cut_the_history_at_ok_and_clear_start_with_windows() {
    start_tansel
    local i options
    for i in 1 2 3 4 5 6 7 8 9 10; do copy "copy $i"; done
    # Cancel: nothing is written, nothing is cut.
    options=$(options_from_tray_menu)
    drv set-control "$options" 1005 --text 3
    drv set-control "$options" 1006 --check 0
    drv click "$options" 2
    gone "$options"
    expect_eq "$(row_count)" 10 "rows after Cancel"
    reg_query "$RUN_KEY" Tansel >/dev/null || fail "Cancel removed the logon entry"
    expect_eq "$(reg_query "$KEY\\Options" BufferSize || echo none)" none "BufferSize after Cancel"
    # OK: the history keeps its three newest, the logon entry goes.
    options=$(options_from_tray_menu)
    expect_eq "$(control "$options" 1005)" 200 "Items count shown again"
    drv set-control "$options" 1005 --text 3
    drv set-control "$options" 1008 --text 007
    drv set-control "$options" 1006 --check 0
    drv set-control "$options" 1007 --check 1
    drv click "$options" 1
    gone "$options"
    wait_rows 3
    expect_eq "$(rows | tr '\n' '|')" "copy 10|copy 9|copy 8|" "the three newest"
    expect_eq "$(reg_query "$KEY\\Options" BufferSize)" 0x3 "BufferSize"
    expect_eq "$(reg_query "$KEY\\Options" MaxClipboardCopySize)" 0x7 "MaxClipboardCopySize (007)"
    expect_eq "$(reg_query "$KEY\\Options" DoPaste)" 0x1 "DoPaste"
    reg_query "$RUN_KEY" Tansel >/dev/null && fail "the logon entry is still there"
    # The new size holds for the next copy.
    drv set-text "copy 11" >/dev/null
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview Tansel --index 0 | tr -d '\r' | head -1 | cut -f3)\" = 'copy 11' ]"
    expect_eq "$(row_count)" 3 "rows after one more copy"
    # Opened again, the dialog shows what OK stored.
    options=$(options_from_tray_menu)
    expect_eq "$(control "$options" 1006 --checked)$(control "$options" 1007 --checked)" 01 \
        "Start with Windows, Paste Activated Item shown again"
    drv click "$options" 2
    gone "$options"
    exit_tansel
}

about_version_shown() {
    main_window_in_front
    drv keys alt+h a >/dev/null
    local about version
    about=$(wait_dialog "About Tansel")
    version=$(control "$about" 1020)
    screenshot "about-$1"
    drv click "$about" 1
    gone "$about"
    echo "$version"
}

scenario_the_about_box_shows_the_version_record_or_1_0_0_0_without_one() {
    start_tansel
    expect_eq "$(about_version_shown record)" 1.8.7.216 "the version shown"
    exit_tansel
    local copy="$E2E_DIR/Tansel-without-version.exe"
    drv strip-version "$(winpath "$(readlink -f "$E2E_TANSEL")")" "$(winpath "$copy")"
    wine_start copy "$copy"
    wait_for 30 drv find Tansel "$GUID"
    expect_eq "$(about_version_shown no-record)" 1.0.0.0 "the version shown without a record"
    drv post Tansel 0x111 32780 >/dev/null
    wait_for 20 bash -c "! kill -0 ${E2E_PID[copy]} 2>/dev/null"
    unset "E2E_PID[copy]"
}

# The row whose text is the given one; empty when there is none.
row_of() { rows | awk -v t="$1" '$0 == t { print NR - 1; exit }'; }
selected_rows() { drv listview Tansel --state | tr -d '\r' | awk -F'\t' '$1 ~ /S/ { print NR - 1 }'; }

scenario_a_users_day_from_the_first_copy_to_the_next_start() {
    start_tansel
    # Morning: a longer history and pasting on, set in the options.
    local options
    options=$(options_from_file_menu)
    drv set-control "$options" 1005 --text 50
    drv set-control "$options" 1007 --check 1
    drv click "$options" 1
    gone "$options"
    drv keys ctrl+alt+a >/dev/null  # the main window away again
    wait_for 10 bash -c "! wine '$E2E_TDRIVER' find Tansel '$GUID' --visible"

    # Copies from X and from Windows programs.
    xcopy "meeting at ten"
    wait_rows 1
    copy "Quarterly Report"
    copy "customer_id"
    # An identifier turned into a name by its hotkey: a new item, on the clipboard.
    drv keys ctrl+alt+numpad+ >/dev/null
    wait_rows 4
    expect_eq "$(drv get-text)" "CustomerId" "the clipboard after Smart Convert from ID"

    # Bookmark the report in the main window, then bring it back by hotkey.
    main_window_in_front
    drv listview-select Tansel "$(row_of "Quarterly Report")" >/dev/null
    drv keys ctrl+f2 >/dev/null
    copy "later copy"
    drv keys ctrl+alt+6 >/dev/null  # Activate First Bookmark
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' get-text)\" = 'Quarterly Report' ]"
    expect_eq "$(rows | head -1)" "Quarterly Report" "the bookmarked item on top"

    # Find the meeting, upper-case it, then correct it in the editor.
    main_window_in_front
    drv listview-select Tansel 0 >/dev/null
    drv keys ctrl+f >/dev/null
    local find editor
    find=$(wait_dialog Find)
    drv set-control "$find" 1021 --text "MEETING"
    drv click "$find" 1024  # Find Next
    gone "$find"
    expect_eq "$(selected_rows)" "$(row_of "meeting at ten")" "the row found"
    drv keys ctrl+shift+u >/dev/null
    wait_for 10 bash -c "[ -n \"\$(wine '$E2E_TDRIVER' listview Tansel | tr -d '\r' | cut -f3 | grep -x 'MEETING AT TEN')\" ]"
    drv listview-select Tansel "$(row_of "MEETING AT TEN")" >/dev/null
    drv keys ctrl+enter >/dev/null
    editor=$(wait_dialog "Clip Item")
    expect_eq "$(control "$editor" 1011)" "MEETING AT TEN" "the editor's text"
    drv set-control "$editor" 1011 --text "meeting at eleven"
    drv click "$editor" 1019  # Replace
    gone "$editor"
    [ -n "$(row_of "meeting at eleven")" ] || fail "the edited text is not in the list"
    [ -z "$(row_of "MEETING AT TEN")" ] || fail "the old text is still in the list"

    # Afternoon: the corrected text goes into a letter from the clip window.
    drv listview-select Tansel "$(row_of "meeting at eleven")" >/dev/null
    drv keys enter >/dev/null  # activate: to the clipboard and to the top
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' get-text)\" = 'meeting at eleven' ]"
    wine_start notepad notepad
    wait_for 20 drv find "Untitled - Notepad"
    paste_into_notepad "meeting at eleven"
    wine_stop notepad
    local count
    count=$(row_count)

    # Evening: exit. Next morning the history is empty, the settings kept.
    exit_tansel
    start_tansel
    expect_eq "$(row_count)" 0 "rows after the restart (were $count)"
    options=$(options_from_tray_menu)
    expect_eq "$(control "$options" 1005)" 50 "Items count kept"
    expect_eq "$(control "$options" 1007 --checked)" 1 "Paste Activated Item kept"
    drv click "$options" 2
    gone "$options"
    exit_tansel
}

scenario_copies_marked_by_a_password_manager_stay_out_of_the_history() {
    start_tansel
    copy "before"
    local mark n=0
    for mark in ExcludeClipboardContentFromMonitorProcessing "Clipboard Viewer Ignore" \
                CanIncludeInClipboardHistory=0; do
        n=$((n + 1))
        drv set-text "password $n" --mark "$mark" >/dev/null
        # The next ordinary copy is captured; the marked one never is.
        copy "ordinary $n"
        expect_eq "$(rows | head -2 | tr '\n' '|')" "ordinary $n|$( [ $n = 1 ] && echo before || echo "ordinary $((n - 1))")|" \
            "rows after a copy marked $mark"
        drv set-text "password $n" --mark "$mark" >/dev/null
        wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' get-text)\" = 'password $n' ]"
    done
    # The clipboard still holds the marked text, to paste by hand.
    expect_eq "$(drv formats | tr -d '\r' | grep -c CanIncludeInClipboardHistory)" 1 "the marker offered"
    # A history marker of 1 allows the copy.
    drv set-text "allowed" --mark CanIncludeInClipboardHistory=1 >/dev/null
    wait_rows 5
    expect_eq "$(rows | tr '\n' '|')" "allowed|ordinary 3|ordinary 2|ordinary 1|before|" "every row"
    exit_tansel
}
