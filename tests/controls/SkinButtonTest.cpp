// Picture, text and calendar buttons: the cell and colour each state draws, hover looks, and the
// press reports of WM_SKINBUTTON_PRESS.

#include "SkinTestSupport.h"

#include "controls/SkinButton.h"
#include "controls/SkinCaptionButton.h"
#include "controls/SkinFont.h"
#include "controls/SkinTextButton.h"
#include "controls/TipCtrl.h"
#include "res/ButtonStates.h"

#include <gtest/gtest.h>

#include <QMouseEvent>

#include <cstring>
#include <memory>
#include <thread>

using namespace skintest;

namespace {

constexpr UINT kStrip = 500;
constexpr int kId = 101;
constexpr int kCellW = 40;
constexpr int kCellH = 30;

struct Painted {
    int blits = 0;
    int cell = -1;
    COLORREF textColour = 0;
    std::string text;
    RECT textRect{};
    UINT format = 0;
    std::string fontFace;
    LONG fontHeight = 0;
    LONG fontWeight = 0;
    std::vector<DrawRecord> ellipses;
};

// What a button painted: the strip cell blitted, its caption and dots.
Painted PaintOf(CWnd& button) {
    Painted p;
    for (const DrawRecord& r : Record(button).records) {
        if (r.wnd != button.GetSafeHwnd())
            continue;
        if (r.op == DrawRecord::Op::Blt) {
            ++p.blits;
            p.cell = r.src.left / (r.rect.right - r.rect.left);
        } else if (r.op == DrawRecord::Op::Text) {
            p.textColour = r.textColor;
            p.text = r.text;
            p.textRect = r.rect;
            p.format = r.format;
            p.fontFace = r.fontFace;
            p.fontHeight = r.fontHeight;
            p.fontWeight = r.fontWeight;
        } else if (r.op == DrawRecord::Op::Ellipse) {
            p.ellipses.push_back(r);
        }
    }
    return p;
}

// A dialog with one template button bound to `button`, its strip loaded and sized to one cell.
class ButtonHost {
public:
    CLogDialog dlg;

    explicit ButtonHost(CSkinButton& button) : m_button(button) {
        dlg.Bind(kId, button);
        opened =
            dlg.Open({{kId, "BUTTON", 10, 10, 60, 25, WS_VISIBLE | BS_PUSHBUTTON, ""}}) && button.LoadBitmap(kStrip);
        button.MoveWindow(10, 10, kCellW, kCellH);
    }
    ~ButtonHost() {
        dlg.DestroyWindow();
        Flush();
    }
    HWND Hwnd() const { return m_button.GetSafeHwnd(); }
    std::vector<Logged> Presses() const { return dlg.Of(WM_SKINBUTTON_PRESS); }

    bool opened = false;

private:
    CSkinButton& m_button;
};

class SkinButtons : public ::testing::Test {
protected:
    void SetUp() override { bitmaps.Add(kStrip, Strip(8, kCellW, kCellH)); }
    TestBitmaps bitmaps;
};

TEST_F(SkinButtons, LoadingTheStripSizesTheWindowToTheWholeBitmap) {
    CSkinButton button;
    CLogDialog dlg;
    dlg.Bind(kId, button);
    ASSERT_TRUE(dlg.Open({{kId, "BUTTON", 12, 14, 60, 25, WS_VISIBLE | BS_PUSHBUTTON, ""}}));
    EXPECT_EQ(button.GetStyle() & BS_TYPEMASK, BS_OWNERDRAW);
    ASSERT_TRUE(button.LoadBitmap(kStrip));
    CRect client;
    button.GetClientRect(&client);
    EXPECT_EQ(client.Width(), 8 * kCellW);
    EXPECT_EQ(client.Height(), kCellH);
    CRect place;
    button.GetWindowRect(&place);
    dlg.ScreenToClient(&place);
    EXPECT_EQ(place.TopLeft(), CPoint(12, 14));
    EXPECT_FALSE(button.LoadBitmap(999));
    dlg.DestroyWindow();
    Flush();
}

TEST_F(SkinButtons, EachStateDrawsItsOwnCellAndUnknownStatesTheFirst) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    const struct {
        int state;
        int cell;
    } cases[] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 0}, {-1, 0}, {100, 0}};
    for (const auto& c : cases) {
        button.SetState(c.state);
        EXPECT_EQ(At(Grab(button), kCellW / 2, kCellH / 2), CellColour(c.cell)) << "state " << c.state;
    }
}

