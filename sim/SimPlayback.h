// Remote playback of one session: a cursor over the recordings of the requested range that sends
// PLAY_DATA frames under the client's credit (PLAY_STEP_DATA), forward at x1 (every frame; the
// client paces), forward x2-x4 and backward x1-x4 (key frames only, paced here), paused, and in
// single steps. Every frame uses one credit; a pause drops what is left.
#pragma once

#include "sim/RecordedMedia.h"
#include "sim/SimRecorder.h"
#include "sim/SimSender.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace ksim {

class CSimPlayback {
public:
    CSimPlayback(CSimRecorder& recorder, CSimSender& sender, std::vector<SimPiece> pieces, uint32_t start);
    ~CSimPlayback();
    CSimPlayback(const CSimPlayback&) = delete;
    CSimPlayback& operator=(const CSimPlayback&) = delete;

    void AddCredit(uint32_t frames);
    void Pause();
    void Forward(const Bytes& body);  // body empty or a 24-byte start record
    void Backward(const Bytes& body); // likewise
    void NextStep();
    void PrevStep();
    void SetChannels(uint16_t mask);
    void Stop();

    // The speed code that the next PLAY_DATA carries.
    uint8_t SpeedCode() const;

private:
    enum class Mode { Paused, Forward, Backward, Ended };

    void Run();
    bool FramesAt(int64_t tick, bool keyOnly, std::deque<RecordedFrame>& out) const;
    bool NextTick(int64_t from, int64_t& tick) const; // first recorded tick >= from
    bool PrevTick(int64_t from, int64_t& tick) const; // last recorded tick <= from
    bool Fill();                                      // the next tick's frames into m_pending
    void Seek(const Bytes& body);
    bool SendFrame(const RecordedFrame& f, uint8_t speedCode);
    uint8_t SpeedCodeLocked() const;
    // PLAY_CHANNEL_INFO, in order with the frames, when the channels of the next tick differ from
    // those last announced. Called with the lock held; sends without it.
    bool AnnounceChannels(std::unique_lock<std::mutex>& lock);

    CSimRecorder& m_recorder;
    CSimSender& m_sender;
    const CRecordedMedia& m_media;
    std::vector<SimPiece> m_pieces;
    const int64_t m_fps;
    const bool m_newSpeeds; // product version 1.2 or later

    mutable std::mutex m_lock;
    std::condition_variable m_changed;
    Mode m_mode = Mode::Forward;
    int m_speed = 1;
    uint16_t m_mask = 0xFFFF;
    uint64_t m_credit = 0;
    int64_t m_pos = 0;    // next tick (forward) or the tick to go back from (backward)
    int64_t m_shown = -1; // tick of the last frames queued
    bool m_stepping = false;
    std::deque<RecordedFrame> m_pending;
    bool m_newTick = false;   // m_pending holds a tick whose channels are not yet announced
    int32_t m_announced = -1; // channel mask of the last PLAY_CHANNEL_INFO, -1 before the first
    std::chrono::steady_clock::time_point m_lastKeyTick{};
    std::chrono::steady_clock::time_point m_starvedSince{};
    bool m_flowSent = false;
    uint64_t m_sentFrames = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

} // namespace ksim
