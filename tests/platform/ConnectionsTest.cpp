// The machine's connections as the system reports them: the one real reading (under Wine it lists the Linux host's
// interfaces), and whether a connection's name can be handed to netsh at all.
#include "platform/Connections.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32
// Four numbers from 0 to 255 joined by dots, as bits.
std::optional<std::uint32_t> ParseDottedIPv4(const std::string& text) {
    unsigned a = 256, b = 256, c = 256, d = 256;
    char rest = 0;
    if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &rest) != 4 || a > 255 || b > 255 || c > 255 ||
        d > 255)
        return std::nullopt;
    return a << 24 | b << 16 | c << 8 | d;
}

bool IsContiguousMask(std::uint32_t mask) {
    return (~mask & (~mask + 1)) == 0;
}

TEST(MachineSnapshot, TheRealReadingListsTheConnectionsWithTheirAddressesAndMasks) {
    const platform::MachineSnapshot machine = platform::ReadMachineSnapshot(false);
    ASSERT_TRUE(machine.Read);
    ASSERT_FALSE(machine.Connections.empty());
    bool someAddress = false;
    for (const platform::NetworkConnection& c : machine.Connections) {
        SCOPED_TRACE(c.Name);
        EXPECT_FALSE(c.Name.empty());
        EXPECT_EQ(c.Guid.front(), '{');
        EXPECT_NE(c.Name, "lo") << "loopback is left out";
        for (const platform::AddressWithMask& address : c.Addresses) {
            someAddress = true;
            EXPECT_TRUE(ParseDottedIPv4(address.Address)) << address.Address;
            const std::optional<std::uint32_t> mask = ParseDottedIPv4(address.Mask);
            ASSERT_TRUE(mask) << address.Mask;
            EXPECT_TRUE(IsContiguousMask(*mask)) << address.Mask;
        }
        for (const std::string& gateway : c.Gateways)
            EXPECT_TRUE(ParseDottedIPv4(gateway)) << gateway;
    }
    EXPECT_TRUE(someAddress);
    EXPECT_FALSE(machine.Firewall) << "asked for without the firewall";
}
#else
TEST(MachineSnapshot, NothingIsReadOutsideWindows) {
    EXPECT_EQ(platform::ReadMachineSnapshot(true), platform::MachineSnapshot());
}
#endif

// A name with a character the code page lacks cannot be given to netsh; a look-alike that a best-fit conversion
// would put in its place (a full-width A for A, infinity for 8) would name another connection.
TEST(ConnectionName, FitsTheCodePageOnlyCharacterForCharacter) {
#ifdef _WIN32
    const bool westernEuropean = GetACP() == 1252;
#else
    const bool westernEuropean = false;
#endif
    struct Row {
        std::u16string Name;
        bool FitsHere;
        std::string Converted; // when it fits
    };
    const Row rows[] = {
        {u"Ethernet 2", true, "Ethernet 2"},
        {u"", true, ""},
        {u"Funk\u00FC", true, westernEuropean ? "Funk\xFC" : "Funk\xC3\xBC"},
        {u"LAN \u2603", !westernEuropean, "LAN \xE2\x98\x83"},
        {u"\uFF21LAN", !westernEuropean, "\xEF\xBC\xA1LAN"},
        {u"Net \u221E", !westernEuropean, "Net \xE2\x88\x9E"},
        {u"Half \xD800 pair", false, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Converted);
        std::string converted;
        EXPECT_EQ(platform::Utf16ToSystemCodePageExactly(row.Name, converted), row.FitsHere);
        if (row.FitsHere) {
            EXPECT_EQ(converted, row.Converted);
        }
    }
}

} // namespace
