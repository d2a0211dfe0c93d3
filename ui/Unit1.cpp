// The main window.
#include "ui/Unit1.h"

#include "core/Promenne.h"
#include "core/Startup.h"
#include "engine/ApplyNotice.h"
#include "engine/Connections.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "platform/Platform.h"
#include "resources/resource.h"
#include "ui/AboutForm.h"
#include "ui/DialogParts.h"
#include "ui/Dpi.h"
#include "ui/Editors.h"
#include "ui/Graphics.h"
#include "ui/KeepForm.h"
#include "ui/SingleInstance.h"
#include "ui/rules/TrayMenu.h"

TGUI_Form* GUI_Form = nullptr;

namespace {

constexpr UINT_PTR StartTimer = 1;
constexpr UINT_PTR VerifyTimer = 2;
// The slot pages' headers are checked against the machine once the window has appeared, not while it starts.
constexpr UINT_PTR ConnectionCheckTimer = 3;
constexpr UINT ConnectionCheckDelayMs = 1000;
constexpr UINT ShowSettingsErrors = WM_APP + 1;
constexpr UINT AddTrayIcon = WM_APP + 2;
// The keep question's answer (wParam: the decision), handled once the question's own handler has returned.
constexpr UINT KeepQuestionAnswered = WM_APP + 3;

std::string Text(const char* section, const char* key) {
    return ReadLanguageKey(section, key, LanguageName);
}

TWindowSnapshot SnapshotOfMainWindow() {
    return GUI_Form->WindowSnapshot();
}

TScreenRect ScreenRectOf(const RECT& rect) {
    return TScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

TScreenRect WorkAreaOf(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    return ScreenRectOf(info.rcWork);
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    reinterpret_cast<std::vector<TScreenRect>*>(areas)->push_back(WorkAreaOf(monitor));
    return TRUE;
}

std::vector<TScreenRect> WorkAreas() {
    std::vector<TScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

// The rectangle the window has when it is neither minimised nor maximised, in screen coordinates: the placement
// gives it relative to the work area, which differs from the screen by a taskbar at the top or left.
RECT NormalBounds(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    RECT bounds = placement.rcNormalPosition;
    if (!(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoA(MonitorFromRect(&bounds, MONITOR_DEFAULTTONEAREST), &info);
        OffsetRect(&bounds, info.rcWork.left - info.rcMonitor.left, info.rcWork.top - info.rcMonitor.top);
    }
    return bounds;
}

// The window the tray should bring forward: the enabled one among the visible windows the main window owns,
// directly or through another; with dialogs open over dialogs it is the innermost.
struct TModalSearch {
    HWND Main;
    HWND Found;
};
BOOL CALLBACK FindOpenModalWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TModalSearch*>(data);
    if (window != search->Main && IsWindowVisible(window) && IsWindowEnabled(window) &&
        GetAncestor(window, GA_ROOTOWNER) == search->Main) {
        search->Found = window;
        return FALSE;
    }
    return TRUE;
}
} // namespace

void TInfoPage::Create(HWND parent) {
    RegisterWindowClass("TJvNavPanelPage", GetSysColorBrush(COLOR_WINDOW));
    CreateHandle("TJvNavPanelPage", WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN, "", 0, 0, 100, 100, parent);
}

LRESULT TInfoPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && Divider != nullptr) {
        int width = LOWORD(lParam);
        int height = HIWORD(lParam);
        const int bar = Divider->BarHeight();
        SetWindowPos(Divider->Handle(), nullptr, 0, 0, width, bar, SWP_NOZORDER);
        // The tree keeps a border of 4 pixels.
        SetWindowPos(Tree, nullptr, S(4), bar + S(4), width - S(8), height - bar - S(8), SWP_NOZORDER);
        return 0;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == Tree && header->code == NM_DBLCLK && GUI_Form != nullptr)
            GUI_Form->JvTreeView1_1DblClick();
        return 0;
    }
    return Default(message, wParam, lParam);
}

