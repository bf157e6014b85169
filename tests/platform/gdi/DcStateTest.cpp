#include "GdiTestUtil.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/Pen.h"
#include "platform/gdi/Rgn.h"

#include <QPainter>

#include <cstring>

#include <gtest/gtest.h>

namespace {

TEST(DcObjects, SelectObjectGivesBackThePreviousObjectToRestore) {
    QImage image = Canvas(10, 10);
    CDC dc;
    dc.AttachImage(&image);
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* original = dc.SelectObject(&red);
    ASSERT_NE(original, nullptr);
    EXPECT_EQ(original->m_hObject, GetStockObject(BLACK_PEN));
    EXPECT_EQ(dc.GetCurrentPen()->m_hObject, red.m_hObject);
    EXPECT_EQ(dc.SelectObject(original)->m_hObject, red.m_hObject);
    dc.MoveTo(0, 0);
    dc.LineTo(5, 0);
    CBrush* defaultBrush = dc.GetCurrentBrush();
    EXPECT_EQ(defaultBrush->m_hObject, GetStockObject(WHITE_BRUSH));
    // Through handles as well.
    HGDIOBJ before = dc.SelectObject(GetStockObject(NULL_BRUSH));
    EXPECT_EQ(before, GetStockObject(WHITE_BRUSH));
    CFont* font = dc.GetCurrentFont();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(CFont::FromHandle(static_cast<HFONT>(font->m_hObject)), font); // one wrapper per handle
    dc.ReleaseTarget();
    EXPECT_EQ(Px(image, 2, 0), RGB(0, 0, 0));
}

TEST(DcObjects, DeletedHandlesFindNothingAndStockObjectsStay) {
    CBrush brush(RGB(1, 2, 3));
    HGDIOBJ handle = brush.m_hObject;
    EXPECT_EQ(GetObjectType(handle), OBJ_BRUSH);
    EXPECT_TRUE(brush.DeleteObject());
    EXPECT_EQ(GetObjectType(handle), 0u);
    EXPECT_FALSE(DeleteObject(handle));
    EXPECT_EQ(CBrush::FromHandle(static_cast<HBRUSH>(handle)), nullptr);
    EXPECT_FALSE(DeleteObject(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), OBJ_BRUSH);
    // A fresh object never takes a deleted one's handle.
    CBrush other(RGB(1, 2, 3));
    EXPECT_NE(other.m_hObject, handle);
}

TEST(DcObjects, AnObjectDeletedWhileSelectedKeepsWorkingUntilDeselected) {
    QImage image = Canvas(10, 10);
    CDC dc;
    dc.AttachImage(&image);
    {
        CBrush green(RGB(0, 255, 0));
        dc.SelectObject(&green);
    } // deleted while selected
    dc.SelectStockObject(NULL_PEN);
    dc.Rectangle(0, 0, 6, 6);
    dc.ReleaseTarget();
    EXPECT_EQ(Px(image, 2, 2), RGB(0, 255, 0));
}

TEST(DcObjects, GetObjectDescribesEachKind) {
    LOGFONT lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Arial Bold");
    CFont font;
    font.CreateFontIndirect(&lf);
    LOGFONT back{};
    EXPECT_EQ(GetObject(font.m_hObject, sizeof(back), &back), int(sizeof(LOGFONT)));
    EXPECT_STREQ(back.lfFaceName, "Arial Bold");
    EXPECT_EQ(back.lfHeight, -12);

    LOGFONT gui{};
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(gui), &gui), int(sizeof(LOGFONT)));
    EXPECT_LT(gui.lfHeight, 0);

    CPen pen(PS_INSIDEFRAME, 3, RGB(1, 2, 3));
    LOGPEN lp{};
    EXPECT_EQ(GetObject(pen.m_hObject, sizeof(lp), &lp), int(sizeof(LOGPEN)));
    EXPECT_EQ(lp.lopnStyle, UINT(PS_INSIDEFRAME));
    EXPECT_EQ(lp.lopnWidth.x, 3);
    EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
    EXPECT_EQ(GetObject(pen.m_hObject, 2, &lp), 0); // buffer too small
}

TEST(DcClip, ClipRectanglesAndRegionsLimitDrawingAndTheClipBox) {
    QImage image = Canvas(40, 40, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(&image);
    RECT box{};
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box.right, 40);
    dc.IntersectClipRect(5, 5, 30, 30);
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.bottom, 30);
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(4, 4), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(5, 5), RGB(255, 255, 255));
    EXPECT_EQ(dc.GetPixel(30, 30), RGB(0, 0, 0));

    CRgn region;
    region.CreateRectRgn(30, 30, 35, 35);
    dc.SelectClipRgn(&region);
    region.DeleteObject(); // the context keeps its own copy
    dc.FillSolidRect(0, 0, 40, 40, RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(32, 32), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(29, 29), RGB(255, 255, 255));
    dc.SelectClipRgn(nullptr);
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
}

