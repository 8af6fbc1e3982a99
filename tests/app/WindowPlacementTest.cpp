#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowPlacementTest, StoredTextsThatParse)
{
    const struct
    {
        const char* text;
        WindowPlacement placement;
    } cases[] = {
        {"0,1,-1,-1,-1,-1,100,80,620,480", {0, 1, -1, -1, -1, -1, 100, 80, 620, 480}},
        {"2,3,-1,-1,-8,-8,0,0,1024,768", {2, 3, -1, -1, -8, -8, 0, 0, 1024, 768}},
        // Blanks before a number and anything after the tenth are accepted, as the scanner does.
        {" 0, 1,+2,-3, 4, 5, 6, 7, 8, 9 and more", {0, 1, 2, -3, 4, 5, 6, 7, 8, 9}},
        {"0,1,2,3,4,5,6,7,8,9,10", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        // An unsigned field takes a negative number modulo 2^32.
        {"-1,4294967295,-2147483648,2147483647,0,0,0,0,0,0",
         {0xFFFFFFFFu, 0xFFFFFFFFu, INT32_MIN, INT32_MAX, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const auto placement = ParseWindowPlacement(c.text);
        ASSERT_TRUE(placement) << c.text;
        EXPECT_EQ(*placement, c.placement) << c.text;
    }
}

TEST(WindowPlacementTest, StoredTextsThatAreRefused)
{
    for (const char* text : {
             "",
             "0,1,-1,-1,-1,-1,100,80,620",      // nine numbers
             "0,1,-1,-1,-1,-1,100,80,620,",     // the tenth missing after its comma
             "0,1,-1,-1,-1,-1,100,80,620 ,480", // a blank before a comma
             "0;1;-1;-1;-1;-1;100;80;620;480",
             "0,1,-1,-1,-1,-1,100,80,620,-",
             "0,1,-1,-1,-1,-1,2147483648,80,620,480",
             "0,1,-1,-1,-1,-1,-2147483649,80,620,480",
             "0,4294967296,-1,-1,-1,-1,100,80,620,480",
             "0,1,-1,-1,-1,-1,100,80,620,99999999999999999999999999",
         })
        EXPECT_FALSE(ParseWindowPlacement(text)) << text;
}

TEST(WindowPlacementTest, FormatsTheTenFieldsInStoredOrder)
{
    const WindowPlacement placement{WPF_RESTORETOMAXIMIZED, SW_SHOWMAXIMIZED, -1, -2, -3, -4,
                                    10, 20, 630, 500};
    EXPECT_EQ(FormatWindowPlacement(placement), "2,3,-1,-2,-3,-4,10,20,630,500");
    EXPECT_EQ(ParseWindowPlacement(FormatWindowPlacement(placement)), placement);
}

TEST(WindowPlacementTest, AStoredRectangleOpensWhereItsTitleBarCanBeReached)
{
    // Two screens side by side, the primary on the left; a title bar 20 high; at least 300x200.
    const QList<QRect> areas{QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
    const QSize minimum(300, 200);
    const struct
    {
        const char* what;
        QRect stored;
        QRect opened;
    } cases[] = {
        {"inside the primary", {100, 80, 400, 300}, {100, 80, 400, 300}},
        {"inside the second", {1100, 50, 400, 300}, {1100, 50, 400, 300}},
        {"title bar above the top", {100, -500, 400, 700}, {100, 20, 400, 700}},
        {"right under the top edge", {100, 0, 400, 300}, {100, 20, 400, 300}},
        {"off every screen", {5000, 4000, 400, 300}, {624, 468, 400, 300}},
        {"mostly on the second", {900, 100, 400, 300}, {1024, 100, 400, 300}},
        {"below the second's bottom", {1200, 550, 400, 300}, {1200, 300, 400, 300}},
        {"too small", {100, 80, 70, 141}, {100, 80, 300, 200}},
        {"larger than its screen", {1100, 0, 2000, 2000}, {1024, 20, 800, 580}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitOnScreen(c.stored, minimum, areas, 20), c.opened) << c.what;
    // A screen smaller than the minimum gets the window at its top left, whole.
    EXPECT_EQ(FitOnScreen({50, 50, 100, 100}, minimum, {QRect(0, 0, 200, 150)}, 20),
              QRect(0, 20, 300, 200));
}

} // namespace
