// The profile store's operations.
#include "core/Promenne.h"

#include <gtest/gtest.h>

namespace {

class Store : public ::testing::Test {
protected:
    void SetUp() override { ResetStore(); }
};

TEST_F(Store, AppendGivesTheOldLengthAndADefaultRecord) {
    EXPECT_EQ(AppendProfile(), 0);
    EXPECT_EQ(Profiles[0], TProfile());
    EXPECT_EQ(Profiles[0].Icon, 0);
    EXPECT_EQ(Profiles[0].IP.SourceType, 0);
    EXPECT_EQ(AppendProfile(), 1);
}

TEST_F(Store, DeletedProfilesKeepTheirIndexAndLeaveTheirSlot) {
    for (int slot : {2, 2, 3, 2}) {
        int i = AppendProfile();
        Profiles[static_cast<size_t>(i)].InterfaceNo = slot;
        Profiles[static_cast<size_t>(i)].Name = std::to_string(i);
    }
    MarkDeleted(1);
    EXPECT_EQ(ProfilesOfSlot(2), (std::vector<int>{0, 3}));
    EXPECT_EQ(ProfilesOfSlot(3), (std::vector<int>{2}));
    EXPECT_TRUE(ProfilesOfSlot(1).empty());
    ASSERT_EQ(Profiles.size(), 4u);
    EXPECT_EQ(Profiles[3].Name, "3");
    MarkDeleted(99); // an index past the end changes nothing
    EXPECT_EQ(Profiles.size(), 4u);
}

TEST_F(Store, ResetEmptiesProfilesAndTheCurrentProfile) {
    AppendProfile();
    Selection.CurrentProfile = 0;
    StartingUp = false;
    ResetStore();
    EXPECT_TRUE(Profiles.empty());
    EXPECT_EQ(Selection.CurrentProfile, -1);
    EXPECT_TRUE(StartingUp);
}

} // namespace
