// The local search frame: its tabs and menus (with and without removable media), the local log and
// information pages, picks routed to the pages that asked, and playback asked for by a page: the
// downloaded sets scanned and the player started, or "nothing found".
#include "ArchiveGuiSupport.h"
#include "tests/archive/RecordingPrintDevice.h"

#include "app/LocalLog.h"
#include "archive/ArchiveMenuDlg.h"
#include "archive/LocalButtonMenuDlg.h"
#include "archive/LocalInfoDlg.h"
#include "archive/LocalLogDlg.h"
#include "archive/LocalPlayer.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"
#include "protocol/ClientMessages.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "tests/archive/BackupSetMaker.h"
#include "tests/archive/PlayerTestHost.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace archivetest;

namespace {

// A Search page of another part of the folder, standing in for it: it remembers the picks it gets.
class CTestSearchPage : public CLocalSearchPage {
public:
    static constexpr UINT kFirstIdd = 9100;
    explicit CTestSearchPage(int slot) : CLocalSearchPage(kFirstIdd + UINT(slot), slot, IDB_PAGE_LISTS) {}
    void OnItemPicked(UINT field, UINT index) override { picks.push_back({int(field), int(index)}); }
    void OnTimePicked(UINT field, int hour, int, int) override { picks.push_back({int(field), hour}); }
    std::vector<std::pair<int, int>> picks;
};

const DialogTemplate kPageTemplates[] = {
    {.id = 9100, .cx = 403, .cy = 417, .style = WS_CHILD},
    {.id = 9101, .cx = 403, .cy = 417, .style = WS_CHILD},
    {.id = 9102, .cx = 403, .cy = 417, .style = WS_CHILD},
    {.id = 9103, .cx = 403, .cy = 417, .style = WS_CHILD},
};
const DialogTemplateRegistration kPageRegistrations[] = {
    DialogTemplateRegistration(kPageTemplates[0]),
    DialogTemplateRegistration(kPageTemplates[1]),
    DialogTemplateRegistration(kPageTemplates[2]),
    DialogTemplateRegistration(kPageTemplates[3]),
};

class TestLocalHost : public ILocalSearchHost {
public:
    CTestMainWindow main;
    std::string location;
    bool removable = false;
    bool localPlayer = false;
    std::unique_ptr<CLocalPlayer> player;
    playertest::Host* playerHost = nullptr;

    ~TestLocalHost() override {
        if (player) {
            player->Stop();
            player->Close();
        }
    }
    CWnd* MainWindow() override { return &main; }
    CDvrClient* Client() override { return nullptr; }
    int DateFormat() const override { return 0; }
    DWORD TimeToCTime(const int*) const override { return 0; }
    std::string SaveLocation() const override { return location; }
    bool IsRemovable() const override { return removable; }
    void GetFileVersion(WORD version[4]) const override {
        const WORD v[4] = {1, 2, 3, 4};
        std::copy(v, v + 4, version);
    }
    bool HasLocalPlayer() const override { return player != nullptr; }
    std::unique_ptr<ILocalPlayerHost> MakePlayerHost() override {
        auto host = std::make_unique<playertest::Host>();
        playerHost = host.get();
        return host;
    }
    void AdoptLocalPlayer(std::unique_ptr<CLocalPlayer> p) override { player = std::move(p); }
    std::string NoPrinterFolder() const override { return noPrinterFolder; }
    void ShowTextBox(CWnd*, const std::vector<CString>& lines) override { told.push_back(lines); }
    std::string noPrinterFolder;
    std::vector<std::vector<CString>> told;
};

class LocalFrame : public ::testing::Test {
protected:
    void SetUp() override {
        for (int slot = kLocalSlotDateTime; slot <= kLocalSlotDayTimeline; ++slot) {
            CLocalSearchDlg::RegisterPageFactory(slot, [slot] { return std::make_unique<CTestSearchPage>(slot); });
        }
        host.location = folder.Path().string();
    }
    void TearDown() override { Close(); }

    bool Open() {
        frame = std::make_unique<CLocalSearchDlg>(host, 255, &host.main);
        if (!frame->Create(CLocalSearchDlg::IDD, &host.main)) {
            return false;
        }
        frame->ShowWindow(SW_SHOW);
        Flush();
        return true;
    }
    void Close() {
        if (frame && frame->GetSafeHwnd() != nullptr) {
            frame->DestroyWindow();
        }
        Flush();
        frame.reset();
    }
    template <typename Page>
    Page* PageAt(int slot) {
        return dynamic_cast<Page*>(frame->Page(slot));
    }

