#include "resources/Menus.h"

#include "resources/resource.h"

#include <array>

namespace {

constexpr MenuItemRes kSeparator{nullptr, 0};

constexpr std::array kFile{MenuItemRes{"E&xit", ID_APP_EXIT}};
constexpr std::array kView{
    MenuItemRes{"&Toolbar", ID_VIEW_TOOLBAR},
    MenuItemRes{"&Status Bar", ID_VIEW_STATUS_BAR},
};
constexpr std::array kOptions{
    MenuItemRes{"&Always On Top", ID_ALWAYS_ON_TOP},
    MenuItemRes{"&Font...", ID_FONT},
    kSeparator,
    MenuItemRes{"Fast &Mark\tCtrl+M", ID_FAST_MARK},
    MenuItemRes{"&Clear\tAlt+C", ID_CLEAR},
    MenuItemRes{"Send Message...\tCtrl-S", ID_SEND_MESSAGE},
    kSeparator,
    MenuItemRes{"&Properties\tCtrl+C", ID_PROPERTIES},
};
constexpr std::array kHelp{
    MenuItemRes{"Help Topics", ID_HELP_TOPICS},
    MenuItemRes{"Search...", ID_HELP_SEARCH},
    MenuItemRes{"Using Help", ID_HELP_USING_HELP},
    kSeparator,
    MenuItemRes{"&About Tellwick...", ID_APP_ABOUT},
};
constexpr std::array kMainMenu{
    PopupRes{"&File", kFile},
    PopupRes{"&View", kView},
    PopupRes{"&Options", kOptions},
    PopupRes{"&Help", kHelp},
};

constexpr std::array kTrayItems{
    MenuItemRes{"&About", ID_APP_ABOUT},
    kSeparator,
    MenuItemRes{"Send Message...", ID_SEND_MESSAGE},
    MenuItemRes{"&Properties...", ID_PROPERTIES},
    kSeparator,
    MenuItemRes{"E&xit", ID_APP_EXIT},
};
constexpr std::array kTrayMenu{PopupRes{"POPUP_MENU", kTrayItems}};

} // namespace

std::span<const PopupRes> LoadMenuRes(int nID)
{
    switch (nID) {
    case IDR_MAINFRAME:
        return kMainMenu;
    case IDR_POPUP_MENU:
        return kTrayMenu;
    default:
        return {};
    }
}
