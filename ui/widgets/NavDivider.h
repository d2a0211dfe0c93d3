// The divider bar: a captioned band across a page that the user can drag to give the list above more or less room.
#pragma once

#include "ui/Window.h"

#include <functional>

class TNavDivider : public TWindow {
public:
    static constexpr int Height = 22; // at 96 DPI
    int BarHeight() const { return S(Height); }

    void Create(HWND parent, bool draggable);
    void SetCaption(const std::string& caption);
    std::string Caption() const { return Text; }
    // A warning after the caption, with the system's warning sign; empty for none.
    void SetNote(const std::string& note);
    std::string Note() const { return NoteText; }

    // Told with the distance the bar was dragged, in pixels (positive: downwards).
    std::function<void(int)> OnMoved;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    std::string Text;
    std::string NoteText;
    bool Draggable = false;
    bool Dragging = false;
    int DragStartY = 0;
};
