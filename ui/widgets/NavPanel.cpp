// The navigation pane: layout, drawing, page buttons, hints and the grip.
#include "ui/widgets/NavPanel.h"

#include "ui/Graphics.h"

#include <windowsx.h>

void TNavPanel::Create(HWND parent) {
    RegisterWindowClass("TJvNavigationPane", nullptr);
    CreateHandle("TJvNavigationPane", 0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, "", 0, 0, 100, 100,
                 parent);
    Tips = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                           Hwnd, nullptr, ProgramInstance(), nullptr);
}

void TNavPanel::SetImageLists(TPictureList large, TPictureList small) {
    Large = large;
    Small = small;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

int TNavPanel::AddPage(std::function<HWND()> makeContent) {
    Page page;
    page.MakeContent = std::move(makeContent);
    Pages.push_back(page);
    int index = static_cast<int>(Pages.size()) - 1;
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = Hwnd;
    tool.uId = static_cast<UINT_PTR>(index);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(Tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    if (Active < 0)
        Active = index;
    Layout();
    return index;
}

void TNavPanel::SetPageCaption(int page, const std::string& caption) {
    Pages[static_cast<size_t>(page)].Caption = caption;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TNavPanel::SetPageHint(int page, const std::string& hint) {
    Pages[static_cast<size_t>(page)].Hint = hint;
    UpdateTips();
}

void TNavPanel::SetPageImage(int page, int image) {
    Pages[static_cast<size_t>(page)].Image = image;
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TNavPanel::SetPageIconic(int page, bool iconic) {
    Pages[static_cast<size_t>(page)].Iconic = iconic;
    Layout();
}

void TNavPanel::SetActivePage(int page) {
    if (page < 0 || page >= static_cast<int>(Pages.size()))
        return;
    const bool changed = page != Active;
    Active = page;
    Focused = page;
    // A page is made when it is first made active, also before the window appears: a start makes only the page
    // it shows. Laid out also when it was active already.
    Page& shown = Pages[static_cast<size_t>(page)];
    if (shown.Content == nullptr && shown.MakeContent)
        shown.Content = shown.MakeContent();
    Layout();
    if (changed && OnPageChange)
        OnPageChange();
}

void TNavPanel::Layout() {
    if (Hwnd == nullptr)
        return;
    RECT area;
    GetClientRect(Hwnd, &area);
    int width = area.right;
    int bottom = area.bottom;
    int large = 0;
    int iconic = 0;
    for (const Page& page : Pages)
        (page.Iconic ? iconic : large)++;
    // From the bottom up: the strip of small buttons, the large buttons, the grip, then the page itself.
    int stripTop = iconic > 0 ? bottom - S(StripHeight) : bottom;
    int buttonsTop = stripTop - large * S(ButtonHeight);
    Grip = {0, buttonsTop - S(GripHeight), width, buttonsTop};
    int y = buttonsTop;
    int x = S(4);
    for (Page& page : Pages) {
        if (page.Iconic) {
            page.Button = {x, stripTop + S(3), x + S(28), stripTop + S(StripHeight) - S(3)};
            x += S(30);
        } else {
            page.Button = {0, y, width, y + S(ButtonHeight)};
            y += S(ButtonHeight);
        }
    }
    for (size_t i = 0; i < Pages.size(); ++i) {
        HWND content = Pages[i].Content;
        if (content == nullptr)
            continue;
        if (static_cast<int>(i) == Active) {
            int contentHeight = Grip.top - S(HeaderHeight);
            SetWindowPos(content, nullptr, 0, S(HeaderHeight), width, contentHeight > 0 ? contentHeight : 0,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            ShowWindow(content, SW_SHOW);
        } else {
            ShowWindow(content, SW_HIDE);
        }
    }
    UpdateTips();
    InvalidateRect(Hwnd, nullptr, TRUE);
}

void TNavPanel::UpdateTips() {
    if (Tips == nullptr)
        return;
    for (size_t i = 0; i < Pages.size(); ++i) {
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = Hwnd;
        tool.uId = i;
        tool.rect = Pages[i].Button;
        tool.lpszText = const_cast<char*>(Pages[i].Hint.c_str());
        SendMessageA(Tips, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
        SendMessageA(Tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

int TNavPanel::PageAt(POINT point) const {
    for (size_t i = 0; i < Pages.size(); ++i)
        if (PtInRect(&Pages[i].Button, point))
            return static_cast<int>(i);
    return -1;
}

void TNavPanel::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(Hwnd, &paint);
    const UINT dpi = Dpi();
    HIMAGELIST large = PictureList(Large, dpi);
    HIMAGELIST small = PictureList(Small, dpi);
    RECT area;
    GetClientRect(Hwnd, &area);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    HBRUSH faceBrush = CreateSolidBrush(face);
    HBRUSH hotBrush = CreateSolidBrush(RGB(255, 236, 181));
    HBRUSH activeBrush = CreateSolidBrush(RGB(255, 208, 120));
    HPEN shadowPen = CreatePen(PS_SOLID, 1, shadow);
    HGDIOBJ oldPen = SelectObject(dc, shadowPen);
    SetBkMode(dc, TRANSPARENT);

    // Header: the active page's picture and caption.
    RECT header{0, 0, area.right, S(HeaderHeight)};
    HBRUSH headerBrush = CreateSolidBrush(GetSysColor(COLOR_ACTIVECAPTION));
    FillRect(dc, &header, headerBrush);
    DeleteObject(headerBrush);
    if (Active >= 0) {
        const Page& page = Pages[static_cast<size_t>(Active)];
        DrawListImage(large, page.Image, dc, S(4), (S(HeaderHeight) - S(20)) / 2);
        HGDIOBJ oldFont = SelectObject(dc, UiFont(TFontKind::Header, dpi));
        SetTextColor(dc, GetSysColor(COLOR_CAPTIONTEXT));
        RECT text{S(34), 0, area.right - S(4), S(HeaderHeight)};
        DrawTextA(dc, page.Caption.c_str(), -1, &text,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        SelectObject(dc, oldFont);
    }

    // Grip, large buttons and the strip.
    RECT below{0, Grip.top, area.right, area.bottom};
    FillRect(dc, &below, faceBrush);
    for (int dot = -2; dot <= 2; ++dot) {
        RECT point{area.right / 2 + dot * S(4), Grip.top + S(2), area.right / 2 + dot * S(4) + S(2), Grip.top + S(4)};
        FillRect(dc, &point, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    }
    HGDIOBJ oldFont = SelectObject(dc, UiFont(TFontKind::Bold, dpi));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    for (size_t i = 0; i < Pages.size(); ++i) {
        const Page& page = Pages[i];
        RECT button = page.Button;
        bool active = static_cast<int>(i) == Active;
        if (active || static_cast<int>(i) == Hot)
            FillRect(dc, &button, active ? activeBrush : hotBrush);
        if (page.Iconic) {
            DrawListImage(small, page.Image, dc, button.left + S(6),
                          button.top + (button.bottom - button.top - S(16)) / 2);
        } else {
            MoveToEx(dc, button.left, button.top, nullptr);
            LineTo(dc, button.right, button.top);
            DrawListImage(large, page.Image, dc, button.left + S(6), button.top + (S(ButtonHeight) - S(20)) / 2);
            RECT text{button.left + S(38), button.top, button.right - S(4), button.bottom};
            DrawTextA(dc, page.Caption.c_str(), -1, &text,
                      DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }
    SelectObject(dc, oldFont);
    if (GetFocus() == Hwnd && Focused >= 0 && Focused < static_cast<int>(Pages.size())) {
        RECT focus = Pages[static_cast<size_t>(Focused)].Button;
        InflateRect(&focus, -S(2), -S(2));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawFocusRect(dc, &focus);
    }
    MoveToEx(dc, 0, Grip.top, nullptr);
    LineTo(dc, area.right, Grip.top);
    SelectObject(dc, oldPen);
    DeleteObject(shadowPen);
    DeleteObject(faceBrush);
    DeleteObject(hotBrush);
    DeleteObject(activeBrush);
    EndPaint(Hwnd, &paint);
}

int TNavPanel::ChromeHeight() const {
    int large = 0;
    int iconic = 0;
    for (const Page& page : Pages)
        (page.Iconic ? iconic : large)++;
    return S(HeaderHeight) + S(GripHeight) + large * S(ButtonHeight) + (iconic > 0 ? S(StripHeight) : 0);
}

// Dragging the grip up by a button's height shows one more page as a large button; down, one fewer.
void TNavPanel::DragGrip(int y) {
    RECT area;
    GetClientRect(Hwnd, &area);
    const bool roomForOneMore = area.bottom - ChromeHeight() - S(ButtonHeight) >= MinPageHeight;
    if (y < Grip.top - S(ButtonHeight) / 2 && roomForOneMore) {
        for (Page& page : Pages)
            if (page.Iconic) {
                page.Iconic = false;
                Layout();
                return;
            }
    } else if (y > Grip.bottom + S(ButtonHeight) / 2) {
        for (auto page = Pages.rbegin(); page != Pages.rend(); ++page)
            if (!page->Iconic) {
                page->Iconic = true;
                Layout();
                return;
            }
    }
}

void TNavPanel::MoveKeyboardFocus(int step) {
    const int count = static_cast<int>(Pages.size());
    if (count == 0)
        return;
    Focused = (Focused + step + count) % count;
    InvalidateRect(Hwnd, nullptr, FALSE);
}

LRESULT TNavPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE: {
        // The arrows move between the buttons; Enter opens one instead of going to the window's default command.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        const bool enter = key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
        return DLGC_WANTARROWS | DLGC_WANTCHARS | (enter ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_LEFT)
            MoveKeyboardFocus(-1);
        else if (wParam == VK_DOWN || wParam == VK_RIGHT)
            MoveKeyboardFocus(1);
        else if (wParam == VK_RETURN || wParam == VK_SPACE)
            SetActivePage(Focused);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(Hwnd, nullptr, FALSE);
        break;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETCURSOR: {
        POINT point;
        GetCursorPos(&point);
        ScreenToClient(Hwnd, &point);
        if (PtInRect(&Grip, point)) {
            SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENS)));
            return TRUE;
        }
        break;
    }
    case WM_MOUSEMOVE: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (DraggingGrip) {
            DragGrip(point.y);
            return 0;
        }
        int hot = PageAt(point);
        if (hot != Hot) {
            Hot = hot;
            InvalidateRect(Hwnd, nullptr, FALSE);
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Hwnd, 0};
            TrackMouseEvent(&track);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        Hot = -1;
        InvalidateRect(Hwnd, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN: {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (PtInRect(&Grip, point)) {
            DraggingGrip = true;
            SetCapture(Hwnd);
            return 0;
        }
        int page = PageAt(point);
        if (page >= 0)
            SetActivePage(page);
        return 0;
    }
    case WM_LBUTTONUP:
        if (DraggingGrip) {
            DraggingGrip = false;
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        DraggingGrip = false;
        return 0;
    case WM_NOTIFY:
    case WM_COMMAND:
        // The pages' controls report to their page's window; anything that reaches the pane goes up.
        return SendMessageA(GetParent(Hwnd), message, wParam, lParam);
    }
    return Default(message, wParam, lParam);
}
