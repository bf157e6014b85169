// The list and slider popups: where they open, what they show, and what reaches the page.

#include "SetupTestSupport.h"

#include "res/BitmapIds.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/OsdSetupDlg.h"
#include "setup/SetupBlankDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupSliderPopupDlg.h"

using namespace setuptest;

namespace {

// A page in slot 5 that records what the popups give it.
class CRecordingPage : public CSetupPage {
public:
    CRecordingPage() : CSetupPage(CSetupBlankDlg::IDD, IDB_PAGE_BLANK_PAGE_DAYS) {}
    void OnListResult(int kind, int index) override { lists.emplace_back(kind, index); }
    void OnSliderResult(int kind, int value0, int value1) override { sliders.push_back({kind, value0, value1}); }
    static inline std::vector<std::pair<int, int>> lists;
    static inline std::vector<std::array<int, 3>> sliders;
};

class SetupPopups : public FrameFixture {
protected:
    void SetUp() override {
        CRecordingPage::lists.clear();
        CRecordingPage::sliders.clear();
        m_previous = RegisterSetupPage(CSetupBlankDlg::IDD, [] { return std::make_unique<CRecordingPage>(); });
    }
    void TearDown() override {
        FrameFixture::TearDown();
        RegisterSetupPage(CSetupBlankDlg::IDD, std::move(m_previous));
    }
    CRecordingPage& OpenRecordingPage() {
        Open();
        return Show<CRecordingPage>(CSetupBlankDlg::IDD);
    }
    static RECT Anchor() { return RECT{300, 200, 455, 214}; }
    static CRect ClientRectIn(CWnd& child, CWnd& parent) {
        CRect r;
        child.GetWindowRect(&r);
        parent.ScreenToClient(&r);
        return r;
    }

private:
    SetupPageMaker m_previous;
};

TEST_F(SetupPopups, AListOpensBelowTheClickPointWithTheSelectorsItems) {
    db.version_major = 4;
    db.version_minor = 3;
    Open();
    auto& osd = Show<COsdSetupDlg>(IDD_OSD_SETUP_DLG);
    CSkinLabel& selector = osd.Selector(0);
    Click(selector, 40, 6);
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetOwner(), &osd);
    EXPECT_EQ(popup->GetKind(), 0);
    CRect anchor;
    selector.GetWindowRect(&anchor);
    CRect rect;
    popup->GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(anchor.left + 40 - 70 + 1, anchor.top + 7, anchor.left + 40 - 70 + 1 + 140,
                          anchor.top + 7 + 4 * 21 + 10));
    for (int i = 0; i < kListPopupMaxItems; ++i) {
        EXPECT_EQ(popup->Item(i).IsWindowVisible() != FALSE, i < 4) << i;
        if (i < 4) {
            EXPECT_EQ(TextOf(popup->Item(i)), osd.Items(0)[std::size_t(i)]) << i;
            EXPECT_EQ(ClientRectIn(popup->Item(i), *popup), CRect(35, 9 + 21 * i, 35 + 87, 23 + 21 * i)) << i;
        }
    }
}

TEST_F(SetupPopups, ClickingAnItemGivesItsIndexAndClosesTheList) {
    Open();
    auto& osd = Show<COsdSetupDlg>(IDD_OSD_SETUP_DLG);
    Click(osd.Selector(0));
    ASSERT_NE(frame->ListPopup(), nullptr);
    Click(frame->ListPopup()->Item(2));
    EXPECT_EQ(frame->ListPopup(), nullptr);
    EXPECT_EQ(db.osd_list0, 2);
    EXPECT_EQ(TextOf(osd.Selector(0)), CString("10 ") + LoadResString(IDS_SEC));
}

