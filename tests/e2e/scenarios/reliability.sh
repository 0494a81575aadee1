# Tansel.exe under load and bad input, driven from outside: bursts of copies,
# a held clipboard, fuzzed private messages, malformed clipboard blocks. Each scenario prints its figures as "figure: ..." lines.

GUID="{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}"
KEY='HKCU\Software\Orvelle\Tansel'
HANDLED=0x401-0x402,0x465-0x479,0x4C9-0x4CA,0x7E9-0x7ED

start_tansel() {
    wine_start app "$E2E_TANSEL" "$@"
    wait_for 30 drv find Tansel "$GUID"
}
rows() { drv listview Tansel | tr -d '\r' | cut -f3; }
head_row() { drv listview Tansel --index 0 | tr -d '\r' | sed -n 1p | cut -f3; }
row0_is() { [ "$(head_row)" = "$1" ]; }
figure() { printf 'figure: %s\n' "$*" | tee -a "$E2E_DIR/figures.txt" >&2; }
# Adjacent rows holding the same text.
adjacent_repeats() { rows | awk 'NR > 1 && prev == $0 { n++ } { prev = $0 } END { print n + 0 }'; }
# A copy made now becomes row 0 at once.
copy_is_captured() {
    drv set-text "$1" >/dev/null
    wait_for 10 row0_is "$1"
}
worst_ms() { sed -n 's/.*worst-answer-ms \([0-9.]*\).*/\1/p'; }
# A window that took longer than this to answer is hung, not slow: the
# answer times are figures for the note, measured against their goals there.
HUNG_MS=5000
answered() {
    [[ $1 =~ ^[0-9]+(\.[0-9]+)?$ ]] || fail "no answer time in: $2"
    awk -v a="$1" -v b="$HUNG_MS" 'BEGIN { exit !(a < b) }' || fail "no answer for $1 ms: $2"
}

scenario_a_burst_of_a_thousand_copies_fills_no_row_twice() {
    wine reg add "$KEY\\Options" /v BufferSize /t REG_DWORD /d 999 /f >/dev/null 2>&1
    start_tansel
    copy_is_captured "before the bursts"
    local run out worst
    for run in 1 2 3; do
        out=$(drv burst 1000 --prefix "burst$run" --window Tansel)
        worst=$(worst_ms <<<"$out")
        wait_for 10 row0_is "burst$run 1000"
        figure "burst $run: $out; rows $(rows | wc -l), distinct $(rows | sort -u | wc -l), adjacent repeats $(adjacent_repeats)"
        answered "$worst" "$out"
    done
    expect_eq "$(adjacent_repeats)" 0 "adjacent repeats after three bursts"
    rows | grep -x "before the bursts" >/dev/null || fail "the bursts wiped the earlier copy"
    copy_is_captured "after the bursts"
}

# A clipboard tool in the chain that takes the clipboard the moment it hears
# of a copy and keeps it for $2 ms.
start_holder() {
    wine_start "$1" "$E2E_TDRIVER" viewer --log "$(winpath "$E2E_DIR/$1.log")" \
        --stop-event "e2e-$1" --hold-ms "$2"
    wait_log 20 "$E2E_DIR/$1.log" '^ready'
}
ms_since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }

scenario_a_clipboard_held_after_a_copy_is_read_once_it_is_free() {
    start_tansel
    copy_is_captured "first"
    # Held 1 s: the copy becomes row 0 soon after the release.
    start_holder holder1 1000
    drv set-text "held a second" >/dev/null
    wait_log 5 "$E2E_DIR/holder1.log" '^hold'
    row0_is "held a second" && fail "captured while the clipboard was held"
    wait_log 5 "$E2E_DIR/holder1.log" '^released'
    local released=$EPOCHREALTIME
    wait_for 5 row0_is "held a second"
    figure "held 1 s: row 0 $(ms_since "$released") ms after the release was logged"
    wine_stop holder1 drv signal e2e-holder1
    # Held 5 s: the capture gives up after 2 s, the window answers all
    # along, and the next copy is read at once.
    start_holder holder5 5000
    drv set-text "held five seconds" >/dev/null
    wait_log 5 "$E2E_DIR/holder5.log" '^hold'
    local out worst
    out=$(drv watch-answer Tansel 4500)
    worst=$(worst_ms <<<"$out")
    wait_log 5 "$E2E_DIR/holder5.log" '^released'
    figure "held 5 s: $out; row 0 '$(head_row)'"
    answered "$worst" "$out"
    expect_eq "$(head_row)" "held a second" "row 0 after a clipboard held past the wait"
    wine_stop holder5 drv signal e2e-holder5
    copy_is_captured "the next copy"
}

