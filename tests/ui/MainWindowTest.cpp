// The main window on screen (under Wine): first run, the slot pages, delete and run, hiding in the tray.
#include "DialogSteps.h"
#include "MachineStandIn.h"
#include "Recording.h"
#include "WindowTestSupport.h"
#include "core/Promenne.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "ui/DialogParts.h"
#include "ui/Dpi.h"
#include "ui/KeepForm.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>

namespace {

std::string Language(const char* section, const char* key) {
    return ReadLanguageKey(section, key, "GUI");
}

const char* const ThreeProfilesOfSlot2 = "[LAN]\r\nNAME=Office LAN\r\nCAPTION=Docking station\r\n"
                                         "INTERFACE=Local Area Connection\r\nICON=1\r\nICONIZED=FALSE\r\n"
                                         "[PROFILE_1]\r\nNAME=Berlin\r\nICON=3\r\n"
                                         "[PROFILE_2]\r\nNAME=Amsterdam\r\nICON=2\r\n"
                                         "[PROFILE_3]\r\nNAME=Cairo\r\nICON=4\r\n";

TEST(MainWindow, FirstRunCreatesTheSettingsAndOpensWithTheDefaults) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    EXPECT_TRUE(program.Folder().Exists("Settings"));
    RECT bounds;
    GetWindowRect(form.Handle(), &bounds);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    // 250 by 490 at 100%, and as much larger as the display's scale.
    const UINT dpi = WindowDpi(form.Handle());
    EXPECT_EQ(bounds.right - bounds.left, Scaled(250, dpi));
    EXPECT_EQ(bounds.bottom - bounds.top, Scaled(490, dpi));
    EXPECT_EQ(form.JvPanel.ActivePage(), 0);
    EXPECT_TRUE(form.JvPanel.PageIconic(0));
    EXPECT_EQ(WindowText(form.Handle()), Language("GUI", "TITLE"));
    for (int slot = 1; slot <= 5; ++slot) {
        EXPECT_EQ(form.JvPanel.PageCaption(slot), Language("DEFAULT_LANS", "NAME"));
        EXPECT_EQ(form.JvPanel.PageHint(slot), Language("DEFAULT_LANS", "CAPTION"));
        EXPECT_EQ(MenuItemCaption(form.CoolTrayPopupMenu, slot - 1),
                  Language("DEFAULT_LANS", "NAME") + " - " + Language("DEFAULT_LANS", "CAPTION"));
    }
    EXPECT_TRUE(Profiles.empty());
    EXPECT_TRUE(program.Errors.empty());

    form.FormClose();
    EXPECT_EQ(program.Folder().Read("Settings/WINDOW.ini"),
              "[WINDOW]\r\nLEFT=0\r\nTOP=0\r\nHEIGHT=490\r\nWIDTH=250\r\n"
              "ICONIZED=TRUE\r\nSELECTPANEL=0\r\nMINIMALIZED=FALSE\r\n\r\n");
    for (const char* file : {"LAN1.ini", "LAN2.ini", "LAN3.ini", "LAN4.ini", "LAN5.ini"})
        EXPECT_TRUE(program.Folder().Exists(std::string("Settings/") + file)) << file;
}

TEST(MainWindow, ASlotPageListsItsProfilesInStoreOrderAndTheTrayOffersThem) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\nLEFT=40\r\nTOP=30\r\n");
    program.Folder().Write("Settings/LAN2.ini", ThreeProfilesOfSlot2);
    program.Folder().Write("Settings/LAN4.ini", "[LAN]\r\nICON=-5\r\n");
    TGUI_Form& form = program.Start();
    EXPECT_EQ(form.JvPanel.ActivePage(), 2);
    // A slot's picture out of range shows the first of the page pictures, whose number the store knows.
    EXPECT_EQ(form.JvPanel.PageImage(4), 0);
    EXPECT_EQ(PictureCount(TPictureList::Panels16), SlotIconCount);
    TMainFrame& page = form.MainFrame(2);
    ASSERT_EQ(page.RowCount(), 3);
    EXPECT_EQ(page.RowCaption(0), "Berlin");
    EXPECT_EQ(page.RowCaption(1), "Amsterdam");
    EXPECT_EQ(page.RowCaption(2), "Cairo");
    EXPECT_EQ(Selection.ProfileRows, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(form.JvPanel.PageCaption(2), "Office LAN");
    EXPECT_EQ(MenuItemCaption(form.CoolTrayPopupMenu, 1), "Office LAN - Docking station");
    // A submenu is filled as it opens.
    HMENU submenu = form.CoolTrayInterface[2];
    SendMessageA(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), 1);
    ASSERT_EQ(GetMenuItemCount(submenu), 3);
    EXPECT_EQ(MenuItemCaption(submenu, 1), "Amsterdam");
    EXPECT_EQ(form.MainFrame(1).RowCount(), 0);

    // Another page: its own rows, and page 2 is emptied.
    form.JvPanel.SetActivePage(1);
    EXPECT_EQ(page.RowCount(), 0);
    form.FormClose();
}

