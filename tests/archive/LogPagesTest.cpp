// The recorder's log and information pages in the remote search frame, over a logged-in client: the
// log from a reply, the filtered lists, the buttons a selection enables, Play and Details, printing,
// the cache a reopened frame shows, and the status and system pages.
#include "ArchiveGuiSupport.h"
#include "tests/archive/RecordingPrintDevice.h"

#include "archive/LogPageRegistry.h"
#include "archive/RemoteLogAllDlg.h"
#include "archive/RemoteLogDetailDlg.h"
#include "archive/RemoteLogEventDlg.h"
#include "archive/RemoteLogOperationDlg.h"
#include "archive/RemoteLogPowerDlg.h"
#include "archive/RemoteLogStore.h"
#include "archive/RemoteStatusInfoDlg.h"
#include "archive/RemoteSystemInfoDlg.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"
#include "protocol/ClientMessages.h"
#include "res/ControlIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace archivetest;

namespace {

constexpr UINT kLogReady = WM_KELO_LOG_READY;
constexpr UINT kStatusReady = WM_KELO_STATUS_READY;

struct LogLine {
    DWORD number;
    DWORD main;
    DWORD sub;
    DWORD time;
    DWORD value;
};

std::vector<BYTE> LogReply(const std::vector<LogLine>& lines) {
    std::vector<BYTE> bytes(lines.size() * 200, 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        BYTE* r = &bytes[i * 200];
        const DWORD fields[6] = {lines[i].number, 200, lines[i].main, lines[i].sub, lines[i].time, lines[i].value};
        for (int f = 0; f < 6; ++f) {
            WriteBE32(r + 4 * f, fields[f]);
        }
        std::memcpy(r + 152, "user", 4);
    }
    return bytes;
}

// Power and Operation at once, a settings change, an event on channels 1 and 3, and a client entry.
const std::vector<LogLine> kLog = {
    {1, 5, 2, 1204372800, 0},
    {2, 4, 1u << 4, 1204372900, 0},
    {3, 16, 1, 1204373000, 0x0005},
    {4, 8, 1, 1204373100, 0},
};

std::vector<std::string> Column(CListCtrl& list, int column) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetItemCount(); ++i) {
        texts.emplace_back(list.GetItemText(i, column).GetString());
    }
    return texts;
}

void Select(CListCtrl& list, int item) {
    list.SetItemState(item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Flush();
}

class LogPages : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLogAndInfoPages();
        CRemoteLogStore::Instance().Reset();
        ASSERT_TRUE(r.Open());
    }
    // The Log tab asks for the log; the reply opens the All page.
    CRemoteLogAllDlg* OpenLog() {
        FrameRig::Click(*r.frame, 432);
        EXPECT_EQ(r.Next().id, unsigned(Msg::LOG_INFO_REQ));
        r.Reply(kLogReady, LogReply(kLog), 0);
        return r.PageAt<CRemoteLogAllDlg>(kSlotLogAll);
    }

    FrameRig r;
};

} // namespace

TEST_F(LogPages, TheAllPageListsTheReplyNewestFirst) {
    CRemoteLogAllDlg* all = OpenLog();
    ASSERT_NE(all, nullptr);
    EXPECT_FALSE(r.frame->IsBusy());
    EXPECT_EQ(Column(all->m_list, 0), (std::vector<std::string>{"00004", "00003", "00002", "00001"}));
    EXPECT_EQ(Column(all->m_list, 4)[1], "01 03 ");
    EXPECT_TRUE(r.frame->ReplyBytes().empty()) << "the page takes the reply";
    EXPECT_EQ(CRemoteLogStore::Instance().Cache(r.client->client.get()).size(), 4u);
    EXPECT_FALSE(all->m_btnDetails.IsWindowEnabled());
    EXPECT_FALSE(all->m_btnPlay.IsWindowEnabled());
    EXPECT_TRUE(all->m_btnPrint.IsWindowEnabled());
}

