// The general record page (162) and its region page (995): layouts by setup version and sub-type,
// what the selectors show and open, each popup result written at its offset, the On/Off row, and the
// region rectangles drawn with the mouse.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "setup/RecGeneralDlg.h"
#include "setup/RecRegionDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupSliderPopupDlg.h"

#include <optional>

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;
using G = CRecGeneralDlg;

class RecordGeneralPages : public FrameFixture {
protected:
    void SetUp() override {
        db.video_standard = 1;
        db.rec_resolution_class = 0;
        db.rec_single_rate = 1;
        db.rec_onoff2 = 1;
        db.rec_value0 = 0;
        db.rec_value1 = 0;
        db.rec_selector = 2;
        db.rec_channel_selector = 3;
        db.version_major = 4;
        db.version_minor = 2;
    }
    // u16 fields are written in network order here; the frame turns them to host order as it opens.
    static WORD Net(WORD value) { return WORD((value >> 8) | (value << 8)); }
    template <class Page>
    Page& OpenPage(UINT id, bool withClient = true) {
        Open(withClient);
        Page& page = Show<Page>(id);
        mark = db;
        return page;
    }
    ByteMap Since() const { return Changes(mark, db); }
    static CRect PlaceOf(CWnd& page, CWnd& control) {
        CRect rect;
        control.GetWindowRect(&rect);
        page.ScreenToClient(&rect);
        return rect;
    }

    SetupDatabase mark{};
};

// ---- page 162

TEST_F(RecordGeneralPages, OlderVersionsShowEveryRowNewerOnesFour) {
    G& old = OpenPage<G>(IDD_REC_GENERAL_DLG);
    for (UINT id = 790; id <= 804; ++id)
        EXPECT_TRUE(old.Label(id).IsWindowVisible()) << id;
    EXPECT_TRUE(old.Label(G::IDC_CHANNEL).IsWindowVisible());
    EXPECT_TRUE(old.OnButton(0).IsWindowVisible());
    EXPECT_FALSE(old.OnButton(0).IsWindowEnabled());
    EXPECT_FALSE(old.OffButton(0).IsWindowEnabled());
    EXPECT_TRUE(old.OnButton(1).IsWindowEnabled());
    EXPECT_EQ(PlaceOf(old, old.Label(G::IDC_CHANNEL)), CRect(220, 169, 355, 183));
    EXPECT_TRUE(old.RegionButton().IsWindowVisible());
    Close();

    db.version_minor = 3;
    G& newer = OpenPage<G>(IDD_REC_GENERAL_DLG);
    for (UINT id : {790u, 792u, 793u, 794u, 797u, 798u, 799u, 802u, 803u})
        EXPECT_FALSE(newer.Label(id).IsWindowVisible()) << id;
    EXPECT_FALSE(newer.OnButton(0).IsWindowVisible());
    EXPECT_FALSE(newer.OffButton(0).IsWindowVisible());
    const std::pair<UINT, CRect> moved[] = {
        {791, CRect(9, 9, 157, 23)},    {795, CRect(9, 32, 157, 46)},   {800, CRect(225, 31, 295, 45)},
        {804, CRect(320, 31, 380, 45)}, {796, CRect(9, 55, 157, 69)},   {801, CRect(220, 54, 355, 68)},
        {807, CRect(9, 78, 157, 92)},   {808, CRect(220, 77, 355, 91)},
    };
    for (const auto& [id, rect] : moved) {
        EXPECT_TRUE(newer.Label(id).IsWindowVisible()) << id;
        EXPECT_EQ(PlaceOf(newer, newer.Label(id)), rect) << id;
    }
    EXPECT_EQ(PlaceOf(newer, newer.OnButton(1)), CRect(182, 6, 282, 23));
    Close();

    recorder.SetSubType(G::kNoRegionSubType);
    EXPECT_FALSE(OpenPage<G>(IDD_REC_GENERAL_DLG).RegionButton().IsWindowVisible());
}

