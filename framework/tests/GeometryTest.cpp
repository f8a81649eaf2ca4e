#include <afxwin.h>

#include <ostream>

#include <gtest/gtest.h>

// Readable failures for the tables below.
static void PrintTo(const CRect& rect, std::ostream* os)
{
    *os << "(" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom << ")";
}

namespace
{
TEST(GeometryTest, NormalizeRectSwapsReversedCoordinates)
{
    struct Case
    {
        CRect rect;
        CRect expected;
    } cases[] = {
        {CRect(10, 20, 30, 40), CRect(10, 20, 30, 40)}, {CRect(30, 20, 10, 40), CRect(10, 20, 30, 40)},
        {CRect(10, 40, 30, 20), CRect(10, 20, 30, 40)}, {CRect(30, 40, 10, 20), CRect(10, 20, 30, 40)},
        {CRect(-5, 0, -15, 0), CRect(-15, 0, -5, 0)},
    };
    for (Case& c : cases)
    {
        c.rect.NormalizeRect();
        EXPECT_EQ(c.rect, c.expected);
        EXPECT_GE(c.rect.Width(), 0);
        EXPECT_GE(c.rect.Height(), 0);
    }
}

TEST(GeometryTest, SetOperationsAndTheirOperators)
{
    struct Case
    {
        CRect a;
        CRect b;
        BOOL intersects;
        CRect intersection;
        CRect unionRect;
    } cases[] = {
        {CRect(0, 0, 10, 10), CRect(5, 5, 15, 15), TRUE, CRect(5, 5, 10, 10), CRect(0, 0, 15, 15)},
        {CRect(0, 0, 10, 10), CRect(2, 3, 4, 5), TRUE, CRect(2, 3, 4, 5), CRect(0, 0, 10, 10)},
        // Touching edges share no pixel: right and bottom edges are outside.
        {CRect(0, 0, 10, 10), CRect(10, 0, 20, 10), FALSE, CRect(), CRect(0, 0, 20, 10)},
        {CRect(0, 0, 10, 10), CRect(20, 20, 30, 30), FALSE, CRect(), CRect(0, 0, 30, 30)},
        // An empty rectangle does not widen a union.
        {CRect(0, 0, 10, 10), CRect(50, 50, 50, 60), FALSE, CRect(), CRect(0, 0, 10, 10)},
    };
    for (const Case& c : cases)
    {
        CRect intersection;
        EXPECT_EQ(intersection.IntersectRect(c.a, c.b), c.intersects);
        EXPECT_EQ(intersection, c.intersection);
        EXPECT_EQ(c.a & c.b, c.intersection);
        CRect unionRect;
        unionRect.UnionRect(c.a, c.b);
        EXPECT_EQ(unionRect, c.unionRect);
        EXPECT_EQ(c.a | c.b, c.unionRect);

        CRect a = c.a;
        a &= c.b;
        EXPECT_EQ(a, c.intersection);
        a = c.a;
        a |= c.b;
        EXPECT_EQ(a, c.unionRect);
    }
}

TEST(GeometryTest, SubtractRectRemovesOnlyWholeBands)
{
    struct Case
    {
        CRect a;
        CRect b;
        CRect expected;
    } cases[] = {
        // The right half covered over the full height: the left half remains.
        {CRect(0, 0, 10, 10), CRect(5, -1, 20, 11), CRect(0, 0, 5, 10)},
        // The top band covered over the full width.
        {CRect(0, 0, 10, 10), CRect(-5, -5, 15, 4), CRect(0, 4, 10, 10)},
        // A hole in the middle cannot be expressed: the rectangle stays whole.
        {CRect(0, 0, 10, 10), CRect(2, 2, 8, 8), CRect(0, 0, 10, 10)},
    };
    for (const Case& c : cases)
    {
        CRect result;
        result.SubtractRect(c.a, c.b);
        EXPECT_EQ(result, c.expected);
    }
    CRect result;
    EXPECT_FALSE(result.SubtractRect(CRect(0, 0, 10, 10), CRect(-1, -1, 11, 11)));
    EXPECT_TRUE(result.IsRectEmpty());
}

TEST(GeometryTest, InflateAndDeflateInEveryForm)
{
    const CRect base(10, 20, 30, 40);
    CRect rect = base;
    rect.InflateRect(1, 2);
    EXPECT_EQ(rect, CRect(9, 18, 31, 42));
    rect.DeflateRect(1, 2);
    EXPECT_EQ(rect, base);

    rect.InflateRect(CSize(3, 4));
    EXPECT_EQ(rect, CRect(7, 16, 33, 44));
    rect.DeflateRect(CSize(3, 4));
    EXPECT_EQ(rect, base);

    // The four-sided forms move each side by its own amount.
    rect.InflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(9, 18, 33, 44));
    rect.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, base);

    const CRect sides(1, 2, 3, 4);
    rect.InflateRect(&sides);
    EXPECT_EQ(rect, CRect(9, 18, 33, 44));
    rect.DeflateRect(&sides);
    EXPECT_EQ(rect, base);

    EXPECT_EQ(base + &sides, CRect(9, 18, 33, 44));
    EXPECT_EQ(CRect(9, 18, 33, 44) - &sides, base);
    rect += &sides;
    EXPECT_EQ(rect, CRect(9, 18, 33, 44));
    rect -= &sides;
    EXPECT_EQ(rect, base);

    // Deflating past the centre leaves a reversed, empty rectangle.
    rect.DeflateRect(15, 0);
    EXPECT_TRUE(rect.IsRectEmpty());
    EXPECT_EQ(rect.Width(), -10);
}

