// The profile store: the program's folders, the five interface slots, every profile of every slot, the selection
// record through which the windows hand values to each other, and the window state read at start-up.
#pragma once

#include "core/Folders.h"

#include <array>
#include <string>
#include <vector>

struct TScriptValue {
    std::string Variable;
    std::string Value;
    bool operator==(const TScriptValue&) const = default;
};

struct TAddress {
    std::string Address;
    std::string Mask;
    bool operator==(const TAddress&) const = default;
};

struct TOnOffGroup {
    bool Apply = false;
    int Command = 0; // 0 switch the device on, 1 switch it off; a new profile carries -1
    bool operator==(const TOnOffGroup&) const = default;
};

struct TScriptsGroup {
    bool Apply = false;
    std::vector<TScriptValue> ScriptsValues;
    std::string SourcePath;
    std::string DestinationPath;
    std::string Command;
    bool operator==(const TScriptsGroup&) const = default;
};

// Source types: 0 DHCP, 1 static list, -1 not chosen.
struct TIPGroup {
    bool Apply = false;
    int SourceType = 0;
    std::vector<TAddress> Adresses;
    std::vector<std::string> Gateways;
    bool operator==(const TIPGroup&) const = default;
};

struct TDNSGroup {
    bool Apply = false;
    int SourceType = 0;
    std::vector<std::string> Adresses;
    int RegisterInDNS = 0; // 0 none, 1 register, 2 register with this connection's suffix; -1 not chosen
    bool operator==(const TDNSGroup&) const = default;
};

struct TWINSGroup {
    bool Apply = false;
    int SourceType = 0;
    std::vector<std::string> Adresses;
    bool operator==(const TWINSGroup&) const = default;
};

struct TFirewallGroup {
    bool Apply = false;
    bool EnableFirewall = false;
    bool EnableExceptions = false; // true: exceptions are NOT allowed (the editor's "do not allow exceptions" box)
    bool EnableDialogs = false;
    bool operator==(const TFirewallGroup&) const = default;
};

// After an apply the user is asked to keep its settings; without an answer within Seconds the settings from before
// it are put back.
inline constexpr int KeepSecondsMin = 10;
inline constexpr int KeepSecondsMax = 300;
inline constexpr int KeepSecondsDefault = 30;
struct TKeepGroup {
    bool Ask = false;
    int Seconds = KeepSecondsDefault;
    bool operator==(const TKeepGroup&) const = default;
};
// Seconds outside KeepSecondsMin to KeepSecondsMax take the nearer bound.
int KeepSecondsWithinBounds(int seconds);

struct TProfile {
    bool Deleted = false;
    int InterfaceNo = 0;
    std::string Name;
    int Icon = 0;
    TOnOffGroup OnOff;
    TScriptsGroup Scripts;
    TIPGroup IP;
    TDNSGroup DNS;
    TWINSGroup WINS;
    TFirewallGroup Firewall;
    TKeepGroup Keep;
    bool operator==(const TProfile&) const = default;
};

struct TInterfaceSlot {
    std::string Name;      // caption of the slot's page
    std::string Caption;   // hint of the page
    std::string Interface; // the Windows connection the slot's profiles configure
    int Icon = 0;
    bool Iconized = false;
    bool operator==(const TInterfaceSlot&) const = default;
};

struct TSelection {
    int CurrentProfile = -1;
    std::vector<int> ProfileRows;
    int EditIndex = -1;
    int DialogMode = 0;
    std::string DialogValue1;
    std::string DialogValue2;
};

struct TWindowState {
    int Left = 0;
    int Top = 0;
    int Height = 490;
    int Width = 250;
    bool Iconized = true;
    int SelectPanel = 0;
    bool Minimalized = false;
};

inline constexpr int SlotCount = 5;
// A slot's Icon indexes the eight page pictures, 0 to 7.
inline constexpr int SlotIconCount = 8;

extern std::vector<TProfile> Profiles;
// Slots are numbered 1 to 5; element 0 is never used.
extern std::array<TInterfaceSlot, SlotCount + 1> Interfaces;
extern TSelection Selection;
extern TWindowState WindowState;
extern bool StartingUp;

// At each show of the main window: no current profile, no profiles, the window state still to be applied.
void ResetStore();

// Grows Profiles by one default record and returns its index.
int AppendProfile();

// Marks the profile deleted; it keeps its index until the settings files are read again.
void MarkDeleted(int index);

// Indexes of the profiles of slot n that are not deleted, in store order.
std::vector<int> ProfilesOfSlot(int slot);

// Profile and slot names are told apart without regard to ASCII letter case, as a user types them.
bool SameName(const std::string& a, const std::string& b);
// Positions (counted from 1, as the slot's page lists them) of the profiles of slot n with that name.
std::vector<int> ProfilePositionsNamed(int slot, const std::string& name);
// The numbers of the slots with that name.
std::vector<int> SlotsNamed(const std::string& name);
// Positions or slot numbers as a message lists them: "1, 3".
std::string NumberList(const std::vector<int>& numbers);

// Releases every string and list of the store.
void ClearStore();
