#include "alerts/AlertMatcher.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

// What offering the text to every alert in turn finds: the alerts whose Match is true.
std::vector<const CAlert*> Matching(const CAlertList& alerts, QByteArrayView text)
{
    std::vector<const CAlert*> found;
    for (const std::shared_ptr<CAlert>& pAlert : alerts) {
        if (pAlert->Match(text))
            found.push_back(pAlert.get());
    }
    return found;
}

std::vector<const CAlert*> Candidates(CAlertMatcher& matcher, const CAlertList& alerts, QByteArrayView text)
{
    CAlertList candidates;
    matcher.FindCandidates(alerts, text, candidates);
    std::vector<const CAlert*> found;
    for (const std::shared_ptr<CAlert>& pAlert : candidates)
        found.push_back(pAlert.get());
    return found;
}

// Few letters, so that keywords overlap, repeat, and end inside each other; and high bytes.
QByteArray RandomBytes(std::mt19937& random, int nMaxLength)
{
    static constexpr char kLetters[] = {'a', 'b', 'c', ' ', '\x03', '\xE9', '\xFF', '0'};
    QByteArray bytes;
    const int nLength = std::uniform_int_distribution<int>(0, nMaxLength)(random);
    for (int i = 0; i < nLength; ++i)
        bytes.append(kLetters[std::uniform_int_distribution<int>(0, 7)(random)]);
    return bytes;
}

CAlertList RandomAlerts(std::mt19937& random, int nAlerts, int nMaxKeywordLength)
{
    CAlertList alerts;
    for (int i = 0; i < nAlerts; ++i) {
        auto pAlert = std::make_shared<CAlert>();
        pAlert->m_bActive = random() % 4 != 0;
        const int nKeywords = std::uniform_int_distribution<int>(0, 4)(random);
        for (int k = 0; k < nKeywords; ++k) {
            // Now and then an empty keyword, which every text holds.
            pAlert->m_keywords.append(random() % 15 == 0 ? QByteArray() : RandomBytes(random, nMaxKeywordLength));
        }
        alerts.push_back(pAlert);
    }
    return alerts;
}

TEST(AlertMatcherTest, FindsExactlyTheAlertsWhoseMatchIsTrue)
{
    const struct
    {
        const char* name;
        int nAlerts;
        int nMaxKeywordLength;
    } cases[] = {
        {"one alert", 1, 3},
        {"short keywords", 20, 2},
        {"longer keywords", 60, 6},
        {"many alerts", 300, 4},
    };
    std::mt19937 random(15);
    for (const auto& c : cases) {
        for (int nRound = 0; nRound < 40; ++nRound) {
            const CAlertList alerts = RandomAlerts(random, c.nAlerts, c.nMaxKeywordLength);
            CAlertMatcher matcher;
            for (int nText = 0; nText < 25; ++nText) {
                const QByteArray text = RandomBytes(random, 40);
                ASSERT_EQ(Candidates(matcher, alerts, text), Matching(alerts, text))
                    << c.name << ", round " << nRound << ", text '" << text.toHex().toStdString() << "'";
            }
        }
    }
}

TEST(AlertMatcherTest, KeywordsTooManyForTheTableStillFindEveryMatch)
{
    // Every byte value in keywords this long: the table would pass its limit.
    auto pLarge = std::make_shared<CAlert>();
    QByteArray keyword;
    while (keyword.size() * 257 <= CAlertMatcher::kMaxCells)
        keyword.append(char(keyword.size() * 7 % 256));
    pLarge->m_keywords = {keyword, "needle"};
    auto pInactive = std::make_shared<CAlert>();
    pInactive->m_keywords = {"needle"};
    pInactive->m_bActive = false;
    const CAlertList alerts{pLarge, pInactive};
    CAlertMatcher matcher;
    EXPECT_EQ(Candidates(matcher, alerts, "a needle here"), std::vector<const CAlert*>{pLarge.get()});
    // More candidates than matches are allowed here; Match then decides.
    const std::vector<const CAlert*> candidates = Candidates(matcher, alerts, "nothing");
    EXPECT_TRUE(Matching(alerts, "nothing").empty());
    EXPECT_LE(candidates.size(), 1u);
}

TEST(AlertMatcherTest, EveryChangeOfTheListOrOfAnAlertIsSeenWithoutBeingTold)
{
    CAlertList alerts;
    for (const char* keyword : {"disk", "full", "fan"}) {
        alerts.push_back(std::make_shared<CAlert>());
        alerts.back()->m_keywords = {keyword};
    }
    const QByteArray text = "disk full, fan loud, cpu hot";
    const struct
    {
        const char* name;
        std::function<void()> change;
        bool bBuildsAgain;
    } changes[] = {
        {"nothing", [] {}, false},
        {"switched off", [&] { alerts[0]->m_bActive = false; }, true},
        {"switched on", [&] { alerts[0]->m_bActive = true; }, true},
        {"keyword edited in place", [&] { alerts[1]->m_keywords[0] = "cpu"; }, true},
        {"keyword added", [&] { alerts[1]->m_keywords.append("gpu"); }, true},
        {"keyword removed", [&] { alerts[2]->m_keywords.removeFirst(); }, true},
        {"keyword byte changed", [&] { alerts[1]->m_keywords[0][0] = 'k'; }, true},
        {"same keywords assigned anew", [&] { alerts[0]->m_keywords = QList<QByteArray>{"disk"}; }, false},
        {"alert assigned from an edited copy",
         [&] {
             CAlert copy(*alerts[2]);
             copy.m_keywords = {"loud"};
             *alerts[2] = copy;
         },
         true},
        {"alert added", [&] { alerts.push_back(std::make_shared<CAlert>(*alerts[0])); }, true},
        {"alerts swapped", [&] { std::swap(alerts[0], alerts[1]); }, true},
        {"alert removed", [&] { alerts.erase(alerts.begin()); }, true},
        {"list replaced by the same alerts", [&] { alerts = CAlertList(alerts); }, false},
        {"alert replaced", [&] { alerts[0] = std::make_shared<CAlert>(); }, true},
    };
    CAlertMatcher matcher;
    Candidates(matcher, alerts, text);
    for (const auto& c : changes) {
        const int nBuilds = matcher.Builds();
        c.change();
        EXPECT_EQ(Candidates(matcher, alerts, text), Matching(alerts, text)) << c.name;
        EXPECT_EQ(matcher.Builds() - nBuilds, c.bBuildsAgain ? 1 : 0) << c.name;
    }
}

} // namespace
