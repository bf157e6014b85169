// The setup frame: what it shows when it opens, its tabs and menus, the page slots, the keys, the
// popups' lifetimes and results, and the record's byte order on OK and Cancel.

#include "SetupTestSupport.h"

#include "protocol/ClientMessages.h"
#include "protocol/Crc32.h"
#include "protocol/ReasonCodes.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/DialogIds.h"
#include "setup/CameraAdjustDlg.h"
#include "setup/CameraCovertDlg.h"
#include "setup/EmailSetupDlg.h"
#include "setup/EventYesNoTimeADlg.h"
#include "setup/OsdSetupDlg.h"
#include "setup/RecGeneralDlg.h"
#include "setup/SetupBlankDlg.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupMenuDlg.h"
#include "setup/SetupPage.h"
#include "setup/SetupSliderPopupDlg.h"
#include "setup/SysGeneralDlg.h"
#include "setup/TimeServerDlg.h"
#include "setup/UserSetupDlg.h"
#include "tests/protocol/ClientRig.h"

#include <QTimer>

using namespace setuptest;

namespace {

class SetupFrame : public FrameFixture {
protected:
    // A point of the frame's own background (left of the menu panel), in screen coordinates.
    LPARAM BackgroundPoint() {
        POINT p{6, 300};
        frame->ClientToScreen(&p);
        return MAKELPARAM(p.x, p.y);
    }
    void PressOk() { frame->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }
};

// A page that only marks which slot it was opened into.
class CProbePage : public CSetupPage {
public:
    CProbePage() : CSetupPage(CSetupBlankDlg::IDD, IDB_PAGE_BLANK_PAGE_DAYS) {}
};

// Puts probe makers in for some pages while it lives, and the previous makers back afterwards.
class ProbeMakers {
public:
    explicit ProbeMakers(std::vector<UINT> ids) {
        for (UINT id : ids)
            m_previous.emplace_back(id, RegisterSetupPage(id, [] { return std::make_unique<CProbePage>(); }));
    }
    ~ProbeMakers() {
        for (auto& [id, maker] : m_previous)
            RegisterSetupPage(id, std::move(maker));
    }

private:
    std::vector<std::pair<UINT, SetupPageMaker>> m_previous;
};

TEST_F(SetupFrame, OpensOnTheDisplayTabWithTheCameraPage) {
    Open();
    for (int tab = 0; tab < 4; ++tab)
        EXPECT_EQ(frame->TabButton(tab).GetState(), tab == CSetupDlg::kTabDisplay ? 1 : 0) << tab;
    CSetupMenuDlg* panel = frame->Panel(CSetupDlg::kTabDisplay);
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->IsWindowVisible());
    EXPECT_EQ(panel->Button(0).GetState(), kButtonOn);
    EXPECT_EQ(panel->Button(1).GetState(), kButtonNormal);
    CSetupPage* page = frame->PageById(IDD_CAMERA_ADJUST_DLG);
    ASSERT_NE(dynamic_cast<CCameraAdjustDlg*>(page), nullptr);
    EXPECT_TRUE(page->IsWindowVisible());
    CRect rect;
    page->GetWindowRect(&rect);
    frame->ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(197, 83, 600, 500));
    for (int slot = 1; slot < kSetupPageSlots; ++slot)
        EXPECT_EQ(frame->PageInSlot(slot), nullptr) << slot;
    CRect frameRect;
    frame->GetClientRect(&frameRect);
    EXPECT_EQ(frameRect, CRect(0, 0, 618, 546));
    EXPECT_EQ(host.registered.front(), std::make_pair(ClientWindow::SetupFrame, frame->GetSafeHwnd()));
    EXPECT_TRUE(frame->IsHostOrder());
}

