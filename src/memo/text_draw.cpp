#include "memo/text_draw.h"

#include <string>

#include "memo/text_fit.h"
#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

FontHandle CreateStripFont(bool fixedPitch) {
    // 8 points as at 96 pixels per inch, 11 pixels, whatever the display reports: the strips
    // are pictures of fixed size, which Windows scales as a whole.
    constexpr int kPixelsPerInch = 96;
    const int height = -MulDiv(8, kPixelsPerInch, 72);
    return CreateJapaneseFont(height, (fixedPitch ? FIXED_PITCH : DEFAULT_PITCH) | FF_MODERN);
}

}  // namespace

HFONT StripFont(bool fixedPitch) {
    static const FontHandle proportional = CreateStripFont(false);
    static const FontHandle fixed = CreateStripFont(true);
    return fixedPitch ? fixed.Get() : proportional.Get();
}

namespace {

// Text as typed: no prefix characters, so an ampersand shows as an ampersand.
void DrawRow(HDC dc, std::string_view row, RECT area) {
    const std::wstring text = WideFromSjis(row);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_NOPREFIX);
}

// The strip filled with its background colour, ready for text.
class StripCanvas {
  public:
    StripCanvas(const Bitmap& bitmap, bool fixedPitch, COLORREF background)
        : dc_(bitmap.Handle()), font_(dc_.Get(), StripFont(fixedPitch)) {
        const RECT all{0, 0, bitmap.Width(), bitmap.Height()};
        SetBkColor(dc_.Get(), background);
        ExtTextOutW(dc_.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        SetBkMode(dc_.Get(), TRANSPARENT);
        SetTextColor(dc_.Get(), GetSysColor(COLOR_WINDOWTEXT));
    }
    HDC Get() const { return dc_.Get(); }

  private:
    MemoryDC dc_;
    SelectedObject font_;
};

}  // namespace

Bitmap RenderMemoLabel(std::string_view memo, bool small, COLORREF color, Bitmap over) {
    const int width = small ? kSmallLabelWidth : kLargeLabelWidth;
    Bitmap strip = Bitmap::Reused(std::move(over), width, kLabelHeight);
    const TextRows rows = FitTextToBytes(memo, small ? 30 : 60);
    const StripCanvas canvas(strip, true, color);
    DrawRow(canvas.Get(), rows.Row[0], {0, 0, width, kLabelHeight});
    return strip;
}

Bitmap RenderReminderLine(std::string_view line, Bitmap over) {
    Bitmap strip = Bitmap::Reused(std::move(over), 177, 17);
    const StripCanvas canvas(strip, false, RGB(255, 255, 255));
    DrawRow(canvas.Get(), line, {0, 0, 250, 16});
    return strip;
}

Bitmap RenderReminderMemo(std::string_view memo, COLORREF color, Bitmap over) {
    Bitmap strip = Bitmap::Reused(std::move(over), 177, 57);
    const TextRows rows = FitTextToWidth(memo, 168);
    const StripCanvas canvas(strip, false, color);
    for (int row = 0; row < 3; ++row)
        DrawRow(canvas.Get(), rows.Row[row], {0, 16 * row, 250, 16 * row + 16});
    return strip;
}

}  // namespace haripon
