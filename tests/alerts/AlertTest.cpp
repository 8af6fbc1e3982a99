#include "alerts/Alert.h"

#include "alerts/RecordingTask.h"
#include "messaging/ColorTags.h"

#include <gtest/gtest.h>

namespace {

CTask Task(const QByteArray& strProgram)
{
    CTask task;
    task.SetProgram(strProgram);
    return task;
}

CAlert FullAlert()
{
    CAlert alert;
    alert.m_strDescription = "Disk";
    alert.m_keywords = {"full", " error"};
    alert.m_bActive = false;
    const CTask task = Task("/usr/bin/notify-send");
    alert.SetTask(&task);
    return alert;
}

TEST(AlertTest, DefaultsToAnActiveEmptyAlert)
{
    const CAlert alert;
    EXPECT_TRUE(alert.m_bActive);
    EXPECT_TRUE(alert.GetDescription().isEmpty());
    EXPECT_TRUE(alert.m_keywords.isEmpty());
    EXPECT_EQ(alert.GetTask(), nullptr);
}

TEST(AlertTest, ChangingACopyLeavesTheSourceUntouched)
{
    CAlert source = FullAlert();
    CAlert copy(source);
    ASSERT_NE(copy.GetTask(), nullptr);
    EXPECT_NE(copy.GetTask(), source.GetTask());
    EXPECT_EQ(copy.GetTask()->GetProgram(), "/usr/bin/notify-send");
    EXPECT_EQ(copy.m_keywords, source.m_keywords);
    EXPECT_EQ(copy.m_bActive, source.m_bActive);
    EXPECT_EQ(copy.GetDescription(), "Disk");

    copy.m_keywords[0] = "changed";
    copy.m_keywords.append("more");
    const CTask other = Task("/bin/other");
    copy.SetTask(&other);
    EXPECT_EQ(source.m_keywords, (QList<QByteArray>{"full", " error"}));
    EXPECT_EQ(source.GetTask()->GetProgram(), "/usr/bin/notify-send");
}

TEST(AlertTest, AssignmentClonesTheTaskAndReplacesTheKeywords)
{
    const CAlert source = FullAlert();
    CAlert target;
    target.m_keywords = {"old", "older", "oldest"};
    const CTask old = Task("/bin/old");
    target.SetTask(&old);
    target = source;
    EXPECT_EQ(target.m_keywords, source.m_keywords);
    EXPECT_FALSE(target.m_bActive);
    ASSERT_NE(target.GetTask(), nullptr);
    EXPECT_NE(target.GetTask(), source.GetTask());
    EXPECT_EQ(target.GetTask()->GetProgram(), "/usr/bin/notify-send");

    CAlert empty;
    target = empty;
    EXPECT_EQ(target.GetTask(), nullptr);
    EXPECT_TRUE(target.m_keywords.isEmpty());
}

TEST(AlertTest, SelfAssignmentKeepsEverything)
{
    CAlert alert = FullAlert();
    const CTask* pTask = alert.GetTask();
    CAlert& same = alert;
    alert = same;
    EXPECT_EQ(alert.GetTask(), pTask);
    EXPECT_EQ(alert.GetTask()->GetProgram(), "/usr/bin/notify-send");
    EXPECT_EQ(alert.m_keywords, (QList<QByteArray>{"full", " error"}));
}

TEST(AlertTest, SetTaskKeepsAClone)
{
    CAlert alert;
    CTask task = Task("/bin/a");
    alert.SetTask(&task);
    task.SetProgram("/bin/b");
    EXPECT_EQ(alert.GetTask()->GetProgram(), "/bin/a");
    alert.SetTask(nullptr);
    EXPECT_EQ(alert.GetTask(), nullptr);
}

struct AlertSpec
{
    QList<QByteArray> keywords;
    bool bActive = true;
    bool bHasTask = true;
};

struct MatchCase
{
    const char* name;
    std::vector<AlertSpec> alerts;
    QByteArray text;
    std::vector<QByteArray> runs;   // task runs in order, named by alert index
    std::vector<bool> results;      // what Match returned, per alert
};

void PrintTo(const MatchCase& c, std::ostream* os)
{
    *os << c.name;
}

class AlertMatchTest : public ::testing::TestWithParam<MatchCase>
{
};

// Offers the text to every alert in order, as the receive step does.
TEST_P(AlertMatchTest, RunsTheTasksOfMatchingAlerts)
{
    const MatchCase& c = GetParam();
    const auto pLog = std::make_shared<std::vector<QByteArray>>();
    std::vector<CAlert> alerts(c.alerts.size());
    for (size_t i = 0; i < alerts.size(); ++i) {
        alerts[i].m_keywords = c.alerts[i].keywords;
        alerts[i].m_bActive = c.alerts[i].bActive;
        if (c.alerts[i].bHasTask) {
            const CRecordingTask task(pLog, QByteArray::number(qulonglong(i)));
            alerts[i].SetTask(&task);
        }
    }
    std::vector<bool> results;
    for (CAlert& alert : alerts)
        results.push_back(alert.Match(c.text));
    EXPECT_EQ(*pLog, c.runs);
    EXPECT_EQ(results, c.results);
}

INSTANTIATE_TEST_SUITE_P(
    Match, AlertMatchTest,
    ::testing::Values(
        MatchCase{"EmptyKeywordMatchesEverything", {{{""}}}, "anything", {"0"}, {true}},
        MatchCase{"EmptyKeywordMatchesAnEmptyText", {{{""}}}, "", {"0"}, {true}},
        MatchCase{"NoKeywordsNeverMatch", {{{}}}, "anything", {}, {false}},
        MatchCase{"TwoKeywordsRunOnce", {{{"disk", "full"}}}, "disk full", {"0"}, {true}},
        MatchCase{"TwoAlertsBothRunInOrder", {{{"full"}}, {{"disk"}}}, "disk full", {"0", "1"}, {true, true}},
        MatchCase{"CaseCounts", {{{"Disk"}}}, "disk full", {}, {false}},
        MatchCase{"InsideAWord", {{{"isk"}}}, "disk full", {"0"}, {true}},
        MatchCase{"LeadingBlankBelongsToTheKeyword", {{{" disk"}}}, "disk full", {}, {false}},
        MatchCase{"TrailingBlankBelongsToTheKeyword", {{{"full "}}}, "disk full", {}, {false}},
        MatchCase{"BlanksFoundWhereTheyStand", {{{" full"}}}, "disk full", {"0"}, {true}},
        MatchCase{"InactiveNeverRuns", {{{"disk"}, false}, {{"disk"}}}, "disk", {"1"}, {false, true}},
        MatchCase{"MatchWithoutTaskGoesOn", {{{"disk"}, true, false}, {{"disk"}}}, "disk", {"1"}, {true, true}},
        MatchCase{"KeywordSplitByAColourCodeIsNotFound", {{{"alarm"}}}, TranslateColorTags("al<r>arm"), {}, {false}},
        MatchCase{"KeywordInsideAColouredStretchIsFound", {{{"alarm"}}}, TranslateColorTags("<r>alarm<w>"), {"0"}, {true}}));

} // namespace
