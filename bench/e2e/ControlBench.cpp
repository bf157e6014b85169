// Control answers and backups, end to end against the recorder simulator (a process of its own);
// this process is the client, with its sixteen channel decoders drawing into the video window under
// Qt's offscreen platform, as in kelo_bench_live_video.
//
// --control: while live view (or, with --play, remote playback) of sixteen D1 channels streams, the
// UI thread sends one recorder request every --interval ms (the recorder clock, the status page, the
// calendar's month, the event list and the setup record, in turn) and measures, per request, the
// time from the request to its answer handled by the socket thread and to a page drawn with it by the
// UI thread. The client's socket receive queue (the kernel's, read from /proc/net/tcp) is sampled
// every 5 ms for its peak. --busy N starts N busy processes held to the client's cores (--cpus), as
// other programs of a guard-station PC would be.
//
// --backup: downloads a range of --minutes of every channel (at --sim-bitrate per channel) with the
// download writer into --folder, and gives MB/s, frames, sets, progress messages a second and the UI
// thread's CPU for the progress, and checks that the sets hold every frame of the range.
//
// --smoke: a short run of either that only checks that it completes (every request answered, the
// backup complete); nothing is timed.
//
//   kelo_bench_control --control [--play] [--seconds 30] [--interval 500] [--cpus 6,7] [--busy 4]
//                      [--sim-bitrate 2000] [--smoke]
//   kelo_bench_control --backup [--minutes 60] [--sim-bitrate 2000] [--folder DIR] [--keep] [--smoke]

#include "bench/e2e/BenchSupport.h"
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "sim/SimArchive.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace kelobench;
using Clock = std::chrono::steady_clock;

// The recorder clock of every run: 2026-12-11 12:00 UTC, with a day of recordings before it.
constexpr DWORD kRecorderClock = 1796990400;
constexpr int kSimSeed = 1;
constexpr int kSimLogEntries = 300;

struct Options {
    bool control = false;
    bool backup = false;
    bool play = false;
    bool smoke = false;
    bool keep = false;
    int seconds = 30;
    int warmup = 3;
    int interval = 500;
    int busy = 0;
    int minutes = 60;
    int simKbits = 2000;
    std::string cpus;
    std::string folder;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--control") {
            o.control = true;
        } else if (a == "--backup") {
            o.backup = true;
        } else if (a == "--play") {
            o.play = true;
        } else if (a == "--smoke") {
            o.smoke = true;
        } else if (a == "--keep") {
            o.keep = true;
        } else if (a == "--seconds") {
            o.seconds = std::atoi(next());
        } else if (a == "--warmup") {
            o.warmup = std::atoi(next());
        } else if (a == "--interval") {
            o.interval = std::atoi(next());
        } else if (a == "--busy") {
            o.busy = std::atoi(next());
        } else if (a == "--minutes") {
            o.minutes = std::atoi(next());
        } else if (a == "--sim-bitrate") {
            o.simKbits = std::atoi(next());
        } else if (a == "--cpus") {
            o.cpus = next();
        } else if (a == "--folder") {
            o.folder = next();
        } else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return false;
        }
    }
    return o.control != o.backup && o.seconds > 0 && o.interval > 0 && o.minutes > 0;
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

// Busy processes on the client's cores: each spins until it is killed (or this process ends).
class CBusyProcesses {
public:
    CBusyProcesses(int count, const std::string& cpus) {
        for (int i = 0; i < count; ++i) {
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (!cpus.empty()) {
                    const cpu_set_t set = CpuSet(cpus);
                    sched_setaffinity(0, sizeof set, &set);
                }
                volatile unsigned long spin = 0;
                for (;;) {
                    spin = spin + 1;
                }
            }
            if (pid > 0) {
                m_pids.push_back(pid);
            }
        }
    }
    ~CBusyProcesses() {
        for (pid_t pid : m_pids) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    CBusyProcesses(const CBusyProcesses&) = delete;
    CBusyProcesses& operator=(const CBusyProcesses&) = delete;

private:
    std::vector<pid_t> m_pids;
};

