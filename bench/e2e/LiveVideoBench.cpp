// Live video end to end, measured: the recorder simulator (a process of its own) streams sixteen
// D1 channels; this process is the client: it connects, takes the frames apart, decodes them in
// sixteen channel decoders and draws them into the video window under Qt's offscreen platform.
// After a warm-up it counts, over the measured window: the client's CPU seconds, pictures decoded,
// drawn and painted per channel, pictures dropped (backlog rule, full queues, oversized), the time
// from a frame's arrival to its tile's paint (p50, p99) and the peak resident memory.
//
// --baseline decodes the same sixteen streams (the simulator's encoder, same settings, same bytes)
// for the same number of pictures without the client: with the ffmpeg program when it is installed
// ("ffmpeg -threads 1 -f null -"), and always in process with one libavcodec decoder thread each.
//
// The simulator's pictures are simple and cost little to decode. --feed measures the same client
// path from the decoders on with sixteen noisy D1 streams of 2 Mbit/s (--kbits) made here with
// libx264, paced at 25 pictures per second into the decoders' queues as the socket thread queues
// them; with --baseline it decodes those streams bare instead.
//
// --sim-bitrate asks the simulator for streams of that rate (its --bitrate) instead of its simple
// pictures, in both the loopback runs and their baseline.
//
// After the client's run the same process decodes the same streams bare, side by side on the same
// machine (unless --no-baseline): sixteen libavcodec threads in real time, and the ffmpeg program with
// one thread. It prints the client's CPU against each (per picture the client decoded, so that
// pictures a loaded machine made it skip do not count for it) and the overhead per picture beyond the
// real-time bare decode. Runs of 60 s and more print the resident memory every 10 s as a table.
//
// --feed staggers the channels' key pictures over the second (see Streams); --aligned sends every
// channel's key picture in the same period instead, the worst case a decode on few cores can meet.
//
// --smoke (with --feed) queues seconds x 25 pictures per channel, holding back while a decoder's queue
// is long instead of pacing, waits until every one is decoded and fails when one is not: a check that
// the path works, with nothing timed.
//
//   kelo_bench_live_video [--feed [--kbits 2000] [--aligned]] [--sim-bitrate 2000] [--mode yuv|rgb] [--seconds 30]
//                         [--warmup 5] [--cpus 0,1] [--no-baseline] [--smoke]
//   kelo_bench_live_video --baseline [--feed] [--sim-bitrate 2000] [--seconds 30] [--keep DIR]

#include "bench/e2e/BenchSupport.h"
#include "sim/SimConfig.h"
#include "sim/StreamLibrary.h"
#include "tests/protocol/FakeClientHost.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/opt.h>
}

#include <pthread.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using namespace kelobench;

struct Options {
    bool baseline = false;
    bool feed = false; // 2 Mbit/s streams of this program fed straight into the decoders
    int kbits = 2000;
    int simKbits = 0; // 0: the simulator's own pictures
    bool yuv = true;
    int seconds = 30;
    int warmup = 5;
    int layout = 14;
    int loopSeconds = 4;
    bool compare = true; // decode the streams bare after the client's run
    bool smoke = false;
    bool aligned = false; // --feed: every channel's key pictures at the same moment
    std::string cpus;
    std::string keep;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : ""; };
        if (a == "--baseline") {
            o.baseline = true;
        } else if (a == "--feed") {
            o.feed = true;
        } else if (a == "--kbits") {
            o.kbits = std::atoi(next());
        } else if (a == "--sim-bitrate") {
            o.simKbits = std::atoi(next());
        } else if (a == "--mode") {
            o.yuv = std::string(next()) != "rgb";
        } else if (a == "--seconds") {
            o.seconds = std::atoi(next());
        } else if (a == "--warmup") {
            o.warmup = std::atoi(next());
        } else if (a == "--layout") {
            o.layout = std::atoi(next());
        } else if (a == "--loop-seconds") {
            o.loopSeconds = std::atoi(next());
        } else if (a == "--cpus") {
            o.cpus = next();
        } else if (a == "--no-baseline") {
            o.compare = false;
        } else if (a == "--smoke") {
            o.smoke = true;
        } else if (a == "--aligned") {
            o.aligned = true;
        } else if (a == "--keep") {
            o.keep = next();
        } else {
            std::fprintf(stderr, "unknown option %s\n", a.c_str());
            return false;
        }
    }
    // A smoke run feeds the streams of this program.
    o.feed = o.feed || o.smoke;
    return o.seconds > 0;
}

