// The PTZ camera, PTZ limit and PTZ keyboard pages, and the protocol table they read the recorder's
// protocols from.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/KeyboardSetupDlg.h"
#include "setup/ProtocolTable.h"
#include "setup/PtzRangeDlg.h"
#include "setup/PtzSetupDlg.h"
#include "setup/SetupListPopupDlg.h"

#include <cstring>

using namespace setuptest;

namespace {

using Bytes = std::map<std::size_t, int>;

// The recorder's protocols without its own names: per code the built-in name index and baud count.
SysEtcInfo ProtocolCodes() {
    SysEtcInfo info{};
    const BYTE ptz[][2] = {{0, 0}, {2, 6}, {0, 0}, {5, 2}, {9, 3}, {1, 9}, {6, 1}, {7, 1}};
    for (std::size_t code = 0; code < std::size(ptz); ++code) {
        info.ptz_protocol[code][0] = ptz[code][0];
        info.ptz_protocol[code][1] = ptz[code][1];
    }
    const BYTE keyboard[][2] = {{1, 0}, {0, 4}, {2, 2}};
    for (std::size_t code = 0; code < std::size(keyboard); ++code) {
        info.keyboard_protocol[code][0] = keyboard[code][0];
        info.keyboard_protocol[code][1] = keyboard[code][1];
    }
    return info;
}

SysEtcInfoEx ProtocolNames() {
    SysEtcInfoEx ex{};
    std::memcpy(ex.ptz_protocol_name[2], "Dome-A", 6);
    ex.ptz_baud_count[2] = 4;
    std::memset(ex.ptz_protocol_name[7], 'x', 16); // a full slot without a terminator
    ex.ptz_baud_count[7] = 1;
    std::memcpy(ex.keyboard_protocol_name[4], "Pad-4", 5);
    ex.keyboard_baud_count[4] = 3;
    return ex;
}

TEST(ProtocolTable, BuiltInNamesByIndexOrTheRecordersOwnNames) {
    const SysEtcInfo codes = ProtocolCodes();
    const CProtocolTable builtIn(ProtocolKind::Ptz, codes, nullptr);
    const struct {
        int code;
        const char* name;
        int bauds;
    } ptz[] = {{0, "", 0},        {1, "Pelco-D", 6}, {2, "", 0},
               {3, "RKP-300", 2}, {4, "", 3}, // an index beyond the built-in names has no name
               {5, "Pelco-P", 6},             // a baud count beyond the six rates is held to them
               {63, "", 0},       {64, "", 0},       {-1, "", 0}};
    for (const auto& c : ptz) {
        EXPECT_EQ(builtIn.Name(c.code).Str(), c.name) << c.code;
        EXPECT_EQ(builtIn.BaudCount(c.code), c.bauds) << c.code;
    }
    EXPECT_EQ(builtIn.NameOrNumber(4).Str(), "4");
    const std::vector<ProtocolChoice> choices = builtIn.Choices(31);
    ASSERT_EQ(choices.size(), 4u);
    EXPECT_EQ(choices[0].code, 1);
    EXPECT_EQ(choices[1].code, 3);
    EXPECT_EQ(choices[2].code, 5);
    EXPECT_EQ(choices[3].code, 6);
    EXPECT_EQ(builtIn.Choices(2).size(), 2u);

    const CProtocolTable keyboard(ProtocolKind::Keyboard, codes, nullptr);
    EXPECT_EQ(keyboard.Name(0).Str(), "RKP-300");
    EXPECT_EQ(keyboard.Name(2).Str(), "Vista KBD");
    EXPECT_EQ(keyboard.BaudCount(0), 0);

    const SysEtcInfoEx ex = ProtocolNames();
    const CProtocolTable named(ProtocolKind::Ptz, codes, &ex);
    EXPECT_EQ(named.Name(1).Str(), ""); // the built-in tables no longer count
    EXPECT_EQ(named.Name(2).Str(), "Dome-A");
    EXPECT_EQ(named.BaudCount(2), 4);
    EXPECT_EQ(named.Name(7).Str(), std::string(16, 'x'));
    const std::vector<ProtocolChoice> namedChoices = named.Choices(31);
    ASSERT_EQ(namedChoices.size(), 2u);
    EXPECT_EQ(namedChoices[1].code, 7);
    EXPECT_EQ(CProtocolTable(ProtocolKind::Keyboard, codes, &ex).Name(4).Str(), "Pad-4");
}

TEST(ProtocolTable, IdStepsAndBaudAfterAProtocolChange) {
    const struct {
        int current;
        int index;
        int id;
    } ids[] = {{9, 0, 0},     {9, 5, 5},     {1, 6, 0}, {2, 6, 1}, {0, 6, 0},
               {255, 7, 255}, {254, 7, 255}, {0, 7, 1}, {9, 8, 9}};
    for (const auto& c : ids) {
        EXPECT_EQ(CProtocolTable::IdAfterChoice(c.current, c.index), c.id) << c.current << " item " << c.index;
    }
    const struct {
        int baud;
        int count;
        int after;
    } bauds[] = {{4, 2, 1}, {1, 2, 1}, {2, 2, 1}, {5, 6, 5}, {3, 0, 3}};
    for (const auto& c : bauds) {
        EXPECT_EQ(CProtocolTable::BaudAfterProtocol(c.baud, c.count), c.after) << c.baud << "/" << c.count;
    }
    EXPECT_EQ(CProtocolTable::IdText(0), LoadResString(IDS_OFF));
    EXPECT_EQ(CProtocolTable::IdText(17).Str(), "17");
}

class PtzPages : public FrameFixture {
protected:
    void SetUp() override {
        const SysEtcInfo codes = ProtocolCodes();
        recorder.Feed(Msg::SYS_ETC_INFO, &codes, sizeof codes);
        for (int ch = 0; ch < 16; ++ch) {
            db.ptz_id[ch] = BYTE(ch + 1);
            db.ptz_protocol[ch] = 1;
            db.ptz_baud[ch] = 4;
        }
    }
    // The record's bytes once `edit` is applied to a copy of what the frame opened with.
    template <class Edit>
    Bytes Expect(Edit edit) const {
        SetupDatabase want = before;
        edit(want);
        return Changes(before, want);
    }
    template <class Page>
    static void Tick(Page& page, const std::vector<int>& rows) {
        for (int r : rows) {
            Click(page.RowBox(r));
        }
    }
};

TEST_F(PtzPages, IdChoicesReachTheTickedRows) {
    const struct {
        const char* name;
        std::vector<int> ticked;
        int row;
        int index;
        std::map<int, int> ids; // row -> ID afterwards
    } cases[] = {
        {"none", {}, 4, 0, {{4, 0}}},
        {"three, rows 1 and 3 ticked", {1, 3}, 1, 3, {{1, 3}, {3, 3}}},
        {"unticked row 2 alone", {1, 3}, 2, 3, {{2, 3}}},
        {"-1 each from its own ID", {0, 1}, 0, 6, {{0, 0}, {1, 1}}},
        {"+1 each from its own ID", {5, 9}, 9, 7, {{5, 7}, {9, 11}}},
    };
    for (const auto& c : cases) {
        Open();
        auto& page = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
        Tick(page, c.ticked);
        page.OnListResult(c.row, c.index);
        EXPECT_EQ(Changed(), Expect([&](SetupDatabase& d) {
                      for (const auto& [r, id] : c.ids)
                          d.ptz_id[r] = BYTE(id);
                  }))
            << c.name;
        for (const auto& [r, id] : c.ids) {
            EXPECT_EQ(page.RowSlider(r).GetPos(), id) << c.name;
            EXPECT_EQ(TextOf(page.RowValue(r)), CProtocolTable::IdText(id)) << c.name;
        }
        Close();
        db = PatternRecord();
        SetUp();
    }
}

TEST_F(PtzPages, IdStepsStopAtTheEnds) {
    db.ptz_id[0] = 255;
    db.ptz_id[1] = 1;
    Open();
    auto& page = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
    Click(page.RowValue(0));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 8);
    EXPECT_EQ(frame->ListPopup()->GetWidth(), 100);
    EXPECT_EQ(Text(frame->ListPopup()->Item(7)), "+1");
    Click(frame->ListPopup()->Item(7));
    EXPECT_EQ(db.ptz_id[0], 255);
    page.OnListResult(1, 6);
    EXPECT_EQ(db.ptz_id[1], 0);
    EXPECT_EQ(TextOf(page.RowValue(1)), LoadResString(IDS_OFF));
    EXPECT_EQ(Changed(), (Bytes{{3109, 0}}));
}