TEST(GeometryTest, PtInRectIncludesTopLeftEdgesOnly)
{
    const CRect rect(10, 20, 30, 40);
    struct Case
    {
        CPoint point;
        BOOL inside;
    } cases[] = {
        {CPoint(10, 20), TRUE}, {CPoint(29, 39), TRUE},  {CPoint(30, 39), FALSE}, {CPoint(29, 40), FALSE},
        {CPoint(9, 25), FALSE}, {CPoint(15, 19), FALSE}, {CPoint(20, 30), TRUE},  {CPoint(30, 40), FALSE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rect.PtInRect(c.point), c.inside) << c.point.x << "," << c.point.y;
    EXPECT_FALSE(CRect(5, 5, 5, 10).PtInRect(CPoint(5, 5)));
}

TEST(GeometryTest, EmptyAndNullAreDifferent)
{
    EXPECT_TRUE(CRect().IsRectNull());
    EXPECT_TRUE(CRect().IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 5, 10).IsRectNull());
    EXPECT_TRUE(CRect(10, 0, 0, 10).IsRectEmpty());
    EXPECT_FALSE(CRect(0, 0, 1, 1).IsRectEmpty());

    CRect rect(1, 2, 3, 4);
    rect.SetRectEmpty();
    EXPECT_TRUE(rect.IsRectNull());
}

TEST(GeometryTest, MovingKeepsTheSize)
{
    CRect rect(10, 20, 30, 60);
    rect.MoveToX(-5);
    EXPECT_EQ(rect, CRect(-5, 20, 15, 60));
    rect.MoveToY(0);
    EXPECT_EQ(rect, CRect(-5, 0, 15, 40));
    rect.MoveToXY(CPoint(100, 200));
    EXPECT_EQ(rect, CRect(100, 200, 120, 240));
    rect.OffsetRect(CSize(-100, -200));
    EXPECT_EQ(rect, CRect(0, 0, 20, 40));
    EXPECT_EQ(rect + CPoint(1, 2), CRect(1, 2, 21, 42));
    EXPECT_EQ(rect - CSize(1, 2), CRect(-1, -2, 19, 38));
    rect += CPoint(3, 3);
    rect -= CSize(1, 1);
    EXPECT_EQ(rect, CRect(2, 2, 22, 42));
    EXPECT_EQ(rect.Size(), CSize(20, 40));
    EXPECT_EQ(rect.CenterPoint(), CPoint(12, 22));
}

TEST(GeometryTest, CornersReferToTheRectangle)
{
    CRect rect(1, 2, 3, 4);
    rect.TopLeft() = CPoint(-1, -2);
    rect.BottomRight().Offset(10, 10);
    EXPECT_EQ(rect, CRect(-1, -2, 13, 14));
    EXPECT_EQ(CRect(rect.TopLeft(), rect.BottomRight()), rect);
    EXPECT_EQ(CRect(CPoint(5, 6), CSize(7, 8)), CRect(5, 6, 12, 14));

    // The conversions hand the rectangle itself to Win32.
    ::OffsetRect(rect, 1, 1);
    EXPECT_EQ(rect, CRect(0, -1, 14, 15));
    const CRect& constRect = rect;
    EXPECT_EQ(static_cast<LPCRECT>(constRect), &rect);
}

TEST(GeometryTest, PointAndSizeArithmetic)
{
    const CPoint a(10, 20);
    const CPoint b(3, 4);
    EXPECT_EQ(a - b, CSize(7, 16));
    EXPECT_EQ(a + b, CPoint(13, 24));
    EXPECT_EQ(a + CSize(1, 1), CPoint(11, 21));
    EXPECT_EQ(a - CSize(1, 1), CPoint(9, 19));
    EXPECT_EQ(-a, CPoint(-10, -20));
    EXPECT_EQ(CSize(2, 3) + CSize(4, 5), CSize(6, 8));
    EXPECT_EQ(-CSize(2, 3), CSize(-2, -3));
    EXPECT_EQ(CSize(2, 3) + CPoint(1, 1), CPoint(3, 4));
    EXPECT_TRUE(a != b);

    CPoint p = a;
    p += CSize(1, 2);
    p -= CPoint(1, 2);
    EXPECT_EQ(p, a);

    // Mouse messages pack signed 16-bit coordinates.
    EXPECT_EQ(CPoint(MAKELPARAM(-5, -7)), CPoint(-5, -7));
    EXPECT_EQ(CSize(static_cast<DWORD>(MAKELONG(-5, 300))), CSize(-5, 300));
}

TEST(GeometryTest, MulDivScalesAndRounds)
{
    CRect rect(10, 15, 25, -7);
    rect.MulDiv(2, 3);
    EXPECT_EQ(rect, CRect(7, 10, 17, -5));
}
} // namespace
