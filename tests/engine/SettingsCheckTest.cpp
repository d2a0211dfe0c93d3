// The rules of the settings check that stand on their own: dotted IPv4 and contiguous masks.
#include "engine/SettingsCheck.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsCheck, OnlyFourDecimalBytesJoinedByDotsAreDottedIPv4) {
    const std::pair<const char*, std::optional<std::uint32_t>> cases[] = {
        {"192.168.1.10", 0xC0A8010A},    {"0.0.0.0", 0},
        {"255.255.255.255", 0xFFFFFFFF}, {"10.0.0.256", std::nullopt},
        {"10.0.0", std::nullopt},        {"10.0.0.1.", std::nullopt},
        {"10.0.0.1.5", std::nullopt},    {"10..0.1", std::nullopt},
        {"010.0.0.1", std::nullopt}, // read as octal by some programs
        {"1000.0.0.1", std::nullopt},    {" 10.0.0.1", std::nullopt},
        {"10.0.0.1 ", std::nullopt},     {"+1.0.0.1", std::nullopt},
        {"fe80::1", std::nullopt},       {"", std::nullopt},
    };
    for (const auto& [text, address] : cases)
        EXPECT_EQ(ParseDottedIPv4(text), address) << text;
}

TEST(SettingsCheck, AMaskIsContiguousWhenItsOnesComeFirst) {
    for (std::uint32_t mask : {0xFFFFFF00u, 0xFFFFFFFFu, 0x80000000u, 0xFFFFFFFCu, 0u})
        EXPECT_TRUE(IsContiguousMask(mask)) << std::hex << mask;
    for (std::uint32_t mask : {0xFF00FF00u, 0x00FFFFFFu, 0xFFFFFF01u, 0x7FFFFFFFu})
        EXPECT_FALSE(IsContiguousMask(mask)) << std::hex << mask;
}

} // namespace
