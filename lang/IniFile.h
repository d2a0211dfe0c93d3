// The ini reader shared by the language and settings files: it reads a file the way the Windows profile-string
// reader does, so a file reads the same on every platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class IniFile {
public:
    // The longest value handed back; longer values are cut (the reader's 2048-byte buffer with its zero).
    static constexpr size_t MaxValueLength = 2047;

    IniFile() = default;

    // Parses the bytes of a whole file: byte-order marks, line ends, blanks, sections, keys and quotes.
    static IniFile Parse(std::string bytes);

    // The value of the key in the first section of that name; nullopt when the section or the key is absent
    // (a key line without "=" counts as absent). Names match without regard to ASCII letter case.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // The names of the sections, folded to lower case, in file order; the unnamed section first.
    std::vector<std::string> SectionNames() const;

private:
    // One key line of a searched section: ranges of Text.
    struct Entry {
        std::uint32_t KeyBegin;
        std::uint32_t KeyLength;
        std::uint32_t ValueBegin;
        std::uint32_t ValueLength;
        std::uint32_t KeyHash; // of the key folded to lower case: most comparisons stop here
        bool HasValue;
        bool Shadowed; // a later line of a key that already appeared in its section: never found
    };
    // The entries of a section lie next to each other: a later section of the same name is never searched.
    struct SectionRange {
        std::uint32_t First;
        std::uint32_t End;
    };

    void ShadowRepeatedKeys(const SectionRange& range);
    std::string_view KeyOf(const Entry& entry) const {
        return std::string_view(Text).substr(entry.KeyBegin, entry.KeyLength);
    }

    std::string Text;
    std::vector<Entry> Entries;
    std::vector<SectionRange> Sections;
    std::unordered_map<std::string, std::uint32_t> SectionIndex;
    // Where the last lookup found its key: callers read a section's keys mostly in file order, so the next key
    // is usually the next entry. Only a hint; every lookup still searches the whole section.
    mutable std::uint32_t Cursor = 0;
    // The section of the last lookup, as asked: callers read all keys of one section before the next, so most
    // lookups skip folding and hashing the section name.
    mutable std::string LastSection;
    mutable std::uint32_t LastSectionIndex = UINT32_MAX;
};

// Folds ASCII A-Z to a-z and leaves every other byte as it is.
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);

// Trims the ini reader's blanks (0x09 to 0x0D, 0x20 and 0x1A) at both ends.
std::string_view TrimIniBlanks(std::string_view text);
