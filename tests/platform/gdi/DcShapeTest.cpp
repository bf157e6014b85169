#include "GdiTestUtil.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Pen.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kBack = RGB(0, 0, 255);
constexpr COLORREF kPen = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Board {
    QImage image = Canvas(40, 40, kBack);
    CDC dc;
    Board() { dc.AttachImage(&image); }
    const QImage& Done() {
        dc.ReleaseTarget();
        return image;
    }
};

TEST(DcShape, RectangleLeavesOutRightAndBottomAndFillsWithTheDefaultWhiteBrush) {
    Board b;
    CPen pen(PS_SOLID, 1, kPen);
    b.dc.SelectObject(&pen);
    b.dc.Rectangle(5, 5, 15, 12);
    const QImage& img = b.Done();
    EXPECT_EQ(Px(img, 5, 5), kPen);
    EXPECT_EQ(Px(img, 14, 11), kPen);
    EXPECT_EQ(Px(img, 15, 11), kBack);
    EXPECT_EQ(Px(img, 14, 12), kBack);
    EXPECT_EQ(Px(img, 6, 6), kWhite);
    EXPECT_EQ(Px(img, 13, 10), kWhite);
}

TEST(DcShape, NullPenFillsOnePixelShortAndNullBrushLeavesItHollow) {
    Board b;
    b.dc.SelectStockObject(NULL_PEN);
    CBrush brush(RGB(0, 255, 0));
    b.dc.SelectObject(&brush);
    b.dc.Rectangle(0, 0, 10, 10); // a null pen fills one pixel short
    b.dc.SelectStockObject(BLACK_PEN);
    b.dc.SelectStockObject(NULL_BRUSH);
    b.dc.Rectangle(20, 20, 30, 30);
    const QImage& img = b.Done();
    EXPECT_EQ(Px(img, 8, 8), RGB(0, 255, 0));
    EXPECT_EQ(Px(img, 9, 9), kBack);
    EXPECT_EQ(Px(img, 20, 20), RGB(0, 0, 0));
    EXPECT_EQ(Px(img, 25, 25), kBack); // hollow
}

TEST(DcShape, InsideFramePenStaysInsideTheBox) {
    Board b;
    CPen pen(PS_INSIDEFRAME, 3, kPen);
    b.dc.SelectObject(&pen);
    b.dc.Rectangle(10, 10, 30, 30);
    b.dc.Ellipse(2, 32, 8, 38); // a 6 x 6 marker dot with a 3-pixel ring: all pen colour
    const QImage& img = b.Done();
    EXPECT_EQ(Px(img, 10, 10), kPen);
    EXPECT_EQ(Px(img, 12, 20), kPen);
    EXPECT_EQ(Px(img, 13, 20), kWhite);
    EXPECT_EQ(Px(img, 29, 29), kPen);
    EXPECT_EQ(Px(img, 9, 20), kBack);
    EXPECT_EQ(Px(img, 30, 20), kBack);
    auto dot = Ink(img.copy(0, 31, 10, 9), kBack);
    ASSERT_TRUE(dot);
    EXPECT_EQ(*dot, QRect(2, 1, 6, 6)); // inside (2, 32)-(8, 38)
    EXPECT_EQ(Px(img, 5, 35), kPen);
}

TEST(DcShape, EllipseWithThinPenHasTheBrushInside) {
    Board b;
    CPen pen(PS_SOLID, 1, kPen);
    CBrush brush(RGB(0, 255, 0));
    b.dc.SelectObject(&pen);
    b.dc.SelectObject(&brush);
    b.dc.Ellipse(0, 0, 21, 21);
    const QImage& img = b.Done();
    EXPECT_EQ(Px(img, 10, 10), RGB(0, 255, 0));
    EXPECT_EQ(Px(img, 0, 0), kBack);
    auto ink = Ink(img, kBack);
    ASSERT_TRUE(ink);
    EXPECT_EQ(ink->left(), 0);
    EXPECT_LE(ink->right(), 20);
}

TEST(DcShape, LinesLeaveOutTheirLastPixel) {
    Board b;
    CPen pen(PS_SOLID, 0, kPen);
    b.dc.SelectObject(&pen);
    b.dc.MoveTo(2, 3);
    b.dc.LineTo(8, 3);
    b.dc.LineTo(8, 9);
    const QImage& img = b.Done();
    EXPECT_EQ(Px(img, 2, 3), kPen);
    EXPECT_EQ(Px(img, 7, 3), kPen);
    EXPECT_EQ(Px(img, 8, 3), kPen); // the second line's first pixel
    EXPECT_EQ(Px(img, 8, 8), kPen);
    EXPECT_EQ(Px(img, 8, 9), kBack);
    EXPECT_EQ(Px(img, 1, 3), kBack);
}

TEST(DcShape, ExclusiveOrDrawingTwiceRestoresThePixels) {
    Board b;
    b.dc.FillSolidRect(0, 0, 20, 20, RGB(12, 200, 77));
    b.dc.FillSolidRect(20, 0, 20, 40, RGB(250, 3, 9));
    const QImage before = b.image.copy();
    // The rubber-band and cursor-line idiom: a pen with R2_XORPEN, drawn and drawn again.
    CPen pen(PS_SOLID, 1, RGB(255, 255, 0));
    b.dc.SelectObject(&pen);
    b.dc.SelectStockObject(NULL_BRUSH);
    b.dc.SetROP2(R2_XORPEN);
    RECT focus{3, 3, 33, 30};
    for (int pass = 0; pass < 2; ++pass) {
        b.dc.MoveTo(25, 2);
        b.dc.LineTo(25, 38);
        b.dc.MoveTo(1, 1);
        b.dc.LineTo(39, 30);
        b.dc.Rectangle(5, 5, 35, 25);
        b.dc.DrawFocusRect(&focus);
        if (pass == 0) {
            EXPECT_NE(b.image, before);
            EXPECT_EQ(Px(b.image, 25, 10), RGB(250 ^ 255, 3 ^ 255, 9));
        }
    }
    EXPECT_EQ(b.Done(), before);
}

TEST(DcShape, FillsUseTheirOwnColourAndFillSolidRectSetsTheBackground) {
    Board b;
    CBrush brush(RGB(9, 8, 7));
    RECT r{1, 1, 4, 4};
    b.dc.SetROP2(R2_XORPEN); // fills ignore the pen mix
    b.dc.FillRect(&r, &brush);
    b.dc.FillRect(&r, &brush);
    EXPECT_EQ(b.dc.SetBkColor(RGB(1, 1, 1)), kWhite);
    b.dc.FillSolidRect(10, 10, 2, 2, RGB(5, 6, 7));
    EXPECT_EQ(b.dc.GetBkColor(), RGB(5, 6, 7));
    RECT sys{20, 20, 22, 22};
    b.dc.FillRect(&sys, GetSysColorBrush(COLOR_BTNFACE));
    const QImage& img = b.Done();
    EXPECT_EQ(Px(img, 3, 3), RGB(9, 8, 7));
    EXPECT_EQ(Px(img, 4, 4), kBack);
    EXPECT_EQ(Px(img, 11, 11), RGB(5, 6, 7));
    EXPECT_EQ(Px(img, 21, 21), GetSysColor(COLOR_BTNFACE));
}

} // namespace
