// The time and daylight-saving page (rule edits, the recorder's clock, the end-of-DST question) and
// the time-server page (NTP settings, city list, the preview clock from a local time server).

#include "SetupTestSupport.h"

#include "platform/base/Clock.h"
#include "platform/window/WndHost.h"
#include "protocol/ClientMessages.h"
#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/DstCalendar.h"
#include "setup/DstConfirmDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupSliderPopupDlg.h"
#include "setup/SysDaysDlg.h"
#include "setup/TimeServerDlg.h"
#include "setup/TimeSetupDlg.h"
#include "tests/protocol/ClientRig.h"
#include "tests/setup/LocalTimeServer.h"

#include <QApplication>
#include <QTimer>

#include <ctime>

using namespace setuptest;

namespace {

using Bytes = std::map<std::size_t, int>;
using T = CTimeSetupDlg;

// The record's rule bytes in order: mode, style, start month/week/weekday/day-1/hour/minute, end
// month/week/weekday/day-1/hour/minute, offset hours/minutes, answer.
using Rule = std::array<BYTE, 17>;

// Answers the first daylight-saving question that opens, with OK or Cancel.
class QuestionAnswerer {
public:
    explicit QuestionAnswerer(UINT answer) {
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* host = dynamic_cast<CWndHost*>(widget);
                auto* question = host != nullptr ? dynamic_cast<CDstConfirmDlg*>(host->Object()) : nullptr;
                if (question == nullptr || !question->IsInModalLoop()) {
                    continue;
                }
                m_timer.stop();
                asked = true;
                shown = TextOf(question->Question());
                Click(*question->GetDlgItem(int(answer)));
                return;
            }
        });
        m_timer.start(10);
    }
    bool asked = false;
    CString shown;

private:
    QTimer m_timer;
};

class TimePage : public FrameFixture {
protected:
    T& OpenTime(const Rule& rule, int year = 2026) {
        std::memcpy(db.dst, rule.data(), rule.size());
        Open();
        frame->ShowTab(CSetupDlg::kTabSystem);
        Flush();
        auto& page = Show<T>(IDD_TIME_SETUP_DLG);
        page.SetCalendarYear(year);
        page.SetPcZoneOffset(0);
        before = db;
        return page;
    }
};

// Mode 1 by week: last Sunday of March 02:00 to last Sunday of September 03:00, one hour.
constexpr Rule kByWeek = {1, 0, 2, 4, 0, 0, 2, 0, 8, 4, 0, 0, 3, 0, 1, 0, 9};
// Mode 1 by date: 31 January 01:00 to 21 October 03:00, one hour.
constexpr Rule kByDate = {1, 1, 0, 0, 0, 30, 1, 0, 9, 0, 0, 20, 3, 0, 1, 0, 9};

TEST_F(TimePage, RecorderClockIsTakenWithinItsBounds) {
    const struct {
        DWORD clock;
        LONG offset;
        std::optional<LONGLONG> taken;
    } cases[] = {
        {0, 32400, std::nullopt},            // no clock
        {100, 32400, 32400},                 // east of UTC: raised to the offset
        {1691011200, 32400, 1691011200},     // as it is
        {2114380801u, 0, 2114380800},        // past 2037: held there
        {2147483647u, 0, 2114380800},        // ...
        {2147483648u, 32400, 32400},         // negative as a signed number: raised
        {2147483648u, -18000, std::nullopt}, // west: raised to before 1970, not taken
        {4294967295u, -18000, 2114380800},   // -1 is above the west offset: held to 2037
        {5, -18000, 5},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(T::AdjustRecorderClock(c.clock, c.offset), c.taken) << c.clock << " at " << c.offset;
    }
}

