#include "about/HyperLink.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPointer>
#include <QUrl>

CHyperLink::CHyperLink(QWidget* pParent)
    : QLabel(pParent), m_crText(palette().color(QPalette::WindowText)), m_font(QApplication::font())
{
    // Texts are shown as they are: no markup, no mnemonics.
    setTextFormat(Qt::PlainText);
    setFont(m_font);
    ApplyColors();
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

void CHyperLink::SetLink(bool bLink)
{
    m_bNotify = bLink;
}

void CHyperLink::SetCallback(Callback pfnCallback)
{
    m_pfnCallback = std::move(pfnCallback);
    m_bNotify = bool(m_pfnCallback);
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
