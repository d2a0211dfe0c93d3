// The divider bar.
#include "ui/widgets/NavDivider.h"

#include "ui/Graphics.h"

#include <windowsx.h>

void TNavDivider::Create(HWND parent, bool draggable) {
    Draggable = draggable;
    RegisterWindowClass("TJvNavDivider", nullptr);
    // A caption set before the bar was made (a page made when it is first shown) is its text from the start.
    CreateHandle("TJvNavDivider", 0, WS_CHILD | WS_VISIBLE, Text, 0, 0, 100, Height, parent);
}

void TNavDivider::SetCaption(const std::string& caption) {
    Text = caption;
    // Before the bar is made the caption is only kept: a null window would stand for the whole desktop.
    if (Hwnd == nullptr)
        return;
    SetWindowTextA(Hwnd, caption.c_str());
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TNavDivider::SetNote(const std::string& note) {
    if (note == NoteText)
        return;
    NoteText = note;
    if (Hwnd != nullptr)
        InvalidateRect(Hwnd, nullptr, TRUE);
}

void TNavDivider::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd, &paint);
    RECT area;
    GetClientRect(Hwnd, &area);
    // A light band in the colours of the system's captions, so it follows the user's theme.
    TRIVERTEX vertices[2] = {};
    COLORREF top = GetSysColor(COLOR_WINDOW);
    COLORREF bottom = GetSysColor(COLOR_BTNFACE);
    vertices[0] = {area.left,
                   area.top,
                   static_cast<COLOR16>(GetRValue(top) << 8),
                   static_cast<COLOR16>(GetGValue(top) << 8),
                   static_cast<COLOR16>(GetBValue(top) << 8),
                   0};
    vertices[1] = {area.right,
                   area.bottom,
                   static_cast<COLOR16>(GetRValue(bottom) << 8),
                   static_cast<COLOR16>(GetGValue(bottom) << 8),
                   static_cast<COLOR16>(GetBValue(bottom) << 8),
                   0};
    GRADIENT_RECT gradient{0, 1};
    GdiGradientFill(dc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
    HPEN line = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    HGDIOBJ oldPen = SelectObject(dc, line);
    MoveToEx(dc, area.left, area.bottom - 1, nullptr);
    LineTo(dc, area.right, area.bottom - 1);
    SelectObject(dc, oldPen);
    DeleteObject(line);
    HGDIOBJ oldFont = SelectObject(dc, UiFont(TFontKind::Bold, Dpi()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHT));
    RECT text = area;
    text.left += S(6);
    DrawTextA(dc, Text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    if (!NoteText.empty()) {
        // After the caption: the warning sign and the note, in the window's text colour.
        SIZE caption{};
        GetTextExtentPoint32A(dc, Text.c_str(), static_cast<int>(Text.size()), &caption);
        const int icon = S(16);
        const int left = text.left + caption.cx + S(8);
        DrawIconEx(dc, left, (area.bottom - icon) / 2, LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_WARNING)), icon,
                   icon, 0, nullptr, DI_NORMAL);
        SelectObject(dc, UiFont(TFontKind::Normal, Dpi()));
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        RECT note{left + icon + S(4), area.top, area.right - S(4), area.bottom};
        DrawTextA(dc, NoteText.c_str(), -1, &note,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
    SelectObject(dc, oldFont);
    EndPaint(Hwnd, &paint);
}

LRESULT TNavDivider::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR:
        if (Draggable) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENS)));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        if (Draggable) {
            Dragging = true;
            DragStartY = GET_Y_LPARAM(lParam);
            SetCapture(Hwnd);
        }
        return 0;
    case WM_MOUSEMOVE:
        if (Dragging && OnMoved) {
            int moved = GET_Y_LPARAM(lParam) - DragStartY;
            if (moved != 0)
                OnMoved(moved);
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (Dragging) {
            Dragging = false;
            if (message == WM_LBUTTONUP)
                ReleaseCapture();
        }
        return 0;
    }
    return Default(message, wParam, lParam);
}
