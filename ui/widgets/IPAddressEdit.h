// The four-field IP address entry: the system's IP address control, with our conversion of a text set into it,
// its text read back as dotted decimal, empty fields shown as 0 when the focus leaves it, and Tab and Shift+Tab
// moving between its fields before they move on to the neighbouring controls.
#pragma once

#include <windows.h>

#include <array>
#include <string>

class TIPAddressEdit {
public:
    void Create(HWND parent, int x, int y, int width, int height, int id);
    HWND Handle() const { return Control; }

    // Shows the four numbers of ConvertIPAddressText(text); an empty text shows as 0.0.0.0.
    void SetText(const std::string& text);
    // The four fields as "%d.%d.%d.%d"; a field left empty reads as 0.
    std::string Text() const;

    // The edit of field 0 to 3, left to right.
    HWND Field(int index) const;

private:
    HWND Control = nullptr;
};
