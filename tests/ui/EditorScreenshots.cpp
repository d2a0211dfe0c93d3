// Pictures of the profile editor and its dialogs, for the documentation and for looking at the layout: taken only
// when NORVEX_SCREENSHOTS names the folder to put them in. In a Wine virtual desktop the frames are drawn too:
// in build/win/tests-bin run, with NORVEX_SCREENSHOTS='Z:\tmp\shots' set,
//   xvfb-run -a ../../../tools/wine-run explorer /desktop=Shots,1024x768 ui_editor_tests.exe
//       --gtest_filter=EditorScreenshots*
// and then `convert` each BMP to PNG.
#include "DialogSteps.h"
#include "MachineStandIn.h"
#include "Recording.h"
#include "WindowTestSupport.h"
#include "core/Promenne.h"
#include "ui/IPaddressForm.h"
#include "ui/InterfaceForm.h"
#include "ui/KeepForm.h"
#include "ui/ProfileForm.h"
#include "ui/ScriptMessageForm.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const char* const OfficeProfile =
    "[LAN]\r\nNAME=Office\r\nCAPTION=Docking station\r\nINTERFACE=Local Area Connection\r\n"
    "[PROFILE_1]\r\nNAME=Office, static\r\nICON=2\r\nIP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\n"
    "IP_ADRESSES_ADDRESS_0=192.168.10.25\r\nIP_ADRESSES_MASK_0=255.255.255.0\r\n"
    "IP_ADRESSES_ADDRESS_1=10.20.0.25\r\nIP_ADRESSES_MASK_1=255.255.0.0\r\n"
    "IP_GATEWAYS_0=192.168.10.1\r\nIP_GATEWAYS_1=10.20.0.1\r\n"
    "DNS_APPLY=TRUE\r\nDNS_SOURCETYPE=1\r\nDNS_REGISTERINDNS=1\r\n"
    "DNS_ADRESSES_0=192.168.10.2\r\nDNS_ADRESSES_1=10.20.0.2\r\n"
    "SCRIPTS_APPLY=TRUE\r\nSCRIPTS_SCRIPTSVALUES_VARIABLE_0=HOST\r\nSCRIPTS_SCRIPTSVALUES_VALUE_0=office-pc\r\n"
    "SCRIPTS_SOURCEPATH=C:\\Scripts\\proxy.tpl\r\nSCRIPTS_DESTINATIONPATH=C:\\Scripts\\proxy.pac\r\n"
    "SCRIPTS_COMMAND=C:\\Scripts\\reload.cmd\r\nFIREWALL_APPLY=TRUE\r\nFIREWALL_ENABLEFIREWALL=TRUE\r\n"
    "ONOFF_APPLY=TRUE\r\nONOFF_COMMAND=1\r\n";

// Lets the window paint, then saves its picture.
void Picture(HWND window, const std::string& folder, const char* name) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    Pump(300);
    EXPECT_TRUE(SaveWindowPicture(window, folder + "\\" + name)) << name;
}

TEST(EditorScreenshots, IPAndDNSPagesAndTheIPAddressDialog) {
    const char* folder = std::getenv("NORVEX_SCREENSHOTS");
    if (folder == nullptr)
        GTEST_SKIP() << "NORVEX_SCREENSHOTS is not set";
    const std::string out = folder;
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=1\r\n");
    program.Folder().Write("Settings/LAN1.ini", OfficeProfile);
    TGUI_Form& form = program.Start();
    TMainFrame& page = form.MainFrame(1);
    page.SelectRow(0);
    DialogSteps steps({
        [&] {
            Profile_Form->SetActivePage(4);
            Picture(Profile_Form->Handle(), out, "editor-ip.bmp");
            Profile_Form->SetActivePage(5);
            Picture(Profile_Form->Handle(), out, "editor-dns.bmp");
            Profile_Form->SetActivePage(4);
            Profile_Form->SelectRow(2, 0);
            Click(Profile_Form->Button2_4);
        },
        [&] {
            Picture(IPaddress_Form->Handle(), out, "ipaddress-dialog.bmp");
            Click(IPaddress_Form->ButtonSTORNO);
        },
        [&] {
            for (int sheet : {1, 2, 3, 6, 7}) {
                Profile_Form->SetActivePage(sheet);
                Picture(Profile_Form->Handle(), out, ("editor-page" + std::to_string(sheet) + ".bmp").c_str());
            }
            Profile_Form->SetActivePage(3);
            Profile_Form->SelectRow(1, 0);
            Click(Profile_Form->Button2_3);
        },
        [&] {
            Picture(ScriptMessage_Form->Handle(), out, "script-dialog.bmp");
            Click(ScriptMessage_Form->ButtonSTORNO);
        },
        [] { Click(Profile_Form->ButtonSTORNO); },
    });
    page.onClick(TFrameSender::Label_EDIT);
    EXPECT_TRUE(steps.Finished());

    DialogSteps interfaceSteps({[&] {
        Picture(Interface_Form->Handle(), out, "interface-dialog.bmp");
        Click(Interface_Form->ButtonSTORNO);
    }});
    page.onClick(TFrameSender::Label_INTERFACE);
    EXPECT_TRUE(interfaceSteps.Finished());
    form.FormClose();
}

