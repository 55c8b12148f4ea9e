#include "platform/win32/gdi.h"

#include "platform/win32/error_report.h"

namespace haripon {

Bitmap::Bitmap(HBITMAP handle, std::optional<COLORREF> bottomLeft)
    : handle_(handle ? std::make_shared<Shared>(handle) : nullptr), bottomLeft_(bottomLeft) {
    BITMAP info{};
    if (handle && GetObjectW(handle, sizeof info, &info)) {
        width_ = info.bmWidth;
        height_ = info.bmHeight;
    }
}

Bitmap::Bitmap(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle)
        ThrowLastError("CreateDIBSection");
    handle_ = std::make_shared<Shared>(handle);
}

Bitmap::Bitmap(HDC reference, int width, int height) : width_(width), height_(height) {
    const HBITMAP handle =
        CreateCompatibleBitmap(reference, width > 0 ? width : 1, height > 0 ? height : 1);
    if (!handle)
        ThrowLastError("CreateCompatibleBitmap");
    handle_ = std::make_shared<Shared>(handle);
}

Bitmap Bitmap::Reused(Bitmap old, int width, int height) {
    if (!old.handle_ || old.handle_.use_count() != 1 || old.width_ != width ||
        old.height_ != height) {
        return Bitmap(width, height);
    }
    old.handle_->Mask.Reset();
    old.handle_->MaskColour = CLR_INVALID;
    old.bottomLeft_.reset();
    return old;
}

COLORREF Bitmap::PixelAt(int x, int y) const {
    if (Empty())
        return CLR_INVALID;
    MemoryDC dc(Handle());
    return GetPixel(dc.Get(), x, y);
}

HBITMAP Bitmap::MaskOf(COLORREF colour) const {
    if (!handle_)
        return nullptr;
    Shared& shared = *handle_;
    if (!shared.Mask || shared.MaskColour != colour) {
        shared.Mask.Reset(CreateBitmap(width_, height_, 1, 1, nullptr));
        shared.MaskColour = colour;
        const MemoryDC source(Handle());
        const MemoryDC mask(shared.Mask.Get());
        // Into one bit a pixel: those of the source's background colour become white.
        SetBkColor(source.Get(), colour);
        BitBlt(mask.Get(), 0, 0, width_, height_, source.Get(), 0, 0, SRCCOPY);
    }
    return shared.Mask.Get();
}

// The picture where the mask is black, the target where it is white: the target XORed with
// the picture, cleared where the picture shows, and XORed again. Three plain copies cost a
// fraction of a TransparentBlt, which works the mask out anew at every call.
void DrawTransparent(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                     int height, COLORREF transparent) {
    if (picture.Empty() || width <= 0 || height <= 0)
        return;
    const HBITMAP maskBitmap = picture.MaskOf(transparent);  // before the picture is selected
    const MemoryDC source(picture.Handle());
    if (!maskBitmap) {  // no room for a mask: the system works one out for this call
        GdiTransparentBlt(target, left, top, width, height, source.Get(), x, y, width, height,
                          transparent);
        return;
    }
    const MemoryDC mask(maskBitmap);
    const SavedDC saved(target);
    SetTextColor(target, RGB(0, 0, 0));      // a mask's black, and
    SetBkColor(target, RGB(255, 255, 255));  // its white, as the target's colours
    BitBlt(target, left, top, width, height, source.Get(), x, y, SRCINVERT);
    BitBlt(target, left, top, width, height, mask.Get(), x, y, SRCAND);
    BitBlt(target, left, top, width, height, source.Get(), x, y, SRCINVERT);
}

void DrawOpaque(HDC target, int left, int top, const Bitmap& picture, int x, int y, int width,
                int height) {
    if (picture.Empty() || width <= 0 || height <= 0)
        return;
    MemoryDC source(picture.Handle());
    BitBlt(target, left, top, width, height, source.Get(), x, y, SRCCOPY);
}

namespace {

// The face the system really gave, and whether its characters are all of one width (the
// metrics say so by a clear TMPF_FIXED_PITCH bit).
struct FontAnswer {
    bool NamedFace;
    bool FixedPitch;
};

FontAnswer AnswerFor(HFONT font, const wchar_t* face) {
    const WindowDC screen;
    const SelectedObject selected(screen.Get(), font);
    wchar_t actual[LF_FACESIZE] = {};
    GetTextFaceW(screen.Get(), LF_FACESIZE, actual);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen.Get(), &metrics);
    return {lstrcmpiW(actual, face) == 0, (metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0};
}

}  // namespace

// Windows' font mapper weighs a fixed pitch above the face name, and answers the request
// for "ＭＳ Ｐゴシック" with ＭＳ ゴシック; others find the face by name, whatever its pitch.
// So a fixed-pitch request takes the first answer that is fixed pitch, named or not, and
// asks for the fixed-pitch Japanese faces next.
FontHandle CreateJapaneseFont(int height, BYTE pitchAndFamily) {
    static const wchar_t* const kProportional[] = {L"ＭＳ Ｐゴシック", L"MS PGothic", L"Meiryo UI",
                                                   L"Yu Gothic UI",    L"IPAPGothic", L"IPAGothic"};
    static const wchar_t* const kFixed[] = {L"ＭＳ Ｐゴシック", L"ＭＳ ゴシック", L"MS Gothic",
                                            L"IPAGothic"};
    const bool fixedPitch = (pitchAndFamily & 3) == FIXED_PITCH;
    FontHandle chosen;
    const auto ask = [&](const wchar_t* face) {
        FontHandle font(CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                    SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, pitchAndFamily, face));
        const FontAnswer answer = AnswerFor(font.Get(), face);
        const bool taken = fixedPitch ? answer.FixedPitch : answer.NamedFace;
        if (taken || !chosen)
            chosen = std::move(font);
        return taken;
    };
    const auto first = [&](const auto& faces) {
        for (const wchar_t* face : faces) {
            if (ask(face))
                return;
        }
    };
    if (fixedPitch) {
        first(kFixed);
    } else {
        first(kProportional);
    }
    return chosen;
}

HFONT UiFont() {
    static const FontHandle font = CreateJapaneseFont(-12, VARIABLE_PITCH | FF_SWISS);
    return font.Get();
}

}  // namespace haripon
