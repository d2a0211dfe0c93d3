// The tray menu and the active page's rows, rebuilt from the store whenever profiles or slots change.
#include "ui/rules/TrayMenu.h"

#include "core/Promenne.h"

TRefreshedLists BuildRefreshedLists(int activePage) {
    TRefreshedLists lists;
    if (Profiles.empty())
        return lists;
    lists.ProfileRowsRebuilt = true;
    if (activePage < 1 || activePage > SlotCount)
        return lists;
    for (size_t i = 0; i < Profiles.size(); ++i) {
        const TProfile& p = Profiles[i];
        if (p.Deleted || p.InterfaceNo != activePage)
            continue;
        lists.ProfileRows.push_back(static_cast<int>(i));
        lists.PageRows.push_back({p.Name, p.Icon, static_cast<int>(i)});
    }
    return lists;
}

std::vector<TTrayMenuLine> TraySubmenuLines(int slot, const std::string& emptyText) {
    std::vector<TTrayMenuLine> lines;
    for (size_t i = 0; i < Profiles.size(); ++i) {
        const TProfile& p = Profiles[i];
        if (!p.Deleted && p.InterfaceNo == slot)
            lines.push_back({MenuCaption(p.Name), p.Icon, static_cast<int>(i), true});
    }
    if (lines.empty())
        lines.push_back({MenuCaption(emptyText), -1, -1, false});
    return lines;
}

std::string MenuCaption(const std::string& name) {
    constexpr size_t Longest = 60;
    const std::string shown = name.size() > Longest ? name.substr(0, Longest - 3) + "..." : name;
    std::string caption;
    for (char c : shown) {
        if (c == '&')
            caption += '&';
        caption += c;
    }
    return caption;
}

std::string TraySubmenuCaption(int slot) {
    const TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
    return MenuCaption(s.Name + " - " + s.Caption);
}
