// How long CDvrClient::Disconnect takes against the simulator with live view running: connects,
// waits for live view, disconnects, as many times as asked, and prints each time and their median.
// The client runs without windows or decoders (the frames are read and dropped), so what is timed is
// the disconnection itself: the live stop, BYE48 and the wait for the socket thread.
// Usage: kelo_bench_disconnect [--runs N] [--channels N] [--resolution d1|half|cif]
#include "protocol/DvrClient.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/support/SimProcess.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

struct Options {
    int runs = 10;
    std::string channels = "16";
    std::string resolution = "d1";
};

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--runs") {
            o.runs = std::max(1, std::atoi(argv[i + 1]));
        } else if (name == "--channels") {
            o.channels = argv[i + 1];
        } else if (name == "--resolution") {
            o.resolution = argv[i + 1];
        } else {
            return false;
        }
    }
    return true;
}

template <typename Pred>
bool WaitFor(Pred pred, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!pred()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s [--runs N] [--channels N] [--resolution d1|half|cif]\n", argv[0]);
        return 2;
    }
    SimProcess sim(SimProcess::Messages::Quiet);
    if (!sim.Start({"--resolution", o.resolution, "--channels", o.channels, "--loop-seconds", "1"}, 600000)) {
        std::fprintf(stderr, "the simulator did not start\n");
        return 1;
    }
    std::vector<double> times;
    for (int run = 0; run < o.runs; ++run) {
        FakeClientHost host;
        CDvrClient client(DvrClientSeams{&host, nullptr, nullptr});
        client.Login().SetConnectParams("127.0.0.1", DWORD(sim.Port()), "admin", "1234");
        client.Connect();
        if (!WaitFor([&] { return client.IsLive(); }, std::chrono::seconds(60))) {
            std::fprintf(stderr, "live view did not start\n");
            return 1;
        }
        // Let the stream run a little, as it does when the operator disconnects.
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        const auto start = std::chrono::steady_clock::now();
        client.Disconnect();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
        std::printf("disconnect %d: %.1f ms\n", run + 1, took.count());
    }
    std::sort(times.begin(), times.end());
    std::printf("disconnect: median %.1f ms, min %.1f ms, max %.1f ms over %zu runs\n", times[times.size() / 2],
                times.front(), times.back(), times.size());
    return 0;
}
