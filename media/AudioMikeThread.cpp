#include "media/AudioMikeThread.h"

#include "media/SoundIn.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/PacketHeader.h"

CAudioMikeThread::CAudioMikeThread(std::shared_ptr<CTcpConnection> connection, const char* captureDevice)
    : m_connection(std::move(connection)) {
    m_capture = std::make_unique<CSoundIn>(*this);
    CWaveFormat& format = m_capture->Format();
    format.SetFormatTag(WAVE_FORMAT_MULAW);
    format.SetBitsPerSample(8);
    format.SetChannels(1);
    format.SetSamplesPerSec(8000);
    format.SetBufferSize(static_cast<DWORD>(CTalkQueue::kCaptureBytes));
    m_capture->Start(nullptr, captureDevice);
    m_sender = std::thread([this] { ThreadProc(); });
}

CAudioMikeThread::~CAudioMikeThread() {
    Stop();
}

bool CAudioMikeThread::IsCapturing() const {
    return m_capture && m_capture->IsRecording();
}

void CAudioMikeThread::PushBuffer(const CWaveBuffer& buffer) {
    m_queue.Push(buffer.GetData(), buffer.GetSize());
}

void CAudioMikeThread::ThreadProc() {
    const PacketHeader header = PacketHeader::Request(Msg::TALK_DATA, CTalkQueue::kBodyBytes, true);
    std::unique_lock lock(m_stopLock);
    while (!m_stop) {
        lock.unlock();
        // Everything captured since the last round goes out, so that the recorder hears the
        // microphone as fast as it is captured (one message a round would fall behind and drop).
        for (const CTalkQueue::Body& body : m_queue.TakeAll()) {
            if (SendPacket(m_connection.get(), header, body.data(), CTalkQueue::kBodyBytes) > 0) {
                ++m_sent;
            }
        }
        lock.lock();
        m_stopSignal.wait_for(lock, kSendInterval, [&] { return m_stop; });
    }
}

void CAudioMikeThread::Stop() {
    if (m_stopped.exchange(true)) {
        return;
    }
    {
        std::lock_guard lock(m_stopLock);
        m_stop = true;
    }
    m_stopSignal.notify_all();
    if (m_sender.joinable()) {
        m_sender.join();
    }
    if (m_capture) {
        m_capture->Stop();
    }
    m_queue.Clear();
}
