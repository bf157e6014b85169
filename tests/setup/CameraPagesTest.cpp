// The camera pages: picture adjustment, covert and names, each edit written into the record at once,
// to the row and to the other ticked rows.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "setup/CameraAdjustDlg.h"
#include "setup/CameraCovertDlg.h"
#include "setup/CameraNameDlg.h"
#include "setup/SetupText.h"

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;

class CameraPages : public FrameFixture {
protected:
    void SetUp() override {
        for (int ch = 0; ch < 16; ++ch) {
            db.hue[ch] = BYTE(10 + ch);
            db.saturation[ch] = BYTE(30 + ch);
            db.contrast[ch] = BYTE(60 + ch);
            db.brightness[ch] = BYTE(80 + ch);
            db.covert[ch] = ch % 2 == 0 ? 1 : 2;
        }
    }
};

TEST_F(CameraPages, AdjustSlidersWriteTheirColumnToTheTickedRows) {
    const struct {
        const char* name;
        int column;
        std::vector<int> ticked;
        int row;
        int value;
        ByteMap changed;
    } cases[] = {
        {"hue, nothing ticked", 0, {}, 2, 80, {{8 + 2, 80}}},
        {"saturation, rows 1 3 7 ticked", 1, {0, 2, 6}, 2, 33, {{24 + 0, 33}, {24 + 2, 33}, {24 + 6, 33}}},
        {"contrast, moved row not ticked", 2, {0, 6}, 2, 5, {{40 + 2, 5}}},
        {"brightness, last row", 3, {15, 0}, 15, 100, {{56 + 15, 100}, {56 + 0, 100}}},
    };
    for (const auto& c : cases) {
        db = PatternRecord();
        SetUp();
        Open();
        auto& page = Show<CCameraAdjustDlg>(IDD_CAMERA_ADJUST_DLG);
        Click(page.ColumnButton(c.column));
        for (int r : c.ticked)
            Click(page.RowBox(r));
        page.SendMessage(WM_SLIDER_MOVE, CCameraAdjustDlg::IDC_ROW_SLIDER + UINT(c.row), c.value);
        EXPECT_EQ(Changed(), c.changed) << c.name;
        for (const auto& [offset, value] : c.changed) {
            const int r = int(offset - (8 + 16 * std::size_t(c.column)));
            EXPECT_EQ(Text(page.RowValue(r)), std::to_string(value)) << c.name << " row " << r;
            if (r != c.row) {
                EXPECT_EQ(page.RowSlider(r).GetPos(), value) << c.name << " row " << r;
            }
        }
        Close();
    }
}

TEST_F(CameraPages, AdjustColumnsShowTheirBytesAndClearTheTicks) {
    Open();
    auto& page = Show<CCameraAdjustDlg>(IDD_CAMERA_ADJUST_DLG);
    EXPECT_EQ(page.GetColumn(), 0);
    EXPECT_EQ(page.ColumnButton(0).GetState(), kButtonOn);
    EXPECT_EQ(page.RowSlider(5).GetPos(), 15);
    EXPECT_EQ(Text(page.RowLabel(8)), "CH09");
    Click(page.RowBox(5));
    Click(page.ColumnButton(3));
    EXPECT_EQ(page.ColumnButton(0).GetState(), kButtonNormal);
    EXPECT_EQ(page.ColumnButton(3).GetState(), kButtonOn);
    EXPECT_EQ(page.RowSlider(5).GetPos(), 85);
    EXPECT_EQ(Text(page.RowValue(5)), "85");
    EXPECT_EQ(page.RowBox(5).GetCheck(), 0);
    EXPECT_TRUE(Changed().empty());
}

TEST_F(CameraPages, AdjustResetSetsTheTickedRowsOfTheColumnTo50) {
    Open();
    auto& page = Show<CCameraAdjustDlg>(IDD_CAMERA_ADJUST_DLG);
    Click(page.ColumnButton(2));
    Click(page.RowBox(1));
    Click(page.RowBox(3));
    Click(page.RowBox(3)); // ticked and cleared again
    Click(page.RowBox(9));
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CCameraAdjustDlg::IDC_RESET, BN_CLICKED), 0);
    EXPECT_EQ(Changed(), (ByteMap{{40 + 1, 50}, {40 + 9, 50}}));
    EXPECT_EQ(Text(page.RowValue(9)), "50");
    // Reset with no row ticked changes nothing.
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CCameraAdjustDlg::IDC_RETURN_ALL, BN_CLICKED), 0);
    before = db;
    page.SendMessage(WM_COMMAND, MAKEWPARAM(CCameraAdjustDlg::IDC_RESET, BN_CLICKED), 0);
    EXPECT_TRUE(Changed().empty());
}

TEST_F(CameraPages, AdjustSliderDraggedWithTheMouseWritesWhereItStopped) {
    Open();
    auto& page = Show<CCameraAdjustDlg>(IDD_CAMERA_ADJUST_DLG);
    CBitmapSlider& slider = page.RowSlider(4);
    Click(slider, 150, 4);
    const int value = slider.GetPos();
    EXPECT_NE(value, 14);
    EXPECT_EQ(Changed(), (ByteMap{{8 + 4, value}}));
    EXPECT_EQ(Text(page.RowValue(4)), std::to_string(value));
}

