#include "extlib/orvosched/SaveSelectedItem.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

struct SelectionCase
{
    const char* name;
    int nRowsBefore;
    QList<int> selectedBefore;
    int nRowsAfter; // the list is refilled with this many rows inside the guard
    QList<int> selectedAfter;
};

void PrintTo(const SelectionCase& c, std::ostream* os)
{
    *os << c.name;
}

void Fill(QTreeWidget& list, int nRows)
{
    list.clear();
    for (int i = 0; i < nRows; ++i)
        list.addTopLevelItem(new QTreeWidgetItem({QString::number(i), QStringLiteral("task")}));
}

QList<int> SelectedRows(const QTreeWidget& list)
{
    QList<int> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        if (list.topLevelItem(i)->isSelected())
            rows.append(i);
    }
    return rows;
}

class SaveSelectedItemTest : public ::testing::TestWithParam<SelectionCase>
{
};

TEST_P(SaveSelectedItemTest, RestoresTheSelectionAfterARefill)
{
    const SelectionCase& c = GetParam();
    QTreeWidget list;
    list.setColumnCount(2);
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list.setSelectionBehavior(QAbstractItemView::SelectRows);
    Fill(list, c.nRowsBefore);
    for (const int nRow : c.selectedBefore)
        list.topLevelItem(nRow)->setSelected(true);
    list.setCurrentItem(list.topLevelItem(c.selectedBefore.first()), 0, QItemSelectionModel::NoUpdate);
    {
        const CSaveSelectedItem guard(list);
        Fill(list, c.nRowsAfter);
        EXPECT_TRUE(SelectedRows(list).isEmpty());
    }
    EXPECT_EQ(SelectedRows(list), c.selectedAfter);
    if (!c.selectedAfter.isEmpty()) {
        EXPECT_EQ(list.indexOfTopLevelItem(list.currentItem()), c.selectedAfter.first());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refills, SaveSelectedItemTest,
    ::testing::Values(SelectionCase{"SameRow", 5, {2}, 5, {2}},
                      SelectionCase{"SeveralRows", 5, {1, 3}, 5, {1, 3}},
                      SelectionCase{"DeletedInTheMiddleSelectsTheNext", 5, {2}, 4, {2}},
                      SelectionCase{"DeletedLastSelectsTheNewLast", 3, {2}, 2, {1}},
                      SelectionCase{"DeletedOnlyItemSelectsNothing", 1, {0}, 0, {}}));

} // namespace
