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
    EXPECT_TRUE(r.TopLeft() == CPoint(10, 20));

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
    const Case cases[] = {
        {"offset",
         [&] {
             CRect r = a;
             r.OffsetRect(5, -5);
             return r;
         },
         {5, -5, 105, 45}},
        {"inflate",
         [&] {
             CRect r = a;
             r.InflateRect(2, 3);
             return r;
         },
         {-2, -3, 102, 53}},
        {"deflate",
         [&] {
             CRect r = a;
             r.DeflateRect(10, 5);
             return r;
         },
         {10, 5, 90, 45}},
        {"normalise",
         [] {
             CRect r(10, 20, 0, 5);
             r.NormalizeRect();
             return r;
         },
         {0, 5, 10, 20}},
        {"point and size", [] { return CRect(CPoint(3, 4), CSize(10, 20)); }, {3, 4, 13, 24}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.op(), c.expected) << c.name;
    }
}

TEST(RectTest, IntersectionReportsWhetherAnythingIsLeft) {
    CRect r(1, 2, 3, 4);
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(20, 20, 30, 30)));
    EXPECT_EQ(r, CRect(0, 0, 0, 0));
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 30, 30)));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    // Touching edges do not overlap.
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 100, 50), CRect(100, 0, 200, 50)));
}

TEST(RectTest, PointFromMouseMessage) {
    // x in the low word, y in the high word, both signed (a drag left of a window gives negatives).
    EXPECT_TRUE(CPoint(MAKELPARAM(WORD(-5), 300)) == CPoint(-5, 300));
    EXPECT_TRUE(CPoint(MAKELPARAM(WORD(-5), WORD(-1))) == CPoint(-5, -1));
}

} // namespace
