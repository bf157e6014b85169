// kelo-recorder-sim: a simulated recorder for the client's tests and demo. See --help.
#include "sim/SimConfig.h"
#include "sim/SimRecorder.h"
#include "sim/SimServer.h"

#include <csignal>
#include <cstdio>
#include <pthread.h>

int main(int argc, char** argv) {
    // Signals are taken by sigwait below; every thread started from here on inherits the mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    ksim::CSimConfig config;
    std::string error;
    bool help = false;
    if (!config.Parse(argc, argv, error, help)) {
        std::fprintf(stderr, "kelo-recorder-sim: %s (see --help)\n", error.c_str());
        return 2;
    }
    if (help) {
        std::fputs(ksim::CSimConfig::HelpText().c_str(), stdout);
        return 0;
    }
    ksim::CSimRecorder recorder(config);
    if (!recorder.Ok()) {
        std::fprintf(stderr, "kelo-recorder-sim: %s\n", recorder.Error().c_str());
        return 1;
    }
    ksim::CSimServer server(recorder);
    if (!server.Listen(error)) {
        std::fprintf(stderr, "kelo-recorder-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("port %u\n", unsigned(server.Port()));
    std::fflush(stdout);
    server.Start();
    int signal = 0;
    sigwait(&signals, &signal);
    if (config.verbose)
        std::fprintf(stderr, "sim: signal %d, stopping\n", signal);
    server.Stop();
    return 0;
}
