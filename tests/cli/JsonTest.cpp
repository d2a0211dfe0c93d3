// JSON string literals as norvex-cli writes them, and the code page text they are made from.
#include "cli/Json.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace {

TEST(JsonString, EscapesQuotesBackslashesAndControlCharactersOnly) {
    const std::pair<std::string, std::string> cases[] = {
        {"", "\"\""},
        {"Local Area Connection", "\"Local Area Connection\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\Temp\\x", "\"C:\\\\Temp\\\\x\""},
        {"a\tb\r\nc\b\f", "\"a\\tb\\r\\nc\\b\\f\""},
        {std::string("\x01\x1f\x7f", 3), "\"\\u0001\\u001f\x7f\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"caf\xC3\xA9", "\"caf\xC3\xA9\""}, // UTF-8 passes as it is
    };
    for (const auto& [text, json] : cases)
        EXPECT_EQ(JsonString(text), json);
}

TEST(SystemCodePageToUtf8, GivesValidUtf8ForTheSystemsOwnText) {
    // The code page's own letter comes back as the same letter in UTF-8, on either system.
    EXPECT_EQ(platform::SystemCodePageToUtf8(platform::Utf8ToSystemCodePage("caf\xC3\xA9")), "caf\xC3\xA9");
#ifndef _WIN32
    // Where the code page is UTF-8, bytes that form no character become U+FFFD one by one.
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(platform::SystemCodePageToUtf8("caf\xE9"), "caf" + replacement);
    EXPECT_EQ(platform::SystemCodePageToUtf8("\xC0\xAF"), replacement + replacement);                   // overlong
    EXPECT_EQ(platform::SystemCodePageToUtf8("\xED\xA0\x80"), replacement + replacement + replacement); // surrogate
    EXPECT_EQ(platform::SystemCodePageToUtf8("\xF0\x9F\x98\x80!"), "\xF0\x9F\x98\x80!");
    EXPECT_EQ(platform::SystemCodePageToUtf8("\xE2\x82"), replacement + replacement); // cut short
#endif
}

} // namespace
