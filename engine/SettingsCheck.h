// Checking a settings folder: values the reader takes without a word but that would not do what their owner meant
// once a profile is applied. For folders copied between machines and files edited by hand.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One thing wrong, where it stands.
struct TSettingsFinding {
    std::string File; // the file name, without its folder
    std::string Section;
    std::string Key;
    std::string Text;
    bool operator==(const TSettingsFinding&) const = default;
};

// Four decimal numbers from 0 to 255 joined by dots, nothing around them and no leading zeros (which some programs
// read as octal).
std::optional<std::uint32_t> ParseDottedIPv4(std::string_view text);

// Ones from the top, then only zeros.
bool IsContiguousMask(std::uint32_t mask);

// Reads WINDOW.ini and LAN1.ini to LAN5.ini of SettingsDir into the store, creating nothing, and says what is wrong:
// values that are not integers, pairs without their second key, addresses and masks that are not dotted IPv4, masks
// that are not contiguous, connection names netsh would not read as one value, gateways outside the subnet of every
// address, profiles of a slot sharing a name, script variables that can never match, templates that do not exist. File
// by file, section by section.
std::vector<TSettingsFinding> CheckSettingsFolder();
