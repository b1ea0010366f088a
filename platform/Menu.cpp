#include "platform/FrameWidget.h"
#include "platform/MessageQueue.h"
#include "platform/ModalAnswers.h"
#include "platform/WindowInternal.h"

#include <QAction>
#include <QMenu>

#include <algorithm>
#include <memory>
#include <vector>

struct PlatformMenu {
    struct Item {
        UINT flags = 0;
        UINT_PTR id = 0;
        std::u16string text;
        HMENU submenu = nullptr; // owned by this menu
    };
    std::vector<Item> items;
};

namespace {

std::vector<std::unique_ptr<PlatformMenu>>& menus() {
    static std::vector<std::unique_ptr<PlatformMenu>> list;
    return list;
}

PlatformMenu* liveMenu(HMENU menu) {
    const auto& list = menus();
    const auto it =
        std::find_if(list.begin(), list.end(), [menu](const auto& m) { return m.get() == menu; });
    return it != list.end() ? it->get() : nullptr;
}

// The item that position names: by index with MF_BYPOSITION, else by command id (searched
// through submenus too). Returns the menu holding it and its index.
std::pair<PlatformMenu*, std::size_t> findItem(HMENU menu, UINT position, UINT flags) {
    PlatformMenu* m = liveMenu(menu);
    if (m == nullptr)
        return {nullptr, 0};
    if (flags & MF_BYPOSITION) {
        if (position < m->items.size())
            return {m, position};
        return {nullptr, 0};
    }
    for (std::size_t i = 0; i < m->items.size(); ++i) {
        const auto& item = m->items[i];
        if (item.submenu != nullptr) {
            if (auto found = findItem(item.submenu, position, flags); found.first != nullptr)
                return found;
        } else if ((item.flags & MF_SEPARATOR) == 0 && item.id == position) {
            return {m, i};
        }
    }
    return {nullptr, 0};
}

// True when target is root or lies somewhere below it; a menu must never become its own
// submenu.
bool reaches(HMENU root, HMENU target) {
    if (root == target)
        return true;
    const PlatformMenu* m = liveMenu(root);
    if (m == nullptr)
        return false;
    return std::any_of(m->items.begin(), m->items.end(), [target](const auto& item) {
        return item.submenu != nullptr && reaches(item.submenu, target);
    });
}

bool validSubmenu(HMENU menu, UINT flags, UINT_PTR id) {
    if ((flags & MF_POPUP) == 0)
        return true;
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const auto sub = reinterpret_cast<HMENU>(id);
    return liveMenu(sub) != nullptr && !reaches(sub, menu);
}

PlatformMenu::Item makeItem(UINT flags, UINT_PTR id, const char16_t* text) {
    PlatformMenu::Item item;
    item.flags = flags & ~MF_BYPOSITION;
    if (flags & MF_POPUP) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        item.submenu = reinterpret_cast<HMENU>(id);
        item.id = 0;
    } else {
        item.id = id;
    }
    if (text != nullptr && (flags & (MF_SEPARATOR | MF_BITMAP | MF_OWNERDRAW)) == 0)
        item.text = text;
    return item;
}

bool choosable(HMENU menu, UINT_PTR id) {
    const auto [m, index] = findItem(menu, static_cast<UINT>(id), MF_BYCOMMAND);
    return m != nullptr && (m->items[index].flags & (MF_GRAYED | MF_DISABLED)) == 0;
}

void describe(const PlatformMenu& m, std::vector<platform::test::MenuItemInfo>& out) {
    for (const auto& item : m.items) {
        out.push_back(platform::test::MenuItemInfo{item.flags, item.id, item.text, {}});
        if (const PlatformMenu* sub = liveMenu(item.submenu))
            describe(*sub, out.back().submenu);
    }
}

void fillMenu(QMenu& qmenu, const PlatformMenu& m) {
    for (const auto& item : m.items) {
        if (item.flags & MF_SEPARATOR) {
            qmenu.addSeparator();
            continue;
        }
        const QString text = QString::fromStdU16String(item.text);
        if (item.submenu != nullptr) {
            QMenu* sub = qmenu.addMenu(text);
            if (const PlatformMenu* child = liveMenu(item.submenu))
                fillMenu(*sub, *child);
            sub->setEnabled((item.flags & (MF_GRAYED | MF_DISABLED)) == 0);
            continue;
        }
        QAction* action = qmenu.addAction(text);
        action->setData(QVariant::fromValue<qulonglong>(item.id));
        action->setEnabled((item.flags & (MF_GRAYED | MF_DISABLED)) == 0);
        if (item.flags & MF_CHECKED) {
            action->setCheckable(true);
            action->setChecked(true);
        }
    }
}