TEST(MainWindow, DeleteAsksThenRemovesTheRowAtOnceAndTheProfileFromTheSlotFile) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\n");
    program.Folder().Write("Settings/LAN2.ini", ThreeProfilesOfSlot2);
    TGUI_Form& form = program.Start();
    TMainFrame& page = form.MainFrame(2);
    page.onClick(TFrameSender::Label_DELETE); // no row selected: nothing happens
    EXPECT_EQ(page.RowCount(), 3);
    page.SelectRow(1);
    // Asked first; No keeps the profile.
    program.AnswerYes = false;
    page.onClick(TFrameSender::Label_DELETE);
    EXPECT_EQ(program.Questions, (std::vector<std::string>{"Delete profile 'Amsterdam'?"}));
    EXPECT_EQ(page.RowCount(), 3);
    program.AnswerYes = true;
    page.onClick(TFrameSender::Label_DELETE);
    ASSERT_EQ(page.RowCount(), 2);
    EXPECT_EQ(page.RowCaption(1), "Cairo");
    std::string file = program.Folder().Read("Settings/LAN2.ini");
    EXPECT_EQ(file.find("Amsterdam"), std::string::npos);
    EXPECT_NE(file.find("[PROFILE_2]\r\nNAME=Cairo"), std::string::npos);
    // The rows still map to the same store records.
    EXPECT_EQ(Selection.ProfileRows, (std::vector<int>{0, 2}));

    // The file edited by hand meanwhile is not overwritten: the user is told, and the window shows the edit.
    const std::string edited = "[PROFILE_1]\r\nNAME=Edited by hand\r\n";
    program.Folder().Write("Settings/LAN2.ini", edited);
    page.SelectRow(0);
    page.onClick(TFrameSender::Label_DELETE);
    EXPECT_EQ(program.Folder().Read("Settings/LAN2.ini"), edited);
    ASSERT_EQ(program.Errors.size(), 1u);
    EXPECT_NE(program.Errors[0].find(SettingsDir + "LAN2.ini was changed outside Norvex"), std::string::npos);
    ASSERT_EQ(page.RowCount(), 1);
    EXPECT_EQ(page.RowCaption(0), "Edited by hand");
    // Read again, the edit is the program's own: the close writes it in full.
    form.FormClose();
    EXPECT_NE(program.Folder().Read("Settings/LAN2.ini").find("[PROFILE_1]\r\nNAME=Edited by hand\r\nICON=4\r\n"),
              std::string::npos);
    EXPECT_EQ(program.Errors.size(), 1u);
}

// The notifications the icon asked the shell for; every other call goes to the shell.
struct Balloons {
    std::vector<NOTIFYICONDATAA> Shown;
    std::string Tip; // the icon's tooltip as last handed over
    void RecordInto(TGUI_Form& form) {
        form.CoolTrayIcon.NotifyShell = [this](DWORD action, NOTIFYICONDATAA& data) {
            if (data.uFlags & NIF_INFO) {
                Shown.push_back(data);
                return TRUE;
            }
            if (data.uFlags & NIF_TIP)
                Tip = data.szTip;
            return Shell_NotifyIconA(action, &data);
        };
    }
};