TEST_F(TimePage, OpeningAsksTheRecorderForItsClockAndTakesTheAnswer) {
    rig::ClientRig rig;
    Open();
    host.client = rig.client.get();
    auto& page = Show<T>(IDD_TIME_SETUP_DLG);
    const ScriptedRecorder::Received request = rig.Next();
    ASSERT_TRUE(request.ok);
    EXPECT_EQ(request.id, unsigned(Msg::DVR_TIME_REQ));
    EXPECT_TRUE(request.payload.empty());
    // The page is the window the recorder's clock is posted to while it is open.
    ASSERT_FALSE(host.registered.empty());
    EXPECT_EQ(host.registered.back(), std::make_pair(ClientWindow::SetupPage, page.GetSafeHwnd()));
    // Until an answer comes the clock is the PC's.
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const LONGLONG pc = WallClockSeconds(now.wYear, now.wMonth - 1, now.wDay, now.wHour, now.wMinute, now.wSecond);
    EXPECT_NEAR(double(page.ClockNow()), double(pc), 5.0);
    page.SetPcZoneOffset(0);
    ::PostMessage(page.GetSafeHwnd(), WM_KELO_DVR_TIME, 1691011200, 0);
    Flush();
    EXPECT_NEAR(double(page.ClockNow()), 1691011200.0, 5.0);
    ::PostMessage(page.GetSafeHwnd(), WM_KELO_DVR_TIME, 0, 0); // no clock: unchanged
    Flush();
    EXPECT_NEAR(double(page.ClockNow()), 1691011200.0, 5.0);
    frame->ShowPageById(IDD_SYS_DAYS_DLG);
    Flush();
    EXPECT_EQ(host.registered.back(), std::make_pair(ClientWindow::SetupPage, HWND(nullptr)));
    Close(); // before the connection goes
    host.client = nullptr;
}

// A recorder that answers at once finds the page registered: the clock request goes out only after.
TEST_F(TimePage, ThePageIsRegisteredBeforeItAsksForTheClock) {
    rig::ClientRig rig;
    Open();
    host.client = rig.client.get();
    bool askedBeforeRegistered = false;
    host.onRegister = [&](ClientWindow which, HWND hwnd) {
        // A request sent before this point already lies in the recorder's socket.
        if (which == ClientWindow::SetupPage && hwnd != nullptr && rig.recorder.Read(100).ok) {
            askedBeforeRegistered = true;
        }
    };
    Show<T>(IDD_TIME_SETUP_DLG);
    host.onRegister = nullptr;
    EXPECT_FALSE(askedBeforeRegistered);
    EXPECT_EQ(rig.Next().id, unsigned(Msg::DVR_TIME_REQ));
    Close(); // before the connection goes
    host.client = nullptr;
}

TEST_F(TimePage, ModeListShowsTheRuleOnlyForTheUsersOwnRule) {
    auto& page = OpenTime(kByDate);
    EXPECT_TRUE(page.Label(T::IDC_START_MONTH).IsWindowVisible());
    EXPECT_FALSE(page.Label(T::IDC_START_WEEKDAY).IsWindowVisible()); // by date
    Click(page.Label(T::IDC_MODE));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->ItemCount(), 30);
    EXPECT_EQ(popup->GetWidth(), 700);
    EXPECT_TRUE(popup->IsFourColumns());
    EXPECT_EQ(TextOf(popup->Item(0)), LoadResString(IDS_OFF));
    EXPECT_EQ(TextOf(popup->Item(2)), LoadResString(IDS_RULE_1));
    Click(popup->Item(0));
    EXPECT_EQ(Changed(), (Bytes{{3204, 0}}));
    for (UINT id = T::IDC_START_MONTH; id <= T::IDC_OFFSET; ++id) {
        EXPECT_FALSE(page.Label(id).IsWindowVisible()) << id;
    }
    EXPECT_FALSE(page.ByWeekButton().IsWindowVisible());
    page.OnListResult(T::kKindMode, 5); // a recorder rule
    EXPECT_EQ(db.dst[0], 5);
    EXPECT_FALSE(page.Label(T::IDC_START_MONTH).IsWindowVisible());
    page.OnListResult(T::kKindMode, 1); // back to the user's rule, in its stored style (by date)
    EXPECT_EQ(db.dst[0], 1);
    EXPECT_TRUE(page.Label(T::IDC_START_MONTH).IsWindowVisible());
    EXPECT_FALSE(page.IsRuleByWeek());
    EXPECT_EQ(page.ByDateButton().GetState(), kButtonOn);
    EXPECT_EQ(Text(page.Label(T::IDC_START_WEEK)), "31");
}