TEST_F(PtzPages, SliderSetsTheIdOfTheTickedRows) {
    Open();
    auto& page = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
    Tick(page, {2, 6});
    page.RowSlider(6).SetPos(200);
    page.SendMessage(WM_SLIDER_MOVE, CPtzSetupDlg::IDC_ROW_SLIDER + 6, 200);
    EXPECT_EQ(Changed(), (Bytes{{3108 + 2, 200}, {3108 + 6, 200}}));
    EXPECT_EQ(page.RowSlider(2).GetPos(), 200);
    EXPECT_EQ(Text(page.RowValue(2)), "200");
    page.RowSlider(7).SetPos(0);
    page.SendMessage(WM_SLIDER_MOVE, CPtzSetupDlg::IDC_ROW_SLIDER + 7, 0);
    EXPECT_EQ(db.ptz_id[7], 0);
    EXPECT_EQ(TextOf(page.RowValue(7)), LoadResString(IDS_OFF));
}

TEST_F(PtzPages, ProtocolListGivesCodesNotPlacesAndHoldsTheBaud) {
    db.ptz_baud[3] = 1;
    Open();
    auto& page = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
    Click(page.ColumnButton(CPtzSetupDlg::kColumnProtocol));
    EXPECT_EQ(Text(page.RowValue(0)), "Pelco-D");
    EXPECT_FALSE(page.RowSlider(0).IsWindowVisible());
    Tick(page, {1, 3});
    Click(page.RowValue(1));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 4);
    EXPECT_EQ(popup->GetWidth(), 140);
    EXPECT_EQ(Text(popup->Item(1)), "RKP-300");
    Click(popup->Item(1)); // code 3, two baud rates
    // Rows 1 and 3 take code 3; a baud at or above its count becomes the highest it allows.
    EXPECT_EQ(Changed(), (Bytes{{3124 + 1, 3}, {3124 + 3, 3}, {3140 + 1, 1}}));
    EXPECT_EQ(Text(page.RowValue(3)), "RKP-300");
    // An unticked row alone.
    before = db;
    page.OnListResult(2, 2); // code 5
    EXPECT_EQ(Changed(), (Bytes{{3124 + 2, 5}}));
    // A code without a name shows its number.
    db.ptz_protocol[4] = 4;
    Click(page.ColumnButton(CPtzSetupDlg::kColumnId));
    Click(page.ColumnButton(CPtzSetupDlg::kColumnProtocol));
    EXPECT_EQ(Text(page.RowValue(4)), "4");
}

