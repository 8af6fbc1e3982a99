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

} // namespace
