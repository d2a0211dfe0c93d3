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
    CreateHandle("TAbout_Form", WS_EX_DLGMODALFRAME, WS_POPUP | WS_CAPTION | WS_SYSMENU, "", 0, 0, Width, Height,
                 owner);
}

TAbout_Form::~TAbout_Form() = default;

void TAbout_Form::ShowModal(HWND owner) {
    SetWindowLongPtrA(Hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (!IsWindowVisible(Hwnd)) {
        SetClientSize(Hwnd, S(Width), S(Height));
        CentreOnDesktop(Hwnd);
    }
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

    const UINT dpi = Dpi();
    RECT header{0, 0, area.right, S(70)};
    FillRect(dc, &header, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawPicture(dc, Logo.For(dpi), S(10), S(7));
    HGDIOBJ old = SelectObject(dc, UiFont(TFontKind::Header, dpi));
    RECT title{S(170), S(14), area.right - S(10), S(36)};
    DrawTextA(dc, MainText.c_str(), -1, &title, DT_LEFT | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, UiFont(dpi));
    RECT help{S(170), S(38), area.right - S(10), S(66)};
    DrawTextA(dc, LabelText.c_str(), -1, &help, DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS | DT_NOPREFIX);
    RECT edge{0, S(70), area.right, S(71)};
    FillRect(dc, &edge, GetSysColorBrush(COLOR_BTNSHADOW));

    // One block per subject: its picture at the left, its lines beside it, a separator under it.
    HBITMAP pictures = Pictures.For(dpi);
    const int cell = PictureSize(pictures).cy; // the pictures are square
    auto block = [&](int top, int picture, const TAboutLine* lines, size_t count) {
        DrawPictureCell(dc, pictures, cell, picture, S(24), top);
        int y = top;
        for (size_t i = 0; i < count; ++i) {
            SelectObject(dc, UiFont(lines[i].Bold ? TFontKind::Bold : TFontKind::Small, dpi));
            RECT line{S(72), y, area.right - S(20), y + S(18)};
            DrawTextA(dc, lines[i].Text, -1, &line, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
            y += S(lines[i].Bold ? 20 : 16);
        }
        RECT separator{S(20), y + S(8), area.right - S(20), y + S(9)};
        FillRect(dc, &separator, GetSysColorBrush(COLOR_BTNSHADOW));
        return y + S(18);
    };
    int y = block(S(88), 0, ProductLines, std::size(ProductLines));
    y = block(y, 1, MakerLines, std::size(MakerLines));
    block(y, 2, ReadMoreLines, std::size(ReadMoreLines));

    SelectObject(dc, UiFont(TFontKind::Small, dpi));
    RECT rights{S(10), area.bottom - S(24), area.right - S(12), area.bottom - S(6)};
    DrawTextA(dc, RightsNotice, -1, &rights, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(Hwnd, &paint);
}

LRESULT TAbout_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Hwnd, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetClientSize(Hwnd, S(Width), S(Height));
        InvalidateRect(Hwnd, nullptr, TRUE);
        return 0;
    }
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
