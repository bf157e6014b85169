#include "protocol/DownloadWriter.h"
#include "protocol/ClientMessages.h"
#include "tests/protocol/BackupSetReader.h"
#include "tests/protocol/FrameBytes.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace framebytes;

namespace {

using kelotest::TempDir;

struct Message {
    UINT message;
    WPARAM wParam;
};

class RecordingOwner : public IDownloadWriterOwner {
public:
    void PostWriterMessage(UINT message, WPARAM wParam, LPARAM) override {
        std::lock_guard lock(m_lock);
        m_messages.push_back({message, wParam});
        m_changed.notify_all();
    }
    void OnDownloadFailed(int error) override {
        std::lock_guard lock(m_lock);
        m_failures.push_back(error);
    }
    bool WaitForEnd(std::chrono::seconds timeout = 30s) {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(
            lock, timeout, [&] { return !m_messages.empty() && m_messages.back().message == WM_KELO_BACKUP_CLOSE; });
    }
    bool WaitForMessage(UINT message, std::chrono::seconds timeout = 30s) {
        std::unique_lock lock(m_lock);
        return m_changed.wait_for(lock, timeout, [&] {
            return std::any_of(m_messages.begin(), m_messages.end(),
                               [&](const Message& m) { return m.message == message; });
        });
    }
    std::vector<Message> Messages() {
        std::lock_guard lock(m_lock);
        return m_messages;
    }
    std::vector<int> Failures() {
        std::lock_guard lock(m_lock);
        return m_failures;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Message> m_messages;
    std::vector<int> m_failures;
};

struct Sent {
    std::vector<BYTE> block;
};

// One backup frame as the socket thread queues it.
std::unique_ptr<FrameItem> WriterItem(const std::vector<BYTE>& block) {
    FrameInfo info;
    EXPECT_EQ(CheckFrame(block, 192, info), FrameCheck::Ok);
    FrameDescriptor descriptor;
    FillFrameDescriptor(info, descriptor);
    const DWORD header[4] = {295u << 7, (1u << 30) | DWORD(block.size() & 0xFFFF), 0, 0};
    return MakeWriterItem(descriptor, header, block);
}

std::unique_ptr<FrameItem> EndItem(WORD id) {
    auto item = std::make_unique<FrameItem>();
    item->header[0] = DWORD(id) << 7;
    return item;
}

struct Plan {
    DWORD time;
    DWORD key;
    int channel;
    std::size_t video;
    BYTE eventType = 0;
};

std::vector<BYTE> BlockFor(const Plan& p, int index) {
    RecordShape r;
    r.time = p.time;
    r.segmentKey = p.key;
    r.eventType = p.eventType;
    r.cameraName = "CAM" + std::to_string(p.channel + 1);
    FrameShape f;
    f.channel = p.channel;
    f.time = p.time;
    f.milliseconds = WORD(index % 1000);
    f.videoSize = p.video;
    f.audioValue = 2048;
    f.audioPresent = true;
    f.keyMark = index % 5 == 0 ? 1 : 0;
    f.fill = BYTE(index);
    return MakeBlock(r, f);
}

DownloadWriterOptions Options(const TempDir& folder) {
    DownloadWriterOptions options;
    options.saveLocation = folder.Path();
    options.clock = [] { return DWORD(0x60000000); };
    return options;
}

// Runs a whole backup of the planned frames and returns the blocks sent.
std::vector<std::vector<BYTE>> Feed(CDownloadWriter& writer, const std::vector<Plan>& plan) {
    std::vector<std::vector<BYTE>> sent;
    for (std::size_t i = 0; i < plan.size(); ++i) {
        sent.push_back(BlockFor(plan[i], int(i)));
        EXPECT_TRUE(writer.QueueFrame(WriterItem(sent.back()), 30s)) << i;
    }
    return sent;
}

// The frames of all sets, in order, compared with what was sent: nothing lost, nothing added.
void ExpectSameFrames(const std::vector<backupset::Set>& sets, const std::vector<std::vector<BYTE>>& sent) {
    std::size_t n = 0;
    for (const backupset::Set& set : sets) {
        for (const backupset::Frame& frame : set.frames) {
            ASSERT_LT(n, sent.size());
            const std::vector<BYTE>& block = sent[n];
            std::vector<BYTE> record(block.begin(), block.begin() + 192);
            std::vector<BYTE> stored = frame.record;
            std::fill(stored.begin() + 32, stored.begin() + 36, 0); // the writer's two links
            std::fill(stored.begin() + 44, stored.begin() + 48, 0);
            EXPECT_EQ(stored, record) << "record " << n;
            EXPECT_TRUE(std::equal(frame.frame.begin(), frame.frame.end(), block.begin() + 192) &&
                        frame.frame.size() == block.size() - 192)
                << "frame " << n;
            ++n;
        }
    }
    EXPECT_EQ(n, sent.size());
}

std::vector<backupset::Set> ReadSets(const CDownloadWriter& writer) {
    std::vector<backupset::Set> sets;
    for (const auto& path : writer.GetSetPaths()) {
        backupset::Set set;
        const std::string error = backupset::Read(path, set);
        EXPECT_EQ(error, "") << path;
        sets.push_back(std::move(set));
    }
    return sets;
}

} // namespace

TEST(DownloadWriter, WritesAReadableSetWithItsIndex) {
    TempDir folder;
    RecordingOwner owner;
    // Segment 1 (key 10): two channels, two frames in one second, then a five-second gap.
    // Segment 2 (key 20) starts in the same second as the frame before it. Segment 3 is an event.
    const std::vector<Plan> plan = {
        {100, 10, 0, 3000}, {100, 10, 1, 2000}, {105, 10, 0, 1000},   {105, 20, 2, 500},
        {106, 20, 2, 700},  {106, 20, 2, 800},  {107, 30, 3, 900, 2}, {109, 30, 3, 100, 2},
    };
    std::vector<std::vector<BYTE>> sent;
    std::vector<std::filesystem::path> paths;
    ULONGLONG total = 0;
    {
        CDownloadWriter writer(owner, 4321, 5, 1, Options(folder));
        sent = Feed(writer, plan);
        ASSERT_TRUE(writer.QueueFrame(EndItem(CDownloadWriter::kIdTransOnDone), 30s));
        ASSERT_TRUE(owner.WaitForEnd());
        EXPECT_FALSE(writer.HasFailed());
        paths = writer.GetSetPaths();
        total = writer.GetTotalBytes();
        EXPECT_EQ(writer.GetShownSize(), 5u);
    }
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], folder.Path() / "Download" / "60000000.idx");
    backupset::Set set;
    ASSERT_EQ(backupset::Read(paths[0], set), "");
    ExpectSameFrames({set}, sent);

    for (DWORD stamp : set.headerStamp) {
        EXPECT_EQ(stamp, 0u);
    }
    EXPECT_EQ(set.trailerStamp, 0u);
    EXPECT_EQ(set.earliest, 100u);
    EXPECT_EQ(set.latest, 109u);
    EXPECT_EQ(set.frames[0].record[32], 64); // the first record links to itself

    ASSERT_EQ(set.segments.size(), 3u);
    const DWORD starts[] = {100, 105, 107};
    const DWORD ends[] = {105, 107, 109};
    const DWORD masks[] = {0x3, 0x4, 0x8};
    const BYTE events[] = {0, 0, 2};
    for (int k = 0; k < 3; ++k) {
        const backupset::Segment& s = set.segments[k];
        EXPECT_EQ(s.start, starts[k]) << k;
        EXPECT_EQ(s.end, ends[k]) << k;
        EXPECT_EQ(s.mask, masks[k]) << k;
        EXPECT_EQ(s.mask2, masks[k]) << k;
        EXPECT_EQ(s.one, 1u) << k;
        EXPECT_EQ(s.attributes[2], events[k]) << k; // each segment's own event type
    }
    EXPECT_EQ(set.segments[0].channelBytes[0], (40u + 3000 + 2048) + (40u + 1000 + 2048));
    EXPECT_EQ(set.segments[0].channelBytes[1], 40u + 2000 + 2048);
    EXPECT_EQ(set.segments[1].channelBytes[2], 3 * (40u + 2048) + 500 + 700 + 800);

    // One entry per change of frame time, and one for the first frame of every segment.
    const std::vector<int> entryFrames = {0, 2, 3, 4, 6, 7};
    ASSERT_EQ(set.entries.size(), entryFrames.size());
    for (std::size_t i = 0; i < entryFrames.size(); ++i) {
        EXPECT_EQ(set.entries[i], set.frames[entryFrames[i]].vihOffset) << i;
    }
    const DWORD firstEntries[] = {0, 2, 4};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(set.segments[k].firstEntryOffset, 0x400C0u + 8 * firstEntries[k]) << k;
    }

    const std::vector<Message> messages = owner.Messages();
    ASSERT_GE(messages.size(), 3u);
    EXPECT_EQ(messages.front().message, WM_KELO_BACKUP_CREATE);
    EXPECT_EQ(messages.front().wParam, 4321u);
    EXPECT_EQ(messages[messages.size() - 2].message, WM_KELO_BACKUP_PROGRESS);
    EXPECT_EQ(messages[messages.size() - 2].wParam, WPARAM(total >> 10));
    ULONGLONG sentBytes = 0;
    for (const auto& block : sent) {
        sentBytes += block.size();
    }
    EXPECT_EQ(total, sentBytes);
}

