// The script variable dialog: one variable name and its value, handed to and from the profile editor through
// Selection.
#pragma once

#include "ui/DialogParts.h"

class TScriptMessage_Form : public TValueDialog {
public:
    explicit TScriptMessage_Form(HWND owner);
    ~TScriptMessage_Form() override;

    void FormActivate() override;
    void LoadStrings();
    void ButtonCommandClick(HWND sender) override;
    void FormClose() override;

    TDialogHeader JvPanel1; // MainImage, MainText, LabelText
    HWND Label1 = nullptr;
    HWND Edit1 = nullptr;
    HWND Label2 = nullptr;
    HWND Edit2 = nullptr;
};

// The open dialog while it is shown, null otherwise.
extern TScriptMessage_Form* ScriptMessage_Form;

// Shows the dialog modally over the owner for Selection.DialogValue1 and DialogValue2; a cancel (Storno, the
// close box, or OK with an empty name) sets Selection.EditIndex to -2 and empties both values.
void ShowScriptMessageDialog(HWND owner);
