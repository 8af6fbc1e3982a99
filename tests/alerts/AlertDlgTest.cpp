#include "alerts/AlertDlg.h"

#include "alerts/Alert.h"
#include "alerts/AlertPage.h"
#include "support/DialogInput.h"
#include "alerts/KeywordDlg.h"
#include "extlib/orvosched/Task.h"
#include "extlib/orvosched/TaskDialog.h"
#include "resources/resource.h"
#include "support/Bytes.h"
#include "support/CaseName.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <optional>

namespace {

class AlertDlgTest : public ::testing::Test
{
protected:
    void Open(const QList<int>& selected)
    {
        m_pDlg = std::make_unique<CAlertDlg>(&m_alert);
        ASSERT_TRUE(ShowActive(*m_pDlg));
        Select(List(), selected);
    }

    template <typename T = QWidget> T& Item(int nId) const
    {
        return *qobject_cast<T*>(GetDlgItem(m_pDlg.get(), nId));
    }
    QTreeWidget& List() const { return Item<QTreeWidget>(IDC_KEYWORD_LIST); }

    CAlert m_alert;
    std::unique_ptr<CAlertDlg> m_pDlg;
};

struct KeywordCase
{
    const char* name;
    QList<int> selected; // of the keywords "a", "b", "c"
    Gesture gesture;
    const char* opensWith;        // the keyword dialog's text; null when no dialog may open
    std::optional<QString> typed; // none: Cancel
    QList<QByteArray> after;
    QList<int> selectedAfter;
};

void PrintTo(const KeywordCase& c, std::ostream* os)
{
    *os << c.name;
}

class KeywordCommandTest : public AlertDlgTest, public ::testing::WithParamInterface<KeywordCase>
{
};

TEST_P(KeywordCommandTest, ActsOnTheFirstSelectedKeyword)
{
    const KeywordCase& c = GetParam();
    m_alert.m_keywords = {"a", "b", "c"};
    Open(c.selected);
    QString openedWith;
    {
        CModalAnswer answer(AnswerKeyword(&openedWith, c.typed));
        c.gesture(*m_pDlg);
        ASSERT_EQ(answer.Opened(), c.opensWith != nullptr);
    }
    if (c.opensWith) {
        EXPECT_EQ(openedWith, QString::fromUtf8(c.opensWith));
    }
    EXPECT_EQ(m_alert.m_keywords, c.after);
    QStringList shown;
    for (const QByteArray& keyword : c.after)
        shown.append(QString::fromUtf8(keyword));
    EXPECT_EQ(Rows(List()), shown);
    EXPECT_EQ(SelectedRows(List()), c.selectedAfter);
}

// A key typed in the description is text, whatever it is, except F4, F5 and F6.
void TypeThenF4(QWidget& form)
{
    auto* pEdit = GetDlgItem(&form, IDC_DESCRIPTION);
    pEdit->setFocus();
    QTest::keyClicks(pEdit, QStringLiteral("Dis"));
    QTest::keyClick(pEdit, Qt::Key_F4);
    QTest::keyClicks(pEdit, QStringLiteral("k"));
    EXPECT_EQ(qobject_cast<QLineEdit*>(pEdit)->text(), QStringLiteral("Disk"));
}

// One case a line.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Gestures, KeywordCommandTest,
    ::testing::Values(
        KeywordCase{"F4WhileTypingTheDescription", {0}, TypeThenF4, "", QStringLiteral("x"), {"a", "b", "c", "x"}, {}},
        KeywordCase{"InsertInTheListAddsAnEmptyKeyword", {0}, PressIn(IDC_KEYWORD_LIST, Qt::Key_Insert), "", QStringLiteral(""), {"a", "b", "c", ""}, {}},
        KeywordCase{"AddButtonAddsARepeatedKeyword", {0}, Click(IDC_ADD), "", QStringLiteral("a"), {"a", "b", "c", "a"}, {}},
        KeywordCase{"AddCancelled", {1}, PressIn(IDC_KEYWORD_LIST, Qt::Key_Insert), "", std::nullopt, {"a", "b", "c"}, {1}},
        KeywordCase{"F5EditsTheFirstOfSeveralSelected", {1, 2}, PressIn(IDC_ACTIVE, Qt::Key_F5), "b", QStringLiteral("x"), {"a", "x", "c"}, {1, 2}},
        KeywordCase{"F2InTheListEdits", {1}, PressIn(IDC_KEYWORD_LIST, Qt::Key_F2), "b", QStringLiteral(" b "), {"a", " b ", "c"}, {1}},
        KeywordCase{"DoubleClickEdits", {0}, DoubleClickRow(IDC_KEYWORD_LIST, 2), "c", QStringLiteral("c2"), {"a", "b", "c2"}, {2}},
        KeywordCase{"PropertiesButtonWithTheTextUnchanged", {1}, Click(IDC_PROPERTIES), "b", QStringLiteral("b"), {"a", "b", "c"}, {1}},
        KeywordCase{"EditCancelled", {1}, Click(IDC_PROPERTIES), "b", std::nullopt, {"a", "b", "c"}, {1}},
        KeywordCase{"F6DeletesTheFirstOfSeveralSelected", {1, 2}, PressIn(IDC_TASK, Qt::Key_F6), nullptr, {}, {"a", "c"}, {1}},
        KeywordCase{"DeleteInTheListDeletes", {0}, PressIn(IDC_KEYWORD_LIST, Qt::Key_Delete), nullptr, {}, {"b", "c"}, {0}},
        KeywordCase{"DeleteButtonDeletesTheLast", {2}, Click(IDC_DELETE), nullptr, {}, {"a", "b"}, {1}},
        KeywordCase{"EditWithNothingSelected", {}, PressIn(IDC_KEYWORD_LIST, Qt::Key_F2), nullptr, {}, {"a", "b", "c"}, {}},
        KeywordCase{"DeleteWithNothingSelected", {}, PressIn(IDC_DESCRIPTION, Qt::Key_F6), nullptr, {}, {"a", "b", "c"}, {}},
        KeywordCase{"DeleteInTheDescriptionIsText", {0}, PressIn(IDC_DESCRIPTION, Qt::Key_Delete), nullptr, {}, {"a", "b", "c"}, {0}},
        KeywordCase{"F2OutsideTheList", {0}, PressIn(IDC_DESCRIPTION, Qt::Key_F2), nullptr, {}, {"a", "b", "c"}, {0}},
        KeywordCase{"InsertOutsideTheList", {0}, PressIn(IDC_ACTIVE, Qt::Key_Insert), nullptr, {}, {"a", "b", "c"}, {0}}),
    CaseName());
