#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>

class QMargins;
class QWindow;

// Keeps every dialog's frame on its screen's available area, and what Qt reports of its
// position where the window manager really put it. A window manager may tell the frame only
// once the window is mapped, so the dialog is moved into its frame then. X11 only: elsewhere
// the desktop places windows.
class CDialogPlacement : public QObject
{
    Q_OBJECT

public:
    // Watches every window of the application from now on.
    static void Install();

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    explicit CDialogPlacement(QObject* pParent);

    // Puts the frame at its place, or as near as the screen allows, and the client inside it.
    static void Place(QWindow& window, QPoint frameTopLeft, const QMargins& frame);

    // Dialogs shown whose frame is not known yet, and where their frame is to go.
    QHash<QWindow*, QPoint> m_mapping;
};