TEST_F(TimePage, RuleEditsKeepWeekAndDateConsistent) {
    struct Case {
        const char* name;
        Rule rule;
        int kind;
        int index;
        std::map<std::size_t, int> after; // rule byte -> value
        const char* shown;                // the selector of the kind afterwards
    };
    const Case cases[] = {
        {"by week: the last Sunday of October 2026 is the 25th",
         kByWeek,
         T::kKindEndMonth,
         9,
         {{8, 9}, {11, 24}},
         "Oct"},
        {"by week: the first Sunday of March 2026 is the 1st", kByWeek, T::kKindStartWeek, 0, {{3, 0}, {5, 0}}, "1st"},
        {"by week: the last Monday of March 2026 is the 30th",
         kByWeek,
         T::kKindStartWeekday,
         1,
         {{4, 1}, {5, 29}},
         "Monday"},
        // 28 February 2026 is the last Saturday, as 31 January was.
        {"by date: February cuts day 31 to 28 in 2026",
         kByDate,
         T::kKindStartMonth,
         1,
         {{2, 1}, {5, 27}, {3, 4}, {4, 6}},
         "Feb"},
        {"by date: 7 October 2026 is the first Wednesday",
         kByDate,
         T::kKindEndWeek,
         6,
         {{11, 6}, {9, 0}, {10, 3}},
         "7"},
        {"by date: 25 October 2026 is the last Sunday",
         kByDate,
         T::kKindEndWeek,
         24,
         {{11, 24}, {9, 4}, {10, 0}},
         "25"},
        {"by date: a day beyond the month is refused", kByDate, T::kKindStartWeek, 31, {}, "31"},
        {"a month beyond December is refused", kByWeek, T::kKindEndMonth, 12, {}, "Sep"},
    };
    for (const Case& c : cases) {
        auto& page = OpenTime(c.rule);
        page.OnListResult(c.kind, c.index);
        Bytes expected; // against the rule as the page made it consistent on opening
        for (const auto& [i, v] : c.after) {
            if (before.dst[i] != v)
                expected[3204 + i] = v;
        }
        EXPECT_EQ(Changed(), expected) << c.name;
        const UINT selector = c.kind < T::kKindEndMonth ? T::IDC_START_MONTH + UINT(c.kind - T::kKindStartMonth)
                                                        : T::IDC_END_MONTH + UINT(c.kind - T::kKindEndMonth);
        EXPECT_EQ(Text(page.Label(selector)), c.shown) << c.name;
        EXPECT_EQ(page.IsDstEdited(), !c.after.empty()) << c.name;
        Close();
        db = PatternRecord();
    }
}

TEST_F(TimePage, StyleButtonsRecomputeTheOtherForm) {
    auto& page = OpenTime(kByWeek);
    // Shown by week, the day of March's last Sunday is filled in on opening.
    EXPECT_TRUE(page.Label(T::IDC_START_WEEKDAY).IsWindowVisible());
    Click(page.ByDateButton());
    EXPECT_FALSE(page.IsRuleByWeek());
    EXPECT_EQ(db.dst[1], 1);
    EXPECT_EQ(Text(page.Label(T::IDC_START_WEEK)), "29"); // 29 March 2026
    EXPECT_EQ(Text(page.Label(T::IDC_END_WEEK)), "27");   // 27 September 2026
    EXPECT_FALSE(page.Label(T::IDC_START_WEEKDAY).IsWindowVisible());
    Click(page.ByWeekButton());
    EXPECT_EQ(db.dst[1], 0);
    EXPECT_EQ(Text(page.Label(T::IDC_START_WEEK)), LoadResString(IDS_LAST).Str());
    EXPECT_EQ(Text(page.Label(T::IDC_START_WEEKDAY)), LoadResString(IDS_SUNDAY).Str());
    // The style alone is no edit of the rule.
    EXPECT_FALSE(page.IsDstEdited());
}

