// Fuzzes splitting a command line as a Windows program does: any text splits, and words quoted by the usual rules
// split back into the same words.
#include "FuzzCheck.h"
#include "platform/Platform.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// A program name knows no escapes: quoted whole when it holds a blank (it cannot hold a quote).
std::string QuoteProgram(const std::string& program) {
    bool blank = program.empty();
    for (char c : program)
        blank = blank || IsBlank(c);
    return blank ? "\"" + program + "\"" : program;
}

// An argument quoted as Windows programs expect: backslashes doubled before a quote, quotes escaped.
std::string QuoteArgument(const std::string& word) {
    bool plain = !word.empty();
    for (char c : word)
        plain = plain && !IsBlank(c) && c != '"';
    if (plain)
        return word;
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

std::string Join(const std::vector<std::string>& words) {
    std::string line = QuoteProgram(words[0]);
    for (size_t i = 1; i < words.size(); ++i)
        line += " " + QuoteArgument(words[i]);
    return line;
}

// Words from the input: split at NUL bytes, quotes taken out of the program name.
std::vector<std::string> WordsOf(const std::string& bytes) {
    std::vector<std::string> words;
    size_t from = 0;
    for (size_t end; (end = bytes.find('\0', from)) != std::string::npos; from = end + 1)
        words.push_back(bytes.substr(from, end - from));
    words.push_back(bytes.substr(from));
    std::string program;
    for (char c : words[0])
        if (c != '"')
            program += c;
    words[0] = program;
    return words;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Any text: the program name has no quote left in it, and quoting the words again gives the same words.
    const std::vector<std::string> split = platform::SplitCommandLine(bytes);
    if (!split.empty()) {
        FuzzCheck(split[0].find('"') == std::string::npos, "the program name holds no quote");
        FuzzCheck(platform::SplitCommandLine(Join(split)) == split, "split words quoted again split alike");
    }

    // Words quoted by the rules split back into themselves.
    const std::vector<std::string> words = WordsOf(bytes);
    if (!words[0].empty())
        FuzzCheck(platform::SplitCommandLine(Join(words)) == words, "quoted words split back into themselves");
    return 0;
}