TEST_F(SkinButtons, TextButtonStatesPickCellAndCaptionColour) {
    CSkinTextButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    const COLORREF colours[4] = {0x000011, 0x000022, 0x000033, 0x000044};
    std::memcpy(button.m_clrText, colours, sizeof(colours));
    button.SetCaption(0, "Live", TRUE);
    const struct {
        int state;
        int cell;
        COLORREF colour;
    } cases[] = {{0, 0, 0x11}, {1, 1, 0x22}, {2, 2, 0x33}, {3, 3, 0x44}, {4, 0, 0x11}, {5, 0, 0x11}};
    for (const auto& c : cases) {
        button.SetState(c.state);
        const Painted p = PaintOf(button);
        EXPECT_EQ(p.blits, 1) << "state " << c.state;
        EXPECT_EQ(p.cell, c.cell) << "state " << c.state;
        EXPECT_EQ(p.textColour, c.colour) << "state " << c.state;
        EXPECT_EQ(p.text, "Live");
    }
}

TEST_F(SkinButtons, TextButtonDefaultsAndDisabledColour) {
    CSkinTextButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.SetCaption(0, "Rec", TRUE);
    EXPECT_EQ(PaintOf(button).textColour, 0x785A5Au);
    button.Enable(FALSE);
    const Painted p = PaintOf(button);
    EXPECT_EQ(p.cell, 3);
    EXPECT_EQ(p.textColour, 0xADADADu);
}

TEST_F(SkinButtons, TextButtonCaptionPlaceAndFont) {
    CSkinTextButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.SetFont(9, 0, 700, "Arial Bold");
    const struct {
        int offset;
        BOOL centre;
        UINT format;
    } cases[] = {{0, TRUE, DT_CENTER | DT_VCENTER | DT_SINGLELINE},
                 {34, FALSE, DT_VCENTER | DT_SINGLELINE},
                 {38, TRUE, DT_CENTER | DT_VCENTER | DT_SINGLELINE}};
    for (const auto& c : cases) {
        button.SetCaption(c.offset, "Setup", c.centre);
        const Painted p = PaintOf(button);
        EXPECT_EQ(p.textRect.left, c.offset);
        EXPECT_EQ(p.textRect.right, kCellW);
        EXPECT_EQ(p.format & (DT_CENTER | DT_VCENTER | DT_SINGLELINE), c.format) << c.offset;
        EXPECT_EQ(p.fontFace, "Arial Bold");
        EXPECT_EQ(p.fontHeight, -12);
        EXPECT_EQ(p.fontWeight, 700);
    }
}

TEST_F(SkinButtons, CaptionButtonStatesPickCellAndColour) {
    CSkinCaptionButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    const COLORREF colours[4] = {0x783C3C, 0xEFAE00, 0x0000AA, 0xCDBCBC};
    std::memcpy(button.m_clrText, colours, sizeof(colours));
    button.SetFont(9, 700, "Arial Bold");
    button.SetCaption("17");
    const struct {
        int state;
        int cell;
        COLORREF colour;
    } cases[] = {{0, 0, 0x783C3C}, {1, 1, 0xEFAE00}, {2, 1, 0x0000AA}, {3, 3, 0xCDBCBC}, {5, 0, 0x783C3C}};
    for (const auto& c : cases) {
        button.SetState(c.state);
        const Painted p = PaintOf(button);
        EXPECT_EQ(p.cell, c.cell) << "state " << c.state;
        EXPECT_EQ(p.textColour, c.colour) << "state " << c.state;
        EXPECT_EQ(p.text, "17");
        EXPECT_EQ(p.format & (DT_CENTER | DT_VCENTER | DT_SINGLELINE), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EXPECT_EQ(p.fontHeight, SkinFontHeight(9));
    }
}

TEST_F(SkinButtons, CaptionButtonDrawsItsDotsOnlyWhenMarked) {
    CSkinCaptionButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.m_bMarkRed = 1;
    button.m_bMarkBlue = 1;
    EXPECT_TRUE(PaintOf(button).ellipses.empty());
    button.m_bMarked = 1;
    const Painted p = PaintOf(button);
    ASSERT_EQ(p.ellipses.size(), 2u);
    EXPECT_EQ(p.ellipses[0].penColor, 0x0000FFu);
    EXPECT_EQ(CRect(p.ellipses[0].rect), CRect(8, 18, 14, 24));
    EXPECT_EQ(p.ellipses[1].penColor, 0xFF0000u);
    EXPECT_EQ(CRect(p.ellipses[1].rect), CRect(28, 18, 34, 24));
    for (const DrawRecord& dot : p.ellipses) {
        EXPECT_EQ(dot.penStyle, PS_INSIDEFRAME);
        EXPECT_EQ(dot.penWidth, 3);
    }
    button.m_bMarkGreen = 1;
    ASSERT_EQ(PaintOf(button).ellipses.size(), 3u);
    EXPECT_EQ(PaintOf(button).ellipses[1].penColor, 0x00FF00u);
}

TEST_F(SkinButtons, DisabledButtonIgnoresStatesAndEnablingStartsAtNormal) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.SetState(kButtonSecondOn);
    button.Enable(FALSE);
    EXPECT_EQ(button.GetState(), kButtonDisabled);
    EXPECT_FALSE(button.IsWindowEnabled());
    button.SetState(kButtonOn);
    EXPECT_EQ(button.GetState(), kButtonDisabled);
    EXPECT_EQ(At(Grab(button), 5, 5), CellColour(3));
    button.Enable(TRUE);
    EXPECT_EQ(button.GetState(), kButtonNormal);
    EXPECT_TRUE(button.IsWindowEnabled());
    button.SetState(kButtonOn);
    EXPECT_EQ(button.GetState(), kButtonOn);
}

