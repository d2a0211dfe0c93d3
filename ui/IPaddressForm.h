// The IP address dialog: one address with its mask, a gateway, a DNS server or a WINS server, by
// Selection.DialogMode, handed to and from the profile editor through Selection.
#pragma once

#include "ui/DialogParts.h"
#include "ui/widgets/IPAddressEdit.h"

class TIPaddress_Form : public TValueDialog {
public:
    explicit TIPaddress_Form(HWND owner);
    ~TIPaddress_Form() override;

    void FormActivate() override;
    bool LoadStrings();
    void ButtonCommandClick(HWND sender) override;
    void FormClose() override;

    TDialogHeader Header; // MainImage, MainText, LabelText
    HWND Label1 = nullptr;
    TIPAddressEdit JvIPAddress1;
    HWND Label2 = nullptr;
    TIPAddressEdit JvIPAddress2;
};

// The open dialog while it is shown, null otherwise.
extern TIPaddress_Form* IPaddress_Form;

// Shows the dialog modally over the owner in the mode Selection.DialogMode (2 address and mask, 3 gateway, 4 DNS
// server, 5 WINS server). Storno and the close box set Selection.EditIndex to -2 and empty both values.
void ShowIPaddressDialog(HWND owner);
