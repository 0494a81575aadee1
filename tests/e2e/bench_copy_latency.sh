#!/usr/bin/env bash
# Copy latency: from a copy to the notice in a baseline viewer (tdriver's
# minimal clipboard viewer, the head of the chain) and in a target, both in
# the same run. Prints median and 90th percentile of each and their ratio.
#
# bench_copy_latency.sh [--copies 30] [--warmup 2] [--source x|wine]
#                       [--target viewer|listview|chain-host] [--target-start 'EXE ARGS']
#                       [--target-window TITLE] [--tdriver PATH]
#
#   --source x       copies by xclip (an X client); the start is taken in the
#                    shell just before xclip runs, so xclip's own start-up is
#                    part of both figures
#   --source wine    copies by `tdriver set-text`; the start is the moment
#                    before it closes the clipboard
#   --target viewer  a second tdriver viewer (started first, so the baseline
#                    forwards each notice to it)
#   --target listview  the program started by --target-start (default: the
#                    built Tansel.exe); a notice is the moment its list view
#                    shows a new row 0, polled every millisecond by
#                    `tdriver watch-listview` on the window --target-window
#                    (default "Tansel")
#   --target chain-host  tools/chain_host/chain_host.exe: the main frame and the history
#                    without views; a notice is the moment of its capture.
#                    The two are measured one after the other, each alone in
#                    the chain, and the baseline viewer reads the text at each
#                    notice (--read), as a capture does: the first reader of an
#                    X copy pays for fetching it from X.
set -uo pipefail
source "$(dirname "$0")/harness.sh"

copies=30
warmup=2
source_kind=x
target=viewer
target_start=
target_window=Tansel
while [ $# -gt 0 ]; do
    case $1 in
        --copies) copies=$2; shift 2 ;;
        --warmup) warmup=$2; shift 2 ;;
        --source) source_kind=$2; shift 2 ;;
        --target) target=$2; shift 2 ;;
        --target-start) target_start=$2; shift 2 ;;
        --target-window) target_window=$2; shift 2 ;;
        --tdriver) E2E_TDRIVER=$2; shift 2 ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done
case $source_kind in x | wine) ;; *) echo "--source takes x or wine" >&2; exit 2 ;; esac
case $target in viewer | listview | chain-host) ;; *) echo "--target takes viewer, listview or chain-host" >&2; exit 2 ;; esac
: "${E2E_CHAIN_HOST:=$TANSEL_BUILD/windows/tools/chain_host/chain_host.exe}"

# nearest-rank percentile of the numbers on stdin (microseconds)
percentile() {
    sort -n | awk -v p="$1" '{ v[NR] = $1 } END {
        if (NR == 0) exit 1
        r = int(p / 100 * NR); if (r < p / 100 * NR) r++; if (r < 1) r = 1
        print v[r] }'
}

