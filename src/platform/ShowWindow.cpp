#include "platform/ShowWindow.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

namespace {

constexpr char kMinimisedProperty[] = "tellwickMinimised";

bool IsWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

void ShowAndActivate(QWidget& window, bool bRestore)
{
    const bool bMinimised = window.isMinimized() || window.property(kMinimisedProperty).toBool();
    NoteMinimised(window, false);
    Qt::WindowStates states = window.windowState() & ~Qt::WindowMinimized;
    if (bRestore)
        states &= ~(Qt::WindowMaximized | Qt::WindowFullScreen);
    // A Wayland client cannot ask the compositor to take its window out of the minimised
    // state: the window comes back as a new one instead. It is hidden past any override, as
    // a frame without a tray would only minimise it again.
    if (bMinimised && window.isVisible() && IsWayland()) {
        window.QWidget::setVisible(false);
        window.setWindowState(states);
    }
    // Shown first: a frame hidden to the tray knows how to come back from it.
    window.show();
    if (states != window.windowState())
        window.setWindowState(states);
    window.raise();
    window.activateWindow();
}

void NoteMinimised(QWidget& window, bool bMinimised)
{
    window.setProperty(kMinimisedProperty, bMinimised ? QVariant(true) : QVariant());
}
