// Fuzzes the ini reader: any bytes parse, and every lookup answers as a plain line-by-line reading of the rules
// does, whatever the order of the lookups.
#include "FuzzCheck.h"
#include "lang/IniFile.h"
#include "platform/Platform.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

bool IsBlank(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0D) || u == 0x20 || u == 0x1A;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

bool StartsWith(const std::string& bytes, std::string_view mark) {
    return bytes.compare(0, mark.size(), mark) == 0;
}

// The text after the byte-order mark, in the system code page.
std::string Decode(const std::string& bytes) {
    if (StartsWith(bytes, "\xEF\xBB\xBF"))
        return platform::Utf8ToSystemCodePage(bytes.substr(3));
    bool little = StartsWith(bytes, "\xFF\xFE");
    if (!little && !StartsWith(bytes, "\xFE\xFF"))
        return bytes;
    std::u16string units;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        unsigned a = static_cast<unsigned char>(bytes[i]);
        unsigned b = static_cast<unsigned char>(bytes[i + 1]);
        units.push_back(static_cast<char16_t>(little ? (b << 8 | a) : (a << 8 | b)));
    }
    return platform::Utf16ToSystemCodePage(units);
}

// Lines end at CR or LF; every line is trimmed and blank ones vanish.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = Trim(text.substr(pos, end - pos));
        if (!line.empty())
            lines.push_back(line);
        pos = end + 1;
    }
    return lines;
}

bool IsHeader(std::string_view line) {
    return line.front() == '[' && line.find(']') != std::string_view::npos;
}

std::string HeaderName(std::string_view line) {
    size_t close = line.rfind(']');
    return LowerAscii(CutAtNul(Trim(line.substr(1, close - 1))));
}

std::string KeyName(std::string_view line) {
    return std::string(CutAtNul(Trim(line.substr(0, line.find('=')))));
}

// One line read plainly: a header with its folded name and whether a section of that name came before, or a key
// line with its folded key and its value cut and unquoted.
struct PlainLine {
    bool Header = false;
    bool Repeated = false;
    std::string Name;
    std::string OriginalName;
    std::optional<std::string> Value;
};

std::vector<PlainLine> ReadPlainly(const std::vector<std::string_view>& lines) {
    std::vector<PlainLine> plain;
    std::vector<std::string> seen{""};
    for (std::string_view line : lines) {
        PlainLine p;
        if (IsHeader(line)) {
            p.Header = true;
            p.Name = HeaderName(line);
            for (const std::string& earlier : seen)
                p.Repeated = p.Repeated || earlier == p.Name;
            if (!p.Repeated)
                seen.push_back(p.Name);
        } else {
            p.OriginalName = KeyName(line);
            p.Name = LowerAscii(p.OriginalName);
            size_t equals = line.find('=');
            if (equals != std::string_view::npos) {
                std::string_view value = CutAtNul(Trim(line.substr(equals + 1)));
                if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                    value.back() == value.front())
                    value = value.substr(1, value.size() - 2);
                p.Value = std::string(value.substr(0, IniFile::MaxValueLength));
            }
        }
        plain.push_back(std::move(p));
    }
    return plain;
}

// The rules plainly: only the first section of a name is searched, and in it the first line of the key answers.
std::optional<std::string> ReferenceValue(const std::vector<PlainLine>& lines, std::string_view section,
                                          std::string_view key) {
    const std::string wantedSection = LowerAscii(Trim(section));
    const std::string wantedKey = LowerAscii(Trim(key));
    bool searching = wantedSection.empty();
    for (const PlainLine& line : lines) {
        if (line.Header) {
            if (searching)
                return std::nullopt; // the first section of the name has ended without the key
            searching = !line.Repeated && line.Name == wantedSection;
        } else if (searching && line.Name == wantedKey) {
            return line.Value;
        }
    }
    return std::nullopt;
}

// The reference reads the whole text for every lookup: a sample keeps the target quick on long inputs.
constexpr size_t MaxQueries = 64;

struct Query {
    std::string Section;
    std::string Key;
};

// Section and key names of the text, under the header they follow, plus names that are surely absent.
std::vector<Query> QueriesOf(const std::vector<PlainLine>& lines) {
    std::vector<Query> queries;
    std::string section;
    for (const PlainLine& line : lines) {
        if (line.Header)
            section = line.Name;
        else if (queries.size() < MaxQueries)
            queries.push_back({section, line.OriginalName});
    }
    queries.push_back({section, "NO SUCH KEY"});
    queries.push_back({"no such section", "NAME"});
    return queries;
}

// Asked names differ from the file's in letter case and blanks around them; the answer must not.
std::string Disguise(const std::string& name, size_t variant) {
    switch (variant % 4) {
    case 1:
        return UpperAscii(name);
    case 2:
        return " \t" + name + " ";
    case 3:
        return LowerAscii(name);
    default:
        return name;
    }
}

void CheckLookup(const IniFile& ini, const std::vector<PlainLine>& lines, const Query& query, size_t variant) {
    std::optional<std::string> got = ini.Value(Disguise(query.Section, variant), Disguise(query.Key, variant + 1));
    std::optional<std::string> expected = ReferenceValue(lines, query.Section, query.Key);
    FuzzCheck(got == expected, "a lookup answers as the rules say");
    if (got) {
        FuzzCheck(got->size() <= IniFile::MaxValueLength, "values are at most 2047 characters");
        FuzzCheck(got->find('\0') == std::string::npos, "values hold no NUL");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const IniFile ini = IniFile::Parse(bytes);
    const std::string text = Decode(bytes);
    const std::vector<PlainLine> lines = ReadPlainly(Lines(text));
    const std::vector<Query> queries = QueriesOf(lines);

    // In file order (as the settings reader asks), backwards, and jumping between the two ends.
    for (size_t i = 0; i < queries.size(); ++i)
        CheckLookup(ini, lines, queries[i], i);
    for (size_t i = queries.size(); i-- > 0;)
        CheckLookup(ini, lines, queries[i], i + 1);
    for (size_t i = 0; i < queries.size(); ++i)
        CheckLookup(ini, lines, queries[i % 2 == 0 ? i / 2 : queries.size() - 1 - i / 2], i + 2);
    return 0;
}
