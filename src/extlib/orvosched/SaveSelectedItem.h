#pragma once

#include <QList>
#include <QPointer>

class QAbstractItemView;

// Keeps a list's selection across an operation that refills the list: built once an item is
// selected, it selects the same rows again when it ends. A row past the new end becomes the
// last row, so deleting the last item leaves its neighbour selected.
class CSaveSelectedItem
{
public:
    explicit CSaveSelectedItem(QAbstractItemView& list);
    CSaveSelectedItem(const CSaveSelectedItem&) = delete;
    CSaveSelectedItem& operator=(const CSaveSelectedItem&) = delete;
    ~CSaveSelectedItem();

private:
    QPointer<QAbstractItemView> m_pList;
    QList<int> m_rows;
    int m_nCurrentRow;
};
