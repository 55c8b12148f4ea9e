// The local date and time, which tests can hold at a moment of their choosing.
#pragma once

#include <cstdint>
#include <optional>

namespace haripon {

struct LocalTime {
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;
    std::uint16_t DayOfWeek = 0;
    std::uint16_t Day = 0;
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint16_t Milliseconds = 0;
};

// The system's local time, unless a ScopedFixedClock holds it.
LocalTime ReadLocalClock();
// The system's local time itself (one implementation per system).
LocalTime ReadSystemClock();

class ScopedFixedClock {
  public:
    explicit ScopedFixedClock(const LocalTime& now);
    ~ScopedFixedClock();
    ScopedFixedClock(const ScopedFixedClock&) = delete;
    ScopedFixedClock& operator=(const ScopedFixedClock&) = delete;

  private:
    std::optional<LocalTime> previous_;
};

// A moment to hold the clock at (seconds 0).
constexpr LocalTime Moment(std::uint16_t year, std::uint16_t month, std::uint16_t day,
                           std::uint16_t hour, std::uint16_t minute) {
    LocalTime time;
    time.Year = year;
    time.Month = month;
    time.Day = day;
    time.Hour = hour;
    time.Minute = minute;
    return time;
}

}  // namespace haripon
