#include "bench/e2e/BenchSupport.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace kelobench {

using namespace std::chrono_literals;

namespace {

enum : UINT { IDD_BENCH_HOST = 9160 };
const DialogTemplate kHostTemplate{.id = IDD_BENCH_HOST, .x = 0, .y = 0, .cx = 928, .cy = 698, .style = WS_POPUP};
const DialogTemplateRegistration kHostRegistered(kHostTemplate);

} // namespace

std::string BinDir() {
    const char* dir = std::getenv("KELO_BIN_DIR");
    if (dir != nullptr && *dir != '\0') {
        return dir;
    }
    return std::filesystem::read_symlink("/proc/self/exe").parent_path().string();
}

cpu_set_t CpuSet(const std::string& cpus) {
    cpu_set_t set;
    CPU_ZERO(&set);
    std::size_t start = 0;
    while (start < cpus.size()) {
        const std::size_t comma = cpus.find(',', start);
        CPU_SET(std::atoi(cpus.substr(start, comma - start).c_str()), &set);
        start = comma == std::string::npos ? cpus.size() : comma + 1;
    }
    return set;
}

bool LoadDecoderLibrary(CH264Library& library) {
    if (library.Load((BinDir() + "/" + CH264Library::kFileName).c_str())) {
        return true;
    }
    std::fprintf(stderr, "the decoder library is missing\n");
    return false;
}

bool PinAndLoad(const std::string& cpus, CH264Library& library) {
    if (!cpus.empty()) {
        const cpu_set_t set = CpuSet(cpus);
        if (sched_setaffinity(0, sizeof set, &set) != 0) {
            std::fprintf(stderr, "cannot pin to cores %s\n", cpus.c_str());
            return false;
        }
    }
    return LoadDecoderLibrary(library);
}

bool StartSimulator(SimProcess& sim, const std::vector<std::string>& options) {
    if (sim.Start(options, 600000)) {
        return true;
    }
    std::fprintf(stderr, "the simulator did not start\n");
    return false;
}

void PumpFor(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(int(time.count()), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    const std::size_t at = std::min(values.size() - 1, std::size_t(share * double(values.size())));
    std::nth_element(values.begin(), values.begin() + std::ptrdiff_t(at), values.end());
    return values[at];
}

BenchWindow::BenchWindow(const CH264Library* library, bool yuv) : owner(library), video(&owner) {
    host.Create(IDD_BENCH_HOST, nullptr);
    video.Create(&host);
    video.Init(16);
    video.SetOsdFont(13, 700, "Arial Bold");
    video.SetDrawMode(yuv);
    video.SetGeometry(53, 72, 868, 620, 1, RGB(150, 150, 150));
    host.ShowWindow(SW_SHOW);
}

BenchWindow::~BenchWindow() {
    video.DestroyWindow();
    host.DestroyWindow();
}

std::unique_ptr<CDvrClient> ConnectLive(IClientHost& host, CVideoDlg& video, int port, int timeoutMs,
                                        const std::function<bool()>& failed) {
    auto client =
        std::make_unique<CDvrClient>(DvrClientSeams{&host, video.View(), video.MediaFactory()}, DvrClientTiming{});
    video.SetClient(client.get());
    client->Login().SetConnectParams("127.0.0.1", DWORD(port), "admin", "1234");
    client->Connect();
    QDeadlineTimer login(timeoutMs);
    while (!client->IsLive() && !login.hasExpired() && !(failed && failed())) {
        PumpFor(20ms);
    }
    if (!client->IsLive()) {
        std::fprintf(stderr, "live view did not start\n");
        video.SetClient(nullptr);
        return nullptr;
    }
    return client;
}

std::uint64_t DecodedPictures(CVideoDlg& video) {
    std::uint64_t decoded = 0;
    for (int ch = 0; ch < 16; ++ch) {
        decoded += video.Stats().Of(ch).decoded.load();
    }
    return decoded;
}

} // namespace kelobench
