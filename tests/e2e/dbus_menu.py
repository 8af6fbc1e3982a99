#!/usr/bin/python3
# The tray item's menu as a D-Bus tray host reads it: the menu the item exports
# (com.canonical.dbusmenu at the path its Menu property names), never its ContextMenu call.
#   dbus_menu.py items                  the items the StatusNotifierWatcher has registered
#   dbus_menu.py layout ITEM            "label<TAB>enabled" per entry, after AboutToShow
# ITEM is "bus-name/object-path" as the watcher lists it (GNOME's: "bus-name@/object-path"). Labels keep their "_" mnemonics.
import sys
import time

import dbus

ITEM_INTERFACE = "org.kde.StatusNotifierItem"
MENU_INTERFACE = "com.canonical.dbusmenu"


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def registered_items(bus):
    watcher = bus.get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
    return [str(item) for item in watcher.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems",
                                              dbus_interface=dbus.PROPERTIES_IFACE)]


def exported_menu(bus, item):
    name, _, path = item.partition("/")
    name = name.removesuffix("@")
    properties = bus.get_object(name, "/" + path)
    menu_path = str(properties.Get(ITEM_INTERFACE, "Menu", dbus_interface=dbus.PROPERTIES_IFACE))
    if menu_path in ("", "/", "/NO_DBUSMENU"):
        fail(f"the item exports no menu (Menu is {menu_path!r})")
    return dbus.Interface(bus.get_object(name, menu_path), MENU_INTERFACE)


def entries(menu):
    # As a host opens the menu: AboutToShow lets the item update it, then the layout is read.
    menu.AboutToShow(0)
    menu.Event(0, "opened", dbus.Int32(0, variant_level=1), dbus.UInt32(int(time.time())))
    _, (_, _, children) = menu.GetLayout(0, -1, dbus.Array([], signature="s"))
    for child in children:
        item_id, properties, _ = child
        if properties.get("type") == "separator":
            yield item_id, "", True
        else:
            yield item_id, str(properties.get("label", "")), bool(properties.get("enabled", True))


def main():
    bus = dbus.SessionBus()
    if sys.argv[1:2] == ["items"]:
        print("\n".join(registered_items(bus)))
    elif sys.argv[1:2] == ["layout"] and len(sys.argv) == 3:
        for _, label, enabled in entries(exported_menu(bus, sys.argv[2])):
            print(f"{label}\t{'enabled' if enabled else 'disabled'}")
    else:
        fail("usage: dbus_menu.py items | layout ITEM")


main()
