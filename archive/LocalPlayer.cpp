#include "archive/LocalPlayer.h"

#include "protocol/FrameItem.h"

#include <algorithm>
#include <cstdio>
#include <span>

namespace {

constexpr DWORD kRecord = kFrameRecordSize;

// The layouts local playback uses by the highest channel of a segment, with their split buttons and
// the page counts of the 15 layouts.
struct PlayLayout {
    int layout;
    int button;
    DWORD pages[15];
};
constexpr PlayLayout kFourTiles{1, 1, {4, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}};
constexpr PlayLayout kNineTiles{6, 5, {8, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}};
constexpr PlayLayout kSixteenTiles{14, 8, {16, 4, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1}};

int HighestChannel(DWORD mask) {
    for (int ch = 15; ch >= 0; --ch) {
        if ((mask & (1u << ch)) != 0) {
            return ch;
        }
    }
    return 0;
}

} // namespace

CLocalPlayer::CLocalPlayer(std::unique_ptr<ILocalPlayerHost> host, std::vector<PlayListNode> nodes, std::size_t first)
    : m_host(std::move(host)), m_nodes(std::move(nodes)), m_frameBuffer(kFrameBufferSize) {
    m_current.store(first < m_nodes.size() ? first : 0);
}

CLocalPlayer::~CLocalPlayer() {
    Close();
    for (auto& decoder : m_decoders) {
        if (decoder) {
            decoder->SetRefuse(true);
            decoder->Stop();
        }
    }
}

bool CLocalPlayer::Start() {
    if (m_started || m_nodes.empty()) {
        return false;
    }
    m_started = true;
    m_host->SetPlaySource(3);
    m_mode.store(kPlayForward);
    m_speed.store(0);
    m_host->ResetRememberedMask();
    for (int ch = 0; ch < 16; ++ch) {
        m_decoders[std::size_t(ch)] = m_host->CreateDecoder(ch);
    }
    m_host->EnablePlayBar(true);
    m_host->CreatePlayClock();
    m_threadRunning.store(true);
    m_thread = std::thread([this] { Run(); });
    m_host->InvalidatePlayBar();
    return true;
}

void CLocalPlayer::SetMode(int mode) {
    std::lock_guard<std::mutex> lock(m_modeLock);
    ApplyMode(mode);
}

void CLocalPlayer::PauseUnlessChanged(int from) {
    std::lock_guard<std::mutex> lock(m_modeLock);
    if (m_mode.load() == from) {
        ApplyMode(kPlayPause);
    }
}

void CLocalPlayer::HoldUnlessChanged(int from) {
    std::lock_guard<std::mutex> lock(m_modeLock);
    if (m_mode.load() == from) {
        m_mode.store(kPlayPause);
    }
}

void CLocalPlayer::ApplyMode(int mode) {
    const int current = m_mode.load();
    switch (mode) {
    case kPlayStepBack:
    case kPlayStepForward:
        CloseAudio();
        break;
    case kPlayReverse: {
        const int speed = m_speed.load();
        m_speed.store(speed < 0 && speed != -4 ? speed - 1 : -2);
        m_rebase.store(true);
        CloseAudio();
        m_host->SetPlayButtons(1, 0, 0);
        break;
    }
    case kPlayForward: {
        const int speed = m_speed.load();
        if (speed <= 0 || speed == 4) {
            m_speed.store(1);
            m_resync.store(true);
        } else if (speed == 5) {
            m_speed.store(1);
        } else {
            m_speed.store(speed + 1);
            m_resync.store(true);
            CloseAudio();
        }
        m_host->SetPlayButtons(0, 1, 0);
        break;
    }
    case kPlayPause:
        if (current == kPlayReverse) {
            m_speed.store(0);
            m_resync.store(true);
        } else if (current == kPlayForward) {
            const int speed = m_speed.load();
            if (speed >= 2 && speed <= 4) {
                m_resync.store(true);
            }
            m_speed.store(5);
        }
        m_rebase.store(true);
        CloseAudio();
        m_host->SetPlayButtons(0, 0, 1);
        break;
    default:
        return;
    }
    m_mode.store(mode);
    if (mode != kPlayReverse && mode != kPlayForward) {
        // The step (or the pause) shows its pictures first.
        m_host->RepaintVideo(500);
    }
}

