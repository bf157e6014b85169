// The remote setup as the operator uses it against the simulator: values edited on several pages
// through their own buttons, selectors, popups and edits, the frame's OK, and the record the
// recorder then holds compared byte for byte with the one it sent; the daylight-saving question
// on the frame's OK, Cancel and Close.
#include "controls/BitmapSlider.h"
#include "protocol/SetupDatabase.h"
#include "setup/CameraCovertDlg.h"
#include "setup/DstConfirmDlg.h"
#include "setup/EmailSetupDlg.h"
#include "setup/PtzSetupDlg.h"
#include "setup/RecPresetDlg.h"
#include "setup/RecResRatePage.h"
#include "setup/SetupDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupMenuDlg.h"
#include "setup/SetupPageFactory.h"
#include "setup/SetupSliderPopupDlg.h"
#include "setup/SysGeneralDlg.h"
#include "setup/TimeServerDlg.h"
#include "setup/TimeSetupDlg.h"
#include "tests/app/WiredFixture.h"

#include <zlib.h>

#include <regex>

#include <cstddef>
#include <fstream>
#include <map>

using namespace wiredtest;

namespace {

using ByteMap = std::map<std::size_t, int>;

// Today on the recorder: 2026-12-10 10:00:00.
const DWORD kToday = Utc(2026, 11, 9, 10); // month and day counted from 0

// The menu buttons used here, by the pages they open.
constexpr UINT kCovertButton = CSetupMenuDlg::kFirstButton + 1;       // Display: page 156
constexpr UINT kPresetRecordButton = CSetupMenuDlg::kFirstButton + 2; // Rec: page 164
constexpr UINT kGeneralButton = CSetupMenuDlg::kFirstButton;          // System: page 172
constexpr UINT kPtzButton = CSetupMenuDlg::kFirstButton + 4;          // System: page 180
constexpr UINT kTimeButton = CSetupMenuDlg::kFirstButton + 6;         // System: page 183
constexpr UINT kTimeServerButton = CSetupMenuDlg::kFirstButton + 7;   // System: page 982
constexpr UINT kEmailButton = CSetupMenuDlg::kFirstButton;            // Event: page 185

class SetupUpload : public WiredFixture {
protected:
    void SetUp() override {
        WiredFixture::SetUp();
        m_saved = m_env.Root() / "recorder-setup.bin";
    }

    // The simulator at this clock, saving every record it accepts; the main window logged in.
    void ConnectAt(DWORD clock) {
        ConnectWith({"--resolution", "cif", "--loop-seconds", "1", "--channels", "16", "--days", "1", "--clock",
                     std::to_string(clock), "--save-setup", m_saved.string()});
    }

    // RSetup, the operator's steps in the open frame, then the frame's button `end`.
    void RunSetup(const std::function<void(CSetupDlg&)>& steps, UINT end) {
        ModalScript script;
        script.Expect<CSetupDlg>(
            [&](CSetupDlg& frame) {
                steps(frame);
                Press(frame, end);
            },
            60000);
        Click(IDC_RSETUP);
        ASSERT_TRUE(WaitUntil([&] { return script.Done() && FindModal<CSetupDlg>() == nullptr; }, 60000));
    }

    // The last upload the simulator accepted: its CRC word and its record; empty when none.
    std::vector<BYTE> Saved() const { return AppTestEnv::ReadBytes(m_saved); }
    bool WaitForUpload(int count) {
        return WaitUntil([&] { return CountInLog("sim: send DB_UPDATE_ACK") >= count; }, 30000);
    }

    // The record of an upload, after checking that the CRC in front of it is the record's.
    static std::vector<BYTE> RecordOf(const std::vector<BYTE>& upload) {
        EXPECT_EQ(upload.size(), 4 + sizeof(SetupDatabase));
        if (upload.size() != 4 + sizeof(SetupDatabase))
            return {};
        const uLong crc = crc32(crc32(0L, Z_NULL, 0), upload.data() + 4, uInt(sizeof(SetupDatabase)));
        const DWORD sent = DWORD(upload[0]) << 24 | DWORD(upload[1]) << 16 | DWORD(upload[2]) << 8 | upload[3];
        EXPECT_EQ(sent, DWORD(crc)) << "the CRC-32 in front of the record";
        return std::vector<BYTE>(upload.begin() + 4, upload.end());
    }
    static ByteMap Differences(const std::vector<BYTE>& before, const std::vector<BYTE>& after) {
        ByteMap changed;
        for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
            if (before[i] != after[i])
                changed[i] = after[i];
        }
        return changed;
    }

