// The interface settings dialog.
#include "ui/InterfaceForm.h"

#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "resources/resource.h"
#include "ui/Graphics.h"
#include "ui/rules/DialogRules.h"
#include "ui/rules/ProfileFormRules.h"

int ChosenInterfaceIcon = 0;
TInterface_Form* Interface_Form = nullptr;

namespace {
constexpr int Width = 479;
constexpr int Height = 229;
} // namespace

TInterface_Form::TInterface_Form(HWND owner, int slot) : EditedSlot(slot) {
    Interface_Form = this;
    CreateForm("TInterface_Form", owner, Width, Height, true);
    Header.Create(Hwnd, Width, IDB_INTERFACE48);
    Label1 = MakeLabel(Hwnd, "", 20, 74, 124, 16);
    Edit1 = MakeEdit(Hwnd, 150, 70, 310, 22);
    Label2 = MakeLabel(Hwnd, "", 20, 100, 124, 16);
    Edit2 = MakeEdit(Hwnd, 150, 96, 310, 22);
    Label3 = MakeLabel(Hwnd, "", 20, 126, 124, 16);
    Edit3 = MakeEdit(Hwnd, 150, 122, 310, 22);
    Label4 = MakeLabel(Hwnd, "", 20, 156, 124, 16);
    Image1 = MakeControl(Hwnd, "STATIC", "", SS_OWNERDRAW, 150, 153, 24, 20);
    ButtonSELECT = MakeButton(Hwnd, "", 184, 150, 130, 25);
    MakeSeparator(8, 186, Width - 16);
    ButtonOK = MakeButton(Hwnd, "", 155, 196, 80, 25, IDOK);
    ButtonSTORNO = MakeButton(Hwnd, "", 243, 196, 80, 25, IDCANCEL);
    ButtonHELP = MakeButton(Hwnd, "", Width - 8 - 25, 196, 25, 25);
}

TInterface_Form::~TInterface_Form() {
    DestroyForm();
    if (Interface_Form == this)
        Interface_Form = nullptr;
    if (PopupMenu1 != nullptr)
        DestroyMenu(PopupMenu1);
}

void TInterface_Form::FormActivate() {
    LoadStrings();
}

void TInterface_Form::LoadStrings() {
    // WINDOWTITLE, MAINTITLE, HELPTITLE, LABEL1 to LABEL4, BUTTON_OK, BUTTON_STORNO, BUTTON_HELP, BUTTON_SELECT, ICON
    const std::vector<std::string>& keys = InterfaceFormCaptionKeys();
    std::vector<std::string> texts;
    for (const std::string& key : keys)
        texts.push_back(ReadLanguageKey("INTERFACEFORM", key, LanguageName));
    SetWindowTextA(Hwnd, texts[0].c_str());
    Header.SetMainText(texts[1]);
    Header.SetLabelText(texts[2]);
    const HWND captioned[] = {Label1, Label2, Label3, Label4, ButtonOK, ButtonSTORNO, ButtonHELP, ButtonSELECT};
    for (size_t i = 0; i < std::size(captioned); ++i)
        SetWindowTextA(captioned[i], texts[3 + i].c_str());

    if (PopupMenu1 != nullptr)
        DestroyMenu(PopupMenu1);
    PopupMenu1 = MakeIconMenu(texts[11], TPictureList::Panels16, IconHints);

    const TInterfaceFields fields = LoadInterfaceFields(EditedSlot);
    SetWindowTextA(Edit1, fields.Name.c_str());
    SetWindowTextA(Edit2, fields.Caption.c_str());
    SetWindowTextA(Edit3, fields.Interface.c_str());
    ChosenInterfaceIcon = fields.Icon;
    onPopupIconMenuSelect(SenderEdit2);
    SetFocus(Edit1);
    SendMessageA(Edit1, EM_SETSEL, 0, -1);
}

void TInterface_Form::onPopupIconMenuSelect(int entry) {
    if (entry >= 0 && entry < static_cast<int>(IconHints.size()))
        ChosenInterfaceIcon = IconOfHint(IconHints[static_cast<size_t>(entry)]);
    Preview = PictureIndexOrNone(TPictureList::Panels24x20, ChosenInterfaceIcon);
    InvalidateRect(Image1, nullptr, TRUE);
}

int TInterface_Form::IconMenuCount() const {
    return PopupMenu1 != nullptr ? GetMenuItemCount(PopupMenu1) : 0;
}

std::string TInterface_Form::IconMenuCaption(int entry) const {
    char buffer[256] = {};
    GetMenuStringA(PopupMenu1, static_cast<UINT>(entry), buffer, sizeof buffer, MF_BYPOSITION);
    return buffer;
}

void TInterface_Form::ButtonCommandClick(HWND sender) {
    if (sender == ButtonSELECT) {
        const UINT chosen = TrackButtonMenu(PopupMenu1, ButtonSELECT, Hwnd);
        if (chosen >= FirstIconItem)
            onPopupIconMenuSelect(static_cast<int>(chosen - FirstIconItem));
    } else if (sender == ButtonOK) {
        StoreInterfaceFields(EditedSlot,
                             {WindowText(Edit1), WindowText(Edit2), WindowText(Edit3), ChosenInterfaceIcon});
        FormClose();
    } else if (sender == ButtonSTORNO) {
        FormClose();
    } else if (sender == ButtonHELP) {
        OpenHelpPage("Help\\InterfaceForm.htm");
    }
}

void TInterface_Form::FormClose() {
    EndModal();
    Interface_Form = nullptr;
}

void TInterface_Form::CloseBox() {
    FormClose();
}

void TInterface_Form::ControlCommand(HWND control, int code) {
    if (code == BN_CLICKED)
        ButtonCommandClick(control);
}

LRESULT TInterface_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        DrawImageControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), TPictureList::Panels24x20, Preview,
                         GetSysColorBrush(COLOR_BTNFACE));
        return TRUE;
    }
    return TDialogForm::HandleMessage(message, wParam, lParam);
}
