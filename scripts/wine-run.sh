#!/usr/bin/env bash
# ctest's emulator for the cross-built tests: runs one Windows program under
# Wine in the project's prefix, with a display when the test needs windows.
set -u
source "$(dirname "$0")/wine-env.sh"
tansel_wine_prefix
started=
if [ -z "${DISPLAY:-}" ]; then
  tansel_display || exit 1
  started=$TANSEL_XVFB_PID
fi
wine "$@"
rc=$?
if [ -n "$started" ]; then
  kill "$started" 2>/dev/null
  wait "$started" 2>/dev/null
fi
exit $rc