TEST(DownloadWriter, ProgressIsPostedAtMostOnceAnIntervalAndWholeBeforeTheEnd) {
    // 200 frames of 16 channels; what the progress bar is told, by the interval between updates.
    std::vector<Plan> plan;
    for (DWORD i = 0; i < 200; ++i) {
        plan.push_back({1796990400 + i / 16, 1, int(i % 16), 9000});
    }
    struct Case {
        std::chrono::milliseconds interval;
        std::size_t fewest; // progress messages
        std::size_t most;
    };
    const Case cases[] = {
        {std::chrono::milliseconds(0), plan.size(), plan.size()}, // every frame
        {std::chrono::hours(1), 2, 2},                            // the first frame, and the whole before the end
    };
    for (const Case& c : cases) {
        TempDir folder;
        RecordingOwner owner;
        ULONGLONG total = 0;
        {
            DownloadWriterOptions options = Options(folder);
            options.progressInterval = c.interval;
            CDownloadWriter writer(owner, 1800, 0, 0, options);
            Feed(writer, plan);
            ASSERT_TRUE(writer.QueueFrame(EndItem(CDownloadWriter::kIdTransOnDone), 30s));
            ASSERT_TRUE(owner.WaitForEnd());
            total = writer.GetTotalBytes();
        }
        std::vector<WPARAM> progress;
        for (const Message& m : owner.Messages()) {
            if (m.message == WM_KELO_BACKUP_PROGRESS) {
                progress.push_back(m.wParam);
            }
        }
        const std::string what = "interval " + std::to_string(c.interval.count()) + " ms";
        EXPECT_GE(progress.size(), c.fewest) << what;
        EXPECT_LE(progress.size(), c.most) << what;
        ASSERT_FALSE(progress.empty()) << what;
        EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end())) << what;
        EXPECT_EQ(progress.back(), WPARAM(total >> 10)) << what; // the bar reaches the end
        const std::vector<Message> messages = owner.Messages();
        EXPECT_EQ(messages.back().message, WM_KELO_BACKUP_CLOSE) << what;
    }
}