    backupmaker::TempFolder folder;
    TestLocalHost host;
    std::unique_ptr<CLocalSearchDlg> frame;
};

std::vector<std::string> Column(CListCtrl& list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        texts.emplace_back(list.GetItemText(i, column).GetString());
    }
    return texts;
}

} // namespace

TEST_F(LocalFrame, OpensOnTheSearchMenuAndItsDateAndTimePage) {
    ASSERT_TRUE(Open());
    EXPECT_EQ(frame->m_btnTab[0].GetState(), kButtonOn);
    EXPECT_NE(frame->Page(kLocalSlotSearchMenu), nullptr);
    EXPECT_NE(PageAt<CTestSearchPage>(kLocalSlotDateTime), nullptr);
    EXPECT_TRUE(frame->m_btnTab[1].IsWindowVisible());
    EXPECT_FALSE(frame->m_btnOk.IsWindowVisible());

    FrameRig::Click(*frame->Page(kLocalSlotSearchMenu), IDC_SEARCH_MENU_EVENT);
    EXPECT_EQ(frame->Page(kLocalSlotDateTime), nullptr) << "one content page at a time";
    EXPECT_NE(frame->Page(kLocalSlotEventList), nullptr);
    FrameRig::Click(*frame, 433);
    EXPECT_EQ(frame->Page(kLocalSlotSearchMenu), nullptr);
    EXPECT_EQ(frame->m_btnTab[2].GetState(), kButtonOn);
    EXPECT_EQ(frame->m_btnTab[0].GetState(), kButtonNormal);
}

TEST_F(LocalFrame, FromRemovableMediaTheLogTabIsGoneAndSearchOpensOnTheCalendar) {
    host.removable = true;
    ASSERT_TRUE(Open());
    EXPECT_FALSE(frame->m_btnTab[1].IsWindowVisible());
    CRect info;
    frame->m_btnTab[2].GetWindowRect(&info);
    frame->ScreenToClient(&info);
    EXPECT_EQ(info.left, 93);
    EXPECT_NE(PageAt<CTestSearchPage>(kLocalSlotCalendar), nullptr);
    EXPECT_EQ(frame->Page(kLocalSlotDateTime), nullptr);
}

TEST_F(LocalFrame, TheLogPageListsTheLocalLogNewestFirstAndPrintsSlotNumbers) {
    const std::string location = host.location;
    CLocalLog::WriteAt(location.c_str(), false, 1, 1, "", "", 1000);
    CLocalLog::WriteAt(location.c_str(), false, 2, 1, "admin", "10.0.0.7", 1001);
    CLocalLog::WriteAt(location.c_str(), false, 4, 2, "", "", 1002);
    ASSERT_TRUE(Open());
    FrameRig::Click(*frame, 432);
    CLocalLogDlg* log = PageAt<CLocalLogDlg>(kLocalSlotLog);
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(Column(log->m_list, 0), (std::vector<std::string>{"0003", "0002", "0001"}));
    EXPECT_EQ(Column(log->m_list, 3), (std::vector<std::string>{"", "admin", ""}));
    EXPECT_EQ(Column(log->m_list, 4)[1], "10.0.0.7");
    EXPECT_TRUE(frame->LogImage().empty()) << "the page used the image up";

    RecordingDevice device;
    EXPECT_EQ(log->PrintTo(device), 1);
    EXPECT_EQ(device.docName, "Local Log");
    std::vector<std::string> numbers;
    for (const std::string& t : device.recorder.Texts()) {
        if (t.size() == 4 && t[0] == '0') {
            numbers.push_back(t);
        }
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"0002", "0001", "0000"}));

    // Built again without a fresh read the page is empty; the menu reads the file when it is made.
    frame->ShowInfoPage();
    frame->ShowLogPage();
    EXPECT_EQ(PageAt<CLocalLogDlg>(kLocalSlotLog)->m_list.GetItemCount(), 0);
    FrameRig::Click(*frame, 430);
    FrameRig::Click(*frame, 432);
    EXPECT_EQ(PageAt<CLocalLogDlg>(kLocalSlotLog)->m_list.GetItemCount(), 3);
}