double ThreadCpuNow() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// The page that shows an answer: painted by the UI thread once the answer reached it.
class CAnswerPage : public QWidget {
public:
    CAnswerPage() {
        resize(480, 320);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    // Called on each paint with the paint's end.
    std::function<void()> onPainted;
    std::function<void()> onPaintCost;
    QString text;

protected:
    void paintEvent(QPaintEvent*) override {
        const double cpu0 = ThreadCpuNow();
        QPainter p(this);
        p.fillRect(rect(), QColor(40, 40, 48));
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, text);
        p.end();
        m_paintCpu += ThreadCpuNow() - cpu0;
        if (onPainted) {
            onPainted();
        }
    }

public:
    double m_paintCpu = 0;
};

// What the client tells the windows, as the main window would get it: answers are timed where the
// socket thread hands them over, and again when the page drawn with them has been painted.
class CBenchHost : public IClientHost {
public:
    struct Request {
        WORD id = 0;
        UINT answer = 0; // the window message that carries its answer
        Clock::time_point sent{};
        Clock::time_point handled{};
        Clock::time_point drawn{};
    };

    explicit CBenchHost(CAnswerPage& page) : m_page(page) {
        m_page.onPainted = [this] { Painted(); };
    }

    void PostNotice(LPARAM notice, ClientWindow) override {
        std::lock_guard lock(m_lock);
        m_notices.push_back(notice);
    }
    void PostToWindow(ClientWindow, UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
        case WM_KELO_DVR_TIME:
        case WM_KELO_SETUP_READY:
            Answered(message);
            break;
        case WM_KELO_BACKUP_SIZE:
            m_backupKb.store(DWORD(wParam));
            break;
        case WM_KELO_BACKUP_PROGRESS:
            Progress(DWORD(wParam));
            break;
        case WM_KELO_BACKUP_CLOSE:
            m_backupClosed.store(true);
            break;
        case WM_KELO_PLAY_STARTED:
            m_playStarted.store(true);
            break;
        default:
            break;
        }
    }
    void ReportEvent(ClientEvent, int) override {}
    void WriteLocalLog(int, int, const char*, const char*) override {}
    void PostConnectFailed(LPARAM) override { m_failed.store(true); }
    void PostWrongProduct() override { m_failed.store(true); }
    void DeliverSearchReply(UINT readyMessage, std::vector<BYTE>, DWORD) override { Answered(readyMessage); }
    void ClearSearchBusy() override {}

    // UI thread: a request leaves.
    void Sent(WORD id, UINT answer) {
        std::lock_guard lock(m_lock);
        m_requests.push_back(Request{id, answer, Clock::now(), {}, {}});
    }
    std::vector<Request> Requests() const {
        std::lock_guard lock(m_lock);
        return m_requests;
    }
    bool AllAnswered() const {
        std::lock_guard lock(m_lock);
        return std::all_of(m_requests.begin(), m_requests.end(),
                           [](const Request& r) { return r.drawn != Clock::time_point{}; });
    }
    std::vector<LPARAM> Notices() const {
        std::lock_guard lock(m_lock);
        return m_notices;
    }

    bool Failed() const { return m_failed.load(); }
    bool PlayStarted() const { return m_playStarted.load(); }
    DWORD BackupKb() const { return m_backupKb.load(); }
    bool BackupClosed() const { return m_backupClosed.load(); }
    // Progress messages handled by the UI thread: their count, the distinct seconds that saw
    // updates, the slowest second's count between the first and the last, and the UI thread's CPU
    // spent on them (handling and painting the bar).
    struct ProgressFigures {
        std::uint64_t posted = 0;
        std::uint64_t handled = 0;
        int fewestInASecond = 0;
        double uiCpu = 0;
        DWORD lastKb = 0;
    };
    ProgressFigures Progress() const {
        std::lock_guard lock(m_lock);
        ProgressFigures f;
        f.posted = m_progressPosted;
        f.handled = m_progressTimes.size();
        f.uiCpu = m_progressCpu + m_page.m_paintCpu;
        f.lastKb = m_lastKb;
        if (m_progressTimes.size() >= 2) {
            const Clock::time_point first = m_progressTimes.front();
            const int seconds =
                int(std::chrono::duration_cast<std::chrono::seconds>(m_progressTimes.back() - first).count());
            std::vector<int> perSecond(std::size_t(std::max(seconds, 1)), 0);
            for (const auto& t : m_progressTimes) {
                const auto s = std::size_t(std::chrono::duration_cast<std::chrono::seconds>(t - first).count());
                if (s < perSecond.size()) {
                    ++perSecond[s];
                }
            }
            f.fewestInASecond = *std::min_element(perSecond.begin(), perSecond.end());
        }
        return f;
    }

