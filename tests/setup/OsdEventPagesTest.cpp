// The OSD page in its two forms and the three event pages: what they show of the record and which
// bytes each action writes.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/EventYesNoDlg.h"
#include "setup/EventYesNoTimeADlg.h"
#include "setup/EventYesNoTimeBDlg.h"
#include "setup/OsdSetupDlg.h"
#include "setup/SetupListPopupDlg.h"

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;

class OsdPage : public FrameFixture {
protected:
    COsdSetupDlg& OpenOsd(BYTE major, BYTE minor) {
        db.version_major = major;
        db.version_minor = minor;
        db.osd_list0 = 1;
        db.osd_list1 = 4;
        db.osd_switch1 = 1;
        db.osd_switch2 = 0;
        db.osd_list2 = 0;
        db.osd_list3 = 1;
        db.osd_list4 = 0;
        Open();
        return Show<COsdSetupDlg>(IDD_OSD_SETUP_DLG);
    }
    static int Top(CWnd& child) {
        CRect r;
        child.GetWindowRect(&r);
        child.GetParent()->ScreenToClient(&r);
        return r.top;
    }
};

TEST_F(OsdPage, TheFormFollowsTheSetupVersion) {
    const struct {
        BYTE major, minor;
        bool extended;
        int list1Y;
    } cases[] = {{4, 3, false, 77}, {4, 4, true, 146}, {5, 0, true, 146}};
    for (const auto& c : cases) {
        auto& page = OpenOsd(c.major, c.minor);
        const std::string version = std::to_string(c.major) + "." + std::to_string(c.minor);
        EXPECT_EQ(page.IsExtended(), c.extended) << version;
        EXPECT_EQ(Top(page.Selector(1)), c.list1Y) << version;
        EXPECT_EQ(Top(page.Label(794)), c.list1Y + 1) << version;
        for (UINT id = 796; id <= 801; ++id)
            EXPECT_EQ(page.Label(id).IsWindowVisible() != FALSE, c.extended) << version << " label " << id;
        EXPECT_EQ(TextOf(page.Selector(0)), CString("5 ") + LoadResString(IDS_SEC)) << version;
        EXPECT_EQ(Text(page.Selector(1)), "4") << version;
        if (c.extended) {
            EXPECT_EQ(Top(page.Selector(4)), 123);
            EXPECT_EQ(TextOf(page.Selector(3)), CString("5") + LoadResString(IDS_MIN));
            EXPECT_EQ(TextOf(page.Label(798)), LoadResString(IDS_MENU_TIMEOUT));
        }
        EXPECT_EQ(page.RowOn(0).GetState(), kButtonOn);
        EXPECT_EQ(page.RowOff(1).GetState(), kButtonOn);
        Close();
        db = PatternRecord();
    }
}

TEST_F(OsdPage, ListChoicesWriteTheirOwnByte) {
    const struct {
        int kind, index;
        ByteMap changed;
        const char* shown; // null: the selector keeps its text
    } cases[] = {
        {0, 2, {{636, 2}}, nullptr},  {1, 6, {{639, 6}}, "6"},      {2, 3, {{6536, 3}}, nullptr},
        {3, 0, {{6537, 0}}, nullptr}, {4, 1, {{6538, 1}}, nullptr}, {5, 0, {}, nullptr},
        {0, 4, {}, nullptr},          {1, -1, {}, nullptr},
    };
    auto& page = OpenOsd(4, 4);
    for (const auto& c : cases) {
        before = db;
        page.OnListResult(c.kind, c.index);
        EXPECT_EQ(Changed(), c.changed) << c.kind << "/" << c.index;
        if (c.shown != nullptr) {
            EXPECT_EQ(Text(page.Selector(c.kind)), c.shown);
        }
    }
    EXPECT_EQ(TextOf(page.Selector(0)), CString("10 ") + LoadResString(IDS_SEC));
    EXPECT_EQ(TextOf(page.Selector(2)), LoadResString(IDS_ALWAYS));
}

TEST_F(OsdPage, TheBasicFormLeavesTheExtendedBytesAlone) {
    auto& page = OpenOsd(4, 3);
    for (int list = 2; list < 5; ++list) {
        page.OnSelector(list);
        EXPECT_EQ(frame->ListPopup(), nullptr) << list;
    }
    page.OnSelector(1);
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 7);
    EXPECT_EQ(frame->ListPopup()->GetWidth(), 60);
    EXPECT_TRUE(Changed().empty());
}

TEST_F(OsdPage, SwitchesFollowTheTickedRows) {
    const struct {
        BYTE switch1, switch2;
        std::vector<int> ticked;
        int row;
        bool on;
        ByteMap changed;
    } cases[] = {
        {0, 0, {0, 1}, 1, true, {{637, 1}, {638, 1}}}, // both ticked: both on
        {1, 1, {0, 1}, 0, false, {{637, 0}, {638, 0}}},
        {0, 0, {1}, 1, true, {{638, 1}}},  // only the pressed row ticked
        {1, 1, {1}, 0, false, {{637, 0}}}, // the pressed row not ticked
        {0, 0, {}, 0, true, {{637, 1}}},
    };
    for (const auto& c : cases) {
        db.version_major = 4;
        db.version_minor = 4;
        db.osd_switch1 = c.switch1;
        db.osd_switch2 = c.switch2;
        Open();
        auto& page = Show<COsdSetupDlg>(IDD_OSD_SETUP_DLG);
        for (int r : c.ticked)
            Click(page.RowBox(r));
        Click(c.on ? page.RowOn(c.row) : page.RowOff(c.row));
        EXPECT_EQ(Changed(), c.changed) << c.row;
        EXPECT_EQ(page.RowOn(0).GetState(), db.osd_switch1 == 1 ? 1 : 0);
        EXPECT_EQ(page.RowOn(1).GetState(), db.osd_switch2 == 1 ? 1 : 0);
        EXPECT_EQ(page.RowOff(1).GetState(), db.osd_switch2 == 1 ? 0 : 1);
        Close();
        db = PatternRecord();
    }
}