TEST_F(RecordGeneralPages, SelectorsShowTheStoredValues) {
    const struct {
        WORD value0;
        std::string shown;
    } values[] = {{0, "0"}, {15, "15"}, {20, "20"}, {7, "0"}, {300, "0"}};
    for (const auto& v : values) {
        db.rec_value0 = Net(v.value0);
        db.rec_value1 = Net(120);
        db.rec_resolution_class = 1;
        db.rec_single_rate = 6;
        G& page = OpenPage<G>(IDD_REC_GENERAL_DLG);
        EXPECT_EQ(Text(page.Label(G::IDC_VALUE0)), v.shown) << v.value0;
        EXPECT_EQ(Text(page.Label(G::IDC_VALUE1)), "120");
        EXPECT_EQ(Text(page.Label(G::IDC_RESOLUTION)), "2CIF");
        EXPECT_EQ(Text(page.Label(G::IDC_RATE)), "6");
        EXPECT_EQ(Text(page.Label(G::IDC_OPTION)), "Low");
        EXPECT_EQ(Text(page.Label(G::IDC_CHANNEL)), "CH04");
        EXPECT_EQ(page.OnButton(1).GetState(), kButtonOn);
        EXPECT_EQ(page.OffButton(1).GetState(), kButtonNormal);
        Close();
    }
}

TEST_F(RecordGeneralPages, ListResultsWriteTheirFields) {
    // A 16-channel PAL recorder; the record holds 4CIF (644 = 0) and rate 1.
    const struct {
        std::string name;
        int kind;
        int index;
        ByteMap changed;
        UINT selector;
        std::string shown;
    } cases[] = {
        {"resolution 2CIF resets the rate", G::kKindResolution, 1, {{644, 1}, {647, 3}}, G::IDC_RESOLUTION, "2CIF"},
        {"the same resolution still resets the rate", G::kKindResolution, 0, {}, G::IDC_RATE, "1"},
        {"resolution CIF", G::kKindResolution, 2, {{644, 2}, {647, 6}}, G::IDC_RATE, "6"},
        {"a resolution beyond the list", G::kKindResolution, 3, {}, G::IDC_RESOLUTION, "4CIF"},
        {"rate", G::kKindRate, 0, {{647, 0}}, G::IDC_RATE, "0"},
        {"a rate above the largest", G::kKindRate, 2, {}, G::IDC_RATE, "1"},
        {"value 15", G::kKindValue0, 3, {{648, 15}}, G::IDC_VALUE0, "15"},
        {"value beyond the list", G::kKindValue0, 5, {}, G::IDC_VALUE0, "0"},
        {"option", G::kKindOption, 0, {{652, 0}}, G::IDC_OPTION, "High"},
        {"channel 16", G::kKindChannel, 15, {{4517, 15}}, G::IDC_CHANNEL, "CH16"},
        {"channel beyond the recorder's", G::kKindChannel, 16, {}, G::IDC_CHANNEL, "CH04"},
        {"kind 3 never opens", 3, 1, {}, G::IDC_VALUE1, "0"},
        {"kind 5 never opens", 5, 1, {}, G::IDC_VALUE1, "0"},
        {"kind 7", 7, 0, {}, G::IDC_RATE, "1"},
    };
    for (const auto& c : cases) {
        db = PatternRecord();
        SetUp();
        G& page = OpenPage<G>(IDD_REC_GENERAL_DLG);
        frame->OnListPopupResult(&page, c.kind, DWORD(c.index));
        EXPECT_EQ(Since(), c.changed) << c.name;
        EXPECT_EQ(Text(page.Label(c.selector)), c.shown) << c.name;
        Close();
    }
    // The same resolution again with a changed rate: the rate goes back to the largest.
    db = PatternRecord();
    SetUp();
    db.rec_single_rate = 0;
    G& page = OpenPage<G>(IDD_REC_GENERAL_DLG);
    frame->OnListPopupResult(&page, G::kKindResolution, 0);
    EXPECT_EQ(Since(), (ByteMap{{647, 1}}));
    frame->OnListPopupResult(&page, G::kKindRate, 0xFFFFFFFF);
    EXPECT_EQ(Since(), (ByteMap{{647, 1}}));
}

