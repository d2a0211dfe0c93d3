// Command lines split as a Windows program splits its own, and the folder part of a path.
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace {

using Words = std::vector<std::string>;

TEST(SplitCommandLine, TheProgramAndItsArgumentsAreSplitAtBlanks) {
    EXPECT_EQ(platform::SplitCommandLine("netsh exec script.txt"), (Words{"netsh", "exec", "script.txt"}));
    EXPECT_EQ(platform::SplitCommandLine("  netsh \t exec   a  "), (Words{"netsh", "exec", "a"}));
}

TEST(SplitCommandLine, AnEmptyOrBlankLineHasNoProgram) {
    EXPECT_TRUE(platform::SplitCommandLine("").empty());
    EXPECT_TRUE(platform::SplitCommandLine(" \t ").empty());
}

TEST(SplitCommandLine, QuotesGroupBlanksAndAreRemoved) {
    EXPECT_EQ(platform::SplitCommandLine("netsh exec \"C:\\Temp dir\\norvex.txt\""),
              (Words{"netsh", "exec", "C:\\Temp dir\\norvex.txt"}));
    EXPECT_EQ(platform::SplitCommandLine("\"C:\\Program Files\\x.exe\" a\"b c\"d"),
              (Words{"C:\\Program Files\\x.exe", "ab cd"}));
    EXPECT_EQ(platform::SplitCommandLine("prog \"\" x"), (Words{"prog", "", "x"}));
}

TEST(SplitCommandLine, TheProgramNameKnowsNoBackslashEscapes) {
    EXPECT_EQ(platform::SplitCommandLine("C:\\dir\\\"x y\"\\p.exe a"), (Words{"C:\\dir\\x y\\p.exe", "a"}));
}

TEST(SplitCommandLine, BackslashesCountOnlyBeforeAQuote) {
    EXPECT_EQ(platform::SplitCommandLine("p a\\\\b c\\"), (Words{"p", "a\\\\b", "c\\"}));
    // 2n backslashes and a quote: n backslashes, the quote groups.
    EXPECT_EQ(platform::SplitCommandLine("p \"a\\\\\" b"), (Words{"p", "a\\", "b"}));
    // 2n+1 backslashes and a quote: n backslashes and a literal quote.
    EXPECT_EQ(platform::SplitCommandLine("p a\\\\\\\"b c"), (Words{"p", "a\\\"b", "c"}));
    EXPECT_EQ(platform::SplitCommandLine("p \\\"a"), (Words{"p", "\"a"}));
}

TEST(SplitCommandLine, TwoQuotesInsideAQuotedPartGiveAQuote) {
    EXPECT_EQ(platform::SplitCommandLine("p \"a\"\"b\" c"), (Words{"p", "a\"b", "c"}));
    EXPECT_EQ(platform::SplitCommandLine("p \"a b"), (Words{"p", "a b"}));
}

// What norvex-cli hands to the process it starts comes back word for word: blanks, quotes, empty words, and the
// backslashes of a folder before a closing quote.
TEST(JoinCommandLine, SplitsBackIntoTheSameWords) {
    const Words rows[] = {
        {"C:\\Program Files\\Norvex\\norvex-cli.exe", "keep-or-revert", "1", "2"},
        {"p", "--settings", "C:\\My Settings\\", "x\\"},
        {"p", "", "a b", "\"quoted\"", "a\\\"b", "tab\there", "\\\\server\\share"},
        {"p"},
    };
    for (const Words& words : rows) {
        const std::string line = platform::JoinCommandLine(words);
        EXPECT_EQ(platform::SplitCommandLine(line), words) << line;
    }
    EXPECT_EQ(platform::JoinCommandLine({"p", "plain", "C:\\dir\\"}), "\"p\" plain C:\\dir\\");
}

TEST(IsRemotePath, TwoSeparatorsAtTheStartNameAnotherComputerButForALocalDrive) {
    for (const char* remote : {"\\\\server\\share\\t.cfg", "//server/share/t.cfg", "\\/server/x",
                               "\\\\?\\UNC\\server\\x", "\\\\server@SSL\\DavWWWRoot\\x"})
        EXPECT_TRUE(platform::IsRemotePath(remote)) << remote;
    for (const char* local :
         {"C:\\t.cfg", "\\t.cfg", "/home/t.cfg", "t.cfg", "", "\\\\?\\C:\\t.cfg", "\\\\.\\d:\\t.cfg"})
        EXPECT_FALSE(platform::IsRemotePath(local)) << local;
}

TEST(FolderPartOf, KeepsEverythingUpToTheLastSeparator) {
    const std::string s(1, platform::PathSeparator());
    EXPECT_EQ(platform::FolderPartOf(s + "a" + s + "b" + s + "c.cfg"), s + "a" + s + "b" + s);
    EXPECT_EQ(platform::FolderPartOf(s + "a" + s), s + "a" + s);
    EXPECT_EQ(platform::FolderPartOf("c.cfg"), "");
    EXPECT_EQ(platform::FolderPartOf(""), "");
}

#ifdef _WIN32
TEST(FolderPartOf, OnWindowsSlashesAndTheDriveColonSeparateToo) {
    EXPECT_EQ(platform::FolderPartOf("C:\\a/b.cfg"), "C:\\a/");
    EXPECT_EQ(platform::FolderPartOf("C:b.cfg"), "C:");
}
#endif

} // namespace