void DispatchProgramMessage(MSG& message) {
    NoteInput(message);
    HWND active = GetActiveWindow();
    // Every key is offered to the active window first, as in the modal loops: the main window takes Tab itself.
    if (active != nullptr && (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
        SendMessageA(active, KeyPreviewMessage, message.wParam, 0) != FALSE)
        return;
    if (active != nullptr && IsDialogMessageA(active, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

TGUI_Form::TGUI_Form() {
    GUI_Form = this;
    ShowError = [this](const std::string& text) {
        // Over an open dialog, the box is that dialog's: one owned by the disabled main window would enable it.
        TModalSearch search{Hwnd, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindOpenModalWindow, reinterpret_cast<LPARAM>(&search));
        HWND owner = ModalWindowOpen() && search.Found != nullptr ? search.Found : Hwnd;
        MessageBoxA(owner, text.c_str(), WindowText(Hwnd).c_str(), MB_OK | MB_ICONERROR);
    };
    OpenDocument = [this](const std::string& path) { OpenHelpDocument(Hwnd, path, ShowError); };
    AskYesNo = [this](const std::string& question) {
        return MessageBoxA(Hwnd, question.c_str(), WindowText(Hwnd).c_str(),
                           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    };
    Clock = [] { return static_cast<std::int64_t>(GetTickCount64()); };
}

TGUI_Form::~TGUI_Form() {
    SetWindowSnapshotProvider(nullptr);
    SetUnexpectedErrorReporter(nullptr);
    if (CoolTrayPopupMenu != nullptr)
        DestroyMenu(CoolTrayPopupMenu);
    if (GUI_Form == this)
        GUI_Form = nullptr;
}

void TGUI_Form::Create() {
    RegisterWindowClass("TGUI_Form", GetSysColorBrush(COLOR_BTNFACE), ProgramIcon(GetSystemMetrics(SM_CXICON)));
    CreateHandle("TGUI_Form", WS_EX_CONTROLPARENT, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, ApplicationTitle,
                 CW_USEDEFAULT, CW_USEDEFAULT, Scaled(250, SystemDpi()), Scaled(490, SystemDpi()), nullptr);
    SetClientSize(Hwnd, S(242), S(482));
    CentreOnDesktop(Hwnd);

    JvPanel.Create(Hwnd);
    JvPanel.SetImageLists(TPictureList::Panels24x20, TPictureList::Panels16);
    JvPanel.OnPageChange = [this] { OnJvPanelClick(); };
    JvPanel.AddPage([this] { return CreateInformationPage(); });
    JvPanel.SetPageImage(0, 0);
    // A slot's page is made when it is first shown: a start shows one of them at most.
    for (int slot = 1; slot <= SlotCount; ++slot) {
        TMainFrame& frame = MainFrame(slot);
        frame.Owner = {[this] { ApplyCurrentProfileAndTell(); },
                       [this] { ShowProfileEditor(Hwnd); },
                       [this, slot] {
                           return ShowProfileEditorFromCurrentSettings(Hwnd, slot,
                                                                       [this](const std::string& t) { ShowError(t); });
                       },
                       [this, slot] {
                           ShowInterfaceDialog(Hwnd, slot);
                           UpdateConnectionNotes(ReadMachine());
                       },
                       [this] { ApplySettings(1); },
                       [this] { RefreshSettings(); },
                       [this] { return SaveSettingsAndTell(); },
                       [this](const std::string& question) { return AskYesNo(question); }};
        int page = JvPanel.AddPage([this, &frame] {
            frame.Create(JvPanel.Handle());
            return frame.Handle();
        });
        JvPanel.SetPageImage(page, slot);
        JvPanel.SetPageIconic(page, true);
    }
    JvPanel.MinPageHeight = MinimumFrameHeight(FrameMetrics(Dpi()));
    CreateTrayMenu();
    CoolTrayIcon.OnMinimizeToTray = [this] { CoolMenuMinimalizeTray(); };
    CoolTrayIcon.OnShowMenu = [this] { ShowTrayMenu(); };
    CoolTrayIcon.OnDefaultItem = [this] { TrayMenuCommand(CoolTrayItem1); };
    CoolTrayIcon.OnIconAdded = [this] {
        // At sign-in the shell may come up after the program: the start-hidden timer waited for the icon.
        if (HideWhenIconAdded && !ModalWindowOpen()) {
            HideWhenIconAdded = false;
            CoolMenuButtonClick(TTraySender::Timer);
        }
    };
    CoolTrayIcon.Create(Hwnd, ProgramIcon(GetSystemMetrics(SM_CXSMICON)));
    // The icon joins the notification area once the window is on screen: the shell's answer can take a while.
    PostMessageA(Hwnd, AddTrayIcon, 0, 0);
    SetUnexpectedErrorReporter([this](const std::string& text) { ShowError(text); });
    SetWindowSnapshotProvider(SnapshotOfMainWindow);
    platform::SetMainWindow(Hwnd);
    SetTimer(Hwnd, StartTimer, 200, nullptr);
    FormResize();
}

void TGUI_Form::Show() {
    ShowWindow(Hwnd, SW_SHOW);
    UpdateWindow(Hwnd);
}

HWND TGUI_Form::CreateInformationPage() {
    InformationPage.Create(JvPanel.Handle());
    InfoPage = InformationPage.Handle();
    JvNavDivider1_1.Create(InfoPage, false);
    JvTreeView1_1 = CreateWindowExA(
        0, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_SHOWSELALWAYS | TVS_DISABLEDRAGDROP, 4,
        TNavDivider::Height + 4, 100, 100, InfoPage, nullptr, ProgramInstance(), nullptr);
    SendMessageA(JvTreeView1_1, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(Dpi())), FALSE);
    TreeView_SetImageList(JvTreeView1_1, PictureList(TPictureList::System16, Dpi()), TVSIL_NORMAL);
    InformationPage.Divider = &JvNavDivider1_1;
    InformationPage.Tree = JvTreeView1_1;
    // The tree's nodes: about (with the about window) and help (with the five pages).
    const int images[8] = {1, 1, 0, 2, 2, 2, 2, 2};
    HTREEITEM parent = TVI_ROOT;
    for (size_t i = 0; i < TreeNodes.size(); ++i) {
        bool topLevel = i == 0 || i == 2;
        TVINSERTSTRUCTA insert{};
        insert.hParent = topLevel ? TVI_ROOT : parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>("");
        insert.item.iImage = images[i];
        insert.item.iSelectedImage = images[i];
        insert.item.lParam = static_cast<LPARAM>(i);
        TreeNodes[i] = reinterpret_cast<HTREEITEM>(
            SendMessageA(JvTreeView1_1, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (topLevel)
            parent = TreeNodes[i];
    }
    CaptionInformationTree();
    return InfoPage;
}

void TGUI_Form::CaptionInformationTree() {
    if (JvTreeView1_1 == nullptr)
        return;
    // The first node is expanded with its children before the texts are set.
    TreeView_Expand(JvTreeView1_1, TreeNodes[0], TVE_EXPAND);
    const char* const nodeKeys[8] = {"ITEMA", "ITEMA0", "ITEMB", "ITEMB0", "ITEMB1", "ITEMB2", "ITEMB3", "ITEMB4"};
    for (size_t i = 0; i < TreeNodes.size(); ++i) {
        std::string caption = Text("TREEVIEW1", nodeKeys[i]);
        TVITEMA item{};
        item.mask = TVIF_TEXT;
        item.hItem = TreeNodes[i];
        item.pszText = const_cast<char*>(caption.c_str());
        SendMessageA(JvTreeView1_1, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
}

void TGUI_Form::CreateTrayMenu() {
    CoolTrayPopupMenu = CreatePopupMenu();
    for (int slot = 1; slot <= SlotCount; ++slot) {
        CoolTrayInterface[static_cast<size_t>(slot)] = CreatePopupMenu();
        AppendMenuA(CoolTrayPopupMenu, MF_POPUP | MF_STRING,
                    reinterpret_cast<UINT_PTR>(CoolTrayInterface[static_cast<size_t>(slot)]), "");
    }
    AppendMenuA(CoolTrayPopupMenu, MF_SEPARATOR, 0, nullptr); // CoolTrayLine1
    AppendMenuA(CoolTrayPopupMenu, MF_STRING, CoolTrayItem1, "");
    AppendMenuA(CoolTrayPopupMenu, MF_STRING, CoolTrayItem2, "");
    SetMenuDefaultItem(CoolTrayPopupMenu, CoolTrayItem1, FALSE);
}

void TGUI_Form::SetItem1Caption() {
    ModifyMenuA(CoolTrayPopupMenu, CoolTrayItem1, MF_BYCOMMAND | MF_STRING, CoolTrayItem1, Tray.Item1Caption.c_str());
    SetMenuDefaultItem(CoolTrayPopupMenu, CoolTrayItem1, FALSE);
}

void TGUI_Form::FormShow() {
    // The first show takes the settings read while the window was made; every other show reads them now.
    std::optional<std::vector<std::string>> messages = TakeSettingsReadAhead();
    if (!messages) {
        ResolveFoldersAndResetStore();
        messages = LoadAllSettings();
    }
    LoadStrings();
    if (const std::string refusal = LanguageFileRefusal(); !refusal.empty())
        messages->insert(messages->begin(), refusal);
    // The window appears where it is to be, rather than appearing elsewhere and jumping at its first activation.
    PlaceAsStored();
    ApplySettings(1);
    // The window state and the lists too: the window appears with its page and rows, whether or not it is then
    // activated, and the list takes its rows while nothing of it is on screen to update. The window is not yet
    // visible, so the page change of ApplySettings(0) does not refresh and the lists are built once, here.
    ApplySettings(0);
    RefreshSettings();
    FocusPaneAtActivation = true;
    SetTimer(Hwnd, ConnectionCheckTimer, ConnectionCheckDelayMs, nullptr);
    // The error box waits until the window is on screen.
    if (!messages->empty())
        ReportSettingsErrors(*messages);
}

void TGUI_Form::ReportSettingsErrors(const std::vector<std::string>& messages) {
    // One box for all of them: a file with many damaged values must not bury the user in boxes.
    std::string text;
    size_t shown = 0;
    for (const std::string& message : messages) {
        if (++shown > 10) {
            text += "...\n";
            break;
        }
        text += message + "\n";
    }
    PendingErrors = text;
    PostMessageA(Hwnd, ShowSettingsErrors, 0, 0);
}

void TGUI_Form::LoadStrings() {
    const std::string title = Text("GUI", "TITLE");
    SetWindowTextA(Hwnd, title.c_str());
    CoolTrayIcon.SetTip(TrayTip(title, LastApplied[0], LastApplied[1]));
    Tray.RestoreText = Text("POPUPMENU", "RESTORE");
    Tray.MinimizeText = Text("POPUPMENU", "MINIMALIZE");
    Tray.Item1Caption = Tray.MinimizeText;
    SetItem1Caption();
    NoProfilesText = Text("POPUPMENU", "NO_PROFILES");
    const std::string close = Text("POPUPMENU", "CLOSE");
    ModifyMenuA(CoolTrayPopupMenu, CoolTrayItem2, MF_BYCOMMAND | MF_STRING, CoolTrayItem2, close.c_str());
    JvPanel.SetPageCaption(0, Text("NAVPANEL1", "TITLE"));
    JvPanel.SetPageHint(0, Text("NAVPANEL1", "TITLE_HINT"));
    JvNavDivider1_1.SetCaption(Text("NAVPANEL1", "DIVIDER1"));
    CaptionInformationTree();

    const std::string divider1 = Text("NAVPANELS", "DIVIDER1");
    const std::string divider2 = Text("NAVPANELS", "DIVIDER2");
    const std::pair<TFrameCommand, const char*> commands[] = {{TFrameCommand::Add, "ITEM0"},
                                                              {TFrameCommand::Delete, "ITEM1"},
                                                              {TFrameCommand::Edit, "ITEM2"},
                                                              {TFrameCommand::Run, "ITEM3"},
                                                              {TFrameCommand::Interface, "ITEM4"}};
    for (TMainFrame& frame : MainFrames) {
        frame.JvNavDivider1.SetCaption(divider1);
        frame.JvNavDivider2.SetCaption(divider2);
        for (const auto& [command, key] : commands)
            frame.SetCommandCaption(command, Text("TREEVIEW2", key));
        frame.SetCommandCaption(TFrameCommand::AddFromCurrent, Text("TREEVIEW2", "ITEM5"));
        if (frame.JvListView1 != nullptr)
            ListView_SetImageList(frame.JvListView1, PictureList(TPictureList::Profiles16, Dpi()), LVSIL_SMALL);
    }
}

void TGUI_Form::PlaceAsStored() {
    // The size is kept for 96 DPI, as earlier versions saw it on any display: at the stored place the window takes
    // the size for that monitor's DPI.
    SetWindowPos(Hwnd, nullptr, WindowState.Left, WindowState.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const TScreenRect stored{WindowState.Left, WindowState.Top, WindowState.Left + S(WindowState.Width),
                             WindowState.Top + S(WindowState.Height)};
    const RECT storedRect{stored.Left, stored.Top, stored.Right, stored.Bottom};
    const TScreenRect placed =
        PlaceOnScreen(stored, WorkAreas(), WorkAreaOf(MonitorFromRect(&storedRect, MONITOR_DEFAULTTONEAREST)));
    SetWindowPos(Hwnd, nullptr, placed.Left, placed.Top, placed.Right - placed.Left, placed.Bottom - placed.Top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TGUI_Form::ApplySettings(int mode) {
    if (mode == 0) {
        StartingUp = false;
        // The place and size were set just before (PlaceAsStored, in the show sequence).
        JvPanel.SetActivePage(WindowState.SelectPanel);
        JvPanel.SetPageIconic(0, WindowState.Iconized);
        return;
    }
    if (mode != 1)
        return;
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const TInterfaceSlot& s = Interfaces[static_cast<size_t>(slot)];
        JvPanel.SetPageCaption(slot, SlotPageCaption(slot));
        JvPanel.SetPageHint(slot, SlotPageHint(slot));
        JvPanel.SetPageImage(slot, ShownSlotIcon(s.Icon));
        JvPanel.SetPageIconic(slot, s.Iconized);
        std::string caption = TraySubmenuCaption(slot);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_BITMAP | MIIM_DATA;
        info.dwTypeData = const_cast<char*>(caption.c_str());
        SetMenuItemImage(info, TPictureList::Panels16, ShownSlotIcon(s.Icon));
        SetMenuItemInfoA(CoolTrayPopupMenu, static_cast<UINT>(slot - 1), TRUE, &info);
    }
}

void TGUI_Form::ApplyDpi() {
    const UINT dpi = Dpi();
    if (JvTreeView1_1 != nullptr) {
        SendMessageA(JvTreeView1_1, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(dpi)), TRUE);
        TreeView_SetImageList(JvTreeView1_1, PictureList(TPictureList::System16, dpi), TVSIL_NORMAL);
    }
    for (TMainFrame& frame : MainFrames)
        if (frame.Handle() != nullptr)
            frame.ApplyDpi();
    JvPanel.MinPageHeight = MinimumFrameHeight(FrameMetrics(dpi));
    FormResize();
    RedrawWindow(Hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TGUI_Form::FillTraySubmenu(int slot) {
    HMENU submenu = CoolTrayInterface[static_cast<size_t>(slot)];
    while (GetMenuItemCount(submenu) > 0)
        DeleteMenu(submenu, 0, MF_BYPOSITION);
    for (const TTrayMenuLine& line : TraySubmenuLines(slot, NoProfilesText)) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
        // The item's number carries its profile's index.
        info.wID = line.ProfileIndex >= 0 ? FirstProfileItem + static_cast<UINT>(line.ProfileIndex) : 0;
        info.fState = line.Enabled ? MFS_ENABLED : MFS_DISABLED;
        info.dwTypeData = const_cast<char*>(line.Caption.c_str());
        SetMenuItemImage(info, TPictureList::Profiles16, line.Icon);
        InsertMenuItemA(submenu, static_cast<UINT>(GetMenuItemCount(submenu)), TRUE, &info);
    }
}

void TGUI_Form::RefreshSettings() {
    const int active = JvPanel.ActivePage();
    // The focus follows the list only on screen: before the window appears each change costs a round of focus
    // messages, and the first activation focuses the navigation pane.
    const bool onScreen = IsWindowVisible(Hwnd) != FALSE;
    if (active == 0 && onScreen)
        SetFocus(JvTreeView1_1);
    // The tray's submenus are filled when they open (WM_INITMENUPOPUP): they show the store as it is then.
    for (TMainFrame& frame : MainFrames)
        frame.ClearRows();
    TRefreshedLists lists = BuildRefreshedLists(active);
    if (!lists.ProfileRowsRebuilt)
        return;
    Selection.ProfileRows = lists.ProfileRows;
    if (active >= 1 && active <= SlotCount) {
        TMainFrame& frame = MainFrame(active);
        frame.SetRows(std::move(lists.PageRows));
        if (onScreen)
            SetFocus(frame.JvListView1);
    }
}

TWindowSnapshot TGUI_Form::WindowSnapshot() const {
    TWindowSnapshot window;
    const RECT bounds = NormalBounds(Hwnd);
    window.Left = bounds.left;
    window.Top = bounds.top;
    window.Width = Unscaled(bounds.right - bounds.left, Dpi());
    window.Height = Unscaled(bounds.bottom - bounds.top, Dpi());
    window.Iconized = JvPanel.PageIconic(0);
    window.SelectPanel = JvPanel.ActivePage();
    window.TrayHidden = Tray.TrayHidden;
    for (int slot = 1; slot <= SlotCount; ++slot)
        window.SlotIconized[static_cast<size_t>(slot)] = JvPanel.PageIconic(slot);
    return window;
}

void TGUI_Form::FormClose() {
    // Closing would destroy the windows under an open dialog, whose OK then writes into a store nobody shows; and
    // with the keep question open, nothing would be left to put the settings back.
    if (DialogOpen()) {
        BringDialogToFront();
        return;
    }
    // A file someone else changed stays as they left it; the user hears of it while a window can still tell.
    TellFilesKept(SaveSettings());
    DestroyWindow(Hwnd);
}

bool TGUI_Form::SaveSettingsAndTell() {
    const std::vector<std::string> kept = SaveSettings();
    if (kept.empty())
        return true;
    // Their version is what the program shows from now on. The window stays on screen: the focus comes back to the
    // list after the message, not to the pane as after a show from the tray.
    FormShow();
    FocusPaneAtActivation = false;
    TellFilesKept(kept);
    return false;
}

void TGUI_Form::TellFilesKept(const std::vector<std::string>& files) {
    if (files.empty())
        return;
    std::string paths;
    for (const std::string& file : files)
        paths += (paths.empty() ? "" : ", ") + SettingsDir + file;
    ShowError(FillPlaceholder(Text("GUI", "FILE_CHANGED"), "$FILE$", paths));
}

bool TGUI_Form::ModalWindowOpen() const {
    // Every modal window of the program disables the main window: directly, or through the window it is opened
    // over (the editor's value dialogs, the file-open dialog).
    return Hwnd != nullptr && !IsWindowEnabled(Hwnd);
}

void TGUI_Form::BringModalWindowToFront() {
    TModalSearch search{Hwnd, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), FindOpenModalWindow, reinterpret_cast<LPARAM>(&search));
    if (search.Found == nullptr)
        return;
    SetForegroundWindow(search.Found);
    FlashWindow(search.Found, TRUE);
}

void TGUI_Form::BringDialogToFront() {
    if (ModalWindowOpen()) {
        BringModalWindowToFront();
    } else if (Keep_Form) {
        SetForegroundWindow(Keep_Form->Handle());
        FlashWindow(Keep_Form->Handle(), TRUE);
    }
}

void TGUI_Form::ShowRunning() {
    // The user asked to see it: a hide still to come from the start is dropped.
    KillTimer(Hwnd, StartTimer);
    HideWhenIconAdded = false;
    if (ModalWindowOpen()) {
        BringModalWindowToFront();
        return;
    }
    if (Tray.TrayHidden)
        CoolMenuButtonClick(TTraySender::CoolTrayItem1);
    else if (IsIconic(Hwnd))
        ShowWindow(Hwnd, SW_RESTORE);
    SetForegroundWindow(Hwnd);
    // The keep question, when it waits for its answer, comes to the front with it.
    if (Keep_Form)
        BringDialogToFront();
}

void TGUI_Form::ShowApplyResult(const TApplyResult& result, const std::string& profileName,
                                const std::string& slotName) {
    if (result.Succeeded())
        NoteApplied(profileName, slotName);
    // Every apply that ran netsh is verified.
    if (!NoticeWaitsForVerification(result))
        Tell(ApplyNoticeOf(result, profileName, BalloonNetshLines));
}

void TGUI_Form::NoteApplied(const std::string& profileName, const std::string& slotName) {
    LastApplied[0] = profileName;
    LastApplied[1] = slotName;
    CoolTrayIcon.SetTip(TrayTip(WindowText(Hwnd), profileName, slotName));
}

void TGUI_Form::Tell(const TApplyNotice& notice) {
    if (CoolTrayIcon.IconAdded() && !notice.Lasting)
        CoolTrayIcon.ShowBalloon(notice.Title, notice.Text, notice.Warning);
    else if (notice.Warning)
        ShowError(notice.Title + "\n\n" + notice.Text); // a failure is never told to nobody
}

void TGUI_Form::VerifyTimerTimer() {
    if (!Verification) {
        KillTimer(Hwnd, VerifyTimer);
        return;
    }
    TVerifyRun& run = Verification->Run;
    const platform::MachineSnapshot machine = ReadMachine(run.NeedsFirewall());
    if (!run.Look(machine, static_cast<int>(GetTickCount() - Verification->Started)))
        return;
    KillTimer(Hwnd, VerifyTimer);
    const std::unique_ptr<TPendingVerification> done = std::move(Verification);
    done->Result.Verification = run.Result();
    if (done->AfterRevert) {
        Tell(RevertVerificationNoticeOf(done->Result, done->ProfileName, BalloonNetshLines));
    } else {
        Tell(VerificationNoticeOf(done->Result, done->ProfileName, BalloonNetshLines));
        // netsh's exit code, found harmless.
        if (NoticeWaitsForVerification(done->Result) && done->Result.Succeeded())
            NoteApplied(done->ProfileName, done->SlotName);
        if (Keep_Form)
            Keep_Form->SetVerification(*done->Result.Verification);
    }
    UpdateConnectionNotes(machine);
}

void TGUI_Form::UpdateConnectionNotes(const platform::MachineSnapshot& machine) {
    for (int slot = 1; slot <= SlotCount; ++slot)
        MainFrame(slot).SetConnectionNote(SlotConnectionNote(slot, machine));
}

void TGUI_Form::OnJvPanelClick() {
    if (IsWindowVisible(Hwnd)) {
        RefreshSettings();
        UpdateConnectionNotes(ReadMachine());
    }
}

void TGUI_Form::JvTreeView1_1DblClick() {
    HTREEITEM selected = TreeView_GetSelection(JvTreeView1_1);
    int node = -1;
    for (size_t i = 0; i < TreeNodes.size(); ++i)
        if (TreeNodes[i] == selected)
            node = static_cast<int>(i);
    TTreeNodeAction action = TreeNodeAction(node);
    if (action.Action == TTreeAction::About) {
        if (!About_Form)
            About_Form = std::make_unique<TAbout_Form>();
        About_Form->ShowModal(Hwnd);
    } else if (action.Action == TTreeAction::HelpPage) {
        OpenDocument(HelpPagePath(action.HelpPage));
    }
}

void TGUI_Form::FormActivate() {
    // The first activation after a show puts the focus on the navigation pane, at once: the show sequence made
    // no focus changes on the way (each costs a round of focus messages). Every later one gives the focus back to
    // the control that had it when the window was left (for a dialog, a menu, the wait window of an apply), or to
    // the pane when that control is gone or hidden.
    HWND focus = FocusPaneAtActivation ? nullptr : FocusBeforeLeaving;
    FocusPaneAtActivation = false;
    if (focus == nullptr || !IsChild(Hwnd, focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus))
        focus = JvPanel.Handle();
    SetFocus(focus);
}

TMainTabStop TGUI_Form::TabStopOf(HWND window) {
    const int active = JvPanel.ActivePage();
    if (window == nullptr)
        return TMainTabStop::None;
    if (window == JvPanel.Handle())
        return TMainTabStop::Pane;
    if (active == 0)
        return window == JvTreeView1_1 ? TMainTabStop::List : TMainTabStop::None;
    if (window == MainFrame(active).JvListView1)
        return TMainTabStop::List;
    return window == MainFrame(active).Panel1.Handle() ? TMainTabStop::Commands : TMainTabStop::None;
}

HWND TGUI_Form::TabStopWindow(TMainTabStop stop) {
    const int active = JvPanel.ActivePage();
    if (stop == TMainTabStop::List)
        return active == 0 ? JvTreeView1_1 : MainFrame(active).JvListView1;
    if (stop == TMainTabStop::Commands && active != 0)
        return MainFrame(active).Panel1.Handle();
    return JvPanel.Handle();
}

bool TGUI_Form::KeyPreview(WPARAM key) {
    if (key != VK_TAB || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
    const int active = JvPanel.ActivePage();
    const TMainTabStop next =
        NextMainTabStop(TabStopOf(GetFocus()), active >= 1 && active <= SlotCount, GetKeyState(VK_SHIFT) < 0);
    SetFocus(TabStopWindow(next));
    return true;
}

void TGUI_Form::CoolMenuButtonClick(TTraySender sender) {
    if (sender == TTraySender::CoolTrayItem2) {
        SendMessageA(Hwnd, WM_CLOSE, 0, 0);
        return;
    }
    if (ChooseTrayItem1(Tray) == TTrayAction::Restore)
        CoolTrayIcon.RestoreFromTray();
    else if (!CoolTrayIcon.MinimizeToTray() && sender == TTraySender::Timer)
        HideWhenIconAdded = true;
    SetItem1Caption();
}

void TGUI_Form::CoolMenuMinimalizeTray() {
    MinimalizedToTray(Tray);
    SetItem1Caption();
}

void TGUI_Form::CoolMenuSelectProfile(int profileIndex) {
    Selection.CurrentProfile = profileIndex;
    ApplyCurrentProfileAndTell();
}

void TGUI_Form::ApplyCurrentProfileAndTell() {
    // The settings the open question would put back are those from before its own apply.
    if (KeepQuestionOpen()) {
        BringDialogToFront();
        return;
    }
    const int current = Selection.CurrentProfile;
    if (current < 0 || current >= static_cast<int>(Profiles.size()))
        return;
    const TProfile profile = Profiles[static_cast<size_t>(current)];
    const int slot = profile.InterfaceNo;
    const std::string slotName = slot >= 1 && slot <= SlotCount ? Interfaces[static_cast<size_t>(slot)].Name : "";
    // What netsh is given, to be compared with the machine afterwards.
    TNetworkStep step = NetworkStepOf(profile);
    std::unique_ptr<TPendingKeep> keep;
    if (profile.Keep.Ask && step.Applies) {
        keep.reset(new TPendingKeep{
            CapturePreviousSettings(profile, ConnectionOfSlot(slot), ReadMachine(CaptureNeedsFirewall(profile))),
            profile.Name,
            {LastApplied[0], LastApplied[1]}});
        const TCapturedSettings& captured = keep->Captured;
        // Nothing is changed that could not be put back.
        if (captured.Problem != TTakeProblem::None) {
            Tell(NotCapturedNoticeOf(TakeProblemText(captured.Problem, captured.Connection, captured.State),
                                     profile.Name));
            return;
        }
    }
    const TApplyResult result = ApplyCurrentProfile();
    ShowApplyResult(result, profile.Name, slotName);
    StartVerification(std::move(step.Data), result, profile.Name, slotName, false);
    if (!keep || !result.NetshRun)
        return;
    PendingKeep = std::move(keep);
    Keep_Form = std::make_unique<TKeep_Form>(profile.Name, profile.Keep.Seconds, Clock, [this](TKeepDecision d) {
        PostMessageA(Hwnd, KeepQuestionAnswered, static_cast<WPARAM>(d), 0);
    });
    Keep_Form->Show();
}

void TGUI_Form::StartVerification(TConfData applied, const TApplyResult& result, const std::string& profileName,
                                  const std::string& slotName, bool afterRevert) {
    // An earlier apply's verification no longer matters: this one replaces what it set. A failure it was to judge
    // is still told.
    KillTimer(Hwnd, VerifyTimer);
    if (Verification)
        TellUnverified(*Verification);
    Verification.reset();
    if (!result.NetshRun)
        return;
    const int limit = VerifyTimeLimitMs(applied);
    Verification.reset(new TPendingVerification{TVerifyRun(std::move(applied), limit), result, profileName, slotName,
                                                GetTickCount(), afterRevert});
    SetTimer(Hwnd, VerifyTimer, VerifyIntervalMs, nullptr);
}

void TGUI_Form::TellUnverified(const TPendingVerification& pending) {
    if (!NoticeWaitsForVerification(pending.Result))
        return;
    Tell(pending.AfterRevert ? RevertNoticeOf(pending.Result, pending.ProfileName, BalloonNetshLines)
                             : ApplyNoticeOf(pending.Result, pending.ProfileName, BalloonNetshLines));
}

void TGUI_Form::KeepAnswered(TKeepDecision decision) {
    Keep_Form.reset();
    const std::unique_ptr<TPendingKeep> keep = std::move(PendingKeep);
    if (keep && decision == TKeepDecision::Revert)
        Revert(*keep);
}

void TGUI_Form::Revert(const TPendingKeep& keep) {
    const TCapturedSettings& captured = keep.Captured;
    TNetworkStep step = NetworkStepOf(captured.Previous, captured.Connection);
    const TApplyResult result = ApplyProfile(captured.Previous, captured.Connection);
    // The tooltip names the profile that was in effect before.
    LastApplied[0] = keep.TipBefore[0];
    LastApplied[1] = keep.TipBefore[1];
    CoolTrayIcon.SetTip(TrayTip(WindowText(Hwnd), LastApplied[0], LastApplied[1]));
    if (!NoticeWaitsForVerification(result))
        Tell(RevertNoticeOf(result, keep.ProfileName, BalloonNetshLines));
    StartVerification(std::move(step.Data), result, keep.ProfileName, std::string(), true);
}

void TGUI_Form::TimerTimer() {
    // An error box about the settings may be open at start: the window hides once it is closed.
    if (ModalWindowOpen())
        return;
    KillTimer(Hwnd, StartTimer);
    if (WindowState.Minimalized)
        CoolMenuButtonClick(TTraySender::Timer);
}

void TGUI_Form::FormResize() {
    RECT area;
    GetClientRect(Hwnd, &area);
    SetWindowPos(JvPanel.Handle(), nullptr, 0, 0, area.right, area.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    for (TMainFrame& frame : MainFrames)
        if (frame.Handle() != nullptr) // a null window would stand for the whole desktop
            InvalidateRect(frame.Handle(), nullptr, TRUE);
}

void TGUI_Form::ShowTrayMenu() {
    if (DialogOpen()) {
        BringDialogToFront();
        return;
    }
    // The window must be in the foreground, or the menu would not close when the user clicks elsewhere.
    SetForegroundWindow(Hwnd);
    ProcessPendingMessages();
    POINT cursor;
    GetCursorPos(&cursor);
    UINT chosen = static_cast<UINT>(
        TrackPopupMenu(CoolTrayPopupMenu, TPM_RETURNCMD | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, Hwnd, nullptr));
    PostMessageA(Hwnd, WM_NULL, 0, 0);
    if (chosen != 0)
        TrayMenuCommand(chosen);
}

void TGUI_Form::TrayMenuCommand(UINT item) {
    if (DialogOpen()) {
        BringDialogToFront();
        return;
    }
    if (item == CoolTrayItem1) {
        CoolMenuButtonClick(TTraySender::CoolTrayItem1);
    } else if (item == CoolTrayItem2) {
        CoolMenuButtonClick(TTraySender::CoolTrayItem2);
    } else if (item >= FirstProfileItem) {
        // The item's number carries its profile's index: only a profile the menu could offer is applied.
        const size_t profile = item - FirstProfileItem;
        if (profile < Profiles.size() && !Profiles[profile].Deleted)
            CoolMenuSelectProfile(static_cast<int>(profile));
    }
}

void TGUI_Form::OpenFocusedItem() {
    HWND focus = GetFocus();
    const int active = JvPanel.ActivePage();
    if (focus == JvTreeView1_1)
        JvTreeView1_1DblClick();
    else if (active >= 1 && active <= SlotCount && focus == MainFrame(active).JvListView1)
        MainFrame(active).onClick(TFrameSender::Popup_RUN);
}

LRESULT TGUI_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (CoolTrayIcon.HandleMainWindowMessage(message, wParam, lParam, result))
        return result;
    if (message == ShowRunningMessage() && message != 0) {
        // Only a start from this program's own folder: a portable copy elsewhere runs beside it.
        if (wParam != OwnInstanceKey())
            return 0;
        ShowRunning();
        return ShownAnswer;
    }
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam != FALSE)
            FormShow();
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(Hwnd, focus))
                FocusBeforeLeaving = focus;
            break;
        }
        FormActivate();
        return 0;
    case KeyPreviewMessage:
        return KeyPreview(wParam) ? TRUE : FALSE;
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_INITMENUPOPUP:
        for (int slot = 1; slot <= SlotCount; ++slot)
            if (reinterpret_cast<HMENU>(wParam) == CoolTrayInterface[static_cast<size_t>(slot)])
                FillTraySubmenu(slot);
        return 0;
    case WM_COMMAND:
        // Enter, turned into the window's default command by the dialog keys.
        if (LOWORD(wParam) == IDOK && lParam == 0)
            OpenFocusedItem();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Signing out or shutting down ends the process without a close: what a close would write is written now.
        // A file someone else changed is left as they left it, without a word: no window can tell it any more.
        if (wParam != FALSE && !SavedAtSessionEnd) {
            SavedAtSessionEnd = true;
            // Settings nobody kept do not outlive the session.
            if (PendingKeep) {
                Keep_Form.reset();
                const std::unique_ptr<TPendingKeep> keep = std::move(PendingKeep);
                Revert(*keep);
            }
            SaveSettings();
        }
        return 0;
    case WM_DESTROY:
        KillTimer(Hwnd, StartTimer);
        KillTimer(Hwnd, VerifyTimer);
        KillTimer(Hwnd, ConnectionCheckTimer);
        PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        FormResize();
        return 0;
    case WM_DPICHANGED: {
        // Moved onto a monitor of another DPI: the same window at that DPI, where the system suggests.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyDpi();
        return 0;
    }
    case WM_GETMINMAXINFO:
        // Small enough for a corner of the screen, large enough for the header, three profiles and the commands.
        if (JvPanel.Handle() != nullptr) {
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            RECT frame{0, 0, S(MinimumClientWidth), JvPanel.ChromeHeight() + MinimumFrameHeight(FrameMetrics(Dpi()))};
            AdjustWindowRectForDpi(frame, static_cast<DWORD>(GetWindowLongPtrA(Hwnd, GWL_STYLE)),
                                   static_cast<DWORD>(GetWindowLongPtrA(Hwnd, GWL_EXSTYLE)), Dpi());
            limits->ptMinTrackSize = POINT{frame.right - frame.left, frame.bottom - frame.top};
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == StartTimer) {
            TimerTimer();
        } else if (wParam == VerifyTimer) {
            VerifyTimerTimer();
        } else if (wParam == ConnectionCheckTimer) {
            KillTimer(Hwnd, ConnectionCheckTimer);
            UpdateConnectionNotes(ReadMachine());
        }
        return 0;
    case AddTrayIcon:
        CoolTrayIcon.AddIcon();
        return 0;
    case KeepQuestionAnswered:
        KeepAnswered(static_cast<TKeepDecision>(wParam));
        return 0;
    case ShowSettingsErrors:
        if (!PendingErrors.empty()) {
            std::string text;
            text.swap(PendingErrors);
            ShowError(text);
        }
        return 0;
    }
    return Default(message, wParam, lParam);
}
