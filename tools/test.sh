#!/usr/bin/env bash
# Lints the Windows workflow, builds Norvex natively and for Windows and runs every test: natively, the Windows build
# under Wine, and the release files (the ZIP and the installer) under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh

echo "== Lint: the Windows workflow and the scripts it runs"
tools/lint.sh

echo "== Native build and tests"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVEX_TESTS=ON
cmake --build build/native
(cd build/native && ctest --output-on-failure)

echo "== Windows build and tests under Wine"
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVEX_TESTS=ON -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build/win
# Windows that are really created need a display.
(cd build/win && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure --timeout 600)

echo "== Soak check under Wine: no everyday operation keeps more than 1 KiB per cycle"
tools/soak.sh 60

echo "== Release files and their tests under Wine"
tests/packaging/packages_test.sh
