#pragma once

#include <span>

// One entry of a drop-down or pop-up menu; a separator has no text.
struct MenuItemRes
{
    const char* text;
    int nID;
};

// One drop-down of a menu resource: its title in the menu bar and its entries.
struct PopupRes
{
    const char* text;
    std::span<const MenuItemRes> items;
};

// The drop-downs of a menu resource (140: the main menu; 157: the tray icon's pop-up menu,
// whose first drop-down is the menu), empty when there is no menu with that id.
std::span<const PopupRes> LoadMenuRes(int nID);
