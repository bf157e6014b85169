// The record-mode slots page (169) and the preset sub-page (998): what each list offers, each choice
// at its offset, the rule that keeps a mode or a channel in one slot, and the preset numbers.

#include "SetupTestSupport.h"

#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/RecPresetDlg.h"
#include "setup/RecResRatePage.h"
#include "setup/RecUniqueChoiceDlg.h"
#include "setup/SetupListPopupDlg.h"

using namespace setuptest;

namespace {

using ByteMap = std::map<std::size_t, int>;
using U = CRecUniqueChoiceDlg;
using R = CRecPresetDlg;

class ChoicePages : public FrameFixture {
protected:
    template <class Page>
    Page& OpenPage(UINT id) {
        Open();
        Page& page = Show<Page>(id);
        mark = db;
        return page;
    }
    ByteMap Since() const { return Changes(mark, db); }
    // Opens the selector's list and clicks an item of it.
    void Choose(CSkinLabel& selector, int item) {
        Click(selector);
        ASSERT_NE(frame->ListPopup(), nullptr);
        Click(frame->ListPopup()->Item(item));
    }
    // The name of a record mode, or none (6).
    static std::string ModeName(int value) {
        static constexpr UINT kTexts[7] = {IDS_CONTINUOUS,  IDS_ALARM,   IDS_MOTION,     IDS_SCHEDULE,
                                           IDS_AUDIO_EVENT, IDS_HOLIDAY, IDS_NONE_STATUS};
        return LoadResString(kTexts[value]).Str();
    }
    void SetSlots(std::vector<int> values) {
        for (std::size_t k = 0; k < 5; ++k)
            db.rec_mode_slot[k] = BYTE(values[k]);
    }

    SetupDatabase mark{};
};

// ---- page 169

TEST_F(ChoicePages, SlotListsOfferTheirModes) {
    SetSlots({0, 1, 2, 3, 6});
    U& page = OpenPage<U>(IDD_REC_UNIQUE_CHOICE_DLG);
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(Text(page.Selector(k)), ModeName(k == 4 ? 6 : k)) << k;
    Click(page.Selector(0));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 6);
    EXPECT_EQ(frame->ListPopup()->GetWidth(), 180);
    EXPECT_EQ(Text(frame->ListPopup()->Item(3)), ModeName(3));
    EXPECT_EQ(Text(frame->ListPopup()->Item(4)), ModeName(5));
    EXPECT_EQ(Text(frame->ListPopup()->Item(5)), ModeName(6));
    Click(page.Selector(3));
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 5);
    EXPECT_EQ(Text(frame->ListPopup()->Item(4)), ModeName(6));
}

TEST_F(ChoicePages, ChoicesAreStoredAndAModeStaysInOneSlot) {
    const struct {
        std::string name;
        std::vector<int> held;
        int slot;
        int item;
        ByteMap changed;
    } cases[] = {
        {"mode 1 taken from slot 2", {0, 3, 1, 6, 6}, 0, 1, {{2652, 1}, {2654, 6}}},
        {"the fifth item of slot 0 is mode 5", {0, 1, 2, 3, 6}, 0, 4, {{2652, 5}}},
        {"the fifth item of slot 3 is none", {0, 1, 2, 3, 6}, 3, 4, {{2655, 6}}},
        {"none clears no other slot", {6, 6, 2, 3, 6}, 1, 4, {}},
        {"a mode received twice ends in one slot", {2, 0, 0, 6, 6}, 4, 0, {{2653, 6}, {2654, 6}, {2656, 0}}},
        {"the same mode again", {0, 1, 2, 3, 6}, 2, 2, {}},
        {"mode 5 in slot 0 freed by none", {5, 1, 2, 3, 6}, 0, 5, {{2652, 6}}},
    };
    for (const auto& c : cases) {
        SetSlots(c.held);
        U& page = OpenPage<U>(IDD_REC_UNIQUE_CHOICE_DLG);
        Choose(page.Selector(c.slot), c.item);
        EXPECT_EQ(Since(), c.changed) << c.name;
        for (const auto& [offset, value] : c.changed)
            EXPECT_EQ(Text(page.Selector(int(offset - 2652))), ModeName(value)) << c.name;
        Close();
    }
}

TEST_F(ChoicePages, ReceivedModesOutsideTheListsStillShow) {
    SetSlots({4, 9, 0, 0, 6});
    U& page = OpenPage<U>(IDD_REC_UNIQUE_CHOICE_DLG);
    EXPECT_EQ(Text(page.Selector(0)), ModeName(4));
    EXPECT_EQ(Text(page.Selector(1)), "9");
    // Results the lists never give change nothing.
    frame->OnListPopupResult(&page, 1, 5);
    frame->OnListPopupResult(&page, 5, 0);
    frame->OnListPopupResult(&page, 0, 0xFFFFFFFF);
    EXPECT_TRUE(Since().empty());
}

// ---- page 998

class PresetPage : public ChoicePages {
protected:
    void SetUp() override {
        for (int e = 0; e < 16; ++e) {
            for (int k = 0; k < 4; ++k) {
                db.preset_camera[e][k] = 0;
                db.preset_onoff[e][k] = 0;
                db.preset_number[e][k] = WORD(1 << 8); // 1, in network order
            }
        }
    }
    static std::size_t Camera(int e, int k) { return 6272 + std::size_t(4 * e + k); }
    static std::size_t OnOff(int e, int k) { return 6336 + std::size_t(4 * e + k); }
    static std::size_t Number(int e, int k) { return 6400 + std::size_t(8 * e + 2 * k); }
    void Commit(R& page, int slot, const std::string& text) {
        page.NumberEdit(slot).SetWindowText(text.c_str());
        page.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(R::IDC_NUMBER + UINT(slot)), EN_KILLFOCUS), 0);
        Flush();
    }
};

