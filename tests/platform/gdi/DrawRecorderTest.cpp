#include "GdiTestUtil.h"

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Gdi.h"

#include <cstring>
#include <thread>

#include <gtest/gtest.h>

namespace {

TEST(DrawRecorder, RecordsWhatWasAskedWithTheObjectsInEffect) {
    CDrawRecorder rec;
    CDC dc; // no pixels: records are still taken
    dc.SetRecorder(&rec);
    dc.SetRecordWindow(reinterpret_cast<HWND>(std::uintptr_t(42)));
    LOGFONT lf{};
    lf.lfHeight = -12;
    lf.lfWeight = FW_BOLD;
    std::strcpy(lf.lfFaceName, "Arial Bold");
    CFont font;
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    dc.SetTextColor(RGB(0x5A, 0x5A, 0x78));
    dc.SetBkMode(TRANSPARENT);
    RECT r{0, 0, 100, 17};
    dc.DrawText("Connect", &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.FillSolidRect(1, 2, 3, 4, RGB(0, 0, 0));
    RECT calc{0, 0, 0, 0};
    dc.DrawText("measured only", &calc, DT_CALCRECT);

    ASSERT_EQ(rec.records.size(), 2u);
    const DrawRecord& text = rec.records[0];
    EXPECT_EQ(text.op, DrawRecord::Op::Text);
    EXPECT_EQ(text.text, "Connect");
    EXPECT_EQ(text.format, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(text.textColor, RGB(0x5A, 0x5A, 0x78));
    EXPECT_EQ(text.bkMode, TRANSPARENT);
    EXPECT_EQ(text.fontFace, "Arial Bold");
    EXPECT_EQ(text.fontHeight, -12);
    EXPECT_EQ(text.fontWeight, FW_BOLD);
    EXPECT_EQ(text.wnd, reinterpret_cast<HWND>(std::uintptr_t(42)));
    EXPECT_EQ(text.rect.right, 100);
    const DrawRecord& fill = rec.records[1];
    EXPECT_EQ(fill.op, DrawRecord::Op::FillRect);
    EXPECT_EQ(fill.brushColor, RGB(0, 0, 0)); // the colour filled, not the selected white brush
    EXPECT_EQ(fill.rect.bottom, 6);
    EXPECT_EQ(rec.Texts(), std::vector<std::string>{"Connect"});
}

TEST(DrawRecorder, BlitsNameTheirSourceBitmapAndRectangle) {
    CDrawRecorder rec;
    CBitmap strip;
    strip.CreateCompatibleBitmap(nullptr, 160, 10);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    mem.SelectObject(&strip);
    QImage image = Canvas(40, 10);
    CDC dc;
    dc.AttachImage(&image);
    dc.SetRecorder(&rec);
    dc.BitBlt(0, 0, 40, 10, &mem, 80, 0, SRCCOPY);
    auto blits = rec.Of(DrawRecord::Op::Blt);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].bitmap, static_cast<HBITMAP>(strip));
    EXPECT_EQ(blits[0].src.left, 80);
    EXPECT_EQ(blits[0].src.right, 120);
    EXPECT_EQ(blits[0].rop, SRCCOPY);
}

TEST(DrawRecorder, ThreadCaptureSeesEveryContextOfItsThreadOnly) {
    CDrawRecorder outer, inner;
    {
        CDrawRecorder::ThreadCapture captureOuter(outer);
        CDC a;
        a.TextOut(0, 0, "one");
        {
            CDrawRecorder::ThreadCapture captureInner(inner);
            CDC b;
            b.TextOut(0, 0, "two");
            std::thread other([] {
                CDC c;
                c.TextOut(0, 0, "elsewhere");
            });
            other.join();
        }
        a.TextOut(0, 0, "three");
    }
    CDC after;
    after.TextOut(0, 0, "not captured");
    EXPECT_EQ(outer.Texts(), (std::vector<std::string>{"one", "three"}));
    EXPECT_EQ(inner.Texts(), std::vector<std::string>{"two"});
}

} // namespace
