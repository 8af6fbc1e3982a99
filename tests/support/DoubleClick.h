#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

// A double-click in the middle of a widget as the window system reports it, whatever clicks
// came before (QTest's own clicks depend on the timing of earlier ones).
inline void DoubleClick(QWidget& widget, Qt::MouseButton button)
{
    const QPointF pos(widget.width() / 2.0, widget.height() / 2.0);
    QMouseEvent click(QEvent::MouseButtonDblClick, pos, widget.mapToGlobal(pos), button, button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &click);
}
