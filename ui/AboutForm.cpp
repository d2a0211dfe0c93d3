// The about window. Everything below the header is drawn, not made of controls, so nothing takes clicks or focus.
#include "ui/AboutForm.h"

#include "NorvexVersion.h"
#include "lang/CaptionKeys.h"
#include "lang/Language.h"
#include "resources/resource.h"
#include "ui/Graphics.h"

namespace {

struct TAboutLine {
    const char* Text;
    bool Bold;
};

// The fixed texts of the window, block by block; they are not translated. There is no postal, web or e-mail
// address to give, so the lines point to the files shipped beside the program.
const TAboutLine ProductLines[] = {{"Norvex", true}, {"Version " NORVEX_VERSION, false}};
const TAboutLine MakerLines[] = {{"Made by:", true}, {"The Norvex authors", false}};
const TAboutLine ReadMoreLines[] = {{"Read more:", true},
                                    {"README.txt beside Norvex.exe: how to use it, where profiles are kept", false},
                                    {"LICENSE.txt beside Norvex.exe: the terms, the MIT License", false}};
const char* const RightsNotice = "Copyright (c) 2026 the Norvex authors. MIT License.";

} // namespace

TAbout_Form::TAbout_Form() {
    RegisterWindowClass("TAbout_Form", GetSysColorBrush(COLOR_BTNFACE));
    HWND owner = nullptr;
    CreateHandle("TAbout_Form", WS_EX_DLGMODALFRAME, WS_POPUP | WS_CAPTION | WS_SYSMENU, "", 0, 0, 525, 397, owner);
    SetClientSize(Hwnd, 525, 397);
    CentreOnDesktop(Hwnd);
    Logo = LoadPicture(IDB_LOGO144X55);
    Pictures = LoadPicture(IDB_ABOUT32);
}

TAbout_Form::~TAbout_Form() {
    if (Logo != nullptr)
        DeleteObject(Logo);
    if (Pictures != nullptr)
        DeleteObject(Pictures);
}

void TAbout_Form::ShowModal(HWND owner) {
    SetWindowLongPtrA(Hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    Closed = false;
    RunModal(Hwnd, owner, Closed);
}

void TAbout_Form::FormActivate() {
    LoadStrings();
}

bool TAbout_Form::LoadStrings() {
    const std::vector<std::string>& keys = AboutFormCaptionKeys(); // WINDOWTITLE, MAINTITLE, HELPTITLE
    SetWindowTextA(Hwnd, ReadLanguageKey("ABOUTFORM", keys[0], LanguageName).c_str());
    MainText = ReadLanguageKey("ABOUTFORM", keys[1], LanguageName);
    LabelText = ReadLanguageKey("ABOUTFORM", keys[2], LanguageName);
    InvalidateRect(Hwnd, nullptr, TRUE);
    return true;
}

void TAbout_Form::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd, &paint);
    RECT area;
    GetClientRect(Hwnd, &area);
    SetBkMode(dc, TRANSPARENT);

    RECT header{0, 0, area.right, 70};
    FillRect(dc, &header, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawPicture(dc, Logo, 10, 7);
    HGDIOBJ old = SelectObject(dc, UiHeaderFont());
    RECT title{170, 14, area.right - 10, 36};
    DrawTextA(dc, MainText.c_str(), -1, &title, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, UiFont());
    RECT help{170, 38, area.right - 10, 66};
    DrawTextA(dc, LabelText.c_str(), -1, &help, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
    RECT edge{0, 70, area.right, 71};
    FillRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));

    // One block per subject: its picture at the left, its lines beside it, a separator under it.
    auto block = [&](int top, int picture, const TAboutLine* lines, size_t count) {
        DrawPictureCell(dc, Pictures, 32, picture, 24, top);
        int y = top;
        for (size_t i = 0; i < count; ++i) {
            SelectObject(dc, lines[i].Bold ? UiBoldFont() : UiSmallFont());
            RECT line{72, y, area.right - 20, y + 18};
            DrawTextA(dc, lines[i].Text, -1, &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            y += lines[i].Bold ? 20 : 16;
        }
        RECT separator{20, y + 8, area.right - 20, y + 9};
        FillRect(dc, &separator, GetSysColorBrush(COLOR_BTNSHADOW));
        return y + 18;
    };
    int y = block(88, 0, ProductLines, std::size(ProductLines));
    y = block(y, 1, MakerLines, std::size(MakerLines));
    block(y, 2, ReadMoreLines, std::size(ReadMoreLines));

    SelectObject(dc, UiSmallFont());
    RECT rights{10, area.bottom - 24, area.right - 12, area.bottom - 6};
    DrawTextA(dc, RightsNotice, -1, &rights, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(Hwnd, &paint);
}

LRESULT TAbout_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            FormActivate();
        break;
    case WM_COMMAND:
        // Escape closes it, as the close box does.
        if (LOWORD(wParam) != IDCANCEL)
            break;
        [[fallthrough]];
    case WM_CLOSE:
        // Kept for the next opening: closing only hides it.
        Closed = true;
        ShowWindow(Hwnd, SW_HIDE);
        return 0;
    }
    return Default(message, wParam, lParam);
}
