#include "messaging/FindComputerDlg.h"

#include "support/FakeComputerBrowser.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FindComputerDlgTest : public ::testing::Test
{
public: // the table-driven cases reach the fixture through lambdas
    void Open(bool bAvailable, QStringList computers = {})
    {
        auto pBrowser = std::make_unique<CFakeComputerBrowser>(bAvailable, std::move(computers));
        m_pBrowser = pBrowser.get();
        m_pDlg = std::make_unique<CFindComputerDlg>(std::move(pBrowser));
        m_pDlg->show();
    }

    QListWidget* List() const
    {
        return m_pDlg->findChild<QListWidget*>(QStringLiteral("computerList"));
    }
    QLineEdit* Name() const { return m_pDlg->findChild<QLineEdit*>(QStringLiteral("nameEdit")); }
    QLabel* Status() const { return m_pDlg->findChild<QLabel*>(QStringLiteral("statusLabel")); }
    QPushButton* Ok() const
    {
        return m_pDlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }

    QStringList Listed() const
    {
        QStringList names;
        for (int i = 0; i < List()->count(); ++i)
            names.append(List()->item(i)->text());
        return names;
    }

    CFakeComputerBrowser* m_pBrowser = nullptr;
    std::unique_ptr<CFindComputerDlg> m_pDlg;
};

TEST_F(FindComputerDlgTest, ListFollowsWhatTheNetworkAnnounces)
{
    Open(true, {QStringLiteral("zeta.local"), QStringLiteral("desk-7.local")});
    EXPECT_EQ(Listed(),
              QStringList({QStringLiteral("desk-7.local"), QStringLiteral("zeta.local")}));
    EXPECT_FALSE(Status()->isVisible());

    // Seen on two networks: listed once, and gone only when lost on both.
    m_pBrowser->Find(QStringLiteral("desk-7.local"));
    EXPECT_EQ(Listed().count(QStringLiteral("desk-7.local")), 1);
    m_pBrowser->Lose(QStringLiteral("desk-7.local"));
    EXPECT_TRUE(Listed().contains(QStringLiteral("desk-7.local")));
    m_pBrowser->Lose(QStringLiteral("desk-7.local"));
    EXPECT_EQ(Listed(), QStringList({QStringLiteral("zeta.local")}));
    m_pBrowser->Lose(QStringLiteral("never-seen.local"));
    m_pBrowser->Lose(QStringLiteral("desk-7.local"));
    EXPECT_EQ(Listed(), QStringList({QStringLiteral("zeta.local")}));
}

TEST_F(FindComputerDlgTest, ChoosingAComputerNamesIt)
{
    Open(true, {QStringLiteral("desk-7.local"), QStringLiteral("reception.local")});
    List()->setCurrentRow(1);
    EXPECT_EQ(m_pDlg->GetComputerName(), QStringLiteral("reception.local"));
    EXPECT_TRUE(Ok()->isEnabled());

    // Activating an item (double-click, Enter) takes it at once.
    emit List()->itemActivated(List()->item(0));
    EXPECT_EQ(m_pDlg->result(), QDialog::Accepted);
    EXPECT_EQ(m_pDlg->GetComputerName(), QStringLiteral("desk-7.local"));
}

TEST_F(FindComputerDlgTest, WithoutBrowsingTheDialogSaysSoAndTakesATypedName)
{
    const std::function<void(FindComputerDlgTest&)> ways[] = {
        [](FindComputerDlgTest& t) { t.Open(false); },
        [](FindComputerDlgTest& t) {
            t.Open(true, {QStringLiteral("desk-7.local")});
            t.m_pBrowser->Fail();
        },
    };
    for (const auto& open : ways) {
        open(*this);
        EXPECT_TRUE(Status()->isVisible());
        EXPECT_TRUE(Status()->text().contains(QStringLiteral("not available")));
        EXPECT_FALSE(List()->isVisible());
        EXPECT_EQ(List()->count(), 0);

        EXPECT_FALSE(Ok()->isEnabled());
        QTest::keyClicks(Name(), QStringLiteral(" desk-9 "));
        EXPECT_TRUE(Ok()->isEnabled());
        QTest::mouseClick(Ok(), Qt::LeftButton);
        EXPECT_EQ(m_pDlg->result(), QDialog::Accepted);
        EXPECT_EQ(m_pDlg->GetComputerName(), QStringLiteral("desk-9"));
    }
}

TEST_F(FindComputerDlgTest, RunningCopiesComeFirstMarkedAndReachedOnTheirPort)
{
    const QByteArray saved = qgetenv("TELLWICK_MAILSLOT_PORT");
    qputenv("TELLWICK_MAILSLOT_PORT", "10138");
    Open(true, {QStringLiteral("alpha.local"), QStringLiteral("desk-7.local"),
                QStringLiteral("zeta.local")});
    m_pBrowser->FindCopy(QStringLiteral("zeta.local"), 20345);
    m_pBrowser->FindCopy(QStringLiteral("Desk-7.local"), 10138);

    EXPECT_EQ(Listed(),
              QStringList({QStringLiteral("Desk-7.local"), QStringLiteral("zeta.local:20345"),
                           QStringLiteral("alpha.local"), QStringLiteral("desk-7.local"),
                           QStringLiteral("zeta.local")}));
    // A computer that runs a copy is offered as the copy only; the copies stand out.
    QStringList shown;
    for (int i = 0; i < List()->count(); ++i) {
        const QListWidgetItem* pItem = List()->item(i);
        if (!pItem->isHidden())
            shown.append(pItem->text());
        EXPECT_EQ(pItem->font().bold(), i < 2) << pItem->text().toStdString();
        EXPECT_EQ(pItem->toolTip().isEmpty(), i >= 2) << pItem->text().toStdString();
    }
    EXPECT_EQ(shown,
              QStringList({QStringLiteral("Desk-7.local"), QStringLiteral("zeta.local:20345"),
                           QStringLiteral("alpha.local")}));

    List()->setCurrentRow(1);
    EXPECT_EQ(m_pDlg->GetComputerName(), QStringLiteral("zeta.local:20345"));

    // When the copy ends, the computer is listed again as one that only announces itself.
    m_pBrowser->LoseCopy(QStringLiteral("zeta.local"), 20345);
    EXPECT_FALSE(Listed().contains(QStringLiteral("zeta.local:20345")));
    EXPECT_FALSE(List()->item(Listed().indexOf(QStringLiteral("zeta.local")))->isHidden());
    qputenv("TELLWICK_MAILSLOT_PORT", saved);
}

} // namespace