// clang-format on

struct LeaveCase
{
    const char* name;
    Gesture leave;
    bool bAccepted;
};

void PrintTo(const LeaveCase& c, std::ostream* os)
{
    *os << c.name;
}

class AlertDlgLeaveTest : public AlertDlgTest, public ::testing::WithParamInterface<LeaveCase>
{
};

// Description and flag reach the alert only with OK; keyword changes are already there, and
// the caller throws the alert away on Cancel.
TEST_P(AlertDlgLeaveTest, OkTakesDescriptionAndFlag)
{
    const LeaveCase& c = GetParam();
    m_alert.m_strDescription = "Old";
    m_alert.m_keywords = {"a"};
    Open({0});
    EXPECT_EQ(Item<QLineEdit>(IDC_DESCRIPTION).text(), QStringLiteral("Old"));
    EXPECT_TRUE(Item<QCheckBox>(IDC_ACTIVE).isChecked());

    Item<QLineEdit>(IDC_DESCRIPTION).clear();
    const QString typed = QStringLiteral("0123456789").repeated(9);
    QTest::keyClicks(&Item(IDC_DESCRIPTION), typed);
    EXPECT_EQ(Item<QLineEdit>(IDC_DESCRIPTION).text(), typed.left(80));
    QTest::keyClick(&Item(IDC_ACTIVE), Qt::Key_Space);
    QString openedWith;
    {
        CModalAnswer answer(AnswerKeyword(&openedWith, QStringLiteral("new")));
        QTest::keyClick(&Item(IDC_ACTIVE), Qt::Key_F4);
    }
    c.leave(*m_pDlg);

    EXPECT_FALSE(m_pDlg->isVisible());
    EXPECT_EQ(m_pDlg->result() == QDialog::Accepted, c.bAccepted);
    EXPECT_EQ(m_alert.m_strDescription, c.bAccepted ? typed.left(80).toLatin1() : "Old");
    EXPECT_EQ(m_alert.m_bActive, !c.bAccepted);
    EXPECT_EQ(m_alert.m_keywords, (QList<QByteArray>{"a", "new"}));
}

