// The main window: the navigation pane with the information page and the five interface pages, the tray icon
// with its menu of every profile of every slot, and the start-up and shutdown steps.
#pragma once

#include "core/Settings.h"
#include "engine/ApplyNotice.h"
#include "engine/ApplyProfile.h"
#include "engine/KeepOrRevert.h"
#include "ui/CoolTrayIcon.h"
#include "ui/Main_Frame.h"
#include "ui/Window.h"
#include "ui/rules/MainWindowRules.h"
#include "ui/widgets/NavDivider.h"
#include "ui/widgets/NavPanel.h"

#include <commctrl.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TAbout_Form;
class TKeep_Form;

// The information page: a divider bar over the tree of topics.
class TInfoPage : public TWindow {
public:
    TNavDivider* Divider = nullptr;
    HWND Tree = nullptr;
    void Create(HWND parent);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Who chose the restore/minimise action: its tray item, or the start-hidden timer.
enum class TTraySender { CoolTrayItem1, CoolTrayItem2, Timer };

class TGUI_Form : public TWindow {
public:
    static constexpr UINT CoolTrayItem1 = 1;
    static constexpr UINT CoolTrayItem2 = 2;
    static constexpr UINT FirstProfileItem = 1000;
    static constexpr int MinimumClientWidth = 200;

    TGUI_Form();
    ~TGUI_Form() override;

    // Creates the window (hidden); Show() makes it visible, which runs the show sequence.
    void Create();
    void Show();

    void FormShow();
    void LoadStrings();
    void RefreshSettings();
    void FormClose();
    void OnJvPanelClick();
    void JvTreeView1_1DblClick();
    void FormActivate();
    void CoolMenuButtonClick(TTraySender sender);
    void CoolMenuMinimalizeTray();
    void CoolMenuSelectProfile(int profileIndex);
    void TimerTimer();
    void FormResize();
    void ApplySettings(int mode);

    // What the settings writer takes from the window: its normal bounds (never those of a minimised or maximised
    // window), pages and the tray flag.
    TWindowSnapshot WindowSnapshot() const;

    // While a modal window of the program is open (the editor, a dialog, the about window, a message box), the tray
    // starts nothing: a second command would change the store under the open dialog.
    bool ModalWindowOpen() const;
    // The innermost open modal window comes to the front, as when the user clicks a window it disables.
    void BringModalWindowToFront();
    // A second start of the program asked for the window: it comes to the front, from the tray as the tray's
    // restore item brings it (the show sequence runs), or the open dialog over it does.
    void ShowRunning();

    // Writes the settings files. A slot file someone else changed since it was read keeps their version: the user
    // is told which, and the files are read again as at a show. False then.
    bool SaveSettingsAndTell();

    // Applies Profiles[Selection.CurrentProfile] and tells the user what came of it; then, while the window goes
    // on, looks at the machine until what netsh applied is in effect or the waiting rule gives up, and tells that.
    // A profile that asks to be kept has the settings it replaces read first (without them it is not applied), and
    // after the apply the keep question opens; while it is open no other profile is applied.
    void ApplyCurrentProfileAndTell();
    // The keep question, while it is open.
    bool KeepQuestionOpen() const { return Keep_Form != nullptr; }
    TKeep_Form* KeepQuestion() const { return Keep_Form.get(); }
    // The answer, once the question has hidden itself: a revert puts the captured settings back through the same
    // apply, tells it, and verifies it.
    void KeepAnswered(TKeepDecision decision);
    // Milliseconds of a steady clock, for the keep question's countdown; tests replace it.
    std::function<std::int64_t()> Clock;
    // Tells the user what came of applying a profile: a notification from the tray icon; where netsh's exit code
    // waits for the verification that follows, that verification's notification tells the verdict instead.
    void ShowApplyResult(const TApplyResult& result, const std::string& profileName, const std::string& slotName);
    // One look at the machine for the apply being verified; the second notification once the result is final.
    void VerifyTimerTimer();
    bool Verifying() const { return Verification != nullptr; }
    // The slot pages' headers say which slot's connection is not present on the machine as it was read.
    void UpdateConnectionNotes(const platform::MachineSnapshot& machine);

    // Errors of the settings files ("'x' is not a valid integer value.") are shown through this.
    std::function<void(const std::string&)> ShowError;
    // Help pages go to the shell through this.
    std::function<void(const std::string&)> OpenDocument;
    // A question with Yes and No, No the default; true for Yes.
    std::function<bool(const std::string&)> AskYesNo;

