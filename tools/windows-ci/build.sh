#!/usr/bin/env bash
# On the Linux runner: the Windows build with its test executables, cross-compiled as on the developers' machines
# (tools/setup.sh installs the same Debian packages), and the release files in dist/. The Windows jobs run these
# very files, so what they prove holds for what ships and for what the tests under Wine ran.
set -euo pipefail
cd "$(dirname "$0")/../.."

tools/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release -DNORVEX_TESTS=ON \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build build/win
# Unsigned: the runners install it as it is, and no signing key belongs in this workflow.
tools/package.sh