TEST(MainWindow, RunAppliesTheProfileOfTheSelectedRowAndTellsTheOutcome) {
    Balloons balloons; // outlives the window, whose icon reports to it until the end
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=3\r\n");
    program.Folder().Write("Settings/LAN3.ini", "[LAN]\r\nINTERFACE=Lab Ethernet\r\n"
                                                "[PROFILE_1]\r\nNAME=Lab\r\nIP_APPLY=TRUE\r\nIP_SOURCETYPE=0\r\n"
                                                "[PROFILE_2]\r\nNAME=Nothing applied\r\n"
                                                "[PROFILE_3]\r\nNAME=Broken\r\nDNS_APPLY=TRUE\r\nDNS_SOURCETYPE=1\r\n"
                                                "DNS_ADRESSES_0=10.0.0.1 register=none\r\n");
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start([&](TGUI_Form& f) { balloons.RecordInto(f); });
    ASSERT_TRUE(form.CoolTrayIcon.IconAdded());
    TMainFrame& page = form.MainFrame(3);
    page.onClick(TFrameSender::Label_RUN);
    EXPECT_TRUE(netsh.Runs().empty());
    page.SelectRow(0);
    page.onClick(TFrameSender::Image_RUN);
    std::vector<std::vector<std::string>> runs = netsh.Runs();
    ASSERT_EQ(runs.size(), 1u);
    ASSERT_GE(runs[0].size(), 2u);
    EXPECT_EQ(runs[0][0], "arg exec");
    EXPECT_EQ(runs[0][1], "arg " + TempDir + "\\norvex.txt");
    ASSERT_EQ(balloons.Shown.size(), 1u);
    EXPECT_EQ(balloons.Shown[0].dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_STREQ(balloons.Shown[0].szInfo, "Profile 'Lab' applied");
    // The icon's tooltip now says what is active; a failed apply below leaves it.
    const std::string tip = Language("GUI", "TITLE") + " - Lab (" + Language("DEFAULT_LANS", "NAME") + ")";
    EXPECT_EQ(balloons.Tip, tip);

    // netsh rejecting the script, where the verification cannot judge it (the connection is not on this machine):
    // once the verification has looked, a warning naming the profile, the exit code and the script, with netsh's
    // own words.
    netsh.SetExitCode(1);
    netsh.Print("DHCP is already enabled on this interface.");
    page.onClick(TFrameSender::Image_RUN);
    EXPECT_EQ(balloons.Shown.size(), 1u);
    for (int waited = 0; balloons.Shown.size() < 2 && waited < 5000; waited += 50)
        Pump(50);
    ASSERT_EQ(balloons.Shown.size(), 2u);
    EXPECT_EQ(balloons.Shown[1].dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_STREQ(balloons.Shown[1].szInfoTitle, "Profile 'Lab' was not applied completely");
    EXPECT_EQ(std::string(balloons.Shown[1].szInfo),
              "netsh ended with exit code 1. Script: " + TempDir +
                  "\\norvex.txt\nnetsh reported: DHCP is already enabled on this interface.\n"
                  "The connection 'Lab Ethernet' is not present on this computer.");
    EXPECT_EQ(balloons.Tip, tip);
    EXPECT_TRUE(program.Errors.empty());

    // A refused apply changed nothing and needs the user: told in a box that stays, not in a passing balloon.
    page.SelectRow(2);
    page.onClick(TFrameSender::Image_RUN);
    EXPECT_EQ(netsh.Runs().size(), 2u);
    EXPECT_EQ(balloons.Shown.size(), 2u);
    ASSERT_EQ(program.Errors.size(), 1u);
    EXPECT_EQ(program.Errors[0], "Profile 'Broken' was not applied: nothing was changed\n\nDNS_ADRESSES_0 is "
                                 "'10.0.0.1 register=none', not a dotted IPv4 address such as 192.168.1.10.");
    form.FormClose();
}

// After the apply's notification the window goes on at once; a second notification follows with what was found in
// effect, from the stand-in for the machine. The slot page's header tells when its connection is not present.
TEST(MainWindow, EveryApplyIsVerifiedWhileTheWindowGoesOnAndASecondNotificationTellsIt) {
    Balloons balloons;
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=3\r\n");
    program.Folder().Write("Settings/LAN3.ini", "[LAN]\r\nINTERFACE=Lab Ethernet\r\n"
                                                "[PROFILE_1]\r\nNAME=Lab\r\nIP_APPLY=TRUE\r\nIP_SOURCETYPE=0\r\n");
    MachineStandIn machine(program.Folder(), "[CONNECTION_1]\r\nNAME=Lab Ethernet\r\nDHCP=TRUE\r\n"
                                             "ADDRESSES=192.168.5.20/255.255.255.0\r\n");
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start([&](TGUI_Form& f) { balloons.RecordInto(f); });
    TMainFrame& page = form.MainFrame(3);
    auto waitForBalloons = [&](size_t count) {
        for (int waited = 0; balloons.Shown.size() < count && waited < 5000; waited += 50)
            Pump(50);
        return balloons.Shown.size();
    };
    // The header is checked once the window has appeared: the connection is there.
    Pump(1200);
    EXPECT_EQ(page.ConnectionNote(), "");

    page.SelectRow(0);
    page.onClick(TFrameSender::Label_RUN);
    ASSERT_EQ(balloons.Shown.size(), 1u);
    EXPECT_STREQ(balloons.Shown[0].szInfo, "Profile 'Lab' applied");
    EXPECT_TRUE(form.Verifying());
    ASSERT_EQ(waitForBalloons(2), 2u);
    EXPECT_FALSE(form.Verifying());
    EXPECT_EQ(balloons.Shown[1].dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_STREQ(balloons.Shown[1].szInfo, "Profile 'Lab' is in effect: 1 setting checked");

    // netsh ending with 1 for a harmless line: no warning at once, and once every setting is found in effect, one
    // notification with netsh's words as a note.
    netsh.SetExitCode(1);
    netsh.Print("DHCP is already enabled on this interface.");
    page.onClick(TFrameSender::Label_RUN);
    EXPECT_EQ(balloons.Shown.size(), 2u);
    ASSERT_EQ(waitForBalloons(3), 3u);
    EXPECT_EQ(balloons.Shown[2].dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_STREQ(balloons.Shown[2].szInfo, "Profile 'Lab' is in effect: 1 setting checked\n"
                                           "netsh reported: DHCP is already enabled on this interface.");
    netsh.SetExitCode(0);
    netsh.Print("");

    // The connection gone (a docking station's adapter): the verification says so at its first look, and so does
    // the page's header.
    machine.Write("[CONNECTION_1]\r\nNAME=Wi-Fi\r\n");
    page.onClick(TFrameSender::Label_RUN);
    ASSERT_EQ(waitForBalloons(5), 5u);
    EXPECT_EQ(balloons.Shown[4].dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_STREQ(balloons.Shown[4].szInfoTitle, "Profile 'Lab' could not be checked");
    EXPECT_STREQ(balloons.Shown[4].szInfo, "The connection 'Lab Ethernet' is not present on this computer.");
    EXPECT_EQ(page.ConnectionNote(), "Not present: Lab Ethernet");
    EXPECT_EQ(netsh.Runs().size(), 3u);
    EXPECT_TRUE(program.Errors.empty());
    form.FormClose();
}

// A profile that asks to be kept: the keep question opens after the apply and nothing else is applied meanwhile;
// without an answer (on the window's clock) or with Escape the settings from before it go back through a second
// netsh script, with their own notifications; Keep leaves the new settings.
TEST(MainWindow, AProfileThatAsksToBeKeptIsRevertedWithoutAnAnswerAndKeptOnKeep) {
    Balloons balloons;
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=3\r\n");
    program.Folder().Write("Settings/LAN3.ini", "[LAN]\r\nINTERFACE=Lab Ethernet\r\n"
                                                "[PROFILE_1]\r\nNAME=Lab static\r\nIP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\n"
                                                "IP_ADRESSES_ADDRESS_0=10.0.0.5\r\nIP_ADRESSES_MASK_0=255.0.0.0\r\n"
                                                "IP_GATEWAYS_0=10.0.0.1\r\nDNS_APPLY=TRUE\r\nDNS_SOURCETYPE=1\r\n"
                                                "DNS_ADRESSES_0=10.0.0.53\r\nKEEP_ASK=TRUE\r\nKEEP_SECONDS=20\r\n");
    // Before the apply: addresses and DNS servers from DHCP.
    MachineStandIn machine(program.Folder(), "[CONNECTION_1]\r\nNAME=Lab Ethernet\r\nDHCP=TRUE\r\n"
                                             "ADDRESSES=192.168.5.20/255.255.255.0\r\nGATEWAYS=192.168.5.1\r\n"
                                             "DNS=192.168.5.1\r\nDNS_FROM_DHCP=TRUE\r\n");
    Recording netsh(program.Folder());
    std::int64_t now = 1000;
    TGUI_Form& form = program.Start([&](TGUI_Form& f) {
        balloons.RecordInto(f);
        f.Clock = [&now] { return now; };
    });
    TMainFrame& page = form.MainFrame(3);
    auto waitFor = [&](const std::function<bool()>& done) {
        for (int waited = 0; !done() && waited < 5000; waited += 50)
            Pump(50);
        return done();
    };
    const std::string script = TempDir + "\\norvex.txt";

    page.SelectRow(0);
    page.onClick(TFrameSender::Label_RUN);
    ASSERT_EQ(netsh.Runs().size(), 1u);
    ASSERT_TRUE(form.KeepQuestionOpen());
    TKeep_Form& question = *form.KeepQuestion();
    EXPECT_EQ(WindowText(question.Handle()), "Keep these settings?");
    EXPECT_EQ(question.Header.MainText(), "Keep the settings of profile 'Lab static'?");
    EXPECT_EQ(question.Header.LabelText(), "Without an answer, the previous settings come back in 20 seconds.");
    EXPECT_NE(GetWindowLongPtrA(question.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    // Not modal: the main window stays usable; but neither the page nor the tray applies anything meanwhile.
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    page.onClick(TFrameSender::Label_RUN);
    form.TrayMenuCommand(TGUI_Form::FirstProfileItem + 0);
    EXPECT_EQ(netsh.Runs().size(), 1u);
    now += 12500;
    Pump(400);
    EXPECT_EQ(question.Header.LabelText(), "Without an answer, the previous settings come back in 8 seconds.");

    // No answer: at the end of the time the DHCP settings go back.
    now += 7500;
    ASSERT_TRUE(waitFor([&] { return netsh.Runs().size() == 2; }));
    EXPECT_FALSE(form.KeepQuestionOpen());
    std::string revert;
    ASSERT_TRUE(platform::ReadWholeFile(script, revert));
    EXPECT_NE(revert.find("push interface ip\r\nset address name=\"Lab Ethernet\" source=DHCP\r\n"
                          "set dns name=\"Lab Ethernet\" source=DHCP\r\npopd\r\n"),
              std::string::npos)
        << revert;
    EXPECT_EQ(revert.find("static"), std::string::npos);
    EXPECT_EQ(revert.find("wins"), std::string::npos) << "WINS is not what the profile changes";
    ASSERT_TRUE(waitFor([&] { return balloons.Shown.size() >= 3; }));
    EXPECT_STREQ(balloons.Shown[0].szInfo, "Profile 'Lab static' applied");
    EXPECT_STREQ(balloons.Shown[1].szInfo,
                 "Profile 'Lab static' was not kept: the settings from before it were put back");
    // Its verification against the machine, which the stand-in shows on DHCP as before.
    EXPECT_STREQ(balloons.Shown[2].szInfo,
                 "The settings from before profile 'Lab static' are in effect again: 2 settings checked");

    // Keep: nothing goes back.
    page.onClick(TFrameSender::Label_RUN);
    ASSERT_TRUE(form.KeepQuestionOpen());
    Click(form.KeepQuestion()->ButtonKEEP);
    Pump(300);
    EXPECT_FALSE(form.KeepQuestionOpen());
    now += 60000;
    Pump(300);
    EXPECT_EQ(netsh.Runs().size(), 3u);

    // Escape is a revert, and so is the close box.
    for (bool escape : {true, false}) {
        const size_t runs = netsh.Runs().size();
        page.onClick(TFrameSender::Label_RUN);
        ASSERT_TRUE(form.KeepQuestionOpen());
        if (escape) {
            SetForegroundWindow(form.KeepQuestion()->Handle());
            Pump(100);
            Press(VK_ESCAPE);
        } else {
            SendMessageA(form.KeepQuestion()->Handle(), WM_CLOSE, 0, 0);
        }
        ASSERT_TRUE(waitFor([&] { return netsh.Runs().size() == runs + 2; })) << escape;
        EXPECT_FALSE(form.KeepQuestionOpen());
    }

    // Signing out with the question open: the settings nobody kept go back before the session ends.
    const size_t beforeSignOut = netsh.Runs().size();
    page.onClick(TFrameSender::Label_RUN);
    ASSERT_TRUE(form.KeepQuestionOpen());
    SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(netsh.Runs().size(), beforeSignOut + 2);
    EXPECT_FALSE(form.KeepQuestionOpen());

    // The settings it would replace cannot be read: the profile is not applied at all.
    machine.Write("[CONNECTION_1]\r\nNAME=Lab Ethernet\r\nSTATE=DISCONNECTED\r\n");
    const size_t runs = netsh.Runs().size();
    const size_t shown = balloons.Shown.size();
    page.onClick(TFrameSender::Label_RUN);
    EXPECT_EQ(netsh.Runs().size(), runs);
    EXPECT_FALSE(form.KeepQuestionOpen());
    ASSERT_EQ(balloons.Shown.size(), shown + 1);
    EXPECT_EQ(balloons.Shown.back().dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    EXPECT_STREQ(balloons.Shown.back().szInfoTitle, "Profile 'Lab static' was not applied");
    EXPECT_STREQ(balloons.Shown.back().szInfo,
                 "The settings it would replace cannot be read, so they could not be put back.\nThe connection 'Lab "
                 "Ethernet' is disconnected: its settings show only while it is connected.");
    EXPECT_TRUE(program.Errors.empty());
    form.FormClose();
}

TEST(MainWindow, MinimisingHidesInTheTrayAndClosingFromThereRemembersIt) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    EXPECT_EQ(MenuItemCaptionById(form.CoolTrayPopupMenu, TGUI_Form::CoolTrayItem1),
              Language("POPUPMENU", "MINIMALIZE"));
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.Tray.TrayHidden);
    EXPECT_EQ(MenuItemCaptionById(form.CoolTrayPopupMenu, TGUI_Form::CoolTrayItem1), Language("POPUPMENU", "RESTORE"));

    // Restoring shows the window again and names the item after minimising once more.
    form.TrayMenuCommand(TGUI_Form::CoolTrayItem1);
    Pump();
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_FALSE(form.Tray.TrayHidden);
    EXPECT_EQ(MenuItemCaptionById(form.CoolTrayPopupMenu, TGUI_Form::CoolTrayItem1),
              Language("POPUPMENU", "MINIMALIZE"));

    // The tray item minimises too, and closing from the tray while hidden remembers it.
    form.TrayMenuCommand(TGUI_Form::CoolTrayItem1);
    Pump();
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    form.TrayMenuCommand(TGUI_Form::CoolTrayItem2);
    EXPECT_NE(program.Folder().Read("Settings/WINDOW.ini").find("MINIMALIZED=TRUE\r\n"), std::string::npos);
}

// Minimised without the system command (as the shell's "minimise all" does), the window is hidden while still
// minimised; what is stored is its normal place, and a stored place off every screen opens on one.
TEST(MainWindow, TheWindowIsStoredByItsNormalPlaceAndOpensWithinReach) {
    {
        ProgramUnderTest program;
        program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nLEFT=40\r\nTOP=30\r\n");
        TGUI_Form& form = program.Start();
        ShowWindow(form.Handle(), SW_MINIMIZE);
        Pump();
        EXPECT_FALSE(IsWindowVisible(form.Handle()));
        form.TrayMenuCommand(TGUI_Form::CoolTrayItem2);
        EXPECT_NE(program.Folder().Read("Settings/WINDOW.ini").find("LEFT=40\r\nTOP=30\r\nHEIGHT=490\r\nWIDTH=250\r\n"),
                  std::string::npos);
    }
    for (const char* left : {"-32000", "5000"}) {
        ProgramUnderTest program;
        program.Folder().Write("Settings/WINDOW.ini", std::string("[WINDOW]\r\nLEFT=") + left + "\r\nTOP=30\r\n");
        TGUI_Form& form = program.Start();
        RECT bounds;
        GetWindowRect(form.Handle(), &bounds);
        EXPECT_GE(bounds.left, 0) << left;
        EXPECT_LE(bounds.right, GetSystemMetrics(SM_CXSCREEN)) << left;
        EXPECT_EQ(bounds.top, 30) << left;
        EXPECT_EQ(bounds.right - bounds.left, 250) << left;
        form.FormClose();
    }
}

// Signing out or shutting down ends the program without a close: the settings are written then, once.
TEST(MainWindow, TheEndOfTheSessionWritesTheSettingsOnceAndTheIconOutlivesAnOutsideClose) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    EXPECT_EQ(SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_NE(program.Folder().Read("Settings/WINDOW.ini").find("MINIMALIZED=TRUE\r\n"), std::string::npos);
    std::filesystem::remove(program.Folder().File("Settings/WINDOW.ini"));
    SendMessageA(form.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(program.Folder().Exists("Settings/WINDOW.ini"));

    HWND handler = form.CoolTrayIcon.HandlerWindow();
    for (UINT message : {WM_CLOSE, WM_QUERYENDSESSION, WM_ENDSESSION})
        EXPECT_EQ(SendMessageA(handler, message, TRUE, 0), 1) << message;
    EXPECT_TRUE(IsWindow(handler));
    form.TrayMenuCommand(TGUI_Form::CoolTrayItem2);
}

// At sign-in the shell may not take the icon yet: hiding the window then would leave it out of reach.
TEST(MainWindow, WithoutItsIconTheWindowIsNeverHiddenAndHidesOnceTheIconIsThere) {
    bool shellReady = false; // outlives the window, whose icon asks it until the end
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nMINIMALIZED=TRUE\r\n");
    TGUI_Form& form = program.Start([&](TGUI_Form& f) {
        f.CoolTrayIcon.NotifyShell = [&](DWORD action, NOTIFYICONDATAA& data) {
            return shellReady || action == NIM_DELETE ? Shell_NotifyIconA(action, &data) : FALSE;
        };
    });
    Pump(400);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    SendMessageA(form.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    EXPECT_TRUE(IsWindowVisible(form.Handle())); // minimised onto the taskbar, within reach
    EXPECT_FALSE(form.Tray.TrayHidden);
    ShowWindow(form.Handle(), SW_RESTORE);
    shellReady = true;
    Pump(TCoolTrayIcon::RetryMilliseconds + 500);
    EXPECT_TRUE(form.CoolTrayIcon.IconAdded());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.Tray.TrayHidden);
    form.TrayMenuCommand(TGUI_Form::CoolTrayItem2);
}

// A handler that fails (out of memory, say) is told to the user, and the program goes on.
class ThrowingWindow : public TWindow {
public:
    void Create() {
        RegisterWindowClass("NorvexThrowingWindow", nullptr);
        CreateHandle("NorvexThrowingWindow", 0, WS_POPUP, "", 0, 0, 10, 10, nullptr);
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER)
            throw std::bad_alloc();
        return Default(message, wParam, lParam);
    }
};

TEST(MainWindow, AHandlerThatThrowsIsReportedAndTheProgramGoesOn) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    ThrowingWindow window;
    window.Create();
    SendMessageA(window.Handle(), WM_USER, 0, 0);
    ASSERT_EQ(program.Errors.size(), 1u);
    EXPECT_EQ(program.Errors[0].rfind(Language("GUI", "UNEXPECTED_ERROR"), 0), 0u);
    EXPECT_TRUE(IsWindow(window.Handle()));
    form.FormClose();
}

TEST(MainWindow, AStartAfterClosingHiddenHidesItselfShortlyAfterStart) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nMINIMALIZED=TRUE\r\n");
    TGUI_Form& form = program.Start();
    Pump(400);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.Tray.TrayHidden);
    form.TrayMenuCommand(TGUI_Form::CoolTrayItem2);
}

TEST(MainWindow, DamagedIntegersAreShownInOneErrorBoxAndTheRestIsRead) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nLEFT=left\r\nSELECTPANEL=2\r\n");
    program.Folder().Write("Settings/LAN2.ini", "[PROFILE_1]\r\nNAME=a\r\nICON=x\r\n[PROFILE_2]\r\nNAME=b\r\n");
    TGUI_Form& form = program.Start();
    ASSERT_EQ(program.Errors.size(), 1u);
    EXPECT_EQ(program.Errors[0], "'left' is not a valid integer value.\n'x' is not a valid integer value.\n");
    EXPECT_EQ(form.MainFrame(2).RowCount(), 2);
    form.FormClose();
}

TEST(MainWindow, TheInformationTreeOpensHelpPagesUnderTheLanguageFolder) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    TreeView_SelectItem(form.JvTreeView1_1, form.TreeNodes[6]);
    form.JvTreeView1_1DblClick();
    ASSERT_EQ(program.OpenedDocuments.size(), 1u);
    EXPECT_EQ(program.OpenedDocuments[0], LanguageDir + "\\Help\\IP.htm");
    // Enter on a node opens it as a double-click does.
    TreeView_SelectItem(form.JvTreeView1_1, form.TreeNodes[3]);
    SetFocus(form.JvTreeView1_1);
    Press(VK_RETURN);
    Pump();
    ASSERT_EQ(program.OpenedDocuments.size(), 2u);
    EXPECT_EQ(program.OpenedDocuments[1], LanguageDir + "\\Help\\Info.htm");
    form.FormClose();
}

TEST(MainWindow, TheNavigationPaneAndASlotPageWorkFromTheKeyboard) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=3\r\n");
    program.Folder().Write("Settings/LAN2.ini", ThreeProfilesOfSlot2);
    TGUI_Form& form = program.Start();
    // Up and Down move between the page buttons, Enter opens the page.
    SetFocus(form.JvPanel.Handle());
    Press(VK_UP);
    Press(VK_RETURN);
    Pump();
    ASSERT_EQ(form.JvPanel.ActivePage(), 2);
    TMainFrame& page = form.MainFrame(2);
    EXPECT_EQ(GetFocus(), page.JvListView1);

    // Enter runs the selected profile; Delete asks first.
    page.SelectRow(2);
    ASSERT_EQ(Selection.CurrentProfile, -1);
    Press(VK_RETURN);
    Pump();
    EXPECT_EQ(Selection.CurrentProfile, 2);
    program.AnswerYes = false;
    Press(VK_DELETE);
    Pump();
    EXPECT_EQ(program.Questions, (std::vector<std::string>{"Delete profile 'Cairo'?"}));
    EXPECT_EQ(page.RowCount(), 3);

    // The menu key opens the context menu under the selected row.
    RECT row;
    ListView_GetItemRect(page.JvListView1, 2, &row, LVIR_LABEL);
    MapWindowPoints(page.JvListView1, nullptr, reinterpret_cast<POINT*>(&row), 2);
    {
        MenuProbe menu;
        Press(VK_APPS);
        Pump(300);
        ASSERT_TRUE(menu.Seen);
        EXPECT_NEAR(menu.Bounds.top, row.bottom, 3);
    }
    form.FormClose();
}

