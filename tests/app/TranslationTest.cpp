#include "app/Translation.h"

#include "alerts/Alert.h"
#include "alerts/AlertDlg.h"
#include "alerts/KeywordDlg.h"
#include "config/PropertiesSheet.h"
#include "extlib/orvosched/Task.h"
#include "extlib/orvosched/TaskDialog.h"
#include "messaging/FindComputerDlg.h"
#include "messaging/SendMessageDlg.h"
#include "resources/MenuResource.h"
#include "resources/StringTable.h"
#include "resources/resource.h"
#include "support/FakeComputerBrowser.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <map>
#include <memory>

namespace {

// The environment variables of one case; unset ones read as empty.
QStringList LanguagesFor(const std::map<std::string, QString>& env)
{
    return CTranslation::DesktopLanguages([&env](const char* name) {
        const auto it = env.find(name);
        return it == env.end() ? QString() : it->second;
    });
}

TEST(TranslationTest, LanguagesComeFromTheDesktopAsTheCLibraryReadsThem)
{
    const struct
    {
        std::map<std::string, QString> env;
        QStringList languages;
    } cases[] = {
        {{}, {}},
        {{{"LANG", QStringLiteral("de_DE.UTF-8")}}, {QStringLiteral("de_DE")}},
        {{{"LANG", QStringLiteral("C")}, {"LANGUAGE", QStringLiteral("fr")}}, {}},
        {{{"LANG", QStringLiteral("C.UTF-8")}, {"LANGUAGE", QStringLiteral("fr")}}, {}},
        {{{"LC_ALL", QStringLiteral("es_ES.UTF-8@euro")}, {"LANG", QStringLiteral("de_DE.UTF-8")}},
         {QStringLiteral("es_ES")}},
        {{{"LC_MESSAGES", QStringLiteral("fr_CA.UTF-8")}, {"LANG", QStringLiteral("de_DE.UTF-8")}},
         {QStringLiteral("fr_CA")}},
        {{{"LANG", QStringLiteral("de_AT.UTF-8")}, {"LANGUAGE", QStringLiteral("en:de::fr")}},
         {QStringLiteral("en"), QStringLiteral("de"), QStringLiteral("fr"), QStringLiteral("de_AT")}},
        {{{"LANG", QStringLiteral("POSIX")}}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LanguagesFor(c.env), c.languages) << c.languages.join(u',').toStdString();
}

// The access keys of a set of texts that share one menu or dialog: key -> the texts marked so.
using KeyUse = QMap<QChar, QStringList>;

void AddKey(KeyUse& keys, const QString& strText)
{
    QString strShown = strText.section(u'\t', 0, 0);
    strShown.replace(QLatin1String("&&"), QString());
    const qsizetype nAmpersand = strShown.indexOf(u'&');
    if (nAmpersand >= 0 && nAmpersand + 1 < strShown.size())
        keys[strShown.at(nAmpersand + 1).toLower()].append(strText);
}

void ExpectUniqueKeys(const KeyUse& keys, const std::string& where)
{
    for (auto it = keys.begin(); it != keys.end(); ++it)
        EXPECT_EQ(it->size(), 1) << where << ": '" << QString(it.key()).toStdString() << "' marks "
                                 << it->join(QLatin1String(" | ")).toStdString();
}

void ExpectUniqueMenuKeys(const QMenu& menu, const std::string& where)
{
    KeyUse keys;
    for (const QAction* pAction : menu.actions()) {
        AddKey(keys, pAction->text());
        if (pAction->menu())
            ExpectUniqueMenuKeys(*pAction->menu(), where + " > " + pAction->text().toStdString());
    }
    ExpectUniqueKeys(keys, where);
}

// Every control of a dialog that a key can reach: buttons, labels of fields, and pages.
void ExpectUniqueDialogKeys(const QWidget& dialog, const std::string& where)
{
    KeyUse keys;
    for (const QAbstractButton* pButton : dialog.findChildren<QAbstractButton*>()) {
        if (!pButton->isHidden())
            AddKey(keys, pButton->text());
    }
    for (const QLabel* pLabel : dialog.findChildren<QLabel*>()) {
        if (!pLabel->isHidden() && pLabel->buddy())
            AddKey(keys, pLabel->text());
    }
    for (const QTabWidget* pTabs : dialog.findChildren<QTabWidget*>()) {
        for (int i = 0; i < pTabs->count(); ++i)
            AddKey(keys, pTabs->tabText(i));
    }
    ExpectUniqueKeys(keys, where);
}

class TranslationKeysTest : public ::testing::TestWithParam<const char*>
{
};

// Each catalogue against the program's own menus and dialogs, Qt's standard buttons included.
TEST_P(TranslationKeysTest, NoTwoItemsOfOneMenuOrDialogShareAnAccessKey)
{
    const QString strLanguage = QString::fromLatin1(GetParam());
    CTranslation translation;
    ASSERT_EQ(translation.Install({strLanguage}, QStringLiteral(TELLWICK_CATALOGUE_DIR)),
              strLanguage == QLatin1String("en") ? QString() : strLanguage);
    if (strLanguage != QLatin1String("en")) {
        // Translated indeed, so that the keys checked are the language's.
        ASSERT_NE(LoadResString(AFX_IDS_IDLEMESSAGE), LoadResSourceString(AFX_IDS_IDLEMESSAGE));
    }
    const std::string where = GetParam();

    for (const int nMenu : {IDR_MAINFRAME, IDR_COLOR_MENU, IDR_POPUP_MENU, IDR_CONTEXT_MENU}) {
        const std::unique_ptr<QMenu> pMenu = LoadMenuResource(nMenu);
        ASSERT_TRUE(pMenu) << nMenu;
        ExpectUniqueMenuKeys(*pMenu, where + ": menu " + std::to_string(nMenu));
    }

    CSendMessageDlg sendMessage;
    ExpectUniqueDialogKeys(sendMessage, where + ": Send Message");
    CFindComputerDlg findComputer(std::make_unique<CFakeComputerBrowser>(false));
    ExpectUniqueDialogKeys(findComputer, where + ": Find computer");
    CAlert alert;
    CAlertDlg alertDlg(&alert);
    ExpectUniqueDialogKeys(alertDlg, where + ": Alert");
    CKeywordDlg keyword;
    ExpectUniqueDialogKeys(keyword, where + ": Keyword");
    const CTask task;
    CTaskDialog taskDlg(task);
    ExpectUniqueDialogKeys(taskDlg, where + ": Task");
    CPropertiesSheet properties;
    ExpectUniqueDialogKeys(properties, where + ": Properties");
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationKeysTest, ::testing::Values("en", "de", "fr", "es"));

} // namespace
