#include "about/HyperLink.h"

#include "about/HyperLinkAccessible.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QUrl>

CHyperLink::CHyperLink(QWidget* pParent)
    : QLabel(pParent), m_crText(palette().color(QPalette::WindowText)), m_font(QApplication::font())
{
    // Texts are shown as they are: no markup, no mnemonics.
    setTextFormat(Qt::PlainText);
    setFont(m_font);
    ApplyColors();
    CHyperLinkAccessible::Install();
}

CHyperLink::~CHyperLink() = default;

void CHyperLink::ApplyColors()
{
    QPalette colors = palette();
    colors.setColor(QPalette::WindowText, m_crText);
    setPalette(colors);
}

void CHyperLink::Redraw()
{
    repaint();
}

void CHyperLink::SetTextColor(const QColor& crText)
{
    m_crText = crText;
    ApplyColors();
    Redraw();
}

void CHyperLink::SetFontUnderline(bool bUnderline)
{
    m_font.setUnderline(bUnderline);
    setFont(m_font);
    Redraw();
}

void CHyperLink::SetNotify(bool bNotify)
{
    m_bNotify = bNotify;
    setFocusPolicy(bNotify ? Qt::StrongFocus : Qt::NoFocus);
}

void CHyperLink::SetLink(bool bLink)
{
    SetNotify(bLink);
}

void CHyperLink::SetCallback(Callback pfnCallback)
{
    m_pfnCallback = std::move(pfnCallback);
    SetNotify(bool(m_pfnCallback));
}

void CHyperLink::Activate()
{
    if (m_bNotify)
        OnLButtonDown();
}

void CHyperLink::mousePressEvent(QMouseEvent* pEvent)
{
    if (!m_bNotify || pEvent->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(pEvent);
        return;
    }
    // The callback's dialog may outlive this label: its owner can go meanwhile.
    const QPointer<CHyperLink> pAlive(this);
    OnLButtonDown();
    if (pAlive)
        QLabel::mousePressEvent(pEvent);
    pEvent->accept();
}

void CHyperLink::keyPressEvent(QKeyEvent* pEvent)
{
    const int nKey = pEvent->key();
    if (!m_bNotify || pEvent->isAutoRepeat() || pEvent->modifiers() & ~Qt::KeypadModifier ||
        (nKey != Qt::Key_Return && nKey != Qt::Key_Enter && nKey != Qt::Key_Space)) {
        QLabel::keyPressEvent(pEvent);
        return;
    }
    // Taken here, so that Enter does not also press the dialog's default button.
    pEvent->accept();
    OnLButtonDown();
}

void CHyperLink::paintEvent(QPaintEvent* pEvent)
{
    QLabel::paintEvent(pEvent);
    if (!hasFocus())
        return;
    // The focus frame goes round the text, not round the room the layout gives the label.
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    option.rect =
        style()
            ->itemTextRect(fontMetrics(), contentsRect(), int(alignment()), isEnabled(), text())
            .adjusted(-1, 0, 1, 0)
            .intersected(rect());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

void CHyperLink::OnLButtonDown()
{
    if (m_pfnCallback) {
        // The callback may run a modal dialog; it ends before the click is done with.
        m_pfnCallback();
        return;
    }
    if (m_strLink.isEmpty())
        m_strLink = text();
    // A failure to open is not reported, as the shell's was not.
    QDesktopServices::openUrl(QUrl::fromUserInput(m_strLink));
}
