#include "alerts/AlertPage.h"

#include "alerts/AlertTestSupport.h"
#include "support/DialogInput.h"
#include "extlib/orvosched/TaskDialog.h"
#include "resources/resource.h"
#include "settings/Catalogue.h"
#include "settings/RegistryKey.h"
#include "support/CaseName.h"
#include "support/TestStore.h"

#include <QCheckBox>
#include <QHeaderView>
#include <gtest/gtest.h>
#include <optional>

namespace {

QTreeWidget& ListOf(const QWidget& page)
{
    return *qobject_cast<QTreeWidget*>(GetDlgItem(&page, IDC_ALERT_LIST));
}

QStringList Strings(const std::vector<const char*>& texts)
{
    QStringList strings;
    for (const char* text : texts)
        strings.append(QString::fromLatin1(text));
    return strings;
}

class AlertPageTest : public ::testing::Test
{
protected:
    void SetUp() override { CTaskDialog::Install(); }
    void TearDown() override { CTask::SetPropertiesDialog(nullptr); }

    // An alert whose task, when it has one, notes its name in m_pRuns instead of starting.
    std::shared_ptr<CAlert> MakeAlert(const char* description, bool bActive,
                                      const QList<QByteArray>& keywords, const char* task) const
    {
        auto pAlert = std::make_shared<CAlert>();
        pAlert->m_strDescription = description;
        pAlert->m_bActive = bActive;
        pAlert->m_keywords = keywords;
        if (task) {
            const CRecordingTask recording(m_pRuns, task);
            pAlert->SetTask(&recording);
        }
        return pAlert;
    }
    // Disk: active, with a task; Fire: inactive, with a task; Quiet: active, no task, no keywords.
    CAlertList ThreeAlerts() const
    {
        return {MakeAlert("Disk", true, {"disk"}, "disk-task"),
                MakeAlert("Fire", false, {"fire"}, "fire-task"),
                MakeAlert("Quiet", true, {}, nullptr)};
    }

    void Open(const CAlertList& alerts, const QList<int>& selected)
    {
        m_pPage = std::make_unique<CAlertPage>();
        m_pPage->m_alerts = alerts;
        ASSERT_TRUE(ShowActive(*m_pPage));
        Select(List(), selected);
    }
    QTreeWidget& List() const { return ListOf(*m_pPage); }

