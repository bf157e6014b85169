// Events of each type (alarm, motion, audio) against the recorder simulator, through the real main
// window: the event list shows the recorder's events of the chosen type; Calculate sizes the
// selected event (its record type as the type mask), Backup downloads it, and Play plays it back
// from its start.
#include "archive/BackupEventListDlg.h"
#include "archive/EventListDlg.h"
#include "archive/LocalIndexFile.h"
#include "archive/RemoteSearchDlg.h"
#include "sim/SimArchive.h"
#include "tests/app/WiredFixture.h"

#include <gtest/gtest.h>

using namespace wiredtest;

namespace {

struct TypeCase {
    const char* name;
    BYTE type;   // the event's type number: 1 alarm, 2 motion, 4 audio
    UINT filter; // its filter button
};

void PrintTo(const TypeCase& c, std::ostream* os) {
    *os << c.name;
}

// A seed whose two days of recordings hold events of all three types.
constexpr int kSeed = 5;

// The recorder's first event of the type, as the simulator that WiredFixture starts generates it.
struct Event {
    DWORD start = 0;
    DWORD end = 0;
    DWORD mask = 0;
};

Event FirstEvent(BYTE type) {
    const ksim::CSimArchive archive(kSeed, 4, 2, kClock, 0);
    for (const ksim::SimSegment& s : archive.Segments()) {
        if (s.eventCode == type) {
            return Event{s.start, s.end, s.mask};
        }
    }
    return {};
}

void SelectRow(CEventListDlg& page, int row) {
    page.List().SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

class SimEventTypesTest : public WiredFixture, public ::testing::WithParamInterface<TypeCase> {
protected:
    // Opens the event list of the Search (430) or Backup (431) tab and shows the case's type.
    template <class Page>
    static Page* OpenEventList(CRemoteSearchDlg& frame, UINT tab, int menuSlot, int pageSlot) {
        Press(frame, tab);
        CWnd* menu = frame.Page(menuSlot);
        if (menu == nullptr) {
            return nullptr;
        }
        Press(*menu, 451);
        Page* page = nullptr;
        WaitUntil([&] { return (page = dynamic_cast<Page*>(frame.Page(pageSlot))) != nullptr; }, 60000);
        if (page != nullptr) {
            Press(*page, GetParam().filter);
        }
        return page;
    }
};

TEST_P(SimEventTypesTest, CalculateSizesTheEventAndBackupDownloadsIt) {
    const Event event = FirstEvent(GetParam().type);
    ASSERT_NE(event.start, 0u) << "the simulator's archive has no event of this type";
    Connect({"--seed", std::to_string(kSeed)});
    AnswerBoxes();
    DWORD rows = 0;
    DWORD kbytes = 0;
    bool backupEnabled = false;
    bool started = false;
    ModalScript script;
    script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
        auto* page = OpenEventList<CBackupEventListDlg>(frame, 431, kSlotBackupMenu, kSlotBackupEventList);
        if (page == nullptr) {
            Press(frame, 435);
            return;
        }
        rows = DWORD(page->List().GetItemCount());
        SelectRow(*page, 0);
        Press(*page, 480); // Calculate
        WaitUntil([&] { return page->Size().kbytes != 0 || page->m_btnCalculate.IsWindowEnabled() != FALSE; }, 60000);
        kbytes = page->Size().kbytes;
        backupEnabled = page->m_btnPlay.IsWindowEnabled() != FALSE;
        if (!backupEnabled) {
            Press(frame, 435);
            return;
        }
        Press(*page, CEventListDlg::kIdPlay); // Backup
        started = true;
    });
    Click(IDC_RSEARCH);
    ASSERT_TRUE(script.Done());
    EXPECT_GT(rows, 0u);
    EXPECT_TRUE(SimSaw("sim: recv TRANS_ON_REQ"));
    EXPECT_GT(kbytes, 0u) << "Calculate found nothing of the event's record type";
    ASSERT_TRUE(backupEnabled);
    ASSERT_TRUE(started);
    ASSERT_TRUE(SimSaw("sim: recv TRANS_DATA_REQ"));
    // An event is up to forty minutes of one or two channels: on a busy machine its download has
    // taken more than four minutes.
    ASSERT_TRUE(WaitUntil(
        [&] { return !main->GetClient()->Backup().IsBackup() && !main->GetClient()->Backup().HasDownloadWriter(); },
        720000));
    // The downloaded set holds the event: its recording, from its start, of its type.
    const std::vector<fs::path> sets = ListIndexFiles(DownloadFolder(SaveFolder()));
    ASSERT_EQ(sets.size(), 1u);
    IndexFileContents contents;
    ASSERT_TRUE(ReadIndexFile(sets.front(), contents));
    ASSERT_FALSE(contents.segments.empty());
    EXPECT_EQ(contents.segments.front().start, event.start);
    EXPECT_EQ(contents.segments.front().eventType, GetParam().type);
    EXPECT_EQ(contents.segments.front().channelMask & ~event.mask, 0u);
}

TEST_P(SimEventTypesTest, PlayPlaysTheEventFromItsStart) {
    const Event event = FirstEvent(GetParam().type);
    ASSERT_NE(event.start, 0u);
    Connect({"--seed", std::to_string(kSeed)});
    AnswerBoxes();
    bool played = false;
    ModalScript script;
    script.Expect<CRemoteSearchDlg>([&](CRemoteSearchDlg& frame) {
        auto* page = OpenEventList<CEventListDlg>(frame, 430, kSlotSearchMenu, kSlotEventList);
        if (page == nullptr || page->List().GetItemCount() == 0) {
            Press(frame, 435);
            return;
        }
        SelectRow(*page, 0);
        if (page->m_btnPlay.IsWindowEnabled() == FALSE) {
            Press(frame, 435);
            return;
        }
        Press(*page, CEventListDlg::kIdPlay);
        played = true;
    });
    Click(IDC_RSEARCH);
    ASSERT_TRUE(script.Done());
    ASSERT_TRUE(played);
    EXPECT_TRUE(SimSaw("sim: recv PLAY_ON_REQ"));
    ASSERT_TRUE(WaitUntil([&] { return main->GetClient()->Play().IsRemotePlay(); }, 60000));
    // The playback clock runs within the event.
    DWORD clock = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            clock = main->GetClient()->Play().GetPlayClock();
            return clock != 0;
        },
        60000));
    EXPECT_GE(clock, event.start);
    EXPECT_LT(clock, event.end);
    // Stop ends playback; the frame opens again on the event list to return to, and is closed.
    ModalScript again;
    again.Expect<CRemoteSearchDlg>([](CRemoteSearchDlg& frame) { Press(frame, 435); });
    Click(IDC_PLAY_STOP);
    EXPECT_TRUE(SimSaw("sim: recv RPLAY_STOP"));
    EXPECT_TRUE(WaitUntil([&] { return !main->GetClient()->Play().IsRemotePlay(); }, 30000));
}

INSTANTIATE_TEST_SUITE_P(Types, SimEventTypesTest,
                         ::testing::Values(TypeCase{"Alarm", 1, 470}, TypeCase{"Motion", 2, 471},
                                           TypeCase{"Audio", 4, 472}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
