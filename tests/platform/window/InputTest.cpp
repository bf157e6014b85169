// Mouse input: dragging by the body, disabled top-level windows, shaped windows letting presses
// through, capture, leave tracking, double clicks and cursors.

#include "WidgetTestSupport.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Rgn.h"
#include "platform/window/Button.h"
#include "platform/window/Cursor.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/Edit.h"

#include <QApplication>
#include <QLineEdit>

#include <string>
#include <vector>

namespace {

enum : UINT { IDD_DRAG = 9101, IDC_LABEL = 601, IDC_PUSH = 602, IDC_FIELD = 603 };

const DialogItem kDragItems[] = {
    {IDC_LABEL, "STATIC", 10, 10, 100, 20, WS_VISIBLE, "drag me"},
    {IDC_PUSH, "BUTTON", 10, 60, 80, 24, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Push"},
    {IDC_FIELD, "EDIT", 10, 100, 120, 18, WS_VISIBLE | WS_TABSTOP, ""},
};
const DialogTemplate kDrag{
    .id = IDD_DRAG, .x = 200, .y = 300, .cx = 220, .cy = 150, .style = WS_POPUP, .items = kDragItems};
const DialogTemplateRegistration kDragRegistered(kDrag);

class InputTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void TearDown() override { Flush(); }
};

class COwnerDrawn : public CButton {
public:
    std::vector<UINT> states;
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        states.push_back(item->itemState);
        CDC* dc = CDC::FromHandle(item->hDC);
        dc->FillSolidRect(&item->rcItem, (item->itemState & ODS_DISABLED) != 0 ? RGB(128, 128, 128) : RGB(0, 90, 200));
    }
};

// A dialog dragged by its whole body, which keeps itself on a 50-pixel grid and below y = 100.
class CDragDialog : public CDialog {
public:
    CDragDialog() : CDialog(IDD_DRAG, nullptr) {}
    COwnerDrawn m_push;
    std::vector<WINDOWPOS> proposals;
    int clicks = 0;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_PUSH, m_push); }
    LRESULT OnNcHitTest(CPoint point) override {
        const LRESULT hit = CDialog::OnNcHitTest(point);
        return hit == HTCLIENT ? HTCAPTION : hit;
    }
    void OnWindowPosChanging(WINDOWPOS* pos) override {
        proposals.push_back(*pos);
        pos->x = (pos->x / 50) * 50;
        pos->y = std::max(pos->y, 100);
        CDialog::OnWindowPosChanging(pos);
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == IDC_PUSH && HIWORD(wParam) == BN_CLICKED) {
            ++clicks;
            return TRUE;
        }
        return CDialog::OnCommand(wParam, lParam);
    }
};

TEST_F(InputTest, BodyDragMovesTheWindowToThePlaceWindowPosChangingAdjusts) {
    CDragDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_DRAG, nullptr));
    ShowAndWait(dialog);
    CRect rect;
    dialog.GetWindowRect(&rect);
    ASSERT_EQ(rect.TopLeft(), CPoint(200, 300));

    // Pressed on a label (a static without SS_NOTIFY lets the press through to the dialog).
    CWnd* label = dialog.GetDlgItem(IDC_LABEL);
    ASSERT_NE(label, nullptr);
    Press(*label, 5, 5);
    QTest::mouseMove(WindowOf(dialog), QPoint(15 + 37, 15 - 250));
    QTest::mouseRelease(WindowOf(dialog), Qt::LeftButton, Qt::NoModifier, QPoint(15 + 37, 15 - 250));

    ASSERT_FALSE(dialog.proposals.empty());
    EXPECT_EQ(dialog.proposals.front().x, 237);
    EXPECT_EQ(dialog.proposals.front().y, 50);
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(200, 100));
    EXPECT_EQ(rect.Width(), 220);
    EXPECT_EQ(rect.Height(), 150);

    // A control that takes the mouse does not drag: its press is a click.
    dialog.proposals.clear();
    Click(dialog.m_push, 10, 10);
    EXPECT_TRUE(dialog.proposals.empty());
    EXPECT_EQ(dialog.clicks, 1);

    // Programmatic moves are asked about too.
    dialog.SetWindowPos(nullptr, 333, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    dialog.GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(300, 100));
    dialog.DestroyWindow();
}

