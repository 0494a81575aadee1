#!/usr/bin/env bash
# Runs end-to-end scenarios: run.sh [--tdriver PATH] [--exe PATH] SUITE [NAME...]
# SUITE names tests/e2e/scenarios/SUITE.sh; NAMEs pick scenarios by substring.
set -uo pipefail
source "$(dirname "$0")/harness.sh"
args=()
while [ $# -gt 0 ]; do
    case $1 in
        --tdriver | --exe) args+=("$1" "$2"); shift 2 ;;
        *) break ;;
    esac
done
[ $# -ge 1 ] || { echo "usage: run.sh [--tdriver PATH] [--exe PATH] SUITE [NAME...]" >&2; exit 2; }
suite=$1
shift
e2e_main "${args[@]}" "$E2E_HERE/scenarios/$suite.sh" "$@"
