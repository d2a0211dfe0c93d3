// The main window's rules that need no window.
#include "ui/rules/MainWindowRules.h"

#include "core/Promenne.h"
#include "engine/Connections.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Platform.h"

#include <algorithm>
#include <cmath>

void MinimalizedToTray(TTrayItemState& state) {
    state.TrayHidden = true;
    state.Item1Caption = state.RestoreText;
}

TTrayAction ChooseTrayItem1(TTrayItemState& state) {
    if (state.TrayHidden) {
        state.TrayHidden = false;
        state.Item1Caption = state.MinimizeText;
        return TTrayAction::Restore;
    }
    // Hiding reports back through MinimalizedToTray, which sets TrayHidden and the caption; a window that could not
    // be hidden (no icon yet) keeps both.
    return TTrayAction::Minimize;
}

TFrameCommand CommandOfSender(TFrameSender sender) {
    switch (sender) {
    case TFrameSender::Label_RUN:
    case TFrameSender::Image_RUN:
    case TFrameSender::Popup_RUN:
        return TFrameCommand::Run;
    case TFrameSender::Label_ADD:
    case TFrameSender::Image_ADD:
    case TFrameSender::Popup_ADD:
        return TFrameCommand::Add;
    case TFrameSender::Label_EDIT:
    case TFrameSender::Image_EDIT:
    case TFrameSender::Popup_EDIT:
        return TFrameCommand::Edit;
    case TFrameSender::Label_DELETE:
    case TFrameSender::Image_DELETE:
    case TFrameSender::Popup_DELETE:
        return TFrameCommand::Delete;
    case TFrameSender::Label_INTERFACE:
    case TFrameSender::Image_INTERFACE:
        return TFrameCommand::Interface;
    case TFrameSender::Popup_ADDCURRENT:
        return TFrameCommand::AddFromCurrent;
    case TFrameSender::Other:
        break;
    }
    return TFrameCommand::None;
}

bool CommandNeedsRow(TFrameCommand command) {
    return command == TFrameCommand::Run || command == TFrameCommand::Edit || command == TFrameCommand::Delete;
}

int ProfileOfRow(const std::vector<int>& profileRows, int selectedRow) {
    if (selectedRow < 0 || selectedRow >= static_cast<int>(profileRows.size()))
        return -1;
    return profileRows[static_cast<size_t>(selectedRow)];
}

int RowAfterCommand(const std::vector<int>& profileRows, int profile, int row) {
    const auto found = std::find(profileRows.begin(), profileRows.end(), profile);
    if (profile >= 0 && found != profileRows.end())
        return static_cast<int>(found - profileRows.begin());
    if (profileRows.empty() || row < 0)
        return -1;
    return std::min(row, static_cast<int>(profileRows.size()) - 1);
}

TMainTabStop NextMainTabStop(TMainTabStop from, bool slotPage, bool backwards) {
    std::vector<TMainTabStop> stops = {TMainTabStop::Pane, TMainTabStop::List};
    if (slotPage)
        stops.push_back(TMainTabStop::Commands);
    const auto at = std::find(stops.begin(), stops.end(), from);
    if (at == stops.end())
        return backwards ? stops.back() : stops.front();
    const int count = static_cast<int>(stops.size());
    const int next = (static_cast<int>(at - stops.begin()) + (backwards ? count - 1 : 1)) % count;
    return stops[static_cast<size_t>(next)];
}

TTreeNodeAction TreeNodeAction(int node) {
    static const char* const pages[] = {"Info.htm", "Step1.htm", "Step2.htm", "IP.htm", "Scripts.htm"};
    if (node == 1)
        return {TTreeAction::About, ""};
    if (node >= 3 && node <= 7)
        return {TTreeAction::HelpPage, std::string("Help") + platform::PathSeparator() + pages[node - 3]};
    return {};
}

std::string HelpPagePath(const std::string& page) {
    return LanguageDir + platform::PathSeparator() + page;
}

std::string SlotConnectionNote(int slot, const platform::MachineSnapshot& machine) {
    const std::string& connection = Interfaces[static_cast<size_t>(slot)].Interface;
    if (!machine.Read || FindConnection(machine, connection) != nullptr)
        return std::string();
    return FillPlaceholder(ReadLanguageKey("CONNECTIONS", "PAGE_NOT_PRESENT", LanguageName), "$CONNECTION$",
                           BareConnectionName(connection));
}

THelpOpening HelpOpeningFor(bool elevated) {
    return elevated ? THelpOpening::UserShell : THelpOpening::ProgramShell;
}