TEST_F(PtzPages, BaudListFollowsTheRowsProtocolAndOtherTickedRowsStayWithinTheirs) {
    db.ptz_protocol[1] = 1; // six rates
    db.ptz_protocol[2] = 3; // two rates
    db.ptz_protocol[3] = 0; // none
    Open();
    auto& page = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
    page.ShowColumn(CPtzSetupDlg::kColumnBaud);
    Flush();
    EXPECT_EQ(Text(page.RowValue(1)), "38400 bps");
    Tick(page, {1, 2, 3});
    Click(page.RowValue(1));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 6);
    Click(frame->ListPopup()->Item(5));
    // Row 3's protocol offers no baud rates: it keeps its own.
    EXPECT_EQ(Changed(), (Bytes{{3140 + 1, 5}, {3140 + 2, 1}}));
    EXPECT_EQ(Text(page.RowValue(1)), "76800 bps");
    EXPECT_EQ(Text(page.RowValue(2)), "4800 bps");
    EXPECT_EQ(Text(page.RowValue(3)), "38400 bps");
    // A protocol without baud rates opens nothing.
    Click(page.RowValue(3));
    EXPECT_EQ(frame->ListPopup(), nullptr);
}

// A recorder naming 40 protocols (codes 3, 4, ... 42): the list offers all 40 in four columns, and a
// choice past the 31st stores the code of that name on the row and on the other ticked row.
TEST_F(PtzPages, FortyProtocolsAreAllOfferedAndOnePastTheThirtyFirstIsChosen) {
    SysEtcInfoEx ex{};
    for (int k = 0; k < 40; ++k) {
        std::snprintf(ex.ptz_protocol_name[3 + k], sizeof ex.ptz_protocol_name[3 + k], "Protocol-%02d", k + 1);
        ex.ptz_baud_count[3 + k] = 4;
    }
    recorder.Feed(Msg::SYS_ETC_INFO_EX, &ex, sizeof ex);
    Open();
    auto& page = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
    Click(page.ColumnButton(CPtzSetupDlg::kColumnProtocol));
    Tick(page, {2, 9});
    Click(page.RowValue(9));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 40);
    EXPECT_TRUE(popup->IsFourColumns());
    EXPECT_EQ(popup->GetListHeight(), 10 * 21);
    EXPECT_EQ(popup->GetWidth(), 4 * 140);
    for (int i : {0, 31, 36, 39}) {
        EXPECT_TRUE(popup->Item(i).IsWindowVisible()) << i;
    }
    EXPECT_EQ(Text(popup->Item(36)), "Protocol-37");
    Click(popup->Item(36)); // code 39, four baud rates: baud 4 becomes 3
    EXPECT_EQ(frame->ListPopup(), nullptr);
    EXPECT_EQ(Changed(), (Bytes{{3124 + 2, 39}, {3124 + 9, 39}, {3140 + 2, 3}, {3140 + 9, 3}}));
    EXPECT_EQ(Text(page.RowValue(9)), "Protocol-37");
    EXPECT_EQ(Text(page.RowValue(2)), "Protocol-37");
}