TEST(DownloadWriter, SplitsPastTheSizeLimitAndJoinsTheSetsByStamp) {
    TempDir folder;
    RecordingOwner owner;
    const std::vector<Plan> plan = {
        {200, 1, 0, 1000}, {200, 1, 1, 1000}, {201, 1, 0, 1000}, {202, 1, 1, 1000}, {202, 1, 0, 1000}};
    const ULONGLONG block = BlockFor(plan[0], 0).size();
    DownloadWriterOptions options = Options(folder); // every set gets the same clock second
    options.splitSize = 2 * block;                   // exactly two blocks stay in one set
    std::vector<std::vector<BYTE>> sent;
    std::vector<backupset::Set> sets;
    {
        CDownloadWriter writer(owner, 1, 0, 0, options);
        sent = Feed(writer, plan);
        ASSERT_TRUE(writer.WaitDrained(30s));
        writer.Stop();
        ASSERT_TRUE(owner.WaitForEnd());
        sets = ReadSets(writer);
    }
    ASSERT_EQ(sets.size(), 2u);
    ExpectSameFrames(sets, sent);
    EXPECT_EQ(sets[0].frames.size(), 3u); // the third block passes the limit, the fourth opens a set
    ASSERT_EQ(sets[1].frames.size(), 2u);
    // Names never collide, even within one second.
    EXPECT_EQ(sets[0].idxPath.filename(), "60000000.idx");
    EXPECT_EQ(sets[1].idxPath.filename(), "60000001.idx");
    EXPECT_NE(sets[0].trailerStamp, 0u);
    for (DWORD stamp : sets[1].headerStamp) {
        EXPECT_EQ(stamp, sets[0].trailerStamp);
    }
    EXPECT_EQ(sets[1].trailerStamp, 0u); // the user's stop
    EXPECT_EQ(sets[1].frames[0].record[32], 64);
    ASSERT_EQ(sets[1].segments.size(), 1u);
    EXPECT_EQ(sets[1].segments[0].start, 202u);
    ASSERT_FALSE(sets[0].segments.empty());
    EXPECT_EQ(sets[0].segments[0].end, 201u);
}

