# End-to-end harness, sourced by run.sh and the benchmark scripts.
#
# A run makes one template Wine prefix; every scenario gets its own copy of
# it, its own X display, a lasting wineserver and a Wine virtual desktop
# named "shell" (window decorations, a taskbar and a tray, so focus and
# screenshots are predictable). Everything a scenario starts is stopped by
# its pid when it ends, plus `wineserver -k` for its own prefix: other runs
# may share the machine, so nothing is ever killed by name.
#
# Helpers for scenarios:
#   drv ARGS...                   run tdriver.exe in the scenario's prefix
#   wine_start NAME CMD...        start a Wine program in the background; its
#                                 pid is ${E2E_PID[NAME]}, output in $E2E_DIR/NAME.out/.err
#   wine_stop NAME [GRACE-CMD...] run GRACE-CMD (e.g. drv signal ev), wait for the
#                                 exit (failing after 10 s), then TERM/KILL by pid
#   xcopy TEXT                    copy TEXT from an X client (xclip)
#   xpaste [TARGET]               print the X clipboard (TARGETS lists the types)
#   wait_for SECONDS CMD...       poll CMD until it succeeds; fail on timeout
#   poll SECONDS CMD...           the same, returning 1 on timeout instead
#   wait_log SECONDS FILE REGEX [COUNT]  wait until FILE has COUNT lines matching REGEX
#   reg_query KEY [VALUE]         the data of a live registry value (or the whole key)
#   screenshot NAME               $E2E_DIR/NAME.png of the whole screen
#   winpath UNIX-PATH             the same file as a Windows path (Z:)
#   expect_eq ACTUAL EXPECTED WHAT, fail MESSAGE
#
# Environment: TANSEL_BUILD (build tree), E2E_TDRIVER (tdriver.exe),
# E2E_TANSEL (Tansel.exe), TANSEL_E2E_WORK (where runs keep their files),
# TANSEL_E2E_TEMPLATE (keep and reuse a template prefix there),
# TANSEL_E2E_DESKTOP=0 (bare Xvfb, no virtual desktop),
# TANSEL_E2E_KEEP=1 (keep scenario prefixes).

E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_ROOT=$(cd "$E2E_HERE/../.." && pwd)
TANSEL_ROOT=$E2E_ROOT  # read by wine-env.sh
: "${TANSEL_BUILD:=$E2E_ROOT/build}"
# shellcheck source=../../scripts/wine-env.sh
source "$E2E_ROOT/scripts/wine-env.sh"
: "${E2E_TDRIVER:=$TANSEL_BUILD/windows/tdriver.exe}"
: "${E2E_TANSEL:=$TANSEL_BUILD/windows/Tansel.exe}"
: "${TANSEL_E2E_WORK:=$TANSEL_BUILD/e2e}"
: "${TANSEL_E2E_DESKTOP:=1}"
# Wine decodes the command line with the Unix locale, and picks its ANSI
# code page (1252) from it.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

declare -A E2E_PID=()
E2E_OTHER_PIDS=()

e2e_log() { printf '[e2e %s] %s\n' "$(date +%H:%M:%S)" "$*" >&2; }

fail() {
    printf 'FAIL: %s\n' "$*" >&2
    exit 1
}

expect_eq() {
    if [ "$1" != "$2" ]; then
        printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "${3:-value}" "$2" "$1" >&2
        exit 1
    fi
}

winpath() { printf 'Z:%s' "$1"; }

drv() { wine "$E2E_TDRIVER" "$@"; }

# ---- waiting for states

wait_for() {
    local timeout=$1
    shift
    local end=$((SECONDS + timeout))
    while ! "$@" >/dev/null 2>&1; do
        if [ "$SECONDS" -ge "$end" ]; then
            printf 'FAIL: timed out after %ss waiting for: %s\n' "$timeout" "$*" >&2
            "$@" >&2 || true  # show what the state was
            exit 1
        fi
        sleep 0.05
    done
}

poll() {
    local end=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$end" ] && return 1
        sleep 0.05
    done
}

e2e_log_count() {
    local n
    n=$(grep -cE "$2" "$1" 2>/dev/null || true)
    echo "${n:-0}"
}

wait_log() {
    local timeout=$1 file=$2 regex=$3 count=${4:-1}
    local end=$((SECONDS + timeout))
    while [ "$(e2e_log_count "$file" "$regex")" -lt "$count" ]; do
        if [ "$SECONDS" -ge "$end" ]; then
            printf 'FAIL: timed out after %ss waiting for %s line(s) /%s/ in %s; it holds:\n' \
                "$timeout" "$count" "$regex" "$file" >&2
            cat "$file" >&2 2>/dev/null || true
            exit 1
        fi
        sleep 0.02
    done
}