double CpuSeconds(int who) {
    rusage u{};
    getrusage(who, &u);
    return double(u.ru_utime.tv_sec) + u.ru_utime.tv_usec / 1e6 + double(u.ru_stime.tv_sec) + u.ru_stime.tv_usec / 1e6;
}

long PeakRssKb(int who) {
    rusage u{};
    getrusage(who, &u);
    return u.ru_maxrss;
}

// CPU seconds of this process's threads, by kind: the channel decoders (named kelo-dec-NN), the UI
// thread and everything else (the socket or feeding thread, Qt's helpers).
struct ThreadCpu {
    double decoders = 0;
    double ui = 0;
    double feed = 0; // the thread that queues the fed streams, in place of the socket thread
    double other = 0;
    std::map<std::string, double> otherByName;
};

ThreadCpu ThreadCpuSeconds() {
    ThreadCpu cpu;
    const double tick = double(sysconf(_SC_CLK_TCK));
    const std::string self = std::to_string(getpid());
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream in(entry.path() / "stat");
        std::string line;
        std::getline(in, line);
        const std::size_t open = line.find('(');
        const std::size_t close = line.rfind(')');
        if (open == std::string::npos || close == std::string::npos) {
            continue;
        }
        const std::string name = line.substr(open + 1, close - open - 1);
        // Fields after the name: state is field 3; utime and stime are fields 14 and 15.
        std::istringstream rest(line.substr(close + 2));
        std::string field;
        double utime = 0, stime = 0;
        for (int i = 3; i <= 15 && rest >> field; ++i) {
            if (i == 14) {
                utime = std::atof(field.c_str());
            } else if (i == 15) {
                stime = std::atof(field.c_str());
            }
        }
        const double seconds = (utime + stime) / tick;
        if (name.rfind("kelo-dec-", 0) == 0) {
            cpu.decoders += seconds;
        } else if (name == "kelo-feed") {
            cpu.feed += seconds;
        } else if (entry.path().filename() == self) {
            cpu.ui += seconds;
        } else {
            cpu.other += seconds;
            cpu.otherByName[name] += seconds;
        }
    }
    return cpu;
}

// The threads' CPU since the earlier reading.
ThreadCpu ThreadCpuSince(const ThreadCpu& before) {
    ThreadCpu cpu = ThreadCpuSeconds();
    cpu.decoders -= before.decoders;
    cpu.ui -= before.ui;
    cpu.feed -= before.feed;
    cpu.other -= before.other;
    for (auto& [name, seconds] : cpu.otherByName) {
        const auto earlier = before.otherByName.find(name);
        seconds -= earlier != before.otherByName.end() ? earlier->second : 0;
    }
    return cpu;
}

// Sixteen channels of Annex-B access units, one picture each, looping; a key picture every second.
// Staggered, channel ch starts ch / 16 of a second into its loop, so that the channels' key pictures
// (several times the decoding of a predicted one) come spread over the second, as a recorder's
// cameras, started one after the other, send them; aligned, all sixteen come in the same period.
struct Streams {
    int width = 704;
    int height = 576;
    int fps = 25;
    bool staggered = false;
    std::vector<std::vector<std::vector<BYTE>>> units; // [channel][picture]

    int Phase(int channel) const { return staggered ? channel * fps / 16 : 0; }
    const std::vector<BYTE>& Unit(int channel, int n) const {
        const auto& loop = units[std::size_t(channel)];
        return loop[std::size_t(n + Phase(channel)) % loop.size()];
    }
    bool IsKey(int channel, int n) const { return (n + Phase(channel)) % fps == 0; }
    double KbitsPerChannel() const {
        double bytes = 0;
        std::size_t pictures = 0;
        for (const auto& loop : units) {
            for (const auto& unit : loop) {
                bytes += double(unit.size());
            }
            pictures += loop.size();
        }
        return pictures == 0 ? 0 : bytes * 8 / double(pictures) * fps / 1000;
    }
};

// The simulator's pictures: the same encoder with the same settings gives the same bytes.
bool SimulatorStreams(int loopSeconds, int kbits, Streams& out) {
    ksim::CSimConfig config;
    config.resolution = ksim::Resolution::D1;
    config.loopSeconds = loopSeconds;
    const ksim::VideoFormat format = config.Video();
    const ksim::CStreamLibrary library(format, 16, config.LoopFrames(), ksim::StreamRate{kbits, config.seed});
    if (!library.Ok()) {
        std::fprintf(stderr, "%s\n", library.Error().c_str());
        return false;
    }
    out.width = format.width;
    out.height = format.height;
    out.fps = format.fps;
    out.units.assign(16, {});
    for (int ch = 0; ch < 16; ++ch) {
        for (int n = 0; n < library.LoopFrames(); ++n) {
            const ksim::Bytes& unit = library.AccessUnit(ch, std::uint64_t(n));
            out.units[std::size_t(ch)].emplace_back(unit.begin(), unit.end());
        }
    }
    return true;
}