UINT runMenu(HMENU menu, UINT flags, int x, int y, HWND owner) {
    PlatformMenu* m = liveMenu(menu);
    PlatformWindow* w = platform::liveWindow(owner);
    QMenu qmenu(w != nullptr ? w->frame->window() : nullptr);
    fillMenu(qmenu, *m);
    QPoint at(x, y);
    const QSize size = qmenu.sizeHint();
    if (flags & TPM_RIGHTALIGN)
        at.rx() -= size.width();
    else if (flags & TPM_CENTERALIGN)
        at.rx() -= size.width() / 2;
    if (flags & TPM_BOTTOMALIGN)
        at.ry() -= size.height();
    else if (flags & TPM_VCENTERALIGN)
        at.ry() -= size.height() / 2;
    const QAction* chosen = qmenu.exec(at);
    return chosen != nullptr ? static_cast<UINT>(chosen->data().toULongLong()) : 0;
}

} // namespace

HMENU CreatePopupMenu() {
    menus().push_back(std::make_unique<PlatformMenu>());
    return menus().back().get();
}

BOOL DestroyMenu(HMENU menu) {
    PlatformMenu* m = liveMenu(menu);
    if (m == nullptr)
        return FALSE;
    const std::vector<PlatformMenu::Item> items = std::move(m->items);
    auto& list = menus();
    list.erase(
        std::find_if(list.begin(), list.end(), [menu](const auto& p) { return p.get() == menu; }));
    for (const auto& item : items) {
        if (item.submenu != nullptr)
            DestroyMenu(item.submenu);
    }
    return TRUE;
}

BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char16_t* text) {
    PlatformMenu* m = liveMenu(menu);
    if (m == nullptr)
        return FALSE;
    if (!validSubmenu(menu, flags, id))
        return FALSE;
    m->items.push_back(makeItem(flags, id, text));
    return TRUE;
}

BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, const char16_t* text) {
    if (liveMenu(menu) == nullptr || !validSubmenu(menu, flags, id))
        return FALSE;
    auto [m, index] = findItem(menu, position, flags);
    if (m == nullptr) {
        // A position past the end appends, as on the handheld system.
        m = liveMenu(menu);
        if (m == nullptr)
            return FALSE;
        index = m->items.size();
    }
    m->items.insert(m->items.begin() + static_cast<std::ptrdiff_t>(index),
                    makeItem(flags, id, text));
    return TRUE;
}