int CLocalPlayer::GetSpeedStep() const {
    const int speed = m_speed.load();
    if (speed >= 1 && speed <= 4) {
        return speed;
    }
    return speed < 0 ? speed + 1 : 0;
}

void CLocalPlayer::Seek(DWORD target) {
    m_seekTarget.store(target);
    m_seekState.store(3);
}

int CLocalPlayer::GetChannelAudioState(int channel) const {
    if (channel < 0 || channel > 15 || !m_nodeAudioPresent.load() || (m_nodeAudioMask.load() & (1u << channel)) == 0) {
        return 0;
    }
    return channel == m_audioChannel.load() ? 2 : 0;
}

void CLocalPlayer::Stop() {
    if (!m_started) {
        return;
    }
    m_generation.store(0);
    m_speed.store(0);
    m_stop.store(true);
    if (m_thread.joinable()) {
        m_thread.join();
    }
    for (auto& decoder : m_decoders) {
        if (decoder) {
            decoder->SetRefuse(true);
            decoder->Stop();
            decoder.reset();
        }
    }
    CloseAudio();
    m_host->SetAvailableMask(0, true);
    m_host->DrawVideoLossExcept(0);
    m_host->SetPlaySource(0);
    m_host->DestroyPlayClock();
    m_host->SetPlayButtons(0, 0, 0);
    m_host->SetAudioClosed(false);
    m_host->EnablePlayBar(false);
    m_host->SelectSixteenSplit();
    m_host->InvalidatePlayBar();
    m_started = false;
}

void CLocalPlayer::Close() {
    if (m_closed) {
        return;
    }
    m_closed = true;
    m_stop.store(true);
    if (m_thread.joinable()) {
        m_thread.join();
    }
    CloseAudio();
}

void CLocalPlayer::CreateAudioPlayer() {
    std::lock_guard<std::mutex> lock(m_audioLock);
    if (m_audio) {
        m_audio->Stop();
        m_audio.reset();
    }
    m_audio = m_host->CreateAudioPlayer();
}

void CLocalPlayer::CloseAudio() {
    std::unique_ptr<IAudioPlayer> audio;
    {
        std::lock_guard<std::mutex> lock(m_audioLock);
        audio = std::move(m_audio);
    }
    // Stopped outside the lock: a stop that waits for its device holds up no other caller.
    if (audio) {
        audio->Stop();
    }
}

// ---- the playback thread

void CLocalPlayer::Run() {
    m_host->WriteLocalLog(1);
    m_opened = false;
    m_lastHighest = -1;
    m_host->ClearThirdMask();
    while (!m_stop.load()) {
        if (PlayNode() == Loop::End) {
            break;
        }
    }
    EndThread();
}

void CLocalPlayer::EndThread() {
    m_set.Close();
    m_host->SetPlaySource(0);
    m_host->SetSplitButtons(kSixteenTiles.button);
    m_host->SetPlayLayout(kSixteenTiles.layout, kSixteenTiles.pages, false);
    m_host->WriteLocalLog(2);
    // The last write the UI thread may wait for.
    m_threadRunning.store(false);
}