// From a fresh start, by keys alone, as a user without a mouse: Tab reaches the list, a profile is added, applied and
// another deleted, and after each the focus is on the list with a row selected; Tab goes on to the commands.
TEST(MainWindowKeyboard, FromAFreshStartTheKeysAddApplyAndDeleteAndTabReachesTheCommands) {
    ProgramUnderTest program;
    program.AskOnScreen = true;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\n");
    program.Folder().Write("Settings/LAN2.ini", ThreeProfilesOfSlot2);
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start();
    TMainFrame& page = form.MainFrame(2);
    auto keys = [](std::initializer_list<WORD> pressed) {
        for (WORD key : pressed)
            Press(key);
        Pump(150);
    };
    EXPECT_EQ(GetFocus(), form.JvPanel.Handle());
    keys({VK_TAB});
    EXPECT_EQ(GetFocus(), page.JvListView1);
    {
        DialogSteps editor({[] { TypeKeys("Lisbon"); }, [] { Press(VK_RETURN); }});
        keys({VK_INSERT});
        EXPECT_TRUE(editor.Finished());
    }
    ASSERT_EQ(page.RowCount(), 4);
    EXPECT_EQ(page.RowCaption(3), "Lisbon");
    EXPECT_EQ(page.SelectedRow(), 3);
    EXPECT_EQ(GetFocus(), page.JvListView1);
    keys({VK_RETURN});
    EXPECT_EQ(netsh.Runs().size(), 1u);
    EXPECT_EQ(Selection.CurrentProfile, 3);
    EXPECT_EQ(page.SelectedRow(), 3);
    EXPECT_EQ(GetFocus(), page.JvListView1);

    // The question before a delete takes No from Enter; Y deletes, and the next row is selected.
    keys({VK_HOME, VK_DOWN});
    for (WORD answer : {WORD(VK_RETURN), WORD('Y')}) {
        DialogSteps question({[answer] { Press(answer); }});
        keys({VK_DELETE});
        EXPECT_TRUE(question.Finished());
    }
    ASSERT_EQ(page.RowCount(), 3);
    EXPECT_EQ(page.RowCaption(1), "Cairo");
    EXPECT_EQ(page.SelectedRow(), 1);
    EXPECT_EQ(GetFocus(), page.JvListView1);

    // Tab: list, commands, pane, and back; the commands by the arrows and Enter (Run is the fourth).
    keys({VK_TAB});
    EXPECT_EQ(GetFocus(), page.Panel1.Handle());
    keys({VK_TAB});
    EXPECT_EQ(GetFocus(), form.JvPanel.Handle());
    Press(VK_TAB, true);
    keys({});
    EXPECT_EQ(GetFocus(), page.Panel1.Handle());
    keys({VK_DOWN, VK_DOWN, VK_DOWN});
    EXPECT_EQ(page.Panel1.FocusedCommand(), 3);
    Selection.CurrentProfile = -1;
    keys({VK_RETURN});
    EXPECT_EQ(Selection.CurrentProfile, 2); // Cairo applied (it applies no group: netsh is not run)
    EXPECT_EQ(GetFocus(), page.JvListView1);
    form.FormClose();
}

