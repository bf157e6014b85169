// Listens on the configured address and serves one client at a time, one after another, each
// in a CSimSession, until stopped.
#pragma once

#include "sim/SimRecorder.h"
#include "sim/SimSession.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace ksim {

class CSimServer {
public:
    explicit CSimServer(CSimRecorder& recorder);
    ~CSimServer();
    CSimServer(const CSimServer&) = delete;
    CSimServer& operator=(const CSimServer&) = delete;

    bool Listen(std::string& error);
    uint16_t Port() const { return m_port; }

    void Start(); // serves on a thread of its own
    void Run();   // serves on the calling thread until Stop
    void Stop();  // ends the current session and stops serving

    // Test hooks into the session that currently runs; false when none runs.
    bool Inject(Bytes raw);
    bool InjectMessage(uint16_t id, Bytes payload, bool last = true);
    bool PushSetupChanges();
    bool CloseSession();

private:
    CSimRecorder& m_recorder;
    int m_listenFd = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::mutex m_lock;
    CSimSession* m_session = nullptr;
    std::thread m_thread;
};

} // namespace ksim
