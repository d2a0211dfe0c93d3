// The variable substitution of a script template, line by line.
#include "engine/ApplyProfile.h"

#include "TestFolders.h"
#include "lang/IniFile.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

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

TEST(SubstituteVariables, TheSearchStartsAgainAfterEveryReplacement) {
    // "AAB": the replaced text makes a new match that starts before it.
    EXPECT_EQ(Substitute("aab", {{"AB", "B"}}), "B");
    EXPECT_EQ(Substitute("xABBy", {{"AB", "A"}}), "xAy");
    // A match that reaches past the inserted value into the untouched rest.
    EXPECT_EQ(Substitute("ABB", {{"AB", "XA"}}), "XXA");
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

// Short lines of a few letters, which make overlapping and returning matches likely: whenever the repeated search
// ends, the result is the same as its own.
TEST(SubstituteVariables, AgreesWithTheRepeatedSearchWhereverThatEnds) {
    std::mt19937 random(20051127);
    auto text = [&random](const char* letters, size_t maxLength) {
        std::string out(std::uniform_int_distribution<size_t>(0, maxLength)(random), ' ');
        const size_t count = std::char_traits<char>::length(letters);
        for (char& c : out)
            c = letters[std::uniform_int_distribution<size_t>(0, count - 1)(random)];
        return out;
    };
    size_t compared = 0;
    for (int round = 0; round < 20000; ++round) {
        Variables variables;
        const size_t count = std::uniform_int_distribution<size_t>(1, 3)(random);
        for (size_t i = 0; i < count; ++i)
            variables.push_back({text("AB", 3), text("ABab", 4)});
        const std::string line = text("ABab", 12);
        std::optional<std::string> expected = RepeatedSearch(line, variables, 200);
        if (!expected)
            continue;
        ++compared;
        ASSERT_EQ(Substitute(line, variables), *expected) << "line " << line;
    }
    EXPECT_GT(compared, 12000u);
}

TEST(SubstituteVariables, ALongLineWithManyOccurrencesIsQuick) {
    std::string line;
    for (int i = 0; i < 100000; ++i)
        line += "ip=$IP$;";
    const std::string result = Substitute(line, {{"$IP$", "192.168.100.200"}});
    EXPECT_EQ(result.size(), line.size() + 100000u * 11u);
    EXPECT_EQ(result.substr(0, 22), "ip=192.168.100.200;ip=");
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

} // namespace
