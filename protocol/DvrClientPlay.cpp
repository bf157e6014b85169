// Remote playback: its start and end, the frames with their speed codes, pacing and flow control,
// and the play bar's commands with the start record.
#include "protocol/DvrClientPlay.h"

#include "protocol/DvrClient.h"

#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/FrameRecord.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr DWORD kFramesPerCredit = 48;
constexpr DWORD kStartCredit = 93;

enum PlayMode { kStepBackward = 1, kBackward = 2, kForward = 3, kPause = 4, kStepForward = 7 };

// The recorder's speed code to the speed state, as products from version 1.2 send them.
int SpeedOfCode(int code) {
    switch (code) {
    case 6:
        return -4;
    case 7:
        return -3;
    case 8:
        return -2;
    case 9:
        return -1;
    case 11:
        return 1;
    case 12:
        return 2;
    case 13:
        return 3;
    case 14:
        return 4;
    default:
        return 0;
    }
}

} // namespace

CDvrClientPlay::CDvrClientPlay(CDvrClient& client)
    : m_client(client),
      m_pacer(std::make_unique<CPlayPacer>([this](PacedPlayFrame& entry) { ReleasePlayFrame(entry); })) {}

void CDvrClientPlay::ReportPlayMode(int mode) {
    m_shownMode.store(mode);
    m_client.Host().ReportEvent(ClientEvent::PlayMode, mode);
}

void CDvrClientPlay::SendPlayCommand(WORD id, const void* body, DWORD length) {
    m_client.SendPacket(PacketHeader::Request(id, length), body, length);
    Trace("Send...%s\n", MessageName(id, MsgDir::Out));
    std::this_thread::sleep_for(m_client.GetPlayTiming().commandSleep);
}

void CDvrClientPlay::SendStepData(DWORD frames) {
    BYTE body[4];
    WriteBE32(body, frames);
    Trace("Send...PLAY_STEP_DATA...%d...\n", int(frames));
    SendPlayCommand(Msg::PLAY_STEP_DATA, body, sizeof(body));
}

std::array<BYTE, 24> CDvrClientPlay::BuildStartRecord(DWORD time) {
    std::array<BYTE, 24> record{};
    WriteBE32(record.data(), m_playMask.load());
    record[5] = m_client.Login().IsVersion11() ? 1 : 0;
    WriteBE32(record.data() + 16, time);
    return record;
}

void CDvrClientPlay::SendStartRecord(WORD id, DWORD time) {
    const std::array<BYTE, 24> record = BuildStartRecord(time);
    // Playback resumes at the record's time: frames before it are dropped until it is reached.
    m_resumeTargetMs.store(ULONGLONG(time) * 1000);
    SendPlayCommand(id, record.data(), DWORD(record.size()));
}

void CDvrClientPlay::ResetPlayState() {
    m_playMask.store(0);
    m_stepFlag.store(false);
    m_recountFlag.store(false);
    m_reanchorFlag.store(false);
    m_channelChangePending.store(false);
    m_speedState.store(0);
    m_currentSpeedCode.store(-1);
    // The clock's anchor is its own thread's: it takes a new one at the next paced frame.
    m_reanchorFlag.store(true);
}

bool CDvrClientPlay::RecvFn_PlayOnAck(const RecvMessage&) {
    if (m_bRemotePlay.load() != 0) {
        // A second acknowledgement would start a second set of decoders over the running ones.
        Trace("PLAY_ON_ACK... playback already runs\n");
        return true;
    }
    if (m_client.Live().IsLive()) {
        m_client.Live().SendLiveStop();
    }
    ResetPlayState();
    m_playSession.fetch_add(1);
    IClientHost& host = m_client.Host();
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetAvailableMask(0, true);
    }
    m_client.Live().LayoutByChannelCount();
    host.ReportEvent(ClientEvent::PlaybackState, 1);
    m_client.Media().CreateDecoders(2);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetPlaySource(2);
    }
    m_playArea.Reset();
    SendStepData(kStartCredit);
    m_recountFlag.store(true);
    m_reanchorFlag.store(true);
    m_flowFrameCounter.store(0);
    m_stepCounter.store(0);
    m_playMode.store(kForward);
    m_startState.store(0);
    // The play bar shows forward before anyone can see playback running and press another mode.
    ReportPlayMode(kForward);
    m_bRemotePlay.store(1);
    host.PostToWindow(ClientWindow::MainWindow, WM_KELO_PLAY_STARTED, 0, 0);
    m_lastSpeedCode.store(-1);
    return true;
}