scenario_malformed_clipboard_blocks_add_what_the_rules_say_and_lose_nothing() {
    wine reg add "$KEY\\Options" /v MaxClipboardCopySize /t REG_DWORD /d 1 /f >/dev/null 2>&1
    start_tansel
    copy_is_captured "start"
    # An odd size and no terminator (Wine puts a zero in the last whole
    # unit), one byte (no whole unit: an empty text, or no data at all, as
    # Wine has it at that moment), over the limit: each gives what the
    # capture's rules say, and the next copy is captured.
    drv set-text "odd" --block 5 >/dev/null
    drv set-text "abcdef" --block 6 >/dev/null
    drv set-text "x" --block 1 >/dev/null
    drv set-text-fill 500000 >/dev/null  # 1,000,002 bytes: over 1 MB
    copy_is_captured "after the odd blocks"
    drv set-empty-text >/dev/null
    wait_for 10 row0_is ""
    figure "rows after malformed blocks: $(rows | tr '\n' '|')"
    case "$(rows | tr '\n' '|')" in
        "|after the odd blocks|ab|od|start|" | "|after the odd blocks||ab|od|start|") ;;
        *) fail "rows after the blocks: $(rows | tr '\n' '|')" ;;
    esac
    copy_is_captured "the last copy"
}

scenario_fuzzed_private_messages_neither_crash_nor_hang_it() {
    start_tansel
    copy_is_captured "kept through the fuzz"
    local seed out
    for seed in 1 2 3 4 5; do
        out=$(drv fuzz Tansel 1000 --seed "$seed" --handled "$HANDLED")
        figure "fuzz seed $seed: $out"
        drv find Tansel "$GUID" >/dev/null || fail "the main window is gone after seed $seed"
    done
    kill -0 "${E2E_PID[app]}" 2>/dev/null || fail "the program ended"
    # The last batch's posted messages (date stamps among them) may still be
    # on their way: a copy sticks once they are done.
    local i
    for i in $(seq 20); do
        drv set-text "after the fuzz" >/dev/null
        sleep 0.5
        [ "$(head_row)" = "after the fuzz" ] && [ "$(drv get-text || true)" = "after the fuzz" ] && break
    done
    expect_eq "$(head_row)" "after the fuzz" "row 0 once the fuzz is over"
}

# The first message box of the program on the screen (a top-level dialog
# titled Tansel).
box_open() {
    local h
    for h in $({ drv find Tansel --all --visible 2>/dev/null || true; } | tr -d '\r'); do
        [ "$({ drv info "$h" 2>/dev/null || true; } | tr -d '\r' | sed -n 's/^class //p')" = "#32770" ] &&
            { echo "$h"; return 0; }
    done
    return 1
}

# Resident memory of the program, in kB.
rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/${E2E_PID[app]}/status"; }

scenario_ten_thousand_copies_keep_memory_steady() {
    start_tansel
    copy_is_captured "start"
    # Texts of 4 bytes to 8 KB; each copy handled before the next.
    drv burst 2000 --prefix warm --units 2-4096 --sync --window Tansel >/dev/null
    local at2000 at10000
    at2000=$(rss_kb)
    drv burst 8000 --prefix soak --units 2-4096 --sync --window Tansel >/dev/null
    at10000=$(rss_kb)
    figure "RSS after 2,000 copies ${at2000} kB, after 10,000 ${at10000} kB: $((at10000 - at2000)) kB more; rows $(rows | wc -l), adjacent repeats $(adjacent_repeats)"
    [ $((at10000 - at2000)) -lt 1024 ] || fail "memory grew by $((at10000 - at2000)) kB"
    expect_eq "$(rows | wc -l)" 200 "rows with the default BufferSize"
    expect_eq "$(rows | sed -n 1p | cut -c1-9)" "soak 8000" "row 0 after the soak"
    copy_is_captured "after the soak"
}

