#include "about/HyperLinkAccessible.h"

#include "about/HyperLink.h"

#include <QMetaObject>

namespace {

QAccessibleInterface* Create(const QString& strClassName, QObject* pObject)
{
    if (strClassName != QLatin1String("CHyperLink"))
        return nullptr;
    return new CHyperLinkAccessible(static_cast<CHyperLink*>(pObject));
}

} // namespace

CHyperLinkAccessible::CHyperLinkAccessible(CHyperLink* pLink)
    : QAccessibleWidget(pLink, QAccessible::Link)
{
}

void CHyperLinkAccessible::Install()
{
    static const bool bInstalled = (QAccessible::installFactory(Create), true);
    Q_UNUSED(bInstalled);
}

CHyperLink* CHyperLinkAccessible::Link() const
{
    return static_cast<CHyperLink*>(widget());
}

QAccessible::Role CHyperLinkAccessible::role() const
{
    return Link()->TakesClicks() ? QAccessible::Link : QAccessible::StaticText;
}

QString CHyperLinkAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && Link()->accessibleName().isEmpty())
        return Link()->text();
    return QAccessibleWidget::text(t);
}

QAccessible::State CHyperLinkAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = true;
    state.linked = Link()->TakesClicks();
    return state;
}

QStringList CHyperLinkAccessible::actionNames() const
{
    QStringList names = QAccessibleWidget::actionNames();
    if (Link()->TakesClicks())
        names.prepend(pressAction());
    return names;
}

void CHyperLinkAccessible::doAction(const QString& actionName)
{
    // Later, as a button's press is: the credits run a dialog of their own, and the screen
    // reader's call would wait for it to close.
    if (actionName == pressAction() && Link()->TakesClicks())
        QMetaObject::invokeMethod(Link(), &CHyperLink::Activate, Qt::QueuedConnection);
    else
        QAccessibleWidget::doAction(actionName);
}
