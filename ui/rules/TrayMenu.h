// What the tray menu and the active interface page list: computed from the store, without a window.
#pragma once

#include <string>
#include <vector>

// One row of an interface page's list.
struct TProfileItem {
    std::string Caption;
    int Icon = 0;
    int ProfileIndex = 0; // the store index the row stands for
};

struct TRefreshedLists {
    std::vector<TProfileItem> PageRows; // the rows of the active page (empty on the information page)
    std::vector<int> ProfileRows;       // store index of each row
    bool ProfileRowsRebuilt = false;    // with no profiles at all the old row map is left as it was
};

// Rebuilds the rows of the active page (0 information page, 1 to 5 slots).
TRefreshedLists BuildRefreshedLists(int activePage);

// One item of a slot's tray submenu: a profile, or the disabled line of a slot without profiles.
struct TTrayMenuLine {
    std::string Caption; // as the menu shows it (see MenuCaption)
    int Icon = -1;       // in the profile pictures; -1 for none
    int ProfileIndex = -1;
    bool Enabled = true;
    bool operator==(const TTrayMenuLine&) const = default;
};

// The items of slot n's submenu: its profiles in store order, or one disabled line `emptyText`.
std::vector<TTrayMenuLine> TraySubmenuLines(int slot, const std::string& emptyText);

// A name as a menu shows it: one longer than 60 characters as its first 57 and "...", and every "&" doubled so that
// it shows as itself rather than underlining the letter after it.
std::string MenuCaption(const std::string& name);

// The caption of a slot's tray submenu: its name, " - " and its caption, as a menu shows it.
std::string TraySubmenuCaption(int slot);
