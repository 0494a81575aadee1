#!/usr/bin/env bash
# Sets up, builds and runs every test: the portable tests natively, the same
# tests and the Win32 tests cross-built under Wine, and the end-to-end
# scenarios against the real Tansel.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TANSEL_BUILD:-$root/build}
# Text beyond ASCII (the native case tables, xclip copies of "café") needs a
# UTF-8 locale; a fresh machine may have none set.
if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
  export LC_ALL=C.UTF-8
fi
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
source "$root/scripts/wine-env.sh"
tansel_wine_prefix
# The end-to-end suites share one template prefix per build tree.
export TANSEL_E2E_TEMPLATE="${TANSEL_E2E_TEMPLATE:-$build/e2e/template}"
# Wine tests that open windows share one virtual display for the whole run.
tansel_display
trap '[ -n "${TANSEL_XVFB_PID:-}" ] && kill "$TANSEL_XVFB_PID" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
ctest --test-dir "$build" --output-on-failure --timeout 300 "$@"
