#!/usr/bin/env bash
# On a Windows runner (Git Bash, as administrator): the installer in dist/ run silently and natively, as
# tests/packaging/packages_test.sh runs it under Wine: install with every option, first start, installs over a
# running Norvex, uninstall, and a fresh install that leaves nothing when removed. Windows shows what Wine cannot:
# the sign-in task's trigger, user and program, and the shortcuts' targets.
#   tools/windows-ci/package-checks.sh
set -uo pipefail
export MSYS_NO_PATHCONV=1 # every path a Windows program gets is written in Windows' form here
cd "$(dirname "$0")/../.." || exit 1
work="$PWD/build/windows-ci/package"
rm -rf "$work"
mkdir -p "$work"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
expect_file() { [ -f "$1" ] || fail "missing $1"; }
expect_no_file() { [ ! -e "$1" ] || fail "still there: $1"; }
# Waits up to SECONDS for a shell condition to hold.
wait_for() { # SECONDS COMMAND...
    local tries=$(($1 * 2))
    shift
    for _ in $(seq 1 "$tries"); do
        "$@" && return 0
        sleep 0.5
    done
    return 1
}

setups=(dist/Norvex-*-setup.exe)
zips=(dist/Norvex-*-win64.zip)
if [ ! -f "${setups[0]}" ] || [ ! -f "${zips[0]}" ]; then
    echo "No installer or ZIP in dist/" >&2
    exit 1
