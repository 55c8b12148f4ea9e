// A popup menu opened at a screen point; its items are enabled, greyed and re-captioned by
// code before it opens.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace haripon {

class PopupMenu {
  public:
    // Adds an item (caption in Shift-JIS) and returns its identifier.
    UINT Add(std::string_view caption, std::function<void()> onClick = {});
    void AddSeparator();

    void SetEnabled(UINT id, bool enabled);
    bool Enabled(UINT id) const;
    void SetCaption(UINT id, std::string_view caption);
    const std::string& Caption(UINT id) const;
    // The identifier of the item with that caption, or 0.
    UINT IdOf(std::string_view caption) const;

    // Shows the menu at the screen point and runs the chosen item's handler.
    void Popup(HWND owner, POINT screen) const;

    // While one lives, tests in the program's own process answer here instead of the
    // user: the hook gets the menu as it would open and returns the item to choose, or 0
    // for none. The hook before it comes back at its end.
    class ScopedHook {
      public:
        using Hook = std::function<UINT(const PopupMenu& menu)>;
        explicit ScopedHook(Hook hook);
        ~ScopedHook();
        ScopedHook(const ScopedHook&) = delete;
        ScopedHook& operator=(const ScopedHook&) = delete;

      private:
        Hook previous_;
    };

  private:
    struct Item {
        UINT id = 0;
        std::string caption;
        bool enabled = true;
        bool separator = false;
        std::function<void()> onClick;
    };
    const Item& Find(UINT id) const;
    Item& Find(UINT id);
    void Choose(UINT id) const;

    std::vector<Item> items_;
};

}  // namespace haripon
