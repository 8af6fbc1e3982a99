#include "resources/MenuResource.h"

#include "resources/resource.h"

#include <gtest/gtest.h>

namespace {

TEST(MenuResourceTest, ColorMenuHoldsTheNineColoursInOrder)
{
    const std::unique_ptr<QMenu> pMenu = LoadMenuResource(IDR_COLOR_MENU);
    ASSERT_TRUE(pMenu);
    ASSERT_EQ(pMenu->actions().size(), 1);
    EXPECT_EQ(pMenu->actions().at(0)->text(), QStringLiteral("Colors"));
    const QMenu* pColors = pMenu->actions().at(0)->menu();
    ASSERT_TRUE(pColors);

    const struct
    {
        const char* text;
        int id;
    } expected[] = {
        {"&Black", ID_COLOR_BLACK},   {"&Red", ID_COLOR_RED},       {"&Green", ID_COLOR_GREEN},
        {"B&lue", ID_COLOR_BLUE},     {"&Yellow", ID_COLOR_YELLOW}, {"&Orange", ID_COLOR_ORANGE},
        {"&Purple", ID_COLOR_PURPLE}, {"Brow&n", ID_COLOR_BROWN},   {"&White", ID_COLOR_WHITE},
    };
    const QList<QAction*> items = pColors->actions();
    ASSERT_EQ(items.size(), qsizetype(std::size(expected)));
    for (qsizetype i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(expected[i].text));
        EXPECT_EQ(items[i]->data().toInt(), expected[i].id);
    }
}

TEST(MenuResourceTest, UnknownMenuIsNull)
{
    EXPECT_FALSE(LoadMenuResource(IDD_SEND_MESSAGE));
}

} // namespace
