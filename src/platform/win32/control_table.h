// A form's graphic controls made from a table, one small record a control, bottom to top: a
// form's layout reads as a table.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "platform/win32/controls.h"

namespace haripon {

class Form;

struct Place {
    int Left;
    int Top;
    int Width;
    int Height;
};

class ControlArgs {
  public:
    // A control at its place: its hint (which screen readers read unless it has a name),
    // whether Tab reaches it, and what a click on it does.
    ControlArgs(Control& made, Place place, const char* hint = nullptr, const char* name = nullptr,
                bool tabStop = false, std::function<void()> onClick = {})
        : made_(&made),
          place_(place),
          hint_(hint),
          name_(name),
          tabStop_(tabStop),
          onClick_(std::move(onClick)) {}
    // A label with its caption at a point, as large as the caption.
    ControlArgs(Label& made, const char* caption, POINT at)
        : made_(&made), label_(&made), place_{at.x, at.y, 0, 0}, caption_(caption) {}

  private:
    friend void AddControls(Form& form, const std::vector<ControlArgs>& table,
                            std::string_view pressAction);
    Control* made_;
    Label* label_ = nullptr;
    Place place_;
    const char* caption_ = nullptr;
    const char* hint_ = nullptr;
    const char* name_ = nullptr;
    bool tabStop_ = false;
    std::function<void()> onClick_;
};

// Each control of the table placed, described and added to the form, in the table's order;
// one that can be clicked is said to be pressed with `pressAction` (Shift-JIS).
void AddControls(Form& form, const std::vector<ControlArgs>& table,
                 std::string_view pressAction = {});

}  // namespace haripon