// Norvex.exe as built, in a folder of its own with the Language folder: started as a user starts it.
class RunningCopy {
public:
    explicit RunningCopy(const std::string& settingsWindow) {
        const std::string tests = platform::FolderPartOf(platform::ExecutablePath());
        std::filesystem::copy(tests + NORVEX_PROGRAM_FROM_TESTS, Folder.File("Norvex.exe"));
        std::filesystem::copy(tests + "Language", Folder.File("Language"), std::filesystem::copy_options::recursive);
        Folder.Write("Settings/WINDOW.ini", settingsWindow);
    }
    ~RunningCopy() {
        for (PROCESS_INFORMATION& run : Runs) {
            if (HWND window = Window(run); window != nullptr)
                PostMessageA(window, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(run.hProcess, 20000) != WAIT_OBJECT_0)
                TerminateProcess(run.hProcess, 1);
            CloseHandle(run.hProcess);
            CloseHandle(run.hThread);
        }
    }
    // Starts Norvex.exe once more; returns which start it was.
    size_t Start() {
        // Built piece by piece: GCC 12 warns of an overlap in "\"" + path, wrongly.
        std::string command = "\"";
        command += Folder.File("Norvex.exe");
        command += '"';
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION run{};
        EXPECT_TRUE(
            CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &run));
        Runs.push_back(run);
        return Runs.size() - 1;
    }
    // The main window of a start, waited for up to 20 seconds; null when it has none.
    HWND Window(size_t start, int milliseconds = 0) { return Window(Runs[start], milliseconds); }
    bool Ended(size_t start, int milliseconds) {
        return WaitForSingleObject(Runs[start].hProcess, milliseconds) == WAIT_OBJECT_0;
    }
    ScratchFolder Folder;

