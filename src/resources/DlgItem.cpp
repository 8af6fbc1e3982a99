#include "resources/DlgItem.h"

#include "resources/StringTable.h"

#include <QAbstractButton>
#include <QWidget>

int GetDlgCtrlID(const QWidget* pControl)
{
    bool bOk = false;
    const int nId = pControl->property(kCtrlIdProperty).toInt(&bOk);
    return bOk ? nId : -1;
}

QWidget* GetDlgItem(const QWidget* pDialog, int nId)
{
    const QList<QWidget*> children = pDialog->findChildren<QWidget*>();
    for (QWidget* pChild : children) {
        if (GetDlgCtrlID(pChild) == nId)
            return pChild;
    }
    return nullptr;
}

void RegisterToolTips(QWidget* pDialog)
{
    const QList<QWidget*> children = pDialog->findChildren<QWidget*>();
    for (QWidget* pChild : children) {
        const int nId = GetDlgCtrlID(pChild);
        if (nId == -1 || !HasResString(nId))
            continue;
        const QString text = LoadResString(nId);
        const QString tip = text.mid(text.lastIndexOf(QLatin1Char('\n')) + 1);
        pChild->setToolTip(tip);
        // A screen reader cannot read an icon: the tip names a button that shows nothing else.
        const auto* pButton = qobject_cast<const QAbstractButton*>(pChild);
        if (pButton && pButton->text().isEmpty() && pChild->accessibleName().isEmpty())
            pChild->setAccessibleName(tip);
    }
}
