#include "platform/core/window_geometry.h"

#include <algorithm>
#include <cstdint>

namespace haripon {

namespace {

// In 64 bits: a place stored in the settings file may lie anywhere in 32.
using Long = std::int64_t;

Long Overlap(const ScreenRect& a, const ScreenRect& b) {
    const Long width = Long{std::min(a.Right, b.Right)} - std::max(a.Left, b.Left);
    const Long height = Long{std::min(a.Bottom, b.Bottom)} - std::max(a.Top, b.Top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The gap between two rectangles, the larger of its sides; 0 when they touch or overlap.
Long Gap(const ScreenRect& a, const ScreenRect& b) {
    const Long dx = std::max({Long{0}, Long{b.Left} - a.Right, Long{a.Left} - b.Right});
    const Long dy = std::max({Long{0}, Long{b.Top} - a.Bottom, Long{a.Top} - b.Bottom});
    return std::max(dx, dy);
}

}  // namespace

WindowPlace ClampInto(WindowPlace place, int width, int height, const ScreenRect& area) {
    if (place.Left < area.Left)
        place.Left = area.Left;
    if (place.Top < area.Top)
        place.Top = area.Top;
    if (place.Left > area.Right - width)
        place.Left = area.Right - width;
    if (place.Top > area.Bottom - height)
        place.Top = area.Bottom - height;
    return place;
}

const ScreenRect& NearestArea(const ScreenRect& window, const std::vector<ScreenRect>& areas) {
    const auto most = std::max_element(
        areas.begin(), areas.end(),
        [&](const auto& a, const auto& b) { return Overlap(window, a) < Overlap(window, b); });
    if (Overlap(window, *most) > 0)
        return *most;
    return *std::min_element(areas.begin(), areas.end(), [&](const auto& a, const auto& b) {
        return Gap(window, a) < Gap(window, b);
    });
}

WindowPlace PullBack(const ScreenRect& window, const std::vector<ScreenRect>& areas) {
    return ClampInto({window.Left, window.Top}, window.Right - window.Left,
                     window.Bottom - window.Top, NearestArea(window, areas));
}

std::optional<WindowPlace> BringOnScreen(const ScreenRect& window,
                                         const std::vector<ScreenRect>& areas, bool wholly) {
    const Long size = (Long{window.Right} - window.Left) * (Long{window.Bottom} - window.Top);
    for (const ScreenRect& area : areas) {
        const Long overlap = Overlap(window, area);
        if (wholly ? overlap == size : overlap > 0)
            return std::nullopt;
    }
    return PullBack(window, areas);
}

}  // namespace haripon
