#include "platform/win32/control_table.h"

#include "platform/win32/form.h"

namespace haripon {

void AddControls(Form& form, const std::vector<ControlArgs>& table, std::string_view pressAction) {
    for (const ControlArgs& row : table) {
        Control& control = *row.made_;
        const Place& place = row.place_;
        control.SetBounds(place.Left, place.Top, place.Width, place.Height);
        if (row.label_) {
            row.label_->SetCaption(row.caption_);
            row.label_->FitToCaption();
        }
        if (row.hint_)
            control.SetHint(row.hint_);
        if (row.name_)
            control.SetAccessibleName(row.name_);
        control.SetTabStop(row.tabStop_);
        if (row.onClick_) {
            control.OnClick = row.onClick_;
            control.SetAccessibleAction(pressAction);
        }
        form.AddControl(control);
    }
}

}  // namespace haripon
