// Writes the fuzz targets' seed corpora: every seed is made by the program's own writers (local log,
// connection history, backup download, still images, WAVE header) or received from the recorder
// simulator, so that the fuzzers start from inputs the real code meets.
//
//   kelo_fuzz_seeds <fuzz/corpus folder>
//
// Run it again after a format changes and commit what it writes; the output is deterministic for
// the simulator's fixed clock and seed, except for the compressed pictures' encoder details.
#include "app/ConnectLog.h"
#include "app/LocalLog.h"
#include "media/ImageFileWriter.h"
#include "platform/audio/WavFile.h"
#include "protocol/ClientMessages.h"
#include "protocol/DownloadWriter.h"
#include "protocol/FrameDescriptor.h"
#include "protocol/FrameHeader.h"
#include "protocol/FrameItem.h"
#include "tests/decoder/TestStream.h"
#include "tests/sim/SimTestClient.h"

#include <QImage>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

namespace fs = std::filesystem;
using simtest::Bytes;
using simtest::Message;
using simtest::TestClient;

namespace {

fs::path g_out;
int g_written = 0;

void Put(const std::string& target, const std::string& name, const Bytes& bytes) {
    const fs::path folder = g_out / target;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    ++g_written;
}

Bytes Prefixed(uint8_t first, const Bytes& rest) {
    Bytes b{first};
    b.insert(b.end(), rest.begin(), rest.end());
    return b;
}

Bytes ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A message as it travels: the four header words big-endian, then the payload.
void AppendWire(Bytes& stream, const Message& m) {
    uint8_t h[16];
    simtest::PutBe32(h, m.w0);
    simtest::PutBe32(h + 4, m.w1);
    simtest::PutBe32(h + 8, m.w2);
    simtest::PutBe32(h + 12, m.w3);
    stream.insert(stream.end(), h, h + 16);
    stream.insert(stream.end(), m.payload.begin(), m.payload.end());
}

// Receives until the id `until` arrives (kept) or `limit` bytes are gathered.
Bytes Capture(TestClient& c, uint16_t until, std::size_t limit, std::vector<Message>* kept = nullptr) {
    Bytes stream;
    while (stream.size() < limit) {
        const std::optional<Message> m = c.Recv(5000);
        if (!m) {
            break;
        }
        AppendWire(stream, *m);
        if (kept != nullptr) {
            kept->push_back(*m);
        }
        if (m->Id() == until && m->Last()) {
            break;
        }
    }
    return stream;
}

Bytes Range(uint32_t mask, uint8_t types, uint32_t start, uint32_t end) {
    Bytes r(24, 0);
    simtest::PutBe32(&r[0], mask);
    r[4] = types;
    simtest::PutBe32(&r[16], start);
    simtest::PutBe32(&r[20], end);
    return r;
}

class QuietOwner : public IDownloadWriterOwner {
public:
    void PostWriterMessage(UINT message, WPARAM, LPARAM) override {
        std::lock_guard lock(m_lock);
        m_ended = m_ended || message == WM_KELO_BACKUP_CLOSE;
        m_changed.notify_all();
    }
    void OnDownloadFailed(int) override {}
    void WaitEnd() {
        std::unique_lock lock(m_lock);
        m_changed.wait_for(lock, std::chrono::seconds(30), [this] { return m_ended; });
    }

private:
    std::mutex m_lock;
    std::condition_variable m_changed;
    bool m_ended = false;
};

// The backup blocks through the program's download writer; returns the .idx path.
fs::path WriteBackupSet(const fs::path& location, const std::vector<Bytes>& blocks) {
    QuietOwner owner;
    DownloadWriterOptions options;
    options.saveLocation = location;
    options.clock = [] { return DWORD(0x6958A000); };
    fs::path idx;
    {
        CDownloadWriter writer(owner, 100, 100, 0, options);
        for (const Bytes& block : blocks) {
            FrameInfo info;
            if (CheckFrame(block, kFrameRecordSize, info) != FrameCheck::Ok) {
                continue;
            }
            FrameDescriptor descriptor;
            FillFrameDescriptor(info, descriptor);
            const DWORD header[4] = {DWORD(CDownloadWriter::kIdTransOnData) << 7,
                                     (1u << 30) | DWORD(block.size() & 0xFFFF), 0, 0};
            writer.QueueFrame(MakeWriterItem(descriptor, header, block), std::chrono::seconds(5));
        }
        auto done = std::make_unique<FrameItem>();
        done->header[0] = DWORD(CDownloadWriter::kIdTransOnDone) << 7;
        writer.QueueFrame(std::move(done), std::chrono::seconds(5));
        owner.WaitEnd();
        const auto paths = writer.GetSetPaths();
        if (!paths.empty()) {
            idx = paths.front();
        }
    }
    return idx;
}

// The recorder simulator's answers, as the receive path and the record parsers get them.
void FromSimulator(const fs::path& scratch) {
    ksim::CSimConfig config = simtest::SmallConfig();
    config.clock = 1796904000; // 2026-12-10 12:00
    config.days = 2;
    config.logEntries = 40;
    config.fragment = 4000;
    simtest::SimInstance sim(config);
    if (!sim.listening) {
        std::fprintf(stderr, "the simulator did not start\n");
        return;
    }
    const std::string target = "kelo_fuzz_protocol_receive";
    // State byte: 1 search frame open, 2 live, 4 remote playback, 8 backup.
    TestClient c(sim.Port());
    c.Hello();
    Put(target, "login_pushes", Prefixed(0, Capture(c, 0xFFFF, 40000, nullptr)));

    c.Send(16, simtest::Be32Payload(0xFFFF));
    Put(target, "live_frames", Prefixed(2, Capture(c, 0xFFFF, 60000)));
    c.Send(20);
    Capture(c, 21, 2000000);

    std::vector<Message> kept;
    c.Send(260);
    const Bytes months = Capture(c, 261, 200000, &kept);
    Put(target, "month_list", Prefixed(1, months));
    Bytes monthPayload;
    for (const Message& m : kept) {
        monthPayload.insert(monthPayload.end(), m.payload.begin(), m.payload.end());
    }

    const ksim::SimSegment seg = sim.recorder->Archive().Segments().front();
    Bytes day(8, 0);
    const std::time_t when = std::time_t(seg.start);
    std::tm tm{};
    gmtime_r(&when, &tm);
    simtest::PutBe32(&day[0], uint32_t(tm.tm_year + 1900));
    day[4] = uint8_t(tm.tm_mon + 1);
    day[5] = uint8_t(tm.tm_mday);
    kept.clear();
    c.Send(263, day);
    Put(target, "day_list", Prefixed(1, Capture(c, 264, 200000, &kept)));
    Bytes dayPayload;
    for (const Message& m : kept) {
        if (m.Id() == 264) {
            dayPayload.insert(dayPayload.end(), m.payload.begin(), m.payload.end());
        }
    }

    kept.clear();
    c.Send(320);
    Put(target, "log_list", Prefixed(1, Capture(c, 321, 200000, &kept)));
    Bytes logPayload;
    for (const Message& m : kept) {
        if (m.Id() == 321) {
            logPayload.insert(logPayload.end(), m.payload.begin(), m.payload.end());
        }
    }

    c.Send(51, Range(0xF, 0x3F, seg.start + 1, 0));
    c.Send(61, simtest::Be32Payload(8));
    Put(target, "playback_frames", Prefixed(4, Capture(c, 0xFFFF, 60000)));
    c.Send(55);
    Capture(c, 56, 4000000);

    kept.clear();
    c.Send(99, Range(0xF, 0x3F, seg.start + 2, seg.start + 4));
    c.Send(294, Range(0xF, 0, seg.start + 2, seg.start + 4));
    const Bytes backup = Capture(c, 297, 8000000, &kept);
    Bytes head(backup.begin(), backup.begin() + std::min<std::size_t>(backup.size(), 60000));
    Put(target, "backup_frames", Prefixed(8, head));

    // Record parsers: months, a day's segments, an index file written by the download writer.
    Put("kelo_fuzz_archive_records", "month_records", Prefixed(0, monthPayload));
    Put("kelo_fuzz_archive_records", "day_segments", Prefixed(1, dayPayload));
    Put("kelo_fuzz_archive_backup_set", "recorder_log", logPayload);

    std::vector<Bytes> blocks;
    Bytes gathered;
    for (const Message& m : kept) {
        if (m.Id() != 295) {
            continue;
        }
        gathered.insert(gathered.end(), m.payload.begin(), m.payload.end());
        if (m.Last()) {
            blocks.push_back(std::move(gathered));
            gathered.clear();
        }
    }
    const fs::path idx = WriteBackupSet(scratch, blocks);
    if (!idx.empty()) {
        Put("kelo_fuzz_archive_records", "backup_index", Prefixed(2, ReadAll(idx)));
    }
}

void FromFileWriters(const fs::path& scratch) {
    const std::string location = (scratch / "files").string();
    const DWORD today = 1796904000;
    const char* users[] = {"admin", "operator-with-a-long-name", "guest"};
    for (int i = 0; i < 9; ++i) {
        CLocalLog::WriteAt(location.c_str(), false, DWORD(1) << (i % 4), DWORD(1) << (i % 3), users[i % 3],
                           "192.168.100.200", today + DWORD(i) * 60);
    }
    const Bytes log = ReadAll(CLocalLog::PathOf(location.c_str()));
    Put("kelo_fuzz_app_files", "local_log", Prefixed(1, log));
    Put("kelo_fuzz_archive_backup_set", "local_log", log);

    CConnectLog::Add(location.c_str(), "192.168.100.200", 2000, "front gate recorder", today);
    CConnectLog::Add(location.c_str(), "recorder-warehouse.example.net", 8016, "warehouse", today + 60);
    CConnectLog::Add(location.c_str(), "10.0.0.7", 65534, "", today + 120);
    Put("kelo_fuzz_app_files", "connect_history", Prefixed(2, ReadAll(CConnectLog::PathOf(location.c_str()))));

    const std::string startup = "KELO1000 Client\r\nKELO1000\r\nDD-MM-YYYY\r\nRGB\r\n";
    Put("kelo_fuzz_app_files", "startup_file", Prefixed(0, Bytes(startup.begin(), startup.end())));

    // Still images as the save command writes them; small, so that each run stays quick.
    QImage image(64, 48, QImage::Format_RGB888);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            image.setPixel(x, y, qRgb(x * 4, y * 5, (x + y) * 2));
        }
    }
    const struct {
        uint8_t kind;
        const char* name;
        bool (*write)(const std::string&, const QImage&);
    } images[] = {{0, "still.tif", WriteTiffFile}, {1, "still.bmp", WriteBmpFile}, {2, "still.jpg", WriteJpegFile}};
    for (const auto& entry : images) {
        const fs::path path = scratch / entry.name;
        if (entry.write(path.string(), image)) {
            Put("image_file_fuzz", entry.name, Prefixed(entry.kind, ReadAll(path)));
        }
    }

    // A WAVE file as the output device writes one: the program's header, then 16-bit samples.
    const DWORD samples = 800;
    const auto header = MakeWavHeader(8000, samples * 2);
    Bytes wav(header.begin(), header.end());
    for (DWORD i = 0; i < samples; ++i) {
        const int16_t v = int16_t((i % 40) * 800 - 16000);
        wav.push_back(uint8_t(v & 0xFF));
        wav.push_back(uint8_t((v >> 8) & 0xFF));
    }
    Put("kelo_fuzz_media_wav", "pcm16_mono", wav);

    // An access unit with SPS, PPS and IDR picture, and the predicted picture after it.
    const EncodedStream stream = EncodeStream({176, 144, 2, 2});
    for (std::size_t i = 0; i < stream.units.size() && i < 2; ++i) {
        const char* name = i == 0 ? "sps_pps_idr" : "predicted_after_idr";
        Put("kelo_fuzz_media_decoder", name, Prefixed(uint8_t(i == 0 ? 0 : 3), stream.units[i]));
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    g_out = argv[1];
    char pattern[] = "/tmp/kelo-fuzz-seeds-XXXXXX";
    const char* made = ::mkdtemp(pattern);
    if (made == nullptr) {
        return 1;
    }
    const fs::path scratch = made;
    FromFileWriters(scratch);
    FromSimulator(scratch);
    std::error_code ec;
    fs::remove_all(scratch, ec);
    std::printf("%d seeds written under %s\n", g_written, g_out.c_str());
    return g_written > 0 ? 0 : 1;
}
