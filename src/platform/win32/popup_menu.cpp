#include "platform/win32/popup_menu.h"

#include <stdexcept>
#include <utility>

#include "platform/core/wide_text_win.h"

namespace haripon {

namespace {

// A menu made for one popup.
class MenuHandle {
  public:
    explicit MenuHandle(HMENU menu) : menu_(menu) {}
    ~MenuHandle() {
        if (menu_)
            DestroyMenu(menu_);
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;

    HMENU Get() const { return menu_; }

  private:
    HMENU menu_;
};

PopupMenu::ScopedHook::Hook& CurrentHook() {
    static PopupMenu::ScopedHook::Hook hook;
    return hook;
}

}  // namespace

UINT PopupMenu::Add(std::string_view caption, std::function<void()> onClick) {
    Item item;
    item.id = firstId_ + static_cast<UINT>(items_.size());
    item.caption = caption;
    item.onClick = std::move(onClick);
    items_.push_back(std::move(item));
    return items_.back().id;
}

void PopupMenu::AddSeparator() {
    Item item;
    item.id = firstId_ + static_cast<UINT>(items_.size());
    item.separator = true;
    items_.push_back(std::move(item));
}

UINT PopupMenu::AddSubmenu(std::string_view caption, PopupMenu& submenu) {
    const UINT id = Add(caption);
    items_.back().submenu = &submenu;
    return id;
}

// This menu's item, or its submenus'.
const PopupMenu::Item* PopupMenu::Search(UINT id) const {
    for (const Item& item : items_) {
        if (item.id == id)
            return &item;
        if (const Item* inner = item.submenu ? item.submenu->Search(id) : nullptr)
            return inner;
    }
    return nullptr;
}

const PopupMenu::Item& PopupMenu::Find(UINT id) const {
    for (const Item& item : items_) {
        if (item.id == id)
            return item;
    }
    throw std::out_of_range("no such menu item");
}

const PopupMenu* PopupMenu::SubmenuOf(UINT id) const {
    const Item* item = Search(id);
    return item ? item->submenu : nullptr;
}

PopupMenu::Item& PopupMenu::Find(UINT id) {
    return const_cast<Item&>(static_cast<const PopupMenu&>(*this).Find(id));
}

void PopupMenu::SetEnabled(UINT id, bool enabled) {
    Find(id).enabled = enabled;
}

bool PopupMenu::Enabled(UINT id) const {
    return Find(id).enabled;
}

void PopupMenu::SetCaption(UINT id, std::string_view caption) {
    Find(id).caption = caption;
}

const std::string& PopupMenu::Caption(UINT id) const {
    return Find(id).caption;
}

UINT PopupMenu::IdOf(std::string_view caption) const {
    for (const Item& item : items_) {
        if (!item.separator && item.caption == caption)
            return item.id;
    }
    for (const Item& item : items_) {
        if (const UINT inner = item.submenu ? item.submenu->IdOf(caption) : 0)
            return inner;
    }
    return 0;
}

HMENU PopupMenu::Build() const {
    const HMENU menu = CreatePopupMenu();
    for (const Item& item : items_) {
        if (item.separator) {
            AppendMenuW(menu, MF_SEPARATOR, item.id, nullptr);
            continue;
        }
        std::wstring caption = WideFromSjis(item.caption);
        for (std::size_t at = caption.find(L'&'); at != std::wstring::npos;
             at = caption.find(L'&', at + 2)) {
            caption.insert(at, 1, L'&');  // drawn, not taken for a mnemonic's mark
        }
        const UINT state = item.enabled ? MF_ENABLED : MF_GRAYED;
        if (item.submenu && !item.submenu->Empty()) {
            AppendMenuW(menu, MF_POPUP | state, reinterpret_cast<UINT_PTR>(item.submenu->Build()),
                        caption.c_str());
        } else {
            AppendMenuW(menu, MF_STRING | state, item.id, caption.c_str());
        }
    }
    return menu;
}

bool PopupMenu::Popup(HWND owner, POINT screen) const {
    if (const auto& hook = CurrentHook()) {
        const UINT chosen = hook(*this);
        Choose(chosen);
        return chosen != 0;
    }
    UINT chosen = 0;
    {
        const MenuHandle menu(Build());  // its submenus go with it
        // Opened to the side the user's setting says (right-handed: the menu to the left).
        const UINT side = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
        chosen = static_cast<UINT>(
            TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY | side,
                           screen.x, screen.y, 0, owner, nullptr));
    }
    // Lets the menu close properly when it was opened for a notification icon.
    PostMessageW(owner, WM_NULL, 0, 0);
    Choose(chosen);
    return chosen != 0;
}

void PopupMenu::Choose(UINT id) const {
    const Item* item = id ? Search(id) : nullptr;
    if (item && item->enabled && !item->separator && item->onClick)
        item->onClick();
}

PopupMenu::ScopedHook::ScopedHook(Hook hook)
    : previous_(std::exchange(CurrentHook(), std::move(hook))) {}

PopupMenu::ScopedHook::~ScopedHook() {
    CurrentHook() = std::move(previous_);
}

}  // namespace haripon
