#include <afx.h>

#include <gtest/gtest.h>

TEST(Smoke, Runs)
{
    EXPECT_TRUE(RUNTIME_CLASS(CObject)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
}