    TNavPanel JvPanel;
    TInfoPage InformationPage; // JvNavPanel0
    TNavDivider JvNavDivider1_1;
    HWND JvTreeView1_1 = nullptr;
    std::array<TMainFrame, 5> MainFrames; // MainFrame1 to MainFrame5
    TCoolTrayIcon CoolTrayIcon;
    HMENU CoolTrayPopupMenu = nullptr;
    std::array<HMENU, 6> CoolTrayInterface{}; // 1 to 5
    TTrayItemState Tray;                      // TrayHidden, RestoreText, MinimizeText
    std::array<HTREEITEM, 8> TreeNodes{};     // in order: ITEMA, ITEMA0, ITEMB, ITEMB0 to ITEMB4
    std::unique_ptr<TAbout_Form> About_Form;
    bool Shown = false;

    TMainFrame& MainFrame(int slot) { return MainFrames[static_cast<size_t>(slot - 1)]; }
    // Opens the tray menu at the cursor and carries out the item chosen.
    void ShowTrayMenu();
    // Carries out a tray menu item by its number.
    void TrayMenuCommand(UINT item);
    // Enter where no control takes it: runs the selected profile of a slot page, opens the information tree's node.
    void OpenFocusedItem();
    // Tab and Shift+Tab go round the navigation pane, the page's list (or the information tree) and its commands.
    bool KeyPreview(WPARAM key);
    TMainTabStop TabStopOf(HWND window);
    HWND TabStopWindow(TMainTabStop stop);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // An apply whose verification is under way.
    struct TPendingVerification {
        TVerifyRun Run;
        TApplyResult Result;
        std::string ProfileName;
        std::string SlotName; // for the tooltip, once the verdict makes the apply a success
        DWORD Started;        // the tick count when netsh had ended
        bool AfterRevert;     // the settings from before the profile, put back
    };
    // An apply whose keep question is open: what a revert puts back, and the tooltip's profile before the apply.
    struct TPendingKeep {
        TCapturedSettings Captured;
        std::string ProfileName;
        std::string TipBefore[2];
    };
    void StartVerification(TConfData applied, const TApplyResult& result, const std::string& profileName,
                           const std::string& slotName, bool afterRevert);
    // The apply's notification, or the revert's, that waited for a verification that will not end: netsh's exit
    // code decides.
    void TellUnverified(const TPendingVerification& pending);
    // The tray's tooltip names the profile applied last.
    void NoteApplied(const std::string& profileName, const std::string& slotName);
    void Revert(const TPendingKeep& keep);
    // The open dialog a command of the tray or the window waits for: a modal window, or the keep question.
    bool DialogOpen() const { return ModalWindowOpen() || KeepQuestionOpen(); }
    void BringDialogToFront();
    // A notification from the tray icon; a warning goes into a message box where there is no icon.
    void Tell(const TApplyNotice& notice);
    HWND CreateInformationPage();
    // The information tree's node texts, from the language file.
    void CaptionInformationTree();
    void CreateTrayMenu();
    void SetItem1Caption();
    // Fonts, pictures and sizes for the DPI of the monitor the window is on.
    void ApplyDpi();
    // The window at its stored place and size, within reach of the user.
    void PlaceAsStored();
    // A slot's tray submenu from the store, as it opens: its profiles, or one disabled line.
    void FillTraySubmenu(int slot);
    void ReportSettingsErrors(const std::vector<std::string>& messages);
    // Tells the user which slot files were left as someone else changed them.
    void TellFilesKept(const std::vector<std::string>& files);
    HWND InfoPage = nullptr;
    std::string PendingErrors;
    std::string NoProfilesText;
    std::string LastApplied[2];     // the profile applied last in this run, and its slot: in the tray's tooltip
    bool HideWhenIconAdded = false; // the start-hidden timer found no icon to hide into yet
    bool SavedAtSessionEnd = false;
    bool FocusPaneAtActivation = false; // a show happened: its first activation focuses the navigation pane
    HWND FocusBeforeLeaving = nullptr;  // the control that had the focus when the window was last deactivated
    std::unique_ptr<TPendingVerification> Verification;
    std::unique_ptr<TKeep_Form> Keep_Form;
    std::unique_ptr<TPendingKeep> PendingKeep;
};

// The one main window, as every page and dialog of the program reaches it.
extern TGUI_Form* GUI_Form;

// Processes the messages waiting in the queue, without blocking.
void ProcessPendingMessages();
// Hands one message of the program's loop on: the dialog keys (Tab, Enter, Escape) of the active window first.
void DispatchProgramMessage(MSG& message);