TEST_F(RecordGeneralPages, SelectorsOpenTheirPopups) {
    db.rec_resolution_class = 1;
    db.rec_value1 = Net(120);
    recorder.SetChannels(8);
    G& page = OpenPage<G>(IDD_REC_GENERAL_DLG);
    const struct {
        UINT selector;
        int kind;
        int count;
        int width;
        bool fourColumns;
        std::string last;
    } lists[] = {
        {G::IDC_RESOLUTION, G::kKindResolution, 3, 140, false, "CIF"},
        {G::IDC_RATE, G::kKindRate, 7, 200, true, "6"}, // PAL, 8 channels, 2CIF: 0-6
        {G::IDC_VALUE0, G::kKindValue0, 5, 70, false, "20"},
        {G::IDC_OPTION, G::kKindOption, 3, 140, false, "Low"},
        {G::IDC_CHANNEL, G::kKindChannel, 8, 120, false, "CH08"},
    };
    for (const auto& l : lists) {
        Click(page.Label(l.selector));
        CSetupListPopupDlg* popup = frame->ListPopup();
        ASSERT_NE(popup, nullptr) << l.selector;
        EXPECT_EQ(popup->GetKind(), l.kind) << l.selector;
        EXPECT_EQ(popup->ItemCount(), l.count) << l.selector;
        EXPECT_EQ(popup->GetWidth(), l.width) << l.selector;
        EXPECT_EQ(popup->IsFourColumns(), l.fourColumns) << l.selector;
        EXPECT_EQ(Text(popup->Item(l.count - 1)), l.last) << l.selector;
    }
    // The rate list's last item chosen through the popup.
    Click(page.Label(G::IDC_RATE));
    Click(frame->ListPopup()->Item(6));
    EXPECT_EQ(Since(), (ByteMap{{647, 6}}));
    EXPECT_EQ(Text(page.Label(G::IDC_RATE)), "6");

    Click(page.Label(G::IDC_VALUE1));
    ASSERT_NE(frame->SliderPopup(), nullptr);
    CSetupSliderPopupDlg& slider = *frame->SliderPopup();
    EXPECT_EQ(slider.GetKind(), G::kKindValue1);
    EXPECT_EQ(slider.GetWidth(), 268);
    EXPECT_EQ(slider.Slider(0).GetRangeMin(), 10);
    EXPECT_EQ(slider.Slider(0).GetRangeMax(), 240);
    EXPECT_EQ(slider.Slider(0).GetPos(), 120);

    // A selector without text opens nothing.
    frame->ClosePopups();
    Flush();
    page.Label(G::IDC_OPTION).SetText("");
    Click(page.Label(G::IDC_OPTION));
    EXPECT_EQ(frame->ListPopup(), nullptr);
}

TEST_F(RecordGeneralPages, SliderResultAndOnOffRow) {
    G& page = OpenPage<G>(IDD_REC_GENERAL_DLG);
    const struct {
        int kind;
        int value;
        ByteMap changed;
        std::string shown;
    } cases[] = {
        {G::kKindValue1, 200, {{650, 200}}, "200"},
        {G::kKindValue1, 5, {{650, 10}}, "10"}, // held to the slider's range
        {G::kKindValue1, 999, {{650, 240}}, "240"},
        {G::kKindResolution, 50, {{650, 240}}, "240"}, // another kind changes nothing
    };
    for (const auto& c : cases) {
        frame->OnSliderPopupResult(&page, c.kind, c.value, 7);
        EXPECT_EQ(Since(), c.changed) << c.value;
        EXPECT_EQ(Text(page.Label(G::IDC_VALUE1)), c.shown) << c.value;
    }
    mark = db;
    Click(page.OffButton(1));
    EXPECT_EQ(Since(), (ByteMap{{646, 0}}));
    EXPECT_EQ(page.OffButton(1).GetState(), kButtonOn);
    EXPECT_EQ(page.OnButton(1).GetState(), kButtonNormal);
    Click(page.OnButton(1));
    EXPECT_TRUE(Since().empty());
    Click(page.RegionButton());
    EXPECT_NE(dynamic_cast<CRecRegionDlg*>(frame->PageById(IDD_REC_REGION_DLG)), nullptr);
}

// ---- page 995

class RegionPage : public RecordGeneralPages {
protected:
    CRecRegionDlg& OpenRegion(int channels = 16) {
        recorder.SetChannels(channels);
        return OpenPage<CRecRegionDlg>(IDD_REC_REGION_DLG);
    }
    void SetRegion(int ch, int left, int right, int top, int bottom) {
        db.region_left[ch] = BYTE(left);
        db.region_right[ch] = BYTE(right);
        db.region_top[ch] = BYTE(top);
        db.region_bottom[ch] = BYTE(bottom);
    }
    static ByteMap Region(int ch, int left, int right, int top, int bottom) {
        return {{4520 + std::size_t(ch), left},
                {4536 + std::size_t(ch), right},
                {4552 + std::size_t(ch), top},
                {4568 + std::size_t(ch), bottom}};
    }
    static int Selected(CRecRegionDlg& page) {
        int count = 0;
        for (int row = 0; row < 61; ++row)
            for (int col = 0; col < 89; ++col)
                count += page.Editor().GetCellValue(4 * col, 4 * row, 4 * col + 4, 4 * row + 4) == 1 ? 1 : 0;
        return count;
    }
};

