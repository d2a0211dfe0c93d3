// The ini reader: one parse of a file into sections and keys, then lookups without touching the file again.
#include "lang/IniFile.h"

#include "platform/Platform.h"

namespace {

bool IsIniBlank(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0D) || u == 0x20 || u == 0x1A;
}

// Text in a file with a byte-order mark is converted to the system code page; text without one is taken as it is.
std::string DecodeFileText(const std::string& bytes) {
    auto starts = [&](std::initializer_list<unsigned char> mark) {
        if (bytes.size() < mark.size())
            return false;
        size_t i = 0;
        for (unsigned char m : mark)
            if (static_cast<unsigned char>(bytes[i++]) != m)
                return false;
        return true;
    };
    if (starts({0xEF, 0xBB, 0xBF}))
        return platform::Utf8ToSystemCodePage(bytes.substr(3));
    bool little = starts({0xFF, 0xFE});
    if (little || starts({0xFE, 0xFF})) {
        std::u16string units;
        units.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            unsigned char a = static_cast<unsigned char>(bytes[i]);
            unsigned char b = static_cast<unsigned char>(bytes[i + 1]);
            units.push_back(static_cast<char16_t>(little ? (b << 8 | a) : (a << 8 | b)));
        }
        return platform::Utf16ToSystemCodePage(units);
    }
    return bytes;
}

// A NUL ends a name or a value, as it ends the reader's C strings.
std::string_view CutAtNul(std::string_view text) {
    size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::string FinishValue(std::string_view raw) {
    std::string_view value = CutAtNul(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    if (value.size() > IniFile::MaxValueLength)
        value = value.substr(0, IniFile::MaxValueLength);
    return std::string(value);
}

} // namespace

std::string LowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string UpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string_view TrimIniBlanks(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsIniBlank(text[begin]))
        ++begin;
    while (end > begin && IsIniBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

IniFile IniFile::Parse(const std::string& bytes) {
    IniFile ini;
    const std::string text = DecodeFileText(bytes);

    // Lines before the first header, and a "[]" header, belong to the unnamed section, which always comes first.
    ini.Sections.emplace_back();
    ini.SectionIndex.emplace(std::string(), 0);
    Section* current = &ini.Sections[0];

    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line = TrimIniBlanks(std::string_view(text).substr(pos, end - pos));
        pos = text.find_first_not_of("\r\n", end);
        if (pos == std::string::npos)
            pos = text.size();
        if (line.empty())
            continue;

        size_t close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            std::string name = LowerAscii(CutAtNul(TrimIniBlanks(line.substr(1, close - 1))));
            auto [it, fresh] = ini.SectionIndex.emplace(name, ini.Sections.size());
            // Only the first section of a name is ever searched: keys of a later one are dropped.
            if (fresh) {
                ini.Sections.emplace_back();
                current = &ini.Sections.back();
            } else {
                current = nullptr;
            }
            continue;
        }
        if (current == nullptr)
            continue;

        size_t equals = line.find('=');
        std::string_view key = TrimIniBlanks(line.substr(0, equals));
        std::optional<std::string> value;
        if (equals != std::string_view::npos)
            value = FinishValue(TrimIniBlanks(line.substr(equals + 1)));
        current->Keys.emplace(LowerAscii(CutAtNul(key)), std::move(value));
    }
    return ini;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    auto found = SectionIndex.find(LowerAscii(TrimIniBlanks(section)));
    if (found == SectionIndex.end())
        return std::nullopt;
    const Section& keys = Sections[found->second];
    auto entry = keys.Keys.find(LowerAscii(TrimIniBlanks(key)));
    if (entry == keys.Keys.end())
        return std::nullopt;
    return entry->second;
}
