#include "reminder/reminder_draw.h"

#include "memo/text_draw.h"
#include "memo/text_fit.h"
#include "reminder/reminder_layout.h"

namespace haripon {

namespace {

static_assert(kMemoRows <= std::tuple_size_v<decltype(TextRows::Row)>);

constexpr RECT Row(int row) {
    return {0, kTextRowHeight * row, kTextRowWidth, kTextRowHeight * (row + 1)};
}

}  // namespace

Bitmap RenderReminderLine(std::string_view line, Bitmap over) {
    Bitmap strip = Bitmap::Reused(std::move(over), kLineStrip.Width, kLineStrip.Height);
    const StripCanvas canvas(strip, false, RGB(255, 255, 255));
    canvas.DrawRow(line, Row(0));
    return strip;
}

Bitmap RenderReminderMemo(std::string_view memo, COLORREF color, Bitmap over) {
    Bitmap strip = Bitmap::Reused(std::move(over), kMemoStrip.Width, kMemoStrip.Height);
    const TextRows rows = FitTextToWidth(memo, kMemoRowUnits);
    const StripCanvas canvas(strip, false, color);
    for (int row = 0; row < kMemoRows; ++row)
        canvas.DrawRow(rows.Row[row], Row(row));
    return strip;
}

}  // namespace haripon