TEST_F(TimePage, TimesComeFromTheClockSliderPopup) {
    auto& page = OpenTime(kByWeek);
    Click(page.Label(T::IDC_START_TIME));
    CSetupSliderPopupDlg* popup = frame->SliderPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetMode(), kSliderModeClock);
    EXPECT_EQ(popup->SliderCount(), 2);
    EXPECT_EQ(popup->GetWidth(), 358);
    EXPECT_EQ(popup->Result(0), 2);
    EXPECT_EQ(popup->Result(1), 0);
    const struct {
        int kind;
        int hours;
        int minutes;
        Bytes changed;
        UINT selector;
        const char* shown;
    } cases[] = {
        {T::kKindStartTime, 13, 45, {{3210, 13}, {3211, 45}}, T::IDC_START_TIME, "13 : 45"},
        {T::kKindEndTime, 4, 0, {{3216, 4}}, T::IDC_END_TIME, "04 : 00"},
        {T::kKindOffset, 0, 30, {{3218, 0}, {3219, 30}}, T::IDC_OFFSET, "00 : 30"},
        {T::kKindOffset, 24, 0, {}, T::IDC_OFFSET, "00 : 30"}, // beyond the sliders
    };
    for (const auto& c : cases) {
        before = db;
        page.OnSliderResult(c.kind, c.hours, c.minutes);
        EXPECT_EQ(Changed(), c.changed) << c.kind;
        EXPECT_EQ(Text(page.Label(c.selector)), c.shown) << c.kind;
    }
    EXPECT_TRUE(page.IsDstEdited());
}

TEST_F(TimePage, TheEndOfDstQuestionIsAskedOnlyForAnEditNearTheEnd) {
    // By date, ending 21 October 03:00 with a one-hour offset.
    const LONGLONG end = WallClockSeconds(2026, 9, 21, 3, 0, 0);
    const struct {
        const char* name;
        BYTE mode;
        bool edit;
        LONGLONG clock;
        UINT answer;
        bool asked;
        int stored; // byte 3220 afterwards
    } cases[] = {
        {"an edit half an hour before the end, Cancel", 1, true, end - 1800, IDCANCEL, true, 0},
        {"the same, OK", 1, true, end - 1800, IDOK, true, 1},
        {"at the end moment", 1, true, end, IDOK, true, 1},
        {"no edit", 1, false, end - 1800, IDOK, false, 9},
        {"two hours before", 1, true, end - 7200, IDOK, false, 9},
        {"after the end", 1, true, end + 60, IDOK, false, 9},
        {"a recorder rule", 3, true, end - 1800, IDOK, false, 9},
    };
    for (const auto& c : cases) {
        Rule rule = kByDate;
        rule[0] = c.mode;
        auto& page = OpenTime(rule);
        ::PostMessage(page.GetSafeHwnd(), WM_KELO_DVR_TIME, WPARAM(c.clock), 0);
        Flush();
        if (c.edit) {
            page.OnSliderResult(T::kKindOffset, 1, 0); // the same offset, but an edit
        }
        QuestionAnswerer answerer(c.answer);
        frame->ShowPageById(IDD_SYS_DAYS_DLG); // leaving the page destroys it
        Flush();
        EXPECT_EQ(answerer.asked, c.asked) << c.name;
        if (c.asked) {
            EXPECT_EQ(answerer.shown, LoadResString(IDS_APPLY_THE_DST_CHANGE_THIS_YEAR));
        }
        EXPECT_EQ(db.dst[16], c.stored) << c.name;
        EXPECT_NE(dynamic_cast<CSysDaysDlg*>(frame->PageById(IDD_SYS_DAYS_DLG)), nullptr) << c.name;
        Close();
        db = PatternRecord();
    }
}

// ---- the time-server page

class TimeServerPage : public FrameFixture {
protected:
    void SetUp() override { m_saved = CTimeServerDlg::TimeServers(); }
    void TearDown() override {
        Close();
        CTimeServerDlg::SetTimeServers(m_saved);
    }
    CTimeServerDlg& OpenServer(BYTE major, BYTE minor) {
        db.version_major = major;
        db.version_minor = minor;
        Open();
        return Show<CTimeServerDlg>(IDD_TIME_SERVER_DLG);
    }
    TimeServerOptions m_saved;
};

