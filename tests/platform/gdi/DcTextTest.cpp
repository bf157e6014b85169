#include "GdiTestUtil.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"

#include <QFontInfo>

#include <cstring>

#include <gtest/gtest.h>

namespace {

LOGFONT Face(const char* face, LONG height, LONG weight = FW_NORMAL) {
    LOGFONT lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfQuality = ANTIALIASED_QUALITY;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

struct TextCanvas {
    QImage image;
    CDC dc;
    CFont font;
    TextCanvas(int w, int h, const LOGFONT& lf) : image(Canvas(w, h)) {
        dc.AttachImage(&image);
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 0, 0));
    }
    std::optional<QRect> Done() {
        dc.ReleaseTarget();
        return Ink(image, RGB(255, 255, 255));
    }
};

TEST(DcText, FacesResolveToInstalledFamiliesWithTheirWeights) {
    struct Case {
        const char* face;
        LONG weight;
        const char* family;
        bool bold;
    };
    const Case cases[] = {
        {"Arial Bold", FW_NORMAL, "Liberation Sans", true}, // the face name alone makes it bold
        {"Arial Bold", FW_BOLD, "Liberation Sans", true},   {"Arial", FW_NORMAL, "Liberation Sans", false},
        {"Arial", FW_BOLD, "Liberation Sans", true},        {"Tahoma", FW_NORMAL, "DejaVu Sans", false},
    };
    for (const Case& c : cases) {
        QFont font = GdiQFont(Face(c.face, -12, c.weight));
        QFontInfo info(font);
        SCOPED_TRACE(c.face);
        EXPECT_EQ(info.family().toStdString(), c.family);
        EXPECT_EQ(info.bold(), c.bold);
        EXPECT_EQ(info.pixelSize(), 12);
    }
}

TEST(DcText, MetricsOfTheSkinFontMatchArialBold) {
    // Height -12 "Arial Bold" is the 9-point skin font: a 14-pixel cell, 11 above the baseline.
    QImage image = Canvas(4, 4);
    CDC dc;
    dc.AttachImage(&image);
    CFont font;
    LOGFONT lf = Face("Arial Bold", -12, FW_BOLD);
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    TEXTMETRIC tm{};
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, 14);
    EXPECT_EQ(tm.tmAscent, 11);
    EXPECT_EQ(tm.tmDescent, 3);
    SIZE size = dc.GetTextExtent("Connect");
    EXPECT_EQ(size.cy, 14);
    EXPECT_NEAR(size.cx, 48, 2); // Arial Bold's advance widths at this size add up to 48
    // The measuring call a tile's name is fitted with: the first count characters.
    SIZE fitted{};
    ASSERT_TRUE(dc.GetTextExtentPoint32("Connected", 7, &fitted));
    EXPECT_EQ(fitted.cx, size.cx);
    EXPECT_EQ(fitted.cy, size.cy);
    EXPECT_FALSE(dc.GetTextExtentPoint32("Connect", 7, nullptr));
    // A positive height asks for the cell height instead.
    CFont cell;
    LOGFONT byCell = Face("Arial", 14);
    cell.CreateFontIndirect(&byCell);
    dc.SelectObject(&cell);
    dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 14, 1);
}

TEST(DcText, TextOutPutsTheTopOfTheCharacterCellAtY) {
    // 20-pixel em: ascent 18, so a capital's ink runs from about y + 4 down to the baseline y + 18.
    TextCanvas t(80, 60, Face("Arial", -20));
    t.dc.TextOut(10, 20, "HH");
    auto ink = t.Done();
    ASSERT_TRUE(ink);
    EXPECT_NEAR(ink->top(), 20 + 18 - 14, 1);
    EXPECT_EQ(ink->bottom(), 20 + 18 - 1);
    EXPECT_NEAR(ink->left(), 10 + 1, 1);
}

