// Fonts, image lists and pictures.
#include "ui/Graphics.h"

#include "resources/resource.h"
#include "ui/Window.h"

#include <map>
#include <utility>

HIMAGELIST ImageList16panels = nullptr;
HIMAGELIST ImageList20x24panels = nullptr;
HIMAGELIST ImageList16profiles = nullptr;
HIMAGELIST ImageList16system = nullptr;
HIMAGELIST ImageList16arrows = nullptr;

namespace {

LOGFONTA MessageFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return metrics.lfMessageFont;
}

HFONT MakeFont(LONG weight, bool underline, int heightChange) {
    LOGFONTA font = MessageFont();
    font.lfWeight = weight;
    font.lfUnderline = underline ? TRUE : FALSE;
    if (heightChange != 0 && font.lfHeight != 0)
        font.lfHeight += font.lfHeight < 0 ? -heightChange : heightChange;
    return CreateFontIndirectA(&font);
}

// The strip each image list was made from, kept for the menu bitmaps.
std::map<HIMAGELIST, HBITMAP> Strips;

HBITMAP PremultipliedCell(HBITMAP strip, int cellWidth, int cell);

HIMAGELIST LoadStrip(int resourceId, int width, int height) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32, 8, 4);
    HBITMAP strip = LoadPicture(resourceId);
    BITMAP info;
    if (strip != nullptr && GetObjectA(strip, sizeof info, &info) != 0) {
        // Image lists blend premultiplied pixels; the strips are stored with straight alpha.
        HBITMAP premultiplied = PremultipliedCell(strip, info.bmWidth, 0);
        ImageList_Add(list, premultiplied != nullptr ? premultiplied : strip, nullptr);
        if (premultiplied != nullptr)
            DeleteObject(premultiplied);
        Strips[list] = strip;
    }
    return list;
}

// A copy of a part of a 32-bit picture with its alpha premultiplied, as AlphaBlend and menus want it.
HBITMAP PremultipliedCell(HBITMAP strip, int cellWidth, int cell) {
    BITMAP info;
    if (strip == nullptr || GetObjectA(strip, sizeof info, &info) == 0 || info.bmBitsPixel != 32 ||
        info.bmBits == nullptr)
        return nullptr;
    const int height = info.bmHeight;
    if ((cell + 1) * cellWidth > info.bmWidth)
        return nullptr;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = cellWidth;
    header.bmiHeader.biHeight = height; // bottom-up, as the picture is
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (copy == nullptr)
        return nullptr;
    for (int y = 0; y < height; ++y) {
        const auto* from =
            static_cast<const unsigned char*>(info.bmBits) + y * info.bmWidthBytes + cell * cellWidth * 4;
        auto* to = static_cast<unsigned char*>(bits) + y * cellWidth * 4;
        for (int x = 0; x < cellWidth; ++x, from += 4, to += 4) {
            for (int c = 0; c < 3; ++c)
                to[c] = static_cast<unsigned char>(from[c] * from[3] / 255);
            to[3] = from[3];
        }
    }
    return copy;
}

} // namespace

HFONT UiFont() {
    static HFONT font = MakeFont(FW_NORMAL, false, 0);
    return font;
}
HFONT UiBoldFont() {
    static HFONT font = MakeFont(FW_BOLD, false, 0);
    return font;
}
HFONT UiBoldUnderlineFont() {
    static HFONT font = MakeFont(FW_BOLD, true, 0);
    return font;
}
HFONT UiSmallFont() {
    static HFONT font = MakeFont(FW_NORMAL, false, -1);
    return font;
}
HFONT UiHeaderFont() {
    static HFONT font = MakeFont(FW_BOLD, false, 2);
    return font;
}

void LoadImageLists() {
    if (ImageList16system != nullptr)
        return;
    ImageList16panels = LoadStrip(IDB_PANELS16, 16, 16);
    ImageList20x24panels = LoadStrip(IDB_PANELS24X20, 24, 20);
    ImageList16profiles = LoadStrip(IDB_PROFILES16, 16, 16);
    ImageList16system = LoadStrip(IDB_SYSTEM16, 16, 16);
    ImageList16arrows = LoadStrip(IDB_ARROWS16, 16, 16);
}

int ImageIndexOrNone(HIMAGELIST list, int index) {
    if (list == nullptr || index < 0 || index >= ImageList_GetImageCount(list))
        return -1;
    return index;
}

void DrawListImage(HIMAGELIST list, int index, HDC dc, int x, int y) {
    if (ImageIndexOrNone(list, index) >= 0)
        ImageList_Draw(list, index, dc, x, y, ILD_TRANSPARENT);
}

HBITMAP MenuBitmap(HIMAGELIST list, int index) {
    if (ImageIndexOrNone(list, index) < 0)
        return nullptr;
    static std::map<std::pair<HIMAGELIST, int>, HBITMAP> made;
    auto found = made.find({list, index});
    if (found != made.end())
        return found->second;
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    auto strip = Strips.find(list);
    HBITMAP bitmap = strip == Strips.end() ? nullptr : PremultipliedCell(strip->second, width, index);
    made[{list, index}] = bitmap;
    return bitmap;
}

HBITMAP LoadPicture(int resourceId) {
    return static_cast<HBITMAP>(
        LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

void DrawPictureCell(HDC dc, HBITMAP strip, int cellWidth, int cell, int x, int y) {
    HBITMAP copy = PremultipliedCell(strip, cellWidth, cell);
    if (copy == nullptr)
        return;
    BITMAP info;
    GetObjectA(copy, sizeof info, &info);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, copy);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, blend);
    SelectObject(source, old);
    DeleteDC(source);
    DeleteObject(copy);
}

void DrawPicture(HDC dc, HBITMAP picture, int x, int y) {
    if (picture == nullptr)
        return;
    BITMAP info;
    GetObjectA(picture, sizeof info, &info);
    DrawPictureCell(dc, picture, info.bmWidth, 0, x, y);
}

HICON ProgramIcon(int size) {
    return static_cast<HICON>(
        LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(IDI_NORVEX), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