enum class Kind { Picture, Text, Caption, MarkedCaption };

std::unique_ptr<CSkinButton> Make(Kind kind) {
    switch (kind) {
    case Kind::Picture:
        return std::make_unique<CSkinButton>();
    case Kind::Text:
        return std::make_unique<CSkinTextButton>();
    case Kind::Caption:
        return std::make_unique<CSkinCaptionButton>();
    case Kind::MarkedCaption: {
        auto button = std::make_unique<CSkinCaptionButton>();
        button->m_bMarked = 1;
        return button;
    }
    }
    return nullptr;
}

TEST_F(SkinButtons, HoverLooksComeOnlyFromTheirStates) {
    const struct {
        Kind kind;
        int state;
        int hovered;
        int left;
    } cases[] = {
        {Kind::Picture, 0, 2, 0},       {Kind::Picture, 4, 6, 4}, {Kind::Picture, 1, 1, 1},
        {Kind::Picture, 5, 5, 5},       {Kind::Text, 0, 2, 0},    {Kind::Text, 4, 4, 4},
        {Kind::Text, 1, 1, 1},          {Kind::Caption, 1, 1, 1}, {Kind::MarkedCaption, 1, 2, 1},
        {Kind::MarkedCaption, 0, 0, 0},
    };
    for (const auto& c : cases) {
        auto button = Make(c.kind);
        ButtonHost host(*button);
        ASSERT_TRUE(host.opened);
        button->SetState(c.state);
        button->SendMessage(WM_MOUSEMOVE, 0, Pt(5, 5));
        EXPECT_EQ(button->GetState(), c.hovered) << int(c.kind) << " from " << c.state;
        button->SendMessage(WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(button->GetState(), c.left) << int(c.kind) << " from " << c.state;
    }
}

TEST_F(SkinButtons, HoverFollowsThePointerEnteringAndLeaving) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    QWidget* widget = button.GetHost();
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(widget->mapToGlobal(QPoint(5, 5))), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
    EXPECT_EQ(button.GetState(), kButtonHover);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(widget, &leave);
    EXPECT_TRUE(PumpUntil([&] { return button.GetState() == kButtonNormal; }));
}

TEST_F(SkinButtons, DisabledButtonHasNoHoverLook) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.Enable(FALSE);
    button.SendMessage(WM_MOUSEMOVE, 0, Pt(5, 5));
    EXPECT_EQ(button.GetState(), kButtonDisabled);
}

TEST_F(SkinButtons, PressReportsDownThenUpThenTheClick) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, Pt(5, 5));
    const WPARAM h = reinterpret_cast<WPARAM>(host.Hwnd());
    const std::vector<Logged> expected = {
        {WM_SKINBUTTON_PRESS, h, 0},
        {WM_SKINBUTTON_PRESS, h, 1},
        {WM_COMMAND, MAKEWPARAM(kId, BN_CLICKED), LPARAM(h)},
    };
    EXPECT_EQ(host.dlg.log, expected);
}

TEST_F(SkinButtons, ReleaseOutsideReportsUpButNoClick) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, Pt(200, 200));
    EXPECT_EQ(host.Presses().size(), 2u);
    EXPECT_TRUE(host.dlg.Of(WM_COMMAND).empty());
}