median() {
    sort -n | awk '{ v[NR] = $1 } END {
        if (NR == 0) exit 1
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ms() { awk -v us="$1" 'BEGIN { printf "%.2f", us / 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }

# copy_series LOG KIND START-LOG: $total copies, each waited for in LOG as a
# KIND line; the start times go to START-LOG.
copy_series() {
    local log=$1 kind=$2 starts=$3 i t0
    : >"$starts"
    for i in $(seq 1 "$total"); do
        if [ "$source_kind" = x ]; then
            t0=${EPOCHREALTIME/./}
            xcopy "latency probe $i $RANDOM"
        else
            t0=$(drv set-text "latency probe $i $RANDOM" --print-time)
        fi
        echo "$t0" >>"$starts"
        wait_log 20 "$log" "^$kind " "$i"
    done
}

# latencies START-LOG LOG KIND: microseconds from each start to its line.
latencies() {
    paste "$1" <(awk -v k="$3" '$1 == k { print $2 }' "$2") |
        awk -v w="$warmup" 'NR > w { print $2 - $1 }'
}

scenario_copy_latency_phased() {
    local base=$E2E_DIR/baseline.log tlog=$E2E_DIR/target.log
    total=$((warmup + copies))
    wine_start baseline "$E2E_TDRIVER" viewer --read --log "$(winpath "$base")" --stop-event e2e-baseline
    wait_log 30 "$base" '^ready '
    copy_series "$base" draw "$E2E_DIR/starts.baseline"
    wine_stop baseline drv signal e2e-baseline

    wine_start target "$E2E_CHAIN_HOST" --log "$(winpath "$tlog")"
    wait_log 30 "$tlog" '^ready '
    copy_series "$tlog" capture "$E2E_DIR/starts.target"
    wine_stop target drv close Tansel

    latencies "$E2E_DIR/starts.baseline" "$base" draw >"$E2E_DIR/baseline.us"
    latencies "$E2E_DIR/starts.target" "$tlog" capture >"$E2E_DIR/target.us"
    report
}

report() {
    local bm b90 tm t90
    bm=$(median <"$E2E_DIR/baseline.us")
    b90=$(percentile 90 <"$E2E_DIR/baseline.us")
    tm=$(median <"$E2E_DIR/target.us")
    t90=$(percentile 90 <"$E2E_DIR/target.us")
    {
        echo "copy latency: $copies copies from $source_kind (after $warmup warm-up), target: $target"
        printf '  baseline viewer  median %8s ms   p90 %8s ms\n' "$(ms "$bm")" "$(ms "$b90")"
        printf '  target %-9s median %8s ms   p90 %8s ms\n' "$target" "$(ms "$tm")" "$(ms "$t90")"
        printf '  ratio target/baseline: median %s, p90 %s\n' "$(ratio "$tm" "$bm")" "$(ratio "$t90" "$b90")"
    } | tee "$E2E_DIR/result.txt"
}

scenario_copy_latency() {
    local base=$E2E_DIR/baseline.log tlog=$E2E_DIR/target.log kind
    if [ "$target" = viewer ]; then
        wine_start target "$E2E_TDRIVER" viewer --log "$(winpath "$tlog")" --stop-event e2e-target
        wait_log 30 "$tlog" '^ready '
        kind=draw
    else
        local -a cmd
        eval "cmd=(${target_start:-\"\$E2E_TANSEL\"})"
        wine_start target "${cmd[@]}"
        drv wait-window "$target_window" 30000 >/dev/null
        wine_start watch "$E2E_TDRIVER" watch-listview "$target_window" \
            --log "$(winpath "$tlog")" --stop-event e2e-watch
        wait_log 30 "$tlog" '^initial '
        kind=change
    fi
    wine_start baseline "$E2E_TDRIVER" viewer --log "$(winpath "$base")" --stop-event e2e-baseline
    wait_log 30 "$base" '^ready '

    local i t0 total=$((warmup + copies)) starts=()
    for i in $(seq 1 "$total"); do
        if [ "$source_kind" = x ]; then
            t0=${EPOCHREALTIME/./}
            xcopy "latency probe $i $RANDOM"
        else
            t0=$(drv set-text "latency probe $i $RANDOM" --print-time)
        fi
        starts+=("$t0")
        wait_log 20 "$base" '^draw ' "$i"
        wait_log 20 "$tlog" "^$kind " "$i"
    done

    # Latencies in microseconds, warm-up copies left out.
    printf '%s\n' "${starts[@]}" >"$E2E_DIR/starts"
    paste "$E2E_DIR/starts" <(awk '$1 == "draw" { print $2 }' "$base") |
        awk -v w="$warmup" 'NR > w { print $2 - $1 }' >"$E2E_DIR/baseline.us"
    paste "$E2E_DIR/starts" <(awk -v k="$kind" '$1 == k { print $2 }' "$tlog") |
        awk -v w="$warmup" 'NR > w { print $2 - $1 }' >"$E2E_DIR/target.us"

    report

    wine_stop baseline drv signal e2e-baseline
    if [ "$target" = viewer ]; then
        wine_stop target drv signal e2e-target
    else
        wine_stop watch drv signal e2e-watch
    fi
}

if [ "$target" = chain-host ]; then
    e2e_run_functions scenario_copy_latency_phased
else
    e2e_run_functions scenario_copy_latency
fi
