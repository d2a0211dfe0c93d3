#!/usr/bin/env bash
# Takes a picture of Norvex's main window: starts build/win/bin/Norvex.exe under Wine, in a Wine virtual desktop on
# a virtual X display, with the settings folder given, and saves the window's area as a PNG.
#   tools/screenshot.sh SETTINGS_FOLDER|- OUT.png [SECONDS]
#   NORVEX_DPI=144 tools/screenshot.sh ...    on a display at 150% (a Wine prefix of its own)
set -euo pipefail
cd "$(dirname "$0")/.."
settings="${1:?settings folder, or - for none}"
out="${2:?output PNG}"
wait_seconds="${3:-6}"

build="${NORVEX_BUILD:-build/win}"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cp "$build/bin/Norvex.exe" "$root/"
cp -r "$build/bin/Language" "$root/"
if [ "$settings" != "-" ]; then
    cp -r "$settings" "$root/Settings"
fi

# The window's place and size, as the program will take them from WINDOW.ini.
value() { grep -i "^$1=" "$root/Settings/WINDOW.ini" 2>/dev/null | head -1 | cut -d= -f2 | tr -d '\r' || true; }
left=$(value LEFT); top=$(value TOP); width=$(value WIDTH); height=$(value HEIGHT)
left=${left:-0}; top=${top:-0}; width=${width:-250}; height=${height:-490}
# The stored size is for 96 DPI; the window takes it at the display's scale.
dpi="${NORVEX_DPI:-96}"
width=$((width * dpi / 96)); height=$((height * dpi / 96))

display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY="$display"
if [ "$dpi" = 96 ]; then
    export NORVEX_WINEPREFIX="$PWD/$build/wineprefix"
    run() { tools/wine-run "$@"; }
else
    export NORVEX_WINEPREFIX="$PWD/$build/wineprefix-$dpi"
    run() { tools/wine-run-at-dpi "$dpi" "$@"; }
fi
run explorer "/desktop=Norvex,1024x768" "$root/Norvex.exe" >/dev/null 2>&1 &
app=$!
sleep "$wait_seconds"
import -window root -crop "${width}x${height}+${left}+${top}" +repage "$out"
WINEPREFIX="$NORVEX_WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
kill "$app" "$xvfb" >/dev/null 2>&1 || true
wait >/dev/null 2>&1 || true
echo "Saved $out"
