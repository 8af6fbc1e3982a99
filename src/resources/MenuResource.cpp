#include "resources/MenuResource.h"

#include "resources/resource.h"

#include <QCoreApplication>
#include <span>

namespace {

// One entry of a menu: a command (id), a sub-menu (items) or, without text, a separator. The
// titles of the pop-up menus' single entries are never shown, so they are not translated.
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
    {QT_TRANSLATE_NOOP("MenuResource", "&Black"), ID_COLOR_BLACK, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Red"), ID_COLOR_RED, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Green"), ID_COLOR_GREEN, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "B&lue"), ID_COLOR_BLUE, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Yellow"), ID_COLOR_YELLOW, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Orange"), ID_COLOR_ORANGE, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Purple"), ID_COLOR_PURPLE, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "Brow&n"), ID_COLOR_BROWN, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&White"), ID_COLOR_WHITE, {}},
};
constexpr MenuItemRes kColorMenu[] = {{"Colors", 0, kColorItems}};

constexpr MenuItemRes kSeparator{nullptr, 0, {}};

constexpr MenuItemRes kFileItems[] = {
    {QT_TRANSLATE_NOOP("MenuResource", "E&xit"), ID_APP_EXIT, {}},
};
constexpr MenuItemRes kViewItems[] = {
    {QT_TRANSLATE_NOOP("MenuResource", "&Toolbar"), ID_VIEW_TOOLBAR, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Status Bar"), ID_VIEW_STATUS_BAR, {}},
};
constexpr MenuItemRes kOptionsItems[] = {
    {QT_TRANSLATE_NOOP("MenuResource", "&Always On Top"), ID_ALWAYS_ON_TOP, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Font..."), ID_FONT, {}},
    kSeparator,
    {QT_TRANSLATE_NOOP("MenuResource", "Fast &Mark\tCtrl+M"), ID_FAST_MARK, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Clear\tAlt+C"), ID_CLEAR, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "Send Message...\tCtrl-S"), ID_SEND_MESSAGE, {}},
    kSeparator,
    {QT_TRANSLATE_NOOP("MenuResource", "&Properties\tCtrl+P"), ID_PROPERTIES, {}},
};
constexpr MenuItemRes kHelpItems[] = {
    {QT_TRANSLATE_NOOP("MenuResource", "Help Topics"), ID_HELP_TOPICS, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "Search..."), ID_HELP_SEARCH, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "Using Help"), ID_HELP_USING_HELP, {}},
    kSeparator,
    {QT_TRANSLATE_NOOP("MenuResource", "&About Tellwick..."), ID_APP_ABOUT, {}},
};
constexpr MenuItemRes kMainMenu[] = {
    {QT_TRANSLATE_NOOP("MenuResource", "&File"), 0, kFileItems},
    {QT_TRANSLATE_NOOP("MenuResource", "&View"), 0, kViewItems},
    {QT_TRANSLATE_NOOP("MenuResource", "&Options"), 0, kOptionsItems},
    {QT_TRANSLATE_NOOP("MenuResource", "&Help"), 0, kHelpItems},
};

constexpr MenuItemRes kTrayItems[] = {
    {QT_TRANSLATE_NOOP("MenuResource", "&About"), ID_APP_ABOUT, {}},
    kSeparator,
    {QT_TRANSLATE_NOOP("MenuResource", "Send Message..."), ID_SEND_MESSAGE, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Properties..."), ID_PROPERTIES, {}},
    kSeparator,
    {QT_TRANSLATE_NOOP("MenuResource", "E&xit"), ID_APP_EXIT, {}},
};
constexpr MenuItemRes kTrayMenu[] = {{"POPUP_MENU", 0, kTrayItems}};

constexpr MenuItemRes kContextItems[] = {
    {QT_TRANSLATE_NOOP("MenuResource", "&Hide\tCtrl+H"), ID_HIDE, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Clear\tAlt+C"), ID_CLEAR, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "Fast &Mark\tCtrl+M"), ID_FAST_MARK, {}},
    {QT_TRANSLATE_NOOP("MenuResource", "&Send Message\tCtrl+S"), ID_SEND_MESSAGE, {}},
    kSeparator,
    {QT_TRANSLATE_NOOP("MenuResource", "&Properties\tCtrl+P"), ID_PROPERTIES, {}},
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
            AppendItems(pMenu->addMenu(QCoreApplication::translate("MenuResource", item.text)),
                        item.items);
        } else {
            QAction* pAction =
                pMenu->addAction(QCoreApplication::translate("MenuResource", item.text));
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
