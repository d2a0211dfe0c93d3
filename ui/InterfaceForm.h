// The interface settings dialog: the name, description, network connection and icon of the slot whose page is
// active in the main window.
#pragma once

#include "ui/DialogParts.h"
#include "ui/rules/DialogRules.h"

#include <string>
#include <vector>

class TInterface_Form : public TDialogForm {
public:
    TInterface_Form(HWND owner, int slot);
    ~TInterface_Form() override;

    void FormActivate() override;
    void LoadStrings();
    void ButtonCommandClick(HWND sender);
    // A menu entry (0 upwards) takes its icon; Edit2 as sender only redraws the preview.
    static constexpr int SenderEdit2 = -1;
    void onPopupIconMenuSelect(int entry);
    void FormClose();

    // The slot the dialog edits.
    int Slot() const { return EditedSlot; }
    // The picture the preview shows: an index of the large page pictures, -1 for none.
    int Image1Picture() const { return Preview; }
    // Number of entries of the icon menu, and the caption of one.
    int IconMenuCount() const;
    std::string IconMenuCaption(int entry) const;

    // The machine's connections in the connection field's list, read just after the dialog has appeared (LoadStrings
    // asks for it), and the note under the field for the name it holds.
    void LoadConnections();
    const std::vector<TConnectionChoice>& Choices() const { return Connections; }
    // Chooses entry n of the list as the user does (CBN_SELCHANGE follows); an entry that cannot be used leaves the
    // field as it was and says why under it.
    void ChooseConnection(int entry);
    // The line under the connection field.
    std::string ConnectionNote() const;
    // What the list shows for entry n: "name - description, state", and for an entry that cannot be used, why.
    std::string ConnectionEntryText(int entry) const;

    TDialogHeader Header; // MainImage1, MainText, LabelText
    HWND Label1 = nullptr;
    HWND Edit1 = nullptr;
    HWND Label2 = nullptr;
    HWND Edit2 = nullptr;
    HWND Label3 = nullptr;
    HWND Edit3 = nullptr;  // an editable drop-down list of the machine's connections
    HWND Label5 = nullptr; // under it: an entry that cannot be used, a name not present
    HWND Label4 = nullptr;
    HWND Image1 = nullptr;
    HWND ButtonSELECT = nullptr;
    HWND ButtonOK = nullptr;
    HWND ButtonSTORNO = nullptr;
    HWND ButtonHELP = nullptr;
    HMENU PopupMenu1 = nullptr;

protected:
    void CloseBox() override;
    void ControlCommand(HWND control, int code) override;
    void DpiChanged(UINT dpi) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ConnectionChosen();
    void ShowNote(const std::string& note);
    void DrawConnection(const DRAWITEMSTRUCT& item) const;
    void SizeConnectionList(UINT dpi);

    int EditedSlot = 0;
    std::vector<TConnectionChoice> Connections;
    platform::MachineSnapshot Machine;
    std::string TypedConnection; // the field's text before a list entry was chosen
    int Preview = -1;
    std::vector<std::string> IconHints;
};

// The icon chosen in the open dialog; loaded from the slot and written back on OK.
extern int ChosenInterfaceIcon;

// The open dialog while it is shown, null otherwise.
extern TInterface_Form* Interface_Form;