private:
    // Socket (or writer) thread: the oldest request that this message answers is answered.
    void Answered(UINT message) {
        const Clock::time_point now = Clock::now();
        std::size_t index = 0;
        {
            std::lock_guard lock(m_lock);
            auto it = std::find_if(m_requests.begin(), m_requests.end(), [&](const Request& r) {
                return r.answer == message && r.handled == Clock::time_point{};
            });
            if (it == m_requests.end()) {
                return; // an answer nobody here asked for (the login's setup push)
            }
            it->handled = now;
            index = std::size_t(it - m_requests.begin());
        }
        QMetaObject::invokeMethod(
            &m_page,
            [this, index] {
                {
                    std::lock_guard lock(m_lock);
                    m_toDraw.push_back(index);
                }
                m_page.text = QString("answer %1").arg(index);
                m_page.update();
            },
            Qt::QueuedConnection);
    }
    void Progress(DWORD kb) {
        {
            std::lock_guard lock(m_lock);
            ++m_progressPosted;
        }
        QMetaObject::invokeMethod(
            &m_page,
            [this, kb] {
                const double cpu0 = ThreadCpuNow();
                m_page.text = QString("%1 KB").arg(kb);
                m_page.update();
                std::lock_guard lock(m_lock);
                m_lastKb = kb;
                m_progressTimes.push_back(Clock::now());
                m_progressCpu += ThreadCpuNow() - cpu0;
            },
            Qt::QueuedConnection);
    }
    // UI thread.
    void Painted() {
        const Clock::time_point now = Clock::now();
        std::lock_guard lock(m_lock);
        for (std::size_t index : m_toDraw) {
            m_requests[index].drawn = now;
        }
        m_toDraw.clear();
    }

    CAnswerPage& m_page;
    mutable std::mutex m_lock;
    std::vector<Request> m_requests;
    std::vector<std::size_t> m_toDraw;
    std::vector<LPARAM> m_notices;
    std::uint64_t m_progressPosted = 0;
    std::vector<Clock::time_point> m_progressTimes;
    double m_progressCpu = 0;
    DWORD m_lastKb = 0;
    std::atomic<bool> m_failed{false};
    std::atomic<bool> m_playStarted{false};
    std::atomic<DWORD> m_backupKb{0};
    std::atomic<bool> m_backupClosed{false};
};