private:
    static HWND Window(const PROCESS_INFORMATION& run, int milliseconds = 0) {
        const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
        do {
            for (HWND window = FindWindowExA(nullptr, nullptr, "TGUI_Form", nullptr); window != nullptr;
                 window = FindWindowExA(nullptr, window, "TGUI_Form", nullptr)) {
                DWORD process = 0;
                GetWindowThreadProcessId(window, &process);
                if (process == run.dwProcessId)
                    return window;
            }
            Sleep(50);
        } while (static_cast<int>(end - GetTickCount()) > 0);
        return nullptr;
    }
    std::vector<PROCESS_INFORMATION> Runs;
};

// A second start of the same copy (the Start menu while Norvex sits in the tray) shows the running program's window
// and ends; a portable copy in another folder, with its own Settings, runs beside it.
TEST(SingleInstance, ASecondStartShowsTheRunningWindowAndEndsAndAnotherCopyRunsBesideIt) {
    RunningCopy copy("[WINDOW]\r\nMINIMALIZED=TRUE\r\n");
    const size_t first = copy.Start();
    HWND window = copy.Window(first, 20000);
    ASSERT_NE(window, nullptr);
    for (int waited = 0; IsWindowVisible(window) && waited < 10000; waited += 50)
        Sleep(50);
    ASSERT_FALSE(IsWindowVisible(window)); // in the tray

    const size_t second = copy.Start();
    EXPECT_TRUE(copy.Ended(second, 20000));
    for (int waited = 0; !IsWindowVisible(window) && waited < 5000; waited += 50)
        Sleep(50);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_FALSE(copy.Ended(first, 0));

    RunningCopy other("");
    const size_t elsewhere = other.Start();
    EXPECT_NE(other.Window(elsewhere, 20000), nullptr);
    EXPECT_FALSE(other.Ended(elsewhere, 1000));
    EXPECT_FALSE(copy.Ended(first, 0));
}