TEST_F(LogPages, ASelectionEnablesDetailsForSettingsChangesAndPlayForEvents) {
    CRemoteLogAllDlg* all = OpenLog();
    ASSERT_NE(all, nullptr);
    struct Case {
        int row;
        bool details;
        bool play;
    };
    const Case cases[] = {{2, true, false}, {1, false, true}, {3, false, false}, {0, false, false}};
    for (const Case& c : cases) {
        Select(all->m_list, c.row);
        EXPECT_EQ(all->GetSelectedEntry(), 3 - c.row);
        EXPECT_EQ(bool(all->m_btnDetails.IsWindowEnabled()), c.details) << "row " << c.row;
        EXPECT_EQ(bool(all->m_btnPlay.IsWindowEnabled()), c.play) << "row " << c.row;
    }
    // While a local player exists an event cannot be played.
    r.host.localPlayer = true;
    Select(all->m_list, 1);
    EXPECT_FALSE(all->m_btnPlay.IsWindowEnabled());
}

TEST_F(LogPages, PlayAskedAtAnEventAndTheFrameReturnsToItsLog) {
    CRemoteLogAllDlg* all = OpenLog();
    ASSERT_NE(all, nullptr);
    Select(all->m_list, 1);
    FrameRig::Click(*all, CRemoteLogListDlg::kIdPlay);
    const Sent play = r.Next();
    ASSERT_EQ(play.id, unsigned(Msg::PLAY_ON_REQ));
    ASSERT_EQ(play.payload.size(), 24u);
    EXPECT_EQ(BE(play.payload, 0), 0x0005u);
    EXPECT_EQ(play.payload[4], 0);
    EXPECT_EQ(BE(play.payload, 16), 1204373000u);
    EXPECT_EQ(BE(play.payload, 20), 0u);
    EXPECT_EQ(r.host.resume.record.active, 1);
    EXPECT_EQ(r.host.resume.record.source, 1);
    EXPECT_EQ(r.host.resume.record.log_page, 0);
    EXPECT_EQ(r.host.resume.record.time, 1204373000u);
    EXPECT_TRUE(r.Ended());

    // Reopened during that playback, the frame shows the same log without asking for it.
    r.Close();
    ASSERT_TRUE(r.Open());
    CRemoteLogAllDlg* again = r.PageAt<CRemoteLogAllDlg>(kSlotLogAll);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->m_list.GetItemCount(), 4);
    EXPECT_TRUE(r.Quiet());
}

TEST_F(LogPages, FilteredPagesListTheirKindWithTheirOwnTexts) {
    ASSERT_NE(OpenLog(), nullptr);
    struct Case {
        UINT button;
        int slot;
        std::vector<std::string> numbers;
    };
    const Case cases[] = {
        {451, kSlotLogPower, {"00001"}},  {452, kSlotLogRecord, {}},       {453, kSlotLogOperation, {"00002", "00001"}},
        {454, kSlotLogClient, {"00004"}}, {455, kSlotLogEvent, {"00003"}},
    };
    CSearchPage* menu = r.frame->Page(kSlotLogMenu);
    ASSERT_NE(menu, nullptr);
    for (const Case& c : cases) {
        FrameRig::Click(*menu, c.button);
        auto* page = dynamic_cast<CRemoteLogListDlg*>(r.frame->Page(c.slot));
        ASSERT_NE(page, nullptr) << c.button;
        EXPECT_EQ(Column(page->m_list, 0), c.numbers) << c.button;
        EXPECT_EQ(r.frame->Page(kSlotLogAll), nullptr) << "one list at a time";
    }
    EXPECT_TRUE(r.Quiet()) << "the filtered lists ask for nothing";
    // The entry of Power and Operation reads as a power entry on one, an operation on the other.
    FrameRig::Click(*menu, 451);
    EXPECT_EQ(Column(r.PageAt<CRemoteLogPowerDlg>(kSlotLogPower)->m_list, 2)[0],
              " " + std::string(LoadResString(IDS_POWER_OFF)));
    FrameRig::Click(*menu, 453);
    auto* operation = r.PageAt<CRemoteLogOperationDlg>(kSlotLogOperation);
    EXPECT_EQ(Column(operation->m_list, 2)[1], " " + std::string(LoadResString(IDS_TIME_CHANGED)));
}

