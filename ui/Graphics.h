// Fonts, the main window's image lists and the pictures of the program, shared by every window.
#pragma once

#include <windows.h>

#include <commctrl.h>

// The system's message font, and its bold, bold-underlined, small and header variants; made once, kept.
HFONT UiFont();
HFONT UiBoldFont();
HFONT UiBoldUnderlineFont();
HFONT UiSmallFont();
HFONT UiHeaderFont();

// The image lists of the main window: the eight page icons in two sizes, the nine profile icons, the command and
// tab icons, and the up and down arrows of the editor's lists.
extern HIMAGELIST ImageList16panels;
extern HIMAGELIST ImageList20x24panels;
extern HIMAGELIST ImageList16profiles;
extern HIMAGELIST ImageList16system;
extern HIMAGELIST ImageList16arrows;
extern HIMAGELIST ImageList16arrowsDisabled; // the arrows in grey, for disabled buttons
void LoadImageLists();

// An index a hand-edited file may have put out of range draws no picture: these give -1 or do nothing then.
int ImageIndexOrNone(HIMAGELIST list, int index);
void DrawListImage(HIMAGELIST list, int index, HDC dc, int x, int y);

// A menu item's picture from an image list, with room between picture and text. The item asks its owner window to
// draw it (HBMMENU_CALLBACK): a 32-bit bitmap in the item would lie on a black square on some systems. An index
// out of range gives no picture. Every window of the program answers the owner's messages (TWindow does).
void SetMenuItemImage(MENUITEMINFOA& info, HIMAGELIST list, int index);
// WM_MEASUREITEM and WM_DRAWITEM of such a picture; false for anything else.
bool HandleMenuImageMessage(UINT message, LPARAM lParam);

// An owner-drawn push button showing one picture of a list, from `disabled` (a grey one) while it is disabled.
void DrawImageButton(const DRAWITEMSTRUCT& item, HIMAGELIST enabled, HIMAGELIST disabled, int index);

// A picture of the resources with its alpha channel, and drawing it.
HBITMAP LoadPicture(int resourceId);
void DrawPicture(HDC dc, HBITMAP picture, int x, int y);
void DrawPictureCell(HDC dc, HBITMAP strip, int cellWidth, int cell, int x, int y);

// The program's icon (Norvex.exe's first icon) at the size given.
HICON ProgramIcon(int size);