void CLocalPlayer::Reinitialise(const PlayListNode& node) {
    m_skip.fill(0);
    CloseAudio();
    m_stepAfterSeek.store(false);
    m_resync.store(true);
    m_rebase.store(true);
    std::size_t first = m_current.load();
    while (first > 0 && m_nodes[first].continues_before) {
        --first;
    }
    std::size_t last = m_current.load();
    while (last + 1 < m_nodes.size() && m_nodes[last].continues_after) {
        ++last;
    }
    m_rangeStart.store(m_nodes[first].segment_start);
    m_rangeEnd.store(m_nodes[last].segment_end);

    const int highest = HighestChannel(node.channel_mask);
    m_host->SetSplitButtons(-1);
    if (highest == m_lastHighest) {
        const WORD mask = WORD(node.channel_mask);
        if (m_host->SetAvailableMask(mask, false)) {
            m_host->DrawVideoLossExcept(mask);
        }
        return;
    }
    m_lastHighest = highest;
    const PlayLayout& layout = highest < 4 ? kFourTiles : (highest <= 8 ? kNineTiles : kSixteenTiles);
    m_host->SetSplitButtons(layout.button);
    m_host->SetPlayLayout(layout.layout, layout.pages, true);
    m_host->SetAvailableMask(0, true);
    m_host->RepaintVideo(0);
}

bool CLocalPlayer::OpenNode(const PlayListNode& node) {
    if (!m_set.Open(node.IdxPath()) || !m_set.LoadSegments(m_segments) || node.index_slot >= m_segments.size()) {
        m_set.Close();
        return false;
    }
    m_segment = m_segments[node.index_slot];
    m_nodeAudioPresent.store(node.audio_present != 0);
    m_nodeAudioMask.store(node.audio_mask);
    return true;
}

CLocalPlayer::Loop CLocalPlayer::PlayNode() {
    if (m_stop.load()) {
        return Loop::End;
    }
    const PlayListNode& node = m_nodes[m_current.load()];
    const int mode = m_mode.load();
    const bool chainBreak =
        (mode == kPlayForward && !node.continues_before) || (mode == kPlayReverse && !node.continues_after);
    if (m_seekState.load() == 0 && (!m_opened || chainBreak)) {
        Reinitialise(node);
    }
    if (!OpenNode(node)) {
        return Loop::End;
    }

    // The node's bounds, kept inside its segment and on record boundaries.
    DWORD lower = m_segment.first_record;
    DWORD upper = m_segment.end_record;
    if (node.range_kind == kRangeStartsAt) {
        lower = node.play_offset;
    } else if (node.range_kind == kRangeEndsAt) {
        upper = node.play_offset;
    }
    lower = std::clamp(lower, m_segment.first_record, m_segment.end_record);
    upper = std::clamp(upper, lower, m_segment.end_record);
    m_lower = m_segment.first_record + (lower - m_segment.first_record) / kRecord * kRecord;
    m_upper = m_lower + (upper - m_lower) / kRecord * kRecord;

    const DWORD forwardStart =
        node.range_kind == kRangeEndsAt ? m_lower : std::clamp(node.play_offset, m_lower, m_upper);
    if (mode == kPlayStepBack || mode == kPlayReverse) {
        m_pos = m_upper;
    } else if (mode == kPlayForward || mode == kPlayStepForward || !m_opened || m_pos < m_lower || m_pos > m_upper) {
        m_pos = forwardStart;
    }
    m_opened = true;
    return FrameLoop();
}

CLocalPlayer::Loop CLocalPlayer::FrameLoop() {
    for (;;) {
        if (m_stop.load()) {
            return Loop::End;
        }
        const int mode = m_mode.load();
        if (mode == kPlayPause) {
            m_shownMask = 0;
            m_host->SleepMs(50);
            continue;
        }
        if (m_seekState.load() >= 3) {
            const Read sought = SeekToTime();
            if (sought == Read::Restart) {
                return Loop::Restart;
            }
            m_seekState.store(0);
            if (mode == kPlayStepForward) {
                m_stepAfterSeek.store(true);
            }
            continue;
        }
        const int speed = m_speed.load();
        const Read read = mode == kPlayForward || mode == kPlayStepForward ? StepForward(mode) : StepBackward(mode);
        if (read == Read::Restart) {
            return Loop::Restart;
        }
        if (read == Read::Again) {
            continue;
        }
        if (read == Read::Skip || !AfterRead(mode)) {
            m_host->SleepMs(0);
            continue;
        }
        if (m_resync.load()) {
            continue;
        }
        if (mode == kPlayForward && speed == 1) {
            PlayAudio();
        }
        if (!Pace(speed)) {
            return Loop::End;
        }
    }
}

