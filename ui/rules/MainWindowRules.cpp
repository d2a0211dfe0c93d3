// The main window's rules that need no window.
#include "ui/rules/MainWindowRules.h"

#include "core/Promenne.h"
#include "platform/Platform.h"

#include <algorithm>

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

std::string SlotPageCaption(int slot) {
    return Interfaces[static_cast<size_t>(slot)].Name;
}

std::string SlotPageHint(int slot) {
    return Interfaces[static_cast<size_t>(slot)].Caption;
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
