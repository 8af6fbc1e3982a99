#!/usr/bin/python3
# Drives and reads the running Tellwick through the accessibility bus (AT-SPI), as a screen
# reader would: by role and name, never by pixels.
#   atspi.py states ROLE NAME         the object's states, one word each ("showing", "checked")
#   atspi.py do ROLE NAME [ACTION]    runs the object's action (its first when none is named)
#   atspi.py unnamed                  lists controls without a name; fails when there is one
#   atspi.py items ROLE NAME          the object's children, "name<TAB>description" a line each
#   atspi.py set ROLE NAME TEXT       puts TEXT into an editable field
#   atspi.py extents ROLE NAME        "x y width height" on the screen, then "x y" in its window,
#                                     a line for each object of that role and name
# ATSPI_APPLICATION names another program to read instead (a desktop shell's panel).
import os
import sys

import pyatspi

CONTROLS = {
    "push button", "toggle button", "check box", "radio button", "menu item", "check menu item",
    "radio menu item", "text", "password text", "combo box", "spin button", "list", "table",
    "tree table", "slider", "page tab", "link",
}


def label(acc):
    # A menu item's name carries its key after a tab, and its mnemonic mark.
    return (acc.name or "").split("\t")[0].replace("&", "")


def walk(acc, path=()):
    if acc is None:
        return
    yield acc, path
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        yield from walk(child, path + (f"{acc.getRoleName()} '{label(acc)}'",))


def program():
    name = os.environ.get("ATSPI_APPLICATION", "tellwick")
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == name:
            return app
    sys.exit(f"{name} is not on the accessibility bus")


def find_all(role, name):
    found = [acc for acc, _ in walk(program()) if acc.getRoleName() == role and label(acc) == name]
    if not found:
        sys.exit(f"no {role} '{name}'")
    return found


def find(role, name):
    return find_all(role, name)[0]


def main(args):
    command = args[0]
    if command == "states":
        states = find(args[1], args[2]).getState().getStates()
        print(" ".join(pyatspi.stateToString(s).replace(" ", "-") for s in states))
    elif command == "do":
        actions = find(args[1], args[2]).queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if len(args) > 3 and args[3] not in names:
            sys.exit(f"no action {args[3]} among {names}")
        index = names.index(args[3]) if len(args) > 3 else 0
        actions.doAction(index)
    elif command == "items":
        parent = find(args[1], args[2])
        for i in range(parent.childCount):
            child = parent.getChildAtIndex(i)
            print(f"{child.name}\t{child.description}")
    elif command == "set":
        find(args[1], args[2]).queryEditableText().setTextContents(args[3])
    elif command == "extents":
        for acc in find_all(args[1], args[2]):
            component = acc.queryComponent()
            screen = component.getExtents(pyatspi.DESKTOP_COORDS)
            window = component.getExtents(pyatspi.WINDOW_COORDS)
            print(screen.x, screen.y, screen.width, screen.height, window.x, window.y)
    elif command == "unnamed":
        unnamed = [f"{' > '.join(path)} > {acc.getRoleName()}" for acc, path in walk(program())
                   if acc.getRoleName() in CONTROLS and not label(acc).strip()
                   and pyatspi.STATE_SHOWING in acc.getState().getStates()]
        print("\n".join(unnamed))
        return 1 if unnamed else 0
    else:
        sys.exit(f"unknown command {command}")
    return 0


sys.exit(main(sys.argv[1:]))
