#include "app/SizingBorder.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWindow>
#include <algorithm>

namespace {

Qt::CursorShape CursorFor(Qt::Edges edges)
{
    if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
        return Qt::SizeFDiagCursor;
    if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
        return Qt::SizeBDiagCursor;
    if (edges & (Qt::LeftEdge | Qt::RightEdge))
        return Qt::SizeHorCursor;
    return edges ? Qt::SizeVerCursor : Qt::ArrowCursor;
}

} // namespace

CSizingBorder::CSizingBorder(QWidget* pFrame)
    : QWidget(pFrame),
      m_nThickness(
          std::max(4, style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this)))
{
    setObjectName(QStringLiteral("sizingBorder"));
    setMouseTracking(true);
    hide();
    pFrame->installEventFilter(this);
}

void CSizingBorder::SetShown(bool bShown)
{
    const int nMargin = bShown ? m_nThickness : 0;
    parentWidget()->setContentsMargins(nMargin, nMargin, nMargin, nMargin);
    if (bShown)
        FitFrame();
    setVisible(bShown);
}

Qt::Edges CSizingBorder::EdgesAt(QPoint pos) const
{
    const QRect frame = rect();
    const int nRing = m_nThickness;
    if (!frame.contains(pos) || frame.adjusted(nRing, nRing, -nRing, -nRing).contains(pos))
        return {};
    // Near a corner, over a stretch longer than the ring is thick, both edges of the corner move.
    const int nCorner = 4 * nRing;
    const bool bOnSide = pos.x() < frame.left() + nRing || pos.x() > frame.right() - nRing;
    const bool bOnEnd = pos.y() < frame.top() + nRing || pos.y() > frame.bottom() - nRing;
    const int nReachX = bOnEnd ? nCorner : nRing;
    const int nReachY = bOnSide ? nCorner : nRing;
    Qt::Edges edges;
    if (pos.x() < frame.left() + nReachX)
        edges |= Qt::LeftEdge;
    else if (pos.x() > frame.right() - nReachX)
        edges |= Qt::RightEdge;
    if (pos.y() < frame.top() + nReachY)
        edges |= Qt::TopEdge;
    else if (pos.y() > frame.bottom() - nReachY)
        edges |= Qt::BottomEdge;
    return edges;
}

bool CSizingBorder::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == parentWidget() && pEvent->type() == QEvent::Resize &&
        isVisibleTo(parentWidget()))
        FitFrame();
    return QWidget::eventFilter(pWatched, pEvent);
}

void CSizingBorder::FitFrame()
{
    setGeometry(parentWidget()->rect());
    // Only the ring is this widget's: the frame's contents inside it take their own input.
    const QRect ring = rect();
    setMask(QRegion(ring) -
            QRegion(ring.adjusted(m_nThickness, m_nThickness, -m_nThickness, -m_nThickness)));
    raise();
}

void CSizingBorder::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionFrame option;
    option.initFrom(this);
    option.lineWidth = m_nThickness;
    style()->drawPrimitive(QStyle::PE_FrameWindow, &option, &painter, this);
}

void CSizingBorder::mousePressEvent(QMouseEvent* pEvent)
{
    const Qt::Edges edges = EdgesAt(pEvent->position().toPoint());
    if (pEvent->button() != Qt::LeftButton || !edges) {
        QWidget::mousePressEvent(pEvent);
        return;
    }
    QWindow* pWindow = window()->windowHandle();
    if (pWindow && pWindow->startSystemResize(edges))
        return;
    m_dragged = edges;
    m_pressPos = pEvent->globalPosition().toPoint();
    m_pressGeometry = parentWidget()->geometry();
}

void CSizingBorder::mouseMoveEvent(QMouseEvent* pEvent)
{
    if (!m_dragged) {
        setCursor(CursorFor(EdgesAt(pEvent->position().toPoint())));
        return;
    }
    // The edges not dragged stay where they were, also where the frame reaches its minimum.
    QWidget* pFrame = parentWidget();
    const QSize minimum = pFrame->minimumSize().expandedTo(pFrame->minimumSizeHint());
    const QPoint moved = pEvent->globalPosition().toPoint() - m_pressPos;
    QRect placed = m_pressGeometry;
    if (m_dragged & Qt::LeftEdge)
        placed.setLeft(std::min(placed.left() + moved.x(), placed.right() + 1 - minimum.width()));
    if (m_dragged & Qt::RightEdge)
        placed.setRight(std::max(placed.right() + moved.x(), placed.left() + minimum.width() - 1));
    if (m_dragged & Qt::TopEdge)
        placed.setTop(std::min(placed.top() + moved.y(), placed.bottom() + 1 - minimum.height()));
    if (m_dragged & Qt::BottomEdge)
        placed.setBottom(
            std::max(placed.bottom() + moved.y(), placed.top() + minimum.height() - 1));
    pFrame->setGeometry(placed);
}

void CSizingBorder::mouseReleaseEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton)
        m_dragged = {};
    QWidget::mouseReleaseEvent(pEvent);
}
