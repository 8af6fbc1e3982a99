#include "messaging/TextView.h"

#include "messaging/ColorCode.h"
#include "messaging/FontConversion.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// The character at nPos, a surrogate pair taken whole; returns how many units it spans.
qsizetype CharacterAt(QStringView text, qsizetype nPos, char32_t& ch)
{
    const QChar unit = text[nPos];
    if (unit.isHighSurrogate() && nPos + 1 < text.size() && text[nPos + 1].isLowSurrogate()) {
        ch = QChar::surrogateToUcs4(unit, text[nPos + 1]);
        return 2;
    }
    ch = unit.unicode();
    return 1;
}

} // namespace

CTextView::CTextView(QWidget* pParent)
    : QAbstractScrollArea(pParent)
    , m_crBackground(palette().color(QPalette::Base))
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Painting covers every pixel, so nothing is erased first.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::ArrowCursor);

    QScrollBar* pBar = verticalScrollBar();
    pBar->setRange(0, 0);
    pBar->setSingleStep(1);
    pBar->setPageStep(1);
    connect(pBar, &QScrollBar::actionTriggered, this, &CTextView::OnScrollBarAction);

    SetViewFont(ToFontDescription(QApplication::font()));
}

CTextView::~CTextView() = default;

void CTextView::AddLine(const QByteArray& line)
{
    m_lines.push_back(line);
    if (LineCount() > m_nMaxLines) {
        m_lines.pop_front();
        --m_nBottomLine;
    }
    UpdateScrollRange();
    if (m_nBottomLine == LineCount() - 2 || m_nBottomLine == -1)
        SetBottomLine(m_nBottomLine + 1);
    else
        viewport()->update();
}

void CTextView::Clear()
{
    m_lines.clear();
    m_nBottomLine = -1;
    UpdateScrollRange();
    viewport()->update();
}

void CTextView::SetViewFont(const FontDescription& description)
{
    m_pFont = std::make_unique<QFont>(ToQFont(description));
    m_logFont = description;

    const QFontMetrics metrics(*m_pFont);
    m_nAveCharWidth = metrics.averageCharWidth();
    m_nLineHeight = metrics.height();
    m_nAscent = metrics.ascent();
    const QFontMetricsF advances(*m_pFont);
    for (char32_t ch = 0; ch < m_asciiWidths.size(); ++ch)
        m_asciiWidths[ch] = advances.horizontalAdvance(QChar(ch));
    m_otherWidths.clear();

    viewport()->update();
}

bool CTextView::GetViewFont(FontDescription& description) const
{
    if (!m_pFont)
        return false;
    description = m_logFont;
    return true;
}

void CTextView::SetMaxLines(int nMaxLines)
{
    m_nMaxLines = nMaxLines;
}

void CTextView::SetBottomLine(int nLine)
{
    m_nBottomLine = qMin(qMax(nLine, -1), LineCount() - 1);
    verticalScrollBar()->setValue(m_nBottomLine);
    viewport()->update();
}

void CTextView::UpdateScrollRange()
{
    verticalScrollBar()->setRange(0, LineCount() - 1);
}

void CTextView::OnVScroll(ScrollRequest request, int nThumbPosition)
{
    switch (request) {
    case ScrollRequest::LineUp:
    case ScrollRequest::PageUp:
        if (m_nBottomLine > 0)
            SetBottomLine(m_nBottomLine - 1);
        break;
    case ScrollRequest::LineDown:
    case ScrollRequest::PageDown:
        if (m_nBottomLine < LineCount() - 1)
            SetBottomLine(m_nBottomLine + 1);
        break;
    case ScrollRequest::Thumb:
        SetBottomLine(nThumbPosition);
        break;
    case ScrollRequest::Top:
        SetBottomLine(0);
        break;
    case ScrollRequest::Bottom:
        SetBottomLine(LineCount() - 1);
        break;
    case ScrollRequest::EndScroll:
        break;
    }
}

// The scroll bar has already moved its slider by its own step when this runs; the view decides
// instead, and the slider follows m_nBottomLine.
void CTextView::OnScrollBarAction(int nAction)
{
    QScrollBar* pBar = verticalScrollBar();
    switch (nAction) {
    case QAbstractSlider::SliderSingleStepSub:
        OnVScroll(ScrollRequest::LineUp);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        OnVScroll(ScrollRequest::LineDown);
        break;
    case QAbstractSlider::SliderPageStepSub:
        OnVScroll(ScrollRequest::PageUp);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        OnVScroll(ScrollRequest::PageDown);
        break;
    case QAbstractSlider::SliderToMinimum:
        OnVScroll(ScrollRequest::Top);
        break;
    case QAbstractSlider::SliderToMaximum:
        OnVScroll(ScrollRequest::Bottom);
        break;
    case QAbstractSlider::SliderMove:
        OnVScroll(ScrollRequest::Thumb, pBar->sliderPosition());
        break;
    default:
        OnVScroll(ScrollRequest::EndScroll);
        break;
    }
    pBar->setSliderPosition(qMax(m_nBottomLine, 0));
}

