#include "alerts/ReportList.h"

#include <QHeaderView>
#include <QKeyEvent>

CReportList::CReportList(QWidget* pParent) : QTreeWidget(pParent)
{
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(true);
}

int CReportList::GetFirstSelected(qsizetype nItems) const
{
    for (int i = 0; i < topLevelItemCount() && i < nItems; ++i) {
        if (topLevelItem(i)->isSelected())
            return i;
    }
    return -1;
}

void CReportList::SelectRow(int nRow)
{
    if (QTreeWidgetItem* pItem = topLevelItem(nRow))
        setCurrentItem(pItem, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void CReportList::keyPressEvent(QKeyEvent* pEvent)
{
    emit KeyDown(pEvent->key());
    QTreeWidget::keyPressEvent(pEvent);
}
