// The windows the interface page opens, each created for its opening and destroyed when it closes.
#include "ui/Editors.h"

#include "ui/InterfaceForm.h"
#include "ui/ProfileForm.h"

void ShowProfileEditor(HWND owner) {
    TProfile_Form form(owner);
    form.ShowModal(owner);
}

void ShowInterfaceDialog(HWND owner, int slot) {
    TInterface_Form form(owner, slot);
    form.ShowModal(owner);
}