    std::shared_ptr<std::vector<QByteArray>> m_pRuns = std::make_shared<std::vector<QByteArray>>();
    std::unique_ptr<CAlertPage> m_pPage;
};

// Alert dialog answers.
std::function<void(QDialog&)> RenameAndOk(const char* description)
{
    return [=](QDialog& dlg) {
        auto* pEdit = qobject_cast<QLineEdit*>(GetDlgItem(&dlg, IDC_DESCRIPTION));
        pEdit->clear();
        QTest::keyClicks(pEdit, QString::fromLatin1(description));
        QTest::mouseClick(GetDlgItem(&dlg, IDOK), Qt::LeftButton);
    };
}

// Adds a keyword and sets another program, then leaves with Cancel.
void ChangeKeywordsAndTaskThenCancel(QDialog& dlg)
{
    {
        CModalAnswer keyword(AnswerKeyword(nullptr, QStringLiteral("x")));
        QTest::keyClick(GetDlgItem(&dlg, IDC_DESCRIPTION), Qt::Key_F4);
        EXPECT_TRUE(keyword.Opened());
    }
    {
        CModalAnswer task([](QDialog& taskDlg) {
            taskDlg.findChild<QLineEdit*>(QStringLiteral("programLineEdit"))
                ->setText(QStringLiteral("/usr/bin/other"));
            taskDlg.accept();
        });
        QTest::mouseClick(GetDlgItem(&dlg, IDC_TASK), Qt::LeftButton);
        EXPECT_TRUE(task.Opened());
    }
    QTest::mouseClick(GetDlgItem(&dlg, IDCANCEL), Qt::LeftButton);
}

Gesture UntickThenF9(int nId)
{
    return [=](QWidget& page) {
        Click(IDC_CHECK_ALERTS)(page);
        PressIn(nId, Qt::Key_F9)(page);
    };
}

struct CommandCase
{
    const char* name;
    QList<int> selected; // of Disk, Fire, Quiet
    Gesture gesture;
    const char* opensWith; // the alert dialog's description; null when no dialog may open
    std::function<void(QDialog&)> answer;
    std::string after;
    QList<int> selectedAfter;
    std::vector<QByteArray> runs;
};

void PrintTo(const CommandCase& c, std::ostream* os)
{
    *os << c.name;
}

class AlertPageCommandTest : public AlertPageTest, public ::testing::WithParamInterface<CommandCase>
{
};

TEST_P(AlertPageCommandTest, ActsOnTheFirstSelectedAlert)
{
    const CommandCase& c = GetParam();
    Open(ThreeAlerts(), c.selected);
    QString openedWith;
    {
        CModalAnswer answer([&](QDialog& dlg) {
            openedWith = qobject_cast<QLineEdit*>(GetDlgItem(&dlg, IDC_DESCRIPTION))->text();
            c.answer(dlg);
        });
        c.gesture(*m_pPage);
        ASSERT_EQ(answer.Opened(), c.opensWith != nullptr);
    }
    if (c.opensWith) {
        EXPECT_EQ(openedWith, QString::fromLatin1(c.opensWith));
    }
    EXPECT_EQ(Describe(m_pPage->m_alerts), c.after);
    QStringList descriptions;
    for (const std::shared_ptr<CAlert>& pAlert : m_pPage->m_alerts)
        descriptions.append(QString::fromLatin1(pAlert->GetDescription()));
    EXPECT_EQ(Rows(List()), descriptions);
    EXPECT_EQ(SelectedRows(List()), c.selectedAfter);
    EXPECT_EQ(*m_pRuns, c.runs);
}

constexpr char kDisk[] = "[Disk on task disk-task| 'disk']";
constexpr char kFire[] = "[Fire off task fire-task| 'fire']";
constexpr char kQuiet[] = "[Quiet on]";
const std::string kAll = std::string(kDisk) + kFire + kQuiet;

// One case a line.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Gestures, AlertPageCommandTest,
    ::testing::Values(
        CommandCase{"F4AddsAnAlert", {1}, PressIn(IDC_CHECK_ALERTS, Qt::Key_F4), "", RenameAndOk("New"), kAll + "[New on]", {}, {}},
        CommandCase{"InsertInTheListAddCancelled", {0}, PressIn(IDC_ALERT_LIST, Qt::Key_Insert), "", ChangeKeywordsAndTaskThenCancel, kAll, {0}, {}},
        CommandCase{"AddButton", {0}, Click(IDC_ADD), "", RenameAndOk(""), kAll + "[ on]", {}, {}},
        CommandCase{"F5EditsTheFirstOfSeveralSelected", {1, 2}, PressIn(IDC_ADD, Qt::Key_F5), "Fire", RenameAndOk("Flames"), std::string(kDisk) + "[Flames off task fire-task| 'fire']" + kQuiet, {1, 2}, {}},
        CommandCase{"F2InTheListCancelAfterKeywordAndTaskChanges", {0}, PressIn(IDC_ALERT_LIST, Qt::Key_F2), "Disk", ChangeKeywordsAndTaskThenCancel, kAll, {0}, {}},
        CommandCase{"DoubleClickEdits", {0}, DoubleClickRow(IDC_ALERT_LIST, 2), "Quiet", RenameAndOk("Calm"), std::string(kDisk) + kFire + "[Calm on]", {2}, {}},
        CommandCase{"PropertiesButtonWithNothingSelected", {}, Click(IDC_PROPERTIES), nullptr, {}, kAll, {}, {}},
        CommandCase{"F6DeletesTheFirstOfSeveralSelected", {1, 2}, PressIn(IDC_TEST, Qt::Key_F6), nullptr, {}, std::string(kDisk) + kQuiet, {1}, {}},
        CommandCase{"DeleteInTheList", {0}, PressIn(IDC_ALERT_LIST, Qt::Key_Delete), nullptr, {}, std::string(kFire) + kQuiet, {0}, {}},
        CommandCase{"DeleteButtonWithNothingSelected", {}, Click(IDC_DELETE), nullptr, {}, kAll, {}, {}},
        CommandCase{"DeleteOutsideTheList", {0}, PressIn(IDC_CHECK_ALERTS, Qt::Key_Delete), nullptr, {}, kAll, {0}, {}},
        CommandCase{"F9TestsTheFirstSelectedInactiveAlertWithAlertsOff", {1, 2}, UntickThenF9(IDC_ALERT_LIST), nullptr, {}, kAll, {1, 2}, {"fire-task"}},
        CommandCase{"TestButtonOnAnAlertWithoutTask", {2}, Click(IDC_TEST), nullptr, {}, kAll, {2}, {}},
        CommandCase{"F9WithNothingSelected", {}, PressIn(IDC_CHECK_ALERTS, Qt::Key_F9), nullptr, {}, kAll, {}, {}}),
    CaseName());