TEST_F(SetupFrame, EachTabShowsItsMenuAndItsFirstPageAlone) {
    Open();
    // The first page of each menu: system general, event, record general, camera adjust.
    const struct {
        int tab;
        int buttons;
        int firstSlot;
        const char* name;
        std::function<bool(CSetupPage*)> isFirstPage;
    } cases[] = {
        {CSetupDlg::kTabSystem, 9, 18, "system", [](CSetupPage* p) { return dynamic_cast<CSysGeneralDlg*>(p); }},
        {CSetupDlg::kTabEvent, 4, 29, "event", [](CSetupPage* p) { return dynamic_cast<CEmailSetupDlg*>(p); }},
        {CSetupDlg::kTabRec, 8, 6, "rec", [](CSetupPage* p) { return dynamic_cast<CRecGeneralDlg*>(p); }},
        {CSetupDlg::kTabDisplay, 5, 0, "display", [](CSetupPage* p) { return dynamic_cast<CCameraAdjustDlg*>(p); }},
    };
    for (const auto& c : cases) {
        Click(frame->TabButton(c.tab));
        for (int tab = 0; tab < 4; ++tab) {
            EXPECT_EQ(frame->TabButton(tab).GetState(), tab == c.tab ? 1 : 0) << c.name;
            EXPECT_EQ(frame->Panel(tab) != nullptr, tab == c.tab) << c.name << " panel " << tab;
        }
        ASSERT_NE(frame->Panel(c.tab), nullptr);
        EXPECT_EQ(frame->Panel(c.tab)->ButtonCount(), c.buttons) << c.name;
        // The first page and no other.
        EXPECT_TRUE(c.isFirstPage(frame->PageInSlot(c.firstSlot))) << c.name;
        for (int slot = 0; slot < kSetupPageSlots; ++slot)
            EXPECT_EQ(frame->PageInSlot(slot) != nullptr, slot == c.firstSlot) << c.name << " slot " << slot;
    }
}

TEST_F(SetupFrame, SwitchingTabsRebuildsThePageFromTheRecord) {
    Open();
    auto* adjust = dynamic_cast<CCameraAdjustDlg*>(frame->PageById(IDD_CAMERA_ADJUST_DLG));
    ASSERT_NE(adjust, nullptr);
    adjust->SendMessage(WM_SLIDER_MOVE, CCameraAdjustDlg::IDC_ROW_SLIDER + 2, 77);
    Click(frame->TabButton(CSetupDlg::kTabEvent));
    EXPECT_EQ(frame->PageById(IDD_CAMERA_ADJUST_DLG), nullptr);
    Click(frame->TabButton(CSetupDlg::kTabDisplay));
    adjust = dynamic_cast<CCameraAdjustDlg*>(frame->PageById(IDD_CAMERA_ADJUST_DLG));
    ASSERT_NE(adjust, nullptr);
    EXPECT_EQ(adjust->RowSlider(2).GetPos(), 77);
    EXPECT_EQ(Text(adjust->RowValue(2)), "77");
}

