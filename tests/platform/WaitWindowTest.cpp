// The wait window shown while a child program runs (Windows only: elsewhere it shows nothing).
#include "platform/Platform.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

#ifdef _WIN32

HWND FindWaitWindow() {
    return FindWindowA("NorvexWaitWindow", "Applying profile");
}

TEST(WaitWindow, IsACentredWindowWithoutTitleBarButtonsAroundItsMessage) {
    {
        platform::WaitWindow wait("Applying profile", "Please wait.");
        HWND window = FindWaitWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(IsWindowVisible(window));

        RECT bounds;
        GetWindowRect(window, &bounds);
        EXPECT_EQ(bounds.right - bounds.left, 250);
        EXPECT_EQ(bounds.bottom - bounds.top, 125);
        EXPECT_EQ(bounds.left, (GetSystemMetrics(SM_CXSCREEN) - 250) / 2);
        EXPECT_EQ(bounds.top, (GetSystemMetrics(SM_CYSCREEN) - 125) / 2);

        LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_EQ(style & (WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);

        HWND textBox = FindWindowExA(window, nullptr, "Static", nullptr);
        ASSERT_NE(textBox, nullptr);
        EXPECT_TRUE(IsWindowVisible(textBox));
        char text[64] = "";
        GetWindowTextA(textBox, text, sizeof text);
        EXPECT_STREQ(text, "Please wait.");
        // Word-wrapped, and an "&" shows as itself.
        EXPECT_EQ(GetWindowLongA(textBox, GWL_STYLE) & (SS_TYPEMASK | SS_NOPREFIX), SS_LEFT | SS_NOPREFIX);
        RECT client;
        RECT box;
        GetClientRect(window, &client);
        GetClientRect(textBox, &box);
        EXPECT_EQ(box.right, client.right);
        EXPECT_EQ(box.bottom, client.bottom);
    }
    EXPECT_EQ(FindWaitWindow(), nullptr);
}

TEST(WaitWindow, ShowsTheHourglassOverTheWholeWindow) {
    platform::WaitWindow wait("Applying profile", "Please wait.");
    HWND window = FindWaitWindow();
    ASSERT_NE(window, nullptr);
    HWND textBox = FindWindowExA(window, nullptr, "Static", nullptr);
    ASSERT_NE(textBox, nullptr);
    SetCursor(nullptr);
    SendMessageA(textBox, WM_SETCURSOR, reinterpret_cast<WPARAM>(textBox), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

TEST(WaitWindow, IsOwnedByTheMainWindow) {
    HWND main =
        CreateWindowA("STATIC", "main", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(main, nullptr);
    platform::SetMainWindow(main);
    {
        platform::WaitWindow wait("Applying profile", "Please wait.");
        EXPECT_EQ(GetWindow(FindWaitWindow(), GW_OWNER), main);
    }
    platform::SetMainWindow(nullptr);
    DestroyWindow(main);
}

#endif

} // namespace
