// The ini reader shared by the language and settings files: it reads a file the way the Windows profile-string
// reader does, so a file reads the same on every platform.
#pragma once

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
    static IniFile Parse(const std::string& bytes);

    // The value of the key in the first section of that name; nullopt when the section or the key is absent
    // (a key line without "=" counts as absent). Names match without regard to ASCII letter case.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

private:
    struct Section {
        // First line of each key wins; a line without "=" is kept as an absent value so that it still wins.
        std::unordered_map<std::string, std::optional<std::string>> Keys;
    };
    std::vector<Section> Sections;
    std::unordered_map<std::string, size_t> SectionIndex;
};

// Folds ASCII A-Z to a-z and leaves every other byte as it is.
std::string LowerAscii(std::string_view text);
std::string UpperAscii(std::string_view text);

// Trims the ini reader's blanks (0x09 to 0x0D, 0x20 and 0x1A) at both ends.
std::string_view TrimIniBlanks(std::string_view text);
