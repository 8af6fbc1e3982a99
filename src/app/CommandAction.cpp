#include "app/CommandAction.h"

#include <QAction>

QAction* NewCommandAction(const QString& strText, int nID, QObject* pParent)
{
    auto* pAction = new QAction(strText, pParent);
    pAction->setData(nID);
    return pAction;
}

int CommandId(const QAction* pAction)
{
    return pAction ? pAction->data().toInt() : 0;
}
