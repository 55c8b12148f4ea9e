#include "memo/text_draw.h"

#include <string>

#include "memo/memo_layout.h"
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

StripCanvas::StripCanvas(const Bitmap& strip, bool fixedPitch, COLORREF background)
    : dc_(strip.Handle()), font_(dc_.Get(), StripFont(fixedPitch)) {
    const RECT all{0, 0, strip.Width(), strip.Height()};
    SetBkColor(dc_.Get(), background);
    ExtTextOutW(dc_.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
    SetBkMode(dc_.Get(), TRANSPARENT);
    SetTextColor(dc_.Get(), GetSysColor(COLOR_WINDOWTEXT));
}

void StripCanvas::DrawRow(std::string_view row, RECT area) const {
    const std::wstring text = WideFromSjis(row);
    DrawTextW(dc_.Get(), text.c_str(), static_cast<int>(text.size()), &area, DT_NOPREFIX);
}

Bitmap RenderMemoLabel(std::string_view memo, bool small, COLORREF color, Bitmap over) {
    const int width = small ? kSmallLabelWidth : kLargeLabelWidth;
    Bitmap strip = Bitmap::Reused(std::move(over), width, kLabelHeight);
    const TextRows rows = FitTextToBytes(memo, small ? kSmallLabelBytes : kLargeLabelBytes);
    const StripCanvas canvas(strip, true, color);
    canvas.DrawRow(rows.Row[0], {0, 0, width, kLabelHeight});
    return strip;
}

}  // namespace haripon
