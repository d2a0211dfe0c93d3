// The tray menu and the active page's rows, rebuilt from the store whenever profiles or slots change.
#include "ui/rules/TrayMenu.h"

#include "core/Promenne.h"

TRefreshedLists BuildRefreshedLists(int activePage) {
    TRefreshedLists lists;
    if (Profiles.empty())
        return lists;
    lists.ProfileRowsRebuilt = true;
    for (size_t i = 0; i < Profiles.size(); ++i) {
        const TProfile& p = Profiles[i];
        if (p.Deleted)
            continue;
        TProfileItem item{p.Name, p.Icon, static_cast<int>(i)};
        if (p.InterfaceNo >= 1 && p.InterfaceNo <= SlotCount)
            lists.TraySubmenus[p.InterfaceNo].push_back(item);
        if (activePage == p.InterfaceNo && activePage >= 1) {
            lists.ProfileRows.push_back(static_cast<int>(i));
            lists.PageRows.push_back(item);
        }
    }
    return lists;
}

std::string TraySubmenuCaption(int slot) {
    const TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
    return s.Name + " - " + s.Caption;
}
