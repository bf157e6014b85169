// Backup against a scripted recorder: the size answers, the download into a file set, its end by
// the recorder, by the user's disconnect and by a full disk.
#include "protocol/ByteOrder.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/BackupSetReader.h"
#include "tests/protocol/ClientRig.h"
#include "tests/protocol/FrameBytes.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

using namespace rig;
using namespace framebytes;

namespace {

using kelotest::TempDir;

Bytes Block(int index) {
    RecordShape rec;
    rec.time = 5000 + DWORD(index / 4);
    rec.segmentKey = 1 + DWORD(index / 10);
    rec.cameraName = "CAM";
    FrameShape f;
    f.channel = index % 4;
    f.time = rec.time;
    f.milliseconds = WORD(index * 40 % 1000);
    f.videoSize = 1000 + 37 * std::size_t(index);
    f.audioValue = 2048;
    f.audioPresent = true;
    f.fill = BYTE(index);
    return MakeBlock(rec, f);
}

void SendFragmented(ClientRig& r, unsigned id, const Bytes& block, std::size_t fragment = 700) {
    for (std::size_t at = 0; at < block.size(); at += fragment) {
        const std::size_t n = std::min(fragment, block.size() - at);
        ASSERT_TRUE(r.recorder.Send(id, Bytes(block.begin() + at, block.begin() + at + n), at + n == block.size()));
    }
}

// Every frame of the sets equals the blocks sent, in order, nothing lost or added.
void ExpectSets(const std::vector<std::filesystem::path>& paths, const std::vector<Bytes>& sent) {
    std::size_t n = 0;
    for (const auto& path : paths) {
        backupset::Set set;
        ASSERT_EQ(backupset::Read(path, set), "") << path;
        for (const auto& frame : set.frames) {
            ASSERT_LT(n, sent.size());
            EXPECT_TRUE(frame.frame.size() == sent[n].size() - 192 &&
                        std::equal(frame.frame.begin(), frame.frame.end(), sent[n].begin() + 192))
                << "frame " << n;
            EXPECT_TRUE(std::equal(frame.record.begin(), frame.record.begin() + 32, sent[n].begin())) << n;
            ++n;
        }
    }
    EXPECT_EQ(n, sent.size());
}

std::vector<std::filesystem::path> IdxFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> out;
    for (const auto& e : std::filesystem::directory_iterator(folder / "Download")) {
        if (e.path().extension() == ".idx") {
            out.push_back(e.path());
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

// A rig whose download writer is given a loaded machine's time: the end of a backup waits while the
// writer still takes frames, and a writer that is merely slow must not lose the frames it holds.
Options SlowWriter() {
    Options options;
    options.drainLimit = std::chrono::seconds(60);
    return options;
}

bool Posted(const FakeClientHost& host, ClientWindow window, UINT message, WPARAM wParam) {
    return host.WaitFor(
        [&](const HostCall& c) {
            return c.kind == HostCall::Post && c.window == window && c.message == message && c.wParam == wParam;
        },
        std::chrono::seconds(10));
}

} // namespace

TEST(ClientBackup, SizeAnswersGoToTheSearchFrame) {
    ClientRig r;
    r.Send(Msg::TRANS_ON_ACK, BE32(1234)); // no frame open: nobody to tell
    r.Sync();
    r.client->Search().SetSearchFrameOpen(true);
    r.Send(Msg::TRANS_ON_ACK, BE32(4321));
    r.Send(Msg::TRANS_ON_ACK, Bytes{1, 2}); // too short to hold a size
    Bytes space = BE32(87);
    PutBE32(space, 3000);
    PutBE32(space, 1200);
    r.Send(Msg::TRANS_ON_NACK, space);
    r.Sync();
    std::vector<WPARAM> sizes;
    for (const HostCall& c : r.host.CallsOf(HostCall::Post)) {
        if (c.message == WM_KELO_BACKUP_SIZE) {
            EXPECT_EQ(c.window, ClientWindow::SearchFrame);
            sizes.push_back(c.wParam);
        }
    }
    EXPECT_EQ(sizes, std::vector<WPARAM>{4321});
    EXPECT_EQ(r.host.CallsOf(HostCall::ClearBusy).size(), 2u);
    EXPECT_EQ(r.host.Notices(), std::vector<LPARAM>{kNoticeRefusedNoSpace});
    EXPECT_EQ(r.client->Backup().GetSpaceNackSize(0), 3000u);
    EXPECT_EQ(r.client->Backup().GetSpaceNackSize(1), 1200u);
}

TEST(ClientBackup, DownloadsIntoAClosedSetAndEndsWhenTheRecorderIsDone) {
    TempDir folder;
    ClientRig r(SlowWriter());
    r.client->Backup().SetSaveLocation(folder.Path());
    ASSERT_TRUE(r.client->Backup().CreateDownloadWriter(100, 1, 0));
    EXPECT_FALSE(r.client->Backup().CreateDownloadWriter(100, 1, 0)); // one backup at a time
    EXPECT_TRUE(r.client->Backup().IsBackup());
    std::vector<Bytes> sent;
    for (int i = 0; i < 30; ++i) {
        sent.push_back(Block(i));
        SendFragmented(r, Msg::TRANS_ON_DATA, sent.back());
        if (i == 12) {
            Bytes broken = Block(99);
            broken[192 + 10] ^= 0x01; // a frame length that does not add up: dropped
            SendFragmented(r, Msg::TRANS_ON_DATA, broken);
        }
    }
    r.Send(Msg::TRANS_ON_DONE);
    EXPECT_EQ(r.Next().id, unsigned(Msg::TRANS_OFF_REQ));
    EXPECT_TRUE(Posted(r.host, ClientWindow::MainWindow, WM_KELO_BACKUP_CLOSE, 0));
    r.Sync();
    EXPECT_FALSE(r.client->Backup().IsBackup());
    EXPECT_FALSE(r.client->Backup().HasDownloadWriter());
    EXPECT_TRUE(Posted(r.host, ClientWindow::MainWindow, WM_KELO_BACKUP_CREATE, 100));
    ExpectSets(IdxFiles(folder.Path()), sent);
}

TEST(ClientBackup, PlaybackAndBackupFragmentsNeverMix) {
    TempDir folder;
    ClientRig r(SlowWriter());
    r.client->Backup().SetSaveLocation(folder.Path());
    r.StartLive();
    r.Send(Msg::PLAY_ON_ACK);
    r.Sync();
    ASSERT_TRUE(r.client->Backup().CreateDownloadWriter(100, 1, 0));
    const Bytes backup = Block(1);
    RecordShape rec;
    rec.time = 7000;
    FrameShape f;
    f.channel = 3;
    f.time = 7000;
    f.videoSize = 2500;
    const Bytes play = MakeBlock(rec, f);
    // The two streams' fragments alternate on the connection.
    const std::size_t fragment = 500;
    for (std::size_t at = 0; at < std::max(play.size(), backup.size()); at += fragment) {
        if (at < play.size()) {
            const std::size_t n = std::min(fragment, play.size() - at);
            Header h;
            h.id = Msg::PLAY_DATA;
            h.speedCode = 12;
            h.last = at + n == play.size();
            r.Send(h, Bytes(play.begin() + at, play.begin() + at + n));
        }
        if (at < backup.size()) {
            const std::size_t n = std::min(fragment, backup.size() - at);
            r.recorder.Send(Msg::TRANS_ON_DATA, Bytes(backup.begin() + at, backup.begin() + at + n),
                            at + n == backup.size());
        }
    }
    r.Send(Msg::TRANS_ON_DONE);
    EXPECT_TRUE(Posted(r.host, ClientWindow::MainWindow, WM_KELO_BACKUP_CLOSE, 0));
    r.Sync();
    auto item = r.media.Decoder(3)->queue.Take();
    ASSERT_NE(item, nullptr);
    EXPECT_TRUE(std::equal(play.begin() + 192, play.end(), item->data.begin()));
    ExpectSets(IdxFiles(folder.Path()), {backup});
}

TEST(ClientBackup, DisconnectDuringLiveViewClosesTheRunningBackup) {
    TempDir folder;
    ClientRig r(SlowWriter());
    r.client->Backup().SetSaveLocation(folder.Path());
    r.StartLive();
    ASSERT_TRUE(r.client->Backup().CreateDownloadWriter(100, 1, 0));
    std::vector<Bytes> sent;
    for (int i = 0; i < 12; ++i) {
        sent.push_back(Block(i));
        SendFragmented(r, Msg::TRANS_ON_DATA, sent.back());
    }
    r.Sync();
    r.client->Disconnect();
    std::vector<unsigned> ids;
    for (ScriptedRecorder::Received m = r.recorder.Read(2000); m.ok; m = r.recorder.Read(2000)) {
        ids.push_back(m.id);
    }
    EXPECT_EQ(ids, (std::vector<unsigned>{Msg::LIVE_STOP, Msg::TRANS_OFF_REQ, Msg::BYE48}));
    ExpectSets(IdxFiles(folder.Path()), sent);
    backupset::Set set;
    ASSERT_EQ(backupset::Read(IdxFiles(folder.Path())[0], set), "");
    EXPECT_EQ(set.trailerStamp, 0u);
}

TEST(ClientBackup, AFullDiskEndsTheBackupWithANoticeAndAReadableSet) {
    TempDir folder;
    ClientRig r(SlowWriter());
    auto freeBytes = std::make_shared<std::atomic<LONGLONG>>(0x40100 + 3 * 128 + 30000);
    DownloadWriterOptions options;
    options.saveLocation = folder.Path();
    options.allocationHook = [freeBytes](LONGLONG delta) {
        if (delta > freeBytes->load()) {
            return ENOSPC;
        }
        *freeBytes -= delta;
        return 0;
    };
    r.client->Backup().SetDownloadOptions(options);
    ASSERT_TRUE(r.client->Backup().CreateDownloadWriter(100, 1, 0));
    std::vector<Bytes> sent;
    for (int i = 0; i < 30; ++i) {
        sent.push_back(Block(i));
        SendFragmented(r, Msg::TRANS_ON_DATA, sent.back(), 65535);
    }
    EXPECT_TRUE(r.host.WaitForNotice(kNoticeWriteNoSpace));
    EXPECT_EQ(r.Next().id, unsigned(Msg::TRANS_OFF_REQ));
    r.Sync();
    EXPECT_FALSE(r.client->Backup().IsBackup());
    // The notice tells the operator; no "connection failed" entry is logged for it.
    const auto calls = r.host.Calls();
    EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                            [](const HostCall& c) { return c.kind == HostCall::LocalLog && c.subKind == 4; }),
              0);
    const auto sets = IdxFiles(folder.Path());
    ASSERT_EQ(sets.size(), 1u);
    backupset::Set set;
    ASSERT_EQ(backupset::Read(sets[0], set), "");
    ASSERT_GT(set.frames.size(), 0u);
    ASSERT_LT(set.frames.size(), sent.size());
    sent.resize(set.frames.size());
    ExpectSets(sets, sent);
}
