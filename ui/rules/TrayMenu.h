// What the tray menu and the active interface page list: computed from the store, without a window.
#pragma once

#include <string>
#include <vector>

// One profile item of a tray submenu, or one row of an interface page's list.
struct TProfileItem {
    std::string Caption;
    int Icon = 0;
    int ProfileIndex = 0; // the item's hint carries it as a decimal string
};

struct TRefreshedLists {
    std::vector<TProfileItem> TraySubmenus[6]; // per slot, 1 to 5
    std::vector<TProfileItem> PageRows;        // the rows of the active page (empty on the information page)
    std::vector<int> ProfileRows;              // store index of each row
    bool ProfileRowsRebuilt = false;           // with no profiles at all the old row map is left as it was
};

// Rebuilds the tray submenus and the rows of the active page (0 information page, 1 to 5 slots).
TRefreshedLists BuildRefreshedLists(int activePage);

// The caption of a slot's tray submenu: its name, " - " and its caption.
std::string TraySubmenuCaption(int slot);