TEST_F(OsdPage, AValueOutsideTheListShowsItsNumberAndStillOpens) {
    db.version_major = 4;
    db.version_minor = 4;
    db.osd_list0 = 9;
    db.osd_list3 = 200;
    Open();
    auto& page = Show<COsdSetupDlg>(IDD_OSD_SETUP_DLG);
    EXPECT_EQ(Text(page.Selector(0)), "9");
    EXPECT_EQ(Text(page.Selector(3)), "200");
    Click(page.Selector(3));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 2);
    EXPECT_TRUE(Changed().empty());
}

// ---- event pages

class EventPages : public FrameFixture {};

TEST_F(EventPages, EachPageWritesItsOwnRowBytes) {
    const struct {
        UINT page;
        std::size_t first;
    } pages[] = {
        {IDD_EVENT_YES_NO_DLG, 4028}, {IDD_EVENT_YES_NO_TIME_A_DLG, 4032}, {IDD_EVENT_YES_NO_TIME_B_DLG, 4036}};
    for (const auto& p : pages) {
        for (int row = 0; row < 4; ++row) {
            for (const bool yes : {true, false}) {
                Open();
                frame->ShowPageById(p.page);
                Flush();
                auto* page = dynamic_cast<CEventYesNoDlg*>(frame->PageById(p.page));
                ASSERT_NE(page, nullptr);
                Click(yes ? page->YesButton(row) : page->NoButton(row));
                EXPECT_EQ(Changed(), (ByteMap{{p.first + std::size_t(row), yes ? 1 : 0}})) << p.page << " row " << row;
                EXPECT_EQ(page->YesButton(row).GetState(), yes ? 1 : 0);
                EXPECT_EQ(page->NoButton(row).GetState(), yes ? 0 : 1);
                Close();
            }
        }
    }
}

TEST_F(EventPages, AnyByteButOneShowsNoAndStaysUntilPressed) {
    db.event_set1[0] = 2;
    db.event_set1[1] = 1;
    Open();
    auto& page = Show<CEventYesNoDlg>(IDD_EVENT_YES_NO_DLG);
    EXPECT_EQ(page.YesButton(0).GetState(), kButtonNormal);
    EXPECT_EQ(page.NoButton(0).GetState(), kButtonOn);
    EXPECT_EQ(page.YesButton(1).GetState(), kButtonOn);
    Click(page.YesButton(1));
    Click(page.YesButton(1));
    EXPECT_TRUE(Changed().empty());
    EXPECT_EQ(db.event_set1[0], 2);
    Click(page.NoButton(0));
    EXPECT_EQ(Changed(), (ByteMap{{4028, 0}}));
}

TEST_F(EventPages, DurationsAreChosenFromTheListAndStoredAsNumbers) {
    DWORD a = 45;
    DWORD b = 90;
    DbToNetworkOrder(db); // only to put the host values in network order
    db.event_time_a = a;
    db.event_time_b = b;
    DbToHostOrder(db);
    Open();
    auto& timeA = Show<CEventYesNoTimeADlg>(IDD_EVENT_YES_NO_TIME_A_DLG);
    EXPECT_EQ(Text(timeA.DurationSelector()), "45");
    Click(timeA.DurationSelector());
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->ItemCount(), 10);
    EXPECT_EQ(Text(popup->Item(9)), "240");
    Click(popup->Item(4));
    EXPECT_EQ(db.event_time_a, 90u);
    EXPECT_EQ(Text(timeA.DurationSelector()), "90");
    EXPECT_EQ(Changed().size(), 1u); // one byte of the u32 (45 -> 90)

    auto& timeB = Show<CEventYesNoTimeBDlg>(IDD_EVENT_YES_NO_TIME_B_DLG);
    EXPECT_EQ(Text(timeB.DurationSelector()), "90");
    timeB.OnListResult(0, 9);
    EXPECT_EQ(db.event_time_b, 240u);
    timeB.OnListResult(1, 0); // another kind
    timeB.OnListResult(0, 10);
    EXPECT_EQ(db.event_time_b, 240u);
    EXPECT_EQ(CEventYesNoTimeADlg::IndexToValue(12), 5u);
}

TEST_F(EventPages, YesOrNoOnADurationPageClosesThePopup) {
    Open();
    auto& page = Show<CEventYesNoTimeBDlg>(IDD_EVENT_YES_NO_TIME_B_DLG);
    Click(page.DurationSelector());
    ASSERT_NE(frame->ListPopup(), nullptr);
    Click(page.NoButton(2));
    EXPECT_EQ(frame->ListPopup(), nullptr);
}

} // namespace
