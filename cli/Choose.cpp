// Choosing a slot and a profile.
#include "cli/Choose.h"

#include "core/Promenne.h"

#include <vector>

namespace {

// A number written in decimal digits only, within [1, count]; 0 for anything else.
int PositionOf(const std::string& text, size_t count) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    const long value = std::stol(text);
    return value >= 1 && static_cast<size_t>(value) <= count ? static_cast<int>(value) : 0;
}

} // namespace

TChoice ChooseSlot(const std::string& text) {
    if (int slot = PositionOf(text, SlotCount))
        return {slot, {}};
    const std::vector<int> slots = SlotsNamed(text);
    if (slots.size() == 1)
        return {slots.front(), {}};
    if (slots.empty())
        return {0, "no slot '" + text + "': give 1 to 5 or a slot's name"};
    return {0, "slots " + NumberList(slots) + " are all named '" + text + "': give the slot's number"};
}

TChoice ChooseProfile(int slot, const std::string& text) {
    const std::vector<int> rows = ProfilesOfSlot(slot);
    if (int position = PositionOf(text, rows.size()))
        return {rows[static_cast<size_t>(position - 1)], {}};
    const std::vector<int> positions = ProfilePositionsNamed(slot, text);
    const std::string where = " of slot " + std::to_string(slot);
    if (positions.size() == 1)
        return {rows[static_cast<size_t>(positions.front() - 1)], {}};
    if (positions.empty())
        return {0, "no profile '" + text + "'" + where + " (it has " + std::to_string(rows.size()) +
                       (rows.size() == 1 ? " profile)" : " profiles)")};
    return {0,
            "profiles " + NumberList(positions) + where + " are all named '" + text + "': give the profile's position"};
}
