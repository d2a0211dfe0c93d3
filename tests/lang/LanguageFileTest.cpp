// The shipped language file answers every key the program asks for.
#include "TestFolders.h"
#include "core/Promenne.h"
#include "core/Startup.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

namespace {

TEST(ShippedLanguageFile, AnswersEveryKeyTheProgramAsksFor) {
    // The build puts the Language folder beside the test executables, as it ships beside Norvex.exe.
    ResolveFolders();
    CloseIniFile();
    std::vector<TCaptionKey> keys = AllCaptionKeys();
    ASSERT_GT(keys.size(), 100u);
    for (const TCaptionKey& key : keys) {
        std::string text = ReadLanguageKey(key.Section, key.Key, LanguageName);
        EXPECT_EQ(text.find("PARROR"), std::string::npos) << key.Section << "/" << key.Key << ": " << text;
        EXPECT_FALSE(text.empty()) << key.Section << "/" << key.Key;
    }
    CloseIniFile();
}

TEST(CaptionKeys, IPaddressFormAsksForTheSecondLabelInModeAOnly) {
    EXPECT_EQ(IPaddressFormCaptionKeys(2), (std::vector<std::string>{"WINDOWTITLE_A", "MAINTITLE_A", "HELPTITLE_A",
                                                                     "LABEL1_A", "LABEL2_A", "LABEL3_A"}));
    EXPECT_EQ(IPaddressFormCaptionKeys(5),
              (std::vector<std::string>{"WINDOWTITLE_D", "MAINTITLE_D", "HELPTITLE_D", "LABEL1_D", "LABEL3_D"}));
    EXPECT_TRUE(IPaddressFormCaptionKeys(1).empty());
}

} // namespace
