#pragma once

#include <QTreeWidget>

// A list control in report view: whole rows, several of them selectable, nothing edited in
// place, and headers that neither sort nor answer clicks. Keys pressed in it are told to its
// owner first, as a key-down notification.
class CReportList : public QTreeWidget
{
    Q_OBJECT

public:
    explicit CReportList(QWidget* pParent = nullptr);

    // The first selected row in list order, or -1 when none is selected or it is not one of the
    // nItems rows the caller's own list holds (the two may part while a dialog is open).
    int GetFirstSelected(qsizetype nItems) const;
    // Selects the row alone and makes it the current one.
    void SelectRow(int nRow);

signals:
    // A key pressed while the list has the focus, before the list itself handles it.
    void KeyDown(int nKey);

protected:
    void keyPressEvent(QKeyEvent* pEvent) override;
};
