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
    if (bMinimised && window.isVisible() && IsWayland())
        window.QWidget::setVisible(false);
    // A hidden window (one in the tray too) takes its state before it is shown, so it never
    // appears minimised first; a shown one changes in place.
    if (!window.isVisible())
        window.setWindowState(states);
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
