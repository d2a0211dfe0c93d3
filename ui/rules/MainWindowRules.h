// The main window's rules that need no window: the tray's restore/minimise item, the interface page commands,
// the information tree and the slot captions.
#pragma once

#include "platform/Connections.h"

#include <string>
#include <vector>

// CoolTrayItem1 always names the action it performs: minimise while the window is shown, restore while hidden.
struct TTrayItemState {
    bool TrayHidden = false;
    std::string RestoreText;
    std::string MinimizeText;
    std::string Item1Caption;
};
enum class TTrayAction { Restore, Minimize };

// The tray icon reports that it hid the window on minimise.
void MinimalizedToTray(TTrayItemState& state);
// CoolTrayItem1 (or the start-hidden timer) was chosen: what to do, with the caption updated.
TTrayAction ChooseTrayItem1(TTrayItemState& state);

// Who raised an interface page command: a label, its icon, or a context-menu item.
enum class TFrameSender {
    Label_ADD,
    Image_ADD,
    Popup_ADD,
    Label_DELETE,
    Image_DELETE,
    Popup_DELETE,
    Label_EDIT,
    Image_EDIT,
    Popup_EDIT,
    Label_RUN,
    Image_RUN,
    Popup_RUN,
    Label_INTERFACE,
    Image_INTERFACE,
    Popup_ADDCURRENT,
    Other
};
// AddFromCurrent: a new profile filled with the slot connection's current settings (the context menu only).
enum class TFrameCommand { None, Run, Add, Edit, Delete, Interface, AddFromCurrent };

TFrameCommand CommandOfSender(TFrameSender sender);
// Run, Edit and Delete act on the selected row and do nothing without one.
bool CommandNeedsRow(TFrameCommand command);
// The store index of the selected row, or -1 when no row (or a row past the map) is selected.
int ProfileOfRow(const std::vector<int>& profileRows, int selectedRow);
// The row selected after a command has rebuilt the rows: the row of `profile` (the profile just added or edited, or
// the one selected before), else the row at `row` (the next one after a delete), else the last; -1 without rows.
int RowAfterCommand(const std::vector<int>& profileRows, int profile, int row);

// The main window's stops for Tab, in order: the navigation pane, the page's list (the information tree), the
// page's commands (on a slot page). None: the focus is on none of them (on the window itself).
enum class TMainTabStop { None, Pane, List, Commands };
// Where Tab (Shift+Tab: backwards) goes from `from`, round and round.
TMainTabStop NextMainTabStop(TMainTabStop from, bool slotPage, bool backwards);

// The information tree: node 0 "about" with child 1 (the about window), node 2 "help" with children 3 to 7.
enum class TTreeAction { Nothing, About, HelpPage };
struct TTreeNodeAction {
    TTreeAction Action = TTreeAction::Nothing;
    std::string HelpPage; // relative to the Language folder, e.g. "Help\Info.htm" on Windows
};
TTreeNodeAction TreeNodeAction(int node);

// The path handed to the shell for a help page: the Language folder, a separator and the page.
std::string HelpPagePath(const std::string& page);

// Who opens a help page: the program's own shell call, or, while the program runs as administrator, the signed-in
// user's shell, so that the browser does not run as administrator too. When the user's shell cannot be asked, the
// page is not opened as administrator: its path is told instead.
enum class THelpOpening { ProgramShell, UserShell };
THelpOpening HelpOpeningFor(bool elevated);

// The note in a slot page's header when the slot's connection is not present on this computer ("Not present:
// Ethernet 3"); empty when it is, or when the machine cannot be read.
std::string SlotConnectionNote(int slot, const platform::MachineSnapshot& machine);

// Slot display: a page shows the slot's name with its caption as hint; its tray submenu shows "name - caption".
std::string SlotPageCaption(int slot);
std::string SlotPageHint(int slot);
// The picture a slot shows in the pane, the tray menu and the interface dialog: its Icon, or the first picture when
// Icon lies outside the page pictures (a hand-edited file), so that an iconic page button never shows nothing.
int ShownSlotIcon(int icon);

// A rectangle of the screen in pixels; Right and Bottom lie just outside it.
struct TScreenRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TScreenRect&) const = default;
};

// How much of a window's title area (its top strip) must lie on one work area for the user to reach it.
inline constexpr int ReachableTitleSize = 40;

// Where the main window opens: where it was stored while at least 40 by 40 pixels of its title area lie on one of
// the work areas; otherwise moved into `nearest` (the work area of the monitor nearest to it, as after a second
// screen was unplugged), keeping its size unless it is larger than that area.
TScreenRect PlaceOnScreen(const TScreenRect& stored, const std::vector<TScreenRect>& workAreas,
                          const TScreenRect& nearest);

// Colours as the system gives them: 0x00BBGGRR.
using TColor = unsigned;

// The first of the colours that reads on the background (a contrast of at least 3 to 1), or `fallback`. The hover
// of the page commands takes the system's hot-track colour where it reads (on Windows), its highlight colour where
// the hot-track colour is a light grey that would read as disabled (Wine's).
TColor ReadableTextColor(const std::vector<TColor>& candidates, TColor background, TColor fallback);

// The tray icon's tooltip: the program's title and, once a profile was applied, that profile and its slot
// ("Norvex - Office (LAN)"); at most 127 characters, as the notification area takes.
std::string TrayTip(const std::string& title, const std::string& profile, const std::string& slot);

// A slot page from top to bottom: room the user dragged the upper divider down by, the upper divider, the profile
// list, the lower divider, the commands. The list takes whatever height the page has beyond the rest, so a taller
// window gives it the room and a smaller one takes it from the list first, down to `MinList`.
struct TFrameMetrics {
    int Divider = 22;      // a divider bar's height
    int MinList = 60;      // three rows of the list
    int MinCommands = 126; // the five commands
};
struct TFrameLayout {
    int Divider1Top = 0;
    int ListTop = 0;
    int ListHeight = 0;
    int Divider2Top = 0;
    int CommandsTop = 0;
    int CommandsHeight = 0;
    bool operator==(const TFrameLayout&) const = default;
};
TFrameLayout LayOutFrame(int height, int topSpace, int commandsHeight, const TFrameMetrics& metrics);
// The least height of a page that shows both dividers, three rows and the five commands.
int MinimumFrameHeight(const TFrameMetrics& metrics);
// A divider dragged by `moved` pixels: the new top room (upper divider) or commands height (lower divider), kept
// within what leaves the list its three rows and the commands their room.
int DragUpperDivider(int height, int topSpace, int commandsHeight, int moved, const TFrameMetrics& metrics);
int DragLowerDivider(int height, int topSpace, int commandsHeight, int moved, const TFrameMetrics& metrics);