// The kernel's receive queue of the client's connection to the simulator, sampled every 5 ms.
class CReceiveQueueSampler {
public:
    explicit CReceiveQueueSampler(int simPort) : m_port(simPort), m_thread([this] { Run(); }) {}
    ~CReceiveQueueSampler() {
        m_stop = true;
        m_thread.join();
    }
    CReceiveQueueSampler(const CReceiveQueueSampler&) = delete;
    CReceiveQueueSampler& operator=(const CReceiveQueueSampler&) = delete;
    std::size_t Peak() const { return m_peak.load(); }
    void ResetPeak() { m_peak = 0; }

private:
    std::size_t Sample() const {
        std::ifstream in("/proc/net/tcp");
        std::string line;
        std::getline(in, line);
        char remote[16];
        std::snprintf(remote, sizeof remote, ":%04X", unsigned(m_port));
        while (std::getline(in, line)) {
            std::istringstream s(line);
            std::string slot, local, rem, state, queues;
            s >> slot >> local >> rem >> state >> queues;
            if (rem.size() >= 5 && rem.compare(rem.size() - 5, 5, remote) == 0) {
                const std::size_t colon = queues.find(':');
                if (colon != std::string::npos) {
                    return std::size_t(std::stoul(queues.substr(colon + 1), nullptr, 16));
                }
            }
        }
        return 0;
    }
    void Run() {
        while (!m_stop) {
            const std::size_t now = Sample();
            std::size_t peak = m_peak.load();
            while (now > peak && !m_peak.compare_exchange_weak(peak, now)) {
            }
            std::this_thread::sleep_for(5ms);
        }
    }

    const int m_port;
    std::atomic<bool> m_stop{false};
    std::atomic<std::size_t> m_peak{0};
    std::thread m_thread;
};

// The main window's video window, with the answer page beside it.
struct Window : BenchWindow {
    explicit Window(const CH264Library* library) : BenchWindow(library, true) { page.show(); }
    CAnswerPage page;
};

std::vector<std::string> SimOptions(const Options& o) {
    std::vector<std::string> options = {"--resolution", "d1",
                                        "--channels",   "16",
                                        "--days",       "1",
                                        "--clock",      std::to_string(kRecorderClock),
                                        "--seed",       std::to_string(kSimSeed)};
    if (o.simKbits > 0) {
        options.insert(options.end(), {"--bitrate", std::to_string(o.simKbits)});
    }
    return options;
}

std::vector<BYTE> RangeBytes(DWORD mask, BYTE types, DWORD start, DWORD end) {
    std::vector<BYTE> range(24, 0);
    WriteBE32(range.data(), mask);
    range[4] = types;
    WriteBE32(range.data() + 16, start);
    WriteBE32(range.data() + 20, end);
    return range;
}

bool SendRequest(CDvrClient& client, WORD id, const std::vector<BYTE>& body = {}) {
    return client.SendPacket(PacketHeader::Request(id, DWORD(body.size())), body.data(), DWORD(body.size())) > 0;
}

bool AllPainted(CVideoDlg& video) {
    for (int ch = 0; ch < 16; ++ch) {
        if (video.Stats().Of(ch).painted.load() == 0) {
            return false;
        }
    }
    return true;
}

// A client logged in with live view running; null (said on standard error) when it did not come.
// Prints the time from the connect to the sixteen tiles painted.
std::unique_ptr<CDvrClient> LogIn(CBenchHost& host, Window& window, int port) {
    const auto t0 = Clock::now();
    std::unique_ptr<CDvrClient> client =
        ConnectLive(host, window.video, port, 60000, [&host] { return host.Failed(); });
    if (!client) {
        return nullptr;
    }
    QDeadlineTimer painted(30000);
    while (!AllPainted(window.video) && !painted.hasExpired()) {
        PumpFor(1ms);
    }
    std::printf("connect to 16 painted tiles: %.0f ms%s\n", Ms(Clock::now() - t0),
                AllPainted(window.video) ? "" : " (not all painted)");
    return client;
}

void LogOut(std::unique_ptr<CDvrClient>& client, Window& window) {
    client->Disconnect();
    window.video.SetClient(nullptr);
    client.reset();
}

std::uint64_t Dropped(CVideoDlg& video) {
    std::uint64_t n = 0;
    for (int ch = 0; ch < 16; ++ch) {
        const CVideoStats::Channel& c = video.Stats().Of(ch);
        n += c.backlogSkipped.load() + c.queueDropped.load() + c.oversized.load();
    }
    return n;
}

