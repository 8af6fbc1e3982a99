#include "extlib/orvosched/TaskDialog.h"

#include "extlib/orvosched/Task.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the action on the modal dialog once it shows.
void WhenDialogShows(const std::function<void(QDialog&)>& action)
{
    QTimer::singleShot(0, [action] {
        auto* pDialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(pDialog, nullptr);
        action(*pDialog);
    });
}

CTask Task()
{
    CTask task;
    task.SetProgram("/usr/bin/notify-send");
    task.SetArguments("-u critical");
    return task;
}

class TaskDialogTest : public ::testing::Test
{
protected:
    void SetUp() override { CTaskDialog::Install(); }
    void TearDown() override { CTask::SetPropertiesDialog(nullptr); }
};

TEST_F(TaskDialogTest, OkTakesTheTypedProgramAndArguments)
{
    CTask task = Task();
    WhenDialogShows([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Task"));
        auto* pProgram = dialog.findChild<QLineEdit*>(QStringLiteral("programLineEdit"));
        auto* pArguments = dialog.findChild<QLineEdit*>(QStringLiteral("argumentsLineEdit"));
        EXPECT_EQ(pProgram->text(), QStringLiteral("/usr/bin/notify-send"));
        EXPECT_EQ(pArguments->text(), QStringLiteral("-u critical"));
        pProgram->setText(QStringLiteral(" /usr/bin/xmessage "));
        pArguments->setText(QStringLiteral("\"disk full\" "));
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    EXPECT_EQ(task.Properties(), 1);
    EXPECT_EQ(task.GetProgram(), "/usr/bin/xmessage");
    EXPECT_EQ(task.GetArguments(), "\"disk full\" ");
    EXPECT_EQ(task.GetDescription(), "xmessage");
}

TEST_F(TaskDialogTest, CancelLeavesTheTaskAsItWas)
{
    CTask task = Task();
    WhenDialogShows([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("programLineEdit"))->setText(QStringLiteral("/bin/other"));
        dialog.reject();
    });
    EXPECT_NE(task.Properties(), 1);
    EXPECT_EQ(task.GetProgram(), "/usr/bin/notify-send");
    EXPECT_EQ(task.GetArguments(), "-u critical");
}

} // namespace