# ---- processes

wine_start() {
    local name=$1
    shift
    wine "$@" >"$E2E_DIR/$name.out" 2>"$E2E_DIR/$name.err" &
    E2E_PID[$name]=$!
}

e2e_stop_pid() {
    local pid=$1 i
    kill -0 "$pid" 2>/dev/null || { wait "$pid" 2>/dev/null; return 0; }
    kill -TERM "$pid" 2>/dev/null
    for i in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
}

wine_stop() {
    local name=$1
    shift
    local pid=${E2E_PID[$name]:-}
    [ -n "$pid" ] || fail "wine_stop: nothing started as $name"
    local lingered=0
    if [ $# -gt 0 ] && kill -0 "$pid" 2>/dev/null; then
        "$@" || true
        local end=$((SECONDS + 10))
        while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$end" ]; do sleep 0.05; done
        kill -0 "$pid" 2>/dev/null && lingered=1
    fi
    e2e_stop_pid "$pid"
    unset "E2E_PID[$name]"
    # A program that ignores the way it is asked to end is a fault, not
    # something for the kill to hide.
    [ $lingered -eq 0 ] || fail "$name did not end within 10 s of: $*"
}

xcopy() {
    # -quiet keeps xclip in the foreground, so its pid is the owner's; it
    # ends by itself when the next copy takes the selection.
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    E2E_OTHER_PIDS+=($!)
}

xpaste() {
    if [ -n "${1:-}" ]; then
        timeout 10 xclip -o -selection clipboard -t "$1"
    else
        timeout 10 xclip -o -selection clipboard
    fi
}

# ---- registry and screen

reg_query() {
    local key=$1 value=${2:-}
    if [ -z "$value" ]; then
        wine reg query "$key" 2>/dev/null | tr -d '\r'
        return "${PIPESTATUS[0]}"
    fi
    local out
    out=$(wine reg query "$key" /v "$value" 2>/dev/null | tr -d '\r') || return 1
    # "    Name    REG_TYPE    data": print the data only.
    printf '%s\n' "$out" | awk -v name="$value" '
        { line = $0; sub(/^ +/, "", line) }
        index(line, name) == 1 {
            rest = substr(line, length(name) + 1)
            if (match(rest, /^ +REG_[A-Z_]+( +|$)/)) { print substr(rest, RLENGTH + 1); found = 1; exit }
        }
        END { exit found ? 0 : 1 }'
}

screenshot() {
    import -display "$DISPLAY" -window root "$E2E_DIR/$1.png"
    e2e_log "screenshot $E2E_DIR/$1.png"
}

# ---- display, prefixes, scenarios

# Starts an Xvfb that picks a free display itself (no race with other runs);
# sets DISPLAY and E2E_XVFB_PID.
e2e_start_display() {
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    E2E_XVFB_PID=$!
    local i
    for i in $(seq 1 200); do
        [ -s "$fdfile" ] && break
        kill -0 "$E2E_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    local n
    n=$(tr -dc 0-9 <"$fdfile")
    rm -f "$fdfile"
    [ -n "$n" ] || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$n"
}

e2e_stop_display() {
    [ -n "${E2E_XVFB_PID:-}" ] && e2e_stop_pid "$E2E_XVFB_PID"
    E2E_XVFB_PID=
}

# The template: a booted prefix, with the virtual desktop switched on.
e2e_make_template() {
    local dir=$1
    [ -f "$dir/system.reg" ] && return 0
    e2e_log "making the template prefix $dir"
    (
        export WINEPREFIX=$dir
        mkdir -p "$dir"
        e2e_start_display || exit 1
        wineboot -i >/dev/null 2>&1
        if [ "$TANSEL_E2E_DESKTOP" != 0 ]; then
            wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1280x1024 /f >/dev/null 2>&1
        fi
        wineserver -w
        e2e_stop_display
    )
    [ -f "$dir/system.reg" ] || { echo "the template prefix was not made" >&2; return 1; }
}

e2e_teardown() {
    set +e
    trap - ERR
    local pid name
    for pid in "${E2E_OTHER_PIDS[@]}"; do e2e_stop_pid "$pid"; done
    # Ends every Wine process of this prefix (and only of it).
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    for name in "${!E2E_PID[@]}"; do e2e_stop_pid "${E2E_PID[$name]}"; done
    [ -n "${WINEPREFIX:-}" ] && wineserver -w 2>/dev/null
    e2e_stop_display
    if [ "${TANSEL_E2E_KEEP:-0}" != 1 ] && [ -n "${E2E_DIR:-}" ]; then
        rm -rf "$E2E_DIR/prefix"
    fi
}

# Runs one scenario function in a subshell with its own prefix and display.
e2e_run_scenario() {
    local fn=$1 template=$2
    local name=${fn#scenario_}
    local dir=$E2E_RUN/$name
    mkdir -p "$dir"
    (
        E2E_DIR=$dir
        cp -a "$template" "$dir/prefix" || exit 1
        export WINEPREFIX=$dir/prefix
        trap e2e_teardown EXIT
        trap 'exit 130' INT
        trap 'exit 143' TERM
        set -eE -o pipefail
        # With the callers: a failing drv call alone says nothing of where.
        trap 'e2e_err_trace "$LINENO" "$BASH_COMMAND"' ERR
        e2e_start_display
        # Persistent, so the desktop and the clipboard stay between driver
        # calls; bounded, so a server that a killed run leaves behind ends
        # by itself a minute after its last program.
        wineserver -p60 >/dev/null 2>&1
        # Starts the desktop and the system services now, not in the first step.
        drv seq >/dev/null 2>&1
        "$fn"
    )
}

# e2e_run_functions FN...: makes the template, runs each scenario function in
# its own prefix, prints "N passed, N failed"; non-zero when one failed.
e2e_run_functions() {
    [ -f "$E2E_TDRIVER" ] || { echo "no driver at $E2E_TDRIVER (build it first)" >&2; return 1; }
    # Prefixes of runs that were killed before their clean-up (700 MB each);
    # their logs and screenshots stay.
    find "$TANSEL_E2E_WORK" -mindepth 1 -maxdepth 3 -path '*/run-*' \( -name template -o -name prefix \) \
        -type d -mmin +180 -prune -exec rm -rf {} + 2>/dev/null
    E2E_RUN=$TANSEL_E2E_WORK/run-$(date +%Y%m%d-%H%M%S)-$$
    mkdir -p "$E2E_RUN"
    local template=${TANSEL_E2E_TEMPLATE:-$E2E_RUN/template}
    e2e_make_template "$template" || return 1
    local passed=0 failed=0 failures=() fn
    for fn in "$@"; do
        local start=$SECONDS
        e2e_log "scenario ${fn#scenario_}"
        # In the background, so a TERM to the run reaches the scenario's
        # clean-up at once.
        e2e_run_scenario "$fn" "$template" &
        E2E_SCENARIO_PID=$!
        trap 'kill -TERM "$E2E_SCENARIO_PID" 2>/dev/null; wait "$E2E_SCENARIO_PID"; exit 143' TERM INT
        local rc=0
        wait "$E2E_SCENARIO_PID" || rc=$?
        trap - TERM INT
        if [ $rc -eq 0 ]; then
            passed=$((passed + 1))
            e2e_log "ok ${fn#scenario_} ($((SECONDS - start)) s)"
        else
            failed=$((failed + 1))
            failures+=("${fn#scenario_}")
            e2e_log "FAILED ${fn#scenario_} ($((SECONDS - start)) s); files in $E2E_RUN/${fn#scenario_}"
        fi
    done
    [ -z "${TANSEL_E2E_TEMPLATE:-}" ] && rm -rf "$template"
    [ $failed -gt 0 ] && e2e_log "failed: ${failures[*]}"
    echo "$passed passed, $failed failed"
    [ $failed -eq 0 ]
}

# Prints the failing command and the chain of calls that led to it.
e2e_err_trace() {
    local where="${BASH_SOURCE[1]##*/}:$1" i
    for ((i = 1; i < ${#FUNCNAME[@]} - 1; i++)); do
        where+=", in ${FUNCNAME[i]} called at ${BASH_SOURCE[i + 1]##*/}:${BASH_LINENO[i]}"
    done
    printf 'FAIL: %s: %s\n' "$where" "$2" >&2
}

# e2e_main [--tdriver PATH] [--exe PATH] SCENARIO-FILE [NAME-FILTER...]
e2e_main() {
    while [ $# -gt 0 ]; do
        case $1 in
            --tdriver) E2E_TDRIVER=$2; shift 2 ;;
            --exe) E2E_TANSEL=$2; shift 2 ;;
            *) break ;;
        esac
    done
    local file=$1
    shift
    # shellcheck disable=SC1090
    source "$file"
    local fns=() fn f
    for fn in $(declare -F | awk '{print $3}' | grep '^scenario_'); do
        if [ $# -gt 0 ]; then
            for f in "$@"; do [[ $fn == *"$f"* ]] && fns+=("$fn") && break; done
        else
            fns+=("$fn")
        fi
    done
    [ ${#fns[@]} -gt 0 ] || { echo "no scenario matches" >&2; return 1; }
    e2e_run_functions "${fns[@]}"
}
