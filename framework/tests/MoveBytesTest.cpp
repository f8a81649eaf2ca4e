#include <afx/MoveBytes.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <numeric>

// Every length up to and past the largest inline copy, at every shift between overlapping
// source and target, gives what memmove gives.
TEST(MoveBytesTest, CopiesAsMemmoveAtEveryLengthAndOverlap)
{
    for (size_t length = 0; length <= 80; ++length)
    {
        for (int shift = -9; shift <= 9; ++shift)
        {
            std::array<unsigned char, 128> expected, actual;
            std::iota(expected.begin(), expected.end(), 1);
            actual = expected;
            const size_t from = 20, to = from + shift;
            std::memmove(expected.data() + to, expected.data() + from, length);
            AfxMoveBytes(actual.data() + to, actual.data() + from, length);
            EXPECT_EQ(expected, actual) << "length " << length << ", shift " << shift;
        }
    }
}
