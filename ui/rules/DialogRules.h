// The rules of the small dialogs that need no window: what the script variable and IP address dialogs hand back
// through Selection, which keys the IP address dialog shows in each mode, and the interface dialog's fields.
#pragma once

#include "platform/Connections.h"

#include <string>
#include <vector>

// OK of the script variable dialog: the name and value as typed; an empty name counts as a cancel.
void ScriptMessageOK(const std::string& edit1, const std::string& edit2);

// Storno, and the title-bar close box, of both value dialogs: EditIndex -2 and both values empty.
void CancelValueDialog();

// The captions of the value dialogs' OK, Storno and "?" buttons (0, 1, 2): the section's BUTTON_OK, BUTTON_STORNO
// and BUTTON_HELP where the language file has them, else the fixed words.
inline constexpr const char* ValueDialogFixedCaptions[3] = {"OK", "Storno", "?"};
std::string ValueDialogButtonCaption(const std::string& section, size_t button);

// OK of the IP address dialog: both entries' texts, the hidden second one included.
void IPaddressOK(const std::string& entry1, const std::string& entry2);

// The IP address dialog's keys for a mode (2 to 5), by where they go; Label2 is empty and the second entry hidden
// outside mode 2. A mode outside 2 to 5 has no keys and one entry.
struct TIPaddressDialogKeys {
    std::string WindowTitle;
    std::string MainTitle;
    std::string HelpTitle;
    std::string Label1;
    std::string Label2;
    std::string Label3;
    bool SecondEntry = false;
};
TIPaddressDialogKeys IPaddressDialogKeys(int dialogMode);

// What the interface settings dialog edits of a slot (1 to 5); Iconized is neither shown nor changed.
struct TInterfaceFields {
    std::string Name;
    std::string Caption;
    std::string Interface;
    int Icon = 0;
    bool operator==(const TInterfaceFields&) const = default;
};
// A slot outside 1 to 5 gives empty fields and takes nothing.
TInterfaceFields LoadInterfaceFields(int slot);
void StoreInterfaceFields(int slot, const TInterfaceFields& fields);

// The interface dialog's list of the machine's connections: each as "name - description, state"; a name netsh
// cannot be given (characters the code page lacks) is listed but cannot be chosen.
struct TConnectionChoice {
    std::string Name; // what choosing it puts into the field
    std::string Text; // what the list shows
    bool Usable = true;
    bool operator==(const TConnectionChoice&) const = default;
};
std::vector<TConnectionChoice> ConnectionChoices(const platform::MachineSnapshot& machine);

// The line under the connection field: why a chosen entry cannot be used, or that the typed name is not present on
// this computer (a docking station's adapter may be absent while the profile is made: typing it still works); empty
// when the name is present or the machine cannot be read.
std::string ConnectionFieldNote(const platform::MachineSnapshot& machine, const std::string& typed);
std::string UnusableConnectionNote();