// Norvex seeing the machine (a stand-in for it): the connection field's list, a name that cannot be chosen, the
// editor's first page, a slot page whose connection is not present, and the notification after an apply that
// found an old gateway left in place. In a virtual desktop with the shell's taskbar, the notification is the shell's.
TEST(EditorScreenshots, TheMachineSeen) {
    const char* folder = std::getenv("NORVEX_SCREENSHOTS");
    if (folder == nullptr)
        GTEST_SKIP() << "NORVEX_SCREENSHOTS is not set";
    const std::string out = folder;
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=1\r\nLEFT=40\r\nTOP=40\r\n");
    std::string office = OfficeProfile;
    office.replace(office.find("Local Area Connection"), 21, "Ethernet 2");
    office.replace(office.find("SCRIPTS_APPLY=TRUE"), 18, "SCRIPTS_APPLY=FALSE");
    program.Folder().Write("Settings/LAN1.ini", office);
    program.Folder().Write("Settings/LAN2.ini", "[LAN]\r\nNAME=Lab\r\nINTERFACE=USB dock\r\nICONIZED=FALSE\r\n");
    MachineStandIn machine(program.Folder(),
                           "[FIREWALL]\r\nENABLED=TRUE\r\nEXCEPTIONS_ALLOWED=TRUE\r\nNOTIFICATIONS=FALSE\r\n"
                           "[CONNECTION_1]\r\nNAME=Ethernet 2\r\nDESCRIPTION=Intel(R) Ethernet Connection I219-LM\r\n"
                           "ADDRESSES=192.168.10.25/255.255.255.0 10.20.0.25/255.255.0.0\r\n"
                           "GATEWAYS=192.168.10.1 10.20.0.1 10.0.0.1\r\nDNS=192.168.10.2 10.20.0.2\r\n"
                           "DNS_FROM_DHCP=FALSE\r\nDNS_REGISTRATION=1\r\n"
                           "[CONNECTION_2]\r\nNAME=Wi-Fi\r\nDESCRIPTION=Intel(R) Wi-Fi 6 AX201\r\nDHCP=TRUE\r\n"
                           "STATE=DISCONNECTED\r\n"
                           "[CONNECTION_3]\r\nNAME=B?ro-LAN\r\nNAME_FITS=FALSE\r\nDESCRIPTION=Realtek USB GbE\r\n"
                           "[CONNECTION_4]\r\nNAME=Ethernet 4\r\nDESCRIPTION=Dock Ethernet\r\nSTATE=DISABLED\r\n");
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start();
    TMainFrame& page = form.MainFrame(1);

    DialogSteps interfaceSteps({
        [&] {
            Interface_Form->ChooseConnection(2);
            Pump(100);
            SendMessageA(Interface_Form->Edit3, CB_SHOWDROPDOWN, TRUE, 0);
            Picture(GetDesktopWindow(), out, "interface-dialog-connections.bmp");
            SendMessageA(Interface_Form->Edit3, CB_SHOWDROPDOWN, FALSE, 0);
            Picture(Interface_Form->Handle(), out, "interface-dialog-cannot-be-chosen.bmp");
            Click(Interface_Form->ButtonSTORNO);
        },
    });
    page.onClick(TFrameSender::Label_INTERFACE);
    EXPECT_TRUE(interfaceSteps.Finished());

    page.SelectRow(0);
    DialogSteps editorSteps({[&] {
        Picture(Profile_Form->Handle(), out, "editor-page1.bmp");
        Click(Profile_Form->ButtonSTORNO);
    }});
    page.onClick(TFrameSender::Label_EDIT);
    EXPECT_TRUE(editorSteps.Finished());

    form.JvPanel.SetActivePage(2);
    Pump(300);
    Picture(form.Handle(), out, "slot-page-not-present.bmp");
    form.JvPanel.SetActivePage(1);
    page.SelectRow(0);
    page.onClick(TFrameSender::Label_RUN);
    // The apply's notification at once (the shell shows it a moment later), the verification's after the 10 s in
    // which static settings are looked at.
    Pump(2500);
    Picture(GetDesktopWindow(), out, "apply-notification.bmp");
    Pump(10000);
    Picture(GetDesktopWindow(), out, "verification-notification.bmp");
    // Again, with netsh ending with 1 and saying why: its words in the warning, once the verification is done.
    netsh.SetExitCode(1);
    netsh.Print("DHCP is already enabled on this interface.");
    page.onClick(TFrameSender::Label_RUN);
    Pump(12500);
    Picture(GetDesktopWindow(), out, "netsh-words-notification.bmp");
    form.FormClose();
}