// One channel of a camera-like scene: a moving pattern with sensor noise on every picture, so that
// the bits are really spent, encoded by libx264 (main profile, no B pictures, an IDR every second).
bool EncodeChannel(int channel, int kbits, int frames, const Streams& shape, std::vector<std::vector<BYTE>>& out) {
    const AVCodec* codec = avcodec_find_encoder_by_name("libx264");
    if (codec == nullptr) {
        return false;
    }
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->width = shape.width;
    ctx->height = shape.height;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx->time_base = AVRational{1, shape.fps};
    ctx->framerate = AVRational{shape.fps, 1};
    ctx->gop_size = shape.fps;
    ctx->max_b_frames = 0;
    ctx->thread_count = 1;
    ctx->bit_rate = int64_t(kbits) * 1000;
    ctx->rc_max_rate = ctx->bit_rate;
    ctx->rc_buffer_size = int(ctx->bit_rate);
    av_opt_set(ctx->priv_data, "preset", "veryfast", 0);
    av_opt_set(ctx->priv_data, "profile", "main", 0);
    const std::string params = "keyint=" + std::to_string(shape.fps) + ":min-keyint=" + std::to_string(shape.fps) +
                               ":scenecut=0:repeat-headers=1:log=-1";
    av_opt_set(ctx->priv_data, "x264-params", params.c_str(), 0);
    if (avcodec_open2(ctx, codec, nullptr) < 0) {
        avcodec_free_context(&ctx);
        return false;
    }
    AVFrame* frame = av_frame_alloc();
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = shape.width;
    frame->height = shape.height;
    av_frame_get_buffer(frame, 0);
    AVPacket* packet = av_packet_alloc();
    std::uint32_t seed = 12345u + std::uint32_t(channel) * 977u;
    auto noise = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return int(seed >> 28) - 8; // -8..7
    };
    auto drain = [&]() {
        while (avcodec_receive_packet(ctx, packet) == 0) {
            out.emplace_back(packet->data, packet->data + packet->size);
            av_packet_unref(packet);
        }
    };
    for (int n = 0; n < frames; ++n) {
        av_frame_make_writable(frame);
        for (int y = 0; y < shape.height; ++y) {
            BYTE* row = frame->data[0] + std::ptrdiff_t(y) * frame->linesize[0];
            for (int x = 0; x < shape.width; ++x) {
                const int base = ((x + 4 * n + 16 * channel) ^ (y + 2 * n)) & 0xFF;
                row[x] = BYTE(std::clamp(16 + base * 219 / 255 + noise(), 0, 255));
            }
        }
        for (int plane = 1; plane < 3; ++plane) {
            for (int y = 0; y < shape.height / 2; ++y) {
                BYTE* row = frame->data[plane] + std::ptrdiff_t(y) * frame->linesize[plane];
                for (int x = 0; x < shape.width / 2; ++x) {
                    row[x] = BYTE(std::clamp(128 + ((x * (plane + channel) + y + n) & 63) - 32 + noise() / 2, 0, 255));
                }
            }
        }
        frame->pts = n;
        frame->pict_type = n % shape.fps == 0 ? AV_PICTURE_TYPE_I : AV_PICTURE_TYPE_NONE;
        avcodec_send_frame(ctx, frame);
        drain();
    }
    avcodec_send_frame(ctx, nullptr);
    drain();
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&ctx);
    return int(out.size()) == frames;
}

bool EncodedStreams(int kbits, int loopSeconds, Streams& out) {
    out.units.assign(16, {});
    const int frames = loopSeconds * out.fps;
    std::vector<int> ok(16, 0);
    const int workers = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    for (int first = 0; first < 16; first += workers) {
        std::vector<std::thread> threads;
        for (int ch = first; ch < std::min(16, first + workers); ++ch) {
            threads.emplace_back(
                [&, ch] { ok[std::size_t(ch)] = EncodeChannel(ch, kbits, frames, out, out.units[std::size_t(ch)]); });
        }
        for (auto& t : threads) {
            t.join();
        }
    }
    return std::all_of(ok.begin(), ok.end(), [](int v) { return v != 0; });
}

