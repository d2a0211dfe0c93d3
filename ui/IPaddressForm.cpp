// The IP address dialog.
#include "ui/IPaddressForm.h"

#include "core/Promenne.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "resources/resource.h"
#include "ui/Graphics.h"
#include "ui/rules/DialogRules.h"

TIPaddress_Form* IPaddress_Form = nullptr;

namespace {
constexpr int Width = 479;
constexpr int Height = 230;
constexpr int FirstEntryId = 90;
constexpr int SecondEntryId = 91;

std::string Text(const std::string& key) {
    return key.empty() ? std::string() : ReadLanguageKey("IPADDRESSFORM", key, LanguageName);
}
} // namespace

TIPaddress_Form::TIPaddress_Form(HWND owner) {
    IPaddress_Form = this;
    CreateForm("TIPaddress_Form", owner, Width, Height, false);
    Header.Create(Hwnd, Width, IDB_IPADDRESS48);
    Label1 = MakeLabel(Hwnd, "", 20, 78, 170, 16);
    JvIPAddress1.Create(Hwnd, 196, 74, 150, 22, FirstEntryId);
    Label2 = MakeLabel(Hwnd, "", 20, 108, 170, 16);
    JvIPAddress2.Create(Hwnd, 196, 104, 150, 22, SecondEntryId);
    MakeHintAndButtons(138, 46, 190, false);
}

TIPaddress_Form::~TIPaddress_Form() {
    DestroyForm();
    if (IPaddress_Form == this)
        IPaddress_Form = nullptr;
}

void TIPaddress_Form::FormActivate() {
    LoadStrings();
}

bool TIPaddress_Form::LoadStrings() {
    const TIPaddressDialogKeys keys = IPaddressDialogKeys(Selection.DialogMode);
    SetWindowTextA(Hwnd, Text(keys.WindowTitle).c_str());
    Header.SetMainText(Text(keys.MainTitle));
    Header.SetLabelText(Text(keys.HelpTitle));
    SetWindowTextA(Label1, Text(keys.Label1).c_str());
    if (keys.SecondEntry)
        SetWindowTextA(Label2, Text(keys.Label2).c_str());
    SetWindowTextA(Label3, Text(keys.Label3).c_str());
    LoadButtonCaptions("IPADDRESSFORM");
    for (HWND window : {Label2, JvIPAddress2.Handle()}) {
        ShowWindow(window, keys.SecondEntry ? SW_SHOW : SW_HIDE);
        EnableWindow(window, keys.SecondEntry ? TRUE : FALSE);
    }
    JvIPAddress1.SetText(Selection.DialogValue1);
    JvIPAddress2.SetText(Selection.DialogValue2);
    SetFocus(JvIPAddress1.Field(0));
    SendMessageA(JvIPAddress1.Field(0), EM_SETSEL, 0, -1);
    return true;
}

void TIPaddress_Form::ButtonCommandClick(HWND sender) {
    if (sender == ButtonOK) {
        IPaddressOK(JvIPAddress1.Text(), JvIPAddress2.Text());
        FormClose();
    } else if (sender == ButtonSTORNO) {
        CancelValueDialog();
        FormClose();
    }
}

void TIPaddress_Form::FormClose() {
    EndModal();
    IPaddress_Form = nullptr;
}

void ShowIPaddressDialog(HWND owner) {
    TIPaddress_Form form(owner);
    form.ShowModal(owner);
}