TEST_F(SetupFrame, RecMenuFollowsTheRecorderSubType) {
    const ProbeMakers probes({IDD_REC_GENERAL_DLG, IDD_REC_RES_RATE_SCHEDULE_DLG, IDD_REC_SCHEDULE_DLG,
                              IDD_REC_RES_RATE_DAYS_DLG, IDD_REC_UNIQUE_CHOICE_DLG});
    const struct {
        int subType;
        std::vector<bool> visible; // buttons 450-457
        int sixthY;                // where button 456 lies
        int fifthSlot;             // the slot the fifth button fills
    } cases[] = {
        {0, {true, true, true, true, true, false, true, true}, 201, SetupPageSlot(IDD_REC_RES_RATE_SCHEDULE_DLG)},
        {3, {true, true, true, true, true, false, false, false}, 201, SetupPageSlot(IDD_REC_SCHEDULE_DLG)},
    };
    for (const auto& c : cases) {
        recorder.SetSubType(c.subType);
        Open();
        Click(frame->TabButton(CSetupDlg::kTabRec));
        CSetupMenuDlg* panel = frame->Panel(CSetupDlg::kTabRec);
        ASSERT_NE(panel, nullptr);
        EXPECT_NE(frame->PageById(IDD_REC_GENERAL_DLG), nullptr);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(panel->Button(i).IsWindowVisible() != FALSE, c.visible[std::size_t(i)])
                << "sub-type " << c.subType << " button " << 450 + i;
        CRect sixth;
        CRect seventh;
        panel->Button(6).GetWindowRect(&sixth);
        panel->Button(7).GetWindowRect(&seventh);
        panel->ScreenToClient(&sixth);
        panel->ScreenToClient(&seventh);
        EXPECT_EQ(sixth.top, c.sixthY);
        EXPECT_EQ(seventh.top, 241);
        Click(panel->Button(4));
        EXPECT_NE(frame->PageInSlot(c.fifthSlot), nullptr) << "sub-type " << c.subType;
        EXPECT_EQ(frame->PageById(IDD_REC_GENERAL_DLG), nullptr);
        EXPECT_EQ(panel->Button(4).GetState(), kButtonOn);
        EXPECT_EQ(panel->Button(0).GetState(), kButtonNormal);
        Close();
        db = PatternRecord();
    }
}

TEST_F(SetupFrame, APageLivesInItsSlotExactlyAsLongAsItsWindow) {
    Open();
    CSetupPage* adjust = frame->PageById(IDD_CAMERA_ADJUST_DLG);
    ASSERT_NE(adjust, nullptr);
    // The same page again is kept.
    frame->ShowPageById(IDD_CAMERA_ADJUST_DLG);
    Flush();
    EXPECT_EQ(frame->PageById(IDD_CAMERA_ADJUST_DLG), adjust);
    // Another page replaces it; its slot is empty at once.
    frame->ShowPageById(IDD_CAMERA_NAME_DLG);
    EXPECT_EQ(frame->PageById(IDD_CAMERA_ADJUST_DLG), nullptr);
    CSetupPage* names = frame->PageById(IDD_CAMERA_NAME_DLG);
    ASSERT_NE(names, nullptr);
    // A page closed by WM_CLOSE leaves its slot too, and a visit makes a new one.
    names->SendMessage(WM_CLOSE);
    EXPECT_EQ(frame->PageById(IDD_CAMERA_NAME_DLG), nullptr);
    Flush();
    frame->ShowPageById(IDD_CAMERA_NAME_DLG);
    EXPECT_NE(frame->PageById(IDD_CAMERA_NAME_DLG), nullptr);
    EXPECT_TRUE(frame->PageById(IDD_CAMERA_NAME_DLG)->IsWindowVisible());
}

TEST_F(SetupFrame, OpeningAPopupClosesTheOtherAndAPageClosesBoth) {
    recorder.SetSubType(2);
    Open();
    auto& general = Show<CSysGeneralDlg>(IDD_SYS_GENERAL_DLG);
    Click(general.Selector(CSysGeneralDlg::IDC_DATE_FORMAT));
    ASSERT_NE(frame->ListPopup(), nullptr);
    Click(general.Selector(CSysGeneralDlg::IDC_RECORDER_ID));
    EXPECT_EQ(frame->ListPopup(), nullptr);
    ASSERT_NE(frame->SliderPopup(), nullptr);
    Click(general.Selector(CSysGeneralDlg::IDC_STANDARD));
    EXPECT_EQ(frame->SliderPopup(), nullptr);
    ASSERT_NE(frame->ListPopup(), nullptr);
    frame->ShowPageById(IDD_USER_SETUP_DLG);
    EXPECT_EQ(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->SliderPopup(), nullptr);
}

