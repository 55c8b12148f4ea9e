// The keys that answer a window which came up on its own (Enter, Space, Esc): they count only
// once the user has given the window the keyboard, not in the first moment after, and not
// when held down from before or repeating, so that a key meant for another program never
// answers it unread.
#pragma once

#include <cstdint>

namespace haripon {

class AnswerKeys {
  public:
    explicit AnswerKeys(std::uint32_t delayMs) : delay_(delayMs) {}

    void SetDelay(std::uint32_t delayMs) { delay_ = delayMs; }
    // The user gave the window the keyboard at `now` (milliseconds of a tick count).
    void Given(std::uint32_t now) {
        given_ = true;
        givenAt_ = now;
    }
    // The window has the keyboard by no doing of the user's, or has lost it.
    void Taken() { given_ = false; }
    // A key pressed at `now`; the tick count may wrap around.
    bool Counts(std::uint32_t now, bool repeated) const {
        return given_ && !repeated && now - givenAt_ >= delay_;
    }

  private:
    std::uint32_t delay_;
    bool given_ = false;
    std::uint32_t givenAt_ = 0;
};

}  // namespace haripon
