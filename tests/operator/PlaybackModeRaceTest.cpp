// The local player's mode as the operator's press and the playback thread change it together: a
// press that lands while the thread pauses the player on its own (the end of the recordings) is
// never lost. The press is made at the one moment that loses it when the two changes interleave:
// while the thread is inside its pause, after it decided to pause.
#include "archive/LocalPlayer.h"
#include "archive/RecordingScan.h"
#include "tests/archive/BackupSetMaker.h"
#include "tests/archive/PlayerTestHost.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <ctime>
#include <mutex>
#include <thread>

using namespace backupmaker;
using namespace playertest;

namespace {

// 2026-12-10 09:00 UTC, today on the recorder the backup came from.
DWORD TodayNine() {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 10;
    tm.tm_hour = 9;
    return DWORD(timegm(&tm));
}

// The test host whose play-bar update, when the playback thread pauses the player, lets the
// operator press Reverse on another thread (the UI's) at that very moment.
class PressingHost : public Host {
public:
    void SetPlayButtons(int reverse, int forward, int pause) override {
        Host::SetPlayButtons(reverse, forward, pause);
        if (pause != 1 || std::this_thread::get_id() == m_uiThread || m_pressing || m_player == nullptr) {
            return;
        }
        m_pressing = true;
        m_framesAtPress = FrameCount();
        m_press = std::thread([this] {
            m_player->SetMode(kPlayReverse);
            std::lock_guard lock(m_pressLock);
            m_pressDone = true;
            m_pressChanged.notify_all();
        });
        // Told only once the thread is there to join.
        m_pressed = true;
        // Where the two changes interleave the press goes through at once; where they are made one
        // after the other it waits for the thread's, and this bound lets the thread go on.
        std::unique_lock lock(m_pressLock);
        m_pressChanged.wait_for(lock, std::chrono::seconds(1), [this] { return m_pressDone; });
    }

    void Attach(CLocalPlayer& player) { m_player = &player; }
    bool Pressed() const { return m_pressed.load(); }
    std::size_t FramesAtPress() const { return m_framesAtPress.load(); }
    void JoinPress() {
        if (m_press.joinable()) {
            m_press.join();
        }
    }

private:
    const std::thread::id m_uiThread = std::this_thread::get_id();
    CLocalPlayer* m_player = nullptr;
    bool m_pressing = false; // the playback thread's own
    std::atomic<bool> m_pressed{false};
    std::atomic<std::size_t> m_framesAtPress{0};
    std::thread m_press;
    std::mutex m_pressLock;
    std::condition_variable m_pressChanged;
    bool m_pressDone = false;
};

TEST(PlaybackModeRace, AReversePressedAsThePlayerPausesAtTheEndIsKept) {
    TempFolder folder;
    const DWORD from = TodayNine();
    WriteBackup(folder.Path(), from, Seconds(from, 8, {0, 1, 2, 3}));
    CRecordingScan scan;
    const std::vector<PlayListNode> nodes =
        scan.BuildPlayList(CRecordingScan::FindSets(folder.Download()), LocalSearchKind::Time, from, 0);
    ASSERT_FALSE(nodes.empty());

    auto owned = std::make_unique<PressingHost>();
    PressingHost* host = owned.get();
    CLocalPlayer player(std::move(owned), nodes, CRecordingScan::FindStartNode(nodes, from).value_or(0));
    host->Attach(player);
    // Play is pressed before the thread runs, as it would otherwise play on in Start's mode.
    host->HoldStart();
    ASSERT_TRUE(player.Start());
    player.SetMode(kPlayForward);
    host->Release();

    // Forward to the end: the thread pauses, and the press lands inside that pause.
    ASSERT_TRUE(host->WaitFor([&] { return host->Pressed(); }));
    host->JoinPress();
    // The press stands: the player plays backward from the end.
    const bool reversed = host->WaitFor(
        [&] {
            const std::size_t at = host->FramesAtPress();
            return host->frames.size() > at + 1 && host->frames.back().time < host->frames[at - 1].time;
        },
        std::chrono::seconds(30));
    EXPECT_TRUE(reversed) << "mode " << player.GetMode() << ", speed " << player.GetSpeed() << ", "
                          << host->FrameCount() - host->FramesAtPress() << " frames after the press";
    player.Stop();
    player.Close();
}

} // namespace
