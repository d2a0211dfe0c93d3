#!/usr/bin/env bash
# The soak check under Wine: the main window's everyday operations (an apply, the profile editor and the IP address
# dialog opened and cancelled, the tray menu opened and closed, page switches), each run over and over after a
# warm-up, and the memory the program keeps per cycle printed. Fails when an operation keeps more than the limit.
#   tools/soak.sh [CYCLES] [LIMIT]    cycles of each operation (default 200), bytes per cycle (default 1024)
# Needs the Windows build (tools/test.sh makes it).
set -euo pipefail
cd "$(dirname "$0")/.."
cycles="${1:-200}"
limit="${2:-1024}"
program="${NORVEX_BUILD:-build/win}/tests-bin/norvex_soak.exe"
if [ ! -f "$program" ]; then
    echo "$program is missing: make the Windows build first (tools/test.sh)"
    exit 2
fi
# Windows that are really created need a display.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
start=$SECONDS
status=0
tools/wine-run "$program" "$cycles" "$limit" || status=$?
echo "The soak check took $((SECONDS - start)) s"
exit $status