TEST_F(TimeServerPage, SynchronisationOffHidesTheServerRowAndTheCityTab) {
    db.time_server_sync = 1;
    db.time_server_source = 2;
    const BYTE address[4] = {192, 168, 7, 250};
    std::memcpy(db.time_server_ip, address, 4);
    db.time_server_city = 0;
    auto& page = OpenServer(4, 0);
    EXPECT_EQ(page.Tab(), 0);
    EXPECT_TRUE(page.TabButton(1).IsWindowEnabled());
    EXPECT_TRUE(page.Address().IsWindowVisible());
    EXPECT_FALSE(page.ServerName().IsWindowVisible());
    BYTE shown[4] = {};
    page.Address().GetAddress(shown);
    EXPECT_EQ(std::vector<BYTE>(shown, shown + 4), std::vector<BYTE>(address, address + 4));

    page.OnListResult(CTimeServerDlg::kKindSync, 0);
    EXPECT_EQ(Changed(), (Bytes{{4141, 0}}));
    EXPECT_FALSE(page.TabButton(1).IsWindowEnabled());
    for (UINT id : {UINT(CTimeServerDlg::IDC_CAPTION + 1), UINT(CTimeServerDlg::IDC_CAPTION + 2),
                    UINT(CTimeServerDlg::IDC_SOURCE)}) {
        EXPECT_FALSE(page.Label(id).IsWindowVisible()) << id;
    }
    EXPECT_FALSE(page.Address().IsWindowVisible());
    EXPECT_FALSE(page.ServerName().IsWindowVisible());
    EXPECT_EQ(TextOf(page.Label(CTimeServerDlg::IDC_SYNC)), LoadResString(IDS_OFF));

    page.OnListResult(CTimeServerDlg::kKindSync, 1);
    EXPECT_TRUE(page.TabButton(1).IsWindowEnabled());
    EXPECT_TRUE(page.Address().IsWindowVisible());
    EXPECT_TRUE(page.Label(CTimeServerDlg::IDC_SOURCE).IsWindowVisible());
    EXPECT_TRUE(Changed().empty());
}

// What the operator reads on the NTP tab while turning synchronisation on by the popup.
TEST_F(TimeServerPage, TheSynchronisationSelectorReadsOffAndOn) {
    db.time_server_sync = 0;
    db.time_server_source = 1;
    std::memset(db.time_server_user, 0, sizeof db.time_server_user);
    std::strcpy(db.time_server_user, "time.example.net");
    auto& page = OpenServer(4, 2);
    EXPECT_EQ(Text(page.Label(CTimeServerDlg::IDC_CAPTION)), "NTP");
    EXPECT_EQ(Text(page.Label(CTimeServerDlg::IDC_SYNC)), "Off");

    Click(page.Label(CTimeServerDlg::IDC_SYNC));
    CSetupListPopupDlg* popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 2);
    EXPECT_EQ(Text(popup->Item(0)), "Off");
    EXPECT_EQ(Text(popup->Item(1)), "On");
    EXPECT_TRUE(popup->Item(1).IsWindowVisible());
    Click(popup->Item(1));
    EXPECT_EQ(frame->ListPopup(), nullptr);

    EXPECT_EQ(Changed(), (Bytes{{4141, 1}}));
    EXPECT_EQ(Text(page.Label(CTimeServerDlg::IDC_SYNC)), "On");
    EXPECT_EQ(Text(page.ServerName()), "time.example.net");
    const struct {
        UINT id;
        const char* text;
    } shown[] = {{CTimeServerDlg::IDC_CAPTION, "NTP"},
                 {CTimeServerDlg::IDC_CAPTION + 1, "Type"},
                 {CTimeServerDlg::IDC_CAPTION + 2, "Server"},
                 {CTimeServerDlg::IDC_SOURCE, "Host Name"}};
    for (const auto& s : shown) {
        EXPECT_TRUE(page.Label(s.id).IsWindowVisible()) << s.text;
        EXPECT_EQ(Text(page.Label(s.id)), s.text);
    }

    Click(page.Label(CTimeServerDlg::IDC_SOURCE));
    popup = frame->ListPopup();
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->ItemCount(), 3);
    EXPECT_EQ(Text(popup->Item(0)), "Default");
    EXPECT_EQ(Text(popup->Item(1)), "Host Name");
    EXPECT_EQ(Text(popup->Item(2)), "IP Address");
}

