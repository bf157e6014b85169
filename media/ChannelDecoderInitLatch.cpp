#include "media/ChannelDecoderInitLatch.h"

CChannelDecoderInitLatch& CChannelDecoderInitLatch::Instance() {
    static CChannelDecoderInitLatch latch;
    return latch;
}

void CChannelDecoderInitLatch::Join(const IDecoderHost* host) {
    std::lock_guard lock(m_lock);
    Start& start = m_starts[host];
    if (start.alive++ == 0) {
        start.reported = false;
    }
}

void CChannelDecoderInitLatch::Leave(const IDecoderHost* host) {
    std::lock_guard lock(m_lock);
    const auto found = m_starts.find(host);
    if (found != m_starts.end() && --found->second.alive <= 0) {
        m_starts.erase(found);
    }
}

bool CChannelDecoderInitLatch::FirstReport(const IDecoderHost* host) {
    std::lock_guard lock(m_lock);
    Start& start = m_starts[host];
    const bool first = !start.reported;
    start.reported = true;
    return first;
}
