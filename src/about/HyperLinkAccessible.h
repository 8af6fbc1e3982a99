#pragma once

#include <QAccessibleWidget>

class CHyperLink;

// What screen readers see of a link label: a link named by its text, with the press action
// that a click has; a label that takes no clicks is plain text. Install() makes it the one of
// every CHyperLink.
class CHyperLinkAccessible : public QAccessibleWidget
{
public:
    explicit CHyperLinkAccessible(CHyperLink* pLink);

    static void Install();

    QAccessible::Role role() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    CHyperLink* Link() const;
};
