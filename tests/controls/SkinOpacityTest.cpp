#include "controls/SkinHelper.h"

#include "platform/gdi/DC.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

namespace {

bool PumpUntil(const std::function<bool()>& done) {
    QDeadlineTimer deadline(20000);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A top-level window whose left half is the transparent key colour.
class KeyedFace : public CWnd {
public:
    int paints = 0;
    BOOL OnEraseBkgnd(CDC* pDC) override {
        pDC->FillSolidRect(0, 0, 20, 20, RGB(0xFF, 0x00, 0xFF));
        pDC->FillSolidRect(20, 0, 20, 20, RGB(0x40, 0x60, 0x80));
        ++paints;
        return TRUE;
    }
};

TEST(SkinHelper, OpacityMakesTheWindowLayeredWithTheMagentaKey) {
    struct Case {
        BYTE alpha;
        double opacity;
    };
    for (Case c : {Case{255, 1.0}, Case{128, 128 / 255.0}}) {
        KeyedFace face;
        RECT rect{100, 100, 140, 120};
        ASSERT_TRUE(face.CreateEx(0, nullptr, "face", WS_POPUP, rect, nullptr, 0));
        CSkinHelper::SetOpacity(face, c.alpha);
        EXPECT_TRUE(face.GetExStyle() & WS_EX_LAYERED);
        face.ShowWindow(SW_SHOW);
        face.UpdateWindow();
        CWndHost* host = face.GetHost();
        ASSERT_NE(host, nullptr);
        EXPECT_EQ(host->LayeredFlags(), DWORD(LWA_COLORKEY | LWA_ALPHA));
        EXPECT_NEAR(host->windowOpacity(), c.opacity, 0.01);
        // Opaque or not, the magenta half is cut out of the window and the rest stays.
        ASSERT_TRUE(PumpUntil([&] { return face.paints > 0 && !host->InShape(QPoint(5, 5)); }))
            << face.paints << " paints";
        EXPECT_TRUE(host->InShape(QPoint(30, 5)));
        EXPECT_TRUE(host->InShape(QPoint(39, 19)));
        face.DestroyWindow();
    }
    CSkinHelper::SetOpacity(nullptr, 255); // no window: nothing happens
}

} // namespace
