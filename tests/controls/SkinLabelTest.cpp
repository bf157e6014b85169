// Labels (colours under the mouse, the fixed font, background bitmaps, the click point) and the
// picture static (image files shown stretched, the previous image freed).

#include "SkinTestSupport.h"

#include "controls/PictureStatic.h"
#include "controls/SkinFont.h"
#include "controls/SkinLabel.h"
#include "platform/gdi/Gdi.h"
#include "res/BitmapIds.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace skintest;

namespace {

// Test bitmaps: the right edge of a label, and an id the test set does not hold.
constexpr UINT kRightEdgeBitmap = 1701;
constexpr UINT kMissingBitmap = 4242;

constexpr int kId = 790;

class SkinLabels : public ::testing::Test {
protected:
    void TearDown() override {
        dlg.DestroyWindow();
        Flush();
    }
    // A label of the template, as the pages have them (clickable ones carry SS_NOTIFY).
    void Open(CWnd& control, DWORD style = SS_NOTIFY, int cx = 100, int cy = 16, const char* text = "Motion") {
        dlg.Bind(kId, control);
        ASSERT_TRUE(dlg.Open({{kId, "STATIC", 10, 10, cx, cy, WS_VISIBLE | style, text}}));
    }
    // The label's text as it was drawn last.
    DrawRecord TextOf(CWnd& label) {
        DrawRecord last;
        for (const DrawRecord& r : Record(label).Of(DrawRecord::Op::Text)) {
            if (r.wnd == label.GetSafeHwnd())
                last = r;
        }
        return last;
    }
    TestBitmaps bitmaps;
    CLogDialog dlg;
};

TEST_F(SkinLabels, AttachingMakesASimpleLabel) {
    CSkinLabel label;
    Open(label);
    EXPECT_EQ(label.GetStyle() & SS_TYPEMASK, SS_SIMPLE);
    EXPECT_NE(label.GetStyle() & SS_NOTIFY, 0u);
}

TEST_F(SkinLabels, TextTakesTheHoverColourOnlyWhileTheMouseIsOver) {
    CSkinLabel label;
    Open(label);
    label.SetTextStyle(0xE6D200, 0x783C3C, 0, 1, TRUE, 9, "Arial Bold");
    EXPECT_EQ(TextOf(label).textColor, 0x783C3Cu);
    EXPECT_EQ(TextOf(label).text, "Motion");
    label.SendMessage(WM_MOUSEMOVE, 0, Pt(3, 3));
    EXPECT_EQ(TextOf(label).textColor, 0xE6D200u);
    label.SendMessage(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(TextOf(label).textColor, 0x783C3Cu);
    EXPECT_EQ(TextOf(label).bkMode, TRANSPARENT);
}

TEST_F(SkinLabels, FontIsAlwaysArialBold700WhateverBoldAndFaceSay) {
    CSkinLabel label;
    Open(label);
    const struct {
        BOOL bold;
        const char* face;
        int points;
    } cases[] = {{TRUE, "Arial Bold", 9}, {FALSE, "Arial Bold", 9}, {FALSE, "Tahoma", 13}, {TRUE, "", 8}};
    for (const auto& c : cases) {
        label.SetTextStyle2(0x785A5A, 0x785A5A, 0, 0, c.bold, c.points, c.face);
        const DrawRecord text = TextOf(label);
        EXPECT_EQ(text.fontFace, "Arial Bold") << c.face;
        EXPECT_EQ(text.fontWeight, 700) << c.face;
        EXPECT_EQ(text.fontHeight, SkinFontHeight(c.points)) << c.points;
        EXPECT_EQ(label.GetLogFont().lfQuality, ANTIALIASED_QUALITY);
    }
}

TEST_F(SkinLabels, FontHeightsFollowThePointSize) {
    const struct {
        int points;
        LONG height;
    } cases[] = {{8, -11}, {9, -12}, {13, -17}, {16, -21}};
    for (const auto& c : cases)
        EXPECT_EQ(SkinFontHeight(c.points), c.height) << c.points;
}

TEST_F(SkinLabels, SetTextChangesTheWindowText) {
    CSkinLabel label;
    Open(label);
    label.SetText("PAL");
    CString text;
    label.GetWindowText(text);
    EXPECT_EQ(text, "PAL");
    EXPECT_EQ(TextOf(label).text, "PAL");
}

TEST_F(SkinLabels, BackgroundBitmapsStretchAndLightTheRightEdgeUnderTheMouse) {
    bitmaps.Add(IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, Solid(20, 16, CellColour(0)));
    bitmaps.Add(kRightEdgeBitmap, Solid(9, 16, CellColour(1)));
    CSkinLabel label;
    Open(label);
    ASSERT_TRUE(label.LoadBitmap(0, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS));
    ASSERT_TRUE(label.LoadBitmap(1, kRightEdgeBitmap));
    label.MoveWindow(10, 10, 155, 14);
    label.SetTextStyle(0xE6D200, 0x783C3C, 0, 1, TRUE, 9, "Arial Bold");
    QImage face = Grab(label);
    EXPECT_EQ(At(face, 150, 7), CellColour(0));
    label.SendMessage(WM_MOUSEMOVE, 0, Pt(3, 3));
    face = Grab(label);
    EXPECT_EQ(At(face, 145, 7), CellColour(0));
    EXPECT_EQ(At(face, 146, 7), CellColour(1));
    EXPECT_EQ(At(face, 154, 7), CellColour(1));
    // Without the hover-bitmap flag the first bitmap covers everything, mouse or not.
    label.SetTextStyle(0xE6D200, 0x783C3C, 0, 0, TRUE, 9, "Arial Bold");
    EXPECT_EQ(At(Grab(label), 150, 7), CellColour(0));
}

TEST_F(SkinLabels, LoadingABitmapSizesTheLabel) {
    bitmaps.Add(IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS, Solid(155, 14, CellColour(0)));
    CSkinLabel label;
    Open(label);
    ASSERT_TRUE(label.LoadBitmap(0, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS));
    CRect client;
    label.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 155, 14));
    EXPECT_FALSE(label.LoadBitmap(0, kMissingBitmap));
    EXPECT_FALSE(label.LoadBitmap(2, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS));
}

