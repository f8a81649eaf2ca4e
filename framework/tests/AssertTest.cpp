// ASSERT checks its condition in the build that the tests run.
#include <afx.h>

#include <gtest/gtest.h>

TEST(Assert, AFailedConditionEndsTheProcessAndNamesItAndATrueOneGoesOn)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const int nAnswer = 42;
    EXPECT_DEATH(ASSERT(nAnswer == 41), "nAnswer == 41");
    ASSERT(nAnswer == 42);
    SUCCEED();
}