TEST_F(TimeServerPage, OnlyTheUsersNameIsEditableAndItKeepsItsTerminator) {
    db.time_server_sync = 1;
    db.time_server_source = 0;
    std::memset(db.time_server_builtin, 0, 32);
    std::strcpy(db.time_server_builtin, "time.recorder.example");
    std::memset(db.time_server_user, 0, 32);
    std::strcpy(db.time_server_user, "mine");
    auto& page = OpenServer(4, 2);
    EXPECT_EQ(Text(page.ServerName()), "time.recorder.example");
    EXPECT_NE(page.ServerName().GetStyle() & ES_READONLY, 0u);
    Type(page.ServerName(), "zz");
    EXPECT_TRUE(Changed().empty());

    Click(page.Label(CTimeServerDlg::IDC_SOURCE));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->ListPopup()->ItemCount(), 3);
    Click(frame->ListPopup()->Item(1));
    EXPECT_EQ(Changed(), (Bytes{{4144, 1}}));
    EXPECT_EQ(Text(page.ServerName()), "mine");
    EXPECT_EQ(page.ServerName().GetStyle() & ES_READONLY, 0u);
    page.ServerName().SetWindowText("");
    Type(page.ServerName(), std::string(40, 'n'));
    EXPECT_EQ(std::string(db.time_server_user, 31), std::string(31, 'n'));
    EXPECT_EQ(db.time_server_user[31], 0);

    // The address control writes its four fields; a field never holds more than a byte.
    page.OnListResult(CTimeServerDlg::kKindSource, 2);
    EXPECT_TRUE(page.Address().IsWindowVisible());
    before = db;
    page.Address().Field(0).SetWindowText("300");
    page.Address().Field(3).SetWindowText("7");
    Flush();
    EXPECT_EQ(db.time_server_ip[0], 255);
    EXPECT_EQ(db.time_server_ip[3], 7);
    EXPECT_EQ(Text(page.Address().Field(0)), "255");
}

TEST_F(TimeServerPage, CityListRowsAndZonesWithAndWithoutTheNewerList) {
    CTimeServerDlg::SetTimeServers(TimeServerOptions{}); // no server: the PC's time
    const struct {
        BYTE major;
        BYTE minor;
        int items;
        int row;
        int zone;
    } cases[] = {
        {4, 2, 25, 11, 24}, {4, 2, 25, 12, 11}, {4, 2, 25, 10, 10}, {4, 2, 25, 24, 23},
        {5, 0, 25, 11, 24}, {4, 1, 24, 11, 11}, {3, 9, 24, 23, 23}, {4, 1, 24, 0, 0},
    };
    for (const auto& c : cases) {
        db.time_server_sync = 1;
        db.time_server_city = 3;
        auto& page = OpenServer(c.major, c.minor);
        Click(page.TabButton(1));
        EXPECT_EQ(page.Tab(), 1);
        Click(page.Label(CTimeServerDlg::IDC_CITY));
        CSetupListPopupDlg* popup = frame->ListPopup();
        ASSERT_NE(popup, nullptr);
        EXPECT_EQ(popup->ItemCount(), c.items) << int(c.major) << "." << int(c.minor);
        EXPECT_EQ(popup->GetWidth(), 350);
        Click(popup->Item(c.row));
        EXPECT_EQ(Changed(), (Bytes{{4140, c.zone}})) << int(c.major) << "." << int(c.minor) << " row " << c.row;
        EXPECT_EQ(TextOf(page.Label(CTimeServerDlg::IDC_CITY)),
                  LoadResString(c.zone == 0 ? IDS_NONE : IDS_GMT_LONDON_LISBON + UINT(c.zone) - 1));
        Close();
        db = PatternRecord();
    }
}