    template <class Page>
    static Page& PageOf(CSetupDlg& frame, UINT id) {
        WaitUntil([&] { return frame.PageById(id) != nullptr; });
        auto* page = dynamic_cast<Page*>(frame.PageById(id));
        EXPECT_NE(page, nullptr) << id;
        return *page;
    }
    // The menu button of a tab, pressed as the operator does.
    static void Menu(CSetupDlg& frame, int tab, UINT button) {
        Press(frame, CSetupDlg::IDC_TAB_DISPLAY + UINT(tab));
        ASSERT_TRUE(WaitUntil([&] { return frame.Panel(tab) != nullptr; }));
        Press(*frame.Panel(tab), button);
    }
    // A click on a selector, then on item `index` of the list it opens.
    static void Choose(CSetupDlg& frame, CSkinLabel& selector, int index) {
        MouseClick(selector);
        ASSERT_TRUE(WaitUntil([&] { return frame.ListPopup() != nullptr; }));
        CSetupListPopupDlg* popup = frame.ListPopup();
        ASSERT_LT(index, popup->ItemCount());
        MouseClick(popup->Item(index));
        ASSERT_TRUE(WaitUntil([&] { return frame.ListPopup() == nullptr; })) << "the choice closes the list";
    }

    static std::string TextOf(const CWnd& wnd) {
        CString text;
        wnd.GetWindowText(text);
        return text.Str();
    }

    fs::path m_saved;
};

TEST_F(SetupUpload, EditsOnSeveralPagesReachTheRecorderAsExactlyTheEditedBytes) {
    ConnectAt(kToday);
    AnswerBoxes();
    // An unedited OK first: what the recorder then holds is what it sends the next time.
    RunSetup([](CSetupDlg&) {}, IDOK);
    ASSERT_TRUE(WaitForUpload(1));
    const std::vector<BYTE> sent = RecordOf(Saved());
    ASSERT_EQ(sent.size(), sizeof(SetupDatabase));
    ASSERT_EQ(sent[72 + 2], 0) << "covert channel 3 starts visible";
    ASSERT_EQ(sent[4141], 0) << "time-server synchronisation starts off";
    ASSERT_EQ(sent[3124 + 1], 1) << "channel 2's PTZ protocol starts as code 1";

    RunSetup(
        [](CSetupDlg& frame) {
            // Display / covert: channel 3 hidden.
            Menu(frame, CSetupDlg::kTabDisplay, kCovertButton);
            MouseClick(PageOf<CCameraCovertDlg>(frame, 156).RowOn(2));
            // System / general: the date format "day first".
            Menu(frame, CSetupDlg::kTabSystem, kGeneralButton);
            Choose(frame, PageOf<CSysGeneralDlg>(frame, 172).Selector(CSysGeneralDlg::IDC_DATE_FORMAT), 2);
            // System / PTZ: channel 2's protocol, the fourth the recorder names (code 3).
            Menu(frame, CSetupDlg::kTabSystem, kPtzButton);
            auto& ptz = PageOf<CPtzSetupDlg>(frame, 180);
            Press(ptz, CPtzSetupDlg::IDC_COLUMN + 1);
            Choose(frame, ptz.RowValue(1), 3);
            // System / time server: synchronisation on.
            Menu(frame, CSetupDlg::kTabSystem, kTimeServerButton);
            CSkinLabel& sync = PageOf<CTimeServerDlg>(frame, 982).Label(CTimeServerDlg::IDC_SYNC);
            EXPECT_EQ(TextOf(sync), "Off");
            MouseClick(sync);
            ASSERT_TRUE(WaitUntil([&] { return frame.ListPopup() != nullptr; }));
            ASSERT_EQ(frame.ListPopup()->ItemCount(), 2);
            EXPECT_EQ(TextOf(frame.ListPopup()->Item(0)), "Off");
            EXPECT_EQ(TextOf(frame.ListPopup()->Item(1)), "On");
            MouseClick(frame.ListPopup()->Item(1));
            EXPECT_EQ(TextOf(sync), "On");
            // Rec / preset: entry 1's first number, typed as 66535: its low 16 bits, 999, a 16-bit field.
            Menu(frame, CSetupDlg::kTabRec, kPresetRecordButton);
            Press(PageOf<CRecResRatePage>(frame, 164), CRecResRatePage::IDC_SUBPAGE);
            auto& preset = PageOf<CRecPresetDlg>(frame, 998);
            preset.NumberEdit(0).SetWindowText("");
            for (char c : std::string("66535"))
                preset.NumberEdit(0).SendMessage(WM_CHAR, WPARAM(c), 1);
        },
        IDOK);
    ASSERT_TRUE(WaitForUpload(2));
    const std::vector<BYTE> received = RecordOf(Saved());
    EXPECT_EQ(Differences(sent, received), (ByteMap{{72 + 2, 1},   // covert channel 3
                                                    {2661, 2},     // date format
                                                    {3124 + 1, 3}, // PTZ protocol of channel 2
                                                    {4141, 1},     // time-server synchronisation
                                                    {6400, 0x03},  // preset number 999, big-endian
                                                    {6401, 0xE7}}));
}

