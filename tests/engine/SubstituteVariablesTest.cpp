// The variable substitution of a script template, line by line.
#include "engine/ApplyProfile.h"

#include "TestFolders.h"
#include "lang/IniFile.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Variables = std::vector<TScriptValue>;

std::string Substitute(const std::string& line, const Variables& variables) {
    return SubstituteVariables(line, variables);
}

// The repeated search as the program has always done it, step by step; nullopt when it has not ended after `limit`
// replacements.
std::optional<std::string> RepeatedSearch(std::string line, const Variables& variables, size_t limit) {
    for (const TScriptValue& variable : variables) {
        if (variable.Variable.empty())
            continue;
        size_t replacements = 0;
        for (size_t found; (found = UpperAscii(line).find(variable.Variable)) != std::string::npos;) {
            if (++replacements > limit)
                return std::nullopt;
            line.replace(found, variable.Variable.size(), variable.Value);
        }
    }
    return line;
}

TEST(SubstituteVariables, AVariableIsReplacedWhereverItsNameStandsInAnyLetterCase) {
    EXPECT_EQ(Substitute("address=ip;IP", {{"IP", "10.0.0.5"}}), "address=10.0.0.5;10.0.0.5");
    EXPECT_EQ(Substitute("Host=$host$", {{"$HOST$", "Office-PC"}}), "Host=Office-PC");
}

TEST(SubstituteVariables, ANameWithLowerCaseLettersNeverMatches) {
    EXPECT_EQ(Substitute("address=ip;IP", {{"ip", "10.0.0.5"}}), "address=ip;IP");
    EXPECT_EQ(Substitute("Ip", {{"Ip", "x"}}), "Ip");
}

TEST(SubstituteVariables, AnEmptyNameOrAnEmptyListChangesNothing) {
    EXPECT_EQ(Substitute("line", {{"", "x"}}), "line");
    EXPECT_EQ(Substitute("line", {}), "line");
    EXPECT_EQ(Substitute("", {{"A", "x"}}), "");
}

TEST(SubstituteVariables, ALaterVariableAlsoReplacesWhatAnEarlierValueBroughtIn) {
    EXPECT_EQ(Substitute("a", {{"A", "B"}, {"B", "C"}}), "C");
    EXPECT_EQ(Substitute("a", {{"B", "C"}, {"A", "B"}}), "B");
}

// The search goes on after the value just inserted: a match that would form across its edge is left as it is.
TEST(SubstituteVariables, AMatchAcrossTheEdgeOfAnInsertedValueIsLeftAsItIs) {
    EXPECT_EQ(Substitute("AABB", {{"AB", "A"}}), "AAB");
    EXPECT_EQ(Substitute("aab", {{"AB", "B"}}), "aB");
    EXPECT_EQ(Substitute("ABB", {{"AB", "XA"}}), "XAB");
    // Doubling the line for every A in front of it, read literally.
    EXPECT_EQ(Substitute("AAAB", {{"AB", "BBA"}}), "AABBA");
    // Never ending, read literally: each inserted value ends in a B that makes a new match with the A after it.
    ASSERT_EQ(RepeatedSearch("BAA", {{"BA", "AABb"}}, 2000), std::nullopt);
    EXPECT_EQ(Substitute("BAA", {{"BA", "AABb"}}), "AABbA");
}

TEST(SubstituteVariables, AValueThatBringsItsNameBackIsInsertedOncePerOccurrence) {
    EXPECT_EQ(Substitute("ip, IP and iP", {{"IP", "ip-IP"}}), "ip-IP, ip-IP and ip-IP");
    EXPECT_EQ(Substitute("$X$$X$", {{"$X$", "$X$"}}), "$X$$X$");
    EXPECT_EQ(Substitute("no name here", {{"N", "n"}}), "no name here");
}

TEST(SubstituteVariables, ASearchThatWouldNeverEndOtherwiseIsBoundedToo) {
    // BAB -> ABBA keeps making new matches although the value does not hold the name.
    ASSERT_EQ(RepeatedSearch("BBBBBABBB", {{"BAB", "ABBA"}}, 2000), std::nullopt);
    EXPECT_EQ(Substitute("BBBBBABBB", {{"BAB", "ABBA"}}), "BBBBABBABB");
}

TEST(SubstituteVariables, OtherBytesThanAsciiLettersAreLeftAsTheyAre) {
    EXPECT_EQ(Substitute("\xE9v\xC9V", {{"\xC9V", "e"}}), "\xE9ve");
}

TEST(SubstituteVariables, TheOneArgumentFormUsesTheCurrentProfilesVariables) {
    ScratchFolder folder;
    PointStoreAt(folder);
    EXPECT_EQ(SubstituteVariables("gw=GW"), "gw=GW");
    Selection.CurrentProfile = AppendProfile();
    Profiles.back().Scripts.ScriptsValues = {{"GW", "10.0.0.1"}};
    EXPECT_EQ(SubstituteVariables("gw=GW"), "10.0.0.1=10.0.0.1");
}

TEST(SubstituteVariables, ALongLineWithManyOccurrencesIsQuick) {
    std::string line;
    for (int i = 0; i < 100000; ++i)
        line += "ip=$IP$;";
    const std::string result = Substitute(line, {{"$IP$", "192.168.100.200"}});
    EXPECT_EQ(result.size(), line.size() + 100000u * 11u);
    EXPECT_EQ(result.substr(0, 22), "ip=192.168.100.200;ip=");
}

TEST(SubstituteVariables, VariablesThatMultiplyTheLineStopAtTheLimitInsteadOfExhaustingMemory) {
    const std::string ten(10, 'A');
    const std::string result = Substitute("A", Variables(9, {"A", ten}));
    EXPECT_LE(result.size(), MaxSubstitutedLineLength);
    EXPECT_GT(result.size(), MaxSubstitutedLineLength - 10);
    EXPECT_EQ(result.find_first_not_of('A'), std::string::npos);
}

TEST(ConvertTemplate, LinesEndAtLfOrCrLfAndAreWrittenWithCrLf) {
    const Variables none;
    EXPECT_EQ(ConvertTemplate("a\r\nb\nc", none), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(ConvertTemplate("a\r\n", none), "a\r\n");
    EXPECT_EQ(ConvertTemplate("a\r\n\r\n", none), "a\r\n\r\n");
    EXPECT_EQ(ConvertTemplate("\n\n", none), "\r\n\r\n");
}

TEST(ConvertTemplate, AnEmptyTemplateIsOneEmptyLine) {
    EXPECT_EQ(ConvertTemplate("", {}), "\r\n");
}

TEST(ConvertTemplate, ALoneCrStaysInItsLine) {
    EXPECT_EQ(ConvertTemplate("a\rb\r\n", {}), "a\rb\r\n");
}

TEST(ConvertTemplate, EveryLineIsSubstituted) {
    EXPECT_EQ(ConvertTemplate("[N]\nname=n\n", {{"N", "x"}}), "[x]\r\nxame=x\r\n");
}

// Each line stays within its bound, but a template of many lines that each grow would need gigabytes.
TEST(ConvertTemplate, ATextGrowingPastItsBoundGivesNothing) {
    const Variables megabyte = {{"X", std::string(1024 * 1024, 'x')}};
    const size_t lines = MaxConvertedTemplateLength / (1024 * 1024);
    std::string manyLines;
    for (size_t i = 0; i < lines - 1; ++i)
        manyLines += "X\n";
    EXPECT_TRUE(ConvertTemplate(manyLines, megabyte).has_value());
    EXPECT_FALSE(ConvertTemplate(manyLines + "X\n", megabyte).has_value());
}

} // namespace
