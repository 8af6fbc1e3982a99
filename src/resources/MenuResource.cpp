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

constexpr MenuItemRes kSeparator{nullptr, 0, {}};

constexpr MenuItemRes kFileItems[] = {{"E&xit", ID_APP_EXIT, {}}};
constexpr MenuItemRes kViewItems[] = {
    {"&Toolbar", ID_VIEW_TOOLBAR, {}},
    {"&Status Bar", ID_VIEW_STATUS_BAR, {}},
};
constexpr MenuItemRes kOptionsItems[] = {
    {"&Always On Top", ID_ALWAYS_ON_TOP, {}},
    {"&Font...", ID_FONT, {}},
    kSeparator,
    {"Fast &Mark\tCtrl+M", ID_FAST_MARK, {}},
    {"&Clear\tAlt+C", ID_CLEAR, {}},
    {"Send Message...\tCtrl-S", ID_SEND_MESSAGE, {}},
    kSeparator,
    {"&Properties\tCtrl+P", ID_PROPERTIES, {}},
};
constexpr MenuItemRes kHelpItems[] = {
    {"Help Topics", ID_HELP_TOPICS, {}},
    {"Search...", ID_HELP_SEARCH, {}},
    {"Using Help", ID_HELP_USING_HELP, {}},
    kSeparator,
    {"&About Tellwick...", ID_APP_ABOUT, {}},
};
constexpr MenuItemRes kMainMenu[] = {
    {"&File", 0, kFileItems},
    {"&View", 0, kViewItems},
    {"&Options", 0, kOptionsItems},
    {"&Help", 0, kHelpItems},
};

constexpr MenuItemRes kTrayItems[] = {
    {"&About", ID_APP_ABOUT, {}},
    kSeparator,
    {"Send Message...", ID_SEND_MESSAGE, {}},
    {"&Properties...", ID_PROPERTIES, {}},
    kSeparator,
    {"E&xit", ID_APP_EXIT, {}},
};
constexpr MenuItemRes kTrayMenu[] = {{"POPUP_MENU", 0, kTrayItems}};

constexpr MenuItemRes kContextItems[] = {
    {"&Hide\tCtrl+H", ID_HIDE, {}},
    {"&Clear\tAlt+C", ID_CLEAR, {}},
    {"Fast &Mark\tCtrl+M", ID_FAST_MARK, {}},
    {"&Send Message\tCtrl+S", ID_SEND_MESSAGE, {}},
    kSeparator,
    {"&Properties\tCtrl+P", ID_PROPERTIES, {}},
};
constexpr MenuItemRes kContextMenu[] = {{"CONTEXT_MENU", 0, kContextItems}};

constexpr MenuRes kMenus[] = {
    {IDR_MAINFRAME, kMainMenu},
    {IDR_COLOR_MENU, kColorMenu},
    {IDR_POPUP_MENU, kTrayMenu},
    {IDR_CONTEXT_MENU, kContextMenu},
};

const MenuRes* FindMenu(int nId)
{
    for (const MenuRes& menu : kMenus) {
        if (menu.id == nId)
            return &menu;
    }
    return nullptr;
}

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
    const MenuRes* pRes = FindMenu(nId);
    if (!pRes)
        return nullptr;
    auto pMenu = std::make_unique<QMenu>();
    AppendItems(pMenu.get(), pRes->items);
    return pMenu;
}

std::unique_ptr<QMenu> LoadPopupMenu(int nId, QWidget* pParent)
{
    const MenuRes* pRes = FindMenu(nId);
    if (!pRes || pRes->items.empty() || pRes->items.front().items.empty())
        return nullptr;
    auto pMenu = std::make_unique<QMenu>(pParent);
    AppendItems(pMenu.get(), pRes->items.front().items);
    return pMenu;
}