TEST_F(SkinButtons, TextAndCaptionButtonsNeverReportPresses) {
    for (Kind kind : {Kind::Text, Kind::MarkedCaption}) {
        auto button = Make(kind);
        ButtonHost host(*button);
        ASSERT_TRUE(host.opened);
        button->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
        button->SendMessage(WM_LBUTTONUP, 0, Pt(5, 5));
        EXPECT_TRUE(host.Presses().empty()) << int(kind);
        EXPECT_EQ(host.dlg.Of(WM_COMMAND).size(), 1u) << int(kind);
    }
}

TEST_F(SkinButtons, DisabledButtonReportsNothing) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.Enable(FALSE);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, Pt(5, 5));
    EXPECT_TRUE(host.Presses().empty());
}

// A held button whose press ends any other way than by a release still reports "up", once, so the
// camera it moves is stopped.
TEST_F(SkinButtons, HeldButtonReportsUpOnceHoweverThePressEnds) {
    const struct {
        const char* name;
        std::function<void(CSkinButton&, CLogDialog&)> end;
    } cases[] = {
        {"capture taken", [](CSkinButton&, CLogDialog& dlg) { dlg.SetCapture(); }},
        {"capture released", [](CSkinButton&, CLogDialog&) { ReleaseCapture(); }},
        {"Enable(FALSE)", [](CSkinButton& b, CLogDialog&) { b.Enable(FALSE); }},
        {"EnableWindow(FALSE)", [](CSkinButton& b, CLogDialog&) { b.EnableWindow(FALSE); }},
        {"Show(FALSE)", [](CSkinButton& b, CLogDialog&) { b.Show(FALSE); }},
        {"ShowWindow(SW_HIDE)", [](CSkinButton& b, CLogDialog&) { b.ShowWindow(SW_HIDE); }},
        {"DestroyWindow", [](CSkinButton& b, CLogDialog&) { b.DestroyWindow(); }},
        {"parent destroyed", [](CSkinButton&, CLogDialog& dlg) { dlg.DestroyWindow(); }},
    };
    for (const auto& c : cases) {
        CSkinButton button;
        ButtonHost host(button);
        ASSERT_TRUE(host.opened);
        const WPARAM h = reinterpret_cast<WPARAM>(host.Hwnd());
        button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Pt(5, 5));
        c.end(button, host.dlg);
        const std::vector<Logged> expected = {{WM_SKINBUTTON_PRESS, h, 0}, {WM_SKINBUTTON_PRESS, h, 1}};
        EXPECT_EQ(host.Presses(), expected) << c.name;
        // The release that may still come reports nothing more.
        button.SendMessage(WM_LBUTTONUP, 0, Pt(5, 5));
        EXPECT_EQ(host.Presses(), expected) << c.name;
    }
}

TEST_F(SkinButtons, ChangesFromAWorkerThreadArriveOnTheUiThread) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    button.SetState(kButtonHover);
    std::thread worker([&button] {
        button.SetState(kButtonOn);
        button.Enable(FALSE);
        button.Enable(TRUE);
        button.SetState(kButtonSecondOn);
    });
    worker.join(); // the worker did not wait for the UI thread
    // Nothing changed before the UI thread ran the queued calls.
    EXPECT_EQ(button.GetState(), kButtonHover);
    EXPECT_TRUE(button.IsWindowEnabled());
    EXPECT_TRUE(PumpUntil([&] { return button.GetState() == kButtonSecondOn; }));
    EXPECT_TRUE(button.IsWindowEnabled());
}

TEST_F(SkinButtons, TipControlAsksTheToolsParentForItsText) {
    CSkinButton button;
    ButtonHost host(button);
    ASSERT_TRUE(host.opened);
    host.dlg.watched.insert(WM_NOTIFY);
    host.dlg.onMessage = [](UINT message, WPARAM, LPARAM lParam) {
        if (message != WM_NOTIFY)
            return;
        auto* tip = reinterpret_cast<TOOLTIPTEXT*>(lParam);
        if (tip->hdr.code == TTN_NEEDTEXT)
            std::strcpy(tip->szText, "Zoom in");
    };
    CTipCtrl tip;
    ASSERT_TRUE(tip.Create(&host.dlg));
    ASSERT_TRUE(tip.AddTool(&button, UINT(-1)));
    EXPECT_EQ(tip.GetToolCount(), 1);
    ASSERT_TRUE(tip.ShowForTool(button.GetSafeHwnd(), QPoint(20, 20)));
    EXPECT_EQ(tip.GetShownText(), "Zoom in");
    EXPECT_FALSE(host.dlg.Of(WM_NOTIFY).empty());
    tip.DestroyWindow();
}

} // namespace
