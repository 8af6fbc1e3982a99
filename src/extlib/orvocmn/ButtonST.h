#pragma once

#include <QIcon>
#include <QPushButton>

// A push button that draws an icon of the program's resources, with its caption beside or
// below it. Clicks, mnemonics and tool tips work as on any push button.
class CButtonST : public QPushButton
{
    Q_OBJECT

public:
    // Where the icon stands to the caption (a button without caption centres its icon); other
    // values give the default.
    enum Align
    {
        AlignIconAbove = 0, // the default
        AlignIconRight = 1,
        AlignIconLeft = 2,
    };

    explicit CButtonST(QWidget* pParent = nullptr);
    ~CButtonST() override;

    // Icon resource nIcon at cx by cy pixels; nIconHover, when not 0, is shown instead while
    // the pointer is over the button. The icon is drawn smaller when the button is.
    void SetIcon(int nIcon, int nIconHover, quint8 cx, quint8 cy);
    void SetAlign(int nAlign);
    // FALSE gives a raised frame; a flat button (the default) shows its frame only under the
    // pointer.
    void SetFlat(bool bFlat = true);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    struct Placement
    {
        QRect icon;
        QRect caption;
    };

    QStyleOptionButton ButtonOption() const;
    QSize ContentSize(QSize iconSize) const;
    Placement Place(const QRect& content) const;

    QIcon m_icon;
    QIcon m_iconHover;
    QSize m_sizeIcon{0, 0};
    int m_nAlign = AlignIconAbove;
};