TEST_F(SetupFrame, DraggingTheBodyClosesThePopups) {
    Open();
    auto& general = Show<CSysGeneralDlg>(IDD_SYS_GENERAL_DLG);
    Click(general.Selector(CSysGeneralDlg::IDC_STANDARD));
    ASSERT_NE(frame->ListPopup(), nullptr);
    EXPECT_EQ(frame->SendMessage(WM_NCHITTEST, 0, BackgroundPoint()), HTCAPTION);
    EXPECT_EQ(frame->ListPopup(), nullptr);
    // A press on a page's or a menu's background closes them as well.
    Click(general.Selector(CSysGeneralDlg::IDC_STANDARD));
    ASSERT_NE(frame->ListPopup(), nullptr);
    Click(general, 380, 300);
    EXPECT_EQ(frame->ListPopup(), nullptr);
    Click(general.Selector(CSysGeneralDlg::IDC_STANDARD));
    ASSERT_NE(frame->ListPopup(), nullptr);
    Click(*frame->Panel(CSetupDlg::kTabDisplay), 80, 420);
    EXPECT_EQ(frame->ListPopup(), nullptr);
    // The page under the popup was kept.
    EXPECT_EQ(frame->PageById(IDD_SYS_GENERAL_DLG), &general);
}

TEST_F(SetupFrame, ListResultsReachOnlyAnOpenOwnerWithAChoice) {
    Open();
    auto& general = Show<CSysGeneralDlg>(IDD_SYS_GENERAL_DLG);
    const BYTE format = db.date_format;
    frame->OnListPopupResult(&general, CSysGeneralDlg::kKindDateFormat, 0xFFFFFFFF);
    EXPECT_EQ(db.date_format, format);
    // A page that is not in the frame's slots gets nothing.
    CSysGeneralDlg stranger;
    frame->OnListPopupResult(&stranger, CSysGeneralDlg::kKindDateFormat, 1);
    EXPECT_EQ(db.date_format, format);
    frame->OnListPopupResult(&general, CSysGeneralDlg::kKindDateFormat, 2);
    EXPECT_EQ(db.date_format, 2);
}

TEST_F(SetupFrame, SliderValuesReachThePageWhenThePopupClosesButNotAfterOk) {
    recorder.SetSubType(2);
    for (const bool ok : {false, true}) {
        db = PatternRecord();
        db.recorder_id = 17;
        Open();
        auto& general = Show<CSysGeneralDlg>(IDD_SYS_GENERAL_DLG);
        Click(general.Selector(CSysGeneralDlg::IDC_RECORDER_ID));
        CSetupSliderPopupDlg* popup = frame->SliderPopup();
        ASSERT_NE(popup, nullptr);
        popup->Slider(0).SetPos(42);
        popup->SendMessage(WM_SLIDER_MOVE, CSetupSliderPopupDlg::kFirstSlider, 42);
        if (ok) {
            // OK destroys the pages first: the popup's late values find no page.
            PressOk();
            EXPECT_EQ(db.recorder_id, 17);
        } else {
            Click(general, 380, 300);
            EXPECT_EQ(frame->SliderPopup(), nullptr);
            EXPECT_EQ(db.recorder_id, 42);
            EXPECT_EQ(Text(general.Selector(CSysGeneralDlg::IDC_RECORDER_ID)), "42");
        }
        Close();
    }
}

TEST_F(SetupFrame, OkPutsTheRecordBackInNetworkOrderWithTheEdits) {
    Open();
    auto& event = Show<CEventYesNoTimeADlg>(IDD_EVENT_YES_NO_TIME_A_DLG);
    event.OnListResult(0, 5); // 120
    Click(event.YesButton(0));
    const SetupDatabase received = PatternRecord();
    PressOk();
    EXPECT_FALSE(frame->IsHostOrder());
    EXPECT_FALSE(frame->IsWindowVisible());
    const std::map<std::size_t, int> expected = {{4032, 1}, {4460, 0}, {4461, 0}, {4462, 0}, {4463, 120}};
    EXPECT_EQ(Changes(received, db), expected);
    // A second OK queued behind the first swaps nothing again.
    PressOk();
    EXPECT_EQ(Changes(received, db), expected);
}

