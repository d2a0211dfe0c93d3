// The script variable dialog.
#include "ui/ScriptMessageForm.h"

#include "core/Promenne.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "resources/resource.h"
#include "ui/Graphics.h"
#include "ui/rules/DialogRules.h"

TScriptMessage_Form* ScriptMessage_Form = nullptr;

namespace {
constexpr int Width = 479;
constexpr int Height = 230;
} // namespace

TScriptMessage_Form::TScriptMessage_Form(HWND owner) {
    ScriptMessage_Form = this;
    CreateForm("TScriptMessage_Form", owner, Width, Height, false);
    JvPanel1.Create(Hwnd, Width, IDB_SCRIPT48);
    Label1 = MakeLabel(Hwnd, "", 20, 74, 116, 16);
    Edit1 = MakeEdit(Hwnd, 140, 70, 320, 22);
    Label2 = MakeLabel(Hwnd, "", 20, 102, 116, 16);
    Edit2 = MakeEdit(Hwnd, 140, 98, 320, 22);
    MakeHintAndButtons(128, 63, 192, true);
}

TScriptMessage_Form::~TScriptMessage_Form() {
    DestroyForm();
    if (ScriptMessage_Form == this)
        ScriptMessage_Form = nullptr;
}

void TScriptMessage_Form::FormActivate() {
    LoadStrings();
}

void TScriptMessage_Form::LoadStrings() {
    const std::vector<std::string>& keys = ScriptMessageFormCaptionKeys(); // title, header, labels 1 to 3
    auto text = [&keys](size_t i) { return ReadLanguageKey("SCRIPTMESSAGEFORM", keys[i], LanguageName); };
    SetWindowTextA(Hwnd, text(0).c_str());
    JvPanel1.SetMainText(text(1));
    JvPanel1.SetLabelText(text(2));
    SetWindowTextA(Label1, text(3).c_str());
    SetWindowTextA(Label2, text(4).c_str());
    SetWindowTextA(Label3, text(5).c_str());
    LoadButtonCaptions("SCRIPTMESSAGEFORM");
    SetWindowTextA(Edit1, Selection.DialogValue1.c_str());
    SetWindowTextA(Edit2, Selection.DialogValue2.c_str());
    SetFocus(Edit1);
    SendMessageA(Edit1, EM_SETSEL, 0, -1);
}

void TScriptMessage_Form::ButtonCommandClick(HWND sender) {
    if (sender == ButtonOK) {
        ScriptMessageOK(WindowText(Edit1), WindowText(Edit2));
        FormClose();
    } else if (sender == ButtonSTORNO) {
        CancelValueDialog();
        FormClose();
    } else if (sender == ButtonHELP) {
        OpenHelpPage("Help\\ScriptMessageForm.htm");
    }
}

void TScriptMessage_Form::FormClose() {
    EndModal();
    ScriptMessage_Form = nullptr;
}

void ShowScriptMessageDialog(HWND owner) {
    TScriptMessage_Form form(owner);
    form.ShowModal(owner);
}