scenario_a_viewer_that_dies_in_the_chain_costs_at_most_one_rejoin() {
    start_tansel
    copy_is_captured "before"
    # It joins after the program, heads the chain, and dies without leaving.
    wine_start dying "$E2E_TDRIVER" viewer --log "$(winpath "$E2E_DIR/dying.log")" --stop-event e2e-dying
    wait_log 20 "$E2E_DIR/dying.log" '^ready'
    kill -KILL "${E2E_PID[dying]}"
    unset "E2E_PID[dying]"
    local died=$EPOCHREALTIME n=0
    # Copies until one is captured again: the rejoin timer (10 s) repairs it.
    while [ "$(head_row)" != "after $n" ]; do
        n=$((n + 1))
        drv set-text "after $n" >/dev/null
        sleep 0.3
        [ "$(ms_since "$died")" -lt 15000 ] || fail "no copy captured within 15 s of the viewer's death"
    done
    figure "a dead viewer: copy $n captured, $(ms_since "$died") ms after the death"
    copy_is_captured "and the next"
}

scenario_malformed_registry_values_read_at_start_give_what_the_rules_say() {
    # Four bytes or fewer of any type: the number they hold. More: the
    # system's text for ERROR_MORE_DATA in a box, then the default.
    local o="$KEY\\Options" m="$KEY\\MainWindow" id
    wine reg add "$o" /v BufferSize /t REG_BINARY /d 0300 /f >/dev/null 2>&1
    wine reg add "$o" /v MaxClipboardCopySize /t REG_SZ /d "not a number" /f >/dev/null 2>&1
    wine reg add "$o" /v ResetClipboardTimer /t REG_BINARY /d 0102030405060708 /f >/dev/null 2>&1
    wine reg add "$KEY" /v FirstRun /t REG_QWORD /d 5 /f >/dev/null 2>&1
    wine reg add "$m" /v Left /t REG_SZ /d "far left" /f >/dev/null 2>&1
    wine reg add "$m" /v Top /t REG_EXPAND_SZ /d "%TOP%" /f >/dev/null 2>&1
    wine reg add "$m" /v Width /t REG_BINARY /d 2c01 /f >/dev/null 2>&1  # 300
    wine reg add "$m" /v Height /t REG_SZ /d "" /f >/dev/null 2>&1        # two bytes: 0
    wine reg add "$m" /v DockingEnabled /t REG_MULTI_SZ /d "a\\0b" /f >/dev/null 2>&1
    # Every hotkey: ids 1025-1026, 1125-1145, 1225-1226.
    for id in 1025 1026 $(seq 1125 1145) 1225 1226; do
        wine reg add "$KEY\\Hotkeys" /v "$id" /t REG_SZ /d "ctrl alt $id" /f >/dev/null 2>&1
    done
    wine_start app "$E2E_TANSEL"
    # Every box of the start is answered with OK, its text kept.
    local boxes=0 h end=$((SECONDS + 60))
    : >"$E2E_DIR/boxes.txt"
    until drv find Tansel "$GUID" >/dev/null 2>&1 && ! box_open; do
        if h=$(box_open); then
            drv control "$h" 65535 | tr -d '\r' >>"$E2E_DIR/boxes.txt"
            echo >>"$E2E_DIR/boxes.txt"
            drv click "$h" 1 >/dev/null 2>&1 || drv click "$h" 2 >/dev/null 2>&1 || true
            wait_for 10 bash -c "! wine '$E2E_TDRIVER' info $h >/dev/null 2>&1"
            boxes=$((boxes + 1))
        fi
        [ $SECONDS -lt $end ] || fail "the start did not end within 60 s ($boxes boxes)"
        sleep 0.1
    done
    figure "boxes at the start: $boxes; texts: $(grep -v '^$' "$E2E_DIR/boxes.txt" | sort | uniq -c | tr -s ' \n' ' ')"
    # One for each value over four bytes (all but BufferSize, Width and
    # Height), each with the system's text for ERROR_MORE_DATA.
    expect_eq "$boxes" 31 "boxes at the start"
    expect_eq "$(grep -v '^$' "$E2E_DIR/boxes.txt" | sort -u | wc -l)" 1 "different box texts"
    for t in one two three four; do copy_is_captured "$t"; done
    expect_eq "$(rows | tr '\n' '|')" "four|three|two|" "BufferSize 3, read from two bytes"
    # Width 300 from two bytes; Left and Top their defaults (0).
    expect_eq "$(drv info Tansel | tr -d '\r' | sed -n 's/^rect //p' | cut -d' ' -f1-3)" "0 0 300" \
        "the main window's left, top and right"
    # The Show Clip Window hotkey fell back to its default.
    drv wait-hotkey-taken ctrl+alt+0 --timeout 5000 >/dev/null || fail "Ctrl+Alt+0 is not held"
}