// Queues every channel's next picture as the socket thread queues frames: every 1/fps seconds, or,
// with a count (a smoke run), that many pictures per channel as fast as the decoders take them.
class CFeeder {
public:
    CFeeder(const Streams& streams, std::vector<std::unique_ptr<IChannelDecoder>>& decoders, int count = 0)
        : m_streams(streams), m_decoders(decoders), m_count(count), m_thread([this] { Run(); }) {}
    ~CFeeder() {
        m_stop = true;
        m_thread.join();
    }
    bool Done() const { return m_done.load(); }

private:
    // A smoke run keeps the queues short, so that the backlog rule never drops a picture.
    static constexpr std::size_t kSmokeQueue = 4;

    std::unique_ptr<FrameItem> Item(int ch, int n) const {
        const std::vector<BYTE>& unit = m_streams.Unit(ch, n);
        auto item = std::make_unique<FrameItem>();
        item->descriptor.channel = BYTE(ch);
        item->descriptor.key_mark = m_streams.IsKey(ch, n) ? 1 : 0;
        item->descriptor.width = WORD(m_streams.width);
        item->descriptor.height = WORD(m_streams.height);
        item->descriptor.generation = 1;
        item->descriptor.video_size = DWORD(unit.size());
        item->descriptor.item_length = DWORD(unit.size() + kFrameItemExtra);
        item->header[3] = DWORD(1300000000 + n / m_streams.fps);
        item->data.assign(unit.size() + kFrameItemExtra, 0);
        std::memcpy(item->data.data() + 40, unit.data(), unit.size());
        return item;
    }

    void Run() {
        pthread_setname_np(pthread_self(), "kelo-feed");
        const auto period = std::chrono::microseconds(1000000 / m_streams.fps);
        auto next = std::chrono::steady_clock::now();
        for (int n = 0; !m_stop && (m_count == 0 || n < m_count); ++n) {
            if (m_count == 0) {
                std::this_thread::sleep_until(next);
                next += period;
            }
            for (int ch = 0; ch < 16 && !m_stop; ++ch) {
                while (m_count != 0 && !m_stop && m_decoders[std::size_t(ch)]->QueueLength() >= kSmokeQueue) {
                    std::this_thread::sleep_for(1ms);
                }
                m_decoders[std::size_t(ch)]->QueueFrame(Item(ch, n));
            }
        }
        m_done = true;
    }

    const Streams& m_streams;
    std::vector<std::unique_ptr<IChannelDecoder>>& m_decoders;
    const int m_count;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Resident memory now, from the kernel's status of this process, in MB.
double RssMb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atof(line.c_str() + 6) / 1024.0;
        }
    }
    return 0;
}

// What one measured window of the client gave.
struct ClientRun {
    double cpu = 0;
    double wall = 0;
    ThreadCpu threads;
    std::uint64_t decoded = 0;
    std::uint64_t dropped = 0;
    int p50 = 0; // arrival to paint, ms
    int p99 = 0;
    std::vector<std::pair<int, double>> rss; // seconds into the window, MB
};

