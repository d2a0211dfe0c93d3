// The ini reader: one parse of a file into sections and keys, then lookups without touching the file again.
#include "lang/IniFile.h"

#include "platform/Platform.h"

namespace {

bool IsIniBlank(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x09 && u <= 0x0D) || u == 0x20 || u == 0x1A;
}

// Text in a file with a byte-order mark is converted to the system code page; text without one is taken as it is.
std::string DecodeFileText(std::string bytes) {
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

namespace {

char FoldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    return true;
}

std::uint32_t FoldedHash(std::string_view key) {
    std::uint32_t hash = 2166136261u;
    for (char c : key)
        hash = (hash ^ static_cast<unsigned char>(FoldAscii(c))) * 16777619u;
    return hash;
}

size_t LineEnd(const std::string& text, size_t from) {
    while (from < text.size() && text[from] != '\r' && text[from] != '\n')
        ++from;
    return from;
}

} // namespace

// Within a section the first line of a key wins: every later line of it is marked so that no search finds it.
void IniFile::ShadowRepeatedKeys(const SectionRange& range) {
    const std::uint32_t count = range.End - range.First;
    if (count < 2)
        return;
    size_t size = 4;
    while (size < static_cast<size_t>(count) * 2)
        size *= 2;
    std::vector<std::uint32_t> table(size, UINT32_MAX);
    for (std::uint32_t i = range.First; i < range.End; ++i) {
        Entry& entry = Entries[i];
        for (size_t slot = entry.KeyHash & (size - 1);; slot = (slot + 1) & (size - 1)) {
            if (table[slot] == UINT32_MAX) {
                table[slot] = i;
                break;
            }
            const Entry& earlier = Entries[table[slot]];
            if (earlier.KeyHash == entry.KeyHash && EqualIgnoringAsciiCase(KeyOf(earlier), KeyOf(entry))) {
                entry.Shadowed = true;
                break;
            }
        }
    }
}

IniFile IniFile::Parse(std::string bytes) {
    IniFile ini;
    ini.Text = DecodeFileText(std::move(bytes));
    // Positions are kept in 32 bits: a settings or language file is never near 4 GiB, and the rest is not read.
    if (ini.Text.size() >= UINT32_MAX)
        ini.Text.resize(UINT32_MAX - 1);
    const std::string& text = ini.Text;

    // Lines before the first header, and a "[]" header, belong to the unnamed section, which always comes first.
    ini.SectionIndex.emplace(std::string(), 0);
    ini.Sections.push_back({0, 0});
    bool searched = true;

    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = LineEnd(text, pos);
        std::string_view line = TrimIniBlanks(std::string_view(text).substr(pos, end - pos));
        pos = end;
        while (pos < text.size() && (text[pos] == '\r' || text[pos] == '\n'))
            ++pos;
        if (line.empty())
            continue;

        size_t close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            std::string name = LowerAscii(CutAtNul(TrimIniBlanks(line.substr(1, close - 1))));
            auto [it, fresh] = ini.SectionIndex.emplace(name, static_cast<std::uint32_t>(ini.Sections.size()));
            // Only the first section of a name is ever searched: keys of a later one are dropped.
            searched = fresh;
            if (fresh) {
                std::uint32_t first = static_cast<std::uint32_t>(ini.Entries.size());
                ini.Sections.push_back({first, first});
            }
            continue;
        }
        if (!searched)
            continue;

        size_t equals = line.find('=');
        std::string_view key = CutAtNul(TrimIniBlanks(line.substr(0, equals)));
        Entry entry{static_cast<std::uint32_t>(key.data() - text.data()),
                    static_cast<std::uint32_t>(key.size()),
                    0,
                    0,
                    FoldedHash(key),
                    equals != std::string_view::npos,
                    false};
        if (entry.HasValue) {
            std::string_view value = TrimIniBlanks(line.substr(equals + 1));
            entry.ValueBegin = static_cast<std::uint32_t>(value.data() - text.data());
            entry.ValueLength = static_cast<std::uint32_t>(value.size());
        }
        ini.Entries.push_back(entry);
        ini.Sections.back().End = static_cast<std::uint32_t>(ini.Entries.size());
    }
    for (const SectionRange& range : ini.Sections)
        ini.ShadowRepeatedKeys(range);
    return ini;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const std::string_view asked = TrimIniBlanks(section);
    if (LastSectionIndex == UINT32_MAX || LastSection != asked) {
        auto found = SectionIndex.find(LowerAscii(asked));
        if (found == SectionIndex.end())
            return std::nullopt;
        LastSection.assign(asked);
        LastSectionIndex = found->second;
    }
    const SectionRange& range = Sections[LastSectionIndex];
    const std::string_view wanted = TrimIniBlanks(key);
    const std::uint32_t start = (Cursor >= range.First && Cursor < range.End) ? Cursor : range.First;
    auto found = [&](const Entry& entry, std::uint32_t i) -> std::optional<std::string> {
        Cursor = i + 1;
        if (!entry.HasValue)
            return std::nullopt;
        return FinishValue(std::string_view(Text).substr(entry.ValueBegin, entry.ValueLength));
    };
    // Read in file order, the key is the one at the cursor: found without hashing the name.
    if (start < range.End && !Entries[start].Shadowed && EqualIgnoringAsciiCase(KeyOf(Entries[start]), wanted))
        return found(Entries[start], start);
    const std::uint32_t wantedHash = FoldedHash(wanted);
    const std::uint32_t count = range.End - range.First;
    for (std::uint32_t step = 0; step < count; ++step) {
        std::uint32_t i = start + step;
        if (i >= range.End)
            i -= count;
        const Entry& entry = Entries[i];
        if (entry.KeyHash == wantedHash && !entry.Shadowed && EqualIgnoringAsciiCase(KeyOf(entry), wanted))
            return found(entry, i);
    }
    return std::nullopt;
}

std::vector<std::string> IniFile::SectionNames() const {
    std::vector<std::string> names(Sections.size());
    for (const auto& [name, index] : SectionIndex)
        names[index] = name;
    return names;
}
