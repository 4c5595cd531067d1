// CMenu: the items of a pop-up menu (commands, separators, check marks, greyed items and
// one default item drawn bold) and TrackPopupMenu, which shows them at a screen point and
// runs until an item is chosen or the menu is dismissed.
#pragma once

#include "platform/window/control_defs.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

class CWnd;

class CMenu {
public:
    struct Item {
        UINT flags{MF_STRING}; // MF_SEPARATOR, MF_CHECKED, MF_GRAYED, MF_DISABLED
        UINT id{0};
        std::u16string text;
        bool IsSeparator() const { return (flags & MF_SEPARATOR) != 0; }
        bool IsEnabled() const { return !IsSeparator() && !(flags & (MF_GRAYED | MF_DISABLED)); }
        bool IsChecked() const { return (flags & MF_CHECKED) != 0; }
        // The key that chooses the item: the character after an "&" ("&&" stands for an
        // "&" itself; of several, the last counts, as it is the one drawn underlined).
        // Zero when there is none.
        char16_t Mnemonic() const;
        // The text as drawn, without the "&" marks.
        std::u16string ShownText() const;
    };

    // Starts an empty menu (an existing one is emptied).
    bool CreatePopupMenu();
    bool AppendMenu(UINT flags, UINT_PTR id = 0, std::u16string_view text = {});
    bool InsertMenu(UINT position, UINT flags, UINT_PTR id = 0, std::u16string_view text = {});
    bool DeleteMenu(UINT item, UINT byFlags);
    // The previous MF_CHECKED or MF_GRAYED state, or 0xFFFFFFFF when there is no such item.
    UINT CheckMenuItem(UINT item, UINT flags);
    UINT EnableMenuItem(UINT item, UINT flags);
    bool SetDefaultItem(UINT item, bool byPosition = false);
    // The default item's id (or position), 0xFFFFFFFF when there is none.
    UINT GetDefaultItem(bool byPosition = false) const;
    UINT GetMenuState(UINT item, UINT byFlags) const;
    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    UINT GetMenuItemID(int position) const;
    std::u16string GetMenuString(UINT item, UINT byFlags) const;
    const std::vector<Item>& Items() const { return m_items; }

    // With TPM_RETURNCMD returns the chosen id (0 when dismissed); otherwise posts
    // WM_COMMAND with the id to `owner` and returns nonzero when an item was chosen.
    // The owner receives WM_INITMENUPOPUP before the menu shows (it may still change the
    // items), and WM_ENTERIDLE whenever the menu waits for input.
    UINT_PTR TrackPopupMenu(UINT flags, int x, int y, CWnd* owner);

private:
    std::optional<size_t> Find(UINT item, UINT byFlags) const;

    std::vector<Item> m_items;
    std::optional<size_t> m_default;
};

} // namespace plat