TEST_F(InputTest, ADisabledTopLevelWindowIgnoresInputWhileItsChildrenKeepTheirLook) {
    CDragDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_DRAG, nullptr));
    ShowAndWait(dialog);
    CWnd* field = dialog.GetDlgItem(IDC_FIELD);
    ASSERT_NE(field, nullptr);
    FocusWindow(dialog, *field);
    QWidget* line = QApplication::focusWidget();
    ASSERT_NE(qobject_cast<QLineEdit*>(line), nullptr);
    CRect push;
    dialog.m_push.GetWindowRect(&push);
    dialog.ScreenToClient(&push);
    const QRect pushArea(push.left, push.top, push.Width(), push.Height());
    const QImage before = Grab(dialog).copy(pushArea);

    dialog.EnableWindow(FALSE);
    EXPECT_FALSE(dialog.IsWindowEnabled());
    Click(dialog.m_push, 10, 10);
    Press(*dialog.GetDlgItem(IDC_LABEL), 5, 5);
    QTest::mouseMove(WindowOf(dialog), QPoint(100, 100));
    QTest::mouseRelease(WindowOf(dialog), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QTest::keyClicks(line, "abc");
    EXPECT_EQ(dialog.clicks, 0);
    EXPECT_TRUE(dialog.proposals.empty());
    CString text;
    field->GetWindowText(text);
    EXPECT_TRUE(text.IsEmpty());

    // The children are not disabled and look the same.
    EXPECT_TRUE(dialog.m_push.IsWindowEnabled());
    EXPECT_TRUE(field->IsWindowEnabled());
    dialog.m_push.states.clear();
    const QImage disabled = Grab(dialog).copy(pushArea);
    ASSERT_FALSE(dialog.m_push.states.empty());
    EXPECT_EQ(dialog.m_push.states.back() & ODS_DISABLED, 0U);
    EXPECT_EQ(disabled, before);

    dialog.EnableWindow(TRUE);
    Click(dialog.m_push, 10, 10);
    EXPECT_EQ(dialog.clicks, 1);
    dialog.DestroyWindow();
}

// A plain top-level window that records presses and paints its face in one colour, optionally with
// its left half in another.
class CFace : public CWnd {
public:
    COLORREF colour = RGB(40, 120, 40);
    bool magentaLeftHalf = false;
    std::vector<CPoint> presses;

    BOOL Make(int x, int y, DWORD exStyle = 0) {
        return CreateEx(exStyle, nullptr, "", WS_POPUP, RECT{x, y, x + 200, y + 100}, nullptr, 0);
    }
    BOOL OnEraseBkgnd(CDC* dc) override {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, colour);
        if (magentaLeftHalf) {
            dc->FillSolidRect(0, 0, client.Width() / 2, client.Height(), RGB(255, 0, 255));
        }
        return TRUE;
    }
    void OnLButtonDown(UINT, CPoint point) override { presses.push_back(point); }
};

struct ShapeCase {
    const char* name;
    bool layered;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.name;
}

class ShapedWindow : public InputTest, public ::testing::WithParamInterface<ShapeCase> {};

