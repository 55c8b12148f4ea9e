#include "platform/win32/gdi.h"

#include "platform/win32/error_report.h"

namespace haripon {

Bitmap::Bitmap(HBITMAP handle) : handle_(handle) {
    BITMAP info{};
    if (handle && GetObjectW(handle, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
    const WindowDC screen;
    handle_.Reset(
        CreateCompatibleBitmap(screen.Get(), width > 0 ? width : 1, height > 0 ? height : 1));
    if (!handle_)
        ThrowLastError("CreateCompatibleBitmap");
}

COLORREF Bitmap::PixelAt(int x, int y) const {
    if (Empty())
        return CLR_INVALID;
    MemoryDC dc(handle_.Get());
    return GetPixel(dc.Get(), x, y);
}

void DrawTransparent(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                     int height, COLORREF transparent) {
    if (picture.Empty() || width <= 0 || height <= 0)
        return;
    MemoryDC source(picture.Handle());
    TransparentBlt(target, left, top, width, height, source.Get(), x, y, width, height,
                   transparent);
}

void DrawOpaque(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                int height) {
    if (picture.Empty() || width <= 0 || height <= 0)
        return;
    MemoryDC source(picture.Handle());
    BitBlt(target, left, top, width, height, source.Get(), x, y, SRCCOPY);
}

FontHandle CreateJapaneseFont(int height, BYTE pitchAndFamily) {
    static const wchar_t* const kFaces[] = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo UI",
                                            L"Yu Gothic UI",    L"IPAPGothic", L"IPAGothic"};
    const WindowDC screen;
    FontHandle chosen;
    for (const wchar_t* face : kFaces) {
        FontHandle font(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, pitchAndFamily, face));
        wchar_t actual[LF_FACESIZE] = {};
        {
            const SelectedObject selected(screen.Get(), font.Get());
            GetTextFaceW(screen.Get(), LF_FACESIZE, actual);
        }
        const bool found = lstrcmpiW(actual, face) == 0;
        if (found || !chosen)
            chosen = std::move(font);
        if (found)
            break;
    }
    return chosen;
}

HFONT UiFont() {
    static const FontHandle font = CreateJapaneseFont(-12, VARIABLE_PITCH | FF_SWISS);
    return font.Get();
}

}  // namespace haripon