std::string SlotPageCaption(int slot) {
    return Interfaces[static_cast<size_t>(slot)].Name;
}

std::string SlotPageHint(int slot) {
    return Interfaces[static_cast<size_t>(slot)].Caption;
}

int ShownSlotIcon(int icon) {
    return icon >= 0 && icon < SlotIconCount ? icon : 0;
}

namespace {

// The part two ranges share, or a negative length.
int Overlap(int begin1, int end1, int begin2, int end2) {
    return std::min(end1, end2) - std::max(begin1, begin2);
}

// The start that puts a length inside a range, as near to the stored start as it can.
int Fit(int start, int length, int begin, int end) {
    return std::max(begin, std::min(start, end - length));
}

} // namespace

TScreenRect PlaceOnScreen(const TScreenRect& stored, const std::vector<TScreenRect>& workAreas,
                          const TScreenRect& nearest) {
    const int width = stored.Right - stored.Left;
    const int height = stored.Bottom - stored.Top;
    const int titleHeight = std::min(ReachableTitleSize, height);
    for (const TScreenRect& area : workAreas)
        if (Overlap(stored.Left, stored.Right, area.Left, area.Right) >= std::min(ReachableTitleSize, width) &&
            Overlap(stored.Top, stored.Top + titleHeight, area.Top, area.Bottom) >= titleHeight)
            return stored;
    const int fittedWidth = std::min(width, nearest.Right - nearest.Left);
    const int fittedHeight = std::min(height, nearest.Bottom - nearest.Top);
    TScreenRect placed;
    placed.Left = Fit(stored.Left, fittedWidth, nearest.Left, nearest.Right);
    placed.Top = Fit(stored.Top, fittedHeight, nearest.Top, nearest.Bottom);
    placed.Right = placed.Left + fittedWidth;
    placed.Bottom = placed.Top + fittedHeight;
    return placed;
}

namespace {

// Relative luminance, as contrast ratios are computed from it.
double Luminance(TColor color) {
    auto channel = [](unsigned value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color & 0xFF) + 0.7152 * channel((color >> 8) & 0xFF) +
           0.0722 * channel((color >> 16) & 0xFF);
}

double Contrast(TColor a, TColor b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TColor ReadableTextColor(const std::vector<TColor>& candidates, TColor background, TColor fallback) {
    for (TColor color : candidates)
        if (Contrast(color, background) >= 3.0)
            return color;
    return fallback;
}

std::string TrayTip(const std::string& title, const std::string& profile, const std::string& slot) {
    constexpr size_t Longest = 127;
    std::string tip = profile.empty() ? title : title + " - " + profile + " (" + slot + ")";
    if (tip.size() > Longest)
        tip = tip.substr(0, Longest - 3) + "...";
    return tip;
}

int MinimumFrameHeight(const TFrameMetrics& m) {
    return 2 * m.Divider + m.MinList + m.MinCommands;
}

TFrameLayout LayOutFrame(int height, int topSpace, int commandsHeight, const TFrameMetrics& m) {
    // What the list lacks comes out of the top room first, then out of a commands area dragged larger.
    commandsHeight = std::max(commandsHeight, m.MinCommands);
    topSpace = std::max(topSpace, 0);
    int list = height - topSpace - 2 * m.Divider - commandsHeight;
    const int fromTop = std::clamp(m.MinList - list, 0, topSpace);
    topSpace -= fromTop;
    list += fromTop;
    const int fromCommands = std::clamp(m.MinList - list, 0, commandsHeight - m.MinCommands);
    commandsHeight -= fromCommands;
    list += fromCommands;
    TFrameLayout layout;
    layout.Divider1Top = topSpace;
    layout.ListTop = topSpace + m.Divider;
    layout.ListHeight = std::max(list, 0);
    layout.Divider2Top = layout.ListTop + layout.ListHeight;
    layout.CommandsTop = layout.Divider2Top + m.Divider;
    layout.CommandsHeight = commandsHeight;
    return layout;
}

int DragUpperDivider(int height, int topSpace, int commandsHeight, int moved, const TFrameMetrics& m) {
    const int most = height - 2 * m.Divider - m.MinList - std::max(commandsHeight, m.MinCommands);
    return std::clamp(topSpace + moved, 0, std::max(most, 0));
}

int DragLowerDivider(int height, int topSpace, int commandsHeight, int moved, const TFrameMetrics& m) {
    const int most = height - std::max(topSpace, 0) - 2 * m.Divider - m.MinList;
    return std::clamp(commandsHeight - moved, m.MinCommands, std::max(most, m.MinCommands));
}