TEST_F(SkinLabels, PressRecordsItsPointAndTheNotifyLabelIsClicked) {
    CSkinLabel label;
    Open(label);
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(37, 9));
    EXPECT_EQ(label.m_nClickX, 37);
    EXPECT_EQ(label.m_nClickY, 9);
    const auto commands = dlg.Of(WM_COMMAND);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kId, STN_CLICKED));
}

class PictureStatics : public SkinLabels {
protected:
    QString WriteBmp(const char* name, int width, int height, QRgb colour) {
        const QString path = QDir(dir.path()).filePath(name);
        Solid(width, height, colour).save(path, "BMP");
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(PictureStatics, MissingFileLeavesNothingAndStillSucceeds) {
    CPictureStatic picture;
    Open(picture, 0, 80, 60, "");
    EXPECT_TRUE(picture.LoadImage(QDir(dir.path()).filePath("none.bmp").toUtf8().constData()));
    EXPECT_EQ(picture.GetImageWidth(), 0);
    EXPECT_EQ(picture.GetImageHeight(), 0);
    EXPECT_EQ(picture.GetBitsPerPixel(), 0);
    EXPECT_EQ(picture.GetImage(), nullptr);
    EXPECT_TRUE(picture.LoadImage(nullptr));
}

TEST_F(PictureStatics, ImageIsShownStretchedAndTheOneBeforeIsFreed) {
    CPictureStatic picture;
    Open(picture, 0, 80, 60, "");
    const QString red = WriteBmp("red.bmp", 8, 6, 0xFFFF0000);
    const QString blue = WriteBmp("blue.bmp", 4, 4, 0xFF0000FF);
    ASSERT_TRUE(picture.LoadImage(red.toUtf8().constData()));
    EXPECT_EQ(picture.GetImageWidth(), 8);
    EXPECT_EQ(picture.GetImageHeight(), 6);
    EXPECT_GT(picture.GetBitsPerPixel(), 0);
    const HBITMAP first = picture.GetImage();
    ASSERT_NE(first, nullptr);
    QImage face = Grab(picture);
    EXPECT_EQ(At(face, 1, 1), 0xFFFF0000u);
    EXPECT_EQ(At(face, 78, 58), 0xFFFF0000u);

    ASSERT_TRUE(picture.LoadImage(blue.toUtf8().constData()));
    EXPECT_EQ(GetObjectType(first), 0u);
    EXPECT_EQ(picture.GetImageWidth(), 4);
    EXPECT_EQ(At(Grab(picture), 40, 30), 0xFF0000FFu);

    // A failed load frees the image too.
    const HBITMAP second = picture.GetImage();
    ASSERT_TRUE(picture.LoadImage("/nonexistent/x.jpg"));
    EXPECT_EQ(GetObjectType(second), 0u);
    EXPECT_EQ(picture.GetImage(), nullptr);
}

TEST_F(PictureStatics, DrawBitmapStretchesOrCopies) {
    CPictureStatic picture;
    Open(picture, 0, 80, 60, "");
    QImage target = Solid(40, 40, 0xFF000000);
    CDC dc;
    ASSERT_TRUE(dc.AttachImage(&target));
    CBitmap strip;
    strip.Attach(GdiCreateBitmap(Strip(2, 5, 5)));
    picture.DrawBitmap(&dc, strip, 0, 0, 20, 20, TRUE);
    picture.DrawBitmap(&dc, strip, 20, 20, 40, 40, FALSE);
    dc.ReleaseTarget();
    EXPECT_EQ(At(target, 2, 2), CellColour(0));
    EXPECT_EQ(At(target, 18, 2), CellColour(1));
    EXPECT_EQ(At(target, 22, 22), CellColour(0));
    EXPECT_EQ(At(target, 27, 22), CellColour(1));
    EXPECT_EQ(At(target, 35, 22), 0xFF000000u); // unscaled: nothing beyond the bitmap
}

} // namespace