TEST_F(RegionPage, BandsStoreTheFirstAndLastColumnAndRow) {
    for (int ch = 0; ch < 16; ++ch)
        SetRegion(ch, 0, 0, 0, 0);
    CRecRegionDlg& page = OpenRegion();
    Click(page.ChannelButton(2));
    // Columns 10-20, rows 5-9.
    Press(page.Editor(), CPoint(41, 21), CPoint(82, 38));
    EXPECT_EQ(Since(), Region(2, 10, 20, 5, 9));
    EXPECT_EQ(page.StripText().Str(), "LEFT: 10    RIGHT: 20    TOP: 5    BOTTOM: 9");
    // Each press starts the region afresh: a band one cell high, then a click, leave no region.
    Press(page.Editor(), CPoint(1, 1), CPoint(60, 3));
    EXPECT_TRUE(Since().empty());
    Press(page.Editor(), CPoint(41, 21), CPoint(82, 38));
    Press(page.Editor(), CPoint(50, 50));
    EXPECT_TRUE(Since().empty());
    EXPECT_EQ(Selected(page), 0);
    EXPECT_EQ(page.StripText().Str(), "LEFT: 0    RIGHT: 0    TOP: 0    BOTTOM: 0");
}

TEST_F(RegionPage, ChannelsShowTheirStoredRegionWithoutWritingIt) {
    SetRegion(0, 10, 20, 5, 9);
    SetRegion(1, 30, 20, 5, 9); // right of its right edge: nothing to show
    SetRegion(2, 80, 200, 50, 200);
    CRecRegionDlg& page = OpenRegion();
    EXPECT_EQ(page.GetChannel(), 0);
    EXPECT_EQ(page.ChannelButton(0).GetState(), kButtonOn);
    // The stored last column and row are shown selected, as the editor stored them.
    EXPECT_EQ(Selected(page), 11 * 5);
    EXPECT_EQ(page.Editor().GetCellValue(40, 20, 44, 24), 1);
    EXPECT_EQ(page.Editor().GetCellValue(80, 36, 84, 40), 1);
    EXPECT_EQ(page.Editor().GetCellValue(84, 36, 88, 40), 0);
    EXPECT_EQ(page.Editor().GetCellValue(80, 40, 84, 44), 0);
    Click(page.ChannelButton(1));
    EXPECT_EQ(Selected(page), 0);
    EXPECT_EQ(page.ChannelButton(0).GetState(), kButtonNormal);
    EXPECT_EQ(page.ChannelButton(1).GetState(), kButtonOn);
    Click(page.ChannelButton(2));
    EXPECT_EQ(Selected(page), 9 * 11); // columns 80-88, rows 50-60: what the grid has
    EXPECT_EQ(page.StripText().Str(), "LEFT: 80    RIGHT: 200    TOP: 50    BOTTOM: 200");
    EXPECT_TRUE(Since().empty());
}

TEST_F(RegionPage, ReturnAllClearsTheCurrentChannelOnly) {
    for (int ch = 0; ch < 16; ++ch)
        SetRegion(ch, 10, 20, 5, 9);
    CRecRegionDlg& page = OpenRegion(8);
    Click(page.ChannelButton(3));
    Click(page.Button(CRecRegionDlg::IDC_RETURN_ALL));
    EXPECT_EQ(Since(), Region(3, 0, 0, 0, 0));
    EXPECT_EQ(Selected(page), 0);
    EXPECT_EQ(PlaceOf(page, page.Button(CRecRegionDlg::IDC_RETURN_ALL)), CRect(2, 396, 99, 418));
    EXPECT_FALSE(page.Button(CRecRegionDlg::IDC_ALL_CHECK).IsWindowVisible());
    for (int ch = 0; ch < 16; ++ch)
        EXPECT_EQ(page.ChannelButton(ch).IsWindowVisible() != FALSE, ch < 8) << ch;
    Click(page.Button(CRecRegionDlg::IDC_PREV));
    EXPECT_NE(dynamic_cast<G*>(frame->PageById(IDD_REC_GENERAL_DLG)), nullptr);
    EXPECT_EQ(frame->PageById(IDD_REC_REGION_DLG), nullptr);
}

} // namespace