// One case a line.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Ways, AlertDlgLeaveTest,
                         ::testing::Values(LeaveCase{"OkButton", Click(IDOK), true},
                                           LeaveCase{"EnterInTheDescription", PressIn(IDC_DESCRIPTION, Qt::Key_Return), true},
                                           LeaveCase{"CancelButton", Click(IDCANCEL), false},
                                           LeaveCase{"EscapeInTheList", PressIn(IDC_KEYWORD_LIST, Qt::Key_Escape), false}),
                         CaseName());
// clang-format on

// Texts the dialogs did not change keep their bytes: written in another code page, or longer
// than the dialogs let anyone type, they come back as they were.
TEST_F(AlertDlgTest, UntouchedTextsKeepTheirBytes)
{
    const struct
    {
        const char* name;
        QByteArray description;
        QByteArray keyword;
    } cases[] = {
        {"not in the locale's code page", Bytes("Caf\xe9 alarm"), Bytes("M\xfcller")},
        {"longer than can be typed", QByteArray(120, 'd'), QByteArray(100, 'k')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_alert.m_strDescription = c.description;
        m_alert.m_keywords = {c.keyword};
        Open({0});
        QString openedWith;
        {
            CModalAnswer answer(AnswerKeyword(&openedWith, QString::fromLocal8Bit(c.keyword)));
            QTest::keyClick(&Item(IDC_DESCRIPTION), Qt::Key_F5);
            ASSERT_TRUE(answer.Opened());
        }
        EXPECT_EQ(openedWith, QString::fromLocal8Bit(c.keyword));
        EXPECT_EQ(Item<QLineEdit>(IDC_DESCRIPTION).text(), QString::fromLocal8Bit(c.description));
        QTest::mouseClick(&Item(IDOK), Qt::LeftButton);
        EXPECT_EQ(Hex(m_alert.m_strDescription), Hex(c.description));
        ASSERT_EQ(m_alert.m_keywords.size(), 1);
        EXPECT_EQ(Hex(m_alert.m_keywords[0]), Hex(c.keyword));
    }
}

// The Task button edits a copy of the alert's task, or an empty task; only the task dialog's
// OK replaces the alert's task.
TEST_F(AlertDlgTest, TaskButtonEditsACopyOfTheTask)
{
    const struct
    {
        const char* name;
        const char* program; // the alert's task; null: none
        Gesture press;
        bool bAccept;
        const char* programAfter; // null: no task
    } cases[] = {
        {"none, OK", nullptr, Click(IDC_TASK), true, "/usr/bin/xmessage"},
        {"none, Cancel", nullptr, PressIn(IDC_TASK, Qt::Key_Space), false, nullptr},
        {"set, OK", "/usr/bin/notify-send", Click(IDC_TASK), true, "/usr/bin/xmessage"},
        {"set, Cancel", "/usr/bin/notify-send", Click(IDC_TASK), false, "/usr/bin/notify-send"},
    };
    CTaskDialog::Install();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTask task;
        task.SetProgram(c.program);
        m_alert.SetTask(c.program ? &task : nullptr);
        Open({});
        {
            CModalAnswer answer([&](QDialog& dlg) {
                auto* pProgram = dlg.findChild<QLineEdit*>(QStringLiteral("programLineEdit"));
                EXPECT_EQ(pProgram->text(), QString::fromLatin1(c.program));
                pProgram->setText(QStringLiteral("/usr/bin/xmessage"));
                c.bAccept ? dlg.accept() : dlg.reject();
            });
            c.press(*m_pDlg);
            ASSERT_TRUE(answer.Opened());
        }
        const CTask* pAfter = m_alert.GetTask();
        ASSERT_EQ(pAfter != nullptr, c.programAfter != nullptr);
        if (pAfter) {
            EXPECT_EQ(pAfter->GetProgram(), c.programAfter);
            EXPECT_EQ(pAfter->m_bAlertTask, c.bAccept);
        }
    }
    CTask::SetPropertiesDialog(nullptr);
}

