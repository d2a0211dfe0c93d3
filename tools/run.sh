#!/usr/bin/env bash
# Builds Norvex.exe and starts it under Wine (on a virtual display when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build/win --target Norvex norvex_data

if [ -n "${DISPLAY:-}" ]; then
    exec tools/wine-run build/win/bin/Norvex.exe
else
    echo "No display: Norvex runs on a virtual one (tools/screenshot.sh takes a picture of it)."
    exec xvfb-run -a -s "-screen 0 1280x1024x24" tools/wine-run build/win/bin/Norvex.exe
fi
