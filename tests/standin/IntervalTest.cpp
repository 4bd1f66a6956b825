// Interval arithmetic on tick times.
#include <gtest/gtest.h>

#include "interval.h"

namespace {

TEST(Intervals, ForeverNeverAndContainment) {
    EXPECT_TRUE(NEVER.Empty());
    EXPECT_TRUE(Interval().Empty()) << "a new interval is empty";
    EXPECT_TRUE(FOREVER.InInterval(0));
    EXPECT_TRUE(FOREVER.InInterval(TIME_PosInfinity));
    EXPECT_FALSE(FOREVER.InInterval(TIME_NegInfinity)) << "the empty marker is never inside";
    EXPECT_FALSE(NEVER.InInterval(0));
    EXPECT_TRUE(Interval(10, 20).InInterval(10));
    EXPECT_TRUE(Interval(10, 20).InInterval(20));
    EXPECT_FALSE(Interval(10, 20).InInterval(21));
    EXPECT_EQ(TIME_TICKSPERSEC, 4800);
}

TEST(Intervals, IntersectionNarrowsAndMayEmpty) {
    Interval a(0, 100);
    a &= Interval(50, 200);
    EXPECT_TRUE(a == Interval(50, 100));
    EXPECT_TRUE((Interval(0, 10) & Interval(20, 30)).Empty());
    EXPECT_TRUE((FOREVER & NEVER).Empty());
    EXPECT_TRUE((Interval(5, 5) & FOREVER) == Interval(5, 5));
    EXPECT_TRUE((Interval(0, 10) & NEVER).Empty());
}

} // namespace
