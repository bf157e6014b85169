// Standard controls and painting: push buttons, statics, the report list, tooltips, the paint
// sequence and colours.

#include "WidgetTestSupport.h"

#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/window/Button.h"
#include "platform/window/ClientDC.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/ListCtrl.h"
#include "platform/window/Static.h"
#include "platform/window/ToolTipCtrl.h"

#include <QHelpEvent>
#include <QToolTip>

#include <cstring>
#include <string>
#include <vector>

namespace {

enum : UINT { IDD_PANEL = 9201, IDC_BUTTON = 701, IDC_NOTIFY = 702, IDC_PLAIN = 703, IDC_LIST = 704 };

const DialogItem kPanelItems[] = {
    {IDC_BUTTON, "BUTTON", 10, 10, 80, 30, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, "Go"},
    {IDC_NOTIFY, "STATIC", 10, 50, 80, 20, WS_VISIBLE | SS_NOTIFY, "notify"},
    {IDC_PLAIN, "STATIC", 100, 50, 80, 20, WS_VISIBLE, "plain"},
    {IDC_LIST, "SysListView32", 10, 80, 200, 110,
     WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOCOLUMNHEADER, ""},
};
const DialogTemplate kPanel{
    .id = IDD_PANEL, .x = 50, .y = 50, .cx = 300, .cy = 200, .style = WS_POPUP | WS_VISIBLE, .items = kPanelItems};
const DialogTemplateRegistration kPanelRegistered(kPanel);

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { TestApp(); }
    void TearDown() override { Flush(); }
};

class CRows : public CListCtrl {
public:
    std::vector<DRAWITEMSTRUCT> drawn;
    void DrawItem(LPDRAWITEMSTRUCT item) override { drawn.push_back(*item); }
    void PreSubclassWindow() override { ModifyStyle(0, LVS_OWNERDRAWFIXED); }
};

class CPanel : public CDialog {
public:
    CPanel() : CDialog(IDD_PANEL, nullptr) {}
    CRows m_list;
    std::vector<std::string> commands;
    std::vector<NMLISTVIEW> changes;
    std::vector<CPoint> presses;
    std::string tipText = "Go now";
    std::vector<HWND> tipAsked;

    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_LIST, m_list); }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(std::to_string(LOWORD(wParam)) + "/" + std::to_string(HIWORD(wParam)));
        return CDialog::OnCommand(wParam, lParam);
    }
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == LVN_ITEMCHANGED) {
            changes.push_back(*reinterpret_cast<NMLISTVIEW*>(lParam));
            return TRUE;
        }
        if (header->code == TTN_NEEDTEXT) {
            auto* tip = reinterpret_cast<TOOLTIPTEXT*>(lParam);
            tipAsked.push_back(reinterpret_cast<HWND>(header->idFrom));
            std::strncpy(tip->szText, tipText.c_str(), sizeof tip->szText - 1);
            return TRUE;
        }
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    void OnLButtonDown(UINT, CPoint point) override { presses.push_back(point); }
};

struct ButtonCase {
    const char* name;
    std::vector<QPoint> path; // press at the first point, move through the rest, release at the last
    int clicks;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
    *os << c.name;
}