TEST(DownloadWriter, RunsOutOfIndexSlotsIntoANewSet) {
    TempDir folder;
    RecordingOwner owner;
    std::vector<Plan> plan;
    for (DWORD k = 0; k < 7; ++k) {
        plan.push_back({300 + 2 * k, 1000 + k, int(k % 4), 200});
        plan.push_back({301 + 2 * k, 1000 + k, int(k % 4), 200});
    }
    DownloadWriterOptions options = Options(folder);
    options.maxIndexRecords = 3;
    std::vector<std::vector<BYTE>> sent;
    std::vector<backupset::Set> sets;
    {
        CDownloadWriter writer(owner, 1, 0, 0, options);
        sent = Feed(writer, plan);
        ASSERT_TRUE(writer.QueueFrame(EndItem(CDownloadWriter::kIdTransOnDone), 30s));
        ASSERT_TRUE(owner.WaitForEnd());
        sets = ReadSets(writer);
    }
    ASSERT_EQ(sets.size(), 3u);
    ExpectSameFrames(sets, sent);
    EXPECT_EQ(sets[0].segments.size(), 3u);
    EXPECT_EQ(sets[1].segments.size(), 3u);
    EXPECT_EQ(sets[2].segments.size(), 1u);
    EXPECT_EQ(sets[1].headerStamp[0], sets[0].trailerStamp);
    EXPECT_EQ(sets[2].headerStamp[0], sets[1].trailerStamp);
    EXPECT_NE(sets[0].trailerStamp, sets[1].trailerStamp);
    EXPECT_EQ(sets[2].trailerStamp, 0u);
}

TEST(DownloadWriter, NeverOverwritesAnEarlierSet) {
    TempDir folder;
    std::filesystem::create_directories(folder.Path() / "Download");
    {
        std::ofstream earlier(folder.Path() / "Download" / "60000000.vid", std::ios::binary);
        earlier << "earlier backup";
    }
    RecordingOwner owner;
    std::vector<std::filesystem::path> paths;
    {
        CDownloadWriter writer(owner, 1, 0, 0, Options(folder));
        Feed(writer, {{1, 1, 0, 100}});
        writer.QueueFrame(EndItem(CDownloadWriter::kIdTransOnDone), 30s);
        ASSERT_TRUE(owner.WaitForEnd());
        paths = writer.GetSetPaths();
    }
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0].filename(), "60000001.idx");
    EXPECT_EQ(backupset::ReadFile(folder.Path() / "Download" / "60000000.vid").size(), 14u);
    EXPECT_FALSE(std::filesystem::exists(folder.Path() / "Download" / "60000000.idx"));
}

