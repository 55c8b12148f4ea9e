// Where a window may stand on the screens: each monitor's work area (the monitor less the
// taskbar), in virtual-screen coordinates, which are negative left of or above the primary.
#pragma once

#include <optional>
#include <vector>

namespace haripon {

struct WindowPlace {
    int Left;
    int Top;
};

// Right and bottom exclusive.
struct ScreenRect {
    int Left;
    int Top;
    int Right;
    int Bottom;
};

// Pulls a window of the given size back inside the area: left edge first, then top, then
// right, then bottom, so a window wider than the area ends past its left edge.
WindowPlace ClampInto(WindowPlace place, int width, int height, const ScreenRect& area);

// The area a window belongs to, as the system picks a window's monitor: the one it overlaps
// most, else the nearest. `areas` must not be empty.
const ScreenRect& NearestArea(const ScreenRect& window, const std::vector<ScreenRect>& areas);

// The end of a drag: the window pulled back into its nearest area.
WindowPlace PullBack(const ScreenRect& window, const std::vector<ScreenRect>& areas);

// A window that lies on no area (its monitor unplugged, the display changed) goes into its
// nearest one; one that shows anywhere, even in part, stays where it is (nothing). `wholly`:
// only one wholly inside an area stays, any other is pulled back into its nearest.
std::optional<WindowPlace> BringOnScreen(const ScreenRect& window,
                                         const std::vector<ScreenRect>& areas, bool wholly = false);

}  // namespace haripon