// The focus comes back to the control that had it after the about window, after the tray menu opened while another
// window was active, and after the editor is cancelled, which keeps the row selected.
TEST(MainWindowKeyboard, TheFocusComesBackAfterADialogOrTheTrayMenu) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/LAN2.ini", ThreeProfilesOfSlot2);
    TGUI_Form& form = program.Start();
    Press(VK_TAB);
    Press(VK_DOWN); // the about node
    Pump(150);
    ASSERT_EQ(GetFocus(), form.JvTreeView1_1);
    {
        DialogSteps about({[] { Press(VK_ESCAPE); }});
        Press(VK_RETURN);
        Pump(300);
        EXPECT_TRUE(about.Finished());
    }
    EXPECT_EQ(GetFocus(), form.JvTreeView1_1);

    // The tray menu, opened while another window is active, makes the main window active; it opens on a right-click
    // and on a right double-click (a second click soon after the menu closed) alike.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 600, 80, 40, nullptr, nullptr,
                                 nullptr, nullptr);
    SetForegroundWindow(other);
    Pump(100);
    for (UINT click : {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK}) {
        MenuProbe menu;
        SendMessageA(form.CoolTrayIcon.HandlerWindow(), TCoolTrayIcon::CallbackMessage, TCoolTrayIcon::IconId, click);
        EXPECT_TRUE(menu.Seen) << click;
    }
    Pump(100);
    EXPECT_EQ(GetFocus(), form.JvTreeView1_1);
    DestroyWindow(other);

    // The editor cancelled: the row stays selected, and Enter applies it.
    form.JvPanel.SetActivePage(2);
    TMainFrame& page = form.MainFrame(2);
    Press(VK_DOWN);
    Press(VK_DOWN);
    Pump(100);
    ASSERT_EQ(page.SelectedRow(), 1);
    {
        DialogSteps editor({[] { Press(VK_ESCAPE); }});
        Press(VK_F2);
        Pump(300);
        EXPECT_TRUE(editor.Finished());
    }
    EXPECT_EQ(page.SelectedRow(), 1);
    EXPECT_EQ(GetFocus(), page.JvListView1);
    Press(VK_RETURN);
    Pump(100);
    EXPECT_EQ(Selection.CurrentProfile, 1);
    form.FormClose();
}

