// The language lookup, the settings-key lookup and their shared open-file slot.
#include "lang/Language.h"

#include "TestFolders.h"
#include "core/Promenne.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Language : public ::testing::Test {
protected:
    ScratchFolder Folder;
    void SetUp() override { PointStoreAt(Folder); }
    void TearDown() override { CloseIniFile(); }
};

TEST_F(Language, FallbackTextsNameTheSectionOrTheFile) {
    EXPECT_EQ(ReadLanguageKey("APPLY", "APPLY_INFO", "GUI"), "PARROR: L1: language error");
    WriteLanguageFile(Folder, "[APPLY]\r\nAPPLY_CAPTION=Applying\r\n");
    EXPECT_EQ(ReadLanguageKey("APPLY", "APPLY_CAPTION", "GUI"), "Applying");
    EXPECT_EQ(ReadLanguageKey("APPLY", "APPLY_INFO", "GUI"), "PARROR: APPLY");
    EXPECT_EQ(ReadLanguageKey("NOWHERE", "KEY", "GUI"), "PARROR: NOWHERE");
    EXPECT_EQ(ReadLanguageKey("APPLY", "APPLY_CAPTION", "OTHER"), "PARROR: L1: language error");
}

TEST_F(Language, SettingsFallbackNamesSectionAndKey) {
    std::string window = SettingsDir + "WINDOW.ini";
    EXPECT_EQ(ReadSettingsKey("WINDOW", "LEFT", window), "PARROR: L1: language error");
    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nTOP=5\r\n");
    EXPECT_EQ(ReadSettingsKey("WINDOW", "LEFT", window), "PARROR: WINDOW - LEFT");
    EXPECT_EQ(ReadSettingsKey("WINDOW", "TOP", window), "5");
    EXPECT_EQ(CurrentIniName, "WINDOW.ini");
}

TEST_F(Language, SectionAndKeyMatchInAnyLetterCase) {
    WriteLanguageFile(Folder, "[apply]\r\napply_caption=Please wait\r\n");
    EXPECT_EQ(ReadLanguageKey("APPLY", "APPLY_CAPTION", "GUI"), "Please wait");
}

TEST_F(Language, LanguageLookupAfterSettingsReadReadsTheLanguageFileAgain) {
    WriteLanguageFile(Folder, "[WINDOW]\r\nLEFT=language\r\n");
    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nLEFT=settings\r\n");
    EXPECT_EQ(ReadLanguageKey("WINDOW", "LEFT", "GUI"), "language");
    EXPECT_EQ(ReadSettingsKey("WINDOW", "LEFT", SettingsDir + "WINDOW.ini"), "settings");
    EXPECT_EQ(ReadLanguageKey("WINDOW", "LEFT", "GUI"), "language");
    EXPECT_EQ(CurrentIniName, "GUI");
}

TEST_F(Language, FilesPutInPlaceOrChangedOnDiskAreReadWithTheirCurrentContent) {
    EXPECT_EQ(ReadLanguageKey("GUI", "TITLE", "GUI"), "PARROR: L1: language error");
    EXPECT_EQ(ReadLanguageKey("GUI", "TITLE", "GUI"), "PARROR: L1: language error");
    WriteLanguageFile(Folder, "[GUI]\r\nTITLE=Norvex\r\n");
    EXPECT_EQ(ReadLanguageKey("GUI", "TITLE", "GUI"), "Norvex");
    WriteLanguageFile(Folder, "[GUI]\r\nTITLE=Norvex, edited by hand\r\n");
    EXPECT_EQ(ReadLanguageKey("GUI", "TITLE", "GUI"), "Norvex, edited by hand");

    std::string window = SettingsDir + "WINDOW.ini";
    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nLEFT=1\r\n");
    EXPECT_EQ(ReadSettingsKey("WINDOW", "LEFT", window), "1");
    Folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nLEFT=22\r\n");
    EXPECT_EQ(ReadSettingsKey("WINDOW", "LEFT", window), "22");
}

// A language file of gigabytes once ended the program: it reads as missing, and the window is told why.
TEST_F(Language, ALanguageFileOver16MiBIsNotRead) {
    WriteLanguageFile(Folder, "[GUI]\r\nTITLE=Norvex\r\n");
    const std::string path = LanguageDir + platform::PathSeparator() + "GUI.ini";
    std::filesystem::resize_file(path, MaxIniFileSize + 1);
    EXPECT_EQ(ReadLanguageKey("GUI", "TITLE", "GUI"), "PARROR: L1: language error");
    EXPECT_EQ(LanguageFileRefusal(), path + " was not read, as it is larger than 16 MiB.");
    WriteLanguageFile(Folder, "[GUI]\r\nTITLE=Norvex\r\n");
    EXPECT_EQ(ReadLanguageKey("GUI", "TITLE", "GUI"), "Norvex");
    EXPECT_EQ(LanguageFileRefusal(), "");
}

TEST_F(Language, CloseIniFileEmptiesTheSlot) {
    WriteLanguageFile(Folder, "[GUI]\r\nTITLE=Norvex\r\n");
    ReadLanguageKey("GUI", "TITLE", "GUI");
    CloseIniFile();
    EXPECT_EQ(CurrentIniName, "");
    EXPECT_EQ(CurrentIniFile.Content, nullptr);
}

TEST(ExpandDateTime, EveryPlaceholderInAnyCaseIsFilledIn) {
    const std::string date = platform::CurrentShortDate();
    const std::string time = platform::CurrentLongTime();
    ASSERT_FALSE(date.empty());
    ASSERT_FALSE(time.empty());
    std::string expanded = ExpandDateTime("From $DATE$ to $date$ at $TiMe$.");
    EXPECT_EQ(expanded.find('$'), std::string::npos) << expanded;
    EXPECT_EQ(expanded.rfind("From ", 0), 0u);
    EXPECT_NE(expanded.find(date), std::string::npos) << expanded;
    EXPECT_EQ(expanded.back(), '.');
    EXPECT_EQ(ExpandDateTime("no placeholders $DAT$"), "no placeholders $DAT$");
}

TEST_F(Language, LanguageTextsAreExpandedButSettingsValuesAreNot) {
    WriteLanguageFile(Folder, "[S]\r\nK=on $DATE$\r\n");
    Folder.Write("Settings/LAN1.ini", "[S]\r\nK=on $DATE$\r\n");
    EXPECT_EQ(ReadLanguageKey("S", "K", "GUI").find('$'), std::string::npos);
    EXPECT_EQ(ReadSettingsKey("S", "K", SettingsDir + "LAN1.ini"), "on $DATE$");
}

} // namespace
