#include "extlib/orvosched/TaskDialog.h"

#include "extlib/orvosched/Task.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Through Properties, as the alert dialog calls it: types into the dialog, then closes it.
int EditInDialog(CTask& task, const QString& strProgram, const QString& strArguments, bool bAccept)
{
    QTimer::singleShot(0, [=] {
        auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        EXPECT_EQ(pDialog->windowTitle(), QStringLiteral("Task"));
        auto* pProgram = pDialog->findChild<QLineEdit*>(QStringLiteral("programLineEdit"));
        auto* pArguments = pDialog->findChild<QLineEdit*>(QStringLiteral("argumentsLineEdit"));
        EXPECT_EQ(pProgram->text(), QStringLiteral("/usr/bin/notify-send"));
        EXPECT_EQ(pArguments->text(), QStringLiteral("-u critical"));
        pProgram->setText(strProgram);
        pArguments->setText(strArguments);
        bAccept ? pDialog->accept() : pDialog->reject();
    });
    return task.Properties();
}

TEST(TaskDialogTest, OkTakesTheTypedFieldsAndCancelNothing)
{
    CTaskDialog::Install();
    for (const bool bAccept : {false, true}) {
        CTask task;
        task.SetProgram("/usr/bin/notify-send");
        task.SetArguments("-u critical");
        const int nResult = EditInDialog(task, QStringLiteral(" /usr/bin/xmessage "), QStringLiteral("\"disk full\" "), bAccept);
        EXPECT_EQ(nResult == 1, bAccept);
        EXPECT_EQ(task.GetProgram(), bAccept ? "/usr/bin/xmessage" : "/usr/bin/notify-send");
        EXPECT_EQ(task.GetArguments(), bAccept ? "\"disk full\" " : "-u critical");
    }
    CTask::SetPropertiesDialog(nullptr);
    CTask task;
    EXPECT_NE(task.Properties(), 1);
}

} // namespace
