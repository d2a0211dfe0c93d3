#!/usr/bin/env bash
# On a Windows runner (Git Bash, as administrator): real applies with norvex-cli and real netsh. A loopback adapter
# is added as the connection "Norvex CI" (add-loopback.ps1); norvex-cli, copied under Program Files where only
# administrators change files, applies each profile of Settings/LAN1.ini to it in the order of expected.txt, and
# after each apply norvex-cli verify judges it and Windows' own report of the connection (read-adapter.ps1) is
# compared with expected.txt. norvex.txt and norvex.log of every apply are printed. Fails when a profile did not take
# effect.
#   tools/windows-ci/real-apply.sh
set -uo pipefail
export MSYS_NO_PATHCONV=1 # every path a Windows program gets is written in Windows' form here
cd "$(dirname "$0")/../.." || exit 1
here="$PWD/tools/windows-ci"
connection="Norvex CI"
work="$PWD/build/windows-ci/apply"
rm -rf "$work"
mkdir -p "$work"

# PowerShell reads its standard input when that is not a console: it gets none.
powershell_file() { # SCRIPT ARGUMENTS...
    powershell.exe -NoProfile -NonInteractive -ExecutionPolicy Bypass -File "$(cygpath -w "$here/$1")" "${@:2}" \
        < /dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

echo "== The connection \"$connection\": a loopback adapter"
powershell_file add-loopback.ps1 -Name "$connection" || { echo "The loopback adapter could not be added" >&2; exit 1; }

# Where only administrators can change files: Norvex, run as administrator, acts on no file that others can change.
stage="$(cygpath -u -F 38)/Norvex CI"
rm -rf "$stage"
mkdir -p "$stage/Settings"
cp build/win/bin/norvex-cli.exe "$stage/"
cp -r build/win/bin/Language "$stage/"
cp "$here/Settings/LAN1.ini" "$stage/Settings/"
cli=("$stage/norvex-cli.exe" --settings "$(cygpath -w "$stage/Settings")")
temp=$(powershell.exe -NoProfile -NonInteractive -Command '[IO.Path]::GetTempPath()' < /dev/null | tr -d '\r')
temp=$(cygpath -u "$temp")

echo "== The connection before the first apply"
powershell_file read-adapter.ps1 -Name "$connection"

passed=0
failed=0
failures=()
# The lines of a report that belong to the given keys.
only_keys() { # FILE KEY...
    local pattern
    pattern=$(IFS='|' && echo "${*:2}")
    grep -E "^($pattern) " "$1" || true
}

check_profile() { # NUMBER NAME VERIFY KEYS EXPECTED_LINES
    local number=$1 name=$2 verify=$3 expected_lines=$5 decided verify_code apply_code try problems=()
    read -ra decided <<< "$4"
    local log="$work/$number"
    echo "== Profile $number: $name"
    printf '%s' "$expected_lines" > "$log-expected.txt"

    # netsh ends with 1 when any line failed, and some failures are harmless (DHCP already on, no DNS server to
    # delete): whether the profile took effect is for Windows' report and the verification to say.
    rm -f "$temp/norvex.txt" "$temp/norvex.log"
    "${cli[@]}" apply 1 "$name" --no-verify < /dev/null > "$log-apply.txt" 2>&1
    apply_code=$?
    cat "$log-apply.txt"
    echo "norvex-cli apply: exit code $apply_code"
    for file in norvex.txt norvex.log; do
        echo "-- $file"
        if [ -f "$temp/$file" ]; then
            tr -d '\r' < "$temp/$file"
            cp "$temp/$file" "$log-$file"
        else
            echo "(none)"
        fi
    done

    # Windows takes a moment for some settings (routes after a switch to DHCP): read again for up to 15 s.
    for try in $(seq 1 15); do
        powershell_file read-adapter.ps1 -Name "$connection" > "$log-windows.txt"
        only_keys "$log-windows.txt" "${decided[@]}" > "$log-decided.txt"
        cmp -s "$log-decided.txt" "$log-expected.txt" && break
        [ "$try" -lt 15 ] && sleep 1
    done
    echo "-- Windows reports"
    cat "$log-windows.txt"
    if ! cmp -s "$log-decided.txt" "$log-expected.txt"; then
        diff -u --label expected --label "what Windows reports" "$log-expected.txt" "$log-decided.txt"
        problems+=("Windows reports other settings than expected.txt")
    fi

    # Once Windows shows the settings (or has had its time), Norvex's own verification must agree.
    "${cli[@]}" verify 1 "$name" < /dev/null > "$log-verify.txt" 2>&1
    verify_code=$?
    echo "-- norvex-cli verify: exit code $verify_code"
    cat "$log-verify.txt"
    if [ "$verify" != any ] && [ "$verify_code" != "$verify" ]; then
        problems+=("norvex-cli verify gave $verify_code, not $verify")
    fi

    if [ ${#problems[@]} -eq 0 ]; then
        echo "Profile '$name' took effect"
        passed=$((passed + 1))
    else
        for problem in "${problems[@]}"; do
            echo "FAIL: profile '$name': $problem"
            failures+=("profile '$name': $problem")
        done
        failed=$((failed + 1))
    fi
}

# expected.txt, one profile at a time.
count=0
profile="" verify_expected="" keys="" lines=""
check_section() {
    if [ -n "$profile" ]; then
        count=$((count + 1))
        check_profile "$count" "$profile" "$verify_expected" "$keys" "$lines"
    fi
    profile="" verify_expected="" keys="" lines=""
}
while IFS= read -r line <&3; do
    case "$line" in
    '' | '#'*) ;;
    'profile '*)
        check_section
        profile=${line#profile }
        ;;
    'verify '*) verify_expected=${line#verify } ;;
    'keys '*) keys=${line#keys } ;;
    *) lines+="$line"$'\n' ;;
    esac
done 3< "$here/expected.txt"
check_section

for failure in "${failures[@]}"; do
    echo "FAILED: $failure"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