void Report(const Options& o, CVideoStats& stats, ClientRun& run, const char* source) {
    const ThreadCpu& threads = run.threads;
    std::printf("%s, mode %s, layout %d, %d s measured after %d s, cores %s\n", source, o.yuv ? "yuv" : "rgb", o.layout,
                o.seconds, o.warmup, o.cpus.empty() ? "all" : o.cpus.c_str());
    std::printf("client CPU %.2f s over %.2f s wall = %.3f cores\n", run.cpu, run.wall, run.cpu / run.wall);
    std::printf("  decoder threads %.2f s (publishing and drawing tiles %.2f s of it), UI thread %.2f s "
                "(painting %.2f s of it, %llu paints), feeding thread %.2f s, other threads %.2f s\n",
                threads.decoders, stats.PublishSeconds(), threads.ui, stats.PaintSeconds(),
                (unsigned long long)stats.Paints(), threads.feed, threads.other);
    for (const auto& [name, seconds] : threads.otherByName) {
        if (seconds >= 0.01) {
            std::printf("    other: %s %.2f s\n", name.c_str(), seconds);
        }
    }
    std::uint64_t decoded = 0, drawn = 0, painted = 0, backlog = 0, queue = 0, oversized = 0;
    std::uint64_t minDecoded = UINT64_MAX, maxDecoded = 0;
    for (int ch = 0; ch < 16; ++ch) {
        const CVideoStats::Channel& c = stats.Of(ch);
        decoded += c.decoded;
        drawn += c.drawn;
        painted += c.painted;
        backlog += c.backlogSkipped;
        queue += c.queueDropped;
        oversized += c.oversized;
        minDecoded = std::min<std::uint64_t>(minDecoded, c.decoded);
        maxDecoded = std::max<std::uint64_t>(maxDecoded, c.decoded);
    }
    run.decoded = decoded;
    run.dropped = backlog + queue + oversized;
    std::printf("pictures: decoded %llu (%.1f/s; per channel %llu to %llu), drawn %llu, painted %llu\n",
                (unsigned long long)decoded, double(decoded) / run.wall, (unsigned long long)minDecoded,
                (unsigned long long)maxDecoded, (unsigned long long)drawn, (unsigned long long)painted);
    std::printf("dropped %llu: backlog rule %llu, full queues %llu, oversized %llu\n", (unsigned long long)run.dropped,
                (unsigned long long)backlog, (unsigned long long)queue, (unsigned long long)oversized);
    run.p50 = stats.LatencyPercentileMs(0.5);
    run.p99 = stats.LatencyPercentileMs(0.99);
    std::printf("arrival to paint: p50 %d ms, p99 %d ms (%llu samples); arrival to drawn into the tile: p50 %d ms, "
                "p99 %d ms\n",
                run.p50, run.p99, (unsigned long long)stats.LatencySamples(),
                stats.LatencyPercentileMs(0.5, CVideoStats::Stage::Drawn),
                stats.LatencyPercentileMs(0.99, CVideoStats::Stage::Drawn));
    if (decoded > 0) {
        const double ms = 1000 / double(decoded);
        std::printf("client CPU per picture %.3f ms: decoder threads %.3f (publishing and drawing %.3f), UI thread "
                    "%.3f, feeding %.3f, other %.3f\n",
                    run.cpu * ms, threads.decoders * ms, stats.PublishSeconds() * ms, threads.ui * ms,
                    threads.feed * ms, threads.other * ms);
    }
    std::printf("peak RSS %.1f MB\n", double(PeakRssKb(RUSAGE_SELF)) / 1024.0);
    if (run.rss.size() >= 2) {
        std::printf("resident memory, MB:\n   s      MB\n");
        for (const auto& [second, mb] : run.rss) {
            std::printf("%4d  %6.1f\n", second, mb);
        }
        // From minute 1 on, against the first sample at or after it.
        double first = 0, low = 1e9, high = 0;
        for (const auto& [second, mb] : run.rss) {
            if (second < 60 && run.rss.back().first >= 60) {
                continue;
            }
            first = first == 0 ? mb : first;
            low = std::min(low, mb);
            high = std::max(high, mb);
        }
        if (first > 0) {
            std::printf("resident memory from minute 1: %.1f to %.1f MB, %+.1f %% .. %+.1f %% of the first sample\n",
                        low, high, (low / first - 1) * 100, (high / first - 1) * 100);
        }
    }
}

ClientRun Measure(const Options& o, CVideoDlg& video, const char* source) {
    if (o.layout != 14) {
        video.SetLayout(o.layout);
    }
    PumpFor(std::chrono::seconds(o.warmup));
    video.Stats().Reset();
    ClientRun run;
    const ThreadCpu threads0 = ThreadCpuSeconds();
    const double cpu0 = CpuSeconds(RUSAGE_SELF);
    const auto t0 = std::chrono::steady_clock::now();
    // The run is cut into 10 s steps when it is long enough for the memory to be followed.
    const int step = o.seconds >= 60 ? 10 : o.seconds;
    for (int done = 0; done < o.seconds; done += step) {
        if (step < o.seconds) {
            run.rss.emplace_back(done, RssMb());
        }
        PumpFor(std::chrono::seconds(std::min(step, o.seconds - done)));
    }
    if (step < o.seconds) {
        run.rss.emplace_back(o.seconds, RssMb());
    }
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    run.cpu = CpuSeconds(RUSAGE_SELF) - cpu0;
    run.threads = ThreadCpuSince(threads0);
    Report(o, video.Stats(), run, source);
    return run;
}

