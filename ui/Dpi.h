// The display scale of the program's windows. Norvex is aware of each monitor's DPI: every size of the program is
// given for 96 DPI (100%) and scaled to the DPI of the monitor its window is on.
#pragma once

#include <windows.h>

UINT SystemDpi();
// The DPI of the monitor the window is on; the system's where Windows cannot tell (before Windows 10).
UINT WindowDpi(HWND window);

// A length given for 96 DPI, at `dpi`, and back.
inline int Scaled(int length96, UINT dpi) {
    return MulDiv(length96, static_cast<int>(dpi), 96);
}
inline int Unscaled(int length, UINT dpi) {
    return MulDiv(length, 96, static_cast<int>(dpi));
}

// Which of the drawn sizes of the pictures suits a DPI: 100, 150 or 200 (per cent).
inline int PictureScale(UINT dpi) {
    return dpi >= 192 ? 200 : dpi >= 144 ? 150 : 100;
}

// AdjustWindowRectEx at the DPI given (Windows 10), or at the system's.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);

// The system's message font at a DPI.
LOGFONTA MessageFontForDpi(UINT dpi);
