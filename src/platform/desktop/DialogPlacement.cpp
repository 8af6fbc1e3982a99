#include "platform/desktop/DialogPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace {

// Where a frame goes to lie on the area, as near its place as it can; one too big keeps its top
// left corner, and so its title bar, on the area.
QPoint FitFrame(const QRect& frame, const QRect& area)
{
    const int nLeft =
        std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width()));
    const int nTop =
        std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height()));
    return {nLeft, nTop};
}

} // namespace

CDialogPlacement::CDialogPlacement(QObject* pParent) : QObject(pParent) {}

void CDialogPlacement::Install()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        qApp->installEventFilter(new CDialogPlacement(qApp));
}

void CDialogPlacement::Place(QWindow& window, QPoint frameTopLeft, const QMargins& frame)
{
    if (const QScreen* pScreen = window.screen())
        frameTopLeft = FitFrame(QRect(frameTopLeft, window.size().grownBy(frame)),
                                pScreen->availableGeometry());
    window.setPosition(frameTopLeft + QPoint(frame.left(), frame.top()));
}

bool CDialogPlacement::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const QEvent::Type type = pEvent->type();
    if (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Move &&
        type != QEvent::Expose)
        return false;
    if (!pWatched->isWindowType())
        return false;
    auto* pWindow = static_cast<QWindow*>(pWatched);
    if (pWindow->type() != Qt::Dialog)
        return false;
    switch (type) {
    case QEvent::Show:
        // Qt has placed the dialog as if its frame were known: that place is the frame's.
        m_mapping.insert(pWindow, pWindow->framePosition());
        break;
    case QEvent::Hide:
        m_mapping.remove(pWindow);
        break;
    default:
        // Mapped and framed: the client goes inside the frame. Some window managers' first
        // report of a new window is off by its title bar; a real move makes them report again.
        if (m_mapping.contains(pWindow) && !pWindow->frameMargins().isNull())
            Place(*pWindow, m_mapping.take(pWindow), pWindow->frameMargins());
        break;
    }
    return false;
}
