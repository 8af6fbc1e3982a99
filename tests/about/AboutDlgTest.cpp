#include "about/AboutDlg.h"

#include "about/CreditsDlg.h"
#include "about/FileVersion.h"
#include "about/HyperLink.h"
#include "resources/DlgItem.h"
#include "resources/resource.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

// Takes the URLs the desktop would be asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> m_urls;

public slots:
    void Open(const QUrl& url) { m_urls.append(url); }
};

class AboutDlgTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_opened, "Open");
        m_dlg.setModal(true); // as DoModal runs it
        m_dlg.show();
    }
    void TearDown() override
    {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    QLabel* Label(int nId) { return qobject_cast<QLabel*>(GetDlgItem(&m_dlg, nId)); }
    void Click(int nId) { QTest::mouseClick(Label(nId), Qt::LeftButton); }

    UrlRecorder m_opened;
    CAboutDlg m_dlg;
};

TEST(AboutDlgTexts, MemoryAndFreeSpaceInKilobytes)
{
    const struct
    {
        const char* name;
        QString text;
        const char* expected;
    } cases[] = {
        {"64 MiB", CAboutDlg::PhysicalMemoryText(64ull << 20), "65536 KB"},
        {"below a kilobyte", CAboutDlg::PhysicalMemoryText(1023), "0 KB"},
        {"memory unknown", CAboutDlg::PhysicalMemoryText(std::nullopt), "Unavailable"},
        {"200,000 clusters of 64 sectors of 512 bytes",
         CAboutDlg::FreeDiskSpaceText(DiskFree{6553600000ull, QStringLiteral("/home")}),
         "6400000 KB Free on /home"},
        {"1 GiB on the root",
         CAboutDlg::FreeDiskSpaceText(DiskFree{1ull << 30, QStringLiteral("/")}),
         "1048576 KB Free on /"},
        {"past 32 bits of kilobytes",
         CAboutDlg::FreeDiskSpaceText(DiskFree{5000ull << 40, QStringLiteral("/srv")}),
         "5368709120000 KB Free on /srv"},
        {"disk unknown", CAboutDlg::FreeDiskSpaceText(std::nullopt), "Unavailable"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.text, QLatin1String(c.expected));
    }
}

TEST_F(AboutDlgTest, ShowsVersionBuildAndThisComputersResources)
{
    EXPECT_EQ(m_dlg.windowTitle(), QStringLiteral("About Tellwick"));
    ASSERT_FALSE(GetProgramVersion().isEmpty());
    EXPECT_EQ(Label(IDC_VERSION)->text(),
              QStringLiteral("Version %1 (Build: 410)").arg(GetProgramVersion()));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9][0-9]* KB$"))
                    .match(Label(IDC_PHYSICAL_MEMORY)->text())
                    .hasMatch())
        << Label(IDC_PHYSICAL_MEMORY)->text().toStdString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]+ KB Free on /"))
                    .match(Label(IDC_FREE_DISK_SPACE)->text())
                    .hasMatch())
        << Label(IDC_FREE_DISK_SPACE)->text().toStdString();
}

TEST_F(AboutDlgTest, TheWebAddressOpensWhatTheFirstClickFound)
{
    const QString strAddress = Label(IDC_WEB_ADDRESS)->text();
    Click(IDC_WEB_ADDRESS);
    Label(IDC_WEB_ADDRESS)->setText(QStringLiteral("https://elsewhere.example.org/"));
    Click(IDC_WEB_ADDRESS);
    EXPECT_EQ(m_opened.m_urls, (QList<QUrl>{QUrl(strAddress), QUrl(strAddress)}));

    // Plain labels take no clicks.
    Click(IDC_PHYSICAL_MEMORY);
    Click(IDC_FREE_DISK_SPACE);
    EXPECT_EQ(m_opened.m_urls.size(), 2);
    EXPECT_EQ(QApplication::activeModalWidget(), &m_dlg);
}

