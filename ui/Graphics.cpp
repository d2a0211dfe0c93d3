// Fonts, image lists and pictures.
#include "ui/Graphics.h"

#include "platform/win32/SystemLibrary.h"
#include "resources/resource.h"
#include "ui/Dpi.h"
#include "ui/Window.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace {

HFONT MakeFont(TFontKind kind, UINT dpi) {
    LOGFONTA font = MessageFontForDpi(dpi);
    const bool bold = kind == TFontKind::Bold || kind == TFontKind::BoldUnderline || kind == TFontKind::Header;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfUnderline = kind == TFontKind::BoldUnderline ? TRUE : FALSE;
    // The small font is a pixel smaller, the header's two larger, at 96 DPI.
    const int change = Scaled(kind == TFontKind::Small ? -1 : kind == TFontKind::Header ? 2 : 0, dpi);
    if (change != 0 && font.lfHeight != 0)
        font.lfHeight += font.lfHeight < 0 ? -change : change;
    return CreateFontIndirectA(&font);
}

std::map<std::pair<TFontKind, UINT>, HFONT> Fonts;

// The visual styles' library is not one of Windows' known libraries: it is loaded from the system folder when a
// button is first drawn, never found beside the program.
struct TThemeFunctions {
    decltype(&OpenThemeData) Open =
        platform::SystemLibraryFunction<decltype(&OpenThemeData)>(L"uxtheme.dll", "OpenThemeData");
    decltype(&DrawThemeBackground) Draw =
        platform::SystemLibraryFunction<decltype(&DrawThemeBackground)>(L"uxtheme.dll", "DrawThemeBackground");
    decltype(&CloseThemeData) Close =
        platform::SystemLibraryFunction<decltype(&CloseThemeData)>(L"uxtheme.dll", "CloseThemeData");
};

// The push button of the visual style where one is in use; false where none is (then the classic one is drawn).
bool DrawThemedButton(HWND button, HDC dc, int state, const RECT& face) {
    static const TThemeFunctions theme;
    if (theme.Open == nullptr || theme.Draw == nullptr || theme.Close == nullptr)
        return false;
    HTHEME data = theme.Open(button, L"BUTTON");
    if (data == nullptr)
        return false;
    theme.Draw(data, dc, BP_PUSHBUTTON, state, &face, nullptr);
    theme.Close(data);
    return true;
}

HBITMAP LoadResourcePicture(int resourceId) {
    return static_cast<HBITMAP>(
        LoadImageA(ProgramInstance(), MAKEINTRESOURCEA(resourceId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

HBITMAP PremultipliedCell(HBITMAP strip, int cellWidth, int cell, bool grey = false);

// An image list from a strip of the resources; `grey` makes the faded grey pictures of disabled controls.
HIMAGELIST LoadStrip(int resourceId, int width, int height, bool grey = false) {
    HIMAGELIST list = ImageList_Create(width, height, ILC_COLOR32, 8, 4);
    HBITMAP strip = LoadResourcePicture(resourceId);
    BITMAP info;
    if (strip != nullptr && GetObjectA(strip, sizeof info, &info) != 0) {
        // Image lists blend premultiplied pixels; the strips are stored with straight alpha.
        HBITMAP premultiplied = PremultipliedCell(strip, info.bmWidth, 0, grey);
        ImageList_Add(list, premultiplied != nullptr ? premultiplied : strip, nullptr);
        if (premultiplied != nullptr)
            DeleteObject(premultiplied);
        DeleteObject(strip);
    }
    return list;
}

// A copy of a part of a 32-bit picture with its alpha premultiplied, as AlphaBlend and image lists want it; `grey`
// turns the colours to grey and the picture half transparent.
HBITMAP PremultipliedCell(HBITMAP strip, int cellWidth, int cell, bool grey) {
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
            const int alpha = grey ? from[3] / 2 : from[3];
            const int luma = (from[0] * 29 + from[1] * 150 + from[2] * 77) / 256; // B, G, R
            for (int c = 0; c < 3; ++c)
                to[c] = static_cast<unsigned char>((grey ? luma : from[c]) * alpha / 255);
            to[3] = static_cast<unsigned char>(alpha);
        }
    }
    return copy;
}

} // namespace

HFONT UiFont(TFontKind kind, UINT dpi) {
    HFONT& font = Fonts[{kind, dpi}];
    if (font == nullptr)
        font = MakeFont(kind, dpi);
    return font;
}

int UiFontHeight(UINT dpi) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, UiFont(dpi));
    TEXTMETRICA text{};
    GetTextMetricsA(dc, &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return text.tmHeight;
}

bool FontKindOf(HFONT font, TFontKind& kind) {
    for (const auto& [key, made] : Fonts)
        if (made == font) {
            kind = key.first;
            return true;
        }
    return false;
}

namespace {

struct TPictureStrip {
    int ResourceId;
    int Width; // of one picture, at 100%
    int Height;
    bool Grey;
};

TPictureStrip StripOf(TPictureList list) {
    switch (list) {
    case TPictureList::Panels16:
        return {IDB_PANELS16, 16, 16, false};
    case TPictureList::Panels24x20:
        return {IDB_PANELS24X20, 24, 20, false};
    case TPictureList::Profiles16:
        return {IDB_PROFILES16, 16, 16, false};
    case TPictureList::System16:
        return {IDB_SYSTEM16, 16, 16, false};
    case TPictureList::Arrows16:
        return {IDB_ARROWS16, 16, 16, false};
    case TPictureList::Arrows16Disabled:
        return {IDB_ARROWS16, 16, 16, true};
    }
    return {IDB_SYSTEM16, 16, 16, false};
}

// The resource of a picture drawn at a scale: the 100% number plus a fixed offset.
int PictureResource(int resourceId, int scale) {
    return scale == 200 ? resourceId + IDB_SCALE200 : scale == 150 ? resourceId + IDB_SCALE150 : resourceId;
}

} // namespace

