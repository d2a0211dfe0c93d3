// The navigation pane: one page shown at a time under a header, the other pages offered as large buttons with
// caption and picture or, when iconic, as small picture buttons in a strip at the bottom. A grip above the
// large buttons moves pages between the two kinds. From the keyboard, Up and Down move a focus rectangle between
// the page buttons and Enter or Space opens the page under it.
#pragma once

#include "ui/Graphics.h"
#include "ui/Window.h"

#include <commctrl.h>

#include <functional>
#include <vector>

class TNavPanel : public TWindow {
public:
    void Create(HWND parent);
    void SetImageLists(TPictureList large, TPictureList small);

    // A page shows a child window of the pane that `makeContent` makes when the page is first shown: pages that are
    // never opened cost nothing. Returns the page's index.
    int AddPage(std::function<HWND()> makeContent);
    // The page's window, or null while it was never shown.
    HWND PageContent(int page) const { return Pages[static_cast<size_t>(page)].Content; }

    void SetPageCaption(int page, const std::string& caption);
    void SetPageHint(int page, const std::string& hint);
    void SetPageImage(int page, int image);
    void SetPageIconic(int page, bool iconic);
    std::string PageCaption(int page) const { return Pages[static_cast<size_t>(page)].Caption; }
    std::string PageHint(int page) const { return Pages[static_cast<size_t>(page)].Hint; }
    int PageImage(int page) const { return Pages[static_cast<size_t>(page)].Image; }
    bool PageIconic(int page) const { return Pages[static_cast<size_t>(page)].Iconic; }

    // Makes the page active; raises OnPageChange when the active page changes.
    void SetActivePage(int page);
    int ActivePage() const { return Active; }

    std::function<void()> OnPageChange;

    // The height the pane takes besides its page: the header, the grip, the large buttons and the strip.
    int ChromeHeight() const;
    // The grip gives a page a large button only while the page keeps at least this height.
    int MinPageHeight = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Page {
        std::string Caption;
        std::string Hint;
        int Image = 0;
        bool Iconic = false;
        std::function<HWND()> MakeContent;
        HWND Content = nullptr;
        RECT Button{};
    };
    // At 96 DPI.
    static constexpr int HeaderHeight = 28;
    static constexpr int ButtonHeight = 30;
    static constexpr int StripHeight = 30;
    static constexpr int GripHeight = 7;

    void Layout();
    void Paint();
    int PageAt(POINT point) const;
    void UpdateTips();
    void DragGrip(int y);

    void MoveKeyboardFocus(int step);

    std::vector<Page> Pages;
    int Active = -1;
    int Focused = 0; // the page button under the focus rectangle
    int Hot = -1;
    TPictureList Large = TPictureList::Panels24x20;
    TPictureList Small = TPictureList::Panels16;
    HWND Tips = nullptr;
    RECT Grip{};
    bool DraggingGrip = false;
};
