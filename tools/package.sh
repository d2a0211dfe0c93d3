#!/usr/bin/env bash
# Builds Norvex for Windows and makes the release files in dist/: the portable ZIP, the installer, SHA256SUMS and
# the winget manifest.
#   tools/package.sh
#   NORVEX_SIGN_CERT, NORVEX_SIGN_KEY  a code-signing certificate and its key: every executable is signed (tools/sign.sh)
#   NORVEX_DOWNLOAD_URL                the address of the folder the release files are downloaded from (for winget)
#   NORVEX_DIST                        where the release files go (default dist)
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
start=$SECONDS

# The programs that ship, by CMake target: the first always, the others once the build has them.
programs=(Norvex norvex-cli)

tools/setup.sh

build=build/win
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
targets=(norvex_data)
for program in "${programs[@]}"; do
    if ninja -C "$build" -t query "$program" > /dev/null 2>&1; then
        targets+=("$program")
    fi
done
cmake --build "$build" --target "${targets[@]}"

version=$(sed -n 's/^#define NORVEX_VERSION "\(.*\)"$/\1/p' "$build/generated/NorvexVersion.h")
[ -n "$version" ] || { echo "No version in $build/generated/NorvexVersion.h" >&2; exit 1; }
signing=no
if [ -n "${NORVEX_SIGN_CERT:-}${NORVEX_SIGN_KEY:-}" ]; then
    [ -n "${NORVEX_SIGN_CERT:-}" ] && [ -n "${NORVEX_SIGN_KEY:-}" ] ||
        { echo "Signing needs both NORVEX_SIGN_CERT and NORVEX_SIGN_KEY" >&2; exit 1; }
    signing=yes
fi

dist="${NORVEX_DIST:-dist}"
mkdir -p "$dist"
dist=$(cd "$dist" && pwd)
zip_name="Norvex-$version-win64.zip"
setup_name="Norvex-$version-setup.exe"
rm -f "$dist/$zip_name" "$dist/$setup_name" "$dist/SHA256SUMS"

# The folder as it ships; no Settings folder, so that a fresh copy starts empty.
work="$root/build/package"
stage="$work/Norvex"
rm -rf "$work"
mkdir -p "$stage/Language/Help"
crlf() { sed -e 's/\r$//' -e 's/$/\r/' "$1"; } # Notepad before Windows 10 shows LF-only text as one line
for program in "${programs[@]}"; do
    if [ -f "$build/bin/$program.exe" ]; then
        x86_64-w64-mingw32-strip --strip-all -o "$stage/$program.exe" "$build/bin/$program.exe"
        if [ $signing = yes ]; then
            tools/sign.sh "$stage/$program.exe" "Norvex"
        fi
    elif [ "$program" = "${programs[0]}" ]; then
        echo "Missing $build/bin/$program.exe" >&2
        exit 1
    fi
done
cp data/Language/GUI.ini "$stage/Language/"
cp data/Language/Help/*.htm "$stage/Language/Help/"
crlf LICENSE > "$stage/LICENSE.txt"
crlf packaging/README.txt | sed "s/@VERSION@/$version/g" > "$stage/README.txt"

# Fixed times and a sorted list: the same files make the same ZIP.
stamp=$(git log -1 --format=%ct 2> /dev/null || date +%s)
find "$stage" -exec touch -h -d "@$stamp" {} +
(cd "$work" && find Norvex | LC_ALL=C sort | TZ=UTC zip -q -X -9 -@ "$dist/$zip_name")

# The installer installs and removes exactly the staged files; makensis takes them from this list.
{
    echo "!macro NorvexInstallFiles"
    (cd "$stage" && find . -type d | LC_ALL=C sort) | while read -r folder; do
        folder="${folder#.}"
        echo "    SetOutPath \"\$INSTDIR${folder//\//\\}\""
        (cd "$stage/$folder" && find . -maxdepth 1 -type f | LC_ALL=C sort) | while read -r file; do
            echo "    File \"$stage$folder/${file#./}\""
        done
    done
    echo "!macroend"
    echo "!macro NorvexRemoveFiles"
    (cd "$stage" && find . -type f | LC_ALL=C sort) | while read -r file; do
        file="${file#./}"
        echo "    Delete \"\$INSTDIR\\${file//\//\\}\""
    done
    (cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while read -r folder; do
        folder="${folder#./}"
        echo "    RMDir \"\$INSTDIR\\${folder//\//\\}\""
    done
    echo "!macroend"
} > "$work/files.nsh"

nsis_defines=(-DVERSION="$version" -DSTAGE="$stage" -DFILES="$work/files.nsh"
    -DICON="$root/resources/icons/norvex.ico" -DOUTFILE="$dist/$setup_name")
if [ $signing = yes ]; then
    nsis_defines+=(-DSIGN="$root/tools/sign.sh")
fi
makensis -V2 -NOCD "${nsis_defines[@]}" packaging/Norvex.nsi
if [ $signing = yes ]; then
    tools/sign.sh "$dist/$setup_name" "Norvex $version setup"
fi

(cd "$dist" && sha256sum "$zip_name" "$setup_name" > SHA256SUMS)

# The winget manifest, with the installer's address and checksum.
setup_sha=$(sha256sum "$dist/$setup_name" | cut -d' ' -f1 | tr a-f A-F)
url="${NORVEX_DOWNLOAD_URL:-NORVEX_DOWNLOAD_URL-not-set}/$setup_name"
manifests="$dist/winget/$version"
rm -rf "$dist/winget" && mkdir -p "$manifests"
for template in packaging/winget/*.yaml; do
    sed -e "s|@VERSION@|$version|g" -e "s|@SHA256@|$setup_sha|g" -e "s|@URL@|$url|g" "$template" \
        > "$manifests/$(basename "$template")"
done

echo "== Release files of Norvex $version in $dist ($((SECONDS - start)) s, signed: $signing)"
(cd "$dist" && ls -l "$zip_name" "$setup_name" SHA256SUMS && echo "winget/$version/")
if [ -z "${NORVEX_DOWNLOAD_URL:-}" ]; then
    echo "Set NORVEX_DOWNLOAD_URL before submitting the winget manifest: it has no download address yet."
fi