CLocalPlayer::Read CLocalPlayer::StepForward(int mode) {
    m_noted = m_pos;
    if (m_pos < m_upper) {
        return ReadFrameForward();
    }
    const std::size_t current = m_current.load();
    if (mode == kPlayForward) {
        if (HasNext()) {
            m_current.store(current + 1);
            return Read::Restart;
        }
        if (m_seekState.load() == 0) {
            CloseAudio();
            PauseUnlessChanged(mode);
        } else {
            m_host->SleepMs(10); // the slider is held: wait for its release
        }
        return Read::Again;
    }
    if (!HasNext()) {
        HoldUnlessChanged(mode);
    } else if (m_nodes[current].continues_after) {
        m_current.store(current + 1);
        return Read::Restart;
    } else {
        PauseUnlessChanged(mode);
    }
    return Read::Again;
}

CLocalPlayer::Read CLocalPlayer::StepBackward(int mode) {
    m_noted = m_pos;
    if (m_pos > m_lower) {
        return ReadFrameBackward();
    }
    const std::size_t current = m_current.load();
    if (mode == kPlayReverse || !HasPrevious()) {
        if (mode == kPlayReverse && HasPrevious()) {
            m_current.store(current - 1);
            return Read::Restart;
        }
        if (m_seekState.load() == 0) {
            PauseUnlessChanged(mode);
        } else {
            m_host->SleepMs(10);
        }
        return Read::Again;
    }
    if (m_nodes[current].continues_before) {
        m_current.store(current - 1);
        return Read::Restart;
    }
    HoldUnlessChanged(mode);
    return Read::Again;
}

CLocalPlayer::Read CLocalPlayer::ReadFrameForward() {
    const DWORD at = m_pos;
    m_pos += kRecord;
    if (!m_set.ReadFrame(at, m_frame)) {
        return Read::Skip;
    }
    FillFrameDescriptor(m_frame.info, m_descriptor);
    return IsValidResolution(m_frame.info.width, m_frame.info.height) ? Read::Frame : Read::Skip;
}

CLocalPlayer::Read CLocalPlayer::ReadFrameBackward() {
    if (m_pos < kFirstRecordOffset + kRecord) {
        return Read::Restart;
    }
    m_pos -= kRecord;
    if (!m_set.ReadFrame(m_pos, m_frame)) {
        return Read::Skip;
    }
    FillFrameDescriptor(m_frame.info, m_descriptor);
    m_descriptor.generation = m_generation.load();
    return IsValidResolution(m_frame.info.width, m_frame.info.height) ? Read::Frame : Read::Skip;
}

std::size_t CLocalPlayer::NodeCovering(DWORD target) const {
    const std::size_t current = m_current.load();
    const PlayListNode& node = m_nodes[current];
    if (node.segment_start <= target && target <= node.segment_end) {
        return current;
    }
    // The first node reaching the target, so that a target in a gap between two nodes settles on
    // the later one instead of moving between them.
    for (std::size_t n = 0; n < m_nodes.size(); ++n) {
        if (m_nodes[n].segment_end >= target) {
            return n;
        }
    }
    return m_nodes.size() - 1;
}

bool CLocalPlayer::MoveToNodeCovering(DWORD target) {
    const std::size_t node = NodeCovering(target);
    if (node == m_current.load()) {
        return false;
    }
    m_current.store(node);
    return true;
}

CLocalPlayer::Read CLocalPlayer::SeekToTime() {
    int expected = 3;
    m_seekState.compare_exchange_strong(expected, 4);
    const DWORD target = m_seekTarget.load();
    m_resync.store(true);
    if (MoveToNodeCovering(target)) {
        return Read::Restart;
    }
    DWORD offset = m_upper;
    DWORD time = 0;
    if (!m_set.FindFrameFrom(m_segment, target, false, offset, time)) {
        offset = m_upper; // nothing at or after the target here: the node's end
    }
    offset = std::clamp(offset, m_lower, m_upper);
    const int mode = m_mode.load();
    const bool backward = mode == kPlayStepBack || mode == kPlayReverse;
    m_pos = backward && offset < m_upper ? offset + kRecord : offset;
    return Read::Frame;
}

