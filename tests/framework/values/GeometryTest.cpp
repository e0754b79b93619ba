#include "afx/Geometry.h"
#include "ValuesTest.h"

using GeometryTest = ValuesTest;

TEST_F(GeometryTest, PointsFromPackedCoordinatesAreSigned) {
    CPoint point(MAKELPARAM(-5, 300));
    EXPECT_EQ(point, CPoint(-5, 300));
    CSize size(static_cast<DWORD>(MAKELONG(-1, 2)));
    EXPECT_EQ(size, CSize(-1, 2));
    POINT raw = {7, 8};
    EXPECT_EQ(CPoint(raw), CPoint(7, 8));
    EXPECT_EQ(CPoint(), CPoint(0, 0));
    EXPECT_EQ(CPoint(CSize(3, 4)), CPoint(3, 4));
}

TEST_F(GeometryTest, PointAndSizeArithmetic) {
    CPoint point(10, 20);
    point.Offset(1, 2);
    point += CSize(1, 1);
    point -= CPoint(2, 3);
    EXPECT_EQ(point, CPoint(10, 20));
    EXPECT_EQ(point - CPoint(4, 5), CSize(6, 15));
    EXPECT_EQ(point + CSize(1, 1), CPoint(11, 21));
    EXPECT_EQ(-point, CPoint(-10, -20));
    EXPECT_EQ(point + CRect(0, 0, 5, 5), CRect(10, 20, 15, 25));
    EXPECT_EQ(CSize(2, 3) + CSize(1, 1), CSize(3, 4));
    EXPECT_NE(CSize(2, 3), CSize(3, 2));
}

TEST_F(GeometryTest, CornersAreReferencesIntoTheRectangle) {
    CRect rect(1, 2, 3, 4);
    rect.TopLeft() = CPoint(-1, -2);
    rect.BottomRight().Offset(10, 10);
    EXPECT_EQ(rect, CRect(-1, -2, 13, 14));
    EXPECT_EQ(rect.Width(), 14);
    EXPECT_EQ(rect.Height(), 16);
    EXPECT_EQ(rect.Size(), CSize(14, 16));
    EXPECT_EQ(rect.CenterPoint(), CPoint(6, 6));
    EXPECT_EQ(CRect(CPoint(1, 1), CSize(2, 3)), CRect(1, 1, 3, 4));
}

TEST_F(GeometryTest, RectanglesPassAsWin32Rectangles) {
    CRect rect(0, 0, 10, 10);
    ::OffsetRect(rect, 5, 5);
    EXPECT_EQ(rect, CRect(5, 5, 15, 15));
    const CRect& constant = rect;
    EXPECT_TRUE(::PtInRect(constant, CPoint(5, 5)));
    RECT raw = rect;
    EXPECT_EQ(raw.right, 15);
}

TEST_F(GeometryTest, TestsAndSetOperations) {
    CRect rect(0, 0, 10, 10);
    EXPECT_TRUE(rect.PtInRect(CPoint(0, 0)));
    EXPECT_FALSE(rect.PtInRect(CPoint(10, 5))) << "right edge is outside";
    EXPECT_FALSE(rect.PtInRect(CPoint(5, 10))) << "bottom edge is outside";
    EXPECT_FALSE(rect.IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 5, 9).IsRectEmpty());
    EXPECT_TRUE(CRect(5, 5, 4, 9).IsRectEmpty());
    EXPECT_FALSE(CRect(5, 5, 4, 9).IsRectNull());
    EXPECT_TRUE(CRect().IsRectNull());

    CRect result;
    EXPECT_TRUE(result.IntersectRect(rect, CRect(5, -5, 20, 5)));
    EXPECT_EQ(result, CRect(5, 0, 10, 5));
    EXPECT_FALSE(result.IntersectRect(rect, CRect(10, 0, 20, 10))) << "touching is not overlapping";
    EXPECT_TRUE(result.IsRectNull());
    EXPECT_TRUE(result.UnionRect(rect, CRect(20, 20, 30, 30)));
    EXPECT_EQ(result, CRect(0, 0, 30, 30));
    EXPECT_TRUE(result.UnionRect(rect, CRect(50, 50, 50, 60)));
    EXPECT_EQ(result, rect) << "empty rectangles add nothing";
    EXPECT_EQ(rect & CRect(-5, -5, 3, 3), CRect(0, 0, 3, 3));
    EXPECT_EQ(rect | CRect(-5, -5, 3, 3), CRect(-5, -5, 10, 10));
}

TEST_F(GeometryTest, ResizingAndMoving) {
    CRect rect(10, 10, 20, 20);
    rect.InflateRect(2, 3);
    EXPECT_EQ(rect, CRect(8, 7, 22, 23));
    rect.DeflateRect(1, 2, 3, 4);
    EXPECT_EQ(rect, CRect(9, 9, 19, 19));
    rect.DeflateRect(CSize(1, 1));
    rect.OffsetRect(CPoint(-10, -10));
    EXPECT_EQ(rect, CRect(0, 0, 8, 8));
    rect.MoveToXY(100, 200);
    EXPECT_EQ(rect, CRect(100, 200, 108, 208));
    rect += CRect(1, 1, 1, 1);
    EXPECT_EQ(rect, CRect(99, 199, 109, 209));
    EXPECT_EQ(rect - CPoint(99, 199), CRect(0, 0, 10, 10));
    CRect inverted(10, 20, 0, 5);
    inverted.NormalizeRect();
    EXPECT_EQ(inverted, CRect(0, 5, 10, 20));
    inverted.SetRectEmpty();
    EXPECT_TRUE(inverted.IsRectNull());
    inverted.SetRect(CPoint(1, 2), CPoint(3, 4));
    EXPECT_TRUE(inverted.EqualRect(CRect(1, 2, 3, 4)));
}