bool CDvrClientPlay::RecvFn_PlayOnNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    if (m_bRemotePlay.load() != 0) {
        m_client.Media().StopAudioOut();
        SendPlayStop();
    }
    m_client.Host().ClearSearchBusy();
    return true;
}

bool CDvrClientPlay::RecvFn_PlayOnFail(const RecvMessage& m) {
    SendPlayStop();
    m_client.PostRefusal(m);
    m_client.Media().StopAudioOut();
    std::this_thread::sleep_for(m_client.GetPlayTiming().playSleep);
    m_client.Live().SendLiveReq();
    return true;
}

bool CDvrClientPlay::RecvFn_PlayOnDone(const RecvMessage&) {
    // The end comes after the last frames, which may still wait for their time on the play clock.
    PacedPlayFrame entry;
    entry.done = true;
    entry.session = m_playSession.load();
    HandPlayEntry(std::move(entry));
    return true;
}

bool CDvrClientPlay::RecvFn_PlayChannelInfo(const RecvMessage&) {
    // As the recorder's documentation has it: the live area, not the playback one, whose half-gathered
    // frame would be lost.
    m_client.Live().ResetLiveArea();
    return true;
}

bool CDvrClientPlay::RecvFn_PlayFlow(const RecvMessage&) {
    if (m_startState.load() == 2) {
        SendStepData(1);
    }
    return true;
}

bool CDvrClientPlay::RecvFn_PlayOffAck(const RecvMessage&) {
    return true;
}

bool CDvrClientPlay::RecvFn_PlayOffNack(const RecvMessage& m) {
    m_client.PostRefusal(m);
    return true;
}

void CDvrClientPlay::SendPlayStop() {
    m_client.Live().ResetLiveGeneration();
    m_bRemotePlay.store(0);
    m_playSession.fetch_add(1); // frames still on the play clock are dropped
    m_client.SendPacket(PacketHeader::Request(Msg::RPLAY_STOP, 0), nullptr, 0);
    Trace("Send...RPLAY_STOP\n");
    m_client.Media().StopAudioPlayerDrained();
    m_client.Media().StopDecoders();
    IClientHost& host = m_client.Host();
    host.ReportEvent(ClientEvent::PlaybackState, 0);
    host.ReportEvent(ClientEvent::ChannelLayout, 16);
    if (m_client.Video() != nullptr) {
        m_client.Video()->SetPlaySource(0);
        m_client.Video()->SetLayout(16);
        // The last played pictures would go on claiming to play: every tile shows the blank picture
        // until a new source draws into it.
        m_client.Video()->SetAvailableMask(0, true);
        m_client.Video()->DrawBlankExcept(0);
    }
    m_client.Media().ClearAudioStoppedMark();
}

bool CDvrClientPlay::PassResumeTarget(ULONGLONG frameMs) {
    const ULONGLONG target = m_resumeTargetMs.load();
    const int mode = m_playMode.load();
    const int marker = m_directionMarker.load();
    const bool upward = marker == 1 || (marker == 0 && (mode == kForward || mode == kStepForward));
    const bool reached = upward ? frameMs >= target : frameMs <= target;
    if (!reached) {
        return false;
    }
    if (frameMs != target) {
        m_recountFlag.store(true);
    }
    return true;
}

