#include "extlib/orvosched/SaveSelectedItem.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

#include <algorithm>

CSaveSelectedItem::CSaveSelectedItem(QAbstractItemView& list)
    : m_pList(&list), m_nCurrentRow(list.currentIndex().row())
{
    for (const QModelIndex& index : list.selectionModel()->selectedIndexes()) {
        if (!m_rows.contains(index.row()))
            m_rows.append(index.row());
    }
}

CSaveSelectedItem::~CSaveSelectedItem()
{
    if (!m_pList || !m_pList->model())
        return;
    const QAbstractItemModel& model = *m_pList->model();
    const int nLastRow = model.rowCount(m_pList->rootIndex()) - 1;
    if (nLastRow < 0)
        return;
    QItemSelectionModel& selection = *m_pList->selectionModel();
    const auto RowIndex = [&](int nRow) { return model.index(std::min(nRow, nLastRow), 0, m_pList->rootIndex()); };
    if (m_nCurrentRow >= 0)
        selection.setCurrentIndex(RowIndex(m_nCurrentRow), QItemSelectionModel::NoUpdate);
    selection.clearSelection();
    for (const int nRow : m_rows)
        selection.select(RowIndex(nRow), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}
