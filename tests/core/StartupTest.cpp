// Folder resolution and the temporary folder.
#include "core/Startup.h"

#include "TestFolders.h"
#include "core/Promenne.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

namespace {

TEST(Startup, FoldersAreResolvedFromTheExecutable) {
    const char s = platform::PathSeparator();
    const std::string root = std::string(1, s) + "apps" + s + "Norvex";
    StartingUp = false;
    ResolveFolders(root + s + "Norvex.exe");
    EXPECT_TRUE(StartingUp);
    EXPECT_EQ(ExeDir, root);
    EXPECT_EQ(LanguageDir, root + s + "Language");
    EXPECT_EQ(SettingsDir, root + s + "Settings" + s);
    EXPECT_FALSE(TempDir.empty());
}

// Two starts of one copy meet under one name, however the folder's letters or its end are written; a copy in
// another folder runs beside it.
TEST(Startup, OneProgramPerFolderAndSession) {
    const std::string name = InstanceMutexName("C:\\Program Files\\Norvex");
    EXPECT_EQ(name.rfind("Local\\Norvex-", 0), 0u);
    EXPECT_EQ(InstanceMutexName("c:\\PROGRAM FILES\\norvex\\"), name);
    EXPECT_NE(InstanceMutexName("D:\\Tools\\Norvex"), name);
    EXPECT_NE(InstanceMutexName("C:\\Program Files\\Norvex2"), name);
    EXPECT_EQ(InstanceKey("C:\\Program Files\\Norvex"), InstanceKey("C:\\program files\\NORVEX"));
}

TEST(Startup, TheTemporaryFolderIsTakenWhateverTheLengthOfItsName) {
    ScratchFolder folder;
    std::string deep = folder.File("a-temporary-folder-whose-name-is-far-longer-than-forty-characters");
    ASSERT_TRUE(platform::ForceDirectories(deep));
    EXPECT_EQ(ResolveTempDir(deep + platform::PathSeparator()), deep);
    EXPECT_EQ(ResolveTempDir(deep), deep);
}

// Never another folder in its place (once C:\, where anyone may write): applying says that it is missing.
TEST(Startup, AMissingTemporaryFolderStaysNamed) {
    ScratchFolder folder;
    EXPECT_EQ(ResolveTempDir(folder.File("missing") + platform::PathSeparator()), folder.File("missing"));
    EXPECT_EQ(ResolveTempDir(""), "");
}

TEST(Startup, TheShowSequenceReadsWindowThenSlots) {
    ScratchFolder folder;
    PointStoreAt(folder);
    folder.Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\nLEFT=bad\r\n");
    folder.Write("Settings/LAN2.ini", "[PROFILE_1]\r\nNAME=p\r\nICON=bad\r\n");
    std::vector<std::string> messages = LoadAllSettings();
    EXPECT_EQ(messages,
              (std::vector<std::string>{"'bad' is not a valid integer value.", "'bad' is not a valid integer value."}));
    EXPECT_EQ(WindowState.SelectPanel, 2);
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Profiles[0].InterfaceNo, 2);

    // Read ahead, on a second thread, for the first show: the same store and messages, taken once.
    ResetStore();
    WindowState = {};
    ProgramPathOverride = folder.File("Norvex.exe");
    ReadSettingsAhead();
    EXPECT_EQ(TakeSettingsReadAhead(), messages);
    ProgramPathOverride.clear();
    EXPECT_EQ(WindowState.SelectPanel, 2);
    ASSERT_EQ(Profiles.size(), 1u);
    EXPECT_EQ(Profiles[0].InterfaceNo, 2);
    EXPECT_EQ(TakeSettingsReadAhead(), std::nullopt);
}

} // namespace
