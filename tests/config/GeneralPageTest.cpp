#include "config/GeneralPage.h"

#include "config/PropertiesSheet.h"

#include "platform/desktop/AutostartEntry.h"
#include "platform/mfc/UpDownEdit.h"
#include "resources/DlgItem.h"
#include "resources/resource.h"
#include "settings/Settings.h"
#include "support/Bytes.h"
#include "support/DialogInput.h"
#include "support/TestStore.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class GeneralPageTest : public ::testing::Test
{
protected:
    GeneralPageTest()
    {
        RemoveStoreFile();
        m_entry.Remove();
    }
    ~GeneralPageTest() override { m_entry.Remove(); }

    // A page as the sheet shows it first.
    std::unique_ptr<CGeneralPage> ShownPage()
    {
        auto pPage = std::make_unique<CGeneralPage>();
        pPage->Activate();
        return pPage;
    }

    template <typename T>
    static T* Control(CGeneralPage& page, int nID)
    {
        return qobject_cast<T*>(GetDlgItem(&page, nID));
    }

    CAutostartEntry m_entry{QStringLiteral("Tellwick")};
};

TEST_F(GeneralPageTest, TheLogControlsFollowTheBoxAtOnceAndTheNameIsSavedAsShown)
{
    CSettings stored;
    stored.SetLogToFile(false);
    stored.SetLogFileName("old.log");
    stored.Save();
    auto pPage = ShownPage();
    auto* pLogToFile = Control<QCheckBox>(*pPage, IDC_LOG_TO_FILE);
    const QList<QWidget*> logControls{GetDlgItem(pPage.get(), IDC_LOG_FILE_NAME),
                                      GetDlgItem(pPage.get(), IDC_BROWSE),
                                      GetDlgItem(pPage.get(), IDC_LOG_FILE_NAME_LABEL)};
    auto enabled = [&] {
        QList<bool> states;
        for (QWidget* pControl : logControls)
            states.append(pControl->isEnabled());
        return states;
    };
    EXPECT_EQ(enabled(), (QList<bool>{false, false, false}));
    for (bool bTicked : {true, false, true}) {
        pLogToFile->click();
        EXPECT_EQ(enabled(), (QList<bool>{bTicked, bTicked, bTicked}));
        EXPECT_TRUE(pLogToFile->isEnabled());
    }
    pLogToFile->click();
    // The browse button replaces the whole field, also with a file that is not there yet.
    pPage->SetLogFileChooser([](QWidget*) { return QStringLiteral("/var/log/new/tellwick.log"); });
    Control<QPushButton>(*pPage, IDC_BROWSE)->setEnabled(true);
    Control<QPushButton>(*pPage, IDC_BROWSE)->click();
    ASSERT_TRUE(pPage->OnApply());
    EXPECT_FALSE(CSettings().GetLogToFile());
    EXPECT_EQ(CSettings().GetLogFileName(), "/var/log/new/tellwick.log");
}

