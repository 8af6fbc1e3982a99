#include "extlib/orvocmn/ButtonST.h"

#include "resources/ResIcon.h"

#include <QFile>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace {

// The program's icon resources live in its Qt resources, one drawing per id.
QIcon LoadIconResource(int nId)
{
    const QString path = ResIconPath(nId);
    return (nId != 0 && QFile::exists(path)) ? QIcon(path) : QIcon();
}

constexpr int kSpacing = 4;
// A button squeezed below its size hint still shows its icon at least this large.
constexpr QSize kSmallestIcon(16, 16);

} // namespace

CButtonST::CButtonST(QWidget* pParent) : QPushButton(pParent)
{
    QPushButton::setFlat(true);
    setAttribute(Qt::WA_Hover);
    // A button that draws itself is never a dialog's default: Return with the focus on it
    // still means the dialog's own default button.
    setAutoDefault(false);
}

CButtonST::~CButtonST() = default;

void CButtonST::SetIcon(int nIcon, int nIconHover, quint8 cx, quint8 cy)
{
    m_icon = LoadIconResource(nIcon);
    m_iconHover = LoadIconResource(nIconHover);
    m_sizeIcon = QSize(cx, cy);
    updateGeometry();
    update();
}

void CButtonST::SetAlign(int nAlign)
{
    m_nAlign = (nAlign >= AlignIconAbove && nAlign <= AlignIconLeft) ? nAlign : AlignIconAbove;
    updateGeometry();
    update();
}

void CButtonST::SetFlat(bool bFlat)
{
    QPushButton::setFlat(bFlat);
}

QStyleOptionButton CButtonST::ButtonOption() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    // The icon is drawn here, not by the style.
    option.icon = QIcon();
    option.iconSize = QSize();
    return option;
}

QSize CButtonST::ContentSize(QSize iconSize) const
{
    if (text().isEmpty())
        return iconSize;
    const QSize caption = fontMetrics().size(Qt::TextShowMnemonic, text());
    if (m_nAlign == AlignIconAbove)
        return {qMax(iconSize.width(), caption.width()),
                iconSize.height() + kSpacing + caption.height()};
    return {iconSize.width() + kSpacing + caption.width(),
            qMax(iconSize.height(), caption.height())};
}

QSize CButtonST::sizeHint() const
{
    const QStyleOptionButton option = ButtonOption();
    return style()->sizeFromContents(QStyle::CT_PushButton, &option, ContentSize(m_sizeIcon), this);
}

QSize CButtonST::minimumSizeHint() const
{
    const QStyleOptionButton option = ButtonOption();
    return style()->sizeFromContents(QStyle::CT_PushButton, &option,
                                     ContentSize(m_sizeIcon.boundedTo(kSmallestIcon)), this);
}

CButtonST::Placement CButtonST::Place(const QRect& content) const
{
    const bool bCaption = !text().isEmpty();
    const QSize caption = bCaption ? fontMetrics().size(Qt::TextShowMnemonic, text()) : QSize();
    QSize room = content.size();
    if (bCaption && m_nAlign == AlignIconAbove)
        room.rheight() -= caption.height() + kSpacing;
    else if (bCaption)
        room.rwidth() -= caption.width() + kSpacing;
    room = room.expandedTo(QSize(0, 0));

    QSize icon = m_sizeIcon;
    if (icon.width() > room.width() || icon.height() > room.height())
        icon.scale(room, Qt::KeepAspectRatio);

    // Icon and caption are centred together as one block.
    QRect block(QPoint(), ContentSize(icon));
    block.moveCenter(content.center());
    Placement placement;
    if (!bCaption) {
        placement.icon = block;
    } else if (m_nAlign == AlignIconAbove) {
        placement.icon = QRect(QPoint(block.center().x() - icon.width() / 2, block.top()), icon);
        placement.caption = QRect(block.left(), block.bottom() - caption.height() + 1,
                                  block.width(), caption.height());
    } else {
        const int iconLeft =
            m_nAlign == AlignIconLeft ? block.left() : block.right() - icon.width() + 1;
        const int captionLeft =
            m_nAlign == AlignIconLeft ? block.left() + icon.width() + kSpacing : block.left();
        placement.icon = QRect(QPoint(iconLeft, block.center().y() - icon.height() / 2), icon);
        placement.caption =
            QRect(QPoint(captionLeft, block.center().y() - caption.height() / 2), caption);
    }
    return placement;
}

void CButtonST::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionButton option = ButtonOption();
    const bool bHover = isEnabled() && (option.state & QStyle::State_MouseOver);
    // A flat button rises under the pointer and while pressed.
    if (bHover || isDown() || isChecked())
        option.features &= ~QStyleOptionButton::Flat;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown() || isChecked())
        content.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    const Placement placement = Place(content);

    const QIcon& icon = (bHover && !m_iconHover.isNull()) ? m_iconHover : m_icon;
    const QIcon::Mode mode =
        !isEnabled() ? QIcon::Disabled : (bHover ? QIcon::Active : QIcon::Normal);
    if (!placement.icon.isEmpty())
        icon.paint(&painter, placement.icon, Qt::AlignCenter, mode);
    if (!text().isEmpty())
        painter.drawItemText(placement.caption, Qt::AlignCenter | Qt::TextShowMnemonic,
                             option.palette, isEnabled(), text(), QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