TEST_F(SetupFrame, CancelAndCloseLeaveTheEditedRecordInHostOrder) {
    for (const UINT button : {UINT(IDCANCEL), UINT(CSetupDlg::IDC_CLOSE)}) {
        db = PatternRecord();
        Open();
        auto& event = Show<CEventYesNoTimeADlg>(IDD_EVENT_YES_NO_TIME_A_DLG);
        event.OnListResult(0, 9); // 240
        SetupDatabase expected = PatternRecord();
        DbToHostOrder(expected);
        expected.event_time_a = 240;
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        EXPECT_FALSE(frame->IsWindowVisible()) << button;
        EXPECT_TRUE(frame->IsHostOrder()) << button;
        EXPECT_TRUE(Changes(expected, db).empty()) << button;
        Close();
    }
}

TEST_F(SetupFrame, VisitingEveryPageAndPressingOkSendsTheRecordAsReceived) {
    for (const BYTE minor : {BYTE(3), BYTE(4)}) {
        db = PatternRecord();
        db.version_major = 4;
        db.version_minor = minor;
        const SetupDatabase received = db;
        recorder.SetSubType(2);
        Open();
        for (int tab : {CSetupDlg::kTabRec, CSetupDlg::kTabSystem, CSetupDlg::kTabEvent, CSetupDlg::kTabDisplay}) {
            Click(frame->TabButton(tab));
            CSetupMenuDlg* panel = frame->Panel(tab);
            ASSERT_NE(panel, nullptr);
            for (int i = 0; i < panel->ButtonCount(); ++i)
                Click(panel->Button(i));
        }
        for (UINT page : {IDD_SETUP_BLANK_DLG, IDD_SYS_GENERAL_DLG, IDD_USER_SETUP_DLG, IDD_EMAIL_SETUP_DLG,
                          IDD_EVENT_YES_NO_DLG, IDD_EVENT_YES_NO_TIME_A_DLG, IDD_EVENT_YES_NO_TIME_B_DLG,
                          IDD_CAMERA_ADJUST_DLG, IDD_CAMERA_COVERT_DLG, IDD_CAMERA_NAME_DLG, IDD_OSD_SETUP_DLG}) {
            frame->ShowPageById(page);
            Flush();
            EXPECT_NE(frame->PageById(page), nullptr) << page;
        }
        PressOk();
        EXPECT_TRUE(Changes(received, db).empty()) << "version 4." << int(minor);
        Close();
    }
}

SetupDatabase Filled(BYTE fill) {
    SetupDatabase db;
    std::memset(&db, fill, sizeof db);
    return db;
}

