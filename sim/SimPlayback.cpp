#include "sim/SimPlayback.h"

#include <algorithm>

namespace ksim {

namespace {
constexpr uint64_t kCreditLimit = 1u << 20;
constexpr uint8_t kPausedCode = 10;
} // namespace

CSimPlayback::CSimPlayback(CSimRecorder& recorder, CSimSender& sender, std::vector<SimPiece> pieces, uint32_t start)
    : m_recorder(recorder), m_sender(sender), m_media(recorder.Media()), m_pieces(std::move(pieces)),
      m_fps(recorder.Config().Video().fps),
      m_newSpeeds(recorder.Config().productMajor > 1 ||
                  (recorder.Config().productMajor == 1 && recorder.Config().productMinor >= 2)) {
    m_pos = int64_t(start) * m_fps;
    m_thread = std::thread([this] { Run(); });
}

CSimPlayback::~CSimPlayback() {
    Stop();
    if (m_thread.joinable())
        m_thread.join();
}

void CSimPlayback::Stop() {
    std::lock_guard lock(m_lock);
    m_stop = true;
    m_changed.notify_all();
}

void CSimPlayback::AddCredit(uint32_t frames) {
    std::lock_guard lock(m_lock);
    m_credit = std::min<uint64_t>(kCreditLimit, m_credit + frames);
    m_flowSent = false;
    m_changed.notify_all();
}

void CSimPlayback::Pause() {
    std::lock_guard lock(m_lock);
    if (m_mode != Mode::Ended)
        m_mode = Mode::Paused;
    m_credit = 0;
    m_pending.clear();
    m_stepping = false;
    m_changed.notify_all();
}

void CSimPlayback::Seek(const Bytes& body) {
    // The start record: play channel mask at 0, resume time at 16.
    const uint32_t mask = GetBe32(body.data());
    if (mask & 0xFFFF)
        m_mask = uint16_t(mask);
    m_pos = int64_t(GetBe32(body.data() + 16)) * m_fps;
    m_shown = -1;
}

void CSimPlayback::Forward(const Bytes& body) {
    std::lock_guard lock(m_lock);
    m_pending.clear();
    m_stepping = false;
    if (body.size() >= 24) {
        Seek(body);
        m_speed = 1;
    } else if (m_mode == Mode::Forward) {
        m_speed = m_newSpeeds ? m_speed % 4 + 1 : (m_speed == 1 ? 2 : 1);
    } else {
        if (m_mode == Mode::Backward && m_shown >= 0)
            m_pos = m_shown; // go on from the key picture last shown
        m_speed = 1;
    }
    m_mode = Mode::Forward;
    m_changed.notify_all();
}

void CSimPlayback::Backward(const Bytes& body) {
    std::lock_guard lock(m_lock);
    m_pending.clear();
    m_stepping = false;
    if (body.size() >= 24) {
        Seek(body);
        m_speed = 1;
    } else if (m_mode == Mode::Backward) {
        m_speed = m_speed >= 4 ? 2 : m_speed + 1;
    } else {
        if (m_shown >= 0)
            m_pos = m_shown - 1;
        m_speed = 1;
    }
    m_mode = Mode::Backward;
    m_changed.notify_all();
}

void CSimPlayback::NextStep() {
    std::lock_guard lock(m_lock);
    if (m_mode == Mode::Ended)
        return;
    m_mode = Mode::Paused;
    m_pending.clear();
    int64_t tick = 0;
    const int64_t from = m_shown >= 0 ? m_shown + 1 : m_pos;
    if (NextTick(from, tick) && FramesAt(tick, false, m_pending)) {
        m_newTick = true;
        m_shown = tick;
        m_pos = tick + 1;
        m_stepping = true;
    }
    m_changed.notify_all();
}

void CSimPlayback::PrevStep() {
    std::lock_guard lock(m_lock);
    if (m_mode == Mode::Ended)
        return;
    m_mode = Mode::Paused;
    m_pending.clear();
    // Back to the key picture before the one shown last: a backward step must decode on its own.
    const int64_t current = m_shown >= 0 ? m_shown : m_pos;
    int64_t tick = 0;
    if (current > 0 && PrevTick(current - 1, tick)) {
        tick -= tick % m_fps;
        if (FramesAt(tick, true, m_pending)) {
            m_newTick = true;
            m_shown = tick;
            m_pos = tick + 1;
            m_stepping = true;
        }
    }
    m_changed.notify_all();
}

void CSimPlayback::SetChannels(uint16_t mask) {
    std::lock_guard lock(m_lock);
    m_mask = mask;
}

uint8_t CSimPlayback::SpeedCode() const {
    std::lock_guard lock(m_lock);
    return SpeedCodeLocked();
}

uint8_t CSimPlayback::SpeedCodeLocked() const {
    if (m_stepping || m_mode == Mode::Paused || m_mode == Mode::Ended)
        return kPausedCode;
    if (!m_newSpeeds)
        return m_mode == Mode::Forward && m_speed == 2 ? 12 : 11;
    if (m_mode == Mode::Forward)
        return uint8_t(10 + m_speed); // 11..14
    return uint8_t(10 - m_speed);     // 9..6
}

bool CSimPlayback::FramesAt(int64_t tick, bool keyOnly, std::deque<RecordedFrame>& out) const {
    if (keyOnly && tick % m_fps != 0)
        return false;
    for (const auto& p : m_pieces) {
        if (tick < int64_t(p.from) * m_fps || tick >= int64_t(p.to) * m_fps)
            continue;
        const uint16_t channels = p.mask & m_mask;
        const SimSegment& s = m_media.Archive().Segments()[p.segment];
        const uint64_t index = uint64_t(tick - int64_t(s.start) * m_fps);
        for (int ch = 0; ch < 16; ++ch) {
            if (channels & (1u << ch))
                out.push_back(RecordedFrame{p.segment, ch, index});
        }
        return channels != 0;
    }
    return false;
}

bool CSimPlayback::NextTick(int64_t from, int64_t& tick) const {
    for (const auto& p : m_pieces) {
        if ((p.mask & m_mask) == 0 || int64_t(p.to) * m_fps <= from)
            continue;
        tick = std::max(from, int64_t(p.from) * m_fps);
        return true;
    }
    return false;
}

bool CSimPlayback::PrevTick(int64_t from, int64_t& tick) const {
    for (auto it = m_pieces.rbegin(); it != m_pieces.rend(); ++it) {
        if ((it->mask & m_mask) == 0 || int64_t(it->from) * m_fps > from)
            continue;
        tick = std::min(from, int64_t(it->to) * m_fps - 1);
        return true;
    }
    return false;
}

bool CSimPlayback::Fill() {
    int64_t tick = 0;
    if (m_mode == Mode::Forward) {
        const bool keysOnly = m_speed > 1;
        int64_t from = m_pos;
        while (true) {
            if (keysOnly)
                from = (from + m_fps - 1) / m_fps * m_fps;
            if (!NextTick(from, tick))
                return false;
            if (FramesAt(tick, keysOnly, m_pending))
                break;
            from = tick + 1;
        }
        m_newTick = true;
        m_shown = tick;
        m_pos = keysOnly ? tick + m_fps : tick + 1;
        return true;
    }
    if (m_pos < 0 || !PrevTick(m_pos, tick))
        return false;
    tick -= tick % m_fps;
    m_newTick = FramesAt(tick, true, m_pending);
    m_shown = tick;
    m_pos = tick - m_fps;
    return true;
}

bool CSimPlayback::AnnounceChannels(std::unique_lock<std::mutex>& lock) {
    m_newTick = false;
    uint16_t played = 0;
    for (const auto& f : m_pending)
        played |= uint16_t(1u << f.channel);
    if (int32_t(played) == m_announced)
        return true;
    m_announced = played;
    const CSimConfig& config = m_recorder.Config();
    const uint16_t cameras = uint16_t(((1u << config.ServedChannels()) - 1) & ~config.videoLoss);
    OutItem item =
        m_sender.Build(msg::PLAY_CHANNEL_INFO, Be32Payload(uint32_t(cameras) | uint32_t(played) << 16), kMaxPayload);
    lock.unlock();
    const bool sent = m_sender.SendBulk(std::move(item), m_stop);
    lock.lock();
    return sent;
}

bool CSimPlayback::SendFrame(const RecordedFrame& f, uint8_t speedCode) {
    const std::string name = m_recorder.Setup().CameraName(f.channel);
    Bytes block = m_recorder.Config().playPlain ? m_media.Frame(f) : m_media.Block(f, name);
    OutItem item = m_sender.Build(msg::PLAY_DATA, std::move(block), m_recorder.Config().fragment, speedCode);
    return m_sender.SendBulk(std::move(item), m_stop);
}

void CSimPlayback::Run() {
    using Clock = std::chrono::steady_clock;
    const SimRefusal* fail = m_recorder.Config().FindRefusal(msg::PLAY_ON_FAIL);
    std::unique_lock lock(m_lock);
    m_starvedSince = Clock::now();
    while (!m_stop) {
        const bool producing = m_mode == Mode::Forward || m_mode == Mode::Backward;
        if (m_pending.empty() && producing && m_credit > 0) {
            // Fast and backward play are paced here, one key picture per channel at a time.
            const bool paced = m_mode == Mode::Backward || m_speed > 1;
            if (paced) {
                const auto due = m_lastKeyTick + std::chrono::milliseconds(1000 / std::max(1, m_speed));
                if (Clock::now() < due) {
                    m_changed.wait_until(lock, due);
                    continue;
                }
                m_lastKeyTick = Clock::now();
            }
            if (!Fill()) {
                m_mode = Mode::Ended;
                lock.unlock();
                m_sender.SendBulk(m_sender.Build(msg::PLAY_ON_DONE, {}, kMaxPayload), m_stop);
                lock.lock();
                continue;
            }
        }
        if (!m_pending.empty() && m_credit > 0) {
            if (m_newTick) {
                if (!AnnounceChannels(lock))
                    return;
                continue; // the lock was let go: look again
            }
            const uint8_t code = SpeedCodeLocked();
            const RecordedFrame f = m_pending.front();
            m_pending.pop_front();
            --m_credit;
            if (m_pending.empty())
                m_stepping = false;
            lock.unlock();
            const bool sent = SendFrame(f, code);
            lock.lock();
            if (!sent)
                return;
            ++m_sentFrames;
            m_starvedSince = Clock::now();
            if (fail && m_sentFrames == uint64_t(m_recorder.Config().playFailAfter)) {
                m_mode = Mode::Ended;
                m_pending.clear();
                lock.unlock();
                OutItem item = m_sender.Build(msg::PLAY_ON_FAIL, Be32Payload(fail->reason), kMaxPayload);
                m_sender.SendBulk(std::move(item), m_stop);
                lock.lock();
            }
            continue;
        }
        // Starved of credit while playing: hint the client once after a second.
        const bool starved = m_credit == 0 && (producing || !m_pending.empty());
        if (starved && !m_flowSent && Clock::now() - m_starvedSince >= std::chrono::seconds(1)) {
            m_flowSent = true;
            lock.unlock();
            m_sender.Send(msg::PLAY_FLOW);
            lock.lock();
            continue;
        }
        if (!starved)
            m_starvedSince = Clock::now();
        m_changed.wait_for(lock, std::chrono::milliseconds(100));
    }
}

} // namespace ksim
