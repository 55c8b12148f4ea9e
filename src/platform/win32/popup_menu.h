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
    // Item identifiers count up from `firstId`: a submenu takes another range than its menu.
    explicit PopupMenu(UINT firstId = 100) : firstId_(firstId) {}

    // Adds an item (caption in Shift-JIS, drawn as it is, an ampersand too) and returns its
    // identifier.
    UINT Add(std::string_view caption, std::function<void()> onClick = {});
    void AddSeparator();
    // An item that opens `submenu`, which the caller keeps and may fill anew before each
    // popup.
    UINT AddSubmenu(std::string_view caption, PopupMenu& submenu);
    void Clear() { items_.clear(); }
    bool Empty() const { return items_.empty(); }

    void SetEnabled(UINT id, bool enabled);
    bool Enabled(UINT id) const;
    void SetCaption(UINT id, std::string_view caption);
    const std::string& Caption(UINT id) const;
    // The identifier of the item with that caption, here or in a submenu, or 0.
    UINT IdOf(std::string_view caption) const;
    // The submenu of item `id`, or null.
    const PopupMenu* SubmenuOf(UINT id) const;

    // Shows the menu at the screen point and runs the chosen item's handler; false when the
    // menu was closed without a choice.
    bool Popup(HWND owner, POINT screen) const;

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
        PopupMenu* submenu = nullptr;
    };
    const Item& Find(UINT id) const;
    Item& Find(UINT id);
    const Item* Search(UINT id) const;
    // The menu made for one popup, its submenus in it.
    HMENU Build() const;
    void Choose(UINT id) const;

    UINT firstId_;
    std::vector<Item> items_;
};

}  // namespace haripon
