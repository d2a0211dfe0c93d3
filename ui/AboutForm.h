// The about window: name and version, the maker, where to read more, and the rights notice. Created once, kept.
#pragma once

#include "resources/resource.h"
#include "ui/Graphics.h"
#include "ui/Window.h"

class TAbout_Form : public TWindow {
public:
    TAbout_Form();
    ~TAbout_Form() override;

    // Shows the window modally over the owner; closing it only hides it.
    void ShowModal(HWND owner);

    void FormActivate();
    bool LoadStrings();

    std::string MainText;
    std::string LabelText;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static constexpr int Width = 525; // client area at 96 DPI
    static constexpr int Height = 397;
    void Paint();
    TDpiPicture Logo{IDB_LOGO144X55};
    TDpiPicture Pictures{IDB_ABOUT32};
    bool Closed = false;
};
