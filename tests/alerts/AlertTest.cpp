#include "alerts/Alert.h"

#include "alerts/AlertTestSupport.h"
#include "messaging/ColorTags.h"

#include <gtest/gtest.h>

namespace {

CAlert FullAlert()
{
    CAlert alert;
    alert.m_strDescription = "Disk";
    alert.m_keywords = {"full", " error"};
    alert.m_bActive = false;
    CTask task;
    task.SetProgram("/bin/a");
    alert.SetTask(&task);
    task.SetProgram("/bin/changed");
    EXPECT_EQ(alert.GetTask()->GetProgram(), "/bin/a"); // the alert keeps its own clone
    return alert;
}

TEST(AlertTest, CopiesOwnTheirTasksAndKeywords)
{
    const CAlert source = FullAlert();
    const std::string strSource = Describe(source);
    CAlert copy(source);
    CAlert assigned;
    assigned.m_keywords = {"old", "older", "oldest"};
    assigned.SetTask(copy.GetTask());
    assigned = source;
    for (CAlert* pAlert : {&copy, &assigned}) {
        EXPECT_EQ(Describe(*pAlert), strSource);
        EXPECT_NE(pAlert->GetTask(), source.GetTask());
        pAlert->m_keywords[0] = "changed";
        pAlert->SetTask(nullptr);
    }
    EXPECT_EQ(Describe(source), strSource);

    assigned = CAlert();
    EXPECT_EQ(assigned.GetTask(), nullptr);
    EXPECT_TRUE(assigned.m_keywords.isEmpty());
}

TEST(AlertTest, SelfAssignmentKeepsEverything)
{
    CAlert alert = FullAlert();
    const CTask* pTask = alert.GetTask();
    const std::string strBefore = Describe(alert);
    CAlert& same = alert;
    alert = same;
    EXPECT_EQ(alert.GetTask(), pTask);
    EXPECT_EQ(Describe(alert), strBefore);
}

struct AlertSetup
{
    QList<QByteArray> keywords;
    bool bActive = true;
    bool bHasTask = true;
};

struct MatchCase
{
    const char* name;
    std::vector<AlertSetup> alerts;
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
        MatchCase{"KeywordInATextWithoutBytes", {{{"disk"}}}, QByteArray(), {}, {false}},
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