// One libavcodec decoder on one thread over a channel's pictures, unit by unit; pictures decoded.
// With a period, picture n is decoded no earlier than n periods after the start (real time), and
// `latency` gets, for every picture, the milliseconds from then until it came out decoded. The
// pictures before the channel's first key picture are skipped, as the client's decoder skips them.
int DecodeInProcess(const Streams& streams, int channel, int frames,
                    std::chrono::microseconds period = std::chrono::microseconds(0),
                    std::vector<double>* latency = nullptr) {
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
    AVCodecContext* ctx = avcodec_alloc_context3(codec);
    ctx->thread_count = 1;
    ctx->flags |= AV_CODEC_FLAG_LOW_DELAY;
    avcodec_open2(ctx, codec, nullptr);
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    std::vector<BYTE> padded;
    int pictures = 0;
    bool started = false;
    const auto start = std::chrono::steady_clock::now();
    for (int n = 0; n < frames; ++n) {
        started = started || streams.IsKey(channel, n);
        if (!started) {
            continue;
        }
        const auto due = start + n * period;
        if (period.count() > 0) {
            std::this_thread::sleep_until(due);
        }
        const std::vector<BYTE>& unit = streams.Unit(channel, n);
        padded.assign(unit.begin(), unit.end());
        padded.resize(unit.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
        packet->data = padded.data();
        packet->size = int(unit.size());
        if (avcodec_send_packet(ctx, packet) == 0) {
            while (avcodec_receive_frame(ctx, frame) == 0) {
                ++pictures;
                if (latency != nullptr) {
                    latency->push_back(
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - due).count());
                }
            }
        }
    }
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&ctx);
    return pictures;
}

struct BareDecode {
    double cpu = 0;
    double wall = 0;
    int pictures = 0;
    double p50 = 0; // due to decoded, ms (real time only)
    double p99 = 0;
};

// Sixteen decoders on threads of their own at once.
BareDecode DecodeAllAtOnce(const Streams& streams, int frames, std::chrono::microseconds period) {
    const double cpu0 = CpuSeconds(RUSAGE_SELF);
    const auto wall0 = std::chrono::steady_clock::now();
    std::vector<int> pictures(16, 0);
    std::vector<std::vector<double>> latency(16);
    std::vector<std::thread> threads;
    for (int ch = 0; ch < 16; ++ch) {
        threads.emplace_back([&, ch] {
            pictures[std::size_t(ch)] = DecodeInProcess(streams, ch, frames, period, &latency[std::size_t(ch)]);
        });
    }
    for (auto& t : threads) {
        t.join();
    }
    BareDecode bare;
    if (period.count() > 0) {
        std::vector<double> all;
        for (const auto& l : latency) {
            all.insert(all.end(), l.begin(), l.end());
        }
        bare.p50 = Percentile(all, 0.5);
        bare.p99 = Percentile(all, 0.99);
    }
    bare.cpu = CpuSeconds(RUSAGE_SELF) - cpu0;
    bare.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    for (int p : pictures) {
        bare.pictures += p;
    }
    return bare;
}

// The ffmpeg program, one thread, decoding each channel's pictures from a file; a CPU of -1 when it
// is not installed.
BareDecode DecodeWithFfmpeg(const Streams& streams, int frames, const std::string& keep) {
    BareDecode bare;
    if (std::system("command -v ffmpeg > /dev/null 2>&1") != 0) {
        bare.cpu = -1;
        return bare;
    }
    const std::filesystem::path folder =
        keep.empty() ? std::filesystem::temp_directory_path() / ("kelo-bench-streams-" + std::to_string(getpid()))
                     : std::filesystem::path(keep);
    std::filesystem::create_directories(folder);
    std::vector<std::pair<std::string, int>> files; // and the pictures in each
    for (int ch = 0; ch < 16; ++ch) {
        const std::string name = (folder / ("ch" + std::to_string(ch + 1) + ".h264")).string();
        std::ofstream file(name, std::ios::binary);
        // From the channel's first key picture on, as the decoders in process take them.
        int first = 0;
        while (first < frames && !streams.IsKey(ch, first)) {
            ++first;
        }
        for (int n = first; n < frames; ++n) {
            const std::vector<BYTE>& unit = streams.Unit(ch, n);
            file.write(reinterpret_cast<const char*>(unit.data()), std::streamsize(unit.size()));
        }
        files.emplace_back(name, frames - first);
    }
    const double child0 = CpuSeconds(RUSAGE_CHILDREN);
    for (const auto& [file, pictures] : files) {
        const std::string command = "ffmpeg -nostdin -hide_banner -loglevel error -threads 1 -f h264 -i '" + file +
                                    "' -threads 1 -f null - > /dev/null 2>&1";
        bare.pictures += std::system(command.c_str()) == 0 ? pictures : 0;
    }
    bare.cpu = CpuSeconds(RUSAGE_CHILDREN) - child0;
    if (keep.empty()) {
        std::filesystem::remove_all(folder);
    }
    return bare;
}

