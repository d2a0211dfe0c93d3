// The small dialogs' exchange with the store.
#include "ui/rules/DialogRules.h"

#include "core/Promenne.h"
#include "engine/Connections.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"

#include <vector>

void ScriptMessageOK(const std::string& edit1, const std::string& edit2) {
    if (edit1.empty()) {
        CancelValueDialog();
        return;
    }
    Selection.DialogValue1 = edit1;
    Selection.DialogValue2 = edit2;
}

std::string ValueDialogButtonCaption(const std::string& section, size_t button) {
    const std::string& key = ValueDialogButtonKeys()[button];
    const std::string text = ReadLanguageKey(section, key, LanguageName);
    return text.rfind(FallbackMarker, 0) == 0 ? ValueDialogFixedCaptions[button] : text;
}

void CancelValueDialog() {
    Selection.EditIndex = -2;
    Selection.DialogValue1.clear();
    Selection.DialogValue2.clear();
}

void IPaddressOK(const std::string& entry1, const std::string& entry2) {
    Selection.DialogValue1 = entry1;
    Selection.DialogValue2 = entry2;
}

TIPaddressDialogKeys IPaddressDialogKeys(int dialogMode) {
    // The shared key list, in fetch order: WINDOWTITLE, MAINTITLE, HELPTITLE, LABEL1, [LABEL2_A,] LABEL3.
    const std::vector<std::string> keys = IPaddressFormCaptionKeys(dialogMode);
    TIPaddressDialogKeys result;
    if (keys.size() < 5)
        return result;
    result.WindowTitle = keys[0];
    result.MainTitle = keys[1];
    result.HelpTitle = keys[2];
    result.Label1 = keys[3];
    result.SecondEntry = keys.size() == 6;
    if (result.SecondEntry)
        result.Label2 = keys[4];
    result.Label3 = keys.back();
    return result;
}

namespace {
bool IsSlot(int slot) {
    return slot >= 1 && slot <= SlotCount;
}
} // namespace

TInterfaceFields LoadInterfaceFields(int slot) {
    if (!IsSlot(slot))
        return {};
    const TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
    return {s.Name, s.Caption, s.Interface, s.Icon};
}

void StoreInterfaceFields(int slot, const TInterfaceFields& fields) {
    if (!IsSlot(slot))
        return;
    TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
    s.Name = fields.Name;
    s.Caption = fields.Caption;
    s.Interface = fields.Interface;
    s.Icon = fields.Icon;
}

std::vector<TConnectionChoice> ConnectionChoices(const platform::MachineSnapshot& machine) {
    std::vector<TConnectionChoice> choices;
    for (const platform::NetworkConnection& connection : machine.Connections)
        choices.push_back({connection.Name, ConnectionListText(connection), connection.NameFits});
    return choices;
}

std::string ConnectionFieldNote(const platform::MachineSnapshot& machine, const std::string& typed) {
    if (!machine.Read || BareConnectionName(typed).empty() || FindConnection(machine, typed) != nullptr)
        return std::string();
    return TakeProblemText(TTakeProblem::Missing, typed);
}

std::string UnusableConnectionNote() {
    return ReadLanguageKey("CONNECTIONS", "NAME_UNUSABLE", LanguageName);
}
