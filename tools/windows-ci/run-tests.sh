#!/usr/bin/env bash
# On a Windows runner (Git Bash): every test executable of the Windows build, natively, as ctest runs them through
# Wine on Linux, and norvex-cli's script against the checked-in bytes (tests/cli/data/scripts.txt). Each program's
# output and GoogleTest's XML report go to build/windows-ci/tests/.
#   tools/windows-ci/run-tests.sh
# Not run here: the 144-DPI runs of the window tests, which need a display set to 150% (a new sign-in on Windows).
set -uo pipefail
# Git Bash would guess which arguments are paths and rewrite them; here every path a program gets is written in
# Windows' form (cygpath -m) and nothing is guessed.
export MSYS_NO_PATHCONV=1
cd "$(dirname "$0")/../.." || exit 1
root="$PWD"
tests="$root/build/win/tests-bin"
cli="$root/build/win/bin/norvex-cli.exe"
logs="$root/build/windows-ci/tests"
rm -rf "$logs"
mkdir -p "$logs"

passed=0
failed=0
failures=()
result() { # NAME EXIT_CODE
    if [ "$2" -eq 0 ]; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        failures+=("$1 (exit code $2)")
    fi
}

programs=("$tests"/*_tests.exe)
if [ ! -f "${programs[0]}" ]; then
    echo "No test executables in $tests" >&2
    exit 1
fi
for program in "${programs[@]}"; do
    name=$(basename "$program" .exe)
    echo "== $name"
    # Each in a folder of its own, as ctest gives each a working folder that is not the program's.
    mkdir -p "$logs/$name"
    (cd "$logs/$name" && timeout 900 "$program" "--gtest_output=xml:$(cygpath -m "$logs/$name.xml")") < /dev/null 2>&1 |
        tee "$logs/$name.log"
    result "$name" "${PIPESTATUS[0]}"
done

echo "== norvex-cli script, byte for byte"
while read -r expected arguments; do
    case "$expected" in '' | '#'*) continue ;; esac
    read -ra words <<< "$arguments"
    output="$logs/script-$expected.txt"
    (cd tests/cli/data && "$cli" --settings Settings "${words[@]}") < /dev/null > "$output"
    code=$?
    if [ $code -eq 0 ] && ! cmp "$output" "tests/cli/data/$expected.txt"; then
        code=1
    fi
    echo "norvex-cli --settings Settings $arguments: exit code $code"
    result "script $expected" $code
done < tests/cli/data/scripts.txt

for failure in "${failures[@]}"; do
    echo "FAILED: $failure"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
