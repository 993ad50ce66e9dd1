#include "wprect.h"

#include <gtest/gtest.h>

TEST(Rect, SizesMoveTheRightAndBottomEdges) {
    WPRect r(10, 20, 30, 60);
    EXPECT_EQ(20, r.Width());
    EXPECT_EQ(40, r.Height());
    r.SetWidth(5);
    r.SetHeight(-3);
    EXPECT_EQ(WPRect(10, 20, 15, 17), r);
}

TEST(Rect, NormalizeSwapsInvertedEdges) {
    WPRect r(30, 60, 10, 20);
    r.Normalize();
    EXPECT_EQ(WPRect(10, 20, 30, 60), r);
    WPRect flat(-5, 7, -5, 7);
    flat.Normalize();
    EXPECT_EQ(WPRect(-5, 7, -5, 7), flat);
}

TEST(Rect, IntersectKeepsTheOverlap) {
    WPRect r(0, 0, 100, 100);
    EXPECT_TRUE(r.Intersect(WPRect(50, -20, 150, 30)));
    EXPECT_EQ(WPRect(50, 0, 100, 30), r);
}

TEST(Rect, IntersectWithoutOverlapIsEmpty) {
    WPRect r(0, 0, 10, 10);
    EXPECT_FALSE(r.Intersect(WPRect(10, 0, 20, 10)));  // touching edges share no area
    EXPECT_EQ(WPRect(), r);
    WPRect s(0, 0, 10, 10);
    EXPECT_FALSE(s.Intersect(WPRect(20, 20, 30, 30)));
    EXPECT_TRUE(s.IsEmpty());
}

TEST(Rect, UnionHoldsBothAndIgnoresEmptyRectangles) {
    WPRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.Union(WPRect(-5, 5, 3, 20)));
    EXPECT_EQ(WPRect(-5, 0, 10, 20), r);
    EXPECT_TRUE(r.Union(WPRect(100, 100, 100, 200)));  // empty: adds nothing
    EXPECT_EQ(WPRect(-5, 0, 10, 20), r);
    WPRect empty;
    EXPECT_TRUE(empty.Union(WPRect(1, 2, 3, 4)));
    EXPECT_EQ(WPRect(1, 2, 3, 4), empty);
    WPRect none;
    EXPECT_FALSE(none.Union(WPRect()));
}

TEST(Rect, EqualityComparesAllFourEdges) {
    EXPECT_EQ(WPRect(1, 2, 3, 4), WPRect(1, 2, 3, 4));
    EXPECT_NE(WPRect(1, 2, 3, 4), WPRect(1, 2, 3, 5));
    EXPECT_NE(WPRect(1, 2, 3, 4), WPRect(0, 2, 3, 4));
    EXPECT_EQ(WPPoint(-1, 2), WPPoint(-1, 2));
    EXPECT_NE(WPPoint(-1, 2), WPPoint(2, -1));
}

TEST(TextExtent, IsLongestLineByLineCount) {
    EXPECT_EQ(WPRect(0, 0, 5, 3), WPRect::TextExtent("ab\nabcde\nabc"));
    EXPECT_EQ(WPRect(0, 0, 4, 1), WPRect::TextExtent("abcd"));
}

TEST(TextExtent, EmptyTextAndFinalNewline) {
    EXPECT_EQ(WPRect(0, 0, 0, 0), WPRect::TextExtent(""));
    EXPECT_EQ(WPRect(0, 0, 2, 1), WPRect::TextExtent("ab\n"));
    EXPECT_EQ(WPRect(0, 0, 2, 3), WPRect::TextExtent("\nab\n\n"));
}

TEST(TextExtent, CountsCharactersNotBytes) {
    EXPECT_EQ(WPRect(0, 0, 3, 2), WPRect::TextExtent("表示a\r\nxy"));
}
