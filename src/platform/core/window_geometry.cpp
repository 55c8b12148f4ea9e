#include "platform/core/window_geometry.h"

namespace haripon {

WindowPlace ClampToDesktop(WindowPlace place, int width, int height, int desktopRight,
                           int desktopBottom) {
    if (place.Left < 0)
        place.Left = 0;
    if (place.Top < 0)
        place.Top = 0;
    if (place.Left > desktopRight - width)
        place.Left = desktopRight - width;
    if (place.Top > desktopBottom - height)
        place.Top = desktopBottom - height;
    return place;
}

}  // namespace haripon