// The client's run against the bare decode of the same streams, per picture.
void Compare(const Options& o, const Streams& streams, const ClientRun& run) {
    if (!o.compare || run.decoded == 0) {
        return;
    }
    const int frames = o.seconds * streams.fps;
    const BareDecode paced = DecodeAllAtOnce(streams, frames, std::chrono::microseconds(1000000 / streams.fps));
    const BareDecode ffmpeg = DecodeWithFfmpeg(streams, frames, o.keep);
    const double pictures = double(run.decoded);
    std::printf("bare decode of the same streams, %d pictures a channel:\n", frames);
    if (paced.pictures > 0) {
        const double perPicture = paced.cpu / paced.pictures;
        std::printf("  sixteen libavcodec threads in real time: %.2f s CPU for %d pictures, %.3f ms a picture\n",
                    paced.cpu, paced.pictures, perPicture * 1000);
        std::printf("  arrival to decoded, bare: p50 %.0f ms, p99 %.0f ms (the client's arrival to paint: p50 %d ms, "
                    "p99 %d ms)\n",
                    paced.p50, paced.p99, run.p50, run.p99);
        std::printf("  client / real-time bare decode: %.2f; overhead beyond it %.3f ms a picture\n",
                    run.cpu / (perPicture * pictures), (run.cpu - perPicture * pictures) * 1000 / pictures);
    }
    if (ffmpeg.cpu < 0) {
        std::printf("  ffmpeg is not installed: no figure from the ffmpeg program\n");
    } else if (ffmpeg.pictures > 0) {
        const double perPicture = ffmpeg.cpu / ffmpeg.pictures;
        std::printf("  ffmpeg -threads 1: %.2f s CPU for %d pictures, %.3f ms a picture\n", ffmpeg.cpu, ffmpeg.pictures,
                    perPicture * 1000);
        std::printf("  client / ffmpeg -threads 1: %.2f\n", run.cpu / (perPicture * pictures));
    }
}

int RunSimulator(const Options& o) {
    SimProcess sim;
    std::vector<std::string> simOptions = {
        "--resolution", "d1", "--channels", "16", "--loop-seconds", std::to_string(o.loopSeconds)};
    if (o.simKbits > 0) {
        simOptions.insert(simOptions.end(), {"--bitrate", std::to_string(o.simKbits)});
    }
    if (!StartSimulator(sim, simOptions)) {
        return 1;
    }
    // Only the client is held to the given cores; the simulator was started before.
    CH264Library library;
    if (!PinAndLoad(o.cpus, library)) {
        return 1;
    }
    ClientRun run;
    {
        BenchWindow window(&library, o.yuv);
        FakeClientHost clientHost;
        std::unique_ptr<CDvrClient> client = ConnectLive(clientHost, window.video, sim.Port(), 30000);
        if (!client) {
            return 1;
        }
        run = Measure(o, window.video, "simulator over loopback");
        client->Disconnect();
        window.video.SetClient(nullptr);
    }
    Streams streams;
    if (o.compare && SimulatorStreams(o.loopSeconds, o.simKbits, streams)) {
        Compare(o, streams, run);
    }
    return 0;
}

// Every picture queued must come out decoded, with none dropped; nothing is timed.
int Smoke(const Options& o, const Streams& streams, CVideoDlg& video,
          std::vector<std::unique_ptr<IChannelDecoder>>& decoders) {
    const int count = o.seconds * streams.fps;
    const std::uint64_t expected = std::uint64_t(count) * 16;
    const ThreadCpu threads0 = ThreadCpuSeconds();
    const double cpu0 = CpuSeconds(RUSAGE_SELF);
    const auto t0 = std::chrono::steady_clock::now();
    CFeeder feeder(streams, decoders, count);
    auto queuesEmpty = [&decoders] {
        return std::all_of(decoders.begin(), decoders.end(), [](const auto& d) { return d->QueueLength() == 0; });
    };
    QDeadlineTimer deadline(600000);
    while (DecodedPictures(video) < expected && !deadline.hasExpired()) {
        if (feeder.Done() && queuesEmpty()) {
            // Everything was taken: once the last pictures are through, no more will come.
            const std::uint64_t seen = DecodedPictures(video);
            PumpFor(1000ms);
            if (DecodedPictures(video) == seen) {
                break;
            }
            continue;
        }
        PumpFor(20ms);
    }
    PumpFor(100ms);
    ClientRun run;
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    run.cpu = CpuSeconds(RUSAGE_SELF) - cpu0;
    run.threads = ThreadCpuSince(threads0);
    run.threads.otherByName.clear();
    Report(o, video.Stats(), run, "smoke run, streams fed into the decoders");
    const bool ok = run.decoded == expected && run.dropped == 0;
    std::printf("smoke run: %llu of %llu pictures decoded, %llu dropped: %s\n", (unsigned long long)run.decoded,
                (unsigned long long)expected, (unsigned long long)run.dropped, ok ? "passed" : "FAILED");
    return ok ? 0 : 1;
}

