#include "resources/MenuResource.h"

#include "resources/resource.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

// In every drop-down of every menu each command carries an id and no two items share a
// mnemonic, so that a key picks exactly one item instead of cycling between several.
TEST(MenuResourceTest, EveryItemHasAnIdAndItsOwnMnemonic)
{
    for (int nMenu : {IDR_MAINFRAME, IDR_COLOR_MENU, IDR_POPUP_MENU}) {
        const std::unique_ptr<QMenu> pMenu = LoadMenuResource(nMenu);
        ASSERT_TRUE(pMenu) << nMenu;
        ASSERT_FALSE(pMenu->actions().isEmpty()) << nMenu;
        QList<const QMenu*> dropDowns{pMenu.get()};
        for (const QAction* pDropDown : pMenu->actions()) {
            ASSERT_TRUE(pDropDown->menu()) << nMenu;
            dropDowns.append(pDropDown->menu());
        }
        for (const QMenu* pDropDown : dropDowns) {
            QSet<QChar> mnemonics;
            for (const QAction* pItem : pDropDown->actions()) {
                SCOPED_TRACE(pItem->text().toStdString());
                if (pItem->isSeparator())
                    continue;
                if (!pItem->menu()) {
                    EXPECT_NE(pItem->data().toInt(), 0);
                }
                const QString strLabel = pItem->text().section(u'\t', 0, 0);
                const qsizetype nAmp = strLabel.indexOf(u'&');
                if (nAmp < 0 || nAmp + 1 >= strLabel.size())
                    continue;
                const QChar key = strLabel.at(nAmp + 1).toLower();
                EXPECT_FALSE(mnemonics.contains(key));
                mnemonics.insert(key);
            }
        }
    }
}

TEST(MenuResourceTest, UnknownMenuIsNull)
{
    EXPECT_FALSE(LoadMenuResource(IDD_SEND_MESSAGE));
}

} // namespace
