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
void LoadImageLists();

// An index a hand-edited file may have put out of range draws no picture: these give -1 or do nothing then.
int ImageIndexOrNone(HIMAGELIST list, int index);
void DrawListImage(HIMAGELIST list, int index, HDC dc, int x, int y);

// A 32-bit bitmap of one image for a menu item; made once per image and kept. Null when out of range.
HBITMAP MenuBitmap(HIMAGELIST list, int index);

// A picture of the resources with its alpha channel, and drawing it.
HBITMAP LoadPicture(int resourceId);
void DrawPicture(HDC dc, HBITMAP picture, int x, int y);
void DrawPictureCell(HDC dc, HBITMAP strip, int cellWidth, int cell, int x, int y);

// The program's icon (Norvex.exe's first icon) at the size given.
HICON ProgramIcon(int size);
