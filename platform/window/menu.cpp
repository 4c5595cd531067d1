// Item bookkeeping of pop-up menus; the showing is popup_menu.cpp's.
#include "platform/window/menu.h"

#include "platform/window/popup_menu.h"
#include "platform/window/wnd.h"

namespace plat {

namespace {
constexpr UINT kNoItem = 0xFFFFFFFF;
constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED;
} // namespace

char16_t CMenu::Item::Mnemonic() const {
    char16_t key = 0;
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == u'&') {
            ++i;
            if (text[i] != u'&')
                key = text[i];
        }
    return key;
}

std::u16string CMenu::Item::ShownText() const {
    std::u16string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && ++i >= text.size())
            break;
        shown.push_back(text[i]);
    }
    return shown;
}

bool CMenu::CreatePopupMenu() {
    m_items.clear();
    m_default.reset();
    return true;
}

bool CMenu::AppendMenu(UINT flags, UINT_PTR id, std::u16string_view text) {
    return InsertMenu(static_cast<UINT>(m_items.size()), flags | MF_BYPOSITION, id, text);
}

bool CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR id, std::u16string_view text) {
    const size_t at = std::min<size_t>(position, m_items.size());
    Item item{flags & (MF_SEPARATOR | kStateBits), static_cast<UINT>(id), std::u16string(text)};
    if (item.IsSeparator())
        item.id = 0;
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    if (m_default && *m_default >= at)
        ++*m_default;
    if (flags & MF_DEFAULT)
        m_default = at;
    return true;
}

std::optional<size_t> CMenu::Find(UINT item, UINT byFlags) const {
    if (byFlags & MF_BYPOSITION)
        return item < m_items.size() ? std::optional<size_t>(item) : std::nullopt;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (!m_items[i].IsSeparator() && m_items[i].id == item)
            return i;
    return std::nullopt;
}

bool CMenu::DeleteMenu(UINT item, UINT byFlags) {
    const auto at = Find(item, byFlags);
    if (!at)
        return false;
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(*at));
    if (m_default == at)
        m_default.reset();
    else if (m_default && *m_default > *at)
        --*m_default;
    return true;
}

UINT CMenu::CheckMenuItem(UINT item, UINT flags) {
    const auto at = Find(item, flags);
    if (!at)
        return kNoItem;
    const UINT previous = m_items[*at].flags & MF_CHECKED;
    m_items[*at].flags = (m_items[*at].flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

UINT CMenu::EnableMenuItem(UINT item, UINT flags) {
    const auto at = Find(item, flags);
    if (!at)
        return kNoItem;
    const UINT previous = m_items[*at].flags & (MF_GRAYED | MF_DISABLED);
    m_items[*at].flags =
        (m_items[*at].flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return previous;
}

bool CMenu::SetDefaultItem(UINT item, bool byPosition) {
    if (item == kNoItem) {
        m_default.reset();
        return true;
    }
    const auto at = Find(item, byPosition ? MF_BYPOSITION : MF_BYCOMMAND);
    if (!at || m_items[*at].IsSeparator())
        return false;
    m_default = at;
    return true;
}

UINT CMenu::GetDefaultItem(bool byPosition) const {
    if (!m_default)
        return kNoItem;
    return byPosition ? static_cast<UINT>(*m_default) : m_items[*m_default].id;
}

UINT CMenu::GetMenuState(UINT item, UINT byFlags) const {
    const auto at = Find(item, byFlags);
    if (!at)
        return kNoItem;
    UINT state = m_items[*at].flags;
    if (m_default == at)
        state |= MF_DEFAULT;
    return state;
}

UINT CMenu::GetMenuItemID(int position) const {
    if (position < 0 || static_cast<size_t>(position) >= m_items.size())
        return kNoItem;
    return m_items[static_cast<size_t>(position)].IsSeparator() ? 0
                                                                : m_items[static_cast<size_t>(position)].id;
}

std::u16string CMenu::GetMenuString(UINT item, UINT byFlags) const {
    const auto at = Find(item, byFlags);
    return at ? m_items[*at].text : std::u16string();
}

UINT_PTR CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) {
    if (owner && owner->GetSafeHwnd())
        owner->SendMessage(WM_INITMENUPOPUP, 0, 0);
    if (m_items.empty())
        return 0;
    CPopupMenu popup(*this, flags, owner);
    const UINT chosen = popup.Run({x, y});
    if (flags & TPM_RETURNCMD)
        return chosen;
    if (chosen != 0 && owner && owner->GetSafeHwnd() && !(flags & TPM_NONOTIFY))
        owner->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<std::uint16_t>(chosen), 0), 0);
    return chosen != 0 ? 1 : 0;
}

} // namespace plat
