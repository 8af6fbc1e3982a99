#include "platform/desktop/ShowWindow.h"

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

void ShowAndActivate(QWidget& window, bool bRestore, const QByteArray& activationToken)
{
    const bool bMinimised = window.isMinimized() || window.property(kMinimisedProperty).toBool();
    NoteMinimised(window, false);
    Qt::WindowStates states = window.windowState() & ~Qt::WindowMinimized;
    if (bRestore)
        states &= ~(Qt::WindowMaximized | Qt::WindowFullScreen);
    // A Wayland client cannot ask the compositor to take its window out of the minimised
    // state, nor learn that the compositor put it there: a window that is not in front may be
    // minimised, so it comes back as a new one. It is hidden past any override, as a frame
    // without a tray would only minimise it again.
    const bool bWayland = IsWayland();
    if ((bMinimised || !window.isActiveWindow()) && window.isVisible() && bWayland)
        window.QWidget::setVisible(false);
    // A hidden window (one in the tray too) takes its state before it is shown, so it never
    // appears minimised first; a shown one changes in place.
    if (!window.isVisible())
        window.setWindowState(states);
    window.show();
    if (states != window.windowState())
        window.setWindowState(states);
    window.raise();
    // Qt's Wayland plugin hands the compositor the token it finds in the environment; one it
    // left there must not reach the programs this one starts.
    const bool bToken = bWayland && !activationToken.isEmpty();
    if (bToken)
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    window.activateWindow();
    if (bToken)
        qunsetenv("XDG_ACTIVATION_TOKEN");
}

void NoteMinimised(QWidget& window, bool bMinimised)
{
    window.setProperty(kMinimisedProperty, bMinimised ? QVariant(true) : QVariant());
}
