// The windows the interface page opens, each created for its opening and destroyed when it closes.
#include "ui/Editors.h"

#include "core/Promenne.h"
#include "engine/ApplyProfile.h"
#include "ui/InterfaceForm.h"
#include "ui/ProfileForm.h"
#include "ui/Unit1.h"

void ShowProfileEditor(HWND owner) {
    TProfile_Form form(owner);
    form.ShowModal(owner);
}

void ShowInterfaceDialog(HWND owner) {
    // The slot of the page that offered the command.
    const int slot = GUI_Form != nullptr ? GUI_Form->JvPanel.ActivePage() : 0;
    TInterface_Form form(owner, slot);
    form.ShowModal(owner);
}

void ApplyProfile() {
    const int current = Selection.CurrentProfile;
    if (current < 0 || current >= static_cast<int>(Profiles.size()))
        return;
    const TProfile& profile = Profiles[static_cast<size_t>(current)];
    const std::string name = profile.Name;
    const int slot = profile.InterfaceNo;
    const std::string slotName = slot >= 1 && slot <= SlotCount ? Interfaces[static_cast<size_t>(slot)].Name : "";
    const TApplyResult result = ApplyCurrentProfile();
    if (GUI_Form != nullptr)
        GUI_Form->ShowApplyResult(result, name, slotName);
}
