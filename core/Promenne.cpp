// The profile store: module-level state, one per process, changed directly by every window.
#include "core/Promenne.h"

#include "lang/IniFile.h"

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

int KeepSecondsWithinBounds(int seconds) {
    return seconds < KeepSecondsMin ? KeepSecondsMin : seconds > KeepSecondsMax ? KeepSecondsMax : seconds;
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

bool SameName(const std::string& a, const std::string& b) {
    return LowerAscii(a) == LowerAscii(b);
}

std::vector<int> ProfilePositionsNamed(int slot, const std::string& name) {
    std::vector<int> positions;
    const std::vector<int> rows = ProfilesOfSlot(slot);
    for (size_t i = 0; i < rows.size(); ++i)
        if (SameName(Profiles[static_cast<size_t>(rows[i])].Name, name))
            positions.push_back(static_cast<int>(i) + 1);
    return positions;
}

std::vector<int> SlotsNamed(const std::string& name) {
    std::vector<int> slots;
    for (int n = 1; n <= SlotCount; ++n)
        if (SameName(Interfaces[static_cast<size_t>(n)].Name, name))
            slots.push_back(n);
    return slots;
}

std::string NumberList(const std::vector<int>& numbers) {
    std::string text;
    for (int number : numbers)
        text += (text.empty() ? "" : ", ") + std::to_string(number);
    return text;
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
