#pragma once

// True when the session bus has a StatusNotifierWatcher with a tray host registered. Qt then
// puts its tray icons there instead of into an XEmbed tray, and a click on the icon arrives
// only as an activation, never as a double-click.
bool IsStatusNotifierTray();
