#pragma once

#include "messaging/ColorCode.h"
#include "messaging/FontDescription.h"
#include "messaging/LineWrap.h"

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>

#include <array>
#include <deque>
#include <memory>
#include <vector>

class QPainter;

// A scrolling store of text lines, newest at the bottom, each word-wrapped to the width and
// coloured by its in-band colour codes. Lines stay bytes of the system code page; they are
// decoded only to measure and draw. Scrolling moves by whole stored lines.
class CTextView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // The vertical scroll requests; each step moves by one stored line.
    enum class ScrollRequest
    {
        LineUp,
        LineDown,
        PageUp,
        PageDown,
        Top,
        Bottom,
        Thumb,
        EndScroll,
    };

    explicit CTextView(QWidget* pParent = nullptr);
    ~CTextView() override;

    // Appends a line, drops the oldest one when over the limit, and follows the newest line
    // unless the user has scrolled back.
    void AddLine(const QByteArray& line);
    void Clear();
    void SetViewFont(const FontDescription& description);
    bool GetViewFont(FontDescription& description) const;
    // Takes effect as lines arrive: each new line beyond the limit pushes out one old line.
    void SetMaxLines(int nMaxLines);
    int GetMaxLines() const { return m_nMaxLines; }
    void SetBottomLine(int nLine);
    void UpdateScrollRange();
    void OnVScroll(ScrollRequest request, int nThumbPosition = 0);

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    // A theme changed while running: the background and plain text take its colours.
    void changeEvent(QEvent* pEvent) override;

    // Paints the whole client rectangle: the lines up to m_nBottomLine, bottom up.
    void OnPaint(QPainter& dc, const QRect& rcClient);
    // The rows of a decoded line at the given width.
    std::vector<TextRow> WrapLine(QStringView text, int nWidth);
    // Draws one row from its top-left point, following its colour codes with the painter's pen
    // (text) and background (cells), and fills the rest of the row up to nRight.
    void DrawSegment(QPainter& dc, QStringView row, QPointF ptTopLeft, int nRight);
    // Width of a piece of text without colour codes.
    qreal TextWidth(QStringView text);

    std::unique_ptr<QFont> m_pFont;
    FontDescription m_logFont;
    QColor m_crBackground;
    std::deque<QByteArray> m_lines;
    int m_nBottomLine = -1;
    int m_nMaxLines = 500;
    int m_nAveCharWidth = 0;
    int m_nLineHeight = 0;
    int m_nAscent = 0;

private:
    void OnScrollBarAction(int nAction);
    qreal CharWidth(char32_t ch);
    // The theme's text colour, which plain text and codes outside the palette draw in.
    Rgb DefaultTextColor() const;
    int LineCount() const { return int(m_lines.size()); }

    // Advances of the current font, measured once per character.
    std::array<qreal, 128> m_asciiWidths{};
    QHash<char32_t, qreal> m_otherWidths;
    std::vector<qreal> m_advances; // scratch for WrapLine
};
