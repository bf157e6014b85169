// Rules and layouts of the setup pages and popups, without windows.

#include "protocol/InfoBlocks.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ResLibrary.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/AccountRules.h"
#include "setup/SetupRules.h"
#include "setup/SetupText.h"
#include "setup/VideoStandardChange.h"
#include "setupkit/SetupPopupLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool operator==(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Show(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

// ---- popups

TEST(PopupLayout, ListHeightsByLayout) {
    const struct {
        int count;
        bool four;
        int height;
    } cases[] = {{1, false, 21},  {31, false, 651}, {7, true, 42},  {8, true, 42}, {9, true, 63},
                 {31, true, 168}, {0, false, 0},    {32, false, 0}, {-3, true, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ListRowsHeight(c.count, c.four), c.height) << c.count << (c.four ? " in four columns" : "");
}

TEST(PopupLayout, FramePiecesSurroundTheRows) {
    const auto pieces = PopupFramePieces(140, 63);
    const RECT expected[9] = {{0, 0, 5, 5},      {5, 0, 135, 5}, {135, 0, 140, 5}, {0, 5, 5, 68},     {5, 5, 135, 68},
                              {135, 5, 140, 68}, {0, 68, 5, 73}, {5, 68, 135, 73}, {135, 68, 140, 73}};
    for (int k = 0; k < 9; ++k) {
        EXPECT_EQ(pieces[std::size_t(k)].bitmap, UINT(IDB_POPUP_FRAME_TOP_LEFT_CORNER + k));
        EXPECT_TRUE(pieces[std::size_t(k)].rect == expected[k]) << k << " " << Show(pieces[std::size_t(k)].rect);
        // Only the corners keep their size.
        EXPECT_EQ(pieces[std::size_t(k)].stretch, k != 0 && k != 2 && k != 6 && k != 8) << k;
    }
}

TEST(PopupLayout, OneColumnRowsAndLabels) {
    const PopupRowPieces row = ListRowPieces(2, 140, false);
    EXPECT_TRUE(row.left == (RECT{5, 47, 10, 68})) << Show(row.left);
    EXPECT_TRUE(row.middle == (RECT{10, 47, 129, 68})) << Show(row.middle);
    EXPECT_TRUE(row.right == (RECT{129, 47, 135, 68})) << Show(row.right);
    EXPECT_TRUE(ListItemLabelRect(2, 140, false) == (RECT{35, 51, 35 + 87, 65}))
        << Show(ListItemLabelRect(2, 140, false));
}

TEST(PopupLayout, FourColumnCellsAndLabels) {
    // Width 160: cells of (160 - 13) / 4 = 36 pixels; item 5 is column 1 of row 1.
    const PopupRowPieces row = ListRowPieces(5, 160, true);
    EXPECT_TRUE(row.left == (RECT{42, 26, 47, 47})) << Show(row.left);
    EXPECT_TRUE(row.middle == (RECT{47, 26, 72, 47})) << Show(row.middle);
    EXPECT_TRUE(row.right == (RECT{72, 26, 78, 47})) << Show(row.right);
    EXPECT_TRUE(ListItemLabelRect(5, 160, true) == (RECT{50, 30, 70, 44})) << Show(ListItemLabelRect(5, 160, true));
}

TEST(PopupLayout, PopupHangsBelowTheClickPointCentredOnIt) {
    const RECT anchor{300, 200, 455, 214};
    const POINT origin = PopupOrigin(anchor, 40, 6, 140);
    EXPECT_EQ(origin.x, 300 + 40 - 70 + 1);
    EXPECT_EQ(origin.y, 200 + 6 + 1);
}

TEST(PopupLayout, SliderRowsByMode) {
    EXPECT_TRUE(SliderTrackRect(1, 1) == (RECT{110, 31, 300, 40})) << Show(SliderTrackRect(1, 1));
    EXPECT_TRUE(SliderTrackRect(0, 0) == (RECT{20, 10, 210, 19})) << Show(SliderTrackRect(0, 0));
    EXPECT_TRUE(SliderValueLabelRect(1, 1) == (RECT{313, 30, 345, 44})) << Show(SliderValueLabelRect(1, 1));
    EXPECT_TRUE(SliderValueLabelRect(0, 0) == (RECT{218, 9, 255, 23})) << Show(SliderValueLabelRect(0, 0));
    const PopupRowPieces name = SliderNameSegment(1);
    EXPECT_TRUE(name.middle == (RECT{10, 26, 65, 47})) << Show(name.middle);
    const PopupRowPieces track = SliderTrackSegment(1, 360);
    EXPECT_TRUE(track.left == (RECT{73, 26, 78, 47})) << Show(track.left);
    EXPECT_TRUE(track.right == (RECT{349, 26, 355, 47})) << Show(track.right);
}

// ---- rows ticked together

TEST(SetupRows, AnEditReachesTheTickedRowsOnlyFromATickedRow) {
    std::array<bool, kSetupRows> ticked{};
    ticked[0] = ticked[2] = ticked[6] = true;
    EXPECT_EQ(RowsReachedBy(2, ticked, 16), (std::vector<int>{2, 0, 6}));
    // Row 3 is not ticked: it changes alone.
    EXPECT_EQ(RowsReachedBy(3, ticked, 16), (std::vector<int>{3}));
    // Rows beyond the count are never reached.
    EXPECT_EQ(RowsReachedBy(0, ticked, 4), (std::vector<int>{0, 2}));
}

// ---- versions, durations

TEST(SetupRules, OsdExtendedFromVersion44) {
    const struct {
        BYTE major, minor;
        bool extended;
    } cases[] = {{4, 3, false}, {4, 4, true}, {5, 0, true}, {3, 9, false}, {0, 0, false}, {4, 255, true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsExtendedOsdVersion(c.major, c.minor), c.extended) << int(c.major) << "." << int(c.minor);
}

TEST(SetupRules, EventDurationsByIndex) {
    const DWORD values[] = {5, 10, 30, 60, 90, 120, 150, 180, 210, 240};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(EventDurationOfIndex(i), values[i]) << i;
    EXPECT_EQ(EventDurationOfIndex(-1), 5u);
    EXPECT_EQ(EventDurationOfIndex(10), 5u);
}

// ---- text slots

TEST(SetupText, SlotsAreReadBoundedAndWrittenWithTheirTerminator) {
    char slot[8];
    std::memcpy(slot, "ABCDEFGH", 8); // no terminator
    EXPECT_EQ(SlotText(slot, sizeof slot), "ABCDEFGH");
    WriteSlotText(slot, sizeof slot, "0123456789");
    EXPECT_EQ(std::string(slot), "0123456");
    // A shorter text keeps the bytes after its terminator.
    WriteSlotText(slot, sizeof slot, "xy");
    EXPECT_EQ(std::string(slot, 8), std::string("xy\0"
                                                "3456\0",
                                                8));
}

TEST(SetupText, OutOfRangeValuesShowTheirNumber) {
    const std::vector<CString> items = {"Off", "On"};
    EXPECT_EQ(ItemOrNumber(items, 1), "On");
    EXPECT_EQ(ItemOrNumber(items, 7), "7");
    EXPECT_EQ(ItemOrNumber(items, -1), "-1");
    EXPECT_EQ(ItemOrNumber({}, 42, true), "42");
    EXPECT_EQ(ItemOrNumber({}, 4, true), "04");
}

// ---- video standard

TEST(VideoStandard, SingleRateByResolutionClassAndChannels) {
    // channels, class, NTSC, PAL
    const int cases[][4] = {{4, 0, 7, 6},   {4, 1, 15, 12}, {4, 5, 30, 25}, {8, 0, 3, 3},  {8, 1, 7, 6},
                            {8, 2, 15, 12}, {16, 0, 1, 1},  {16, 1, 3, 3},  {16, 9, 7, 6}, {5, 0, 3, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(SingleRecordRate(kStandardNtsc, c[1], c[0]), c[2]) << c[0] << " channels, class " << c[1];
        EXPECT_EQ(SingleRecordRate(kStandardPal, c[1], c[0]), c[3]) << c[0] << " channels, class " << c[1];
    }
}

TEST(VideoStandard, DefaultRatesSpreadTheBudget) {
    const struct {
        int standard;
        int channels;
        std::vector<int> rates;
    } cases[] = {
        {kStandardNtsc, 4, {8, 8, 7, 7}},
        {kStandardPal, 4, {7, 6, 6, 6}},
        {kStandardNtsc, 8, {4, 4, 4, 4, 4, 4, 3, 3}},
        {kStandardPal, 8, {4, 3, 3, 3, 3, 3, 3, 3}},
        {kStandardNtsc, 16, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1}},
        {kStandardPal, 16, {2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1}},
    };
    for (const auto& c : cases) {
        BYTE rates[16] = {};
        ASSERT_TRUE(DefaultChannelRates(c.standard, c.channels, rates));
        EXPECT_EQ(std::vector<int>(rates, rates + c.channels), c.rates) << c.channels;
    }
    BYTE rates[16] = {};
    EXPECT_FALSE(DefaultChannelRates(kStandardPal, 6, rates));
}

class VideoStandardChange : public ::testing::Test {
protected:
    void SetUp() override {
        auto* bytes = reinterpret_cast<BYTE*>(&db);
        for (std::size_t i = 0; i < sizeof db; ++i)
            bytes[i] = BYTE(0xA0 + i % 7);
        db.video_standard = kStandardNtsc;
        original = db;
    }
    std::vector<std::size_t> ChangedOffsets() const {
        std::vector<std::size_t> out;
        for (std::size_t i = 0; i < sizeof db; ++i) {
            if (reinterpret_cast<const BYTE*>(&db)[i] != reinterpret_cast<const BYTE*>(&original)[i])
                out.push_back(i);
        }
        return out;
    }
    SetupDatabase db;
    SetupDatabase original;
};

TEST_F(VideoStandardChange, EightChannelsToPalRewriteRatesAndResolutionsOfTheirChannelsOnly) {
    db.rec_resolution_class = 1;
    original = db;
    ASSERT_TRUE(ApplyVideoStandard(db, kStandardPal, 8));
    EXPECT_EQ(db.video_standard, kStandardPal);
    EXPECT_EQ(db.rec_single_rate, 6);
    const BYTE expected[8] = {4, 3, 3, 3, 3, 3, 3, 3};
    const BYTE* rates[] = {db.mode_a_rate, db.mode_b_rate, db.mode_c_rate, db.mode_d_rate, db.mode_e_rate};
    for (const BYTE* r : rates)
        EXPECT_EQ(std::vector<BYTE>(r, r + 8), std::vector<BYTE>(expected, expected + 8));
    const BYTE* resolutions[] = {db.mode_a_resolution, db.mode_b_resolution, db.mode_c_resolution,
                                 db.mode_d_resolution, db.mode_e_resolution, db.mode_f_resolution};
    for (const BYTE* r : resolutions)
        EXPECT_EQ(std::vector<BYTE>(r, r + 8), std::vector<BYTE>(8, 0));
    // Exactly the standard, the single rate, and channels 1-8 of five rate and six resolution arrays.
    std::vector<std::size_t> expectedOffsets = {2, 647};
    for (std::size_t base : {656u, 688u, 720u, 2352u, 2552u, 4044u, 4060u, 4076u, 4092u, 4108u, 4124u})
        for (std::size_t k = 0; k < 8; ++k)
            expectedOffsets.push_back(base + k);
    std::sort(expectedOffsets.begin(), expectedOffsets.end());
    EXPECT_EQ(ChangedOffsets(), expectedOffsets);
}

TEST_F(VideoStandardChange, TheSameStandardOrAnUnknownOneWritesNothing) {
    EXPECT_FALSE(ApplyVideoStandard(db, kStandardNtsc, 16));
    EXPECT_FALSE(ApplyVideoStandard(db, 2, 16));
    EXPECT_TRUE(ChangedOffsets().empty());
}

TEST_F(VideoStandardChange, FourChannelsCifToNtscGiveThirty) {
    db.video_standard = kStandardPal;
    db.rec_resolution_class = 5;
    ASSERT_TRUE(ApplyVideoStandard(db, kStandardNtsc, 4));
    EXPECT_EQ(db.rec_single_rate, 30);
    EXPECT_EQ(std::vector<BYTE>(db.mode_a_rate, db.mode_a_rate + 5), (std::vector<BYTE>{8, 8, 7, 7, 0xA0 + 660 % 7}));
}

// ---- accounts

TEST(AccountRules, AccountsOfferedByTheLoggedInAccount) {
    const struct {
        int loggedIn, first, count;
    } cases[] = {{0, 0, 6}, {1, 1, 5}, {2, 0, 0}, {5, 0, 0}, {7, 0, 0}, {-1, 0, 0}};
    for (const auto& c : cases) {
        const AccountRange r = AccountsOfferedTo(c.loggedIn);
        EXPECT_EQ(r.first, c.first) << c.loggedIn;
        EXPECT_EQ(r.count, c.count) << c.loggedIn;
    }
}

TEST(AccountRules, AddNeedsThreeTextsAMatchingConfirmationAndNotTheDefaultPassword) {
    const struct {
        const char *name, *password, *confirm;
        bool allowed;
    } cases[] = {{"anna", "1234", "1234", true},  {"", "1234", "1234", false},     {"anna", "", "", false},
                 {"anna", "1234", "1235", false}, {"anna", "9836", "9836", false}, {"anna", "12345", "1234", false}};
    for (const auto& c : cases)
        EXPECT_EQ(AddAllowed(c.name, c.password, c.confirm), c.allowed)
            << c.name << "/" << c.password << "/" << c.confirm;
}

TEST(AccountRules, ClashesIgnoreCaseAndTheSelectedAccount) {
    AccountRightsTable t{};
    std::strcpy(t.user_name[2], "Anna");
    std::strcpy(t.password[5], "4711");
    std::memcpy(t.user_name[3], "0123456789012345678901234567890X", 32); // no terminator
    EXPECT_EQ(FindAccountClash(t, 4, "aNNA", "1000"), AccountClash::Name);
    EXPECT_EQ(FindAccountClash(t, 2, "aNNA", "1000"), AccountClash::None);
    EXPECT_EQ(FindAccountClash(t, 4, "bert", "4711"), AccountClash::Password);
    EXPECT_EQ(FindAccountClash(t, 5, "bert", "4711"), AccountClash::None);
    // The name is checked before the password.
    EXPECT_EQ(FindAccountClash(t, 0, "anna", "4711"), AccountClash::Name);
    // Accounts 6 and 7 are not among the six.
    std::strcpy(t.user_name[6], "carl");
    EXPECT_EQ(FindAccountClash(t, 0, "CARL", "1000"), AccountClash::None);
    EXPECT_EQ(FindAccountClash(t, 0, "0123456789012345678901234567890X", "1000"), AccountClash::Name);
}

// ---- languages (known names shown by their resource text)

class Languages : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        const char* bin = std::getenv("KELO_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        ASSERT_TRUE(s_library.LoadFrom(std::string(bin) + "/" + CResLibrary::kFileName));
        CResLibrary::SetCurrent(&s_library);
    }
    static void TearDownTestSuite() {
        CResLibrary::SetCurrent(nullptr);
        s_library.Free();
    }
    static CResLibrary s_library;
    SysEtcInfo codes{};
    SysEtcInfoEx names{};
};
CResLibrary Languages::s_library;

TEST_F(Languages, RecorderNamesAreMatchedWithoutCaseAndOthersShownAsWritten) {
    std::strcpy(names.language_name[0], "eNGLISH");
    std::strcpy(names.language_name[2], "GERMAN");
    std::strcpy(names.language_name[3], "Klingon");
    std::memcpy(names.language_name[5], "ABCDEFGHIJKLMNOP", 16); // fills its slot
    const LanguageSource source{&codes, &names};
    EXPECT_EQ(LanguageText(source, 0), LoadResString(IDS_ENGLISH));
    EXPECT_EQ(LanguageText(source, 2), LoadResString(IDS_GERMAN));
    EXPECT_EQ(LanguageText(source, 3), "Klingon");
    EXPECT_EQ(LanguageText(source, 1), "");
    EXPECT_EQ(LanguageText(source, 5), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(LanguageText(source, 64), "");
    // Empty slots are left out; each item keeps its own slot.
    const auto choices = LanguageChoices(source, 31);
    ASSERT_EQ(choices.size(), 4u);
    EXPECT_EQ(choices[1].slot, 2);
    EXPECT_EQ(choices[2].text, "Klingon");
    EXPECT_EQ(choices[2].slot, 3);
    EXPECT_EQ(choices[3].slot, 5);
}

TEST_F(Languages, CodesGiveBuiltInNamesAndTheListStopsAt31) {
    for (int i = 0; i < 64; ++i)
        codes.language_code[i] = BYTE(i % 15); // 0 none, 14 without a name
    const LanguageSource source{&codes, nullptr};
    EXPECT_EQ(LanguageText(source, 1), "English");
    EXPECT_EQ(LanguageText(source, 2), "Chinese");
    EXPECT_EQ(LanguageText(source, 13), "Japanese");
    EXPECT_EQ(LanguageText(source, 14), "");
    const auto choices = LanguageChoices(source, 31);
    ASSERT_EQ(choices.size(), 31u);
    EXPECT_EQ(choices[0].slot, 1);
    EXPECT_EQ(choices[13].slot, 16); // 0, 14 and 15 were left out
}

} // namespace
