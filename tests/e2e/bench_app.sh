#!/usr/bin/env bash
# Tansel.exe against the simplest program of ours that does the same job
# (tdriver's viewer: joins the chain, shows one list, and its hotkey shows a
# topmost list where Enter puts the text back), each measured the same way in
# the same run, one after the other, alone in the chain:
#   start-up: from the start to the hotkeys registered (medians of 9)
#   private memory with 200 items of 1,000 characters (a full history)
#   copy from another Wine program -> its list shows the new row (30 copies),
#   with the window on screen (the row painted) and minimised
#   the clip window's hotkey -> a window in front with its 200+ rows (20)
#   Enter in it -> the clipboard holds the text (20)
#   CPU used over 60 s of idling
# and the size of Tansel.exe. Prints each figure and each ratio.
#   bench_app.sh [--tdriver PATH] [--exe PATH] [--idle-seconds 60]
set -uo pipefail
source "$(dirname "$0")/harness.sh"
idle=60
while [ $# -gt 0 ]; do
    case $1 in
        --tdriver) E2E_TDRIVER=$2; shift 2 ;;
        --exe) E2E_TANSEL=$2; shift 2 ;;
        --idle-seconds) idle=$2; shift 2 ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done

median() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
percentile() {
    sort -n | awk -v p="$1" '{ v[NR] = $1 } END { r = int(p / 100 * NR); if (r < p / 100 * NR) r++; if (r < 1) r = 1; print v[r] }'
}
lines() { if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi; }
ms() { awk -v us="$1" 'BEGIN { printf "%.2f", us / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

# start_program NAME: the program under measure, its window's title in WINDOW.
start_program() {
    if [ "$1" = baseline ]; then
        WINDOW=Baseline COLUMN=0
        wine_start baseline "$E2E_TDRIVER" viewer --list --read --popup --title Baseline \
            --hotkey ctrl+alt+0 --hotkey ctrl+alt+a --stop-event e2e-baseline
    else
        WINDOW=Tansel COLUMN=2
        wine_start tansel "$E2E_TANSEL" /n
    fi
}
stop_program() {
    if [ "$1" = baseline ]; then wine_stop baseline drv signal e2e-baseline
    else wine_stop tansel drv post Tansel 0x111 32780; fi
}

# put_away NAME: the baseline minimised, Tansel hidden. Tansel's minimise
# toggles on its own record, which /n leaves at "hidden": the first one may
# show the window, so it minimises until the window is gone.
put_away() {
    local i
    for i in 1 2 3; do
        drv post "$WINDOW" 0x0112 0xF020 >/dev/null  # WM_SYSCOMMAND, SC_MINIMIZE
        sleep 0.5
        if [ "$1" = baseline ]; then
            drv info "$WINDOW" | tr -d '\r' | grep -q '^iconic 1$' && return 0
        else
            drv find "$WINDOW" --visible >/dev/null || return 0
        fi
    done
    fail "$WINDOW did not go out of sight"
}

# copy_latency NAME SUFFIX [--painted]: 32 copies from another Wine program,
# from the moment before it closes the clipboard to the moment the list shows
# one more row; the first two are warm-ups.
copy_latency() {
    local out=$E2E_DIR/$1 i
    rm -f "$out.watch" "$out.starts"
    wine_start watch "$E2E_TDRIVER" watch-listview "$WINDOW" --column "$COLUMN" \
        --log "$(winpath "$out.watch")" --stop-event e2e-watch ${3:-}
    wait_log 30 "$out.watch" '^initial '
    for i in $(seq 1 32); do
        drv set-text "latency probe $i" --print-time | tr -d '\r' >>"$out.starts"
        wait_log 20 "$out.watch" '^change ' "$i"
    done
    wine_stop watch drv signal e2e-watch
    paste "$out.starts" <(awk '$1 == "change" { print $2 }' "$out.watch") |
        awk 'NR > 2 { print $2 - $1 }' >"$out.$2"
}

# measure NAME: every figure of one program into $E2E_DIR/NAME.*
measure() {
    local name=$1 out=$E2E_DIR/$1 i t0 t1
    # Start-up, nine times: a Wine process start moves by tens of ms.
    for i in $(seq 1 9); do
        drv wait-hotkey-taken ctrl+alt+0 --timeout 60000 >"$out.taken" &
        local waiter=$!
        sleep 0.3
        t0=${EPOCHREALTIME/./}
        start_program "$name"
        wait "$waiter"
        t1=$(tr -d '\r' <"$out.taken")
        echo $((t1 - t0)) >>"$out.startup"
        wait_for 30 drv find "$WINDOW" --visible
        [ $i -lt 9 ] && stop_program "$name"
    done
    # 200 items of 1,000 characters: a full history, as in everyday use.
    for i in $(seq 1 200); do
        drv set-text-fill 1000 "item $i " >/dev/null
    done
    sleep 1
    # The Wine process's own memory, from Linux (Wine does not fill in the
    # private bytes of GetProcessMemoryInfo).
    local pid=${E2E_PID[$name]}
    awk '$1 ~ /^Private_(Clean|Dirty):$/ { kb += $2 } END { print kb }' "/proc/$pid/smaps_rollup" >"$out.memory"
    # Copies with the window on screen: done when the new row is painted.
    copy_latency "$name" copy --painted
    # The clip window's hotkey, then Enter.
    # Now and then Enter arrives before the new window has the keyboard;
    # such a round is dropped (the list is closed) and counted.
    drv activate "$WINDOW" >/dev/null
    local newest t tries=0
    touch "$out.enter"
    while [ "$(wc -l <"$out.enter")" -lt 20 ] && [ $tries -lt 30 ]; do
        tries=$((tries + 1))
        t=$(drv time-popup ctrl+alt+0 --rows 200 | tr -d '\r') || continue
        newest=$(drv get-text)
        if drv time-clipboard enter "$newest" --timeout 3000 | tr -d '\r' >>"$out.enter"; then
            echo "$t" >>"$out.popup"
        else
            drv keys escape >/dev/null
            echo dropped >>"$out.dropped"
        fi
        drv activate "$WINDOW" >/dev/null
    done
    # Out of sight, as Tansel spends its days in the tray: copies are done
    # when the list holds the new row.
    put_away "$name"
    copy_latency "$name" background
    # Idling.
    # Nanoseconds on a CPU, summed over the process's threads.
    cpu_ns() { cat /proc/"$pid"/task/*/schedstat | awk '{ ns += $1 } END { printf "%.0f\n", ns }'; }
    local cpu0 cpu1
    cpu0=$(cpu_ns)
    sleep "$idle"
    cpu1=$(cpu_ns)
    echo $(((cpu1 - cpu0) / 1000)) >"$out.idle"
    stop_program "$name"
}

line() {  # WHAT FILE-SUFFIX GOAL
    local b t bm tm
    bm=$(median <"$E2E_DIR/baseline.$2")
    tm=$(median <"$E2E_DIR/tansel.$2")
    printf '  %-38s baseline %8s ms  Tansel %8s ms  ratio %s  (goal %s)\n' "$1 (median)" \
        "$(ms "$bm")" "$(ms "$tm")" "$(ratio "$tm" "$bm")" "$3"
    if [ "$2" = copy ] || [ "$2" = background ] || [ "$2" = popup ]; then
        b=$(percentile 90 <"$E2E_DIR/baseline.$2")
        t=$(percentile 90 <"$E2E_DIR/tansel.$2")
        printf '  %-38s baseline %8s ms  Tansel %8s ms  ratio %s\n' "$1 (p90)" "$(ms "$b")" "$(ms "$t")" "$(ratio "$t" "$b")"
    fi
}

scenario_bench_app() {
    measure baseline
    measure tansel
    {
        echo "Tansel.exe against the minimal program, $(date +%F)"
        line "start-up to hotkeys registered" startup "at most 1.5x"
        line "copy -> new row painted" copy "at most 1.1x"
        line "copy -> new row, out of sight" background "reported"
        line "hotkey -> clip window with 200 rows" popup "at most 1.3x"
        line "Enter -> clipboard holds the text" enter "reported"
        printf '  %-38s baseline %s  Tansel %s\n' "rounds dropped (Enter before the focus)" \
            "$(lines "$E2E_DIR/baseline.dropped")" "$(lines "$E2E_DIR/tansel.dropped")"
        local bmem tmem
        bmem=$(cat "$E2E_DIR/baseline.memory")
        tmem=$(cat "$E2E_DIR/tansel.memory")
        printf '  %-38s baseline %8s KB  Tansel %8s KB  difference %s KB  (goal at most 1024 KB)\n' \
            "private memory, 200 items of 1 KB" "$bmem" "$tmem" $((tmem - bmem))
        printf '  %-38s baseline %8s ms  Tansel %8s ms  (goal: only the rejoin ticks)\n' \
            "CPU over ${idle} s idle" "$(ms "$(cat "$E2E_DIR/baseline.idle")")" "$(ms "$(cat "$E2E_DIR/tansel.idle")")"
        printf '  %-38s %s bytes (goal under 1 MB)\n' "size of Tansel.exe" "$(stat -c %s "$E2E_TANSEL")"
    } | tee "$E2E_DIR/result.txt"
}

e2e_run_functions scenario_bench_app
