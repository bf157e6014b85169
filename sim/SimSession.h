// One client connection: the reader (this object's Run), the sender thread, and the live,
// playback and backup producers that the requests start.
#pragma once

#include "sim/SimPlayback.h"
#include "sim/SimRecorder.h"
#include "sim/SimSender.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

namespace ksim {

class CSimSession {
public:
    CSimSession(CSimRecorder& recorder, int fd, const std::atomic<bool>& serverStop);
    ~CSimSession();
    CSimSession(const CSimSession&) = delete;
    CSimSession& operator=(const CSimSession&) = delete;

    // Serves the connection until the client or a fault closes it, or the server stops.
    void Run();
    // Ends the session from another thread.
    void Close();

    // Test hooks: raw bytes, or a message, sent as they are after what is already queued.
    void Inject(Bytes raw);
    void InjectMessage(uint16_t id, Bytes payload, bool last);
    // Sends DB_CHANGE and RIGHT_CHANGE as they follow from the recorder's current setup record.
    void PushSetupChanges();

private:
    bool ReadExact(uint8_t* data, size_t size);
    void Dispatch(const WireHeader& h, const Bytes& payload);
    // Answers a request that breaks its layout: the refusal that answers it, else the connection
    // ends. False when the session is over.
    bool Reject(const WireHeader& h, const std::string& what);
    bool Refused(uint16_t request);
    void SendRefusal(const SimRefusal& refusal);
    void EndAfterFlush(int delayMs);

    void OnHello(const Bytes& payload);
    void SendLoginPushes();
    void OnLiveReq(const Bytes& payload);
    void OnLiveStop();
    void OnRecord(bool on);
    void OnPlayOn(const Bytes& payload);
    void OnPlayCommand(uint16_t id, const Bytes& payload);
    void OnTransOn(const Bytes& payload);
    void OnTransData(const Bytes& payload);
    void OnTransOff();
    void OnDbInfo();
    void OnDbUpdate(const Bytes& payload);
    void OnDbInit();
    void OnFwUpdate(const Bytes& payload);
    void OnFwData(const WireHeader& h, const Bytes& payload);
    void OnList(uint16_t request, uint16_t ack, uint16_t nack, Bytes records);
    void OnDayList(uint16_t request, uint16_t ack, uint16_t nack, const Bytes& payload);

    void StartLive(uint16_t mask);
    void StopLive();
    void LiveLoop();
    void StopPlayback();
    void StopBackup();
    void BackupLoop(std::vector<SimPiece> pieces, std::vector<std::string> names);
    Bytes HelloReply() const;
    Bytes RecStatus() const;
    Bytes Message257();

    CSimRecorder& m_recorder;
    const CSimConfig& m_config;
    int m_fd;
    const std::atomic<bool>& m_serverStop;
    std::atomic<bool> m_closing{false};
    std::unique_ptr<CSimSender> m_sender;
    bool m_loggedIn = false;
    uint32_t m_message257Count = 0;
    std::atomic<uint32_t> m_dbChangeCounter{0};
    uint8_t m_listeningChannel = 0;

    // Live streaming state, shared with the live thread.
    std::mutex m_liveLock;
    std::condition_variable m_liveChanged;
    uint16_t m_liveMask = 0;
    uint64_t m_liveGeneration = 0;
    std::array<uint64_t, 16> m_liveFrame{};
    std::atomic<bool> m_liveStop{false};
    std::thread m_liveThread;

    std::unique_ptr<CSimPlayback> m_playback;

    std::atomic<bool> m_backupStop{false};
    std::thread m_backupThread;

    FirmwareUpload m_upload;
    bool m_uploading = false;
    bool m_listening = false; // A_LISTEN_REQ accepted, no A_LISTEN_STOP_REQ since
};

} // namespace ksim
