// The ini reader against the rules of the Windows profile-string reader.
#include "lang/IniFile.h"

#include <gtest/gtest.h>

namespace {

// A literal with NUL bytes inside, whole.
template <size_t N> std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

std::optional<std::string> Read(const std::string& file, const char* section, const char* key) {
    return IniFile::Parse(file).Value(section, key);
}

TEST(IniFile, AllLineEndsEndLinesAndLastLineNeedsNoEnd) {
    std::string file = "[s]\r\na=1\nb=2\rc=3\r\r\n\n\nd=4";
    EXPECT_EQ(Read(file, "s", "a"), "1");
    EXPECT_EQ(Read(file, "s", "b"), "2");
    EXPECT_EQ(Read(file, "s", "c"), "3");
    EXPECT_EQ(Read(file, "s", "d"), "4");
}

TEST(IniFile, BlanksAroundNamesAndValuesAreTrimmedButInnerBlanksStay) {
    std::string file = " \t[ sec ] \r\n  key one  =  a  b \x1a\r\n";
    EXPECT_EQ(Read(file, "sec", "key one"), "a  b");
    EXPECT_EQ(Read(file, "  SEC ", " KEY ONE "), "a  b");
}

TEST(IniFile, NamesMatchWithoutRegardToAsciiCase) {
    std::string file = "[apply]\napply_caption=Wait\n";
    EXPECT_EQ(Read(file, "APPLY", "APPLY_CAPTION"), "Wait");
    EXPECT_EQ(Read(file, "Apply", "Apply_Caption"), "Wait");
}

TEST(IniFile, AbsentKeysSectionsAndKeysWithoutEquals) {
    std::string file = "[s]\nbare\nempty=\n";
    EXPECT_EQ(Read(file, "s", "bare"), std::nullopt);
    EXPECT_EQ(Read(file, "s", "empty"), "");
    EXPECT_EQ(Read(file, "s", "missing"), std::nullopt);
    EXPECT_EQ(Read(file, "other", "empty"), std::nullopt);
    EXPECT_EQ(Read("", "s", "k"), std::nullopt);
}

TEST(IniFile, FirstSectionAndFirstKeyWin) {
    std::string file = "[s]\nk=first\nk=second\nbare\n[t]\nx=1\n[S]\nk=later\nonly=later\n";
    EXPECT_EQ(Read(file, "s", "k"), "first");
    EXPECT_EQ(Read(file, "s", "only"), std::nullopt);
    // Whatever was looked up before, the first line of a key is the one found.
    IniFile ini = IniFile::Parse("[s]\nK=first\nx=1\nk=second\ny=2\n");
    EXPECT_EQ(ini.Value("s", "y"), "2");
    EXPECT_EQ(ini.Value("s", "x"), "1");
    EXPECT_EQ(ini.Value("s", "k"), "first");
    EXPECT_EQ(ini.Value("s", "k"), "first");
    // A key line without "=" that comes first hides a later line with a value.
    EXPECT_EQ(Read("[s]\nk\nk=v\n", "s", "k"), std::nullopt);
}

TEST(IniFile, SectionHeaders) {
    EXPECT_EQ(Read("[a]b]c\nk=v\n", "a]b", "k"), "v");
    EXPECT_EQ(Read("[Hdr]key=val\n", "Hdr", "key"), std::nullopt);
    // "[" without "]" is an ordinary key line of the current section.
    EXPECT_EQ(Read("[s]\n[Open key=val\n", "s", "[Open key"), "val");
}

TEST(IniFile, LinesBeforeTheFirstHeaderFormTheUnnamedSectionAndEmptyHeadersAreItsLaterDuplicates) {
    std::string file = "top=1\n[s]\nk=v\n[]\nhidden=2\n";
    EXPECT_EQ(Read(file, "", "top"), "1");
    EXPECT_EQ(Read(file, "", "hidden"), std::nullopt);
    EXPECT_EQ(Read("[]\nk=v\n", "", "k"), std::nullopt);
}

TEST(IniFile, CommentsAreOrdinaryKeys) {
    std::string file = "[s]\n;a=b\n#c=d\nk=v ;c\n";
    EXPECT_EQ(Read(file, "s", ";a"), "b");
    EXPECT_EQ(Read(file, "s", "#c"), "d");
    EXPECT_EQ(Read(file, "s", "k"), "v ;c");
}

TEST(IniFile, MatchingQuotesAreRemovedOnce) {
    std::string file = "[s]\na=\" x \"\nb='y'\nc=''\nd=\"\ne=\"z'\nf=\"\"q\"\"\n";
    EXPECT_EQ(Read(file, "s", "a"), " x ");
    EXPECT_EQ(Read(file, "s", "b"), "y");
    EXPECT_EQ(Read(file, "s", "c"), "");
    EXPECT_EQ(Read(file, "s", "d"), "\"");
    EXPECT_EQ(Read(file, "s", "e"), "\"z'");
    EXPECT_EQ(Read(file, "s", "f"), "\"q\"");
}

TEST(IniFile, NulCutsNamesAndValuesBeforeQuotesAreLookedAt) {
    std::string file = Bytes("[s]\nq=\"a\0\"\nk\0ey=v\n");
    EXPECT_EQ(Read(file, "s", "q"), "\"a");
    EXPECT_EQ(Read(file, "s", "k"), "v");
}

TEST(IniFile, ValuesAreCutAt2047CharactersButLinesHaveNoLimit) {
    std::string longValue(5000, 'x');
    std::string file = "[s]\nk=" + longValue + "\nafter=1\n";
    EXPECT_EQ(Read(file, "s", "k"), std::string(2047, 'x'));
    EXPECT_EQ(Read(file, "s", "after"), "1");
}

TEST(IniFile, ByteOrderMarksAreSkipped) {
    EXPECT_EQ(Read("\xEF\xBB\xBF[s]\nk=v\n", "s", "k"), "v");
    std::string little = Bytes("\xFF\xFE[\0s\0]\0\n\0k\0=\0v\0");
    EXPECT_EQ(Read(little, "s", "k"), "v");
    std::string big = Bytes("\xFE\xFF\0[\0s\0]\0\n\0k\0=\0v");
    EXPECT_EQ(Read(big, "s", "k"), "v");
}

TEST(IniFile, BinaryGarbageNeverBreaksTheReader) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919) & 0xFF);
    IniFile ini = IniFile::Parse(garbage + "\n[s]\nk=v\n");
    EXPECT_EQ(ini.Value("s", "k"), "v");
}

} // namespace
