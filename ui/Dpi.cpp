// The display scale. The functions of later systems are looked up at run time: Norvex still starts on Windows 7.
#include "ui/Dpi.h"

#include <cstddef>
#include <cstring>

namespace {

template <typename Function> Function SystemFunction(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

} // namespace

UINT SystemDpi() {
    static const UINT dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? static_cast<UINT>(value) : 96u;
    }();
    return dpi;
}

UINT WindowDpi(HWND window) {
    static const auto getDpiForWindow = SystemFunction<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0)
            return dpi;
    }
    return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto adjust = SystemFunction<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (adjust == nullptr || !adjust(&rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

LOGFONTA MessageFontForDpi(UINT dpi) {
    static const auto forDpi = SystemFunction<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    NONCLIENTMETRICSW wide{};
    wide.cbSize = sizeof wide;
    if (forDpi != nullptr && forDpi(SPI_GETNONCLIENTMETRICS, sizeof wide, &wide, 0, dpi)) {
        // The one wide structure of the program: this function has no ANSI form.
        const LOGFONTW& w = wide.lfMessageFont;
        LOGFONTA font{};
        std::memcpy(&font, &w, offsetof(LOGFONTA, lfFaceName));
        WideCharToMultiByte(CP_ACP, 0, w.lfFaceName, -1, font.lfFaceName, LF_FACESIZE, nullptr, nullptr);
        return font;
    }
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    // The system gives the font for its own DPI.
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTA font = metrics.lfMessageFont;
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
    return font;
}