BOOL DeleteMenu(HMENU menu, UINT position, UINT flags) {
    auto [m, index] = findItem(menu, position, flags);
    if (m == nullptr)
        return FALSE;
    const HMENU submenu = m->items[index].submenu;
    m->items.erase(m->items.begin() + static_cast<std::ptrdiff_t>(index));
    if (submenu != nullptr)
        DestroyMenu(submenu);
    return TRUE;
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    auto [m, index] = findItem(menu, item, flags);
    if (m == nullptr)
        return -1;
    UINT& itemFlags = m->items[index].flags;
    const UINT old = itemFlags & (MF_GRAYED | MF_DISABLED);
    itemFlags = (itemFlags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(old);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    auto [m, index] = findItem(menu, item, flags);
    if (m == nullptr)
        return static_cast<DWORD>(-1);
    UINT& itemFlags = m->items[index].flags;
    const UINT old = itemFlags & MF_CHECKED;
    itemFlags = (itemFlags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return old;
}

int GetMenuItemCount(HMENU menu) {
    const PlatformMenu* m = liveMenu(menu);
    return m != nullptr ? static_cast<int>(m->items.size()) : -1;
}

UINT GetMenuItemID(HMENU menu, int position) {
    const PlatformMenu* m = liveMenu(menu);
    if (m == nullptr || position < 0 || static_cast<std::size_t>(position) >= m->items.size())
        return static_cast<UINT>(-1);
    const auto& item = m->items[static_cast<std::size_t>(position)];
    if (item.submenu != nullptr)
        return static_cast<UINT>(-1);
    return static_cast<UINT>(item.id);
}

HMENU GetSubMenu(HMENU menu, int position) {
    const PlatformMenu* m = liveMenu(menu);
    if (m == nullptr || position < 0 || static_cast<std::size_t>(position) >= m->items.size())
        return nullptr;
    return m->items[static_cast<std::size_t>(position)].submenu;
}

int GetMenuString(HMENU menu, UINT item, char16_t* buffer, int size, UINT flags) {
    const auto [m, index] = findItem(menu, item, flags);
    if (m == nullptr || buffer == nullptr || size <= 0)
        return 0;
    const std::u16string& text = m->items[index].text;
    const auto copied = std::min(text.size(), static_cast<std::size_t>(size - 1));
    std::copy_n(text.begin(), copied, buffer);
    buffer[copied] = u'\0';
    return static_cast<int>(copied);
}

BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info) {
    const auto [m, index] =
        findItem(menu, item, byPosition != FALSE ? MF_BYPOSITION : MF_BYCOMMAND);
    if (m == nullptr || info == nullptr)
        return FALSE;
    const PlatformMenu::Item& it = m->items[index];
    if (info->fMask & (MIIM_TYPE | MIIM_FTYPE))
        info->fType = (it.flags & MF_SEPARATOR) != 0 ? MFT_SEPARATOR : MFT_STRING;
    if (info->fMask & MIIM_STATE)
        info->fState = it.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED);
    if (info->fMask & MIIM_ID)
        info->wID = static_cast<UINT>(it.id);
    if (info->fMask & MIIM_SUBMENU)
        info->hSubMenu = it.submenu;
    if ((info->fMask & (MIIM_TYPE | MIIM_STRING)) && (it.flags & MF_SEPARATOR) == 0) {
        if (info->dwTypeData != nullptr && info->cch > 0) {
            const auto copied = std::min<std::size_t>(it.text.size(), info->cch - 1);
            std::copy_n(it.text.begin(), copied, info->dwTypeData);
            info->dwTypeData[copied] = u'\0';
            info->cch = static_cast<UINT>(copied);
        } else {
            info->cch = static_cast<UINT>(it.text.size());
        }
    }
    return TRUE;
}

BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info) {
    const auto [m, index] =
        findItem(menu, item, byPosition != FALSE ? MF_BYPOSITION : MF_BYCOMMAND);
    if (m == nullptr || info == nullptr)
        return FALSE;
    PlatformMenu::Item& it = m->items[index];
    if (info->fMask & MIIM_STATE)
        it.flags = (it.flags & ~(MF_GRAYED | MF_DISABLED | MF_CHECKED)) |
                   (info->fState & (MF_GRAYED | MF_DISABLED | MF_CHECKED));
    if ((info->fMask & MIIM_ID) && it.submenu == nullptr)
        it.id = info->wID;
    if ((info->fMask & (MIIM_TYPE | MIIM_STRING)) && (it.flags & MF_SEPARATOR) == 0)
        it.text = info->dwTypeData != nullptr ? std::u16string(info->dwTypeData) : u"";
    return TRUE;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int /*reserved*/, HWND owner,
                    const RECT* /*ignored*/) {
    if (liveMenu(menu) == nullptr)
        return FALSE;
    // The owner sets item states while the menu opens.
    if (IsWindow(owner)) {
        SendMessage(owner, WM_ENTERMENULOOP, TRUE, 0);
        SendMessage(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    }
    if (liveMenu(menu) == nullptr)
        return FALSE;
    UINT chosen = 0;
    if (const auto queued = platform::takeQueuedPopupMenuAnswer()) {
        // A queued choice is a click: an item that is greyed or missing cannot be chosen.
        chosen = (*queued != 0 && choosable(menu, *queued)) ? *queued : 0;
    } else if (!platform::modalLoopsUnattended()) {
        chosen = runMenu(menu, flags, x, y, owner);
    }
    platform::test::PopupMenuCall call{owner, POINT{x, y}, flags, {}, chosen};
    if (const PlatformMenu* m = liveMenu(menu))
        describe(*m, call.items);
    platform::recordPopupMenu(std::move(call));
    if (IsWindow(owner))
        SendMessage(owner, WM_EXITMENULOOP, TRUE, 0);
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(chosen);
    if (chosen != 0 && (flags & TPM_NONOTIFY) == 0)
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(chosen), 0), 0);
    return chosen != 0 ? TRUE : FALSE;
}
