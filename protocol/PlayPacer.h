#pragma once
// Remote playback's clock. The socket thread hands it the frames of a playback in the order they
// came; its own thread hands each one on (to the decoders, the audio player, the flow credit) and
// waits, for frames played at normal speed, until the next one is due. So the socket thread never
// sleeps for a picture's time: it goes on reading, and the recorder's answers to the operator's
// requests are handled while a playback runs. What is released and how long it waits is the
// client's (its release call); this class owns the order, the thread and the hand-over.

#include "platform/base/WinTypes.h"
#include "protocol/FrameDescriptor.h"
#include "protocol/FrameHeader.h"
#include "protocol/PacketHeader.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// One entry of the clock: flow credit to return, a frame, or the end of the recording, in the
// order the recorder sent them.
struct PacedPlayFrame {
    DWORD credit = 0;      // PLAY_STEP_DATA to send before the frame (0: none)
    bool hasFrame = false; // false: credit (or the end) only
    bool done = false;     // the recorder played to the end (PLAY_ON_DONE)
    bool paced = false;    // played at normal speed: the next frame waits for this one's time
    unsigned session = 0;  // the playback it belongs to
    ULONGLONG frameMs = 0; // the frame's recorder time in milliseconds
    FrameInfo info;
    FrameDescriptor descriptor;
    PacketHeader header;
    std::vector<BYTE> frame; // frame header, picture and sound
};

class CPlayPacer {
public:
    using Release = std::function<void(PacedPlayFrame&)>;
    static constexpr std::size_t kDefaultMaxPending = 4096;

    // release runs on the clock's thread for every entry, in order.
    explicit CPlayPacer(Release release, std::size_t maxPending = kDefaultMaxPending);
    ~CPlayPacer();
    CPlayPacer(const CPlayPacer&) = delete;
    CPlayPacer& operator=(const CPlayPacer&) = delete;

    // Socket thread: nothing is pending and nothing is being released, so an entry that need not
    // wait may be released by the caller itself, in its place in the order.
    bool IsIdle() const;
    // Socket thread: queues an entry. A recorder that sends far beyond its credit fills the queue;
    // then this waits for room until `abort` is set.
    void Push(PacedPlayFrame entry, const std::atomic<bool>& abort);
    // Waits until the clock is idle or the time is over; true when idle.
    bool WaitIdle(std::chrono::milliseconds limit) const;
    // Ends the thread after the entry in hand; what is still pending is dropped unreleased.
    void Stop();

private:
    void Run();

    const Release m_release;
    const std::size_t m_maxPending;
    mutable std::mutex m_lock;
    mutable std::condition_variable m_changed;
    std::deque<PacedPlayFrame> m_pending;
    bool m_releasing = false;
    bool m_stop = false;
    std::thread m_thread;
};