int RunFeed(const Options& o) {
    Streams streams;
    if (!EncodedStreams(o.kbits, o.loopSeconds, streams)) {
        std::fprintf(stderr, "the streams could not be encoded\n");
        return 1;
    }
    // A smoke run counts every picture queued as one to decode: each channel starts on its key picture.
    streams.staggered = !o.aligned && !o.smoke;
    std::printf("streams: 16 x %dx%d at %d fps, %.0f kbit/s per channel, key pictures %s\n", streams.width,
                streams.height, streams.fps, streams.KbitsPerChannel(),
                streams.staggered ? "staggered over the second" : "aligned");
    CH264Library library;
    if (!PinAndLoad(o.cpus, library)) {
        return 1;
    }
    ClientRun run;
    int result = 0;
    {
        BenchWindow window(&library, o.yuv);
        window.video.SetPlaySource(1);
        window.video.SetAvailableMask(0xFFFF, false);
        std::vector<std::unique_ptr<IChannelDecoder>> decoders;
        for (int ch = 0; ch < 16; ++ch) {
            decoders.push_back(window.video.MediaFactory()->CreateDecoder(ch, 1));
        }
        if (o.smoke) {
            result = Smoke(o, streams, window.video, decoders);
        } else {
            CFeeder feeder(streams, decoders);
            run = Measure(o, window.video, "streams fed into the decoders");
        }
        for (auto& d : decoders) {
            d->Stop();
        }
    }
    if (!o.smoke) {
        Compare(o, streams, run);
    }
    return result;
}

int RunBaseline(const Options& o) {
    Streams streams;
    if (o.feed ? !EncodedStreams(o.kbits, o.loopSeconds, streams)
               : !SimulatorStreams(o.loopSeconds, o.simKbits, streams)) {
        return 1;
    }
    streams.staggered = o.feed && !o.aligned;
    const int frames = o.seconds * streams.fps;
    std::printf("%s streams: 16 x %dx%d at %d fps, %.0f kbit/s per channel, %d pictures each\n",
                o.feed ? "fed" : "simulator", streams.width, streams.height, streams.fps, streams.KbitsPerChannel(),
                frames);
    const double self0 = CpuSeconds(RUSAGE_SELF);
    int pictures = 0;
    for (int ch = 0; ch < 16; ++ch) {
        pictures += DecodeInProcess(streams, ch, frames);
    }
    std::printf("libavcodec in process, one thread: %.2f s CPU for %d pictures\n", CpuSeconds(RUSAGE_SELF) - self0,
                pictures);
    // The same, all sixteen at once on threads of their own: as fast as they go, and in real time
    // (each picture when it is due), as the client's decoders run.
    const BareDecode burst = DecodeAllAtOnce(streams, frames, std::chrono::microseconds(0));
    std::printf("libavcodec in process, sixteen threads at once: %.2f s CPU (%.2f s wall)\n", burst.cpu, burst.wall);
    const BareDecode paced = DecodeAllAtOnce(streams, frames, std::chrono::microseconds(1000000 / streams.fps));
    std::printf("libavcodec in process, sixteen threads in real time: %.2f s CPU (%.2f s wall)\n", paced.cpu,
                paced.wall);
    const BareDecode ffmpeg = DecodeWithFfmpeg(streams, frames, o.keep);
    if (ffmpeg.cpu < 0) {
        std::printf("ffmpeg is not installed: no figure from the ffmpeg program\n");
    } else {
        std::printf("ffmpeg -threads 1 -f null -: %.2f s CPU for the 16 files%s\n", ffmpeg.cpu,
                    ffmpeg.pictures != frames * 16 ? " (some runs failed)" : "");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Each line as it is printed, so that a run cut short still shows what it measured.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    Options options;
    if (!ParseOptions(argc, argv, options)) {
        return 2;
    }
    if (options.baseline) {
        return RunBaseline(options);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return options.feed ? RunFeed(options) : RunSimulator(options);
}
