#!/usr/bin/env bash
# Installs what the builds and tests need, on a machine that has only the base image. Quick when all is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ make                   # the native build
    libgtest-dev libbenchmark-dev                # tests and benchmarks
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 # the Windows build
    wine wine64 fonts-wine                       # running the Windows build here
    xvfb xauth x11-apps x11-utils imagemagick    # a display for windows under test, and screenshots
    clang libclang-rt-14-dev                     # fuzzers and sanitizers
    nsis osslsigncode openssl zip unzip          # the release files: installer, signatures, ZIP
    shellcheck                                   # the lint of the scripts the Windows workflow runs
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt_get() { if [ "$(id -u)" -eq 0 ]; then apt-get "$@"; else sudo apt-get "$@"; fi; }
    apt_get update -q
    apt_get install -y -q --no-install-recommends "${missing[@]}"
fi
