#!/usr/bin/env bash
# The release files, made by tools/package.sh and signed with a certificate made for this run: their checksums,
# signatures and winget manifest, the ZIP's contents, and the installer run silently under Wine in a prefix of its own
# (install, first start, installs over it, uninstall). Wine keeps only part of a scheduled task (its settings, not
# its trigger, user or program), so only the task's presence and those settings are checked.
set -euo pipefail
cd "$(dirname "$0")/../.."
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

work="$PWD/build/package-test"
dist="$work/dist"
prefix="$work/wineprefix"
export NORVEX_WINEPREFIX="$prefix"
# Shortcuts made under Wine must not become menu entries of this machine's desktop.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
stop_wine() { WINEPREFIX="$prefix" wineserver -k > /dev/null 2>&1 || true; }
stop_wine
trap stop_wine EXIT
rm -rf "$work"
mkdir -p "$work"
began=$SECONDS

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
expect_file() { [ -f "$1" ] || fail "missing ${1#"$prefix/"}"; }
expect_no_file() { [ ! -e "$1" ] || fail "still there: ${1#"$prefix/"}"; }

echo "== Release files, signed with a certificate made for this run"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Norvex test signing" \
    -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature \
    -keyout "$work/sign.key" -out "$work/sign.crt" 2> /dev/null
start=$SECONDS
NORVEX_SIGN_CERT="$work/sign.crt" NORVEX_SIGN_KEY="$work/sign.key" NORVEX_DIST="$dist" tools/package.sh
echo "tools/package.sh took $((SECONDS - start)) s"

