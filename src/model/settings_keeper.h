// What the windows ask of the one keeper of the settings file, the application: each save
// and each look made the same way, what it brought shown, a failure told.
#pragma once

#include "platform/core/local_clock.h"

namespace haripon {

class SettingsKeeper {
  public:
    virtual ~SettingsKeeper() = default;
    // Writes the file (merged with what other copies wrote; `now` for the day's first copy),
    // shows what the save brought and tells the user when it failed: false then.
    virtual bool SaveSettings(const LocalTime& now) = 0;
    // Looks at the file and shows what other copies changed.
    virtual void FollowSettingsFile(const LocalTime& now) = 0;
};

}  // namespace haripon
