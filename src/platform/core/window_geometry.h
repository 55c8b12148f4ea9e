// Where a window may stand on the desktop.
#pragma once

namespace haripon {

struct WindowPlace {
    int Left;
    int Top;
};

// Pulls a window of the given size back inside the desktop rectangle (its right and bottom
// edges; left and top are 0): left first, then top, then right, then bottom, so a window
// wider than the desktop ends at a negative left.
WindowPlace ClampToDesktop(WindowPlace place, int width, int height, int desktopRight,
                           int desktopBottom);

}  // namespace haripon