TEST_F(PresetPage, AChannelIsHeldByOneSlotOfAnEntry) {
    db.preset_camera[2][0] = 5;
    R& page = OpenPage<R>(IDD_REC_PRESET_DLG);
    EXPECT_EQ(page.GetEntry(), 0);
    Click(page.EntryButton(2));
    EXPECT_EQ(page.EntryButton(2).GetState(), kButtonOn);
    EXPECT_EQ(page.EntryButton(0).GetState(), kButtonNormal);
    EXPECT_EQ(Text(page.Selector(0)), "Channel 5");
    EXPECT_EQ(Text(page.Selector(1)), "Off");
    // Channel 5 is slot 0's: refused for slot 1, the selector keeps its text.
    Choose(page.Selector(1), 5);
    EXPECT_TRUE(Since().empty());
    EXPECT_EQ(Text(page.Selector(1)), "Off");
    Choose(page.Selector(1), 6);
    EXPECT_EQ(Since(), (ByteMap{{Camera(2, 1), 6}}));
    EXPECT_EQ(Text(page.Selector(1)), "Channel 6");
    // Two slots may both be none; slot 0 may give its channel up.
    Choose(page.Selector(0), 0);
    Choose(page.Selector(2), 0);
    EXPECT_EQ(Since(), (ByteMap{{Camera(2, 0), 0}, {Camera(2, 1), 6}}));
    // Entries are independent: channel 6 is free in entry 3.
    Click(page.EntryButton(3));
    Choose(page.Selector(2), 6);
    Choose(page.Selector(4 + 3), 1);
    EXPECT_EQ(Since(), (ByteMap{{Camera(2, 0), 0}, {Camera(2, 1), 6}, {Camera(3, 2), 6}, {OnOff(3, 3), 1}}));
    EXPECT_EQ(TextOf(page.Selector(7)), LoadResString(IDS_TOUR));
}

TEST_F(PresetPage, ListsFollowTheRecordersChannels) {
    recorder.SetChannels(4);
    R& page = OpenPage<R>(IDD_REC_PRESET_DLG);
    for (int e = 0; e < 16; ++e)
        EXPECT_EQ(page.EntryButton(e).IsWindowVisible() != FALSE, e < 4) << e;
    Click(page.Selector(3));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 5);
    EXPECT_EQ(frame->ListPopup()->GetWidth(), 150);
    EXPECT_EQ(Text(frame->ListPopup()->Item(0)), "Off");
    EXPECT_EQ(Text(frame->ListPopup()->Item(4)), "Channel 4");
    Click(page.Selector(5));
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 2);
    EXPECT_EQ(frame->ListPopup()->GetKind(), 5);
    // A channel the recorder does not have is refused.
    frame->OnListPopupResult(&page, 0, 5);
    EXPECT_TRUE(Since().empty());
}

TEST_F(PresetPage, NumbersAreKeptWithinOneTo999) {
    db.preset_number[0][3] = 0;
    R& page = OpenPage<R>(IDD_REC_PRESET_DLG);
    EXPECT_EQ(Text(page.NumberEdit(3)), "0");
    EXPECT_TRUE(Since().empty());
    const struct {
        std::string typed;
        int stored;
    } cases[] = {{"999", 999},   {"1000", 1},
                 {"", 1},        {"-5", 1},
                 {"0", 1},       {"66535", 999}, // a number keeps its low 16 bits
                 {"65536", 1},                   // low bits 0
                 {"66536", 1},                   // low bits 1000
                 {"65537", 1},                   // low bits 1
                 {"131113", 41}, {"99999999999999999999", 1},
                 {"42", 42}};
    for (const auto& c : cases) {
        Commit(page, 1, c.typed);
        EXPECT_EQ(db.preset_number[0][1], c.stored) << c.typed;
        EXPECT_EQ(Text(page.NumberEdit(1)), std::to_string(c.stored)) << c.typed;
    }
    Click(page.EntryButton(7));
    Commit(page, 0, "250");
    EXPECT_EQ(db.preset_number[7][0], 250);
    EXPECT_EQ(Since().count(Number(7, 0)), 1u);
    Click(page.EntryButton(0));
    EXPECT_EQ(Text(page.NumberEdit(1)), "42");
    page.SendMessage(WM_COMMAND, MAKEWPARAM(WORD(R::IDC_PREV), BN_CLICKED), 0);
    Flush();
    EXPECT_NE(dynamic_cast<CRecResRatePage*>(frame->PageById(IDD_REC_RES_RATE_PRESET_DLG)), nullptr);
}

// A number typed into an edit that still has the focus is stored all the same when the entry changes
// or the page goes; numbers only shown are not rewritten.
TEST_F(PresetPage, TypedNumbersAreNotLostWhenTheEditKeepsTheFocus) {
    db.preset_number[5][0] = 0;
    R& page = OpenPage<R>(IDD_REC_PRESET_DLG);
    page.NumberEdit(2).SetWindowText("");
    Type(page.NumberEdit(2), "77");
    Click(page.EntryButton(5));
    EXPECT_EQ(Since(), (ByteMap{{Number(0, 2), 77}}));
    EXPECT_EQ(Text(page.NumberEdit(0)), "0");
    page.NumberEdit(3).SetWindowText("");
    Type(page.NumberEdit(3), "321");
    frame->ShowPageById(IDD_REC_RES_RATE_PRESET_DLG);
    Flush();
    EXPECT_EQ(db.preset_number[5][3], 321);
    EXPECT_EQ(Since().size(), 3u);
}

} // namespace