// The requests of the run, in turn: what the operator's pages ask for, and the answer each waits for.
struct RequestKind {
    WORD id;
    UINT answer;
    const char* name;
};
constexpr RequestKind kRequests[] = {
    {Msg::DVR_TIME_REQ, WM_KELO_DVR_TIME, "recorder clock"},
    {Msg::STATUS_INFO_REQ, WM_KELO_STATUS_READY, "status page"},
    {Msg::PLAY_INFO_MONTH_REQ, WM_KELO_PLAY_MONTH_READY, "calendar month"},
    {Msg::EVENT_INFO_REQ, WM_KELO_EVENT_LIST_READY, "event list"},
    {Msg::DB_INFO_REQ, WM_KELO_SETUP_READY, "setup record"},
};

int RunControl(const Options& o) {
    SimProcess sim(SimProcess::Messages::Quiet);
    if (!StartSimulator(sim, SimOptions(o))) {
        return 1;
    }
    CH264Library library;
    if (!PinAndLoad(o.cpus, library)) {
        return 1;
    }
    const auto made0 = Clock::now();
    Window window(&library);
    std::printf("video window made and shown: %.1f ms\n", Ms(Clock::now() - made0));
    CBenchHost host(window.page);
    std::unique_ptr<CDvrClient> client = LogIn(host, window, sim.Port());
    if (!client) {
        return 1;
    }
    client->Search().SetSearchFrameOpen(true);
    if (o.play) {
        const ksim::CSimArchive archive(kSimSeed, 16, 1, kRecorderClock, kSimLogEntries);
        const DWORD start = archive.Segments().front().start;
        SendRequest(*client, Msg::PLAY_ON_REQ, RangeBytes(0xFFFF, 0x3F, start, start + 3600));
        QDeadlineTimer started(30000);
        while (!host.PlayStarted() && !started.hasExpired()) {
            PumpFor(20ms);
        }
        if (!host.PlayStarted()) {
            std::fprintf(stderr, "playback did not start\n");
            LogOut(client, window);
            return 1;
        }
    }
    CReceiveQueueSampler sampler(sim.Port());
    PumpFor(std::chrono::seconds(o.warmup));
    sampler.ResetPeak();
    window.video.Stats().Reset();
    const std::uint64_t decoded0 = DecodedPictures(window.video);
    const std::string load0 = LoadAverage();
    const auto t0 = Clock::now();
    int sent = 0;
    const int total = std::max(1, o.seconds * 1000 / o.interval);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        if (sent >= total) {
            return;
        }
        const RequestKind& kind = kRequests[std::size_t(sent) % std::size(kRequests)];
        host.Sent(kind.id, kind.answer);
        SendRequest(*client, kind.id);
        ++sent;
    });
    ticker.start(o.interval);
    while (sent < total) {
        PumpFor(50ms);
    }
    ticker.stop();
    QDeadlineTimer answered(30000);
    while (!host.AllAnswered() && !answered.hasExpired()) {
        PumpFor(20ms);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const std::uint64_t decoded = DecodedPictures(window.video) - decoded0;
    const std::uint64_t dropped = Dropped(window.video);
    const std::size_t peak = sampler.Peak();
    const bool playing = client->Play().IsRemotePlay();
    LogOut(client, window);

    const std::vector<CBenchHost::Request> requests = host.Requests();
    std::vector<double> handled, drawn;
    std::size_t unanswered = 0;
    for (const auto& r : requests) {
        if (r.drawn == Clock::time_point{}) {
            ++unanswered;
            continue;
        }
        handled.push_back(Ms(r.handled - r.sent));
        drawn.push_back(Ms(r.drawn - r.sent));
    }
    std::printf("control answers during %s of 16 D1 channels at %d kbit/s, cores %s, %d busy processes, load %s\n",
                o.play ? "remote playback" : "live view", o.simKbits, o.cpus.empty() ? "all" : o.cpus.c_str(), o.busy,
                load0.c_str());
    std::printf("requests %zu (one every %d ms over %.1f s), answered %zu, unanswered %zu%s\n", requests.size(),
                o.interval, wall, drawn.size(), unanswered, playing || !o.play ? "" : " (playback had ended)");
    if (!o.smoke && !drawn.empty()) {
        std::printf("request to answer handled: p50 %.0f ms, p99 %.0f ms, max %.0f ms\n", Percentile(handled, 0.5),
                    Percentile(handled, 0.99), Percentile(handled, 1.0));
        std::printf("request to page drawn:     p50 %.0f ms, p99 %.0f ms, max %.0f ms\n", Percentile(drawn, 0.5),
                    Percentile(drawn, 0.99), Percentile(drawn, 1.0));
        std::printf("receive queue peak %.2f MB; pictures decoded %llu (%.0f/s), dropped %llu\n",
                    double(peak) / 1048576.0, (unsigned long long)decoded, double(decoded) / wall,
                    (unsigned long long)dropped);
    }
    const bool ok = unanswered == 0 && !requests.empty();
    std::printf("control run: %s\n", ok ? "every request answered" : "FAILED");
    return ok ? 0 : 1;
}