struct FormCase
{
    const char* name;
    std::function<std::unique_ptr<QWidget>(CAlert&)> make;
    QList<int> tabOrder; // from the control that has the focus first, back to it
};

void PrintTo(const FormCase& c, std::ostream* os)
{
    *os << c.name;
}

class FormTest : public ::testing::TestWithParam<FormCase>
{
};

// Tab reaches every control in the order of the template, and each one has a name a screen
// reader can say: its caption, its label, or for an icon button its tool tip.
TEST_P(FormTest, TabOrderAndAccessibleNames)
{
    const FormCase& c = GetParam();
    CAlert alert;
    alert.m_keywords = {"a"};
    const std::unique_ptr<QWidget> pForm = c.make(alert);
    ASSERT_TRUE(ShowActive(*pForm));
    GetDlgItem(pForm.get(), c.tabOrder.first())->setFocus();
    for (const int nId : c.tabOrder.mid(1)) {
        QWidget* pFocus = QApplication::focusWidget();
        const QString name = QAccessible::queryAccessibleInterface(pFocus)->text(QAccessible::Name);
        EXPECT_FALSE(name.isEmpty()) << GetDlgCtrlID(pFocus);
        const auto* pButton = qobject_cast<QAbstractButton*>(pFocus);
        if (pButton && pButton->text().isEmpty()) {
            EXPECT_FALSE(pButton->toolTip().isEmpty()) << GetDlgCtrlID(pFocus);
            EXPECT_EQ(name, pButton->toolTip());
        }
        QTest::keyClick(pFocus, Qt::Key_Tab);
        EXPECT_EQ(GetDlgCtrlID(QApplication::focusWidget()), nId);
    }
}

// One case a line.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Forms, FormTest,
    ::testing::Values(
        FormCase{"KeywordDlg",
                 [](CAlert&) { return std::make_unique<CKeywordDlg>(); },
                 {IDC_KEYWORD, IDOK, IDCANCEL, IDC_KEYWORD}},
        FormCase{"AlertDlg",
                 [](CAlert& alert) { return std::make_unique<CAlertDlg>(&alert); },
                 {IDC_DESCRIPTION, IDC_ACTIVE, IDC_ADD, IDC_PROPERTIES, IDC_DELETE, IDC_KEYWORD_LIST,
                  IDC_TASK, IDOK, IDCANCEL, IDC_DESCRIPTION}},
        FormCase{"AlertPage",
                 [](CAlert&) { return std::make_unique<CAlertPage>(); },
                 {IDC_ADD, IDC_PROPERTIES, IDC_DELETE, IDC_TEST, IDC_ALERT_LIST, IDC_CHECK_ALERTS,
                  IDC_ADD}}),
    CaseName());
// clang-format on

} // namespace