// Records whose every byte is at an edge, and one whose values lie just past their tables (city
// zone 25, daylight-saving mode 30, months 12, day 32, hour 24, minute 60): every general page shows
// them, opens its selectors, and OK sends them back untouched.
TEST_F(SetupFrame, PagesShowRecordsOfEdgeValuesAndOpenTheirSelectors) {
    SetupDatabase justPast = PatternRecord();
    justPast.time_server_city = 25;
    const BYTE dst[17] = {30, 1, 12, 5, 7, 31, 24, 60, 12, 5, 7, 31, 24, 60, 24, 60, 2};
    std::memcpy(justPast.dst, dst, sizeof dst);
    const TimeServerOptions servers = CTimeServerDlg::TimeServers();
    CTimeServerDlg::SetTimeServers(TimeServerOptions{}); // the preview takes the PC's clock
    const struct {
        const char* name;
        SetupDatabase record;
        int channels;
    } records[] = {{"zeros", Filled(0x00), 0},
                   {"0xFF", Filled(0xFF), 0xFF},
                   {"0x80", Filled(0x80), 0x80},
                   {"just past", justPast, 16}};
    for (const auto& r : records) {
        db = r.record;
        const SetupDatabase received = db;
        recorder.SetSubType(2);
        recorder.SetChannels(r.channels);
        Open();
        for (UINT pageId :
             {IDD_CAMERA_ADJUST_DLG, IDD_CAMERA_COVERT_DLG, IDD_CAMERA_NAME_DLG,         IDD_SPOT_SETUP_DLG,
              IDD_OSD_SETUP_DLG,     IDD_SYS_GENERAL_DLG,   IDD_USER_SETUP_DLG,          IDD_CHANNEL_TRI_STATE_DLG,
              IDD_SYS_DAYS_DLG,      IDD_PTZ_SETUP_DLG,     IDD_KEYBOARD_SETUP_DLG,      IDD_PTZ_RANGE_DLG,
              IDD_TIME_SETUP_DLG,    IDD_TIME_SERVER_DLG,   IDD_DEINTERLACE_DLG,         IDD_SYS_OPTIONS_DLG,
              IDD_EMAIL_SETUP_DLG,   IDD_EVENT_YES_NO_DLG,  IDD_EVENT_YES_NO_TIME_A_DLG, IDD_EVENT_YES_NO_TIME_B_DLG}) {
            frame->ShowPageById(pageId);
            Flush();
            CSetupPage* page = frame->PageById(pageId);
            ASSERT_NE(page, nullptr) << pageId;
            // Every selector the page has (labels that take clicks), pressed in turn.
            for (UINT id = 790; id <= 821; ++id) {
                CWnd* control = page->GetDlgItem(int(id));
                if (control != nullptr && (control->GetStyle() & SS_NOTIFY) != 0 && control->IsWindowVisible())
                    Click(*control);
                frame->ClosePopups();
            }
        }
        PressOk();
        EXPECT_EQ(Changes(received, db), (std::map<std::size_t, int>{})) << r.name;
        Close();
    }
    CTimeServerDlg::SetTimeServers(servers);
}

// ---- run modally, as the main window does

// The main window's part: it receives the frame's notices.
class CMainStandIn : public CWnd {
public:
    bool Make() { return Create(nullptr, "main", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0) != FALSE; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KELO_NOTICE)
            notices.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    std::vector<std::pair<WPARAM, LPARAM>> notices;
};

class SetupFrameModal : public ::testing::Test {
protected:
    // Runs the frame modally over the record; `script` runs inside its loop.
    INT_PTR Run(SetupDatabase& record, std::function<void(CSetupDlg&)> script) {
        CSetupDlg dlg(&main, &record, 255, &host);
        QTimer::singleShot(0, [&] {
            Flush();
            script(dlg);
        });
        const INT_PTR result = dlg.DoModal();
        Flush();
        return result;
    }
    void SetUp() override { ASSERT_TRUE(main.Make()); }
    void TearDown() override {
        main.DestroyWindow();
        Flush();
    }
    CMainStandIn main;
    FakeSetupHost host;
};