// clang-format on

TEST_F(AlertPageTest, ListShowsDescriptionTaskAndActiveAndDoesNotSort)
{
    const struct
    {
        const char* name;
        CAlertList alerts;
        std::vector<std::vector<const char*>> columns; // Description, Task, Active
        QList<int> selected;
    } cases[] = {
        {"three alerts",
         ThreeAlerts(),
         {{"Disk", "Fire", "Quiet"}, {"disk-task", "fire-task", "None"}, {"Yes", "No", "Yes"}},
         {0}},
        {"no alerts", {}, {{}, {}, {}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // As the page first shows itself: the first row selected.
        m_pPage = std::make_unique<CAlertPage>();
        m_pPage->m_alerts = c.alerts;
        ASSERT_TRUE(ShowActive(*m_pPage));
        EXPECT_EQ(SelectedRows(List()), c.selected);
        const QTreeWidgetItem& header = *List().headerItem();
        EXPECT_EQ(QStringList({header.text(0), header.text(1), header.text(2)}),
                  Strings({"Description", "Task", "Active"}));
        QHeaderView& headerView = *List().header();
        QTest::mouseClick(
            headerView.viewport(), Qt::LeftButton, {},
            QPoint(headerView.sectionViewportPosition(0) + 4, headerView.height() / 2));
        for (int nColumn = 0; nColumn < 3; ++nColumn)
            EXPECT_EQ(Rows(List(), nColumn), Strings(c.columns[nColumn]));
        // All three columns are in view.
        EXPECT_LE(headerView.sectionViewportPosition(2) + headerView.sectionSize(2),
                  List().viewport()->width());
    }
}

TEST_F(AlertPageTest, EnableAlertsIsReadAtBuildingAndTakenBackOnlyFromAShownPage)
{
    const struct
    {
        const char* name;
        std::optional<quint32> stored;
        bool bShow;
        bool bTickedShown;
        bool bToggle;
        quint32 dwApplied;
    } cases[] = {
        {"missing, not shown", std::nullopt, false, false, false, 1},
        {"0, not shown", 0, false, false, false, 0},
        {"7, not shown", 7, false, false, false, 7},
        {"missing, unticked", std::nullopt, true, true, true, 0},
        {"0, ticked", 0, true, false, true, 1},
        {"7, shown as it is", 7, true, true, false, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveStoreFile();
        if (c.stored) {
            CRegistryKey key(HKEY_LOCAL_MACHINE);
            ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, kProgramKey));
            ASSERT_TRUE(key.WriteDword(kCheckAlerts.name, *c.stored));
        }
        CAlertPage page;
        EXPECT_EQ(page.m_bCheckAlerts, c.stored.value_or(1));
        if (c.bShow) {
            ASSERT_TRUE(ShowActive(page));
            auto* pBox = qobject_cast<QCheckBox*>(GetDlgItem(&page, IDC_CHECK_ALERTS));
            EXPECT_EQ(pBox->isChecked(), c.bTickedShown);
            if (c.bToggle)
                PressIn(IDC_CHECK_ALERTS, Qt::Key_Space)(page);
        }
        EXPECT_EQ(page.IsCreated(), c.bShow);
        EXPECT_TRUE(page.OnApply());
        EXPECT_EQ(page.m_bCheckAlerts, c.dwApplied);
    }
    RemoveStoreFile();
}

// What the Properties command does with the page: it hands it the window's alerts, and on OK
// takes the page's list back. The page deletes Disk, adds Added and edits Fire's keyword.
TEST_F(AlertPageTest, HandOverKeepsTheWindowsAlertsUntilOk)
{
    for (const bool bAccept : {false, true}) {
        SCOPED_TRACE(bAccept ? "OK" : "Cancel");
        m_pRuns->clear();
        CAlertList window = {MakeAlert("Disk", true, {"disk"}, "disk-task"),
                             MakeAlert("Fire", true, {"fire"}, "fire-task")};
        const std::weak_ptr<CAlert> pDisk = window[0];
        std::weak_ptr<CAlert> pAdded;
        {
            CAlertPage page;
            page.m_alerts = window;
            ASSERT_TRUE(ShowActive(page));
            PressIn(IDC_ALERT_LIST, Qt::Key_Delete)(page);
            {
                CModalAnswer add([](QDialog& dlg) {
                    CModalAnswer keyword(AnswerKeyword(nullptr, QStringLiteral("added")));
                    QTest::keyClick(GetDlgItem(&dlg, IDC_DESCRIPTION), Qt::Key_F4);
                    RenameAndOk("Added")(dlg);
                });
                PressIn(IDC_ALERT_LIST, Qt::Key_Insert)(page);
                ASSERT_TRUE(add.Opened());
            }
            pAdded = page.m_alerts.back();
            Select(ListOf(page), {0});
            {
                // A message that arrives while the alert dialog is open meets the alert as it
                // was; once the dialog's OK is pressed, it meets the edit.
                CModalAnswer edit([&](QDialog& dlg) {
                    CModalAnswer keyword(AnswerKeyword(nullptr, QStringLiteral("flames")));
                    QTest::keyClick(GetDlgItem(&dlg, IDC_KEYWORD_LIST), Qt::Key_F2);
                    EXPECT_FALSE(window[1]->Match("flames"));
                    QTest::mouseClick(GetDlgItem(&dlg, IDOK), Qt::LeftButton);
                });
                PressIn(IDC_ALERT_LIST, Qt::Key_F5)(page);
                ASSERT_TRUE(edit.Opened());
            }
            EXPECT_TRUE(window[1]->Match("flames"));
            if (bAccept) {
                EXPECT_TRUE(page.OnApply());
                window = page.m_alerts;
            }
        }
        const std::string fire = "[Fire on task fire-task| 'flames']";
        EXPECT_EQ(Describe(window), bAccept ? fire + "[Added on 'added']"
                                            : "[Disk on task disk-task| 'disk']" + fire);
        EXPECT_EQ(pDisk.expired(), bAccept);
        EXPECT_EQ(pAdded.expired(), !bAccept);
        for (const std::shared_ptr<CAlert>& pAlert : window)
            pAlert->Match("disk flames");
        EXPECT_EQ(*m_pRuns, bAccept
                                ? (std::vector<QByteArray>{"fire-task", "fire-task"})
                                : (std::vector<QByteArray>{"fire-task", "disk-task", "fire-task"}));
    }
}

} // namespace