version=$(sed -n 's/^#define NORVEX_VERSION "\(.*\)"$/\1/p' build/win/generated/NorvexVersion.h)
zip="$dist/Norvex-$version-win64.zip"
setup="$dist/Norvex-$version-setup.exe"
expect_file "$zip"
expect_file "$setup"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match the files"
manifest="$dist/winget/$version/Norvex.Norvex.installer.yaml"
setup_sha=$(sha256sum "$setup" | cut -d' ' -f1 | tr a-f A-F)
grep -q "^    InstallerSha256: $setup_sha\$" "$manifest" || fail "winget manifest without the installer's SHA-256"
if grep -l "@[A-Z0-9]*@" "$dist/winget/$version"/*.yaml; then
    fail "winget manifest not filled in"
fi
[ "$(grep -c "PackageVersion: $version\$" "$dist/winget/$version"/*.yaml | cut -d: -f2 | sort -u)" = 1 ] ||
    fail "a winget manifest file without PackageVersion $version"

# A signature is there, made with the given certificate, and its digest matches the file (osslsigncode fails
# otherwise).
expect_signed() {
    local out
    if ! out=$(osslsigncode verify -CAfile "$work/sign.crt" -in "$1" 2>&1) ||
        ! grep -q "Subject: /CN=Norvex test signing" <<< "$out"; then
        fail "no valid signature on ${1#"$work/"}"
        echo "$out" | tail -5
    fi
}
expect_signed "$setup"

echo "== The ZIP holds exactly the program, its Language folder, LICENSE.txt and README.txt"
expected=(Norvex/Norvex.exe Norvex/LICENSE.txt Norvex/README.txt Norvex/Language/GUI.ini)
for page in data/Language/Help/*.htm; do
    expected+=("Norvex/Language/Help/$(basename "$page")")
done
if [ -f build/win/bin/norvex-cli.exe ]; then
    expected+=(Norvex/norvex-cli.exe)
fi
printf '%s\n' "${expected[@]}" | LC_ALL=C sort > "$work/expected.txt"
unzip -Z1 "$zip" | grep -v '/$' | LC_ALL=C sort > "$work/zip.txt"
diff -u "$work/expected.txt" "$work/zip.txt" || fail "the ZIP's files differ from the list above"
mkdir -p "$work/unzipped"
unzip -q "$zip" -d "$work/unzipped"
for program in "$work"/unzipped/Norvex/*.exe; do
    expect_signed "$program"
done

# Norvex runs as administrator: a library its import table names and Windows does not keep among its known ones is
# looked for beside the exe first, where a planted one would load, elevated, before any of its code runs. Allowed:
# the KnownDLLs of every Windows from 7 to 11, and comctl32, which the manifest takes from the side-by-side store.
known_imports=" advapi32 clbcatq comctl32 comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi ole32 \
    oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32 "
expect_known_imports() {
    local library
    for library in $(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\tDLL Name: \(.*\)\.[dD][lL][lL]$/\1/p' |
        tr '[:upper:]' '[:lower:]'); do
        [[ "$known_imports" == *" $library "* ]] || fail "${1#"$work/"} imports $library.dll, not a known library"
    done
}
echo "== Every executable imports only Windows' known libraries"
for program in "$work"/unzipped/Norvex/*.exe "$setup"; do
    expect_known_imports "$program"
done
grep -q "@VERSION@" "$work/unzipped/Norvex/README.txt" && fail "README.txt without its version"
for text in README.txt LICENSE.txt; do
    # Older Notepads show a file with bare line feeds as one line.
    [ "$(grep -c $'\r$' "$work/unzipped/Norvex/$text")" = "$(wc -l < "$work/unzipped/Norvex/$text")" ] ||
        fail "$text has lines without CR LF"
done

wine_run() { tools/wine-run "$@" > /dev/null 2>&1; }
# The installer and the uninstaller hand over to other processes; wait until all of them are done.
wine_wait() { WINEPREFIX="$prefix" timeout 120 wineserver -w || fail "Wine processes still running after 120 s"; }
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Norvex'
registry_value() {
    tools/wine-run reg query "$uninstall_key" /v "$1" 2> /dev/null | tr -d '\r' |
        sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}
expect_value() {
    local value
    value=$(registry_value "$1")
    [ "$value" = "$2" ] || fail "uninstall entry $1 is '$value', not '$2'"
}
start_menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Norvex.lnk"
desktop="$prefix/drive_c/users/Public/Desktop/Norvex.lnk"
task="$prefix/drive_c/windows/system32/tasks/Norvex"
installed_files() { (cd "$1" && find . -type f ! -path './Settings/*' | sed 's|^\./|Norvex/|' | LC_ALL=C sort); }

echo "== A folder outside Program Files is refused: nothing installed, exit code 2 (a new Wine prefix takes a while)"
start=$SECONDS
code=0
wine_run "$setup" /S /DESKTOP /AUTOSTART '/D=C:\Tools\Norvex' || code=$?
wine_wait
[ "$code" = 2 ] || fail "a silent install into C:\Tools\Norvex ended with $code, not 2"
expect_no_file "$prefix/drive_c/Tools"
expect_no_file "$task"
[ -z "$(registry_value DisplayName)" ] || fail "uninstall entry made for a refused folder"
# A folder with blanks cannot go through /D here (Wine quotes such an argument, and /D must stand unquoted): it is
# named as an earlier installation names its folder, which the installer takes when /D is not given.
earlier_folder() { tools/wine-run reg add "$uninstall_key" /v InstallLocation /d "$1" /f > /dev/null 2>&1; }
earlier_folder 'C:\Program Files\..\Tools\Norvex'
code=0
wine_run "$setup" /S || code=$?
wine_wait
[ "$code" = 2 ] || fail "a silent install into C:\Program Files\..\Tools\Norvex ended with $code, not 2"
expect_no_file "$prefix/drive_c/Tools"

echo "== Silent install into a folder under Program Files whose name holds an &, with every option"
windows_folder='C:\Program Files\Norvex & Co'
folder="$prefix/drive_c/Program Files/Norvex & Co"
earlier_folder "$windows_folder"
wine_run "$setup" /S /DESKTOP /AUTOSTART
wine_wait
(cat "$work/expected.txt" && echo Norvex/Uninstall.exe) | LC_ALL=C sort > "$work/expected-installed.txt"
installed_files "$folder" | diff -u "$work/expected-installed.txt" - || fail "installed files differ from the ZIP's"
[ ! -e "$folder/Settings" ] || fail "the installer made a Settings folder"
cmp -s "$folder/Norvex.exe" "$work/unzipped/Norvex/Norvex.exe" || fail "installed Norvex.exe differs from the ZIP's"
expect_signed "$folder/Norvex.exe"
expect_signed "$folder/Uninstall.exe"
expect_known_imports "$folder/Uninstall.exe"
expect_value DisplayName Norvex
expect_value DisplayVersion "$version"
expect_value Publisher "The Norvex authors"
expect_value DisplayIcon "\"$windows_folder\\Norvex.exe\",0"
expect_value InstallLocation "$windows_folder"
expect_value UninstallString "\"$windows_folder\\Uninstall.exe\""
expect_value QuietUninstallString "\"$windows_folder\\Uninstall.exe\" /S"
size=$(registry_value EstimatedSize)
[ $((${size:-0})) -ge $(($(stat -c %s "$folder/Norvex.exe") / 1024)) ] || fail "EstimatedSize $size KB is too small"
expect_file "$start_menu"
expect_file "$desktop"
# The shortcuts start in the program's folder: the only UTF-16 string of a .lnk that is the folder itself is its
# start folder (the target lies in an 8-bit field, the relative path starts with a dot).
for shortcut in "$start_menu" "$desktop"; do
    strings -el "$shortcut" | grep -qxF "$windows_folder" || fail "${shortcut##*/} does not start in $windows_folder"