bool CLocalPlayer::ThinFastFrame(int channel, int speed) {
    const DWORD every = speed == 3 || speed == -3 ? 2 : (speed == 4 || speed == -4 ? 3 : 1);
    DWORD& count = m_skip[std::size_t(channel)];
    if (++count < every) {
        return false;
    }
    count = 0;
    return true;
}

void CLocalPlayer::WaitForDecoder(int channel) {
    IChannelDecoder* decoder = m_decoders[std::size_t(channel)].get();
    if (decoder == nullptr) {
        return;
    }
    const int mode = m_mode.load();
    const int speed = m_speed.load();
    while (decoder->QueueLength() > kMaxDecoderBacklog) {
        if (m_stop.load() || m_mode.load() != mode || m_speed.load() != speed) {
            return;
        }
        m_host->SleepMs(1);
    }
}

bool CLocalPlayer::AfterRead(int mode) {
    const int channel = m_descriptor.channel & 0x0F;
    const WORD bit = WORD(1u << channel);
    const int speed = m_speed.load();
    const bool key = m_descriptor.key_mark == 1;
    switch (mode) {
    case kPlayForward:
        if (speed == 1) {
            if (m_nodes[m_current.load()].audio_present != 0 && !m_host->GetAudioClosed()) {
                std::unique_lock<std::mutex> lock(m_audioLock);
                const bool none = !m_audio;
                lock.unlock();
                if (none) {
                    CreateAudioPlayer();
                }
            }
            QueueFrame();
            return true;
        }
        [[fallthrough]];
    case kPlayReverse:
        WaitForDecoder(channel);
        if (!key || !ThinFastFrame(channel, speed)) {
            return false;
        }
        QueueFrame();
        return true;
    case kPlayStepBack:
        if (!key || m_descriptor.video_size == 0) {
            return false;
        }
        if ((m_shownMask & bit) != 0) {
            PauseUnlessChanged(mode);
            m_pos = m_noted; // the next step reads this frame again
            m_shownMask = 0;
            m_resync.store(true);
            return false;
        }
        if ((m_host->GetVisibleChannelMask() & bit) == 0) {
            return false;
        }
        m_shownMask |= bit;
        QueueFrame();
        return true;
    case kPlayStepForward:
        if ((m_stepAfterSeek.load() && !key) || m_descriptor.video_size == 0) {
            return false;
        }
        if ((m_shownMask & bit) != 0) {
            PauseUnlessChanged(mode);
            m_pos = m_noted; // the next step reads this frame again
            m_shownMask = 0;
            if (m_stepAfterSeek.exchange(false)) {
                m_resync.store(true);
            }
            return false;
        }
        if ((m_host->GetVisibleChannelMask() & bit) == 0) {
            return false;
        }
        if (m_resync.load() && m_descriptor.key_mark == 0) {
            return false;
        }
        m_shownMask |= bit;
        QueueFrame();
        return true;
    default:
        return false;
    }
}

