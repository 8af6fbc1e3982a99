#pragma once

class QWindow;

// Asks the window manager to leave the window out of the task bar. Call it before the window
// is mapped; it does nothing where the display is not X11.
void SkipTaskBar(QWindow* pWindow);