TEST_F(PtzPages, SwitchingColumnsClearsTheTicksAndNextOpensTheLimits) {
    Open();
    auto& page = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
    Tick(page, {0, 5, 9});
    Click(page.ColumnButton(CPtzSetupDlg::kColumnBaud));
    for (int r = 0; r < 16; ++r) {
        EXPECT_EQ(page.RowBox(r).GetCheck(), int(BST_UNCHECKED)) << r;
    }
    EXPECT_EQ(page.ColumnButton(2).GetState(), kButtonOn);
    EXPECT_EQ(page.ColumnButton(0).GetState(), kButtonNormal);
    page.OnNext();
    Flush();
    EXPECT_NE(dynamic_cast<CPtzRangeDlg*>(frame->PageById(IDD_PTZ_RANGE_DLG)), nullptr);
    EXPECT_EQ(frame->PageById(IDD_PTZ_SETUP_DLG), nullptr);
    EXPECT_TRUE(Changed().empty());
}

TEST_F(PtzPages, LimitsAreStoredOneBelowTheSlider) {
    const struct {
        const char* name;
        int column;
        std::vector<int> ticked;
        int row;
        int position;
        std::map<int, int> limits;
    } cases[] = {
        {"pan low", 0, {}, 2, 6, {{2, 5}}},
        {"pan high, ticked rows", 1, {2, 8}, 8, 10, {{2, 9}, {8, 9}}},
        {"tilt low, position 0 goes back to 1", 2, {}, 0, 0, {{0, 0}}},
        {"tilt high, unticked row", 3, {2}, 5, 3, {{5, 2}}},
    };
    for (const auto& c : cases) {
        Open();
        auto& page = Show<CPtzRangeDlg>(IDD_PTZ_RANGE_DLG);
        Click(page.ColumnButton(c.column));
        Tick(page, c.ticked);
        page.RowSlider(c.row).SetPos(c.position);
        page.SendMessage(WM_SLIDER_MOVE, CPtzRangeDlg::IDC_ROW_SLIDER + UINT(c.row), c.position);
        EXPECT_EQ(Changed(), Expect([&](SetupDatabase& d) {
                      WORD* limits[4] = {d.ptz_pan_low, d.ptz_pan_high, d.ptz_tilt_low, d.ptz_tilt_high};
                      for (const auto& [r, limit] : c.limits)
                          limits[c.column][r] = WORD(limit);
                  }))
            << c.name;
        for (const auto& [r, limit] : c.limits) {
            EXPECT_EQ(page.RowSlider(r).GetPos(), limit + 1) << c.name;
            EXPECT_EQ(Text(page.RowValue(r)), std::to_string(limit + 1)) << c.name;
        }
        Close();
        db = PatternRecord();
        SetUp();
    }
}

TEST_F(PtzPages, LimitColumnsShowTheirValuesHeldToTheSlider) {
    db.ptz_pan_low[0] = 20;
    db.ptz_tilt_high[0] = 3;
    DbToNetworkOrder(db); // the frame takes the record in network order
    Open();
    auto& page = Show<CPtzRangeDlg>(IDD_PTZ_RANGE_DLG);
    EXPECT_EQ(page.CurrentColumn(), 0);
    EXPECT_EQ(page.RowSlider(0).GetPos(), 10);
    EXPECT_EQ(Text(page.RowValue(0)), "10");
    Click(page.RowBox(0));
    Click(page.ColumnButton(3));
    EXPECT_EQ(page.RowBox(0).GetCheck(), int(BST_UNCHECKED));
    EXPECT_EQ(page.RowSlider(0).GetPos(), 4);
    EXPECT_TRUE(Changed().empty());
    Click(*page.GetDlgItem(CPtzRangeDlg::IDC_PREV));
    EXPECT_NE(dynamic_cast<CPtzSetupDlg*>(frame->PageById(IDD_PTZ_SETUP_DLG)), nullptr);
}

