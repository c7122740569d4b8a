#include "text_ink.h"

#include <algorithm>

namespace quadrell::win32 {

InkColumns InkOf(HFONT font, std::wstring_view text)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
    // Room on both sides for ink that overhangs the advances.
    const int margin = extent.cy;
    const int width = (extent.cx + 2 * margin + 31) / 32 * 32;  // whole 32-bit rows
    const int height = std::max<int>(extent.cy, 1);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[2];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), width, -height, 1, 1, BI_RGB, 0, 0, 0, 0, 0};
    info.colours[1] = {255, 255, 255, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, margin, 0, text.data(), static_cast<int>(text.size()));
    GdiFlush();

    int left = width, right = -1;
    const auto* rows = static_cast<const unsigned char*>(bits);
    const int stride = width / 8;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (rows[y * stride + x / 8] & (0x80 >> (x % 8)))
                left = std::min(left, x), right = std::max(right, x);

    SelectObject(dc, oldBitmap);
    SelectObject(dc, oldFont);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (right < left)
        return {};
    return {left - margin, right - left + 1};
}

}  // namespace quadrell::win32
