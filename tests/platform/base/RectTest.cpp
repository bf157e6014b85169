#include "platform/base/Rect.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

std::ostream& operator<<(std::ostream& os, const RECT& r) {
    return os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

namespace {

TEST(RectTest, MeasuresAndHitTests) {
    const CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_TRUE(r.Size() == CSize(100, 50));
    EXPECT_TRUE(r.TopLeft() == CPoint(10, 20));
    EXPECT_TRUE(r.BottomRight() == CPoint(110, 70));
    EXPECT_TRUE(r.CenterPoint() == CPoint(60, 45));
    // Centring rounds toward zero, also left of the origin.
    EXPECT_TRUE(CRect(-3, -3, 0, 0).CenterPoint() == CPoint(-1, -1));

    struct Hit {
        POINT p;
        bool inside;
    };
    // Left and top edges belong to the rectangle, right and bottom do not.
    const Hit hits[] = {{{10, 20}, true},  {{109, 69}, true}, {{110, 20}, false},
                        {{10, 70}, false}, {{9, 30}, false},  {{50, 19}, false}};
    for (const Hit& h : hits) {
        EXPECT_EQ(r.PtInRect(h.p), h.inside) << h.p.x << "," << h.p.y;
        EXPECT_EQ(PtInRect(&r, h.p) != FALSE, h.inside) << h.p.x << "," << h.p.y;
    }

    struct Emptiness {
        CRect r;
        bool empty;
    };
    const Emptiness cases[] = {{{0, 0, 1, 1}, false},
                               {{5, 5, 5, 9}, true},
                               {{5, 5, 9, 5}, true},
                               {{10, 0, 0, 10}, true},
                               {{0, 0, 0, 0}, true}};
    for (const Emptiness& c : cases) {
        EXPECT_EQ(c.r.IsRectEmpty(), c.empty) << c.r;
    }
}

TEST(RectTest, OperationsOnTable) {
    struct Case {
        const char* name;
        std::function<CRect()> op;
        CRect expected;
    };
    const CRect a(0, 0, 100, 50);
    const CRect b(50, 25, 150, 75);
    const Case cases[] = {
        {"offset",
         [&] {
             CRect r = a;
             r.OffsetRect(5, -5);
             return r;
         },
         {5, -5, 105, 45}},
        {"plus point", [&] { return a + CPoint(1, 2); }, {1, 2, 101, 52}},
        {"minus point", [&] { return a - CPoint(1, 2); }, {-1, -2, 99, 48}},
        {"inflate",
         [&] {
             CRect r = a;
             r.InflateRect(2, 3);
             return r;
         },
         {-2, -3, 102, 53}},
        {"inflate by sides",
         [&] {
             CRect r = a;
             r.InflateRect(1, 2, 3, 4);
             return r;
         },
         {-1, -2, 103, 54}},
        {"deflate",
         [&] {
             CRect r = a;
             r.DeflateRect(10, 5);
             return r;
         },
         {10, 5, 90, 45}},
        {"deflate by sides",
         [&] {
             CRect r = a;
             r.DeflateRect(1, 2, 3, 4);
             return r;
         },
         {1, 2, 97, 46}},
        {"move to",
         [&] {
             CRect r = b;
             r.MoveToXY(0, 0);
             return r;
         },
         {0, 0, 100, 50}},
        {"normalise",
         [] {
             CRect r(10, 20, 0, 5);
             r.NormalizeRect();
             return r;
         },
         {0, 5, 10, 20}},
        {"intersection", [&] { return a & b; }, {50, 25, 100, 50}},
        {"intersection with contained", [&] { return a & CRect(10, 10, 20, 20); }, {10, 10, 20, 20}},
        {"touching edges do not intersect", [&] { return a & CRect(100, 0, 200, 50); }, {0, 0, 0, 0}},
        {"intersection into an operand",
         [&] {
             CRect r = a;
             r &= b;
             return r;
         },
         {50, 25, 100, 50}},
        {"union", [&] { return a | b; }, {0, 0, 150, 75}},
        {"union ignores an empty operand", [&] { return a | CRect(500, 500, 500, 600); }, a},
        {"union into an operand",
         [&] {
             CRect r = CRect(0, 0, 0, 0);
             r |= b;
             return r;
         },
         b},
        {"point and size", [] { return CRect(CPoint(3, 4), CSize(10, 20)); }, {3, 4, 13, 24}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.op(), c.expected) << c.name;
    }
}

TEST(RectTest, IntersectAndUnionReportWhetherAnythingIsLeft) {
    CRect r(1, 2, 3, 4);
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(20, 20, 30, 30)));
    EXPECT_EQ(r, CRect(0, 0, 0, 0));
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 30, 30)));
    EXPECT_FALSE(r.UnionRect(CRect(), CRect(4, 4, 4, 9)));
    EXPECT_TRUE(r.IsRectNull());

    RECT out{9, 9, 9, 9};
    const RECT p{0, 0, 10, 10};
    const RECT q{5, 5, 15, 15};
    EXPECT_TRUE(IntersectRect(&out, &p, &q));
    EXPECT_EQ(CRect(out), CRect(5, 5, 10, 10));
    EXPECT_TRUE(UnionRect(&out, &p, &q));
    EXPECT_EQ(CRect(out), CRect(0, 0, 15, 15));
    EXPECT_TRUE(OffsetRect(&out, 1, 1));
    EXPECT_TRUE(InflateRect(&out, -1, -1));
    EXPECT_EQ(CRect(out), CRect(2, 2, 15, 15));
    EXPECT_FALSE(IntersectRect(nullptr, &p, &q));
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_TRUE(IsRectEmpty(nullptr));
}

TEST(RectTest, PointFromMouseMessage) {
    // x in the low word, y in the high word, both signed (a drag left of a window gives negatives).
    EXPECT_TRUE(CPoint(MAKELPARAM(WORD(-5), 300)) == CPoint(-5, 300));
    CPoint p(1, 2);
    p += CPoint(3, 4);
    p -= CPoint(1, 1);
    EXPECT_TRUE(p == CPoint(3, 5));
    EXPECT_TRUE(-p == CPoint(-3, -5));
    EXPECT_TRUE(CSize(2, 3) + CSize(1, 1) == CSize(3, 4));
}

} // namespace
