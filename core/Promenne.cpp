// The profile store: module-level state, one per process, changed directly by every window.
#include "core/Promenne.h"

std::string ExeDir;
std::string LanguageDir;
std::string SettingsDir;
std::string TempDir;

std::vector<TProfile> Profiles;
std::array<TInterfaceSlot, SlotCount + 1> Interfaces;
TSelection Selection;
TWindowState WindowState;
bool StartingUp = false;

void ResetStore() {
    StartingUp = true;
    Selection.CurrentProfile = -1;
    Profiles.clear();
}

int AppendProfile() {
    Profiles.emplace_back();
    return static_cast<int>(Profiles.size()) - 1;
}

void MarkDeleted(int index) {
    if (index >= 0 && index < static_cast<int>(Profiles.size()))
        Profiles[static_cast<size_t>(index)].Deleted = true;
}

std::vector<int> ProfilesOfSlot(int slot) {
    std::vector<int> indexes;
    for (size_t i = 0; i < Profiles.size(); ++i)
        if (Profiles[i].InterfaceNo == slot && !Profiles[i].Deleted)
            indexes.push_back(static_cast<int>(i));
    return indexes;
}

void ClearStore() {
    Profiles = {};
    Interfaces = {};
    Selection = TSelection();
    WindowState = TWindowState();
    ExeDir.clear();
    LanguageDir.clear();
    SettingsDir.clear();
    TempDir.clear();
}
