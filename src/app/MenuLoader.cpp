#include "app/MenuLoader.h"

#include <QAction>
#include <QMenu>

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

void AppendMenuItems(QMenu& menu, const PopupRes& popup)
{
    for (const MenuItemRes& item : popup.items) {
        if (item.text)
            menu.addAction(NewCommandAction(QString::fromUtf8(item.text), item.nID, &menu));
        else
            menu.addSeparator();
    }
}