TEST_F(SetupPopups, FourColumnListsAndCountsOutsideTheLabels) {
    CRecordingPage& page = OpenRecordingPage();
    ListPopupRequest request{};
    request.anchor = Anchor();
    request.width = 160;
    // A one-column list longer than 31 opens in four columns of its width.
    const struct {
        int count;
        int layout;
        int height;
        int labels;
        int width;
    } cases[] = {{7, 1, 42, 7, 160},    {8, 1, 42, 8, 160},      {9, 1, 63, 9, 160},
                 {31, 0, 651, 31, 160}, {0, 0, 0, 0, 160},       {32, 1, 168, 32, 160},
                 {32, 0, 168, 32, 640}, {100, 0, 525, 100, 640}, {101, 1, 0, 0, 160}};
    for (const auto& c : cases) {
        request.count = c.count;
        for (int i = 0; i < kListPopupItemCapacity; ++i)
            std::snprintf(request.items[i], kListPopupItemSize, "item %d", i);
        frame->OpenListPopup(&page, 4, &request, c.layout);
        Flush();
        CSetupListPopupDlg* popup = frame->ListPopup();
        ASSERT_NE(popup, nullptr) << c.count;
        EXPECT_EQ(popup->GetListHeight(), c.height) << c.count;
        CRect rect;
        popup->GetClientRect(&rect);
        EXPECT_EQ(rect.Height(), c.height + 10) << c.count;
        EXPECT_EQ(rect.Width(), c.width) << c.count;
        EXPECT_EQ(popup->IsFourColumns(), c.layout != 0 || c.count > 31) << c.count;
        int visible = 0;
        for (int i = 0; i < kListPopupLongItems; ++i)
            visible += popup->Item(i).IsWindowVisible() ? 1 : 0;
        EXPECT_EQ(visible, c.labels) << c.count;
        if (c.count == 9) {
            EXPECT_EQ(ClientRectIn(popup->Item(5), *popup), CRect(50, 30, 70, 44));
        }
    }
    // A list without rows gives nothing, even when asked for an item.
    frame->ListPopup()->OnItem(0);
    EXPECT_TRUE(CRecordingPage::lists.empty());
    EXPECT_NE(frame->ListPopup(), nullptr);
    frame->ClosePopups();
    EXPECT_TRUE(CRecordingPage::lists.empty());

    // A list asked narrower than its frame pieces allow takes the template's width.
    request.count = 3;
    request.width = 19;
    frame->OpenListPopup(&page, 4, &request, 0);
    Flush();
    ASSERT_NE(frame->ListPopup(), nullptr);
    CRect narrow;
    frame->ListPopup()->GetClientRect(&narrow);
    EXPECT_EQ(narrow.Width(), 150);
    EXPECT_EQ(frame->ListPopup()->GetListHeight(), 63);
}

TEST_F(SetupPopups, ClockSlidersGiveTheirValuesWhenClosedUnmoved) {
    CRecordingPage& page = OpenRecordingPage();
    SliderPopupRequest request{};
    request.count = 2;
    request.value[0] = 13;
    request.value[1] = 45;
    request.anchor = Anchor();
    request.width = 360;
    frame->OpenSliderPopup(&page, 7, &request, kSliderModeClock);
    Flush();
    CSetupSliderPopupDlg* popup = frame->SliderPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Text(popup->ValueLabel(0)), "13");
    EXPECT_EQ(Text(popup->ValueLabel(1)), "45");
    EXPECT_EQ(popup->Slider(0).GetRangeMax(), 23);
    EXPECT_EQ(popup->Slider(1).GetRangeMax(), 59);
    EXPECT_TRUE(popup->NameLabel(0).IsWindowVisible());
    EXPECT_EQ(TextOf(popup->NameLabel(1)), LoadResString(IDS_MIN));
    EXPECT_EQ(ClientRectIn(popup->Slider(1), *popup), CRect(110, 31, 300, 40));
    EXPECT_EQ(ClientRectIn(popup->ValueLabel(1), *popup), CRect(313, 30, 345, 44));
    frame->ClosePopups();
    EXPECT_EQ(frame->SliderPopup(), nullptr);
    ASSERT_EQ(CRecordingPage::sliders.size(), 1u);
    EXPECT_EQ(CRecordingPage::sliders[0], (std::array<int, 3>{7, 13, 45}));
}

TEST_F(SetupPopups, AValueSliderDraggedGivesWhatItShows) {
    CRecordingPage& page = OpenRecordingPage();
    SliderPopupRequest request{};
    request.count = 1;
    request.value[0] = 120;
    request.value[1] = 10;
    request.value[2] = 240;
    request.anchor = Anchor();
    request.width = 268;
    frame->OpenSliderPopup(&page, 8, &request, kSliderModeValue);
    Flush();
    CSetupSliderPopupDlg* popup = frame->SliderPopup();
    ASSERT_NE(popup, nullptr);
    CBitmapSlider& slider = popup->Slider(0);
    EXPECT_EQ(slider.GetRangeMin(), 10);
    EXPECT_EQ(slider.GetRangeMax(), 240);
    EXPECT_EQ(slider.GetPos(), 120);
    EXPECT_FALSE(popup->NameLabel(0).IsWindowVisible());
    EXPECT_FALSE(popup->Slider(1).IsWindowVisible());
    EXPECT_EQ(Text(popup->ValueLabel(0)), "120");
    // A press on the track moves the slider there.
    Click(slider, 160, 4);
    const int moved = slider.GetPos();
    EXPECT_NE(moved, 120);
    EXPECT_EQ(Text(popup->ValueLabel(0)), std::to_string(moved));
    // Opening a list closes the slider popup, which gives its values then.
    ListPopupRequest list{};
    list.count = 1;
    list.width = 100;
    frame->OpenListPopup(&page, 1, &list, 0);
    ASSERT_EQ(CRecordingPage::sliders.size(), 1u);
    EXPECT_EQ(CRecordingPage::sliders[0], (std::array<int, 3>{8, moved, 10}));
}

} // namespace