TEST_F(LogPages, DetailsShowTheSettingsAndPrevGoesBack) {
    for (const bool fromAll : {true, false}) {
        CRemoteLogAllDlg* all = OpenLog();
        ASSERT_NE(all, nullptr);
        CRemoteLogListDlg* list = all;
        if (!fromAll) {
            FrameRig::Click(*r.frame->Page(kSlotLogMenu), IDC_LOG_MENU_OPERATION);
            list = r.PageAt<CRemoteLogOperationDlg>(kSlotLogOperation);
            ASSERT_NE(list, nullptr);
        }
        Select(list->m_list, fromAll ? 2 : 0); // the settings change
        ASSERT_TRUE(list->m_btnDetails.IsWindowEnabled());
        FrameRig::Click(*list, fromAll ? CRemoteLogListDlg::kIdDetails : CRemoteLogListDlg::kIdPlay);
        auto* detail = r.PageAt<CRemoteLogDetailDlg>(kSlotLogDetail);
        ASSERT_NE(detail, nullptr);
        EXPECT_EQ(r.frame->Page(fromAll ? kSlotLogAll : kSlotLogOperation), nullptr);
        EXPECT_EQ(Column(detail->m_list, 0)[0], "00002");
        EXPECT_EQ(detail->m_list.GetItemCount(), 2) << "a change without masks: the entry and a blank row";

        FrameRig::Click(*detail, CRemoteLogDetailDlg::kIdPrev);
        if (fromAll) {
            EXPECT_EQ(r.Next().id, unsigned(Msg::LOG_INFO_REQ)) << "the All list is asked for again";
            r.frame->OnSearchBusyCleared();
        } else {
            EXPECT_NE(r.PageAt<CRemoteLogOperationDlg>(kSlotLogOperation), nullptr);
            EXPECT_TRUE(r.Quiet());
        }
        EXPECT_EQ(r.frame->Page(kSlotLogDetail), nullptr);
        FrameRig::Click(*r.frame, 433); // leave the Log tab so that the next round starts afresh
        FrameRig::Click(*r.frame, 430);
    }
}

TEST_F(LogPages, ADetailPageOfAnEntryNoLongerInTheTableStaysEmpty) {
    ASSERT_NE(OpenLog(), nullptr);
    r.frame->ShowContentPage(kSlotLogDetail, [] { return std::make_unique<CRemoteLogDetailDlg>(0, 99, 4); });
    auto* detail = r.PageAt<CRemoteLogDetailDlg>(kSlotLogDetail);
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->m_list.GetItemCount(), 0);
}

TEST_F(LogPages, PrintingFollowsTheListOrder) {
    CRemoteLogAllDlg* all = OpenLog();
    ASSERT_NE(all, nullptr);
    RecordingDevice device;
    EXPECT_EQ(all->PrintTo(device), 1);
    EXPECT_EQ(device.docName, "Remote Log All");
    std::vector<std::string> numbers;
    for (const std::string& t : device.recorder.Texts()) {
        if (t.size() == 5 && t[0] == '0') {
            numbers.push_back(t);
        }
    }
    EXPECT_EQ(numbers, (std::vector<std::string>{"00004", "00003", "00002", "00001"}));
}

TEST_F(LogPages, StatusAndSystemInformation) {
    FrameRig::Click(*r.frame, 433);
    auto* system = r.PageAt<CRemoteSystemInfoDlg>(kSlotSystemInfo);
    ASSERT_NE(system, nullptr);
    ASSERT_EQ(system->m_list.GetItemCount(), 10);
    EXPECT_EQ(Column(system->m_list, 1)[0], r.client->client->Login().GetAddress());
    EXPECT_EQ(Column(system->m_list, 1)[1], std::to_string(r.client->client->Login().GetPort()));

    FrameRig::Click(*r.frame->Page(kSlotInfoMenu), IDC_INFO_MENU_STATUS);
    EXPECT_EQ(r.Next().id, unsigned(Msg::STATUS_INFO_REQ));
    std::vector<BYTE> status(16, 0);
    WriteBE32(&status[0], 0x3);
    WriteBE32(&status[4], 1);
    WriteBE32(&status[8], 500);
    WriteBE32(&status[12], 100);
    r.Reply(kStatusReady, status, 0);
    auto* page = r.PageAt<CRemoteStatusInfoDlg>(kSlotStatusInfo);
    ASSERT_NE(page, nullptr);
    const int channels = r.frame->ChannelCount();
    EXPECT_EQ(page->m_list.GetItemCount(), 4 + channels);
    EXPECT_EQ(Column(page->m_list, 1)[0], "  500 MByte");
    EXPECT_EQ(Column(page->m_list, 1)[1], "  400 MByte");
    EXPECT_EQ(Column(page->m_list, 1)[4], std::string(LoadResString(IDS_RECORDING)));
    EXPECT_EQ(Column(page->m_list, 1)[6], std::string(LoadResString(IDS_NONE_STATUS)));
    EXPECT_TRUE(r.frame->ReplyBytes().empty());
}