done
expect_file "$task"
# What Wine keeps of the task's settings: no stop after three days, and a start on battery too.
task_text=$(tr -d '\0' < "$task")
grep -q "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>" <<< "$task_text" || fail "sign-in task has a time limit"
grep -q "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>" <<< "$task_text" ||
    fail "sign-in task does not start on battery"

# Wine keeps no task's program, and its schtasks takes XML that is not well formed: the folder's way into the task's
# XML is checked on its own.
makensis -V2 -NOCD -DOUTFILE="$work/xml-text.exe" tests/packaging/XmlText.nsi
wine_run "$work/xml-text.exe"
wine_wait
[ "$(cat "$work/xml.txt" 2> /dev/null)" = 'C:\Program Files\Tools &amp; more &lt;&quot;Bob&apos;s&quot;&gt;' ] ||
    fail "the installer writes a folder name into XML as '$(cat "$work/xml.txt" 2> /dev/null)'"

echo "== The installed Norvex.exe starts and makes its Settings folder beside it"
wine_run "$windows_folder\\Norvex.exe" &
for _ in $(seq 1 60); do
    [ -d "$folder/Settings" ] && break
    sleep 0.5
done
[ -d "$folder/Settings" ] || fail "no Settings folder 30 s after the start"

echo "== A second silent install, without /D, while Norvex runs: same folder, Norvex closed with its settings saved"
wine_run "$setup" /S
wine_wait
expect_file "$folder/Settings/WINDOW.ini"
expect_file "$folder/Settings/LAN1.ini"
installed_files "$folder" | diff -u "$work/expected-installed.txt" - || fail "files differ after the second install"
expect_no_file "$prefix/drive_c/Program Files/Norvex"
# The options start as the first installation chose them.
expect_file "$desktop"
expect_file "$task"

echo "== A third silent install keeps the profiles"
printf '[LAN]\r\nNAME=Planted\r\nCAPTION=Office\r\n' > "$folder/Settings/LAN1.ini"
cp "$folder/Settings/LAN1.ini" "$work/LAN1.ini"
wine_run "$setup" /S
wine_wait
cmp -s "$work/LAN1.ini" "$folder/Settings/LAN1.ini" || fail "Settings\\LAN1.ini changed by an install over it"

echo "== Silent uninstall: the program, shortcuts, task and entry go, Settings stays"
wine_run "$windows_folder\\Uninstall.exe" /S
wine_wait
left=$(cd "$folder" 2> /dev/null && find . -type f ! -path './Settings/*' || true)
[ -z "$left" ] || fail "left after the uninstall: $left"
cmp -s "$work/LAN1.ini" "$folder/Settings/LAN1.ini" || fail "Settings\\LAN1.ini changed by the uninstall"
expect_file "$folder/Settings/WINDOW.ini"
expect_no_file "$start_menu"
expect_no_file "$desktop"
expect_no_file "$task"
[ -z "$(registry_value DisplayName)" ] || fail "uninstall entry still there"

echo "== A fresh silent install goes to Program Files with only the Start-menu shortcut; its uninstall leaves nothing"
folder="$prefix/drive_c/Program Files/Norvex"
wine_run "$setup" /S
wine_wait
installed_files "$folder" | diff -u "$work/expected-installed.txt" - || fail "files differ in Program Files"
expect_file "$start_menu"
expect_no_file "$desktop"
expect_no_file "$task"
wine_run 'C:\Program Files\Norvex\Uninstall.exe' /S
wine_wait
expect_no_file "$folder"
echo "Wine part took $((SECONDS - start)) s; all package checks $((SECONDS - began)) s"

if [ $failures -ne 0 ]; then
    echo "$failures package checks failed"
    exit 1
fi
echo "All package checks passed"