// What the recorder sends for the e-mail page is what each caption names: the three users' addresses
// and the mail server's name.
TEST_F(SetupUpload, TheEmailPageShowsEachFieldUnderItsCaption) {
    ConnectAt(kToday);
    AnswerBoxes();
    std::vector<std::pair<std::string, std::string>> rows; // caption, text
    RunSetup(
        [&](CSetupDlg& frame) {
            Menu(frame, CSetupDlg::kTabEvent, kEmailButton);
            auto& page = PageOf<CEmailSetupDlg>(frame, 185);
            for (int r = 0; r < 4; ++r) {
                rows.emplace_back(TextOf(page.Label(CEmailSetupDlg::IDC_FIRST_LABEL + UINT(r))), TextOf(page.Edit(r)));
            }
        },
        IDCANCEL);
    ASSERT_EQ(rows.size(), 4u);
    const std::regex address(R"([a-z0-9._-]+@[a-z0-9-]+(\.[a-z0-9-]+)+)");
    const std::regex host(R"([a-z0-9-]+(\.[a-z0-9-]+)+)");
    for (int r = 0; r < 3; ++r) {
        EXPECT_EQ(rows[std::size_t(r)].first, "User " + std::to_string(r + 1));
        EXPECT_TRUE(std::regex_match(rows[std::size_t(r)].second, address)) << rows[std::size_t(r)].second;
    }
    EXPECT_EQ(rows[3].first, "Mail Server");
    EXPECT_TRUE(std::regex_match(rows[3].second, host)) << rows[3].second;
}

// The daylight-saving question comes up only when the record is going to be sent.
TEST_F(SetupUpload, TheDaylightSavingQuestionComesWithOkOnly) {
    // Daylight saving ends today at 10:30 by the operator's own rule, with a one-hour offset: the
    // recorder's clock (10:00) lies in the last hour of it.
    const auto editRule = [](CSetupDlg& frame) {
        Menu(frame, CSetupDlg::kTabSystem, kTimeButton);
        auto& page = PageOf<CTimeSetupDlg>(frame, 183);
        Choose(frame, page.Label(CTimeSetupDlg::IDC_MODE), 1);
        MouseClick(page.ByDateButton());
        Choose(frame, page.Label(CTimeSetupDlg::IDC_END_MONTH), 11);
        Choose(frame, page.Label(CTimeSetupDlg::IDC_END_WEEK), 9);
        MouseClick(page.Label(CTimeSetupDlg::IDC_END_TIME));
        ASSERT_TRUE(WaitUntil([&] { return frame.SliderPopup() != nullptr; }));
        CSetupSliderPopupDlg* clock = frame.SliderPopup();
        for (const auto& [slider, value] : {std::pair{0, 10}, std::pair{1, 30}}) {
            clock->Slider(slider).SetPos(value);
            clock->SendMessage(WM_SLIDER_MOVE, WPARAM(CSetupSliderPopupDlg::kFirstSlider + UINT(slider)),
                               LPARAM(value));
        }
        page.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(200, 300)); // a click beside closes it
        page.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(200, 300));
        ASSERT_TRUE(WaitUntil([&] { return frame.SliderPopup() == nullptr; }));
    };
    ConnectAt(kToday);
    AnswerBoxes();
    const struct {
        const char* name;
        UINT end;
        UINT answer;
        bool asked;
        int uploads;
        int stored; // byte 3220 of the upload
    } cases[] = {{"Cancel", IDCANCEL, IDOK, false, 0, 0},
                 {"Close", CSetupDlg::IDC_CLOSE, IDOK, false, 0, 0},
                 {"OK, answered OK", IDOK, IDOK, true, 1, 1},
                 {"OK, answered Cancel", IDOK, IDCANCEL, true, 2, 0}};
    for (const auto& c : cases) {
        bool asked = false;
        ModalScript question;
        question.Expect<CDstConfirmDlg>(
            [&](CDstConfirmDlg& box) {
                asked = true;
                box.EndDialog(int(c.answer));
            },
            60000);
        RunSetup(
            [&](CSetupDlg& frame) {
                editRule(frame);
                // The recorder's clock has reached the page before the operator ends.
                auto& page = PageOf<CTimeSetupDlg>(frame, 183);
                ASSERT_TRUE(WaitUntil([&] { return page.ClockNow() >= kToday && page.ClockNow() < kToday + 600; }));
            },
            c.end);
        EXPECT_EQ(asked, c.asked) << c.name;
        EXPECT_TRUE(WaitUntil([&] { return CountInLog("sim: send DB_UPDATE_ACK") >= c.uploads; }, 30000)) << c.name;
        EXPECT_EQ(CountInLog("sim: recv DB_UPDATE_REQ"), c.uploads) << c.name;
        if (c.uploads > 0) {
            const std::vector<BYTE> record = RecordOf(Saved());
            ASSERT_EQ(record.size(), sizeof(SetupDatabase)) << c.name;
            EXPECT_EQ(record[3204], 1) << c.name;                       // the operator's rule
            EXPECT_EQ(record[3205], 1) << c.name;                       // given by date
            EXPECT_EQ(record[3212], 11) << c.name;                      // December
            EXPECT_EQ(record[3215], 9) << c.name;                       // the 10th
            EXPECT_EQ(record[3216] * 60 + record[3217], 630) << c.name; // 10:30
            EXPECT_EQ(record[3220], c.stored) << c.name;
        }
    }
}

} // namespace
