#pragma once

#include "resources/DlgItem.h"
#include "resources/resource.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

// Makes the form's window the active one, as a window manager does with a window that opens
// and with the one below a window that closes; shortcuts answer only in the active window. (A
// dialog counts as active while its parent window is, so QTest's own wait does not do.)
inline bool Activate(QWidget& form)
{
    QWidget* pWindow = form.window();
    pWindow->activateWindow();
    return QTest::qWaitFor([pWindow] { return QApplication::activeWindow() == pWindow; });
}

// Answers the modal dialog that the next action opens: act runs once the dialog's loop is up,
// and a dialog that act leaves open is cancelled, so a failing test cannot hang. Opened() tells
// whether a dialog came at all.
class CModalAnswer : public QObject
{
public:
    explicit CModalAnswer(std::function<void(QDialog&)> act = {}) : m_act(std::move(act))
    {
        qApp->installEventFilter(this);
    }
    ~CModalAnswer() override { qApp->removeEventFilter(this); }

    bool Opened() const { return m_bOpened; }

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        if (m_bOpened || pEvent->type() != QEvent::Show)
            return false;
        auto* pDialog = qobject_cast<QDialog*>(pObject);
        if (!pDialog || !pDialog->isModal())
            return false;
        m_bOpened = true;
        // Queued: the dialog is shown before its loop runs, and only that loop can end it.
        QTimer::singleShot(0, pDialog, [act = m_act, pDialog] {
            EXPECT_TRUE(Activate(*pDialog));
            if (act)
                act(*pDialog);
            if (pDialog->isVisible())
                pDialog->reject();
        });
        return false;
    }

private:
    std::function<void(QDialog&)> m_act;
    bool m_bOpened = false;
};

// What a user does on a dialog or page, its controls known by their ids.
using Gesture = std::function<void(QWidget& form)>;

// The key pressed while the control has the focus.
inline Gesture PressIn(int nId, Qt::Key key)
{
    return [=](QWidget& form) {
        QWidget* pControl = GetDlgItem(&form, nId);
        EXPECT_TRUE(Activate(form));
        pControl->setFocus();
        QTest::keyClick(pControl, key);
    };
}

inline Gesture Click(int nId)
{
    return [=](QWidget& form) { QTest::mouseClick(GetDlgItem(&form, nId), Qt::LeftButton); };
}

// Sent straight to the list: QTest's own clicks may pair up with earlier ones as double-clicks.
inline Gesture DoubleClickRow(int nListId, int nRow)
{
    return [=](QWidget& form) {
        auto* pList = qobject_cast<QAbstractItemView*>(GetDlgItem(&form, nListId));
        QWidget* pViewport = pList->viewport();
        const QPointF pos = pList->visualRect(pList->model()->index(nRow, 0)).center();
        const QPointF global = pViewport->mapToGlobal(pos);
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                        QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons buttons =
                type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QMouseEvent event(type, pos, global, Qt::LeftButton, buttons, Qt::NoModifier);
            QCoreApplication::sendEvent(pViewport, &event);
        }
    };
}

// Shows the form as a window of its own and waits until it takes keys.
inline bool ShowActive(QWidget& form)
{
    form.show();
    return Activate(form);
}

// The texts of one column of a list, row by row.
inline QStringList Rows(const QTreeWidget& list, int nColumn = 0)
{
    QStringList rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows.append(list.topLevelItem(i)->text(nColumn));
    return rows;
}

inline QList<int> SelectedRows(const QTreeWidget& list)
{
    QList<int> rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        if (list.topLevelItem(i)->isSelected())
            rows.append(i);
    }
    return rows;
}

// Selects the rows; the last one named becomes the current row, so the first selected row is
// not simply the current one.
inline void Select(QTreeWidget& list, const QList<int>& rows)
{
    list.clearSelection();
    for (const int nRow : rows) {
        list.setCurrentItem(list.topLevelItem(nRow), 0,
                            QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

// The keyword dialog's answer: notes the text it opened with, then confirms typed, or cancels.
inline std::function<void(QDialog&)> AnswerKeyword(QString* pOpenedWith,
                                                   const std::optional<QString>& typed)
{
    return [=](QDialog& dlg) {
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Keyword"));
        auto* pEdit = qobject_cast<QLineEdit*>(GetDlgItem(&dlg, IDC_KEYWORD));
        ASSERT_NE(pEdit, nullptr);
        if (pOpenedWith)
            *pOpenedWith = pEdit->text();
        if (!typed) {
            QTest::mouseClick(GetDlgItem(&dlg, IDCANCEL), Qt::LeftButton);
            return;
        }
        if (pEdit->text() != *typed) {
            pEdit->clear();
            QTest::keyClicks(pEdit, *typed);
        }
        QTest::keyClick(pEdit, Qt::Key_Return);
    };
}
