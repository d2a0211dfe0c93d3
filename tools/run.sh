#!/usr/bin/env bash
# Builds Norvex.exe and starts it under Wine. Without a display it runs on a virtual one: a picture of that display
# is saved a few seconds after the start, and Norvex runs until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build/win --target Norvex norvex_data

if [ -n "${DISPLAY:-}" ]; then
    exec tools/wine-run build/win/bin/Norvex.exe
fi

picture="$PWD/build/win/run-screenshot.png"
displayfile=$(mktemp)
app=""
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$displayfile" > /dev/null 2>&1 &
xvfb=$!
stop() {
    [ -n "$app" ] && kill "$app" > /dev/null 2>&1
    kill "$xvfb" > /dev/null 2>&1
    rm -f "$displayfile"
}
trap stop EXIT
trap 'exit 130' INT TERM
for _ in $(seq 1 50); do
    [ -s "$displayfile" ] && break
    sleep 0.1
done
export DISPLAY=":$(cat "$displayfile")"

echo "No display: Norvex runs on the virtual display $DISPLAY."
tools/wine-run build/win/bin/Norvex.exe &
app=$!
# The first start in a new Wine prefix takes seconds more: wait for the window, then give it time to paint.
for _ in $(seq 1 60); do
    xwininfo -root -tree 2> /dev/null | grep -qi '"norvex.exe"' && break
    sleep 0.5
done
sleep 3
import -window root "$picture"
echo "A picture of it: $picture"
echo "Norvex keeps running; Ctrl+C stops it."
wait "$app"
