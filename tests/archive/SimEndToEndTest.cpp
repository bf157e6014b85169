// The search frame over a real connection to the recorder simulator: the client's replies reach the
// frame the way the main window hands them over (by the UI thread's queue), a month query fills the
// calendar, a day query the timeline, and a backup picked on the calendar and timelines is sized
// and downloaded into a backup file set.
#include "ArchiveGuiSupport.h"

#include "archive/BackupCalendarDlg.h"
#include "archive/BackupTimelineDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/LocalIndexFile.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/SearchMenuDlg.h"
#include "platform/gdi/DrawRecorder.h"
#include "protocol/ClientMessages.h"
#include "res/ControlIds.h"
#include "tests/protocol/FakeMedia.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>

using namespace archivetest;
using namespace std::chrono_literals;

namespace {

const DWORD kClock = Utc(2024, 2, 15, 12, 0, 0);

// The main window's part between the client and the frame: replies and the busy flag go to the
// frame through the UI thread's queue, messages for the frame to its window, the rest is kept.
class BridgeHost : public TestArchiveHost, public IClientHost {
public:
    void SetSearchFrame(ISearchReplySink* s, HWND hwnd) override {
        TestArchiveHost::SetSearchFrame(s, hwnd);
        m_frame.store(hwnd);
    }
    void PostNotice(LPARAM notice, ClientWindow) override {
        std::lock_guard lock(m_lock);
        m_notices.push_back(notice);
    }
    void PostToWindow(ClientWindow target, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (target == ClientWindow::SearchFrame) {
            if (const HWND hwnd = m_frame.load()) {
                ::PostMessage(hwnd, message, wParam, lParam);
            }
            return;
        }
        std::lock_guard lock(m_lock);
        m_posted.push_back(message);
    }
    void ReportEvent(ClientEvent, int) override {}
    void WriteLocalLog(int, int, const char*, const char*) override {}
    void PostConnectFailed(LPARAM notice) override { PostNotice(notice, ClientWindow::MainWindow); }
    void PostWrongProduct() override {}
    void DeliverSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) override {
        CMessagePump::PostTask([this, readyMessage, bytes = std::move(bytes), count]() mutable {
            if (sink != nullptr) {
                sink->OnSearchReply(readyMessage, std::move(bytes), count);
            }
        });
    }
    void ClearSearchBusy() override {
        CMessagePump::PostTask([this] {
            if (sink != nullptr) {
                sink->OnSearchBusyCleared();
            }
        });
    }

    bool Posted(UINT message) {
        std::lock_guard lock(m_lock);
        return std::find(m_posted.begin(), m_posted.end(), message) != m_posted.end();
    }
    std::vector<LPARAM> Notices() {
        std::lock_guard lock(m_lock);
        return m_notices;
    }

private:
    std::atomic<HWND> m_frame{nullptr};
    std::mutex m_lock;
    std::vector<UINT> m_posted;
    std::vector<LPARAM> m_notices;
};

class SimEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!SimProcess::Available()) {
            return;
        }
        s_sim = new SimProcess;
        if (!s_sim->Start({"--resolution", "cif", "--loop-seconds", "1", "--days", "2", "--channels", "4", "--clock",
                           std::to_string(kClock)})) {
            delete s_sim;
            s_sim = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete s_sim;
        s_sim = nullptr;
    }

    void SetUp() override {
        ASSERT_NE(s_sim, nullptr) << "the recorder simulator did not start";
        char name[] = "/tmp/kelo-archive-sim-XXXXXX";
        m_save = ::mkdtemp(name);
        DvrClientTiming timing;
        timing.idleWait = 10ms;
        timing.disconnectWait = 100ms;
        client = std::make_unique<CDvrClient>(DvrClientSeams{&host, &video, &media}, timing);
        DownloadWriterOptions options;
        options.saveLocation = m_save;
        client->Backup().SetDownloadOptions(options);
        client->Login().SetConnectParams("127.0.0.1", DWORD(s_sim->Port()), "admin", "1234");
        ASSERT_TRUE(client->Connect());
        ASSERT_TRUE(PumpUntil([&] { return client->IsLive(); }, 60000));
        host.client = client.get();
        frame = std::make_unique<CRemoteSearchDlg>(host, 255, &host.main);
        ASSERT_TRUE(frame->Create(CRemoteSearchDlg::IDD, &host.main));
        frame->ShowWindow(SW_SHOW);
        Flush();
    }
    void TearDown() override {
        if (frame && frame->GetSafeHwnd() != nullptr) {
            frame->DestroyWindow();
        }
        Flush();
        frame.reset();
        host.client = nullptr;
        if (client) {
            client->Disconnect();
            client.reset();
        }
        Flush();
        std::filesystem::remove_all(m_save);
    }

    template <typename Page>
    Page* WaitPage(int slot) {
        Page* page = nullptr;
        PumpUntil([&] { return (page = dynamic_cast<Page*>(frame->Page(slot))) != nullptr; }, 60000);
        return page;
    }

    static SimProcess* s_sim;
    BridgeHost host;
    RecordingVideoView video;
    FakeMediaFactory media;
    std::unique_ptr<CDvrClient> client;
    std::unique_ptr<CRemoteSearchDlg> frame;
    std::filesystem::path m_save;
};

SimProcess* SimEndToEnd::s_sim = nullptr;