void CLocalPlayer::QueueFrame() {
    const FrameRecord& record = m_frame.record;
    const DWORD frameTime = record.frame_time;
    m_playClock.store(frameTime);
    m_host->SetPlayClockTime(frameTime);

    const int channel = m_descriptor.channel & 0x0F;
    if (record.has_name > 0) {
        SetFrameLabel(m_descriptor, FrameRecordCameraName(record));
    } else {
        char label[16];
        std::snprintf(label, sizeof label, "CH%d", channel + 1);
        SetFrameLabel(m_descriptor, label);
    }
    if (m_resync.load() || m_rebase.load()) {
        m_baseTime = LONGLONG(m_descriptor.frame_time) * 1000 + m_descriptor.milliseconds - 100;
        m_baseTick = m_host->TickMs();
        if (m_resync.exchange(false)) {
            m_generation.fetch_add(1);
        }
        m_rebase.store(false);
    }
    m_descriptor.generation = m_generation.load();

    const std::size_t length = m_frame.info.frame_length;
    if (length > m_frameBuffer.size() || !m_set.ReadFrameBytes(record.vid_offset, m_frameBuffer.data(), length)) {
        return;
    }
    IChannelDecoder* decoder = m_decoders[std::size_t(channel)].get();
    if (decoder == nullptr) {
        return;
    }
    const DWORD header[4] = {0x0901, WithChannelBits(0, BYTE(channel)), 0, 0};
    decoder->QueueFrame(MakeDecoderItem(m_descriptor, header, std::span<const BYTE>(m_frameBuffer.data(), length)));
    m_host->SleepMs(0);
}

void CLocalPlayer::PlayAudio() {
    const FrameInfo& info = m_frame.info;
    if (info.audio_value == 0) {
        return;
    }
    const int audioChannel = m_descriptor.audio_channel;
    if (audioChannel == kNoAudioChannel) {
        m_nodeAudioMask.store(0);
        m_audioChannel.store(-1);
        m_host->SetSelectedAudioChannel(-1);
    } else {
        m_nodeAudioMask.store(0xFFFF);
        m_audioChannel.store(audioChannel);
        m_host->SetSelectedAudioChannel(audioChannel);
    }
    m_nodes[m_current.load()].audio_mask = m_nodeAudioMask.load();
    if (audioChannel == kNoAudioChannel || !m_host->IsSelectedChannel(audioChannel)) {
        if (!m_host->GetAudioClosed()) {
            CloseAudio();
            m_host->SetAudioClosed(true);
        }
        return;
    }
    if (m_host->GetAudioClosed()) {
        CreateAudioPlayer();
        m_host->SetAudioClosed(false);
    }
    BYTE block[kAudioBlockSize];
    const std::span<const BYTE> frame(m_frameBuffer.data(), info.frame_length);
    if (!ExtractAudioBlock(frame, info, block)) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_audioLock);
        if (m_audio) {
            m_audio->QueueBlock(block, std::min<std::size_t>(info.audio_value / 4, kAudioBlockSize));
        }
    }
    m_host->SleepMs(0);
}

bool CLocalPlayer::Pace(int speedOfFrame) {
    const LONGLONG t = LONGLONG(m_descriptor.frame_time) * 1000 + m_descriptor.milliseconds;
    const ULONGLONG tick0 = m_host->TickMs();
    switch (speedOfFrame) {
    case 1:
        m_delay = t - m_baseTime;
        break;
    case 2:
        m_delay = (t - m_baseTime) >> 1;
        break;
    case 3:
        m_delay = (t - m_baseTime) >> 2;
        break;
    case 4:
        m_delay = (t - m_baseTime) >> 4;
        break;
    case -2:
        m_delay = (m_baseTime - t) >> 1;
        break;
    case -3:
        m_delay = (m_baseTime - t) >> 2;
        break;
    case -4:
        m_delay = (m_baseTime - t) >> 4;
        break;
    default:
        break;
    }
    for (;;) {
        if (m_stop.load()) {
            return false;
        }
        const int mode = m_mode.load();
        if (m_speed.load() != speedOfFrame || mode == kPlayStepBack || mode == kPlayPause || mode == kPlayStepForward) {
            return true;
        }
        const ULONGLONG now = m_host->TickMs();
        if (LONGLONG(now - m_baseTick) >= m_delay) {
            return true;
        }
        m_host->SleepMs(1);
        const ULONGLONG later = m_host->TickMs();
        if (later - tick0 > kMaxWaitMs) {
            // A gap in the recording: play on from here.
            m_baseTime = t;
            m_baseTick = later;
            return true;
        }
    }
}
