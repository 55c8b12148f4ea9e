// What the reminder check asks of the reminder window.
#pragma once

#include <string_view>

namespace haripon {

class ReminderWindowOperations {
  public:
    virtual ~ReminderWindowOperations() = default;

    // False until the window exists: no reminder can be shown before that.
    virtual bool Ready() const = 0;
    virtual bool Visible() const = 0;
    // The character's line, and the memo in up to three rows.
    virtual void DrawReminderLine(std::string_view line) = 0;
    virtual void DrawReminderMemo(std::string_view memo) = 0;
    // The character picture at the theme's place; when the picture cannot be loaded the
    // window shows none, and the error is reported once the window is on the screen.
    virtual void ShowCharacter(std::string_view pictureFile) = 0;
    // Shows the window modally until the user closes it: true then, false when the program
    // ends before that.
    virtual bool ShowReminder() = 0;
};

}  // namespace haripon