TEST(DcText, DrawTextPlacesSingleLinesByTheFormatFlags) {
    const RECT box{10, 10, 110, 40}; // 100 x 30
    const LOGFONT lf = Face("Arial", -12);
    TextCanvas probe(1, 1, lf);
    const SIZE extent = probe.dc.GetTextExtent("Mm");
    struct Case {
        UINT format;
        int left;    // where the text's cell starts
        int cellTop; // where the cell starts
    };
    const Case cases[] = {
        {DT_SINGLELINE, 10, 10},
        {DT_SINGLELINE | DT_CENTER, 10 + (100 - extent.cx) / 2, 10},
        {DT_SINGLELINE | DT_RIGHT, 110 - extent.cx, 10},
        {DT_SINGLELINE | DT_VCENTER, 10, 10 + (30 - 14) / 2},
        {DT_SINGLELINE | DT_BOTTOM, 10, 40 - 14},
        {DT_SINGLELINE | DT_CENTER | DT_VCENTER, 10 + (100 - extent.cx) / 2, 10 + (30 - 14) / 2},
    };
    // Where the ink of "Mm" sits relative to its cell, measured once at the left top.
    TextCanvas ref(200, 60, lf);
    RECT refBox{0, 0, 200, 60};
    ref.dc.DrawText("Mm", &refBox, DT_SINGLELINE);
    auto refInk = ref.Done();
    ASSERT_TRUE(refInk);
    for (const Case& c : cases) {
        TextCanvas t(200, 60, lf);
        RECT r = box;
        EXPECT_EQ(t.dc.DrawText("Mm", &r, c.format), 14);
        auto ink = t.Done();
        ASSERT_TRUE(ink);
        SCOPED_TRACE(c.format);
        EXPECT_EQ(ink->left(), c.left + refInk->left());
        EXPECT_EQ(ink->top(), c.cellTop + refInk->top());
    }
}

TEST(DcText, DrawTextClipsToItsRectangleUnlessAskedNotTo) {
    const LOGFONT lf = Face("Arial", -20);
    TextCanvas clipped(200, 60, lf);
    RECT r{10, 10, 30, 40};
    clipped.dc.DrawText("WWWWW", &r, DT_SINGLELINE);
    auto ink = clipped.Done();
    ASSERT_TRUE(ink);
    EXPECT_LT(ink->right(), 30);

    TextCanvas free(200, 60, lf);
    RECT r2{10, 10, 30, 40};
    free.dc.DrawText("WWWWW", &r2, DT_SINGLELINE | DT_NOCLIP);
    auto freeInk = free.Done();
    ASSERT_TRUE(freeInk);
    EXPECT_GT(freeInk->right(), 60);
}

TEST(DcText, CalcRectMeasuresWithoutDrawingAndWordBreakWraps) {
    const LOGFONT lf = Face("Arial", -12);
    TextCanvas t(300, 100, lf);
    const SIZE one = t.dc.GetTextExtent("alpha beta");
    RECT r{5, 5, 5, 5};
    EXPECT_EQ(t.dc.DrawText("alpha beta", &r, DT_CALCRECT | DT_SINGLELINE), 14);
    EXPECT_EQ(r.right - r.left, one.cx);
    EXPECT_EQ(r.bottom - r.top, 14);

    const SIZE alpha = t.dc.GetTextExtent("alpha");
    RECT narrow{0, 0, alpha.cx + 5, 0};
    EXPECT_EQ(t.dc.DrawText("alpha beta\ngamma", &narrow, DT_CALCRECT | DT_WORDBREAK), 3 * 14);
    EXPECT_EQ(narrow.bottom, 42);
    EXPECT_FALSE(t.Done()); // nothing drawn
}

TEST(DcText, OpaqueTextFillsItsCellWithTheBackgroundColour) {
    QImage image = Canvas(100, 40, RGB(0, 0, 255));
    CDC dc;
    dc.AttachImage(&image);
    CFont font;
    LOGFONT lf = Face("Arial", -12);
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    // Opaque is the default background mode.
    dc.SetBkColor(RGB(255, 255, 0));
    const SIZE size = dc.GetTextExtent("ab");
    dc.TextOut(20, 10, "ab");
    dc.ReleaseTarget();
    EXPECT_EQ(Px(image, 20, 10), RGB(255, 255, 0));
    EXPECT_EQ(Px(image, 20 + size.cx - 1, 10 + 13), RGB(255, 255, 0));
    EXPECT_EQ(Px(image, 20 + size.cx, 10), RGB(0, 0, 255));
    EXPECT_EQ(Px(image, 20, 10 + 14), RGB(0, 0, 255));
}

TEST(DcText, TextWithoutATargetIsStillMeasured) {
    CDC metrics; // e.g. a window's context used outside painting
    CFont font;
    LOGFONT lf = Face("Arial Bold", -12, FW_BOLD);
    font.CreateFontIndirect(&lf);
    metrics.SelectObject(&font);
    QImage image = Canvas(4, 4);
    CDC drawing;
    drawing.AttachImage(&image);
    drawing.SelectObject(&font);
    EXPECT_EQ(metrics.GetTextExtent("Disconnect").cx, drawing.GetTextExtent("Disconnect").cx);
    EXPECT_FALSE(metrics.TextOut(0, 0, "x"));
}

} // namespace
