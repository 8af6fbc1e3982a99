#include "resources/MenuResource.h"

#include "resources/resource.h"

#include <span>

namespace {

// One entry of a menu: a command (id), a sub-menu (items) or, without text, a separator.
struct MenuItemRes
{
    const char* text;
    int id;
    std::span<const MenuItemRes> items;
};

struct MenuRes
{
    int id;
    std::span<const MenuItemRes> items;
};

constexpr MenuItemRes kColorItems[] = {
    {"&Black", ID_COLOR_BLACK, {}},   {"&Red", ID_COLOR_RED, {}},
    {"&Green", ID_COLOR_GREEN, {}},   {"B&lue", ID_COLOR_BLUE, {}},
    {"&Yellow", ID_COLOR_YELLOW, {}}, {"&Orange", ID_COLOR_ORANGE, {}},
    {"&Purple", ID_COLOR_PURPLE, {}}, {"Brow&n", ID_COLOR_BROWN, {}},
    {"&White", ID_COLOR_WHITE, {}},
};
constexpr MenuItemRes kColorMenu[] = {{"Colors", 0, kColorItems}};

constexpr MenuRes kMenus[] = {
    {IDR_COLOR_MENU, kColorMenu},
};

void AppendItems(QMenu* pMenu, std::span<const MenuItemRes> items)
{
    for (const MenuItemRes& item : items) {
        if (!item.text) {
            pMenu->addSeparator();
        } else if (!item.items.empty()) {
            AppendItems(pMenu->addMenu(QString::fromUtf8(item.text)), item.items);
        } else {
            QAction* pAction = pMenu->addAction(QString::fromUtf8(item.text));
            pAction->setData(item.id);
        }
    }
}

} // namespace

std::unique_ptr<QMenu> LoadMenuResource(int nId)
{
    for (const MenuRes& menu : kMenus) {
        if (menu.id == nId) {
            auto pMenu = std::make_unique<QMenu>();
            AppendItems(pMenu.get(), menu.items);
            return pMenu;
        }
    }
    return nullptr;
}