void CTextView::paintEvent(QPaintEvent*)
{
    QPainter dc(viewport());
    OnPaint(dc, viewport()->rect());
}

void CTextView::changeEvent(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::PaletteChange ||
        pEvent->type() == QEvent::ApplicationPaletteChange) {
        m_crBackground = palette().color(QPalette::Base);
        viewport()->update();
    }
    QAbstractScrollArea::changeEvent(pEvent);
}

void CTextView::OnPaint(QPainter& dc, const QRect& rcClient)
{
    dc.save();
    dc.setFont(*m_pFont);
    if (m_nBottomLine == -1) {
        dc.fillRect(rcClient, m_crBackground);
        dc.restore();
        return;
    }

    const QColor crDefault = QColor::fromRgb(DefaultTextColor());
    int y = rcClient.bottom() + 1;
    for (int nLine = m_nBottomLine; nLine >= 0; --nLine) {
        dc.setBackground(m_crBackground);
        dc.setPen(crDefault);
        const QString text = QString::fromLocal8Bit(m_lines[size_t(nLine)]);
        const std::vector<TextRow> rows = WrapLine(text, rcClient.width());
        y -= int(rows.size()) * m_nLineHeight;
        int nRowTop = y;
        for (const TextRow& row : rows) {
            DrawSegment(dc, QStringView(text).sliced(row.nStart, row.nEnd - row.nStart),
                        QPointF(rcClient.left(), nRowTop), rcClient.right() + 1);
            nRowTop += m_nLineHeight;
        }
        if (y <= rcClient.top())
            break;
        if (nLine == 0)
            dc.fillRect(QRect(rcClient.topLeft(), QPoint(rcClient.right(), y - 1)), m_crBackground);
    }
    dc.restore();
}

std::vector<TextRow> CTextView::WrapLine(QStringView text, int nWidth)
{
    m_advances.assign(size_t(text.size()), 0.0);
    char32_t ch = 0;
    for (qsizetype i = 0, nLength = 0; i < text.size(); i += nLength) {
        nLength = CharacterAt(text, i, ch);
        m_advances[size_t(i)] = CharWidth(ch);
    }
    return ::WrapLine(text, m_advances, nWidth);
}

void CTextView::DrawSegment(QPainter& dc, QStringView row, QPointF ptTopLeft, int nRight)
{
    const auto drawText = [&](QStringView piece) {
        if (piece.isEmpty())
            return;
        const qreal nWidth = TextWidth(piece);
        dc.fillRect(QRectF(ptTopLeft.x(), ptTopLeft.y(), nWidth, m_nLineHeight), dc.background());
        dc.drawText(QPointF(ptTopLeft.x(), ptTopLeft.y() + m_nAscent), piece.toString());
        ptTopLeft.rx() += nWidth;
    };

    for (qsizetype nCode = row.indexOf(QLatin1Char(kColorControl)); nCode >= 0;
         nCode = row.indexOf(QLatin1Char(kColorControl))) {
        drawText(row.first(nCode));
        const ColorCode code = ParseDecodedColorCode(row.sliced(nCode));
        // Indices without a palette entry draw as plain text: default text on the window.
        if (code.nForeground != kNoColor)
            dc.setPen(QColor::fromRgb(PaletteColor(code.nForeground, DefaultTextColor())));
        if (code.nBackground != kNoColor)
            dc.setBackground(QColor::fromRgb(PaletteColor(code.nBackground, m_crBackground.rgb())));
        row = row.sliced(nCode + qMax(1, code.nLength));
    }
    drawText(row);
    if (ptTopLeft.x() < nRight)
        dc.fillRect(QRectF(ptTopLeft.x(), ptTopLeft.y(), nRight - ptTopLeft.x(), m_nLineHeight),
                    m_crBackground);
}

qreal CTextView::TextWidth(QStringView text)
{
    qreal nWidth = 0;
    char32_t ch = 0;
    for (qsizetype i = 0, nLength = 0; i < text.size(); i += nLength) {
        nLength = CharacterAt(text, i, ch);
        nWidth += CharWidth(ch);
    }
    return nWidth;
}

Rgb CTextView::DefaultTextColor() const
{
    return palette().color(QPalette::Text).rgb();
}

qreal CTextView::CharWidth(char32_t ch)
{
    if (m_logFont.IsFixedPitch())
        return m_nAveCharWidth;
    if (ch < m_asciiWidths.size())
        return m_asciiWidths[ch];
    const auto it = m_otherWidths.constFind(ch);
    if (it != m_otherWidths.constEnd())
        return *it;
    const qreal nWidth =
        QFontMetricsF(*m_pFont).horizontalAdvance(QString::fromUcs4(&ch, 1));
    m_otherWidths.insert(ch, nWidth);
    return nWidth;
}