// Print of the local log: without a printer a PDF file in the folder the main window names, and a
// box that says where; an empty log prints nothing and says so.
TEST_F(LocalFrame, PrintWritesThePdfWhereTheMainWindowSaysOrNothingForAnEmptyLog) {
    const char* oldServer = std::getenv("CUPS_SERVER");
    const std::string keep = oldServer != nullptr ? oldServer : "";
    ::setenv("CUPS_SERVER", (folder.Path() / "no-print-server.sock").c_str(), 1); // no printer
    const std::filesystem::path pdfFolder = folder.Path() / "pdf";
    std::filesystem::create_directories(pdfFolder);
    host.noPrinterFolder = pdfFolder.string();

    ASSERT_TRUE(Open());
    FrameRig::Click(*frame, 432);
    CLocalLogDlg* empty = PageAt<CLocalLogDlg>(kLocalSlotLog);
    ASSERT_NE(empty, nullptr);
    ASSERT_EQ(empty->m_list.GetItemCount(), 0);
    FrameRig::Click(*empty, CLocalLogDlg::kIdPrint);
    ASSERT_EQ(host.told.size(), 1u);
    EXPECT_EQ(host.told[0], std::vector<CString>{LoadResString(kTextNothingToPrint)});
    EXPECT_TRUE(std::filesystem::is_empty(pdfFolder));

    const std::string location = host.location;
    for (int i = 0; i < 40; ++i) {
        CLocalLog::WriteAt(location.c_str(), false, 2, 1, "admin", "10.0.0.7", 1765353600 + DWORD(i));
    }
    FrameRig::Click(*frame, 430);
    FrameRig::Click(*frame, 432);
    CLocalLogDlg* log = PageAt<CLocalLogDlg>(kLocalSlotLog);
    ASSERT_NE(log, nullptr);
    ASSERT_EQ(log->m_list.GetItemCount(), 40);
    FrameRig::Click(*log, CLocalLogDlg::kIdPrint);
    ASSERT_EQ(host.told.size(), 2u);
    std::vector<std::filesystem::path> pdfs;
    for (const auto& entry : std::filesystem::directory_iterator(pdfFolder)) {
        pdfs.push_back(entry.path());
    }
    ASSERT_EQ(pdfs.size(), 1u);
    EXPECT_EQ(pdfs[0].filename().string().rfind("Local Log 20", 0), 0u) << pdfs[0];
    ASSERT_EQ(host.told[1].size(), 3u);
    EXPECT_EQ(host.told[1][0], LoadResString(kTextSavedAsPdf));
    EXPECT_EQ(host.told[1][2], CString(pdfs[0].filename().c_str()));
    if (oldServer != nullptr) {
        ::setenv("CUPS_SERVER", keep.c_str(), 1);
    } else {
        ::unsetenv("CUPS_SERVER");
    }
}

// The Log and Info menu buttons of both frames draw bitmaps 2170 and 2176 a cell at a time at the
// button's width: each must be as wide as one of the strip's four cells.
int CellWidth(UINT id) {
    CBitmap strip;
    BITMAP bm{};
    if (!strip.LoadBitmap(id) || strip.GetBitmap(&bm) == 0) {
        return -1;
    }
    return bm.bmWidth / 4;
}

int ClientWidth(CWnd& w) {
    CRect r;
    w.GetClientRect(&r);
    return r.Width();
}

TEST_F(LocalFrame, TheLogAndInfoMenuButtonsAreAsWideAsTheirBitmapsCells) {
    ASSERT_TRUE(Open());
    struct Menu {
        UINT tab;
        int slot;
        UINT bitmap;
    };
    for (const Menu& m :
         {Menu{432, kLocalSlotLogMenu, IDB_LOG_MENU_ALL}, Menu{433, kLocalSlotInfoMenu, IDB_INFORMATION_MENU_SYSTEM}}) {
        FrameRig::Click(*frame, m.tab);
        auto* menu = PageAt<CLocalButtonMenuDlg>(m.slot);
        ASSERT_NE(menu, nullptr) << m.tab;
        ASSERT_GT(CellWidth(m.bitmap), 0);
        EXPECT_EQ(ClientWidth(menu->m_btn), CellWidth(m.bitmap)) << "local tab " << m.tab;
    }
    Close();

    FrameRig r;
    ASSERT_TRUE(r.Open());
    for (const Menu& m :
         {Menu{432, kSlotLogMenu, IDB_LOG_MENU_ALL}, Menu{433, kSlotInfoMenu, IDB_INFORMATION_MENU_SYSTEM}}) {
        r.frame->SetBusy(false); // the request of the tab before is not answered here
        FrameRig::Click(*r.frame, m.tab);
        auto* menu = dynamic_cast<CArchiveMenuDlg*>(r.frame->Page(m.slot));
        ASSERT_NE(menu, nullptr) << m.tab;
        CSkinTextButton* button = menu->Button(450);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(ClientWidth(*button), CellWidth(m.bitmap)) << "remote tab " << m.tab;
    }
}

