// Fuzzes the template's variable substitution: any variables and lines give what replacing each occurrence in turn by
// hand gives (searching on after each inserted value), never a line past the length limit, and a template is
// converted line by line.
#include "FuzzCheck.h"
#include "core/Promenne.h"
#include "engine/ApplyProfile.h"
#include "lang/IniFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// The input: the line, then names and values, separated by 0x01 bytes; a few variables at most keep runs quick.
struct Input {
    std::string Line;
    std::vector<TScriptValue> Variables;
};

constexpr size_t MaxVariables = 4;

Input Read(const std::string& bytes) {
    std::vector<std::string> fields(1);
    for (char c : bytes) {
        if (c == '\x01')
            fields.emplace_back();
        else
            fields.back() += c;
    }
    Input input{fields[0], {}};
    for (size_t i = 1; i + 1 < fields.size() && input.Variables.size() < MaxVariables; i += 2)
        input.Variables.push_back({fields[i], fields[i + 1]});
    return input;
}

// The reference folds and edits the whole line at every match: it gives up past this much work, and the line is then
// only checked for its length.
constexpr size_t ReferenceBudget = 64 * 1024 * 1024;

// One variable as a user would replace it by hand in an editor: find the name in the upper-case text from where the
// last value ended, replace it there, go on after the value just inserted; stop where the line would grow past the
// limit, leaving the rest as it is.
std::optional<std::string> ReplaceInTurn(std::string line, const TScriptValue& variable, size_t& budget) {
    const std::string& name = variable.Variable;
    for (size_t from = 0;;) {
        if (line.size() > budget)
            return std::nullopt;
        budget -= line.size();
        size_t found = UpperAscii(line).find(name, from);
        if (found == std::string::npos || line.size() - name.size() + variable.Value.size() > MaxSubstitutedLineLength)
            return line;
        line.replace(found, name.size(), variable.Value);
        from = found + variable.Value.size();
    }
}

// The substitution read plainly: the variables in list order, empty names skipped.
std::optional<std::string> Reference(const Input& input) {
    size_t budget = ReferenceBudget;
    std::string line = input.Line;
    for (const TScriptValue& variable : input.Variables) {
        if (variable.Variable.empty())
            continue;
        std::optional<std::string> replaced = ReplaceInTurn(line, variable, budget);
        if (!replaced)
            return std::nullopt;
        line = std::move(*replaced);
    }
    return line;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const Input input = Read(std::string(reinterpret_cast<const char*>(data), size));
    const std::string substituted = SubstituteVariables(input.Line, input.Variables);
    FuzzCheck(substituted.size() <= std::max(input.Line.size(), MaxSubstitutedLineLength),
              "no line grows past the limit");
    if (std::optional<std::string> expected = Reference(input))
        FuzzCheck(substituted == *expected, "the substitution is what replacing each occurrence in turn gives");

    // The other ways in are checked on lines of ordinary size: substituting a line grown to the limit again and again
    // would take most of the run.
    if (substituted.size() > 1024 * 1024)
        return 0;

    // As the script step calls it: the current profile's variables.
    ResetStore();
    Profiles.resize(1);
    Profiles[0].Scripts.ScriptsValues = input.Variables;
    Selection.CurrentProfile = 0;
    FuzzCheck(SubstituteVariables(input.Line) == substituted, "the current profile's variables substitute alike");

    // A line of one line twice as a template, ended by CR LF and by LF: each converted alike.
    if (input.Line.find('\n') == std::string::npos && (input.Line.empty() || input.Line.back() != '\r')) {
        const std::string converted =
            ConvertTemplate(input.Line + "\r\n" + input.Line + "\n", input.Variables).value_or("(too large)");
        FuzzCheck(converted == substituted + "\r\n" + substituted + "\r\n", "a template is converted line by line");
    }
    return 0;
}
