// The interface page: one slot's profile list with its two divider bars, and the five commands below it.
#pragma once

#include "ui/Window.h"
#include "ui/rules/MainWindowRules.h"
#include "ui/rules/TrayMenu.h"
#include "ui/widgets/NavDivider.h"

#include <array>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

// The heights a slot page is laid out with at a DPI: its dividers, three rows of the list, the five commands.
TFrameMetrics FrameMetrics(UINT dpi);

// What a slot page asks of the window that holds it, which sets these: the page depends on nothing above it.
struct TFrameOwner {
    std::function<void()> ApplyProfile; // applies Selection.CurrentProfile and tells the user the outcome
    std::function<void()> EditProfile;  // the profile editor for Selection.CurrentProfile (-1: a new one), modal
    // The editor for a new profile holding the slot connection's current settings, modal; false (and the user told
    // why) when the connection's settings cannot be taken.
    std::function<bool()> EditProfileFromCurrentSettings;
    std::function<void()> EditSlot;         // the interface settings dialog for this page's slot, modal
    std::function<void()> ApplySlotDisplay; // the slots' captions, hints and pictures to the pages and the tray
    std::function<void()> RefreshSettings;  // the lists and menus from the store
    // Writes the settings files; false when a file changed on disk kept its version and the files were read again
    // (the store's indexes then stand for other profiles).
    std::function<bool()> SaveSettings;
    std::function<bool(const std::string&)> AskYesNo;
};

class TMainFrame;

// Panel1: the five commands under the list, each a picture with its label. The mouse points at them and clicks
// them; from the keyboard (Tab reaches the panel) Up and Down move a focus rectangle between them and Enter or
// Space gives the command under it.
class TCommandPanel : public TWindow {
public:
    void Create(TMainFrame& frame);
    int FocusedCommand() const { return Focused; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    RECT IconRect(int command) const;
    RECT LabelRect(int command) const;
    TFrameSender SenderAt(POINT point) const;
    TMainFrame* Frame = nullptr;
    int Focused = 0; // the command under the focus rectangle, in the panel's order
};

class TMainFrame : public TWindow {
public:
    TFrameOwner Owner;
    void Create(HWND parent);
    // Fonts, pictures and sizes for the DPI of the monitor the window is on.
    void ApplyDpi();

    TNavDivider JvNavDivider1;
    TNavDivider JvNavDivider2;
    HWND JvListView1 = nullptr;
    TCommandPanel Panel1;

    // Captions of the commands: the labels and the context-menu items of the same command share their text.
    void SetCommandCaption(TFrameCommand command, const std::string& caption);
    std::string CommandCaption(TFrameCommand command) const;

    // The note in the page's header: that the slot's connection is not present on this computer; empty for none.
    void SetConnectionNote(const std::string& note);
    std::string ConnectionNote() const { return JvNavDivider1.Note(); }

    // The rows, filled by the main window's RefreshSettings.
    void ClearRows();
    void SetRows(std::vector<TProfileItem> rows);
    int RowCount() const;
    std::string RowCaption(int row) const;
    int SelectedRow() const;
    void SelectRow(int row);

    // Handlers under the program's names.
    void onClick(TFrameSender sender);
    void onMouseMove(TFrameSender sender);
    void JvListView1SelectItem() {}
    void JvNavMoved();

    // The command under the mouse, drawn bold and underlined; None when there is none.
    TFrameCommand HoverCommand() const { return Hover; }

    // The heights the page is laid out with: its dividers, three rows of the list, the five commands.
    TFrameMetrics Metrics() const;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class TCommandPanel;
    static constexpr int ListWidth = 180;
    void Layout();
    int PageHeight() const;
    void ShowContextMenu(POINT screen);
    // F2 edits the selected profile, Insert adds one, Delete deletes the selected one.
    void ListKeyDown(WORD key);
    // Where the context menu opens from the keyboard: under the selected row.
    POINT KeyboardMenuPoint() const;
    // After a command: the row of `profile`, else the one at `row`, selected, and the focus on the list.
    void SelectAfterCommand(int profile, int row);
    // After a command that changed the store: the lists rebuilt, the settings written, a row selected.
    void RefreshSaveAndSelect(int profile, int row);

    // Answers the list's question for a row it is about to show.
    void ShowRow(NMLVDISPINFOA& asked) const;

    std::vector<TProfileItem> Rows;
    std::array<std::string, 5> Captions; // Add, Delete, Edit, Run, Interface: the order of the panel
    std::string AddFromCurrentCaption;   // the context menu's only
    TFrameCommand Hover = TFrameCommand::None;
    int TopSpace = 0;       // how far the upper divider was dragged down
    int CommandsHeight = 0; // the commands' area, the least one until the lower divider is dragged up
};
