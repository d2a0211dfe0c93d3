// Fonts, the main window's image lists and the pictures of the program, shared by every window; each at the DPI
// of the window that shows it.
#pragma once

#include <windows.h>

#include <commctrl.h>

// The system's message font, and its bold, bold-underlined, small and header variants; made once per DPI, kept.
enum class TFontKind { Normal, Bold, BoldUnderline, Small, Header };
HFONT UiFont(TFontKind kind, UINT dpi);
// The height of a line of the normal font at a DPI, in pixels.
int UiFontHeight(UINT dpi);
inline HFONT UiFont(UINT dpi) {
    return UiFont(TFontKind::Normal, dpi);
}
// Which of the program's fonts a font is; false for any other.
bool FontKindOf(HFONT font, TFontKind& kind);

// The image lists of the main window: the eight page icons in two sizes, the nine profile icons, the command and
// tab icons, and the up and down arrows of the editor's lists (in grey for disabled buttons). At 150% and 200% they
// come from pictures drawn at that size.
enum class TPictureList { Panels16, Panels24x20, Profiles16, System16, Arrows16, Arrows16Disabled };
HIMAGELIST PictureList(TPictureList list, UINT dpi);
int PictureCount(TPictureList list);
// The index when the list has such a picture, -1 otherwise (a hand-edited file may name any number).
int PictureIndexOrNone(TPictureList list, int index);

// An index a hand-edited file may have put out of range draws no picture: these give -1 or do nothing then.
int ImageIndexOrNone(HIMAGELIST list, int index);
void DrawListImage(HIMAGELIST list, int index, HDC dc, int x, int y);

// A menu item's picture from an image list, with room between picture and text. The item asks its owner window to
// draw it (HBMMENU_CALLBACK): a 32-bit bitmap in the item would lie on a black square on some systems. An index
// out of range gives no picture. Every window of the program answers the owner's messages (TWindow does), at its
// own DPI.
void SetMenuItemImage(MENUITEMINFOA& info, TPictureList list, int index);
// WM_MEASUREITEM and WM_DRAWITEM of such a picture; false for anything else.
bool HandleMenuImageMessage(UINT message, LPARAM lParam, UINT dpi);

// An owner-drawn push button showing one picture of a list, from `disabled` (a grey one) while it is disabled.
void DrawImageButton(const DRAWITEMSTRUCT& item, TPictureList enabled, TPictureList disabled, int index);

// A picture of the resources with its alpha channel, drawn for the DPI's scale, and drawing it.
HBITMAP LoadPicture(int resourceId, UINT dpi);
void DrawPicture(HDC dc, HBITMAP picture, int x, int y);
void DrawPictureCell(HDC dc, HBITMAP strip, int cellWidth, int cell, int x, int y);
// The width and height of a picture.
SIZE PictureSize(HBITMAP picture);

// A picture of the resources as a window shows it: loaded again when the window's DPI calls for another size.
class TDpiPicture {
public:
    explicit TDpiPicture(int resourceId) : ResourceId(resourceId) {}
    ~TDpiPicture();
    TDpiPicture(const TDpiPicture&) = delete;
    TDpiPicture& operator=(const TDpiPicture&) = delete;
    HBITMAP For(UINT dpi);

private:
    int ResourceId;
    int Scale = 0;
    HBITMAP Bitmap = nullptr;
};

// The program's icon (Norvex.exe's first icon) at the size given.
HICON ProgramIcon(int size);
