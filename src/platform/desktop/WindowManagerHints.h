#pragma once

class QWindow;

// Window-manager requests that Qt has no flag for, or whose Qt flag makes Qt re-create the
// window at its next showing (which drops the other requests). Each returns false, doing
// nothing, where the display is not X11.

// Keeps the window above all others, or not. Call it again after each mapping: the window
// manager forgets the states of a window it no longer shows.
bool SetAlwaysOnTop(QWindow* pWindow, bool bOnTop);