TEST_P(ShapedWindow, PressesOutsideTheShapeReachTheWindowBeneath) {
    CFace back;
    back.colour = RGB(200, 40, 40);
    ASSERT_TRUE(back.Make(100, 100));
    ShowAndWait(back);

    CFace front;
    if (GetParam().layered) {
        // Magenta pixels of a layered window with the colour key are neither shown nor hit.
        front.magentaLeftHalf = true;
        ASSERT_TRUE(front.Make(100, 100, WS_EX_LAYERED));
        ASSERT_TRUE(SetLayeredWindowAttributes(front.GetSafeHwnd(), RGB(255, 0, 255), 255, LWA_COLORKEY | LWA_ALPHA));
        ShowAndWait(front);
        front.UpdateWindow();
    } else {
        ASSERT_TRUE(front.Make(100, 100));
        CRgn right;
        right.CreateRectRgn(100, 0, 200, 100);
        ASSERT_EQ(front.SetWindowRgn(HRGN(right.Detach()), TRUE), 1);
        ShowAndWait(front);
    }
    Flush();

    Click(front, 20, 30);  // in the cut-away left half
    Click(front, 150, 40); // in the shape
    EXPECT_EQ(back.presses, (std::vector<CPoint>{CPoint(20, 30)}));
    EXPECT_EQ(front.presses, (std::vector<CPoint>{CPoint(150, 40)}));
    front.DestroyWindow();
    back.DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(Shapes, ShapedWindow,
                         ::testing::Values(ShapeCase{"ColourKey", true}, ShapeCase{"WindowRegion", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputTest, SetLayeredWindowAttributesNeedsTheLayeredStyle) {
    CFace plain;
    ASSERT_TRUE(plain.Make(10, 10));
    EXPECT_FALSE(SetLayeredWindowAttributes(plain.GetSafeHwnd(), RGB(255, 0, 255), 128, LWA_ALPHA));
    SetWindowLong(plain.GetSafeHwnd(), GWL_EXSTYLE,
                  GetWindowLong(plain.GetSafeHwnd(), GWL_EXSTYLE) | LONG(WS_EX_LAYERED));
    EXPECT_TRUE(SetLayeredWindowAttributes(plain.GetSafeHwnd(), RGB(255, 0, 255), 128, LWA_ALPHA));
    EXPECT_NEAR(plain.GetHost()->windowOpacity(), 128 / 255.0, 0.01);
    plain.DestroyWindow();
}

// A window that logs its mouse messages.
class CMouseLog : public CWnd {
public:
    std::vector<std::string> log;
    bool captureOnPress = false;
    bool trackLeave = false;
    HCURSOR cursorOnMove = nullptr;

    BOOL Make(int x, int y) { return CreateEx(0, nullptr, "", WS_POPUP, RECT{x, y, x + 100, y + 100}, nullptr, 0); }
    void OnLButtonDown(UINT, CPoint p) override {
        log.push_back("down " + Pt(p));
        if (captureOnPress) {
            SetCapture();
        }
    }
    void OnLButtonUp(UINT, CPoint p) override {
        log.push_back("up " + Pt(p));
        if (GetCapture() == this) {
            ReleaseCapture();
        }
    }
    void OnLButtonDblClk(UINT, CPoint p) override { log.push_back("dblclk " + Pt(p)); }
    void OnMouseMove(UINT, CPoint p) override {
        log.push_back("move " + Pt(p));
        if (cursorOnMove != nullptr) {
            SetCursor(cursorOnMove);
        }
        if (trackLeave) {
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, GetSafeHwnd(), 0};
            TrackMouseEvent(&track);
            trackLeave = false;
        }
    }
    void OnMouseLeave() override { log.push_back("leave"); }
    void OnCaptureChanged(CWnd*) override { log.push_back("capturechanged"); }

    static std::string Pt(CPoint p) { return std::to_string(p.x) + "," + std::to_string(p.y); }
};

TEST_F(InputTest, TheCaptureTakesEveryMouseMessageUntilReleased) {
    CMouseLog a;
    CMouseLog b;
    ASSERT_TRUE(a.Make(0, 0));
    ASSERT_TRUE(b.Make(300, 0));
    a.captureOnPress = true;
    ShowAndWait(a);
    ShowAndWait(b);
    Press(a, 10, 10);
    // Over window b, the messages still go to a, in a's coordinates.
    QTest::mouseMove(WindowOf(b), QPoint(20, 30));
    QTest::mouseRelease(WindowOf(b), Qt::LeftButton, Qt::NoModifier, QPoint(20, 30));
    QTest::mouseMove(WindowOf(b), QPoint(25, 35));
    EXPECT_EQ(a.log,
              (std::vector<std::string>{"move 10,10", "down 10,10", "move 320,30", "up 320,30", "capturechanged"}));
    EXPECT_EQ(b.log, (std::vector<std::string>{"move 25,35"}));
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
}

TEST_F(InputTest, LeaveTrackingGivesOneMouseLeavePerRequest) {
    CMouseLog parent;
    CMouseLog child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 200, 200}, nullptr, 0));
    ASSERT_TRUE(child.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, RECT{10, 10, 60, 60}, &parent, 1));
    ShowAndWait(parent);
    child.trackLeave = true;
    MoveTo(child, 10, 10);
    MoveTo(parent, 150, 150);
    Flush();
    // Not asked again: no second leave.
    MoveTo(child, 20, 20);
    MoveTo(parent, 160, 160);
    Flush();
    EXPECT_EQ(child.log, (std::vector<std::string>{"move 10,10", "leave", "move 20,20"}));
}

TEST_F(InputTest, DoubleClicksAndCursors) {
    CMouseLog a;
    ASSERT_TRUE(a.Make(0, 0));
    a.cursorOnMove = LoadCursor(nullptr, IDC_HAND);
    ASSERT_NE(a.cursorOnMove, nullptr);
    EXPECT_NE(LoadCursor(nullptr, IDC_NO), a.cursorOnMove);
    EXPECT_EQ(LoadCursor(nullptr, reinterpret_cast<LPCSTR>(1)), nullptr);
    ShowAndWait(a);
    QTest::mouseDClick(WindowOf(a), Qt::LeftButton, Qt::NoModifier, QPoint(5, 6));
    std::vector<std::string> clicks;
    for (const auto& entry : a.log) {
        if (entry.rfind("move", 0) != 0) {
            clicks.push_back(entry);
        }
    }
    EXPECT_EQ(clicks, (std::vector<std::string>{"down 5,6", "up 5,6", "dblclk 5,6", "up 5,6"}));

    MoveTo(a, 30, 30);
    EXPECT_EQ(a.GetHost()->cursor().shape(), Qt::PointingHandCursor);
    a.cursorOnMove = LoadCursor(nullptr, IDC_NO);
    MoveTo(a, 31, 30);
    EXPECT_EQ(a.GetHost()->cursor().shape(), Qt::ForbiddenCursor);
}

} // namespace