TEST_F(LocalFrame, TheInfoPageShowsTheProgramVersion) {
    ASSERT_TRUE(Open());
    FrameRig::Click(*frame, 433);
    CLocalInfoDlg* info = PageAt<CLocalInfoDlg>(kLocalSlotInfo);
    ASSERT_NE(info, nullptr);
    ASSERT_EQ(info->m_list.GetItemCount(), 1);
    EXPECT_EQ(Column(info->m_list, 1)[0], " 1.2.3.4");
}

TEST_F(LocalFrame, PicksGoOnlyToThePageThatAskedWhileItIsShown) {
    ASSERT_TRUE(Open());
    auto* dateTime = PageAt<CTestSearchPage>(kLocalSlotDateTime);
    ASSERT_NE(dateTime, nullptr);
    frame->OnNumberPicked(dateTime, 2, 5);
    frame->OnNumberPicked(dateTime, 2, 0xFFFFFFFF); // closed without a choice
    frame->OnTimePicked(dateTime, 7, 13, 0, 0);
    frame->OnNumberPicked(frame->Page(kLocalSlotSearchMenu), 2, 5); // not a page that picks
    EXPECT_EQ(dateTime->picks, (std::vector<std::pair<int, int>>{{2, 5}, {7, 13}}));

    frame->ShowCalendarPage();
    EXPECT_EQ(frame->Page(kLocalSlotDateTime), nullptr);
    auto* calendar = PageAt<CTestSearchPage>(kLocalSlotCalendar);
    frame->OnNumberPicked(calendar, 1, 3);
    frame->OnTimePicked(calendar, 1, 3, 0, 0); // the calendar has no time fields
    EXPECT_EQ(calendar->picks, (std::vector<std::pair<int, int>>{{1, 3}}));

    frame->ShowDayTimelinePage([] { return std::make_unique<CTestSearchPage>(kLocalSlotDayTimeline); });
    auto* timeline = PageAt<CTestSearchPage>(kLocalSlotDayTimeline);
    ASSERT_NE(timeline, nullptr);
    frame->OnTimePicked(timeline, 4, 9, 0, 0);
    frame->OnNumberPicked(timeline, 4, 9);
    EXPECT_EQ(timeline->picks, (std::vector<std::pair<int, int>>{{4, 9}}));
}

TEST_F(LocalFrame, APlayRequestStartsThePlayerAtTheFirstSegmentThatReachesTheTime) {
    backupmaker::WriteBackup(folder.Path(), 0x100, backupmaker::Seconds(1000, 3, {0}));
    backupmaker::WriteBackup(folder.Path(), 0x200, backupmaker::Seconds(2000, 3, {1}));
    ASSERT_TRUE(Open());
    frame->SendMessage(WM_KELO_LOCAL_OPEN_RECORDINGS, 1500, 0); // after the first segment, before the second
    ASSERT_NE(host.player, nullptr);
    EXPECT_EQ(host.player->GetCurrentNode(), 1u);
    EXPECT_EQ(host.player->GetMode(), kPlayForward);
    EXPECT_EQ(host.player->GetSpeed(), 1);
    ASSERT_TRUE(host.playerHost->WaitFor([&] { return !host.playerHost->frames.empty(); }));
    EXPECT_EQ(host.playerHost->Frames().front().time, 2000u);
    Flush();
    EXPECT_TRUE(host.main.notices.empty());
}

TEST_F(LocalFrame, NothingToPlayIsANoticeToTheMainWindow) {
    backupmaker::WriteBackup(folder.Path(), 0x100, backupmaker::Seconds(1000, 3, {0}));
    ASSERT_TRUE(Open());
    struct Case {
        LocalSearchKind kind;
        DWORD t1;
        DWORD t2;
    };
    // After the recordings; an event no segment matches; a range before the recordings.
    const Case cases[] = {
        {LocalSearchKind::Time, 5000, 0}, {LocalSearchKind::Time, 1000, 1001}, {LocalSearchKind::Range, 10, 20}};
    std::size_t notices = 0;
    for (const Case& c : cases) {
        frame->SetSearchKind(c.kind);
        EXPECT_FALSE(frame->OnOpenRecordings(c.t1, c.t2));
        Flush();
        ASSERT_EQ(host.main.notices.size(), ++notices);
        EXPECT_EQ(host.main.notices.back().over, frame->GetSafeHwnd());
        EXPECT_EQ(host.main.notices.back().notice, 0x40000);
    }
    EXPECT_EQ(host.player, nullptr);
}