// Client rectangle of a child in its parent's coordinates.
RECT PlaceOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A taller window gives its height to the profile list; the smallest one still shows three rows and the five
// commands; the upper divider can be dragged too.
TEST(MainWindow, TheProfileListTakesTheHeightAndTheCommandsStayVisible) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=2\r\n");
    program.Folder().Write("Settings/LAN2.ini", ThreeProfilesOfSlot2);
    TGUI_Form& form = program.Start();
    const UINT dpi = WindowDpi(form.Handle());
    const int width = Scaled(250, dpi);
    const int height = Scaled(490, dpi);
    const int more = Scaled(100, dpi);
    TMainFrame& page = form.MainFrame(2);
    auto listHeight = [&] { return PlaceOf(page.JvListView1).bottom - PlaceOf(page.JvListView1).top; };
    auto commandsRoom = [&] {
        RECT frame;
        GetClientRect(page.Handle(), &frame);
        return frame.bottom - PlaceOf(page.JvNavDivider2.Handle()).bottom;
    };
    const int list = listHeight();
    const int commands = commandsRoom();
    const TFrameMetrics metrics = page.Metrics();
    EXPECT_GE(commands, metrics.MinCommands);
    SetWindowPos(form.Handle(), nullptr, 0, 0, width, height + more, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(listHeight(), list + more);
    EXPECT_EQ(commandsRoom(), commands);
    // As small as the window may be made: three rows and the commands.
    SetWindowPos(form.Handle(), nullptr, 0, 0, 50, 50, SWP_NOMOVE | SWP_NOZORDER);
    RECT smallest;
    GetWindowRect(form.Handle(), &smallest);
    EXPECT_GT(smallest.bottom - smallest.top, 50);
    EXPECT_GE(listHeight() + Scaled(4, dpi), metrics.MinList);
    EXPECT_GE(commandsRoom(), metrics.MinCommands);
    SetWindowPos(form.Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(listHeight(), list);

    // The upper divider dragged down by 30 pixels takes them from the list.
    SetWindowPos(form.Handle(), nullptr, 0, 0, width, height + more, SWP_NOMOVE | SWP_NOZORDER);
    HWND divider = page.JvNavDivider1.Handle();
    SendMessageA(divider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    SendMessageA(divider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(20, 35));
    SendMessageA(divider, WM_LBUTTONUP, 0, MAKELPARAM(20, 35));
    EXPECT_EQ(PlaceOf(divider).top, 30);
    EXPECT_EQ(listHeight(), list + more - 30);
    form.FormClose();
}

// Menu pictures lie on the menu's own colour, not on black squares, with room between picture and text.
TEST(MainWindow, TheTrayMenusPicturesAreTransparent) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    MenuProbe probe;
    POINT at{100, 100};
    TrackPopupMenu(form.CoolTrayPopupMenu, TPM_RETURNCMD, at.x, at.y, 0, form.Handle(), nullptr);
    ASSERT_TRUE(probe.Seen);
    if (const char* picture = std::getenv("NORVEX_MENU_PICTURE")) {
        // A PPM of what was on screen, to look at.
        std::ofstream out(picture, std::ios::binary);
        out << "P6 " << probe.Bounds.right - probe.Bounds.left << " " << probe.Bounds.bottom - probe.Bounds.top
            << " 255\n";
        for (COLORREF pixel : probe.Pixels)
            out << static_cast<char>(GetRValue(pixel)) << static_cast<char>(GetGValue(pixel))
                << static_cast<char>(GetBValue(pixel));
    }
    // The first slot's item: its left part holds the picture and no text.
    const int itemHeight = GetSystemMetrics(SM_CYMENU);
    int black = 0;
    for (int y = probe.Bounds.top + 3; y < probe.Bounds.top + 3 + itemHeight; ++y)
        for (int x = probe.Bounds.left + 3; x < probe.Bounds.left + 26; ++x)
            black += probe.Pixel(x, y) == RGB(0, 0, 0) ? 1 : 0;
    EXPECT_EQ(black, 0);
    form.FormClose();
}

// A button's menu opens under the button when the button was pressed from the keyboard, at the mouse otherwise.
TEST(MainWindow, AButtonMenuOpensUnderItsButtonFromTheKeyboard) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    HWND button = CreateWindowExA(0, "BUTTON", "Icon", WS_CHILD | WS_VISIBLE, 20, 100, 80, 25,
                                  form.InformationPage.Handle(), nullptr, nullptr, nullptr);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Entry");
    RECT bounds;
    GetWindowRect(button, &bounds);
    for (bool keyboard : {true, false}) {
        MSG input{};
        input.message = keyboard ? WM_KEYDOWN : WM_LBUTTONDOWN;
        NoteInput(input);
        SetCursorPos(bounds.left + 300, bounds.top + 200);
        MenuProbe probe;
        TrackButtonMenu(menu, button, form.Handle());
        ASSERT_TRUE(probe.Seen);
        EXPECT_EQ(probe.Bounds.left, keyboard ? bounds.left : bounds.left + 300) << keyboard;
        EXPECT_EQ(probe.Bounds.top, keyboard ? bounds.bottom : bounds.top + 200) << keyboard;
    }
    DestroyMenu(menu);
    DestroyWindow(button);
    form.FormClose();
}

// Closes the about window as soon as it is on screen, remembering which window it was: the first time with its
// close box, then with Escape.
std::vector<HWND> AboutWindowsSeen;
std::vector<std::string> AboutTitlesSeen;
void CALLBACK CloseAboutWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND about = FindWindowA("TAbout_Form", nullptr);
    if (about == nullptr || !IsWindowVisible(about))
        return;
    KillTimer(nullptr, timer);
    AboutWindowsSeen.push_back(about);
    AboutTitlesSeen.push_back(WindowText(about));
    if (AboutWindowsSeen.size() == 1) {
        PostMessageA(about, WM_CLOSE, 0, 0);
    } else {
        // The key as the window receives it, whichever window the system's focus was left on by earlier tests.
        PostMessageA(about, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(about, WM_KEYUP, VK_ESCAPE, 0);
    }
}

TEST(MainWindow, TheAboutWindowIsMadeOnceKeptAndHasNothingToClick) {
    ProgramUnderTest program;
    TGUI_Form& form = program.Start();
    TreeView_SelectItem(form.JvTreeView1_1, form.TreeNodes[1]);
    for (int opening = 0; opening < 2; ++opening) {
        SetTimer(nullptr, 0, 100, CloseAboutWhenShown);
        form.JvTreeView1_1DblClick();
    }
    ASSERT_EQ(AboutWindowsSeen.size(), 2u);
    EXPECT_EQ(AboutWindowsSeen[0], AboutWindowsSeen[1]);
    EXPECT_EQ(AboutTitlesSeen[0], Language("ABOUTFORM", "WINDOWTITLE"));
    EXPECT_EQ(GetWindow(AboutWindowsSeen[0], GW_CHILD), nullptr);
    EXPECT_TRUE(IsWindowEnabled(form.Handle()));
    form.FormClose();
}

} // namespace
