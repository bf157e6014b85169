#pragma once
// Talking to the recorder: the microphone is captured in µ-law, 8000 per second, in blocks of 512
// bytes; each block becomes a talk message (TALK_DATA, a 2048-byte body with the block at its end),
// and every 100 ms a sender thread sends what has been queued on the client's connection.
//
// The connection is shared: a message goes out whole (the connection's own send lock), and once the
// connection is closed sends fail and are not retried. The main window makes one after the recorder
// accepted listening and stops it when listening ends or the connection goes.

#include "media/TalkQueue.h"
#include "media/WaveBuffer.h"
#include "platform/audio/PcmDevice.h"
#include "protocol/IWorker.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

class CSoundIn;
class CTcpConnection;

class CAudioMikeThread final : public IWorker {
public:
    static constexpr std::chrono::milliseconds kSendInterval{100};

    // Starts capture (device: see PcmDevice.h; null: the environment's choice) and the sender.
    // A capture that cannot start leaves the sender running with nothing to send.
    explicit CAudioMikeThread(std::shared_ptr<CTcpConnection> connection, const char* captureDevice = nullptr);
    ~CAudioMikeThread() override;
    CAudioMikeThread(const CAudioMikeThread&) = delete;
    CAudioMikeThread& operator=(const CAudioMikeThread&) = delete;

    // Ends the sender, then capture, then frees what is still queued. Any thread.
    void Stop() override;

    // A captured buffer (the capture device's thread).
    void PushBuffer(const CWaveBuffer& buffer);

    bool IsCapturing() const;
    std::size_t QueuedMessages() const { return m_queue.Count(); }
    // Talk messages that went out whole.
    std::size_t SentMessages() const { return m_sent.load(); }

private:
    void ThreadProc();

    std::shared_ptr<CTcpConnection> m_connection;
    CTalkQueue m_queue;
    std::unique_ptr<CSoundIn> m_capture;
    std::mutex m_stopLock;
    std::condition_variable m_stopSignal;
    bool m_stop = false;
    std::atomic<std::size_t> m_sent{0};
    std::thread m_sender;
    std::atomic<bool> m_stopped{false};
};
