#include "platform/core/window_geometry.h"

#include <gtest/gtest.h>

namespace haripon {
namespace {

TEST(ClampToDesktop, EveryEdgeAndAWindowWiderThanTheDesktop) {
    auto clamp = [](int left, int top, int width) {
        const WindowPlace p = ClampToDesktop({left, top}, width, 22, 1280, 1024);
        return std::make_pair(p.Left, p.Top);
    };
    EXPECT_EQ(clamp(100, 200, 413), std::make_pair(100, 200));
    EXPECT_EQ(clamp(-5, 200, 413), std::make_pair(0, 200));
    EXPECT_EQ(clamp(100, -9, 413), std::make_pair(100, 0));
    EXPECT_EQ(clamp(1000, 200, 413), std::make_pair(867, 200));
    EXPECT_EQ(clamp(100, 1010, 413), std::make_pair(100, 1002));
    EXPECT_EQ(clamp(-50, 5000, 213), std::make_pair(0, 1002));
    EXPECT_EQ(clamp(10, 10, 1500), std::make_pair(-220, 10));
}

}  // namespace
}  // namespace haripon