TEST_F(CameraPages, FourChannelsHideTheOtherRowsAndAllCheckTicksOnlyTheirs) {
    recorder.SetChannels(4);
    Open();
    auto& adjust = Show<CCameraAdjustDlg>(IDD_CAMERA_ADJUST_DLG);
    for (int r = 0; r < 16; ++r) {
        EXPECT_EQ(adjust.RowBox(r).IsWindowVisible() != FALSE, r < 4) << r;
        EXPECT_EQ(adjust.RowSlider(r).IsWindowVisible() != FALSE, r < 4) << r;
        EXPECT_EQ(adjust.RowValue(r).IsWindowVisible() != FALSE, r < 4) << r;
    }
    adjust.SendMessage(WM_COMMAND, MAKEWPARAM(CCameraAdjustDlg::IDC_ALL_CHECK, BN_CLICKED), 0);
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(adjust.RowBox(r).GetCheck(), r < 4 ? 1 : 0) << r;
    adjust.SendMessage(WM_SLIDER_MOVE, CCameraAdjustDlg::IDC_ROW_SLIDER + 1, 66);
    EXPECT_EQ(Changed(), (ByteMap{{8, 66}, {9, 66}, {10, 66}, {11, 66}}));

    auto& covert = Show<CCameraCovertDlg>(IDD_CAMERA_COVERT_DLG);
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(covert.RowOn(r).IsWindowVisible() != FALSE, r < 4) << r;
    auto& names = Show<CCameraNameDlg>(IDD_CAMERA_NAME_DLG);
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(names.RowEdit(r).IsWindowVisible() != FALSE, r < 4) << r;
}

TEST_F(CameraPages, CovertPairsWriteTheRowAndTheTickedRows) {
    const struct {
        const char* name;
        std::vector<int> ticked;
        int row;
        bool on;
        ByteMap changed;
    } cases[] = {
        {"on, only another row ticked", {4}, 1, true, {{72 + 1, 1}}},
        {"off, rows 2 and 5 ticked", {1, 4}, 1, false, {{72 + 4, 0}}}, // row 2 (channel 2) holds 2: now 0
        {"on, three ticked", {1, 3, 5}, 3, true, {{72 + 1, 1}, {72 + 3, 1}, {72 + 5, 1}}},
    };
    for (const auto& c : cases) {
        Open();
        auto& page = Show<CCameraCovertDlg>(IDD_CAMERA_COVERT_DLG);
        for (int r : c.ticked)
            Click(page.RowBox(r));
        Click(c.on ? page.RowOn(c.row) : page.RowOff(c.row));
        ByteMap expected = c.changed;
        if (!c.on)
            expected[72 + std::size_t(c.row)] = 0;
        EXPECT_EQ(Changed(), expected) << c.name;
        for (const auto& [offset, value] : expected) {
            const int r = int(offset - 72);
            EXPECT_EQ(page.RowOn(r).GetState(), value == 1 ? 1 : 0) << c.name << " row " << r;
            EXPECT_EQ(page.RowOff(r).GetState(), value == 1 ? 0 : 1) << c.name << " row " << r;
        }
        Close();
        db = PatternRecord();
        SetUp();
    }
}

TEST_F(CameraPages, CovertShowsOnOnlyForOne) {
    Open();
    auto& page = Show<CCameraCovertDlg>(IDD_CAMERA_COVERT_DLG);
    EXPECT_EQ(page.RowOn(0).GetState(), kButtonOn);
    EXPECT_EQ(page.RowOff(0).GetState(), kButtonNormal);
    // 2 is not "on".
    EXPECT_EQ(page.RowOn(1).GetState(), kButtonNormal);
    EXPECT_EQ(page.RowOff(1).GetState(), kButtonOn);
}

TEST_F(CameraPages, NamesAreWrittenAtEveryKeystrokeAndKeepTheirTerminator) {
    std::memcpy(db.camera_name[5], "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 32); // no terminator
    std::strcpy(db.camera_name[2], "Yard");
    Open();
    auto& page = Show<CCameraNameDlg>(IDD_CAMERA_NAME_DLG);
    EXPECT_EQ(Text(page.RowEdit(2)), "Yard");
    EXPECT_EQ(Text(page.RowEdit(5)), "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234");
    // Opening wrote nothing, not even the unterminated name.
    EXPECT_TRUE(Changed().empty());

    page.RowEdit(2).SetWindowText("");
    Type(page.RowEdit(2), "G");
    EXPECT_EQ(std::string(db.camera_name[2], 5), std::string("G\0rd\0", 5));
    Type(page.RowEdit(2), "ate 1");
    EXPECT_STREQ(db.camera_name[2], "Gate 1");
    // Characters outside the name filter do not arrive.
    Type(page.RowEdit(2), "#!");
    EXPECT_STREQ(db.camera_name[2], "Gate 1");

    page.RowEdit(7).SetWindowText("");
    Type(page.RowEdit(7), std::string(40, 'x'));
    EXPECT_EQ(SlotText(db.camera_name[7], 32), std::string(31, 'x').c_str());

    // However long a text is set, the slot keeps 31 characters and its terminator.
    page.RowEdit(5).SetWindowText(std::string(40, 'y').c_str());
    EXPECT_EQ(db.camera_name[5][31], '\0');
    EXPECT_EQ(SlotText(db.camera_name[5], 32), std::string(31, 'y').c_str());

    // Back on the page after another: the typed names are shown.
    Show<CCameraCovertDlg>(IDD_CAMERA_COVERT_DLG);
    auto& again = Show<CCameraNameDlg>(IDD_CAMERA_NAME_DLG);
    EXPECT_EQ(Text(again.RowEdit(2)), "Gate 1");
}

} // namespace
