# Tansel.exe under load and bad input, driven from outside: bursts of copies,
# fuzzed private messages, malformed clipboard blocks. Each scenario prints its figures as "figure: ..." lines.

GUID="{3F9A61C2-7B4E-4D0A-9E25-6C1D8B7A42F0}"
KEY='HKCU\Software\Orvelle\Tansel'
HANDLED=0x401-0x402,0x465-0x479,0x4C9-0x4CA,0x7E9-0x7ED

start_tansel() {
    wine_start app "$E2E_TANSEL" "$@"
    wait_for 30 drv find Tansel "$GUID"
}
rows() { drv listview Tansel | tr -d '\r' | cut -f3; }
head_row() { drv listview Tansel --index 0 | tr -d '\r' | head -1 | cut -f3; }
figure() { printf 'figure: %s\n' "$*" | tee -a "$E2E_DIR/figures.txt" >&2; }
# Adjacent rows holding the same text.
adjacent_repeats() { rows | awk 'NR > 1 && prev == $0 { n++ } { prev = $0 } END { print n + 0 }'; }
# A copy made now becomes row 0 at once.
copy_is_captured() {
    drv set-text "$1" >/dev/null
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview Tansel --index 0 | tr -d '\r' | head -1 | cut -f3)\" = '$1' ]"
}
worst_ms() { sed -n 's/.*worst-answer-ms \([0-9.]*\).*/\1/p'; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'; }

scenario_a_burst_of_a_thousand_copies_fills_no_row_twice() {
    wine reg add "$KEY\\Options" /v BufferSize /t REG_DWORD /d 999 /f >/dev/null 2>&1
    start_tansel
    copy_is_captured "before the bursts"
    local run out worst
    for run in 1 2 3; do
        out=$(drv burst 1000 --prefix "burst$run" --window Tansel)
        worst=$(worst_ms <<<"$out")
        wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview Tansel --index 0 | tr -d '\r' | head -1 | cut -f3)\" = 'burst$run 1000' ]"
        figure "burst $run: $out; rows $(rows | wc -l), distinct $(rows | sort -u | wc -l), adjacent repeats $(adjacent_repeats)"
        below "$worst" 250 || fail "the window took $worst ms to answer during the burst"
    done
    expect_eq "$(adjacent_repeats)" 0 "adjacent repeats after three bursts"
    rows | grep -qx "before the bursts" || fail "the bursts wiped the earlier copy"
    copy_is_captured "after the bursts"
}

scenario_malformed_clipboard_blocks_add_what_the_rules_say_and_lose_nothing() {
    wine reg add "$KEY\\Options" /v MaxClipboardCopySize /t REG_DWORD /d 1 /f >/dev/null 2>&1
    start_tansel
    copy_is_captured "start"
    # An odd size, no terminator, one byte, over the limit: none of them may
    # hang the program; the next copy is captured.
    drv set-text "odd" --block 5 >/dev/null
    drv set-text "abcdef" --block 6 >/dev/null
    drv set-text "x" --block 1 >/dev/null
    drv set-text-fill 500000 >/dev/null  # 1,000,002 bytes: over 1 MB
    copy_is_captured "after the odd blocks"
    rows | grep -q '^x\{500000\}$' && fail "a block over the limit became a row"
    drv set-empty-text >/dev/null
    wait_for 10 bash -c "[ \"\$(wine '$E2E_TDRIVER' listview Tansel --count | tr -d '\r')\" -ge 3 ]"
    figure "rows after malformed blocks: $(rows | tr '\n' '|')"
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
        [ "$(head_row)" = "after the fuzz" ] && [ "$(drv get-text)" = "after the fuzz" ] && break
    done
    expect_eq "$(head_row)" "after the fuzz" "row 0 once the fuzz is over"
}
