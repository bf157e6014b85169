#pragma once
// The microphone's outgoing messages: each captured buffer becomes a 2048-byte talk body (1536 zero
// bytes, then the 512 captured bytes), queued oldest first, at most 200 at a time.

#include "platform/base/WinTypes.h"

#include <array>
#include <cstddef>
#include <deque>
#include <mutex>
#include <vector>

class CTalkQueue {
public:
    static constexpr std::size_t kCaptureBytes = 512;
    static constexpr std::size_t kBodyBytes = 2048;
    static constexpr std::size_t kAudioOffset = kBodyBytes - kCaptureBytes;
    static constexpr std::size_t kMaxMessages = 200;

    using Body = std::array<BYTE, kBodyBytes>;

    // Makes the body of a captured buffer (at most 512 bytes are taken) and queues it; with 200
    // already queued the oldest goes.
    void Push(const BYTE* captured, std::size_t length);
    // Takes every queued body, oldest first.
    std::vector<Body> TakeAll();
    void Clear();
    std::size_t Count() const;

private:
    mutable std::mutex m_lock;
    std::deque<Body> m_messages;
};