// The keep question after an apply of a profile that asks for it: while the apply is checked, once the verification
// found the new settings in effect, and once it found one that is not.
TEST(EditorScreenshots, TheKeepQuestion) {
    const char* folder = std::getenv("NORVEX_SCREENSHOTS");
    if (folder == nullptr)
        GTEST_SKIP() << "NORVEX_SCREENSHOTS is not set";
    const std::string out = folder;
    ProgramUnderTest program;
    program.Folder().Write("Settings/WINDOW.ini", "[WINDOW]\r\nSELECTPANEL=1\r\nLEFT=40\r\nTOP=40\r\n");
    program.Folder().Write("Settings/LAN1.ini",
                           "[LAN]\r\nNAME=Office\r\nINTERFACE=Ethernet 2\r\n[PROFILE_1]\r\nNAME=Office, static\r\n"
                           "IP_APPLY=TRUE\r\nIP_SOURCETYPE=1\r\nIP_ADRESSES_ADDRESS_0=192.168.10.25\r\n"
                           "IP_ADRESSES_MASK_0=255.255.255.0\r\nIP_GATEWAYS_0=192.168.10.1\r\nKEEP_ASK=TRUE\r\n");
    MachineStandIn machine(program.Folder(), "[CONNECTION_1]\r\nNAME=Ethernet 2\r\nDHCP=TRUE\r\n"
                                             "ADDRESSES=10.1.2.3/255.255.0.0\r\nGATEWAYS=10.1.0.1\r\n");
    Recording netsh(program.Folder());
    TGUI_Form& form = program.Start();
    TMainFrame& page = form.MainFrame(1);
    page.SelectRow(0);
    page.onClick(TFrameSender::Label_RUN);
    ASSERT_TRUE(form.KeepQuestionOpen());
    Pump(2300);
    Picture(form.KeepQuestion()->Handle(), out, "keep-question.bmp");
    machine.Write("[CONNECTION_1]\r\nNAME=Ethernet 2\r\nADDRESSES=192.168.10.25/255.255.255.0\r\n"
                  "GATEWAYS=192.168.10.1\r\n");
    Pump(1500);
    Picture(form.KeepQuestion()->Handle(), out, "keep-question-verified.bmp");
    Click(form.KeepQuestion()->ButtonKEEP);
    Pump(300);
    // Again, and an old gateway stays: the verification's warning, once its 10 s are over.
    machine.Write("[CONNECTION_1]\r\nNAME=Ethernet 2\r\nADDRESSES=192.168.10.25/255.255.255.0\r\n"
                  "GATEWAYS=10.1.0.1\r\n");
    page.onClick(TFrameSender::Label_RUN);
    ASSERT_TRUE(form.KeepQuestionOpen());
    Pump(11500);
    Picture(form.KeepQuestion()->Handle(), out, "keep-question-warning.bmp");
    Click(form.KeepQuestion()->ButtonREVERT);
    Pump(300);
    form.FormClose();
}

} // namespace
