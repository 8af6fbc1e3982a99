#pragma once

#include <QRect>
#include <QWidget>

// The sizing border of a frame that the window manager draws without any decoration: a thin
// ring along the frame's edges from which the frame is resized, through the window system where
// it offers that, else by following the pointer.
class CSizingBorder : public QWidget
{
    Q_OBJECT

public:
    explicit CSizingBorder(QWidget* pFrame);

    // Shows or hides the ring; while it is shown the frame's contents keep clear of it.
    void SetShown(bool bShown);
    // The edges a press at pos (in the frame) resizes; none off the ring.
    Qt::Edges EdgesAt(QPoint pos) const;

protected:
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;

private:
    void FitFrame();

    int m_nThickness;
    // Edges followed by hand, where the window system cannot resize the frame itself.
    Qt::Edges m_dragged;
    QPoint m_pressPos;
    QRect m_pressGeometry;
};