TEST_F(TimeServerPage, PreviewRunsFromTheTimeServersAnswerInTheCitysZone) {
    LocalTimeServer server([](int fd) { LocalTimeServer::SendTime(fd, 3900000000u); });
    CTimeServerDlg::SetTimeServers(server.Options());
    db.time_server_sync = 1;
    db.time_server_city = 0;
    db.date_format = 2;
    db.dst[0] = 0;
    auto& page = OpenServer(4, 2);
    Click(page.TabButton(1));
    page.OnListResult(CTimeServerDlg::kKindCity, 9); // zone 9, UTC+8
    ASSERT_TRUE(PumpUntil([&] { return page.IsPreviewRunning(); }));
    // 1,691,011,200 is 2023-08-02 21:20:00 UTC; eight hours on, day first.
    EXPECT_EQ(page.PreviewBase(), 1691011200 + 8 * 3600);
    const std::string shown = Text(page.Label(CTimeServerDlg::IDC_PREVIEW));
    EXPECT_TRUE(shown.rfind("03-08-2023  05:2", 0) == 0) << shown;
    EXPECT_TRUE(server.Accepted());
}

TEST_F(TimeServerPage, WithoutAnAnswerThePreviewRunsFromThePcsClock) {
    TimeServerOptions refused;
    refused.hosts = {"127.0.0.1"};
    refused.port = LocalTimeServer::ClosedPort();
    CTimeServerDlg::SetTimeServers(refused);
    db.time_server_sync = 1;
    db.time_server_city = 24; // +9:30, opened with it: the page asks at once
    db.dst[0] = 0;
    auto& page = OpenServer(4, 2);
    ASSERT_TRUE(PumpUntil([&] { return page.IsPreviewRunning(); }));
    EXPECT_NEAR(double(page.PreviewBase()), double(std::time(nullptr) + 34200), 10.0);
}

TEST_F(TimeServerPage, ZoneTimesOffsetsAndFormats) {
    const struct {
        int index;
        LONG offset;
    } zones[] = {{0, 0}, {8, 8 * 3600}, {12, 12 * 3600}, {13, -11 * 3600}, {22, -2 * 3600}, {23, 34200}, {24, 0}};
    for (const auto& z : zones) {
        EXPECT_EQ(CTimeServerDlg::ZoneOffset(z.index), z.offset) << z.index;
    }
    const LONGLONG t = WallClockSeconds(2026, 0, 5, 7, 8, 9);
    EXPECT_EQ(CTimeServerDlg::FormatTime(t, 0).Str(), "2026-01-05  07:08:09");
    EXPECT_EQ(CTimeServerDlg::FormatTime(t, 1).Str(), "01-05-2026  07:08:09");
    EXPECT_EQ(CTimeServerDlg::FormatTime(t, 2).Str(), "05-01-2026  07:08:09");
    EXPECT_EQ(CTimeServerDlg::FormatTime(t, 7).Str(), "2026-01-05  07:08:09");

    // A southern rule, October to March: a January city time is in daylight saving, a July one not.
    const Rule southern = {1, 1, 9, 0, 0, 0, 2, 0, 2, 0, 0, 0, 3, 0, 1, 0, 0};
    const DstInfo rules{};
    TimeQueryResult answer;
    answer.seconds = DWORD(WallClockSeconds(2026, 0, 15, 12, 0, 0));
    EXPECT_EQ(CTimeServerDlg::ZoneTime(answer, 0, 0, southern.data(), rules), LONGLONG(answer.seconds) + 3600);
    answer.seconds = DWORD(WallClockSeconds(2026, 6, 15, 12, 0, 0));
    EXPECT_EQ(CTimeServerDlg::ZoneTime(answer, 0, 0, southern.data(), rules), LONGLONG(answer.seconds));
    // The zone's offset comes first: 23:30 UTC on 30 September is already October at +9:30.
    answer.seconds = DWORD(WallClockSeconds(2026, 8, 30, 23, 30, 0));
    EXPECT_EQ(CTimeServerDlg::ZoneTime(answer, 0, 23, southern.data(), rules), LONGLONG(answer.seconds) + 34200 + 3600);
    // A failed query takes the PC's time.
    TimeQueryResult failed;
    failed.code = -3;
    EXPECT_EQ(CTimeServerDlg::ZoneTime(failed, 1000000, 1, southern.data(), rules), 1000000 + 3600 + 3600);
}

} // namespace