// What the sets on disk hold, from their sizes and trailers.
struct SetFigures {
    std::size_t sets = 0;
    std::uint64_t frames = 0;
    std::uint64_t bytes = 0; // frame records and frame data
    std::uint64_t largest = 0;
    bool closed = true; // every file ends with its trailer
};

SetFigures ReadSets(const std::filesystem::path& folder) {
    SetFigures f;
    constexpr std::uint64_t kHeader = 64;
    constexpr std::uint64_t kTrailer = 64;
    constexpr std::uint64_t kRecord = 192;
    static const char kTag[] = "kelo1040";
    auto hasTrailer = [](const std::filesystem::path& path, std::uint64_t size) {
        std::ifstream in(path, std::ios::binary);
        in.seekg(std::streamoff(size - kTrailer));
        char tag[8] = {};
        in.read(tag, sizeof tag);
        return std::memcmp(tag, kTag, sizeof tag) == 0;
    };
    for (const auto& e : std::filesystem::directory_iterator(folder)) {
        if (e.path().extension() != ".vih") {
            continue;
        }
        std::filesystem::path vid = e.path();
        vid.replace_extension(".vid");
        const std::uint64_t vih = std::filesystem::file_size(e.path());
        const std::uint64_t data = std::filesystem::file_size(vid);
        if (vih < kHeader + kTrailer || data < kHeader + kTrailer) {
            f.closed = false;
            continue;
        }
        ++f.sets;
        f.frames += (vih - kHeader - kTrailer) / kRecord;
        const std::uint64_t setBytes = (vih - kHeader - kTrailer) + (data - kHeader - kTrailer);
        f.bytes += setBytes;
        f.largest = std::max(f.largest, setBytes);
        f.closed = f.closed && hasTrailer(e.path(), vih) && hasTrailer(vid, data);
    }
    return f;
}