class ButtonPresses : public ControlsTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(ButtonPresses, ClickOnlyWhenReleasedOverTheButton) {
    CPanel panel;
    ASSERT_TRUE(panel.Create(IDD_PANEL, nullptr));
    ShowAndWait(panel);
    CWnd* button = panel.GetDlgItem(IDC_BUTTON);
    ASSERT_NE(button, nullptr);
    const auto& path = GetParam().path;
    Press(*button, path.front().x(), path.front().y());
    EXPECT_EQ(CWnd::GetCapture(), button);
    EXPECT_NE(button->SendMessage(BM_GETSTATE) & BST_PUSHED, 0U);
    for (const QPoint& p : path) {
        MoveTo(*button, p.x(), p.y());
        const bool inside = p.x() >= 0 && p.y() >= 0 && p.x() < 80 && p.y() < 30;
        EXPECT_EQ((button->SendMessage(BM_GETSTATE) & BST_PUSHED) != 0, inside) << p.x() << "," << p.y();
    }
    Release(*button, path.back().x(), path.back().y());
    EXPECT_EQ(CWnd::GetCapture(), nullptr);
    EXPECT_EQ(button->SendMessage(BM_GETSTATE) & BST_PUSHED, 0U);
    const std::string clicked = std::to_string(IDC_BUTTON) + "/" + std::to_string(BN_CLICKED);
    EXPECT_EQ(std::count(panel.commands.begin(), panel.commands.end(), clicked), GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(Paths, ButtonPresses,
                         ::testing::Values(ButtonCase{"Inside", {{5, 5}, {20, 10}}, 1},
                                           ButtonCase{"OffAndRelease", {{5, 5}, {120, 10}}, 0},
                                           ButtonCase{"OffAndBackIn", {{5, 5}, {-30, 40}, {40, 15}}, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ControlsTest, DoubleClickAndSpaceClickAButton) {
    CPanel panel;
    ASSERT_TRUE(panel.Create(IDD_PANEL, nullptr));
    ShowAndWait(panel);
    CWnd* button = panel.GetDlgItem(IDC_BUTTON);
    QTest::mouseDClick(WindowOf(panel), Qt::LeftButton, Qt::NoModifier, InTopLevel(*button, 5, 5));
    FocusWindow(panel, *button);
    QTest::keyClick(button->GetHost(), Qt::Key_Space);
    const std::string clicked = std::to_string(IDC_BUTTON) + "/" + std::to_string(BN_CLICKED);
    EXPECT_EQ(std::count(panel.commands.begin(), panel.commands.end(), clicked), 3);
}

TEST_F(ControlsTest, StaticsNotifyWithSsNotifyAndOtherwiseLetPressesThrough) {
    CPanel panel;
    ASSERT_TRUE(panel.Create(IDD_PANEL, nullptr));
    ShowAndWait(panel);
    Click(*panel.GetDlgItem(IDC_NOTIFY), 5, 5);
    Click(*panel.GetDlgItem(IDC_PLAIN), 5, 5);
    EXPECT_EQ(panel.commands,
              (std::vector<std::string>{std::to_string(IDC_NOTIFY) + "/" + std::to_string(STN_CLICKED)}));
    EXPECT_EQ(panel.presses, (std::vector<CPoint>{CPoint(105, 55)}));

    // The flag can be set after creation (a control that attaches to a static and wants the mouse).
    panel.GetDlgItem(IDC_PLAIN)->ModifyStyle(0, SS_NOTIFY);
    Click(*panel.GetDlgItem(IDC_PLAIN), 5, 5);
    EXPECT_EQ(panel.commands.back(), std::to_string(IDC_PLAIN) + "/" + std::to_string(STN_CLICKED));
}

TEST_F(ControlsTest, ReportListDrawsRowsByOwnerAndNotifiesStateChanges) {
    CPanel panel;
    ASSERT_TRUE(panel.Create(IDD_PANEL, nullptr));
    CRows& list = panel.m_list;
    ASSERT_NE(list.GetStyle() & LVS_OWNERDRAWFIXED, 0U);
    list.InsertColumn(0, "", LVCFMT_LEFT, 60);
    list.InsertColumn(1, "", LVCFMT_LEFT, 90);
    for (int i = 0; i < 30; ++i) {
        const int row = list.InsertItem(i, ("row " + std::to_string(i)).c_str());
        list.SetItemText(row, 1, "second");
    }
    EXPECT_EQ(list.GetItemCount(), 30);
    EXPECT_EQ(list.GetItemText(3, 1), "second");
    EXPECT_EQ(list.GetItemText(3, 5), "");
    EXPECT_EQ(list.GetItemText(99, 0), "");
    LVCOLUMN column{};
    column.mask = LVCF_WIDTH;
    ASSERT_TRUE(list.GetColumn(1, &column));
    EXPECT_EQ(column.cx, 90);
    ShowAndWait(panel);

    // Every visible row is drawn by DrawItem over the row's bounds, all columns wide.
    list.drawn.clear();
    Grab(panel);
    const int perPage = int(list.drawn.size());
    ASSERT_GT(perPage, 4);
    ASSERT_LT(perPage, 30);
    const int rowHeight = list.drawn[1].rcItem.top - list.drawn[0].rcItem.top;
    ASSERT_GT(rowHeight, 0);
    std::vector<CRect> bounds;
    for (int i = 0; i < perPage; ++i) {
        const DRAWITEMSTRUCT& item = list.drawn[std::size_t(i)];
        EXPECT_EQ(item.CtlType, ODT_LISTVIEW);
        EXPECT_EQ(item.itemID, UINT(i));
        EXPECT_EQ(item.rcItem.top, list.drawn[0].rcItem.top + i * rowHeight);
        EXPECT_EQ(CRect(item.rcItem).Width(), 150);
        bounds.push_back(CRect(item.rcItem));
    }

    // A click selects and focuses the row under it; the row that had them loses them.
    Click(list, 10, bounds[2].top + 2);
    Click(list, 10, bounds[4].top + 2);
    const UINT both = LVIS_SELECTED | LVIS_FOCUSED;
    ASSERT_EQ(panel.changes.size(), 3U);
    EXPECT_EQ(panel.changes[0].iItem, 2);
    EXPECT_EQ(panel.changes[0].uNewState, both);
    EXPECT_EQ(panel.changes[0].uChanged, LVIF_STATE);
    EXPECT_EQ(panel.changes[1].iItem, 2);
    EXPECT_EQ(panel.changes[1].uNewState & both, 0U);
    EXPECT_EQ(panel.changes[2].iItem, 4);
    EXPECT_EQ(panel.changes[2].uNewState, both);

    // Arrow keys move the selection; programmatic changes notify as well.
    panel.changes.clear();
    QTest::keyClick(list.GetHost(), Qt::Key_Down);
    ASSERT_FALSE(panel.changes.empty());
    EXPECT_EQ(panel.changes.back().iItem, 5);
    EXPECT_EQ(panel.changes.back().uNewState, both);
    list.SetItemState(7, both, both);
    ASSERT_FALSE(panel.changes.empty());
    EXPECT_EQ(panel.changes.back().iItem, 7);
    EXPECT_EQ(panel.changes.back().uNewState, both);

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_FALSE(list.DeleteItem(99));
    EXPECT_EQ(list.GetItemCount(), 29);
    panel.DestroyWindow();
}

TEST_F(ControlsTest, TooltipTextComesFromTtnNeedTextOfTheToolsOwner) {
    CPanel panel;
    ASSERT_TRUE(panel.Create(IDD_PANEL, nullptr));
    ShowAndWait(panel);
    CWnd* button = panel.GetDlgItem(IDC_BUTTON);
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&panel, TTS_ALWAYSTIP));
    ASSERT_TRUE(tip.AddTool(button, LPSTR_TEXTCALLBACK));
    tip.SetMaxTipWidth(260);
    tip.SetDelayTime(TTDT_AUTOMATIC, 40);

    // Shown when asked for (the delay over): the owner supplies the text for the tool's handle.
    QHelpEvent ask(QEvent::ToolTip, QPoint(5, 5), button->GetHost()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(button->GetHost(), &ask);
    ASSERT_EQ(panel.tipAsked, (std::vector<HWND>{button->GetSafeHwnd()}));
    EXPECT_EQ(tip.GetShownText(), "Go now");
    EXPECT_EQ(QToolTip::text(), QString("Go now"));

    // Pressing hides it; resting the pointer on the tool shows it again after the delay.
    Click(*button, 6, 6);
    EXPECT_TRUE(tip.GetShownText().IsEmpty());
    panel.tipText = "Again";
    MoveTo(*button, 8, 8);
    ASSERT_TRUE(PumpUntil([&] { return !tip.GetShownText().IsEmpty(); }));
    EXPECT_EQ(tip.GetShownText(), "Again");

    // An empty answer shows nothing.
    tip.Pop();
    panel.tipText = "";
    QCoreApplication::sendEvent(button->GetHost(), &ask);
    EXPECT_TRUE(tip.GetShownText().IsEmpty());
    panel.DestroyWindow();
}

// ---- painting

class CPainted : public CWnd {
public:
    std::vector<std::string> order;
    COLORREF readBack = 0;
    void OnPaint() override {
        order.push_back("paint");
        CPaintDC dc(this);
        dc.FillSolidRect(20, 20, 10, 10, RGB(0, 0, 255));
    }
    BOOL OnEraseBkgnd(CDC* dc) override {
        order.push_back("erase");
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, RGB(255, 0, 0));
        readBack = dc->GetPixel(3, 3);
        return TRUE;
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind) override {
        if (kind == CTLCOLOR_STATIC) {
            dc->SetTextColor(RGB(255, 255, 255));
            return labelBrush;
        }
        return CWnd::OnCtlColor(dc, wnd, kind);
    }
    HBRUSH labelBrush = nullptr;
};

// A parent that says it paints every pixel itself (as the video window does) still paints through
// its face while it has child windows: they show it beneath them.
TEST_F(ControlsTest, EraseThenPaintOnOneFaceChildrenOverTheParentAndColoursFromTheParent) {
    for (const bool opaque : {false, true}) {
        SCOPED_TRACE(opaque ? "opaque parent" : "parent");
        CPainted parent;
        CBrush green(RGB(0, 160, 0));
        parent.labelBrush = green;
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 120, 80}, nullptr, 0));
        parent.GetHost()->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
        CWnd empty; // paints nothing: shows the parent's face
        ASSERT_TRUE(empty.Create(nullptr, "", WS_CHILD | WS_VISIBLE, RECT{60, 0, 80, 20}, &parent, 1));
        CStatic label; // filled with the brush its parent gives for statics
        ASSERT_TRUE(label.Create("STATIC", "", WS_CHILD | WS_VISIBLE, RECT{60, 40, 100, 60}, &parent, 2));
        CStatic simple; // SS_SIMPLE: text only, nothing filled
        ASSERT_TRUE(simple.Create("STATIC", "", WS_CHILD | WS_VISIBLE | SS_SIMPLE, RECT{0, 40, 20, 60}, &parent, 3));
        ShowAndWait(parent);

