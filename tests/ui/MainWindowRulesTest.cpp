// The main window's rules: what RefreshSettings puts into the tray menu and the active page, the slot captions,
// the restore/minimise item, the page commands and the information tree.
#include "ui/rules/MainWindowRules.h"
#include "core/Promenne.h"
#include "core/Startup.h"
#include "engine/Connections.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "ui/rules/TrayMenu.h"

#include <gtest/gtest.h>

namespace {

class RefreshedLists : public ::testing::Test {
protected:
    void SetUp() override {
        ResetStore();
        Add(2, "Office", 3);
        Add(3, "Lab", 1);
        Add(2, "Home", 4);
        Add(2, "Old", 5);
        Add(5, "Hotel", 8);
        MarkDeleted(3);
    }
    static void Add(int slot, const std::string& name, int icon) {
        TProfile& p = Profiles[static_cast<size_t>(AppendProfile())];
        p.InterfaceNo = slot;
        p.Name = name;
        p.Icon = icon;
    }
    static std::vector<std::string> Captions(const std::vector<TProfileItem>& items) {
        std::vector<std::string> captions;
        for (const TProfileItem& item : items)
            captions.push_back(item.Caption);
        return captions;
    }
};

TEST_F(RefreshedLists, TraySubmenusListEverySlotsProfilesInStoreOrderWithIconsAndIndexes) {
    std::vector<TTrayMenuLine> slot2 = TraySubmenuLines(2, "(no profiles)");
    EXPECT_EQ(slot2, (std::vector<TTrayMenuLine>{{"Office", 3, 0, true}, {"Home", 4, 2, true}}));
    EXPECT_EQ(TraySubmenuLines(5, "(no profiles)"), (std::vector<TTrayMenuLine>{{"Hotel", 8, 4, true}}));
    // A slot without profiles shows one disabled line.
    EXPECT_EQ(TraySubmenuLines(1, "(no profiles)"), (std::vector<TTrayMenuLine>{{"(no profiles)", -1, -1, false}}));
    // The information page has no rows.
    TRefreshedLists lists = BuildRefreshedLists(0);
    EXPECT_TRUE(lists.PageRows.empty());
    EXPECT_TRUE(lists.ProfileRows.empty());
}

// Menus underline the letter after "&" and grow as wide as their longest item.
TEST(MenuCaption, ShowsAmpersandsAsThemselvesAndShortensLongNames) {
    const std::pair<std::string, std::string> names[] = {
        {"R&D lab", "R&&D lab"},
        {std::string(60, 'x'), std::string(60, 'x')},
        {std::string(61, 'x'), std::string(57, 'x') + "..."},
        {std::string(56, 'x') + "&&&&&", std::string(56, 'x') + "&&..."},
    };
    for (const auto& [name, caption] : names)
        EXPECT_EQ(MenuCaption(name), caption) << name;
}

TEST_F(RefreshedLists, OnlyTheActivePageHasRowsAndTheRowMapPointsIntoTheStore) {
    TRefreshedLists page2 = BuildRefreshedLists(2);
    EXPECT_EQ(Captions(page2.PageRows), (std::vector<std::string>{"Office", "Home"}));
    EXPECT_EQ(page2.ProfileRows, (std::vector<int>{0, 2}));
    // Switching to page 3: its rows, and the map now describes page 3.
    TRefreshedLists page3 = BuildRefreshedLists(3);
    EXPECT_EQ(Captions(page3.PageRows), (std::vector<std::string>{"Lab"}));
    EXPECT_EQ(page3.ProfileRows, (std::vector<int>{1}));
}

TEST_F(RefreshedLists, ADeletedProfileLeavesItsRowButTheOthersKeepTheirIndexes) {
    MarkDeleted(0);
    TRefreshedLists lists = BuildRefreshedLists(2);
    EXPECT_EQ(Captions(lists.PageRows), (std::vector<std::string>{"Home"}));
    EXPECT_EQ(lists.ProfileRows, (std::vector<int>{2}));
    EXPECT_EQ(TraySubmenuLines(2, "").size(), 1u);
}

TEST_F(RefreshedLists, WithNoProfilesEverythingIsEmptyAndTheRowMapIsLeftAlone) {
    Profiles.clear();
    TRefreshedLists lists = BuildRefreshedLists(2);
    EXPECT_FALSE(lists.ProfileRowsRebuilt);
    EXPECT_TRUE(lists.PageRows.empty());
}

TEST(SlotDisplay, PageShowsNameWithCaptionAsHintAndTrayShowsBoth) {
    Interfaces[4] = {"Wi-Fi", "Laptop at home", "Wireless Network Connection", 2, false};
    EXPECT_EQ(SlotPageCaption(4), "Wi-Fi");
    EXPECT_EQ(SlotPageHint(4), "Laptop at home");
    EXPECT_EQ(TraySubmenuCaption(4), "Wi-Fi - Laptop at home");

    // The header says when the slot's connection is not on this computer, and nothing when that cannot be told.
    ResolveFolders();
    CloseIniFile();
    const platform::MachineSnapshot machine =
        MachineOfStandIn(IniFile::Parse("[CONNECTION_1]\r\nNAME=wireless network connection\r\n"));
    EXPECT_EQ(SlotConnectionNote(4, machine), "");
    Interfaces[4].Interface = "Wireless Network Connection 2";
    EXPECT_EQ(SlotConnectionNote(4, machine), "Not present: Wireless Network Connection 2");
    EXPECT_EQ(SlotConnectionNote(4, platform::MachineSnapshot()), "");
    CloseIniFile();
    // A long name is shortened as a profile's is, however long the name.
    Interfaces[4].Name = std::string(2000, 'W');
    EXPECT_EQ(TraySubmenuCaption(4), std::string(57, 'W') + "...");
    // A picture outside the eight shows the first, never nothing.
    const std::pair<int, int> icons[] = {{0, 0}, {7, 7}, {8, 0}, {-5, 0}, {-2147483647 - 1, 0}};
    for (const auto& [icon, shown] : icons)
        EXPECT_EQ(ShownSlotIcon(icon), shown) << icon;
}

TEST(TrayItem1, AlwaysNamesTheActionItPerforms) {
    TTrayItemState tray{false, "Restore", "Minimise", "Minimise"};
    // Shown: the item minimises; hiding reports back, and the item now restores.
    EXPECT_EQ(ChooseTrayItem1(tray), TTrayAction::Minimize);
    MinimalizedToTray(tray);
    EXPECT_TRUE(tray.TrayHidden);
    EXPECT_EQ(tray.Item1Caption, "Restore");
    EXPECT_EQ(ChooseTrayItem1(tray), TTrayAction::Restore);
    EXPECT_FALSE(tray.TrayHidden);
    EXPECT_EQ(tray.Item1Caption, "Minimise");
    // Minimised from the title bar: the tray reports it the same way.
    MinimalizedToTray(tray);
    EXPECT_TRUE(tray.TrayHidden);
    EXPECT_EQ(tray.Item1Caption, "Restore");
    // A hide that did not happen (no icon to hide into) reports nothing: the item still minimises.
    ChooseTrayItem1(tray);
    EXPECT_EQ(ChooseTrayItem1(tray), TTrayAction::Minimize);
    EXPECT_FALSE(tray.TrayHidden);
    EXPECT_EQ(tray.Item1Caption, "Minimise");
}

// The list takes the page's height beyond the dividers and the commands; a smaller page takes from the list until
// it has three rows, then from the room the user dragged in.
TEST(FrameLayout, TheListTakesWhatIsLeftAndKeepsThreeRows) {
    const TFrameMetrics m{22, 60, 126};
    struct Row {
        int Height, TopSpace, Commands;
        int ListTop, ListHeight, CommandsTop, CommandsHeight;
    };
    const Row rows[] = {
        {400, 0, 126, 22, 230, 274, 126},    // a window of the designed size
        {800, 0, 126, 22, 630, 674, 126},    // taller: the list grows, the commands do not
        {230, 0, 126, 22, 60, 104, 126},     // the least height
        {400, 100, 126, 122, 130, 274, 126}, // the upper divider dragged down
        {300, 100, 126, 92, 60, 174, 126},   // smaller: the top room gives way
        {300, 0, 200, 22, 60, 104, 196},     // then a commands area dragged larger
    };
    for (const Row& r : rows) {
        const TFrameLayout layout = LayOutFrame(r.Height, r.TopSpace, r.Commands, m);
        EXPECT_EQ(layout.ListTop, r.ListTop) << r.Height << " " << r.TopSpace << " " << r.Commands;
        EXPECT_EQ(layout.ListHeight, r.ListHeight) << r.Height << " " << r.TopSpace << " " << r.Commands;
        EXPECT_EQ(layout.CommandsTop, r.CommandsTop) << r.Height << " " << r.TopSpace << " " << r.Commands;
        EXPECT_EQ(layout.CommandsHeight, r.CommandsHeight) << r.Height << " " << r.TopSpace << " " << r.Commands;
    }
    EXPECT_EQ(MinimumFrameHeight(m), 230);
    // Dragging stops where the list would lose its third row.
    EXPECT_EQ(DragUpperDivider(400, 0, 126, 50, m), 50);
    EXPECT_EQ(DragUpperDivider(400, 0, 126, 500, m), 170);
    EXPECT_EQ(DragUpperDivider(400, 50, 126, -80, m), 0);
    EXPECT_EQ(DragLowerDivider(400, 0, 126, -100, m), 226);
    EXPECT_EQ(DragLowerDivider(400, 0, 126, -500, m), 296);
    EXPECT_EQ(DragLowerDivider(400, 0, 200, 500, m), 126);
}

TEST(ReadableTextColor, TakesTheFirstColourThatReadsOnTheBackground) {
    const TColor white = 0xFFFFFF;
    const TColor windowsHotTrack = 0xCC6600; // RGB(0, 102, 204)
    const TColor wineHotTrack = 0xE0E0E0;
    const TColor highlight = 0xFA9630; // RGB(48, 150, 250)
    const TColor black = 0;
    EXPECT_EQ(ReadableTextColor({windowsHotTrack, highlight}, white, black), windowsHotTrack);
    EXPECT_EQ(ReadableTextColor({wineHotTrack, 0xCC6600}, white, black), 0xCC6600u);
    EXPECT_EQ(ReadableTextColor({wineHotTrack}, white, black), black);
}

TEST(TrayTip, NamesTheProgramAndTheProfileLastApplied) {
    EXPECT_EQ(TrayTip("Norvex", "", ""), "Norvex");
    EXPECT_EQ(TrayTip("Norvex", "Office", "LAN"), "Norvex - Office (LAN)");
    const std::string tip = TrayTip("Norvex", std::string(200, 'p'), "LAN");
    EXPECT_EQ(tip.size(), 127u);
    EXPECT_EQ(tip.substr(124), "...");
}

// The main window opens where the user can reach its title bar, even after the screen it was on went away.
TEST(PlaceOnScreen, KeepsAReachableWindowAndMovesOneOutOfReachOntoTheNearestScreen) {
    const TScreenRect laptop{0, 0, 1280, 984};
    const TScreenRect secondScreen{1280, 0, 3200, 1040};
    struct Row {
        TScreenRect Stored;
        std::vector<TScreenRect> WorkAreas;
        TScreenRect Placed;
    };
    const Row rows[] = {
        {{40, 30, 290, 520}, {laptop}, {40, 30, 290, 520}},                       // on screen
        {{-32000, -32000, -31750, -31510}, {laptop}, {0, 0, 250, 490}},           // a minimised window's place
        {{5000, 30, 5250, 520}, {laptop}, {1030, 30, 1280, 520}},                 // right of every screen
        {{1250, 30, 1500, 520}, {laptop}, {1030, 30, 1280, 520}},                 // only 30 pixels of title on it
        {{1240, 30, 1490, 520}, {laptop}, {1240, 30, 1490, 520}},                 // 40 pixels: reachable
        {{40, 960, 290, 1450}, {laptop}, {40, 494, 290, 984}},                    // title below the taskbar's top
        {{2000, 100, 2250, 590}, {laptop, secondScreen}, {2000, 100, 2250, 590}}, // on the second screen
        {{2000, 100, 2250, 590}, {laptop}, {1030, 100, 1280, 590}},               // the second screen unplugged
        {{-100, -100, 1900, 1400}, {{0, 40, 800, 600}}, {0, 40, 800, 600}},       // larger than the screen
    };
    for (const Row& row : rows) {
        const TScreenRect placed = PlaceOnScreen(row.Stored, row.WorkAreas, row.WorkAreas[0]);
        EXPECT_EQ(placed, row.Placed) << row.Stored.Left << "," << row.Stored.Top;
    }
}

TEST(FrameCommands, SendersMapToCommandsAndRowCommandsNeedARow) {
    EXPECT_EQ(CommandOfSender(TFrameSender::Image_RUN), TFrameCommand::Run);
    EXPECT_EQ(CommandOfSender(TFrameSender::Popup_DELETE), TFrameCommand::Delete);
    EXPECT_EQ(CommandOfSender(TFrameSender::Label_EDIT), TFrameCommand::Edit);
    EXPECT_EQ(CommandOfSender(TFrameSender::Image_INTERFACE), TFrameCommand::Interface);
    EXPECT_EQ(CommandOfSender(TFrameSender::Popup_ADD), TFrameCommand::Add);
    EXPECT_EQ(CommandOfSender(TFrameSender::Popup_ADDCURRENT), TFrameCommand::AddFromCurrent);
    EXPECT_EQ(CommandOfSender(TFrameSender::Other), TFrameCommand::None);
    EXPECT_FALSE(CommandNeedsRow(TFrameCommand::AddFromCurrent));
    EXPECT_TRUE(CommandNeedsRow(TFrameCommand::Run));
    EXPECT_TRUE(CommandNeedsRow(TFrameCommand::Delete));
    EXPECT_FALSE(CommandNeedsRow(TFrameCommand::Add));
    EXPECT_FALSE(CommandNeedsRow(TFrameCommand::Interface));
    EXPECT_EQ(ProfileOfRow({4, 9}, 1), 9);
    EXPECT_EQ(ProfileOfRow({4, 9}, -1), -1);
    EXPECT_EQ(ProfileOfRow({4, 9}, 2), -1);
}

// After a command the keyboard goes on from a selected row: the profile added or edited, the one selected before a
// cancelled add, the next row after a delete.
TEST(InterfacePage, TheRowSelectedAfterACommand) {
    struct Case {
        std::vector<int> Rows;
        int Profile;
        int Row;
        int Selected;
    };
    const Case cases[] = {
        {{0, 2, 7}, 7, 0, 2},   // added or edited: its row
        {{0, 2, 7}, 5, 1, 1},   // deleted from the middle: the next row takes its place
        {{0, 2}, 7, 2, 1},      // deleted the last row: the one before
        {{}, 7, 0, -1},         // the last profile deleted
        {{0, 2, 7}, -1, -1, -1} // nothing was selected, and nothing added
    };
    for (const Case& c : cases)
        EXPECT_EQ(RowAfterCommand(c.Rows, c.Profile, c.Row), c.Selected) << c.Profile << " " << c.Row;
}

TEST(MainWindowKeyboard, TabGoesRoundThePaneTheListAndTheCommands) {
    using S = TMainTabStop;
    EXPECT_EQ(NextMainTabStop(S::Pane, true, false), S::List);
    EXPECT_EQ(NextMainTabStop(S::List, true, false), S::Commands);
    EXPECT_EQ(NextMainTabStop(S::Commands, true, false), S::Pane);
    EXPECT_EQ(NextMainTabStop(S::Pane, true, true), S::Commands);
    EXPECT_EQ(NextMainTabStop(S::Commands, true, true), S::List);
    // The information page has no commands: its tree and the pane.
    EXPECT_EQ(NextMainTabStop(S::List, false, false), S::Pane);
    EXPECT_EQ(NextMainTabStop(S::Pane, false, true), S::List);
    // From the window itself, or from the commands of a page left: the first stop, or the last going back.
    EXPECT_EQ(NextMainTabStop(S::None, true, false), S::Pane);
    EXPECT_EQ(NextMainTabStop(S::None, false, true), S::List);
    EXPECT_EQ(NextMainTabStop(S::Commands, false, false), S::Pane);
}

TEST(InformationTree, AboutAndHelpNodesOpenTheirWindowAndPages) {
    EXPECT_EQ(TreeNodeAction(1).Action, TTreeAction::About);
    EXPECT_EQ(TreeNodeAction(0).Action, TTreeAction::Nothing);
    EXPECT_EQ(TreeNodeAction(2).Action, TTreeAction::Nothing);
    EXPECT_EQ(TreeNodeAction(8).Action, TTreeAction::Nothing);
    TTreeNodeAction ip = TreeNodeAction(6);
    EXPECT_EQ(ip.Action, TTreeAction::HelpPage);
    EXPECT_NE(ip.HelpPage.find("IP.htm"), std::string::npos);
    // Help pages lie under the Language folder, not beside the executable.
    const std::string s(1, platform::PathSeparator());
    LanguageDir = "Norvex" + s + "Language";
    EXPECT_EQ(HelpPagePath(TreeNodeAction(3).HelpPage), "Norvex" + s + "Language" + s + "Help" + s + "Info.htm");
    // A browser started by the program as administrator would run as administrator too.
    EXPECT_EQ(HelpOpeningFor(true), THelpOpening::UserShell);
    EXPECT_EQ(HelpOpeningFor(false), THelpOpening::ProgramShell);
}

} // namespace
