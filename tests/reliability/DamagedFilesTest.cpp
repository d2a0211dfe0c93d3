// Damaged and hostile settings files: the reader takes what it can, reports values that are not integers, and every
// well-formed profile is written back unchanged.
#include "core/Settings.h"

#include "TestFolders.h"
#include "core/Startup.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace std::string_literals;

namespace {

const std::string IntegerTail = "' is not a valid integer value.";

std::string IntegerMessage(const std::string& value) {
    return "'" + value + IntegerTail;
}

// Every field away from its default, every list with elements, and each profile different from the others.
TProfile SampleProfile(int slot, int number) {
    std::string n = std::to_string(number);
    TProfile p;
    p.InterfaceNo = slot;
    p.Name = "Profile " + n;
    p.Icon = number % 9;
    p.OnOff = {number % 2 == 0, number % 2};
    p.Scripts.Apply = true;
    p.Scripts.ScriptsValues = {{"HOST", "host-" + n}, {"IP", "10.0.0." + n}};
    p.Scripts.SourcePath = "C:\\Templates\\t" + n + ".txt";
    p.Scripts.DestinationPath = "C:\\Out\\o" + n + ".txt";
    p.Scripts.Command = "cmd.exe /c \"C:\\Out\\run " + n + ".bat\"";
    p.IP = {true, 1, {{"10.1.0." + n, "255.255.0.0"}, {"10.2.0." + n, "255.0.0.0"}}, {"10.1.0.254"}};
    p.DNS = {true, 1, {"10.1.0.53", "10.1.0.54"}, number % 3};
    p.WINS = {number % 2 == 1, 0, {"10.1.0.80"}};
    p.Firewall = {true, number % 2 == 0, true, number % 2 == 1};
    return p;
}

std::vector<TProfile> SampleProfiles(int slot, int count) {
    std::vector<TProfile> profiles;
    for (int k = 1; k <= count; ++k)
        profiles.push_back(SampleProfile(slot, k));
    return profiles;
}

const TInterfaceSlot SampleSlot{"Office", "Desk by the window", "Local Area Connection", 5, false};

// The file the program writes for slot 1 holding these profiles.
std::string SlotFile(const std::vector<TProfile>& profiles) {
    Interfaces[1] = SampleSlot;
    Profiles = profiles;
    std::string text = SlotFileText(1, false);
    Profiles.clear();
    Interfaces = {};
    return text;
}

// The lines of section [PROFILE_<number>] as the writer wrote them, up to the blank line after it.
std::string ProfileSection(const std::string& file, int number) {
    std::string header = "[PROFILE_" + std::to_string(number) + "]\r\n";
    size_t begin = file.find(header);
    if (begin == std::string::npos)
        return "(no section " + header + ")";
    return file.substr(begin, file.find("\r\n\r\n", begin) - begin);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// The same, within section [PROFILE_<number>] only (number 0: section [LAN]).
std::string ReplacedIn(const std::string& text, int number, const std::string& from, const std::string& to) {
    std::string header = number == 0 ? "[LAN]\r\n" : "[PROFILE_" + std::to_string(number) + "]\r\n";
    size_t begin = text.find(header);
    size_t end = text.find("\r\n\r\n", begin);
    return text.substr(0, begin) + Replaced(text.substr(begin, end - begin), from, to) + text.substr(end);
}

std::string ReplacedAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

bool IsIntegerMessage(const std::string& message) {
    return message.size() > IntegerTail.size() && message.front() == '\'' &&
           message.compare(message.size() - IntegerTail.size(), IntegerTail.size(), IntegerTail) == 0;
}

// Bytes that are mostly the file's own pieces, so that they reach deep into the reader, mixed with any byte at all.
std::string Garbage(std::mt19937& random, size_t pieces) {
    static const char* const Tokens[] = {"[",
                                         "]",
                                         "=",
                                         "\r\n",
                                         "\r",
                                         "\n",
                                         "\0",
                                         "\xEF\xBB\xBF",
                                         "\xFF\xFE",
                                         "\"",
                                         "'",
                                         " ",
                                         "[LAN]",
                                         "[WINDOW]",
                                         "[PROFILE_1]",
                                         "[PROFILE_2]",
                                         "[]",
                                         "NAME=",
                                         "ICON=",
                                         "ICONIZED=",
                                         "SELECTPANEL=",
                                         "LEFT=",
                                         "IP_GATEWAYS_0=",
                                         "IP_ADRESSES_ADDRESS_0=",
                                         "SCRIPTS_SCRIPTSVALUES_VARIABLE_0=",
                                         "DNS_REGISTERINDNS=",
                                         "TRUE",
                                         "2147483648",
                                         "-1",
                                         "PARROR"};
    const size_t tokenCount = sizeof Tokens / sizeof Tokens[0];
    std::string bytes;
    for (size_t i = 0; i < pieces; ++i) {
        std::uint32_t r = random();
        if (r % 3 == 0) {
            bytes += static_cast<char>(r >> 8);
        } else {
            const char* token = Tokens[(r >> 8) % tokenCount];
            bytes += token[0] == '\0' ? std::string(1, '\0') : std::string(token);
        }
    }
    return bytes;
}

class DamagedFiles : public ::testing::Test {
protected:
    ScratchFolder Folder;
    const std::vector<TProfile> Good = SampleProfiles(1, 3);
    const std::string GoodFile = SlotFile(Good);

    void SetUp() override { PointStoreAt(Folder); }
    void TearDown() override { CloseIniFile(); }

    // Reads the damaged slot file, writes the store back and reads that again. The profiles numbered in `kept`
    // (1 to 3 of Good) must be read as they were and written back byte for byte; `count` profiles are read in all.
    void ExpectKept(const std::string& damaged, const std::vector<int>& kept, size_t count,
                    const std::vector<std::string>& messages = {}) {
        Folder.Write("Settings/LAN1.ini", damaged);
        EXPECT_EQ(LoadSettings(1), messages);
        std::vector<int> rows = ProfilesOfSlot(1);
        ASSERT_EQ(rows.size(), count);
        for (int k : kept)
            EXPECT_EQ(Profiles[static_cast<size_t>(rows[static_cast<size_t>(k - 1)])], Good[static_cast<size_t>(k - 1)])
                << "profile " << k;

        const std::vector<TProfile> loaded = Profiles;
        const TInterfaceSlot slot = Interfaces[1];
        SaveSettings();
        std::string written = Folder.Read("Settings/LAN1.ini");
        for (int k : kept)
            EXPECT_EQ(ProfileSection(written, k), ProfileSection(GoodFile, k)) << "profile " << k;
        EXPECT_TRUE(LoadSettings(1).empty());
        EXPECT_EQ(Profiles, loaded);
        EXPECT_EQ(Interfaces[1], slot);
        ++DamagedFilesTried;
    }

public:
    static int DamagedFilesTried;
    static void TearDownTestSuite() { std::printf("Damaged files tried: %d\n", DamagedFilesTried); }
};
int DamagedFiles::DamagedFilesTried = 0;

TEST_F(DamagedFiles, TheUndamagedFileIsKeptWhole) {
    ExpectKept(GoodFile, {1, 2, 3}, 3);
    EXPECT_EQ(Folder.Read("Settings/LAN1.ini"), GoodFile);
}

TEST_F(DamagedFiles, LineEndsOfEveryKindAndNoneAtTheEnd) {
    ExpectKept(ReplacedAll(GoodFile, "\r\n", "\r"), {1, 2, 3}, 3);
    ExpectKept(ReplacedAll(GoodFile, "\r\n", "\n"), {1, 2, 3}, 3);
    ExpectKept(ReplacedAll(GoodFile, "\r\n", "\n\r\r\n"), {1, 2, 3}, 3);
    std::string cut = GoodFile;
    while (!cut.empty() && (cut.back() == '\r' || cut.back() == '\n'))
        cut.pop_back();
    // The last line decides the last profile's last flag: it must still be read.
    ASSERT_EQ(cut.substr(cut.size() - 27), "FIREWALL_ENABLEDIALOGS=TRUE");
    ExpectKept(cut, {1, 2, 3}, 3);
    ExpectKept(ReplacedAll(cut, "\r\n", "\r"), {1, 2, 3}, 3);
}

TEST_F(DamagedFiles, AUtf8ByteOrderMarkIsSkipped) {
    ExpectKept("\xEF\xBB\xBF" + GoodFile, {1, 2, 3}, 3);
    ExpectKept("\xEF\xBB\xBF" + ReplacedAll(GoodFile, "\r\n", "\r"), {1, 2, 3}, 3);
}

TEST_F(DamagedFiles, NulBytesCutOnlyTheValueTheyStandIn) {
    ExpectKept(Replaced(GoodFile, "NAME=Profile 2\r\n", "NAME=Profile 2\0junk\r\n"s), {1, 2, 3}, 3);
    ExpectKept(ReplacedIn(GoodFile, 2, "ICON=2\r\n", "ICON=2\0\0\0\r\n\0\r\n"s), {1, 2, 3}, 3);
    ExpectKept(Replaced(GoodFile, "[PROFILE_3]\r\n", "\0=\0\r\n[PROFILE_3\0]\r\n"s), {1, 2, 3}, 3);
    // The cut name is a different name, and the rest of that profile is still read.
    std::string damaged = Replaced(GoodFile, "NAME=Profile 3\r\n", "NAME=Pro\0file 3\r\n"s);
    ExpectKept(damaged, {1, 2}, 3);
    EXPECT_EQ(Profiles[2].Name, "Pro");
    EXPECT_EQ(Profiles[2].IP, Good[2].IP);
    ExpectKept(std::string(4096, '\0'), {}, 0);
    ExpectKept(GoodFile + std::string(100000, '\0'), {1, 2, 3}, 3);
}

TEST_F(DamagedFiles, TenMegabyteLinesAreReadWithoutHarm) {
    const std::string huge(10 * 1024 * 1024, 'x');
    ExpectKept(ReplacedIn(GoodFile, 1, "ICON=1\r\n", "ICON=1\r\nJUNK=" + huge + "\r\n"), {1, 2, 3}, 3);
    ExpectKept(GoodFile + huge, {1, 2, 3}, 3);
    ExpectKept(huge + "\r\n" + GoodFile, {1, 2, 3}, 3);
    // A value that long is cut at 2047 characters, as every value the reader hands back.
    ExpectKept(
        Replaced(GoodFile, "SCRIPTS_COMMAND=cmd.exe /c \"C:\\Out\\run 2.bat\"\r\n", "SCRIPTS_COMMAND=" + huge + "\r\n"),
        {1, 3}, 3);
    EXPECT_EQ(Profiles[1].Scripts.Command, std::string(IniFile::MaxValueLength, 'x'));
}

TEST_F(DamagedFiles, OnlyTheFirstOfDuplicateSectionsAndKeysCounts) {
    std::string damaged =
        GoodFile + "[PROFILE_2]\r\nNAME=Impostor\r\n[LAN]\r\nNAME=Other slot\r\n[PROFILE_4]\r\nNAME=Four\r\n";
    damaged = ReplacedIn(damaged, 1, "ICON=1\r\n", "ICON=1\r\nNAME=Second name\r\nICON=7\r\n");
    damaged =
        Replaced(damaged, "IP_GATEWAYS_0=10.1.0.254\r\n", "IP_GATEWAYS_0=10.1.0.254\r\nIP_GATEWAYS_0=10.9.9.9\r\n");
    ExpectKept(damaged, {1, 2, 3}, 4);
    EXPECT_EQ(Interfaces[1], SampleSlot);
    EXPECT_EQ(Profiles[3].Name, "Four");
}

TEST_F(DamagedFiles, IntegersBeyond32BitsAreReportedAndTakeTheirDefault) {
    const char* const tooLarge[] = {"2147483648", "-2147483649", "4294967297", "99999999999999999999999",
                                    "1e3",        "0x10",        "12x",        "",
                                    "--1",        "\xD9\xA1"};
    for (const char* value : tooLarge) {
        std::string damaged = ReplacedIn(GoodFile, 2, "ICON=2\r\n", "ICON="s + value + "\r\n");
        ExpectKept(damaged, {1, 3}, 3, {IntegerMessage(value)});
        TProfile expected = Good[1];
        expected.Icon = 4;
        EXPECT_EQ(Profiles[1], expected) << value;
    }
    // The edges of 32 bits are integers.
    std::string edges = ReplacedIn(GoodFile, 1, "ICON=1\r\n", "ICON=2147483647\r\n");
    edges = ReplacedIn(edges, 2, "ICON=2\r\n", "ICON=-2147483648\r\n");
    ExpectKept(edges, {3}, 3);
    EXPECT_EQ(Profiles[0].Icon, 2147483647);
    EXPECT_EQ(Profiles[1].Icon, -2147483648);
}

TEST_F(DamagedFiles, EveryBadIntegerOfAFileIsReportedAndNothingElseIsLost) {
    std::string damaged = ReplacedIn(GoodFile, 0, "ICON=5\r\n", "ICON=two\r\n");
    damaged = ReplacedIn(damaged, 1, "ONOFF_COMMAND=1\r\n", "ONOFF_COMMAND=on\r\n");
    damaged = ReplacedIn(damaged, 3, "IP_SOURCETYPE=1\r\n", "IP_SOURCETYPE=2147483648\r\n");
    ExpectKept(damaged, {2}, 3, {IntegerMessage("two"), IntegerMessage("on"), IntegerMessage("2147483648")});
    EXPECT_EQ(Interfaces[1].Icon, 1); // the slot number
    TProfile first = Good[0];
    first.OnOff.Command = 0;
    EXPECT_EQ(Profiles[0], first);
    TProfile third = Good[2];
    third.IP.SourceType = 0;
    EXPECT_EQ(Profiles[2], third);
}

TEST_F(DamagedFiles, IconsOutOfRangeAreKeptAsTheyAre) {
    std::string damaged = ReplacedIn(GoodFile, 0, "ICON=5\r\n", "ICON=-3\r\n");
    damaged = ReplacedIn(damaged, 1, "ICON=1\r\n", "ICON=-1\r\n");
    damaged = ReplacedIn(damaged, 2, "ICON=2\r\n", "ICON=1000000\r\n");
    damaged = ReplacedIn(damaged, 3, "ICON=3\r\n", "ICON=-2147483648\r\n");
    ExpectKept(damaged, {}, 3);
    EXPECT_EQ(Interfaces[1].Icon, -3);
    EXPECT_EQ(Profiles[0].Icon, -1);
    EXPECT_EQ(Profiles[1].Icon, 1000000);
    EXPECT_EQ(Profiles[2].Icon, -2147483648);
    std::string written = Folder.Read("Settings/LAN1.ini");
    for (const char* line : {"ICON=-3\r\n", "ICON=-1\r\n", "ICON=1000000\r\n", "ICON=-2147483648\r\n"})
        EXPECT_NE(written.find(line), std::string::npos) << line;
}

TEST_F(DamagedFiles, APageOutOfRangeShowsTheInformationPage) {
    const char* const pages[] = {"-1", "6", "99999999999", "03", "+3", "3x", "3 3", ""};
    for (const char* page : pages) {
        Folder.Write("Settings/WINDOW.ini",
                     "[WINDOW]\r\nLEFT=-2147483648\r\nTOP=2147483647\r\nSELECTPANEL=" + std::string(page) + "\r\n");
        EXPECT_TRUE(LoadSettings(0).empty()) << page;
        EXPECT_EQ(WindowState.SelectPanel, 0) << page;
        EXPECT_EQ(WindowState.Left, -2147483648);
        EXPECT_EQ(WindowState.Top, 2147483647);
        ++DamagedFilesTried;
    }
    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL= 5 \r\nHEIGHT=99999999999\r\nWIDTH=wide\r\n");
    EXPECT_EQ(LoadSettings(0), (std::vector<std::string>{IntegerMessage("99999999999"), IntegerMessage("wide")}));
    EXPECT_EQ(WindowState.SelectPanel, 5);
    EXPECT_EQ(WindowState.Height, 490);
    EXPECT_EQ(WindowState.Width, 250);
    ++DamagedFilesTried;
}

TEST_F(DamagedFiles, TenThousandProfilesInOneSlot) {
    const std::vector<TProfile> many = SampleProfiles(1, 10000);
    const std::string file = SlotFile(many);
    Folder.Write("Settings/LAN1.ini", file);
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(LoadSettings(1).empty());
    ASSERT_EQ(Profiles.size(), many.size());
    EXPECT_EQ(Profiles, many);
    SaveSettings();
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(Folder.Read("Settings/LAN1.ini"), file);
    EXPECT_LT(seconds, 30.0);
    ++DamagedFilesTried;
}

TEST_F(DamagedFiles, GarbageAfterTheProfilesLeavesThemAlone) {
    std::mt19937 random(20240601);
    for (int i = 0; i < 100; ++i) {
        std::string garbage = Garbage(random, 1 + random() % 2000);
        ExpectKept(GoodFile + "[GARBAGE]\r\n" + garbage, {1, 2, 3}, 3);
    }
}

TEST_F(DamagedFiles, FilesOfGarbageAreReadAndWrittenWithoutFault) {
    std::mt19937 random(19700101);
    for (int i = 0; i < 100; ++i) {
        Folder.Write("Settings/WINDOW.ini", Garbage(random, random() % 4000));
        for (int n = 1; n <= SlotCount; ++n)
            Folder.Write("Settings/LAN" + std::to_string(n) + ".ini", Garbage(random, random() % 4000));
        std::vector<std::string> messages = LoadAllSettings();
        for (const std::string& message : messages)
            EXPECT_TRUE(IsIntegerMessage(message)) << message;
        EXPECT_GE(WindowState.SelectPanel, 0);
        EXPECT_LE(WindowState.SelectPanel, 5);
        const size_t count = Profiles.size();
        SaveSettings();
        EXPECT_TRUE(LoadSettings(1).empty());
        EXPECT_EQ(Profiles.size(), count);
        DamagedFilesTried += 6;
    }
}

// A file of gigabytes once ended the program; a FIFO made it wait for ever. Such a file is not read, is reported,
// and is never overwritten: it may hold profiles. Once it can be read it is read, and written again.
TEST_F(DamagedFiles, AFileOver16MiBOrNotAnOrdinaryFileIsNeitherReadNorWritten) {
    Folder.Write("Settings/LAN1.ini", GoodFile);
    Folder.Write("Settings/LAN2.ini", "[PROFILE_1]\r\nNAME=Kept\r\n");
    std::filesystem::resize_file(Folder.File("Settings/LAN1.ini"), MaxIniFileSize + 1);
    std::vector<std::string> expected = {SettingsDir + "LAN1.ini: not read, as it is larger than 16 MiB; Norvex "
                                                       "leaves the file as it is."};
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(Folder.File("Settings/WINDOW.ini").c_str(), 0600), 0);
    expected.insert(expected.begin(), SettingsDir + "WINDOW.ini: not read, as it is not an ordinary file; Norvex "
                                                    "leaves the file as it is.");
#endif
    EXPECT_EQ(LoadAllSettings(), expected);
    EXPECT_TRUE(ProfilesOfSlot(1).empty());
    EXPECT_EQ(ProfilesOfSlot(2).size(), 1u);
    SaveSettings();
    EXPECT_EQ(std::filesystem::file_size(Folder.File("Settings/LAN1.ini")), MaxIniFileSize + 1);
    EXPECT_NE(Folder.Read("Settings/LAN2.ini").find("[LAN]"), std::string::npos);

    std::filesystem::resize_file(Folder.File("Settings/LAN1.ini"), MaxIniFileSize);
    std::filesystem::remove(Folder.File("Settings/WINDOW.ini"));
    EXPECT_TRUE(LoadAllSettings().empty());
    EXPECT_EQ(ProfilesOfSlot(1).size(), Good.size());
    SaveSettings();
    EXPECT_EQ(Folder.Read("Settings/LAN1.ini"), GoodFile);
    EXPECT_TRUE(Folder.Exists("Settings/WINDOW.ini"));
    DamagedFilesTried += 2;
}

TEST_F(DamagedFiles, ASettingsFileThatIsAFolderReadsAsMissing) {
    std::filesystem::create_directories(Folder.File("Settings/LAN1.ini"));
    EXPECT_TRUE(LoadSettings(1).empty());
    EXPECT_TRUE(ProfilesOfSlot(1).empty());
    EXPECT_EQ(Interfaces[1].Icon, 1);
    ++DamagedFilesTried;
}

} // namespace