        parent.order.clear();
        const QImage face = Grab(parent);
        ASSERT_GE(parent.order.size(), 2U);
        EXPECT_EQ(parent.order[0], "erase");
        EXPECT_EQ(parent.order[1], "paint");
        EXPECT_EQ(parent.readBack, RGB(255, 0, 0));
        EXPECT_EQ(PixelAt(face, 3, 3), RGB(255, 0, 0));
        EXPECT_EQ(PixelAt(face, 25, 25), RGB(0, 0, 255));
        EXPECT_EQ(PixelAt(face, 70, 10), RGB(255, 0, 0));
        EXPECT_EQ(PixelAt(face, 70, 50), RGB(0, 160, 0));
        EXPECT_EQ(PixelAt(face, 10, 50), RGB(255, 0, 0));

        // Outside painting a client context measures but draws nothing.
        CClientDC measure(&parent);
        EXPECT_GT(measure.GetTextExtent("Wide text").cx, 0);
        parent.DestroyWindow();
    }
}

// Without child windows it paints straight onto the screen, erase first, as any window does.
TEST_F(ControlsTest, AWindowThatPaintsEveryPixelItselfIsPaintedStraight) {
    CPainted alone;
    ASSERT_TRUE(alone.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 120, 80}, nullptr, 0));
    alone.GetHost()->setAttribute(Qt::WA_OpaquePaintEvent);
    ShowAndWait(alone);
    alone.order.clear();
    const QImage shown = Grab(alone);
    ASSERT_GE(alone.order.size(), 2U);
    EXPECT_EQ(alone.order[0], "erase");
    EXPECT_EQ(alone.order[1], "paint");
    EXPECT_EQ(PixelAt(shown, 3, 3), RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(shown, 25, 25), RGB(0, 0, 255));
    EXPECT_EQ(PixelAt(shown, 110, 70), RGB(255, 0, 0));
    alone.DestroyWindow();
}

} // namespace
