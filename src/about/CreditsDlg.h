#pragma once

#include "about/CreditLines.h"
#include "about/CreditsTimer.h"

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QScopedPointer>
#include <array>
#include <deque>
#include <memory>
#include <span>

class QPainter;
namespace Ui {
class CCreditsDlg;
}

// Dialog 159: the credits rise through a black panel, one pixel per tick of 40 ms, over and
// over until the dialog is closed. A tick scrolls what the panel shows and paints only the row
// it uncovers; the panel remembers what it shows, so it repaints whole when uncovered.
class CCreditsDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CCreditsDlg(QWidget* pParent = nullptr,
                         std::unique_ptr<CCreditsTimer> pTimer = std::make_unique<CCreditsTimer>(),
                         std::span<const char* const> lines = g_creditLines);
    ~CCreditsDlg() override;

    // One tick of the scroll timer.
    void OnTimer();

protected:
    // A line or bitmap on its way up the panel.
    struct ShownItem
    {
        QByteArray strLine; // marker included; empty for a bitmap
        QImage bitmap;
        int nTop = 0; // panel coordinates
    };

    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    // OK, Escape and the close box all end the ticks with the dialog.
    void done(int nResult) override;

    void OnPaint(QPainter& dc, const QRegion& region) const;
    // The line just fetched starts to rise from below the panel.
    void StartLine();
    void EndBitmap();
    // Panel content and what it shows move up by a pixel.
    void ScrollDisplay();

    const QScopedPointer<Ui::CCreditsDlg> m_ui;
    QWidget* m_pDisplay = nullptr;
    QRect m_rectDisplay; // the panel's inside, in its own coordinates
    std::unique_ptr<CCreditsTimer> m_pTimer;
    std::span<const char* const> m_lines;

    int m_nNextIndex = 0;
    int m_nTickCount = 1;
    QByteArray m_strCurrentLine;
    int m_nScrolled = 0;
    int m_nLineHeight = 15;
    bool m_bBitmapShowing = false;
    int m_nBitmapHeight = 0;
    std::deque<ShownItem> m_shown;
    std::array<QFont, 4> m_fonts; // of each kind of line
};

// Runs the Credits dialog modally, owned by the window that is active (the About box).
void ShowCredits();
