// The whole road as a user takes it, with keyboard and mouse input through the system's input queue: add a profile
// with two static addresses, a gateway, DNS servers and a script variable, edit it, run it, delete it, rename the
// slot. Runs only when NORVEX_WALKTHROUGH names a folder for its pictures (best in a Wine virtual desktop).
#include "DialogSteps.h"
#include "Recording.h"
#include "WindowTestSupport.h"
#include "core/Promenne.h"
#include "ui/IPaddressForm.h"
#include "ui/InterfaceForm.h"
#include "ui/ProfileForm.h"
#include "ui/ScriptMessageForm.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

void ClickTab(int page) {
    RECT r;
    TabCtrl_GetItemRect(Profile_Form->PageControl, page - 1, &r);
    MapWindowPoints(Profile_Form->PageControl, nullptr, reinterpret_cast<POINT*>(&r), 2);
    ClickAt(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

class Walkthrough : public ::testing::Test {
protected:
    void SetUp() override {
        const char* folder = std::getenv("NORVEX_WALKTHROUGH");
        if (folder == nullptr)
            GTEST_SKIP() << "NORVEX_WALKTHROUGH is not set";
        Out = folder;
    }
    void Picture(HWND window, const std::string& name) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        EXPECT_TRUE(SaveWindowPicture(window, Out + "\\" + name + ".bmp"));
    }
    // Steps that type an address into the open IP address dialog and confirm it with the mouse.
    void EnterAddress(std::deque<std::function<void()>>& steps, const std::string& address, const std::string& mask,
                      const char* picture = nullptr) {
        steps.push_back([address] { TypeKeys(address); });
        if (!mask.empty()) {
            steps.push_back([] { Press(VK_TAB); });
            steps.push_back([mask] { TypeKeys(mask); });
        }
        if (picture != nullptr)
            steps.push_back([this, picture] { Picture(IPaddress_Form->Handle(), picture); });
        steps.push_back([] { MouseClick(IPaddress_Form->ButtonOK); });
    }
    std::string Out;
};

TEST_F(Walkthrough, AddEditRunDeleteAndRenameTheSlot) {
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=1\r\nLEFT=0\r\nTOP=0\r\n");
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start();
    TMainFrame& page = form.MainFrame(1);
    program.Folder().Write("template.txt", "computer=HOST\r\n");
    const std::string templatePath = program.Folder().File("template.txt");
    const std::string destinationPath = program.Folder().File("filled.txt");

    // Add.
    std::deque<std::function<void()>> add;
    add.push_back([] { TypeKeys("Office"); });
    add.push_back([] { ClickTab(4); });
    add.push_back([] { MouseClick(Profile_Form->RadioButton2_4); });
    add.push_back([] { MouseClick(Profile_Form->Button1_4); });
    EnterAddress(add, "192.168.10.25", "255.255.255.0", "walk-1-address");
    add.push_back([] { MouseClick(Profile_Form->Button1_4); });
    EnterAddress(add, "10.20.0.25", "255.255.0.0");
    add.push_back([] { MouseClick(Profile_Form->Button6_4); });
    EnterAddress(add, "192.168.10.1", "", "walk-2-gateway");
    add.push_back([this] { Picture(Profile_Form->Handle(), "walk-3-ip-page"); });
    add.push_back([] { ClickTab(5); });
    add.push_back([] { MouseClick(Profile_Form->RadioButton2_5); });
    add.push_back([] { MouseClick(Profile_Form->Button3_5); });
    EnterAddress(add, "192.168.10.2", "");
    add.push_back([] { MouseClick(Profile_Form->Button3_5); });
    EnterAddress(add, "8.8.8.8", "");
    add.push_back([] { MouseClick(Profile_Form->CheckBox2_5); });
    add.push_back([this] { Picture(Profile_Form->Handle(), "walk-4-dns-page"); });
    add.push_back([] { ClickTab(3); });
    add.push_back([] { MouseClick(Profile_Form->CheckBox1_3); });
    add.push_back([] { MouseClick(Profile_Form->Button1_3); });
    add.push_back([] { TypeKeys("HOST"); });
    add.push_back([] { Press(VK_TAB); });
    add.push_back([] { TypeKeys("office-pc"); });
    add.push_back([] { MouseClick(ScriptMessage_Form->ButtonOK); });
    add.push_back([] { MouseClick(Profile_Form->Edit1_3); });
    add.push_back([templatePath] { TypeKeys(templatePath); });
    add.push_back([] { MouseClick(Profile_Form->Edit2_3); });
    add.push_back([destinationPath] { TypeKeys(destinationPath); });
    add.push_back([] { MouseClick(Profile_Form->Edit3_3); });
    add.push_back([] { TypeKeys("netsh script-step HOST"); });
    add.push_back([this] { Picture(Profile_Form->Handle(), "walk-5-scripts-page"); });
    add.push_back([] { MouseClick(Profile_Form->ButtonOK); });
    {
        DialogSteps steps(std::move(add));
        page.onClick(TFrameSender::Label_ADD);
        EXPECT_TRUE(steps.Finished());
    }
    ASSERT_EQ(Profiles.size(), 1u);
    const TProfile& added = Profiles[0];
    EXPECT_EQ(added.Name, "Office");
    EXPECT_EQ(added.IP.Adresses,
              (std::vector<TAddress>{{"192.168.10.25", "255.255.255.0"}, {"10.20.0.25", "255.255.0.0"}}));
    EXPECT_EQ(added.IP.Gateways, std::vector<std::string>{"192.168.10.1"});
    EXPECT_EQ(added.DNS.Adresses, (std::vector<std::string>{"192.168.10.2", "8.8.8.8"}));
    EXPECT_EQ(added.DNS.RegisterInDNS, 1);
    EXPECT_EQ(added.Scripts.ScriptsValues, (std::vector<TScriptValue>{{"HOST", "office-pc"}}));
    EXPECT_EQ(page.RowCaption(0), "Office");

    // Edit: a new name, the DNS servers swapped.
    page.SelectRow(0);
    {
        DialogSteps steps({
            [] { TypeKeys("Office LAN"); },
            [] { ClickTab(5); },
            [] { Profile_Form->SelectRow(4, 1); },
            [] { MouseClick(Profile_Form->Button1_5); },
            [this] { Picture(Profile_Form->Handle(), "walk-6-edited-dns"); },
            [] { MouseClick(Profile_Form->ButtonOK); },
        });
        page.onClick(TFrameSender::Label_EDIT);
        EXPECT_TRUE(steps.Finished());
    }
    EXPECT_EQ(Profiles[0].Name, "Office LAN");
    EXPECT_EQ(Profiles[0].DNS.Adresses, (std::vector<std::string>{"8.8.8.8", "192.168.10.2"}));
    std::printf("LAN1.ini after the edit:\n%s\n", program.Folder().Read("Settings/LAN1.ini").c_str());

    // Run: netsh gets the script, then the profile's command runs.
    page.SelectRow(0);
    page.onClick(TFrameSender::Label_RUN);
    std::ifstream script(TempDir + "\\norvex.txt", std::ios::binary);
    std::stringstream text;
    text << script.rdbuf();
    std::printf("norvex.txt:\n%s\n", text.str().c_str());
    for (const auto& run : netsh.Runs())
        for (const std::string& line : run)
            std::printf("netsh run: %s\n", line.c_str());
    EXPECT_NE(text.str().find("192.168.10.25"), std::string::npos);
    EXPECT_EQ(netsh.Runs().size(), 2u);
    std::printf("filled.txt: %s\n", program.Folder().Read("filled.txt").c_str());
    EXPECT_EQ(program.Folder().Read("filled.txt"), "computer=office-pc\r\n");

    // Delete.
    page.SelectRow(0);
    page.onClick(TFrameSender::Label_DELETE);
    EXPECT_EQ(page.RowCount(), 0);
    EXPECT_EQ(program.Folder().Read("Settings/LAN1.ini").find("Office"), std::string::npos);

    // Rename the slot.
    {
        DialogSteps steps({
            [] { TypeKeys("Office"); },
            [] { Press(VK_TAB); },
            [] { TypeKeys("Docking station"); },
            [this] { Picture(Interface_Form->Handle(), "walk-7-interface"); },
            [] { MouseClick(Interface_Form->ButtonOK); },
        });
        page.onClick(TFrameSender::Label_INTERFACE);
        EXPECT_TRUE(steps.Finished());
    }
    EXPECT_EQ(form.JvPanel.PageCaption(1), "Office");
    EXPECT_EQ(MenuItemCaption(form.CoolTrayPopupMenu, 0), "Office - Docking station");
    Pump(200);
    Picture(form.Handle(), "walk-8-main-window");
    form.FormClose();
}

} // namespace
