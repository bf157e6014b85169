// The small System pages: number of days, the two options, and the per-channel choices
// (deinterlace On/Off, the three-way None/Off/On), each edit written into the record at once.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/ChannelTriStateDlg.h"
#include "setup/DeinterlaceDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SysDaysDlg.h"
#include "setup/SysGeneralDlg.h"
#include "setup/SysOptionsDlg.h"

using namespace setuptest;

namespace {

using Bytes = std::map<std::size_t, int>;

class SystemChoicePages : public FrameFixture {};

TEST_F(SystemChoicePages, DaysSliderStoresItsPositionAndShowsTheDays) {
    db.days = 12;
    Open();
    auto& page = Show<CSysDaysDlg>(IDD_SYS_DAYS_DLG);
    EXPECT_EQ(page.Slider().GetPos(), 12);
    EXPECT_EQ(page.Slider().GetRangeMax(), 99);
    EXPECT_EQ(Text(page.ValueLabel()), "12 " + LoadResString(IDS_DAYS).Str());
    const struct {
        int position;
        std::string shown;
    } cases[] = {{0, LoadResString(IDS_NONE).Str()},
                 {1, "1 " + LoadResString(IDS_DAYS).Str()},
                 {99, "99 " + LoadResString(IDS_DAYS).Str()}};
    for (const auto& c : cases) {
        page.Slider().SetPos(c.position);
        page.SendMessage(WM_SLIDER_MOVE, CSysDaysDlg::IDC_DAYS_SLIDER, c.position);
        EXPECT_EQ(Changed(), (Bytes{{3104, c.position}})) << c.position;
        EXPECT_EQ(Text(page.ValueLabel()), c.shown);
    }
}

TEST_F(SystemChoicePages, OptionsAreChosenFromTheirListsAndAnUnchangedChoiceWritesNothing) {
    db.system_option1 = 1;
    db.system_option2 = 2;
    Open();
    auto& page = Show<CSysOptionsDlg>(IDD_SYS_OPTIONS_DLG);
    EXPECT_EQ(TextOf(page.Label(CSysOptionsDlg::IDC_OPTION1)), LoadResString(IDS_ON));
    EXPECT_EQ(TextOf(page.Label(CSysOptionsDlg::IDC_OPTION2)), LoadResString(IDS_LOW));

    Click(page.Label(CSysOptionsDlg::IDC_OPTION2));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->ItemCount(), 3);
    EXPECT_EQ(popup->GetWidth(), 140);
    EXPECT_EQ(TextOf(popup->Item(0)), LoadResString(IDS_HIGH));
    Click(popup->Item(0));
    EXPECT_EQ(Changed(), (Bytes{{4519, 0}}));
    EXPECT_EQ(TextOf(page.Label(CSysOptionsDlg::IDC_OPTION2)), LoadResString(IDS_HIGH));

    const struct {
        int kind;
        int index;
        Bytes changed;
    } cases[] = {
        {0, 1, {}},                      // already set
        {0, 0, {{4518, 0}}},             // Off
        {0, 2, {}},                      // no such item
        {1, 1, {{4519, 1}}}, {2, 0, {}}, // no such list
    };
    for (const auto& c : cases) {
        before = db;
        page.OnListResult(c.kind, c.index);
        EXPECT_EQ(Changed(), c.changed) << c.kind << "/" << c.index;
    }
}

TEST_F(SystemChoicePages, AnOptionOutsideItsListShowsItsNumberUntilChosen) {
    db.system_option1 = 7;
    Open();
    auto& page = Show<CSysOptionsDlg>(IDD_SYS_OPTIONS_DLG);
    EXPECT_EQ(Text(page.Label(CSysOptionsDlg::IDC_OPTION1)), "7");
    Click(page.Label(CSysOptionsDlg::IDC_OPTION1));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 2);
    EXPECT_TRUE(Changed().empty());
}

// Per-channel choices: pressing a value in a row, with rows ticked or not, on recorders of 4 and 16
// channels.
struct ChoiceCase {
    const char* name;
    int channels;
    std::vector<int> ticked; // -1: All Check
    int row;
    BYTE value;
    std::vector<int> rowsChanged;
};

const ChoiceCase kChoiceCases[] = {
    {"rows 2 and 5 ticked, press in row 2", 16, {2, 5}, 2, 1, {2, 5}},
    {"unticked row 3 alone", 16, {2, 5}, 3, 1, {3}},
    {"alone, last row", 16, {}, 15, 1, {15}},
    {"all checked on a 4-channel recorder", 4, {-1}, 1, 1, {0, 1, 2, 3}},
    {"all checked then returned", 16, {-1, -2}, 6, 1, {6}},
};

