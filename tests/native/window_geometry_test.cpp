#include "platform/core/window_geometry.h"

#include <gtest/gtest.h>

namespace haripon {
namespace {

using Place = std::pair<int, int>;

Place Of(WindowPlace place) {
    return {place.Left, place.Top};
}

TEST(ClampInto, EveryEdgeAndAWindowWiderThanTheArea) {
    auto clamp = [](int left, int top, int width) {
        return Of(ClampInto({left, top}, width, 22, {0, 0, 1280, 1024}));
    };
    EXPECT_EQ(clamp(100, 200, 413), Place(100, 200));
    EXPECT_EQ(clamp(-5, 200, 413), Place(0, 200));
    EXPECT_EQ(clamp(100, -9, 413), Place(100, 0));
    EXPECT_EQ(clamp(1000, 200, 413), Place(867, 200));
    EXPECT_EQ(clamp(100, 1010, 413), Place(100, 1002));
    EXPECT_EQ(clamp(-50, 5000, 213), Place(0, 1002));
    EXPECT_EQ(clamp(10, 10, 1500), Place(-220, 10));
}

// A 413 x 22 strip at (x, y), ended a drag (pulled back) and shown (brought on screen when
// it shows nowhere), on several layouts of monitors' work areas.
TEST(WorkAreas, DragsEndAndStripsShowOnAMonitor) {
    const std::vector<ScreenRect> sideBySide = {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}};
    const std::vector<ScreenRect> stacked = {{0, 0, 1280, 1024}, {0, -768, 1024, 0}};
    const std::vector<ScreenRect> leftOfPrimary = {{0, 0, 1280, 1024}, {-1920, 0, 0, 1080}};
    const std::vector<ScreenRect> narrow = {{0, 0, 400, 300}};
    const std::vector<ScreenRect> taskbars[] = {{{0, 0, 1280, 984}},    // at the bottom
                                                {{0, 40, 1280, 1024}},  // at the top
                                                {{60, 0, 1280, 1024}},  // on the left
                                                {{0, 0, 1220, 1024}}};  // on the right
    const struct {
        const std::vector<ScreenRect>& areas;
        int x, y;
        Place pulledBack;
        std::optional<Place> shown;  // nothing: left where it is
    } cases[] = {
        {sideBySide, 1500, 300, {1500, 300}, {}},                 // stays on the second monitor
        {sideBySide, 2100, 300, {1891, 300}, {}},                 // pulled back at its right edge
        {sideBySide, 1500, 760, {1500, 746}, {}},                 // the second one is shorter
        {sideBySide, 5000, 3000, {1891, 746}, Place(1891, 746)},  // its monitor gone
        {stacked, 100, -500, {100, -500}, {}},                    // the one above
        {stacked, 1100, -300, {611, -300}, Place(611, -300)},     // over no monitor: the nearest
        {leftOfPrimary, -2000, 100, {-1920, 100}, {}},            // in part on the left one
        {leftOfPrimary, -2500, 100, {-1920, 100}, Place(-1920, 100)},
        {leftOfPrimary, -300, 100, {-413, 100}, {}},  // mostly on the left one
        {narrow, 10, 10, {-13, 10}, {}},              // wider than its monitor
        {taskbars[0], 100, 980, {100, 962}, {}},
        {taskbars[1], 100, 10, {100, 40}, Place(100, 40)},
        {taskbars[2], 10, 100, {60, 100}, {}},
        {taskbars[3], 1000, 100, {807, 100}, {}},
        {taskbars[0], 100, 990, {100, 962}, Place(100, 962)},              // under the taskbar only
        {sideBySide, -2147483000, 2147483000, {0, 1002}, Place(0, 1002)},  // hand-edited
    };
    for (const auto& c : cases) {
        const ScreenRect strip{c.x, c.y, c.x + 413, c.y + 22};
        EXPECT_EQ(Of(PullBack(strip, c.areas)), c.pulledBack) << c.x << "," << c.y;
        const auto shown = BringOnScreen(strip, c.areas);
        EXPECT_EQ(shown ? std::optional<Place>(Of(*shown)) : std::nullopt, c.shown)
            << c.x << "," << c.y;
        // Wholly on an area, or pulled back into one.
        EXPECT_EQ(Of(BringOnScreen(strip, c.areas, true).value_or(WindowPlace{c.x, c.y})),
                  c.pulledBack);
    }
}

}  // namespace
}  // namespace haripon
