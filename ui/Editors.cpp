// The windows the interface page opens, each created for its opening and destroyed when it closes.
#include "ui/Editors.h"

#include "core/Promenne.h"
#include "engine/Connections.h"
#include "ui/InterfaceForm.h"
#include "ui/ProfileForm.h"

void ShowProfileEditor(HWND owner) {
    TProfile_Form form(owner);
    form.ShowModal(owner);
}

bool ShowProfileEditorFromCurrentSettings(HWND owner, int slot, const std::function<void(const std::string&)>& tell) {
    const std::string& connection = Interfaces[static_cast<size_t>(slot)].Interface;
    const TCurrentSettings current = CurrentSettingsOf(ReadMachine(), connection);
    if (current.Problem != TTakeProblem::None) {
        tell(TakeProblemText(current.Problem, connection, current.State));
        return false;
    }
    TProfile_Form form(owner);
    form.StartFromSettings = current.Settings;
    form.ShowModal(owner);
    return true;
}

void ShowInterfaceDialog(HWND owner, int slot) {
    TInterface_Form form(owner, slot);
    form.ShowModal(owner);
}