template <class Page>
void TickRows(Page& page, const std::vector<int>& ticked) {
    for (int r : ticked) {
        if (r == -1) {
            page.SendMessage(WM_COMMAND, MAKEWPARAM(Page::IDC_ALL_CHECK, BN_CLICKED), 0);
        } else if (r == -2) {
            page.SendMessage(WM_COMMAND, MAKEWPARAM(Page::IDC_RETURN_ALL, BN_CLICKED), 0);
        } else {
            Click(page.RowBox(r));
        }
    }
    Flush();
}

TEST_F(SystemChoicePages, DeinterlaceOnOffReachesTheTickedRows) {
    for (const ChoiceCase& c : kChoiceCases) {
        for (const BYTE value : {BYTE(1), BYTE(0)}) {
            recorder.SetChannels(c.channels);
            for (int ch = 0; ch < 16; ++ch) {
                db.deinterlace[ch] = BYTE(1 - value);
            }
            Open();
            auto& page = Show<CDeinterlaceDlg>(IDD_DEINTERLACE_DLG);
            TickRows(page, c.ticked);
            Click(value == 1 ? page.RowOn(c.row) : page.RowOff(c.row));
            Bytes expected;
            for (int r : c.rowsChanged) {
                expected[4584 + std::size_t(r)] = value;
                EXPECT_EQ(page.RowOn(r).GetState(), value != 0 ? kButtonOn : kButtonNormal) << c.name << " row " << r;
                EXPECT_EQ(page.RowOff(r).GetState(), value != 0 ? kButtonNormal : kButtonOn) << c.name << " row " << r;
            }
            EXPECT_EQ(Changed(), expected) << c.name << " value " << int(value);
            for (int r = c.channels; r < 16; ++r) {
                EXPECT_FALSE(page.RowOn(r).IsWindowVisible()) << c.name;
                EXPECT_FALSE(page.RowBox(r).IsWindowVisible()) << c.name;
            }
            Close();
            db = PatternRecord();
        }
    }
}

TEST_F(SystemChoicePages, ThreeWayValuesReachTheTickedRows) {
    for (const ChoiceCase& c : kChoiceCases) {
        for (const BYTE value : {BYTE(0), BYTE(1), BYTE(2)}) {
            recorder.SetChannels(c.channels);
            for (int ch = 0; ch < 16; ++ch) {
                db.tri_state[ch] = BYTE((value + 1) % 3);
            }
            Open();
            auto& page = Show<CChannelTriStateDlg>(IDD_CHANNEL_TRI_STATE_DLG);
            TickRows(page, c.ticked);
            Click(page.RowButton(c.row, value));
            Bytes expected;
            for (int r : c.rowsChanged) {
                expected[3088 + std::size_t(r)] = value;
                for (BYTE v = 0; v < 3; ++v) {
                    EXPECT_EQ(page.RowButton(r, v).GetState(), v == value ? 1 : 0) << c.name << " row " << r;
                }
            }
            EXPECT_EQ(Changed(), expected) << c.name << " value " << int(value);
            Close();
            db = PatternRecord();
        }
    }
}

TEST_F(SystemChoicePages, StoredValuesOutsideTheChoicesSelectNoButton) {
    db.tri_state[0] = 3;
    db.tri_state[1] = 2;
    db.deinterlace[0] = 7; // anything but 1 shows Off
    db.deinterlace[1] = 1;
    Open();
    auto& tri = Show<CChannelTriStateDlg>(IDD_CHANNEL_TRI_STATE_DLG);
    for (BYTE v = 0; v < 3; ++v) {
        EXPECT_EQ(tri.RowButton(0, v).GetState(), kButtonNormal) << int(v);
    }
    EXPECT_EQ(tri.RowButton(1, CChannelTriStateDlg::kOn).GetState(), kButtonOn);
    auto& deinterlace = Show<CDeinterlaceDlg>(IDD_DEINTERLACE_DLG);
    EXPECT_EQ(deinterlace.RowOn(0).GetState(), kButtonNormal);
    EXPECT_EQ(deinterlace.RowOff(0).GetState(), kButtonOn);
    EXPECT_EQ(deinterlace.RowOn(1).GetState(), kButtonOn);
    EXPECT_TRUE(Changed().empty());
}

TEST_F(SystemChoicePages, DeinterlacePrevReturnsToTheGeneralPage) {
    Open();
    frame->ShowTab(CSetupDlg::kTabSystem);
    Flush();
    auto& general = Show<CSysGeneralDlg>(IDD_SYS_GENERAL_DLG);
    Click(*general.GetDlgItem(CSysGeneralDlg::IDC_DEINTERLACE));
    auto* page = dynamic_cast<CDeinterlaceDlg*>(frame->PageById(IDD_DEINTERLACE_DLG));
    ASSERT_NE(page, nullptr);
    Click(*page->GetDlgItem(CDeinterlaceDlg::IDC_PREV));
    EXPECT_EQ(frame->PageById(IDD_DEINTERLACE_DLG), nullptr);
    EXPECT_NE(dynamic_cast<CSysGeneralDlg*>(frame->PageById(IDD_SYS_GENERAL_DLG)), nullptr);
}

} // namespace
