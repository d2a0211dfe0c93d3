// The IP address entry. The field handling lives in a subclass of the control's four edits that keeps no state
// of its own, so it is safe whatever order the windows and this object go in.
#include "ui/widgets/IPAddressEdit.h"

#include "ui/Graphics.h"
#include "ui/Window.h"
#include "ui/rules/IPAddressText.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr UINT_PTR FieldSubclassId = 0x4950;   // "IP"
constexpr UINT_PTR ControlSubclassId = 0x4951; // the control itself

// The four edits of an IP address control, left to right.
std::vector<HWND> FieldsOf(HWND control) {
    std::vector<HWND> fields;
    for (HWND child = GetWindow(control, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        fields.push_back(child);
    std::sort(fields.begin(), fields.end(), [](HWND a, HWND b) {
        RECT ra;
        RECT rb;
        GetWindowRect(a, &ra);
        GetWindowRect(b, &rb);
        return ra.left < rb.left;
    });
    return fields;
}

int FieldIndex(const std::vector<HWND>& fields, HWND field) {
    auto found = std::find(fields.begin(), fields.end(), field);
    return found == fields.end() ? -1 : static_cast<int>(found - fields.begin());
}

bool IsIPAddressControl(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, WC_IPADDRESSA) == 0;
}

// Tab from field `index`: the next field, or past the last one the dialog's next control (Shift: previous).
void MoveFocus(HWND control, const std::vector<HWND>& fields, int index, bool backwards) {
    const int next = backwards ? index - 1 : index + 1;
    if (next >= 0 && next < static_cast<int>(fields.size())) {
        SetFocus(fields[static_cast<size_t>(next)]); // selects its text, see WM_SETFOCUS
        return;
    }
    HWND neighbour = GetNextDlgTabItem(GetAncestor(control, GA_ROOT), control, backwards ? TRUE : FALSE);
    if (neighbour == nullptr || neighbour == control || IsChild(control, neighbour))
        return;
    if (IsIPAddressControl(neighbour)) {
        std::vector<HWND> its = FieldsOf(neighbour);
        if (!its.empty())
            SetFocus(backwards ? its.back() : its.front());
        return;
    }
    SetFocus(neighbour);
    if ((SendMessageA(neighbour, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
        SendMessageA(neighbour, EM_SETSEL, 0, -1);
}

// When the focus leaves the entry holding at least one number, every field is set again from the address.
void CompleteFields(HWND control) {
    if (SendMessageA(control, IPM_ISBLANK, 0, 0) != 0)
        return;
    DWORD address = 0;
    SendMessageA(control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    SendMessageA(control, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}

bool IsTab(const MSG* message) {
    return message != nullptr && (message->message == WM_KEYDOWN || message->message == WM_CHAR) &&
           message->wParam == VK_TAB;
}

LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR);

LRESULT HandleFieldMessage(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND control = GetParent(field);
    switch (message) {
    case WM_GETDLGCODE:
        // Tab stays with us: the dialog would otherwise jump out of the entry from any field.
        if (IsTab(reinterpret_cast<const MSG*>(lParam)))
            return DefSubclassProc(field, message, wParam, lParam) | DLGC_WANTTAB;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            std::vector<HWND> fields = FieldsOf(control);
            MoveFocus(control, fields, FieldIndex(fields, field), GetKeyState(VK_SHIFT) < 0);
            return 0;
        }
        break;
    case WM_CHAR: {
        if (wParam == '\t')
            return 0;
        // A dot or blank after a number moves on (not in a field just moved into, whose text is selected). The
        // control itself also asks that the caret is not at the start, where it puts the caret when it has cut a
        // number above 255 down: the rest of the address was then typed into nothing.
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        if ((wParam == '.' || wParam == ' ') && GetWindowTextLengthA(field) > 0 && start == end) {
            std::vector<HWND> fields = FieldsOf(control);
            const int index = FieldIndex(fields, field);
            if (index >= 0 && index + 1 < static_cast<int>(fields.size()))
                SetFocus(fields[static_cast<size_t>(index) + 1]);
            return 0;
        }
        break;
    }
    case WM_SETFOCUS: {
        // Whoever moves into a field (Tab, the control's own move after three digits or a dot), its text is
        // selected, so that typing replaces the 0 an empty value shows.
        LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        SendMessageA(field, EM_SETSEL, 0, -1);
        return result;
    }
    case WM_KILLFOCUS: {
        LRESULT result = DefSubclassProc(field, message, wParam, lParam);
        auto next = reinterpret_cast<HWND>(wParam);
        if (next == nullptr || GetParent(next) != control)
            CompleteFields(control);
        return result;
    }
    case WM_NCDESTROY:
        RemoveWindowSubclass(field, FieldProc, FieldSubclassId);
        break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

LRESULT CALLBACK FieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return CallGuarded([&] { return HandleFieldMessage(field, message, wParam, lParam); });
}

// The dots between the fields, drawn again over what the control painted: in the fields' font and the text colour,
// on the line of their text (some systems draw them in another font at the bottom edge).
void DrawDots(HWND control) {
    std::vector<HWND> fields = FieldsOf(control);
    if (fields.size() != 4)
        return;
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(fields[0], WM_GETFONT, 0, 0)));
    const bool enabled = IsWindowEnabled(control) != FALSE;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    RECT client;
    GetClientRect(control, &client);
    for (size_t i = 0; i + 1 < fields.size(); ++i) {
        RECT left;
        RECT right;
        GetWindowRect(fields[i], &left);
        GetWindowRect(fields[i + 1], &right);
        MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&left), 2);
        MapWindowPoints(nullptr, control, reinterpret_cast<POINT*>(&right), 2);
        RECT gap{left.right, client.top + 2, right.left, client.bottom - 2};
        FillRect(dc, &gap, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
        RECT line{left.right, left.top, right.left, left.bottom};
        DrawTextA(dc, ".", 1, &line, DT_SINGLELINE | DT_CENTER | DT_TOP | DT_NOPREFIX);
    }
    SelectObject(dc, old);
    ReleaseDC(control, dc);
}

LRESULT CALLBACK ControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return CallGuarded([&]() -> LRESULT {
        // The control puts its fields' own window procedures back when it goes (under Wine at least), past the
        // subclass of each field, which then never sees its end: the subclass goes first, or its record stays in
        // memory with every dialog that had the entry.
        if (message == WM_DESTROY)
            for (HWND field : FieldsOf(control))
                RemoveWindowSubclass(field, FieldProc, FieldSubclassId);
        if (message == WM_NCDESTROY)
            RemoveWindowSubclass(control, ControlProc, ControlSubclassId);
        const LRESULT result = DefSubclassProc(control, message, wParam, lParam);
        if (message == WM_PAINT || message == WM_ENABLE)
            DrawDots(control);
        return result;
    });
}

} // namespace