HIMAGELIST PictureList(TPictureList list, UINT dpi) {
    // Made when first asked for: a program at 100% never loads the larger pictures.
    static std::map<std::pair<TPictureList, int>, HIMAGELIST> made;
    const int scale = PictureScale(dpi);
    HIMAGELIST& images = made[{list, scale}];
    if (images == nullptr) {
        const TPictureStrip strip = StripOf(list);
        images = LoadStrip(PictureResource(strip.ResourceId, scale), strip.Width * scale / 100,
                           strip.Height * scale / 100, strip.Grey);
    }
    return images;
}

int PictureCount(TPictureList list) {
    return ImageList_GetImageCount(PictureList(list, 96));
}

int PictureIndexOrNone(TPictureList list, int index) {
    return index >= 0 && index < PictureCount(list) ? index : -1;
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

namespace {

// The pictures menu items ask for, by the number their item data carries after the tag.
constexpr ULONG_PTR MenuImageTag = 0x4E560000;
constexpr ULONG_PTR MenuImageTagMask = 0xFFFF0000;
constexpr int MenuImageGap = 6;
std::vector<std::pair<TPictureList, int>> MenuImages;

const std::pair<TPictureList, int>* MenuImageOf(UINT controlType, ULONG_PTR data) {
    if (controlType != ODT_MENU || (data & MenuImageTagMask) != MenuImageTag)
        return nullptr;
    const size_t number = data & ~MenuImageTagMask;
    return number < MenuImages.size() ? &MenuImages[number] : nullptr;
}

} // namespace

void SetMenuItemImage(MENUITEMINFOA& info, TPictureList list, int index) {
    if (PictureIndexOrNone(list, index) < 0)
        return;
    const std::pair<TPictureList, int> image{list, index};
    auto known = std::find(MenuImages.begin(), MenuImages.end(), image);
    if (known == MenuImages.end())
        known = MenuImages.insert(MenuImages.end(), image);
    info.fMask |= MIIM_BITMAP | MIIM_DATA;
    info.hbmpItem = HBMMENU_CALLBACK;
    info.dwItemData = MenuImageTag | static_cast<ULONG_PTR>(known - MenuImages.begin());
}

bool HandleMenuImageMessage(UINT message, LPARAM lParam, UINT dpi) {
    if (message == WM_MEASUREITEM) {
        auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        const auto* image = MenuImageOf(item.CtlType, item.itemData);
        if (image == nullptr)
            return false;
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(PictureList(image->first, dpi), &width, &height);
        item.itemWidth = static_cast<UINT>(width + Scaled(MenuImageGap, dpi));
        item.itemHeight = static_cast<UINT>(height);
        return true;
    }
    if (message == WM_DRAWITEM) {
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        const auto* image = MenuImageOf(item.CtlType, item.itemData);
        if (image == nullptr)
            return false;
        HIMAGELIST images = PictureList(image->first, dpi);
        int width = 0;
        int height = 0;
        ImageList_GetIconSize(images, &width, &height);
        const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - height) / 2;
        // A disabled item's picture is drawn faded, as its text is greyed.
        const UINT style = (item.itemState & ODS_GRAYED) ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT;
        ImageList_DrawEx(images, image->second, item.hDC, item.rcItem.left + Scaled(2, dpi), top, 0, 0, CLR_NONE,
                         CLR_NONE, style);
        return true;
    }
    return false;
}

void DrawImageButton(const DRAWITEMSTRUCT& item, TPictureList enabledList, TPictureList disabledList, int index) {
    const UINT dpi = WindowDpi(item.hwndItem);
    HIMAGELIST enabled = PictureList(enabledList, dpi);
    HIMAGELIST disabled = PictureList(disabledList, dpi);
    const bool pushed = (item.itemState & ODS_SELECTED) != 0;
    const bool grey = (item.itemState & ODS_DISABLED) != 0;
    RECT face = item.rcItem;
    const int state = grey ? PBS_DISABLED : pushed ? PBS_PRESSED : PBS_NORMAL;
    if (!DrawThemedButton(item.hwndItem, item.hDC, state, face))
        DrawFrameControl(item.hDC, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pushed ? DFCS_PUSHED : 0));
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(enabled, &width, &height);
    const int shift = pushed ? 1 : 0;
    DrawListImage(grey ? disabled : enabled, index, item.hDC,
                  (item.rcItem.left + item.rcItem.right - width) / 2 + shift,
                  (item.rcItem.top + item.rcItem.bottom - height) / 2 + shift);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -Scaled(4, dpi), -Scaled(4, dpi));
        DrawFocusRect(item.hDC, &focus);
    }
}

HBITMAP LoadPicture(int resourceId, UINT dpi) {
    return LoadResourcePicture(PictureResource(resourceId, PictureScale(dpi)));
}

TDpiPicture::~TDpiPicture() {
    if (Bitmap != nullptr)
        DeleteObject(Bitmap);
}

HBITMAP TDpiPicture::For(UINT dpi) {
    if (Bitmap == nullptr || Scale != PictureScale(dpi)) {
        if (Bitmap != nullptr)
            DeleteObject(Bitmap);
        Bitmap = LoadPicture(ResourceId, dpi);
        Scale = PictureScale(dpi);
    }
    return Bitmap;
}

SIZE PictureSize(HBITMAP picture) {
    BITMAP info{};
    if (picture == nullptr || GetObjectA(picture, sizeof info, &info) == 0)
        return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
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
    GdiAlphaBlend(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight, blend);
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