TEST_F(SetupFrameModal, EnterEscapeAndAltF4NeitherCloseNorPressOk) {
    SetupDatabase record = PatternRecord();
    bool stillOpen = false;
    const INT_PTR result = Run(record, [&](CSetupDlg& dlg) {
        CSetupPage* page = dlg.PageById(IDD_CAMERA_ADJUST_DLG);
        ASSERT_NE(page, nullptr);
        const HWND targets[] = {page->GetSafeHwnd(), dlg.GetSafeHwnd(), dlg.m_btnOK.GetSafeHwnd(),
                                dlg.Panel(0)->GetSafeHwnd()};
        for (HWND target : targets) {
            ::PostMessage(target, WM_KEYDOWN, VK_RETURN, 0);
            ::PostMessage(target, WM_KEYDOWN, VK_ESCAPE, 0);
            ::PostMessage(target, WM_SYSKEYDOWN, VK_F4, 0);
        }
        Flush();
        stillOpen = dlg.IsWindowVisible() && dlg.IsHostOrder();
        Click(dlg.m_btnCancel);
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(SetupFrameModal, TheClientsCloseEndsTheFrameWithoutUpload) {
    SetupDatabase record = PatternRecord();
    const INT_PTR result = Run(record, [&](CSetupDlg& dlg) {
        // The client posts WM_CLOSE to the registered frame on a disconnection.
        ASSERT_FALSE(host.registered.empty());
        ::PostMessage(host.registered.back().second, WM_CLOSE, 0, 0);
        (void)dlg;
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(host.registered.back(), std::make_pair(ClientWindow::SetupFrame, HWND(nullptr)));
}

TEST_F(SetupFrameModal, InitializeAsksTheMainWindow) {
    SetupDatabase record = PatternRecord();
    HWND frameWindow = nullptr;
    Run(record, [&](CSetupDlg& dlg) {
        frameWindow = dlg.GetSafeHwnd();
        dlg.ShowPageById(IDD_SYS_GENERAL_DLG);
        auto* general = dynamic_cast<CSysGeneralDlg*>(dlg.PageById(IDD_SYS_GENERAL_DLG));
        ASSERT_NE(general, nullptr);
        general->SendMessage(WM_COMMAND, MAKEWPARAM(CSysGeneralDlg::IDC_INITIALIZE, BN_CLICKED), 0);
        Flush();
        Click(dlg.m_btnCancel);
    });
    ASSERT_EQ(main.notices.size(), 1u);
    EXPECT_EQ(main.notices[0].first, reinterpret_cast<WPARAM>(frameWindow));
    EXPECT_EQ(main.notices[0].second, LPARAM(kNoticeInitializeSetup));
}

// Against a recorder on loopback: OK, then the main window's upload; Cancel uploads nothing.
TEST_F(SetupFrameModal, OkUploadsTheEditedRecordWithItsCrcAndCancelNothing) {
    rig::ClientRig rig;
    host.client = rig.client.get();
    for (const bool ok : {true, false}) {
        SetupDatabase record = PatternRecord();
        const SetupDatabase received = record;
        const INT_PTR result = Run(record, [&](CSetupDlg& dlg) {
            dlg.ShowPageById(IDD_CAMERA_COVERT_DLG);
            auto* covert = dynamic_cast<CCameraCovertDlg*>(dlg.PageById(IDD_CAMERA_COVERT_DLG));
            ASSERT_NE(covert, nullptr);
            Click(covert->RowOn(3));
            Click(ok ? dlg.m_btnOK : dlg.m_btnCancel);
        });
        ASSERT_EQ(result, ok ? IDOK : IDCANCEL);
        if (result == IDOK && rig.client->Login().IsConnected())
            rig.client->Setup().SendDbUpdate(record);
        if (!ok) {
            EXPECT_TRUE(rig.Quiet(300));
            continue;
        }
        const ScriptedRecorder::Received sent = rig.Next();
        ASSERT_TRUE(sent.ok);
        EXPECT_EQ(sent.id, unsigned(Msg::DB_UPDATE_REQ));
        ASSERT_EQ(sent.payload.size(), 4 + sizeof(SetupDatabase));
        const DWORD crc = DWORD(sent.payload[0]) << 24 | DWORD(sent.payload[1]) << 16 | DWORD(sent.payload[2]) << 8 |
                          DWORD(sent.payload[3]);
        EXPECT_EQ(crc, Crc32(0, sent.payload.data() + 4, sizeof(SetupDatabase)));
        SetupDatabase body;
        std::memcpy(&body, sent.payload.data() + 4, sizeof body);
        const std::map<std::size_t, int> expected = {{72 + 3, 1}};
        EXPECT_EQ(Changes(received, body), expected);
    }
}

} // namespace