// The play clock's thread: the frame just handed on is shown; the next one waits for its time.
void CDvrClientPlay::PaceFrame(ULONGLONG frameMs) {
    const auto now = std::chrono::steady_clock::now();
    if (m_reanchorFlag.exchange(false) || frameMs < m_anchorFrameMs) {
        m_anchorFrameMs = frameMs >= 100 ? frameMs - 100 : 0;
        m_anchorTick = now;
    }
    const auto due = m_anchorTick + std::chrono::milliseconds(frameMs - m_anchorFrameMs);
    const auto giveUp = now + m_client.GetPlayTiming().pacingCap;
    const int speedCode = m_currentSpeedCode.load();
    bool onTime = true;
    while (std::chrono::steady_clock::now() < due) {
        if (std::chrono::steady_clock::now() >= giveUp || m_client.IsStopping() || m_stepFlag.load() ||
            m_currentSpeedCode.load() != speedCode || m_bRemotePlay.load() == 0) {
            onTime = false;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    // The frame is the next anchor; keeping its due tick (not the wake-up) keeps sleeps from drifting.
    m_anchorFrameMs = frameMs;
    m_anchorTick = onTime ? due : std::chrono::steady_clock::now();
}

bool CDvrClientPlay::RecvFn_PlayData(const RecvMessage& m) {
    if (m_bRemotePlay.load() == 0) {
        m_playArea.Reset();
        return true;
    }
    m_playArea.Append({m.data, m.length});
    if (!m.header.IsLastFragment()) {
        return true;
    }
    const std::span<const BYTE> block = m_playArea.Block();
    std::size_t offset = 0;
    FrameRecord record{};
    bool hasRecord = false;
    if (m_playArea.IsComplete() && block.size() >= 4 && ReadLE32(block.data()) != kFrameSyncWord &&
        block.size() >= kFrameRecordSize) {
        std::memcpy(&record, block.data(), sizeof(record));
        hasRecord = HasFrameRecordTag(record);
        offset = hasRecord ? kFrameRecordSize : block.size();
    }
    FrameInfo info;
    const FrameCheck check = m_playArea.IsComplete() ? CheckFrame(block, offset, info) : FrameCheck::Short;
    if (check != FrameCheck::Ok) {
        Trace("%04x\n", block.size() >= 4 ? unsigned(ReadLE32(block.data())) : 0u);
        m_playArea.Reset();
        return true;
    }
    const std::span<const BYTE> frame = block.subspan(offset, info.frame_length);

    FrameDescriptor descriptor;
    FillFrameDescriptor(info, descriptor);
    descriptor.generation = m_client.Live().GetLiveGeneration();
    const std::string name = hasRecord ? FrameRecordCameraName(record) : std::string();
    if (!name.empty()) {
        SetFrameLabel(descriptor, name);
    } else {
        char label[8];
        std::snprintf(label, sizeof(label), "CH%d", info.channel + 1);
        SetFrameLabel(descriptor, label);
    }

    // Flow credit goes back as frames are played: while the play clock holds frames back, it goes
    // with them, so that the recorder sends no faster than they are shown.
    DWORD credit = 0;
    if (!m_stepFlag.load() && DWORD(m_flowFrameCounter.fetch_add(1) + 1) >= kFramesPerCredit) {
        m_flowFrameCounter.store(0);
        credit = kFramesPerCredit;
        if (m_pacer->IsIdle()) {
            SendStepData(credit);
            credit = 0;
        }
    }
    auto dropFrame = [&] {
        if (credit != 0) {
            PacedPlayFrame entry;
            entry.credit = credit;
            entry.session = m_playSession.load();
            HandPlayEntry(std::move(entry));
        }
        m_playArea.Reset();
        return true;
    };

    if (info.video_size != 0) {
        const int code = int(m.header.SpeedCode());
        if (code != m_lastSpeedCode.load()) {
            m_lastSpeedCode.store(code);
            m_currentSpeedCode.store(code);
            int speed = 0;
            if (m_client.Login().IsVersion12()) {
                speed = SpeedOfCode(code);
            } else if (m_playMode.load() == kForward) {
                speed = code == 11 ? 1 : (code == 12 ? 2 : 0);
            }
            m_speedState.store(speed);
            if (speed != 1) {
                m_client.Media().FlushAudio();
            }
        }
    }

    const ULONGLONG frameMs = ULONGLONG(info.frame_time) * 1000 + info.milliseconds;
    int startState = m_startState.load();
    if (startState == 1) {
        return dropFrame();
    }
    if (startState == 2) {
        const int mode = m_playMode.load();
        const bool stepMode = mode == kStepForward || mode == kStepBackward;
        if (!PassResumeTarget(frameMs)) {
            if (stepMode && m_stepBudget.fetch_sub(1) - 1 <= 0) {
                const int n = m_client.Login().ChannelCount();
                SendStepData(DWORD(n));
                m_stepBudget.store(n);
            }
            return dropFrame();
        }
        m_startState.store(0);
        if (stepMode) {
            BYTE mask[4];
            WriteBE32(mask, m_client.Video() != nullptr ? m_client.Video()->GetVisibleChannelMask() : 0xFFFF);
            SendPlayCommand(Msg::PLAY_PAUSE, nullptr, 0);
            SendPlayCommand(mode == kStepForward ? Msg::PLAY_NEXT_STEP : Msg::PLAY_PREV_STEP, nullptr, 0);
            SendPlayCommand(Msg::PLAY_CH_CHANGE, mask, sizeof(mask));
            SendStepData(1);
        }
    }

    if (m_recountFlag.exchange(false) && m_client.Video() != nullptr) {
        m_playMask.store(m_client.Video()->GetVisibleChannelMask());
    }
    PacedPlayFrame entry;
    entry.credit = credit;
    entry.hasFrame = true;
    entry.paced = m_speedState.load() == 1;
    entry.session = m_playSession.load();
    entry.frameMs = frameMs;
    entry.info = info;
    entry.descriptor = descriptor;
    entry.header = m.header;
    entry.frame.assign(frame.begin(), frame.end());
    HandPlayEntry(std::move(entry));
    m_playArea.Reset();
    return true;
}

void CDvrClientPlay::HandPlayEntry(PacedPlayFrame entry) {
    // An entry that need not wait goes at once when nothing waits before it.
    if (!entry.paced && m_pacer->IsIdle()) {
        ReleasePlayFrame(entry);
        return;
    }
    m_pacer->Push(std::move(entry), m_client.StopFlag());
}

void CDvrClientPlay::ReleasePlayFrame(PacedPlayFrame& entry) {
    const bool current = entry.session == m_playSession.load() && m_bRemotePlay.load() != 0;
    if (entry.credit != 0 && current) {
        SendStepData(entry.credit);
    }
    if (entry.done) {
        if (entry.session == m_playSession.load()) {
            PlayControl(kPause);
            m_startState.store(0);
        }
        return;
    }
    // A frame whose playback ended, or that a pause or a new start overtook, is not shown.
    if (!entry.hasFrame || !current || m_startState.load() != 0) {
        return;
    }
    if (entry.info.video_size != 0) {
        m_client.Media().QueueToDecoder(entry.descriptor, entry.header, entry.frame);
    }
    m_playClock.store(entry.info.frame_time);
    if (entry.paced && m_speedState.load() == 1) {
        PaceFrame(entry.frameMs);
        m_client.Media().QueueFrameAudio(entry.info, entry.frame, false);
    }
}

void CDvrClientPlay::PlayControl(int mode) {
    m_reanchorFlag.store(true);
    const int previous = m_playMode.load();
    const bool startPending = m_startState.load() == 1;
    const DWORD clock = m_playClock.load();
    auto flushAudio = [this] { m_client.Media().FlushAudio(); };
    auto clearSpeed = [this] {
        m_speedState.store(0);
        m_currentSpeedCode.store(-1);
    };
    auto sendChannelChange = [this] {
        const DWORD visible = m_client.Video() != nullptr ? m_client.Video()->GetVisibleChannelMask() : 0xFFFF;
        m_playMask.store(visible);
        m_channelChangePending.store(false);
        BYTE mask[4];
        WriteBE32(mask, visible);
        SendPlayCommand(Msg::PLAY_CH_CHANGE, mask, sizeof(mask));
    };
    const int n = m_client.Login().ChannelCount();

    switch (mode) {
    case kStepBackward:
        m_directionMarker.store(previous == kForward || previous == kStepForward ? 2 : 0);
        m_recountFlag.store(true);
        flushAudio();
        m_stepCounter.store(0);
        m_playMode.store(kStepBackward);
        m_stepFlag.store(true);
        if (startPending) {
            SendStartRecord(Msg::PLAY_BACKWARD, clock + 1);
            m_startState.store(2);
            SendStepData(DWORD(n));
            m_stepBudget.store(n);
        } else {
            clearSpeed();
            SendPlayCommand(Msg::PLAY_PAUSE, nullptr, 0);
            SendPlayCommand(Msg::PLAY_PREV_STEP, nullptr, 0);
            sendChannelChange();
            SendStepData(1);
        }
        break;
    case kBackward:
        m_directionMarker.store(previous == kForward || previous == kStepForward ? 2 : 0);
        m_recountFlag.store(true);
        flushAudio();
        m_stepCounter.store(0);
        m_playMode.store(kBackward);
        m_stepFlag.store(false);
        if (startPending) {
            SendStartRecord(Msg::PLAY_BACKWARD, clock + 1);
            m_startState.store(2);
        } else {
            clearSpeed();
            SendPlayCommand(Msg::PLAY_BACKWARD, nullptr, 0);
            m_startState.store(0);
        }
        SendStepData(kStartCredit);
        ReportPlayMode(kBackward);
        break;
    case kForward:
        if (previous == kStepBackward || previous == kBackward) {
            m_directionMarker.store(1);
            m_recountFlag.store(true);
        } else {
            m_directionMarker.store(0);
        }
        m_stepCounter.store(0);
        m_playMode.store(kForward);
        m_stepFlag.store(false);
        if (startPending) {
            SendPlayCommand(Msg::PLAY_PAUSE, nullptr, 0);
            SendStartRecord(Msg::PLAY_FORWARD, clock);
            m_startState.store(2);
        } else {
            clearSpeed();
            SendPlayCommand(Msg::PLAY_FORWARD, nullptr, 0);
            m_startState.store(0);
        }
        SendStepData(kStartCredit);
        ReportPlayMode(kForward);
        m_lastSpeedCode.store(-1);
        break;
    case kPause:
        flushAudio();
        m_stepCounter.store(0);
        m_stepFlag.store(true);
        clearSpeed();
        SendPlayCommand(Msg::PLAY_PAUSE, nullptr, 0);
        ReportPlayMode(kPause);
        m_startState.store(1);
        break;
    case kStepForward:
        if (previous == kStepBackward || previous == kBackward) {
            m_directionMarker.store(1);
            m_recountFlag.store(true);
        } else {
            m_directionMarker.store(0);
        }
        flushAudio();
        m_stepCounter.fetch_add(1);
        m_stepFlag.store(true);
        m_playMode.store(kStepForward);
        clearSpeed();
        if (startPending) {
            SendStartRecord(Msg::PLAY_FORWARD, clock);
            m_startState.store(2);
            SendStepData(1);
        } else {
            SendPlayCommand(Msg::PLAY_PAUSE, nullptr, 0);
            SendPlayCommand(Msg::PLAY_NEXT_STEP, nullptr, 0);
            sendChannelChange();
            SendStepData(1);
        }
        break;
    default:
        return; // 5 and 6 send nothing
    }
    std::this_thread::sleep_for(mode == kBackward || mode == kForward ? m_client.GetPlayTiming().playSleep
                                                                      : m_client.GetPlayTiming().otherSleep);
    if (m_client.Video() != nullptr) {
        m_client.Video()->Redraw();
    }
}

int CDvrClientPlay::GetPlayDirection() const {
    if (m_stepFlag.load()) {
        return 0;
    }
    const int speed = m_speedState.load();
    if (m_client.Login().IsVersion12()) {
        return speed > 0 ? speed : (speed < 0 ? speed + 1 : 0);
    }
    switch (m_playMode.load()) {
    case kForward:
        return speed == 1 || speed == 2 ? speed : 0;
    case kBackward:
        return -1;
    default:
        return 0;
    }
}