TEST_F(SimEndToEnd, AMonthQueryFillsTheCalendarAndADayQueryTheTimeline) {
    FrameRig::Click(*frame->Page(kSlotSearchMenu), IDC_SEARCH_MENU_CALENDAR);
    auto* calendar = WaitPage<CPlayCalendarDlg>(kSlotPlayCalendar);
    ASSERT_NE(calendar, nullptr);
    EXPECT_FALSE(frame->IsBusy());
    EXPECT_EQ(calendar->SelectedYear(), 2024);
    EXPECT_EQ(calendar->SelectedMonth(), 2);
    ASSERT_EQ(calendar->DayButton(14).m_bMarked, 1); // the simulator's clock day
    EXPECT_EQ(calendar->DayButton(20).m_bMarked, 0);

    FrameRig::Click(*calendar, CPlayCalendarDlg::kIdFirstDay + 14);
    auto* timeline = WaitPage<CDayTimelineDlg>(kSlotDayTimeline);
    ASSERT_NE(timeline, nullptr);
    EXPECT_FALSE(frame->IsBusy());
    CString date;
    timeline->Label(25).GetWindowText(date);
    EXPECT_EQ(date, "2024 - 03 - 15");
    ASSERT_FALSE(frame->DayRecords().empty());
    CDrawRecorder recorder;
    {
        CDrawRecorder::ThreadCapture capture(recorder);
        timeline->GetHost()->grab();
    }
    int bars = 0;
    for (const DrawRecord& d : recorder.Of(DrawRecord::Op::Blt)) {
        bars += d.rect.bottom - d.rect.top == 8 && d.rect.left >= 113 ? 1 : 0;
    }
    EXPECT_GT(bars, 0);
    EXPECT_TRUE(host.Notices().empty());
}

TEST_F(SimEndToEnd, ABackupPickedOnTheCalendarAndTimelinesDownloadsToFiles) {
    FrameRig::Click(*frame, 431);
    FrameRig::Click(*frame->Page(kSlotBackupMenu), IDC_SEARCH_MENU_CALENDAR);
    auto* calendar = WaitPage<CBackupCalendarDlg>(kSlotBackupCalendar);
    ASSERT_NE(calendar, nullptr);
    ASSERT_EQ(calendar->DayButton(14).m_bMarked, 1);
    FrameRig::Click(*calendar, CPlayCalendarDlg::kIdFirstDay + 14);
    auto* start = WaitPage<CBackupTimelineDlg>(kSlotBackupTimeline);
    ASSERT_NE(start, nullptr);
    ASSERT_EQ(start->Mode(), 0);

    // Three seconds from the first ten-second stretch of that day's recordings.
    const DWORD dayStart = Utc(2024, 2, 14);
    DWORD from = 0;
    for (const RecSegment& s : frame->DayRecords()) {
        const DWORD begin = std::max(s.Start(), dayStart);
        if (s.End() >= begin + 10 && begin < dayStart + 86000 && (from == 0 || begin < from)) {
            from = begin;
        }
    }
    ASSERT_NE(from, 0u);
    const RecorderFields f = SplitRecorderTimeOrEpoch(from + 1);
    const RecorderFields t = SplitRecorderTimeOrEpoch(from + 4);
    ASSERT_EQ(f.day, t.day);
    start->OnTimePicked(1, f.hour, f.minute, f.second);
    FrameRig::Click(*start, 481); // Next: the end day from the same month records
    calendar = WaitPage<CBackupCalendarDlg>(kSlotBackupCalendar);
    ASSERT_NE(calendar, nullptr);
    FrameRig::Click(*calendar, CPlayCalendarDlg::kIdFirstDay + 14);
    CBackupTimelineDlg* end = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            end = dynamic_cast<CBackupTimelineDlg*>(frame->Page(kSlotBackupTimeline));
            return end != nullptr && end->Mode() == 1;
        },
        60000));
    end->OnTimePicked(3, t.hour, t.minute, t.second);
    FrameRig::Click(*end, 480);
    ASSERT_TRUE(PumpUntil([&] { return end->m_btnBackup.IsWindowEnabled() != FALSE; }, 60000));
    EXPECT_GT(end->Size().kbytes, 0u);
    EXPECT_FALSE(frame->IsBusy());

    FrameRig::Click(*end, 482);
    EXPECT_TRUE(PumpUntil([&] { return !frame->IsWindowVisible(); }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return host.Posted(WM_KELO_BACKUP_CLOSE); }, 120000));
    ASSERT_TRUE(PumpUntil([&] { return !client->Backup().HasDownloadWriter(); }, 60000));

    const std::vector<std::filesystem::path> sets = ListIndexFiles(DownloadFolder(m_save));
    ASSERT_FALSE(sets.empty());
    IndexFileContents contents;
    ASSERT_TRUE(ReadIndexFile(sets.front(), contents));
    ASSERT_FALSE(contents.segments.empty());
    EXPECT_GE(contents.segments.front().start, from + 1);
    EXPECT_LE(contents.segments.back().end, from + 5);
    for (const char* extension : {".vih", ".vid"}) {
        std::filesystem::path other = sets.front();
        other.replace_extension(extension);
        EXPECT_TRUE(std::filesystem::exists(other)) << extension;
    }
    EXPECT_TRUE(host.Notices().empty());
}

} // namespace