void TIPAddressEdit::Create(HWND parent, int x, int y, int width, int height, int id) {
    // Under Wine each IP address control keeps a font of its own when it goes: the IP address dialog's two keep about
    // 300 bytes per opening. A plain window with two such controls keeps them as well: not ours to mend.
    Control = CreateWindowExA(0, WC_IPADDRESSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, x, y, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ProgramInstance(), nullptr);
    SendMessageA(Control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(96)), FALSE); // the dialog gives it its DPI
    SetWindowSubclass(Control, ControlProc, ControlSubclassId, 0);
    for (HWND field : FieldsOf(Control)) {
        SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont(96)), FALSE); // the dialog gives it its DPI
        SetWindowSubclass(field, FieldProc, FieldSubclassId, 0);
    }
}

void TIPAddressEdit::SetText(const std::string& text) {
    int octets[4] = {0, 0, 0, 0};
    std::sscanf(ConvertIPAddressText(text).c_str(), "%d.%d.%d.%d", &octets[0], &octets[1], &octets[2], &octets[3]);
    SendMessageA(Control, IPM_SETADDRESS, 0, MAKEIPADDRESS(octets[0], octets[1], octets[2], octets[3]));
}

std::string TIPAddressEdit::Text() const {
    DWORD address = 0;
    SendMessageA(Control, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%d.%d.%d.%d", static_cast<int>(FIRST_IPADDRESS(address)),
                  static_cast<int>(SECOND_IPADDRESS(address)), static_cast<int>(THIRD_IPADDRESS(address)),
                  static_cast<int>(FOURTH_IPADDRESS(address)));
    return buffer;
}

HWND TIPAddressEdit::Field(int index) const {
    std::vector<HWND> fields = FieldsOf(Control);
    return index >= 0 && index < static_cast<int>(fields.size()) ? fields[static_cast<size_t>(index)] : nullptr;
}