fi
setup="$PWD/${setups[0]}"
version=${setup##*/Norvex-}
version=${version%-setup.exe}

system=$(cygpath -u -S)
folder="$(cygpath -u -F 38)/Norvex" # Program Files
folder_windows=$(cygpath -w "$folder")
start_menu="$(cygpath -u -F 23)/Norvex.lnk" # the Start menu's programs, for all users
desktop="$(cygpath -u -F 25)/Norvex.lnk"    # the desktop of all users
task="$system/Tasks/Norvex"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Norvex'

registry_value() {
    reg query "$uninstall_key" /v "$1" 2> /dev/null | tr -d '\r' | sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}
expect_value() {
    local value
    value=$(registry_value "$1")
    [ "$value" = "$2" ] || fail "uninstall entry $1 is '$value', not '$2'"
}
# A shortcut's program and start folder, one a line.
# shellcheck disable=SC2016 # PowerShell's variables, expanded by PowerShell
shortcut() { # LINK
    local code='$link = (New-Object -ComObject WScript.Shell).CreateShortcut($env:NORVEX_LINK); '
    code+='$link.TargetPath; $link.WorkingDirectory'
    NORVEX_LINK=$(cygpath -w "$1") powershell.exe -NoProfile -NonInteractive -Command "$code" < /dev/null | tr -d '\r'
}
installed_files() { (cd "$folder" && find . -type f ! -path './Settings/*' | sed 's|^\./|Norvex/|' | LC_ALL=C sort); }
uninstalled() { [ ! -e "$folder/Uninstall.exe" ]; }
norvex_ended() { ! kill -0 "$norvex" 2> /dev/null; }
run_setup() {
    echo "$setup $*"
    "$setup" "$@" || fail "the installer ended with $? ($*)"
}

echo "== The installer of Norvex $version and the ZIP's files"
"$system/tar.exe" -tf "$(cygpath -w "${zips[0]}")" | tr -d '\r' | grep -v '/$' |
    (cat && echo Norvex/Uninstall.exe) | LC_ALL=C sort > "$work/expected-installed.txt"
cat "$work/expected-installed.txt"

echo "== Silent install with the desktop shortcut and the sign-in task"
run_setup /S /DESKTOP /AUTOSTART
installed_files | diff -u "$work/expected-installed.txt" - || fail "installed files differ from the ZIP's"
[ ! -e "$folder/Settings" ] || fail "the installer made a Settings folder"
expect_value DisplayName Norvex
expect_value DisplayVersion "$version"
expect_value Publisher "The Norvex authors"
expect_value DisplayIcon "\"$folder_windows\\Norvex.exe\",0"
expect_value InstallLocation "$folder_windows"
expect_value UninstallString "\"$folder_windows\\Uninstall.exe\""
expect_value QuietUninstallString "\"$folder_windows\\Uninstall.exe\" /S"
expect_file "$start_menu"
expect_file "$desktop"
for link in "$start_menu" "$desktop"; do
    if [ -f "$link" ]; then
        { read -r target && read -r start; } < <(shortcut "$link")
        echo "$link: $target, starting in $start"
        [ "$target" = "$folder_windows\\Norvex.exe" ] || fail "$link starts '$target'"
        [ "$start" = "$folder_windows" ] || fail "$link starts in '$start', not in the program's folder"
    fi
done
expect_file "$task"
if [ -f "$task" ]; then
    task_text=$(tr -d '\0\r' < "$task")
    echo "$task_text"
    for part in "<LogonTrigger>" "<RunLevel>HighestAvailable</RunLevel>" "$folder_windows\\Norvex.exe" \
        "<ExecutionTimeLimit>PT0S</ExecutionTimeLimit>" \
        "<DisallowStartIfOnBatteries>false</DisallowStartIfOnBatteries>"; do
        grep -qF "$part" <<< "$task_text" || fail "the sign-in task has no $part"
    done
fi

echo "== The installed Norvex.exe starts and makes its Settings folder beside it"
"$folder/Norvex.exe" &
norvex=$!
wait_for 30 test -d "$folder/Settings" || fail "no Settings folder 30 s after the start"

echo "== A second silent install while Norvex runs: same folder, Norvex closed with its settings saved"
run_setup /S
if ! wait_for 30 norvex_ended; then
    fail "Norvex still runs after an install over it"
    kill "$norvex"
fi
expect_file "$folder/Settings/WINDOW.ini"
expect_file "$folder/Settings/LAN1.ini"
installed_files | diff -u "$work/expected-installed.txt" - || fail "files differ after the second install"
expect_file "$desktop"
expect_file "$task"

echo "== A third silent install keeps the profiles"
printf '[LAN]\r\nNAME=Planted\r\nCAPTION=Office\r\n' > "$folder/Settings/LAN1.ini"
cp "$folder/Settings/LAN1.ini" "$work/LAN1.ini"
run_setup /S
cmp -s "$work/LAN1.ini" "$folder/Settings/LAN1.ini" || fail "Settings\\LAN1.ini changed by an install over it"

echo "== Silent uninstall: the program, shortcuts, task and entry go, Settings stays"
# The uninstaller runs on from a copy of itself in the temporary folder; its own file goes last.
"$folder/Uninstall.exe" /S || fail "the uninstaller ended with $?"
wait_for 120 uninstalled || fail "Uninstall.exe still there 120 s after the uninstall"
left=$(cd "$folder" && find . -type f ! -path './Settings/*')
[ -z "$left" ] || fail "left after the uninstall: $left"
cmp -s "$work/LAN1.ini" "$folder/Settings/LAN1.ini" || fail "Settings\\LAN1.ini changed by the uninstall"
expect_file "$folder/Settings/WINDOW.ini"
expect_no_file "$start_menu"
expect_no_file "$desktop"
expect_no_file "$task"
[ -z "$(registry_value DisplayName)" ] || fail "uninstall entry still there"

echo "== A fresh silent install has only the Start-menu shortcut; its uninstall leaves nothing"
rm -rf "$folder"
run_setup /S
installed_files | diff -u "$work/expected-installed.txt" - || fail "files differ after a fresh install"
expect_file "$start_menu"
expect_no_file "$desktop"
expect_no_file "$task"
"$folder/Uninstall.exe" /S || fail "the uninstaller ended with $?"
wait_for 120 uninstalled || fail "Uninstall.exe still there 120 s after the uninstall"
wait_for 30 test ! -e "$folder" || fail "the folder is still there after the uninstall"

if [ $failures -ne 0 ]; then
    echo "$failures package checks failed"
    exit 1
fi
echo "All package checks passed"