// OK on the sheet gives back the texts the user left alone byte for byte, even bytes the locale
// cannot show, and stores what the user typed as typed.
TEST_F(GeneralPageTest, OkKeepsTheBytesOfUntouchedTextsAndStoresEditedOnes)
{
    const struct
    {
        const char* name;
        const char* typedFastMark; // null: left alone
        QByteArray fastMarkAfter;
    } cases[] = {
        {"untouched", nullptr, Bytes("caf\xe9 <r>")},
        {"fast mark edited", "th\u00e9", Bytes("th\xc3\xa9")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveStoreFile();
        CSettings stored;
        stored.SetFastMark(Bytes("caf\xe9 <r>"));
        stored.SetLogFileName(Bytes("caf\xe9.log"));
        stored.Save();
        const QByteArray before = ReadStoreFile();
        CPropertiesSheet sheet;
        CModalAnswer answer([&](QDialog&) {
            if (c.typedFastMark) {
                auto* pEdit = Control<QLineEdit>(sheet.m_generalPage, IDC_FAST_MARK);
                pEdit->selectAll();
                pEdit->insert(QString::fromUtf8(c.typedFastMark)); // as if pasted
            }
            QTest::mouseClick(sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                              Qt::LeftButton);
        });
        EXPECT_EQ(sheet.DoModal(), QDialog::Accepted);
        ASSERT_TRUE(answer.Opened());
        EXPECT_EQ(Hex(CSettings().GetFastMark()), Hex(c.fastMarkAfter));
        EXPECT_EQ(Hex(CSettings().GetLogFileName()), Hex(Bytes("caf\xe9.log")));
        if (!c.typedFastMark) {
            EXPECT_EQ(ReadStoreFile().toStdString(), before.toStdString());
        }
    }
}

// Browse opens the file dialog itself, which takes the name of a file that is not there yet.
TEST_F(GeneralPageTest, BrowseTakesANewFileTypedIntoTheFileDialog)
{
    CSettings stored;
    stored.SetLogToFile(true);
    stored.SetLogFileName("old.log");
    stored.Save();
    auto pPage = ShownPage();
    ASSERT_TRUE(ShowActive(*pPage));
    const QTemporaryDir folder;
    const QString strNew = folder.filePath(QStringLiteral("new.log"));
    CModalAnswer answer([&](QDialog& dialog) {
        auto* pFileDialog = qobject_cast<QFileDialog*>(&dialog);
        ASSERT_NE(pFileDialog, nullptr);
        auto* pName = pFileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(pName, nullptr);
        // A dialog that refuses the name says so in a message box; that box is closed, not
        // waited for (and no later test's box is, as this goes with the dialog).
        QTimer::singleShot(0, pFileDialog, [] {
            if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                pBox->reject();
        });
        QTest::keyClicks(pName, strNew);
        QTest::keyClick(pName, Qt::Key_Return);
    });
    QTest::mouseClick(GetDlgItem(pPage.get(), IDC_BROWSE), Qt::LeftButton);
    ASSERT_TRUE(answer.Opened());
    EXPECT_EQ(Control<QLineEdit>(*pPage, IDC_LOG_FILE_NAME)->text().toStdString(),
              strNew.toStdString());
    EXPECT_FALSE(QFile::exists(strNew));
}

TEST_F(GeneralPageTest, AnyTypedWholeNumberIsTakenButOnlyALimitInRangeIsSavedByThePage)
{
    const struct
    {
        const char* typed;
        int nTaken;
        int nSaved;
    } cases[] = {
        {"5", 5, 300}, {"10", 10, 300}, {"11", 11, 11}, {"99998", 99998, 99998}, {"99999", 99999, 300},
    };
    for (const auto& c : cases) {
        CSettings stored;
        stored.SetMaxLines(300);
        stored.Save();
        auto pPage = ShownPage();
        Control<CUpDownEdit>(*pPage, IDC_MAX_LINES)->SetText(QLatin1String(c.typed));
        ASSERT_TRUE(pPage->OnApply()) << c.typed;
        EXPECT_EQ(pPage->m_nMaxLines, c.nTaken) << c.typed;
        EXPECT_EQ(CSettings().GetMaxLines(), c.nSaved) << c.typed;
    }
}

TEST_F(GeneralPageTest, AMaxLinesThatIsNoNumberKeepsThePageWithTheFocusOnTheField)
{
    for (const char* typed : {"", "99999999999"}) {
        auto pPage = ShownPage();
        pPage->show();
        auto* pEdit = Control<CUpDownEdit>(*pPage, IDC_MAX_LINES);
        pEdit->SetText(QLatin1String(typed));
        QString strTold;
        QTimer::singleShot(0, [&] {
            if (auto* pBox = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                strTold = pBox->text();
                pBox->accept();
            }
        });
        EXPECT_FALSE(pPage->OnApply()) << typed;
        EXPECT_FALSE(strTold.isEmpty()) << typed;
        EXPECT_TRUE(pEdit->hasFocus() || QApplication::focusWidget() == nullptr) << typed;
        EXPECT_FALSE(QFile::exists(QString::fromLocal8Bit(StoreFilePath()))) << typed;
    }
}

TEST_F(GeneralPageTest, TheArrowsStopAtTenAndNineThousandNineHundredNinetyNine)
{
    auto pPage = ShownPage();
    auto* pEdit = Control<CUpDownEdit>(*pPage, IDC_MAX_LINES);
    const struct
    {
        const char* from;
        int nSteps;
        const char* to;
    } cases[] = {
        {"12", -5, "10"}, {"9998", 5, "9999"}, {"150", 1, "151"}, {"99999", 1, "9999"},
        {"5", -1, "10"},  {"", 1, "10"},       {"", -1, "9999"},
    };
    for (const auto& c : cases) {
        pEdit->SetText(QLatin1String(c.from));
        pEdit->stepBy(c.nSteps);
        EXPECT_EQ(pEdit->Text(), QLatin1String(c.to)) << c.from << " " << c.nSteps;
    }
}

TEST_F(GeneralPageTest, TheStartupBoxShowsAnyEntryAndOkWritesOrRemovesIt)
{
    // Any entry of that name, whatever it holds, ticks the box.
    ASSERT_TRUE(m_entry.Write(QStringLiteral("/somewhere/else")));
    QFile(m_entry.FilePath()).resize(0);
    auto pPage = ShownPage();
    auto* pBox = Control<QCheckBox>(*pPage, IDC_RUN_AT_STARTUP);
    EXPECT_TRUE(pBox->isChecked());
    ASSERT_TRUE(pPage->OnApply());
    QFile entry(m_entry.FilePath());
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray text = entry.readAll();
    entry.close();
    const QByteArray exec =
        "\nExec=" + CAutostartEntry::ExecValue(QCoreApplication::applicationFilePath()).toUtf8() + '\n';
    EXPECT_TRUE(text.contains(exec)) << text.toStdString();
    const QString strValidator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    ASSERT_FALSE(strValidator.isEmpty()) << "desktop-file-validate is missing";
    QProcess validate;
    validate.start(strValidator, {m_entry.FilePath()});
    ASSERT_TRUE(validate.waitForFinished());
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();

    pBox->setChecked(false);
    ASSERT_TRUE(pPage->OnApply());
    EXPECT_FALSE(m_entry.Exists());
    // Unticked with no entry there: nothing happens, nothing is told.
    ASSERT_TRUE(pPage->OnApply());
    EXPECT_FALSE(m_entry.Exists());
}

TEST(AutostartEntryTest, ExecQuotesThePathAsDesktopEntriesRequire)
{
    const struct
    {
        const char* path;
        const char* exec;
    } cases[] = {
        {"/usr/bin/tellwick", R"("/usr/bin/tellwick")"},
        {"/opt/my apps/tellwick", R"("/opt/my apps/tellwick")"},
        {R"(/tmp/a"b`c$d)", R"("/tmp/a\\"b\\`c\\$d")"},
        {R"(/tmp/back\slash)", R"("/tmp/back\\\\slash")"},
        {"/tmp/100%/tellwick", R"("/tmp/100%%/tellwick")"},
        {"/tmp/line\nbreak", R"("/tmp/line\nbreak")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CAutostartEntry::ExecValue(QString::fromUtf8(c.path)), QString::fromUtf8(c.exec)) << c.path;
}

} // namespace