// A guard-station PC whose administrator sets umask 077 keeps its recordings private; a team that
// shares them by group (umask 002) gets group-writable files. The writer imposes no mode of its own.
TEST(DownloadWriter, TheSetAndItsFolderTakeTheirModesFromTheUmask) {
    struct Case {
        mode_t umask, file, folder;
    };
    const Case cases[] = {{077, 0600, 0700}, {002, 0664, 0775}, {022, 0644, 0755}};
    for (const Case& c : cases) {
        TempDir folder;
        RecordingOwner owner;
        const mode_t saved = ::umask(c.umask);
        std::vector<std::filesystem::path> paths;
        {
            CDownloadWriter writer(owner, 1, 0, 0, Options(folder));
            Feed(writer, {{1, 1, 0, 100}, {2, 1, 1, 200}});
            writer.QueueFrame(EndItem(CDownloadWriter::kIdTransOnDone), 30s);
            EXPECT_TRUE(owner.WaitForEnd());
            paths = writer.GetSetPaths();
        }
        ::umask(saved);
        const auto download = folder.Path() / "Download";
        ASSERT_TRUE(std::filesystem::is_directory(download));
        struct stat info {};
        ASSERT_EQ(::stat(download.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.folder) << "umask " << std::oct << c.umask;
        ASSERT_EQ(paths.size(), 1u);
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(download)) {
            ASSERT_EQ(::stat(entry.path().c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, c.file) << entry.path() << " umask " << std::oct << c.umask;
            ++files;
        }
        EXPECT_EQ(files, 3) << "the .idx, .vih and .vid files of one set";
    }
}

TEST(DownloadWriter, FullDiskEndsTheBackupWithAClosedSet) {
    TempDir folder;
    RecordingOwner owner;
    std::atomic<LONGLONG> freeBytes = 0x40100 + 3 * 64 + 64 * 3 + 64 * 1024;
    DownloadWriterOptions options = Options(folder);
    options.allocationHook = [&freeBytes](LONGLONG delta) {
        if (delta > freeBytes.load()) {
            return ENOSPC;
        }
        freeBytes -= delta;
        return 0;
    };
    std::vector<Plan> plan;
    for (DWORD i = 0; i < 40; ++i) {
        plan.push_back({400 + i, 1 + i / 10, int(i % 4), 6000});
    }
    std::vector<std::vector<BYTE>> sent;
    std::vector<backupset::Set> sets;
    {
        CDownloadWriter writer(owner, 1, 0, 0, options);
        for (std::size_t i = 0; i < plan.size(); ++i) {
            sent.push_back(BlockFor(plan[i], int(i)));
            if (!writer.QueueFrame(WriterItem(sent.back()), 30s)) {
                break;
            }
        }
        ASSERT_TRUE(owner.WaitForEnd());
        EXPECT_TRUE(writer.HasFailed());
        EXPECT_EQ(writer.GetError(), ENOSPC);
        EXPECT_FALSE(writer.QueueFrame(WriterItem(sent[0]), 10ms));
        sets = ReadSets(writer);
    }
    EXPECT_EQ(owner.Failures(), std::vector<int>{ENOSPC});
    ASSERT_EQ(sets.size(), 1u);
    const std::size_t written = sets[0].frames.size();
    EXPECT_GT(written, 0u);
    EXPECT_LT(written, plan.size());
    sent.resize(written);
    ExpectSameFrames(sets, sent); // every frame up to the full disk, whole
    EXPECT_EQ(sets[0].segments.size(), (written + 9) / 10);
    EXPECT_EQ(sets[0].trailerStamp, 0u);
}

// Holds the writer at its first reservation until the test has queued its frames, so that the
// writer takes them all in one go.
class WriterGate {
public:
    void WaitOpen() {
        std::unique_lock lock(m_lock);
        m_changed.wait(lock, [&] { return m_open; });
    }
    void Open() {
        std::lock_guard lock(m_lock);
        m_open = true;
        m_changed.notify_all();
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_open = false;
};

TEST(DownloadWriter, AFullDiskAmongFramesTakenTogetherKeepsEveryFrameBeforeIt) {
    // Ten frames a second, so that many frames go out with one write; the disk holds about 24 of
    // them, and room for more than one file's step ahead at first.
    std::vector<Plan> plan;
    for (DWORD i = 0; i < 40; ++i) {
        plan.push_back({400 + i / 10, 1 + i / 20, int(i % 4), 60000});
    }
    constexpr LONGLONG kDisk = 0x40100 + 3 * 64 + 64 * 3 + 1536 * 1024;
    struct Case {
        const char* name;
        bool together; // every frame queued before the writer takes any
    };
    std::size_t writtenBefore = 0;
    for (const Case c : {Case{"one at a time", false}, Case{"all taken together", true}}) {
        SCOPED_TRACE(c.name);
        TempDir folder;
        RecordingOwner owner;
        WriterGate gate;
        std::atomic<LONGLONG> freeBytes = kDisk;
        DownloadWriterOptions options = Options(folder);
        options.allocationHook = [&](LONGLONG delta) {
            gate.WaitOpen();
            if (delta > freeBytes.load()) {
                return ENOSPC;
            }
            freeBytes -= delta;
            return 0;
        };
        std::vector<std::vector<BYTE>> sent;
        std::vector<backupset::Set> sets;
        {
            CDownloadWriter writer(owner, 1, 0, 0, options);
            if (!c.together) {
                gate.Open();
            }
            for (std::size_t i = 0; i < plan.size(); ++i) {
                sent.push_back(BlockFor(plan[i], int(i)));
                if (!writer.QueueFrame(WriterItem(sent.back()), 30s)) {
                    break;
                }
                if (!c.together) {
                    writer.WaitDrained(30s);
                }
            }
            gate.Open();
            ASSERT_TRUE(owner.WaitForEnd());
            EXPECT_EQ(writer.GetError(), ENOSPC);
            sets = ReadSets(writer);
        }
        EXPECT_LT(freeBytes.load(), LONGLONG(sent[0].size())) << "frames fill the disk up to the last one that fits";
        ASSERT_EQ(sets.size(), 1u);
        const std::size_t written = sets[0].frames.size();
        EXPECT_GT(written, 10u);
        EXPECT_LT(written, plan.size());
        if (writtenBefore != 0) {
            EXPECT_EQ(written, writtenBefore) << "the disk holds the same frames however they were taken";
        }
        writtenBefore = written;
        sent.resize(written);
        ExpectSameFrames(sets, sent);
        EXPECT_EQ(sets[0].segments.size(), (written + 19) / 20);
        EXPECT_EQ(sets[0].trailerStamp, 0u);
    }
}

// Files that may grow only so far: a write beyond the limit fails (EFBIG) after its room was taken,
// as a failing disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t limit) {
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limited = m_saved;
        limited.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_signal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_signal)(int) = nullptr;
};