TEST_F(AboutDlgTest, TheProductNameOpensTheCreditsOverTheBox)
{
    QWidget* pOwner = nullptr;
    QString strCaption;
    QTimer::singleShot(0, [&] {
        if (auto* pCredits = qobject_cast<CCreditsDlg*>(QApplication::activeModalWidget())) {
            pOwner = pCredits->parentWidget();
            strCaption = pCredits->windowTitle();
            QTest::keyClick(pCredits, Qt::Key_Escape);
        }
    });
    Click(IDC_PRODUCT_NAME);
    EXPECT_EQ(strCaption, QStringLiteral("Credits"));
    EXPECT_EQ(pOwner, &m_dlg);
    EXPECT_TRUE(m_dlg.isVisible());
    EXPECT_TRUE(m_opened.m_urls.isEmpty());
}

// The web address is drawn in the theme's link colour: pure blue is lost on a dark theme, and
// a light one gives that blue anyway.
TEST(AboutDlgColours, TheWebAddressTakesTheThemesLinkColour)
{
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Window, QColor(53, 53, 53));
    dark.setColor(QPalette::Link, QColor(53, 132, 228));
    QApplication::setPalette(dark);
    QColor crShown;
    {
        CAboutDlg dlg;
        crShown = GetDlgItem(&dlg, IDC_WEB_ADDRESS)->palette().color(QPalette::WindowText);
    }
    QApplication::setPalette(saved);
    EXPECT_EQ(crShown, QColor(53, 132, 228));
}

// A keyboard user reaches both links with Tab, from OK where the box opens, and runs either
// with Enter or Space, as a click does.
TEST_F(AboutDlgTest, TabReachesBothLinksAndEnterOrSpaceRunsThem)
{
    m_dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dlg));
    QWidget* pOk = GetDlgItem(&m_dlg, IDOK);
    ASSERT_EQ(QApplication::focusWidget(), pOk);
    const auto tab = [] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    // The caption of the modal dialog the key opens, closed again at once.
    const auto dialogOpenedBy = [](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QString strCaption;
        QTimer::singleShot(0, [&] {
            if (QWidget* pModal = QApplication::activeModalWidget();
                pModal && pModal->parentWidget()) {
                strCaption = pModal->windowTitle();
                QTest::keyClick(pModal, Qt::Key_Escape);
            }
        });
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
        QApplication::processEvents();
        return strCaption;
    };
    const QString strAddress = Label(IDC_WEB_ADDRESS)->text();
    const struct
    {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier},
        {"Enter of the keypad", Qt::Key_Enter, Qt::KeypadModifier},
        {"Space", Qt::Key_Space, Qt::NoModifier},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        m_opened.m_urls.clear();
        ASSERT_EQ(tab(), GetDlgItem(&m_dlg, IDC_PRODUCT_NAME));
        EXPECT_EQ(dialogOpenedBy(c.key, c.modifiers), QStringLiteral("Credits"));
        EXPECT_TRUE(m_opened.m_urls.isEmpty());
        // Here no window manager gives the box back its activation when the credits close.
        m_dlg.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_dlg));
        ASSERT_EQ(QApplication::focusWidget(), GetDlgItem(&m_dlg, IDC_PRODUCT_NAME));
        ASSERT_EQ(tab(), GetDlgItem(&m_dlg, IDC_WEB_ADDRESS));
        QTest::keyClick(QApplication::focusWidget(), c.key, c.modifiers);
        EXPECT_EQ(m_opened.m_urls, QList<QUrl>{QUrl(strAddress)});
        EXPECT_TRUE(m_dlg.isVisible()) << "the key also pressed OK";
        ASSERT_EQ(tab(), pOk);
    }
}

// The program told to end closes its frame even while the About box and the credits are open.
TEST(AboutBoxOwner, MayGoWhileTheBoxAndTheCreditsAreOpen)
{
    auto* pFrame = new QWidget;
    pFrame->show();
    bool bCreditsOpened = false;
    QTimer::singleShot(0, [&] {
        auto* pAbout = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(pAbout, nullptr);
        QTimer::singleShot(0, [&] {
            bCreditsOpened =
                qobject_cast<CCreditsDlg*>(QApplication::activeModalWidget()) != nullptr;
            delete pFrame;
        });
        // Only the press: the label is gone before a release could reach it.
        QTest::mousePress(GetDlgItem(pAbout, IDC_PRODUCT_NAME), Qt::LeftButton);
    });
    ShowAboutBox(pFrame);
    EXPECT_TRUE(bCreditsOpened);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace

#include "AboutDlgTest.moc"