TEST_F(PtzPages, KeyboardEditsItsThreeBytes) {
    db.keyboard_id = 1;
    db.keyboard_protocol = 1;
    db.keyboard_baud = 4;
    Open();
    auto& page = Show<CKeyboardSetupDlg>(IDD_KEYBOARD_SETUP_DLG);
    EXPECT_EQ(Text(page.Value()), "1");
    EXPECT_EQ(page.Slider().GetPos(), 1);
    const struct {
        const char* name;
        int column;
        int index;
        Bytes changed;
        std::string shown;
    } cases[] = {
        {"-1 on ID 1 gives none", CKeyboardSetupDlg::kColumnId, 6, {{3156, 0}}, LoadResString(IDS_OFF).Str()},
        {"+1", CKeyboardSetupDlg::kColumnId, 7, {{3156, 1}}, "1"},
        {"ID 5", CKeyboardSetupDlg::kColumnId, 5, {{3156, 5}}, "5"},
        // Item 1 is code 2 (code 1 has no name): two rates, so baud 4 becomes 1.
        {"protocol", CKeyboardSetupDlg::kColumnProtocol, 1, {{3172, 2}, {3188, 1}}, "Vista KBD"},
        {"baud within the protocol's two", CKeyboardSetupDlg::kColumnBaud, 0, {{3188, 0}}, "2400 bps"},
        {"baud beyond them", CKeyboardSetupDlg::kColumnBaud, 2, {}, "2400 bps"},
    };
    for (const auto& c : cases) {
        before = db;
        if (c.column == CKeyboardSetupDlg::kColumnId) {
            page.ShowIdColumn();
        } else if (c.column == CKeyboardSetupDlg::kColumnProtocol) {
            page.ShowProtocolColumn();
        } else {
            page.ShowBaudColumn();
        }
        page.OnListResult(0, c.index);
        EXPECT_EQ(Changed(), c.changed) << c.name;
        EXPECT_EQ(Text(page.Value()), c.shown) << c.name;
        EXPECT_EQ(page.ColumnButton(c.column).GetState(), kButtonOn) << c.name;
    }
    page.ShowIdColumn();
    page.Slider().SetPos(77);
    page.SendMessage(WM_SLIDER_MOVE, CKeyboardSetupDlg::IDC_ID_SLIDER, 77);
    EXPECT_EQ(db.keyboard_id, 77);
    EXPECT_EQ(Text(page.Value()), "77");
}

TEST_F(PtzPages, AKeyboardProtocolWithoutBaudRatesShowsNoneAndOpensNoList) {
    db.keyboard_protocol = 0; // "RKP-300", no baud rates
    db.keyboard_baud = 2;
    Open();
    auto& page = Show<CKeyboardSetupDlg>(IDD_KEYBOARD_SETUP_DLG);
    Click(page.ColumnButton(CKeyboardSetupDlg::kColumnProtocol));
    EXPECT_EQ(Text(page.Value()), "RKP-300");
    Click(page.Value());
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 2);
    frame->ClosePopups();
    Flush();
    Click(page.ColumnButton(CKeyboardSetupDlg::kColumnBaud));
    EXPECT_EQ(Text(page.Value()), "None");
    EXPECT_FALSE(page.Slider().IsWindowVisible());
    Click(page.Value());
    EXPECT_EQ(frame->ListPopup(), nullptr);
    // Choosing that protocol leaves the baud index alone instead of storing -1.
    page.ShowProtocolColumn();
    page.OnListResult(0, 0);
    EXPECT_EQ(db.keyboard_baud, 2);
    EXPECT_TRUE(Changed().empty());
}

TEST_F(PtzPages, TheRecordersOwnNamesReplaceTheBuiltInOnes) {
    const SysEtcInfoEx ex = ProtocolNames();
    recorder.Feed(Msg::SYS_ETC_INFO_EX, &ex, sizeof ex);
    db.keyboard_protocol = 4;
    db.ptz_protocol[0] = 2;
    Open();
    auto& keyboard = Show<CKeyboardSetupDlg>(IDD_KEYBOARD_SETUP_DLG);
    keyboard.ShowProtocolColumn();
    EXPECT_EQ(Text(keyboard.Value()), "Pad-4");
    auto& ptz = Show<CPtzSetupDlg>(IDD_PTZ_SETUP_DLG);
    ptz.ShowColumn(CPtzSetupDlg::kColumnProtocol);
    EXPECT_EQ(Text(ptz.RowValue(0)), "Dome-A");
    Click(ptz.RowValue(0));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 2);
    Click(frame->ListPopup()->Item(1));
    EXPECT_EQ(db.ptz_protocol[0], 7);
    EXPECT_EQ(db.ptz_baud[0], 0); // one rate only
}

} // namespace