int RunBackup(const Options& o) {
    const ksim::CSimArchive archive(kSimSeed, 16, 1, kRecorderClock, kSimLogEntries);
    const DWORD start = archive.Segments().front().start;
    // A smoke run takes a few seconds of the range only.
    const DWORD end = start + (o.smoke ? DWORD(o.seconds) : DWORD(o.minutes) * 60);
    std::uint64_t expectedFrames = 0;
    constexpr std::uint64_t kFps = 25;
    for (const ksim::SimPiece& p : archive.Select(0xFFFF, 0x3F, start, end)) {
        expectedFrames += std::uint64_t(p.to - p.from) * kFps * std::uint64_t(std::popcount(unsigned(p.mask)));
    }
    SimProcess sim(SimProcess::Messages::Quiet);
    if (!StartSimulator(sim, SimOptions(o))) {
        return 1;
    }
    CH264Library library;
    if (!LoadDecoderLibrary(library)) {
        return 1;
    }
    const std::filesystem::path folder =
        o.folder.empty() ? std::filesystem::temp_directory_path() / ("kelo-bench-backup-" + std::to_string(getpid()))
                         : std::filesystem::path(o.folder);
    std::filesystem::create_directories(folder);
    Window window(&library);
    CBenchHost host(window.page);
    std::unique_ptr<CDvrClient> client = LogIn(host, window, sim.Port());
    if (!client) {
        return 1;
    }
    client->Backup().SetSaveLocation(folder);
    client->Search().SetSearchFrameOpen(true);
    PumpFor(1s);
    SendRequest(*client, Msg::TRANS_ON_REQ, RangeBytes(0xFFFF, 0x3F, start, end));
    QDeadlineTimer sized(60000);
    while (host.BackupKb() == 0 && !sized.hasExpired()) {
        PumpFor(20ms);
    }
    const DWORD kb = host.BackupKb();
    if (kb == 0 || !client->Backup().CreateDownloadWriter(kb, 0, 0)) {
        std::fprintf(stderr, "the backup did not start\n");
        LogOut(client, window);
        return 1;
    }
    const std::string load0 = LoadAverage();
    const double ui0 = ThreadCpuNow();
    const auto t0 = Clock::now();
    SendRequest(*client, Msg::TRANS_DATA_REQ, RangeBytes(0xFFFF, 0x3F, start, end));
    QDeadlineTimer done(3600000);
    while (!(host.BackupClosed() && !client->Backup().HasDownloadWriter()) && !done.hasExpired()) {
        PumpFor(20ms);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    const double uiCpu = ThreadCpuNow() - ui0;
    PumpFor(200ms);
    const CBenchHost::ProgressFigures progress = host.Progress();
    LogOut(client, window);

    const SetFigures sets = ReadSets(folder / "Download");
    const double mb = double(sets.bytes) / 1048576.0;
    const bool sizeMatches = (sets.bytes + 1023) / 1024 == kb;
    const bool complete = sets.frames == expectedFrames && sizeMatches && sets.closed;
    std::printf("backup of %u s of 16 D1 channels at %d kbit/s over loopback, load %s\n", unsigned(end - start),
                o.simKbits, load0.c_str());
    if (!o.smoke) {
        std::printf("%.1f MB in %.2f s = %.1f MB/s; %llu frames in %zu sets (largest %.1f MB)\n", mb, wall, mb / wall,
                    (unsigned long long)sets.frames, sets.sets, double(sets.largest) / 1048576.0);
        std::printf("progress: %llu messages posted, %llu handled by the UI thread (%.1f a second, fewest in one "
                    "second %d); UI thread CPU for progress %.3f s = %.2f %% of a core (UI thread in all %.2f s)\n",
                    (unsigned long long)progress.posted, (unsigned long long)progress.handled,
                    double(progress.handled) / wall, progress.fewestInASecond, progress.uiCpu,
                    100 * progress.uiCpu / wall, uiCpu);
    }
    std::printf("backup: %llu of %llu frames, %llu bytes (%u KB announced), sets %s: %s\n",
                (unsigned long long)sets.frames, (unsigned long long)expectedFrames, (unsigned long long)sets.bytes,
                unsigned(kb), sets.closed ? "closed" : "NOT closed", complete ? "complete" : "INCOMPLETE");
    if (!o.keep) {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }
    return complete && progress.lastKb > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "usage: kelo_bench_control --control|--backup [options] (see the source)\n");
        return 2;
    }
    if (options.smoke) {
        options.seconds = std::min(options.seconds, 2);
        options.warmup = 1;
    }
    // Before anything else starts threads: the busy processes only spin, until this process ends.
    const CBusyProcesses busy(options.control ? options.busy : 0, options.cpus);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return options.control ? RunControl(options) : RunBackup(options);
}