TEST(DcClip, SaveAndRestoreTakeBackObjectsAttributesAndClip) {
    QImage image = Canvas(20, 20, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(&image);
    CBrush blue(RGB(0, 0, 255));
    int saved = dc.SaveDC();
    dc.SelectObject(&blue);
    dc.SetTextColor(RGB(1, 1, 1));
    dc.SetWindowOrg(5, 5);
    dc.IntersectClipRect(5, 5, 6, 6);
    EXPECT_TRUE(dc.RestoreDC(saved));
    EXPECT_EQ(dc.GetCurrentBrush()->m_hObject, GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(dc.GetTextColor(), RGB(0, 0, 0));
    POINT origin{0, 0};
    dc.LPtoDP(&origin);
    EXPECT_EQ(origin.x, 0);
    RECT box{};
    dc.GetClipBox(&box);
    EXPECT_EQ(box.right, 20);
    EXPECT_FALSE(dc.RestoreDC(saved)); // taken already
}

TEST(DcMapping, OriginsMoveLogicalCoordinates) {
    QImage image = Canvas(40, 40, RGB(0, 0, 0));
    CDC dc;
    dc.AttachImage(&image);
    dc.SetWindowOrg(100, 200); // logical (100, 200) is the image's top-left
    dc.FillSolidRect(100, 200, 2, 2, RGB(255, 255, 255));
    EXPECT_EQ(Px(image, 1, 1), RGB(255, 255, 255));
    RECT box{};
    dc.GetClipBox(&box);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.bottom, 240);
    POINT p{100, 200};
    dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 0);
}

TEST(DcMapping, TwipsGrowUpwardsAndScaleTextWithoutMirroringIt) {
    QImage image = Canvas(200, 200);
    CDC dc;
    dc.AttachImage(&image);
    dc.SetMapMode(MM_TWIPS);
    POINT p{1440, -720};
    dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 96); // one inch at 96 pixels per inch
    EXPECT_EQ(p.y, 48);
    CFont font;
    LOGFONT lf{};
    lf.lfHeight = -300; // 300 twips = 20 pixels
    std::strcpy(lf.lfFaceName, "Arial");
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    TEXTMETRIC tm{};
    dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 22 * 15, 15); // a 22-pixel cell, in twips
    dc.SetBkMode(TRANSPARENT);
    RECT r{300, -300, 2700, -1500}; // device (20, 20)-(180, 100)
    dc.DrawText("T", &r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    dc.ReleaseTarget();
    auto ink = Ink(image, RGB(255, 255, 255));
    ASSERT_TRUE(ink);
    EXPECT_NEAR(ink->center().x(), 100, 2);
    EXPECT_NEAR(ink->center().y(), 60, 4);
    // Upright: the T's bar is at its top, so the top row has more ink than the bottom one.
    int topRow = 0, bottomRow = 0;
    for (int x = ink->left(); x <= ink->right(); ++x) {
        topRow += Px(image, x, ink->top()) != RGB(255, 255, 255);
        bottomRow += Px(image, x, ink->bottom()) != RGB(255, 255, 255);
    }
    EXPECT_GT(topRow, bottomRow);
}

TEST(DcPainter, AttachedPainterGetsItsStateBackAndClipBoxIsThePaintedArea) {
    QImage backing = Canvas(50, 50, RGB(0, 0, 0));
    QPainter painter(&backing);
    painter.setPen(QColor(1, 2, 3));
    CDC dc;
    ASSERT_TRUE(dc.AttachPainter(&painter, QRect(10, 10, 20, 20), &backing));
    RECT box{};
    dc.GetClipBox(&box);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.right, 30);
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    dc.SelectObject(&pen);
    dc.SetROP2(R2_XORPEN);
    dc.FillSolidRect(0, 0, 50, 50, RGB(255, 255, 255)); // only the painted area changes
    dc.ReleaseTarget();
    EXPECT_EQ(painter.pen().color(), QColor(1, 2, 3));
    EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
    EXPECT_EQ(Px(backing, 9, 9), RGB(0, 0, 0));
    EXPECT_EQ(Px(backing, 10, 10), RGB(255, 255, 255));
    EXPECT_EQ(Px(backing, 30, 30), RGB(0, 0, 0));
}

} // namespace