TEST(DownloadWriter, AFailedWriteOfFramesTakenTogetherLeavesTheSetAtItsLastWholeFrames) {
    std::vector<Plan> plan;
    for (DWORD i = 0; i < 60; ++i) {
        plan.push_back({400 + i / 6, 1 + i / 30, int(i % 4), 6000});
    }
    TempDir folder;
    RecordingOwner owner;
    WriterGate gate;
    DownloadWriterOptions options = Options(folder);
    options.allocationHook = [&](LONGLONG) {
        gate.WaitOpen();
        return 0;
    };
    std::vector<std::vector<BYTE>> sent;
    std::vector<backupset::Set> sets;
    {
        const FileSizeLimit limit(300 * 1024); // the .vid reaches it at its 38th frame
        CDownloadWriter writer(owner, 1, 0, 0, options);
        for (std::size_t i = 0; i < plan.size(); ++i) {
            sent.push_back(BlockFor(plan[i], int(i)));
            ASSERT_TRUE(writer.QueueFrame(WriterItem(sent.back()), 30s));
        }
        gate.Open();
        ASSERT_TRUE(owner.WaitForEnd());
        EXPECT_EQ(writer.GetError(), EFBIG);
        sets = ReadSets(writer);
    }
    EXPECT_EQ(owner.Failures(), std::vector<int>{EFBIG});
    ASSERT_EQ(sets.size(), 1u);
    const std::size_t written = sets[0].frames.size();
    EXPECT_GT(written, 0u);
    EXPECT_LE(64 + written * sent[0].size() - written * 192 + 64, 300u * 1024) << "within the limit, with the trailer";
    sent.resize(written);
    ExpectSameFrames(sets, sent); // whole frames only, nothing of the failed write
    EXPECT_EQ(sets[0].entries.size(), (written + 5) / 6);
    EXPECT_EQ(sets[0].segments.size(), (written + 29) / 30);
    EXPECT_EQ(sets[0].trailerStamp, 0u);
}

TEST(DownloadWriter, AFolderThatCannotBeCreatedFailsAtOnce) {
    TempDir folder;
    {
        std::ofstream blocker(folder.Path() / "Download"); // a file where the folder should be
    }
    RecordingOwner owner;
    CDownloadWriter writer(owner, 1, 0, 0, Options(folder));
    ASSERT_TRUE(owner.WaitForEnd());
    EXPECT_TRUE(writer.HasFailed());
    EXPECT_EQ(owner.Failures().size(), 1u);
    EXPECT_TRUE(writer.GetSetPaths().empty());
    EXPECT_FALSE(writer.QueueFrame(WriterItem(BlockFor({1, 1, 0, 10}, 0)), 10ms));
}

TEST(DownloadWriter, DestroyingARunningWriterClosesItsSet) {
    TempDir folder;
    RecordingOwner owner;
    {
        CDownloadWriter writer(owner, 1, 0, 0, Options(folder));
        Feed(writer, {{1, 1, 0, 100}, {2, 1, 0, 100}, {3, 2, 1, 100}});
        ASSERT_TRUE(owner.WaitForMessage(WM_KELO_BACKUP_PROGRESS));
    } // whatever was still queued is dropped; what was written is closed
    std::vector<std::filesystem::path> sets;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path() / "Download")) {
        if (entry.path().extension() == ".idx") {
            sets.push_back(entry.path());
        }
    }
    ASSERT_EQ(sets.size(), 1u);
    backupset::Set set;
    EXPECT_EQ(backupset::Read(sets[0], set), "");
    EXPECT_GE(set.frames.size(), 1u);
    EXPECT_EQ(set.trailerStamp, 0u);
}
