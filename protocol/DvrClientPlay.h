#pragma once
// Remote playback: its start and end, the frames with their speed codes, pacing and flow control,
// and the play bar's commands with the start record.
// Threads: the UI thread sends the play commands; the socket thread handles the answers and the
// frames and hands them to the play clock's thread (CPlayPacer), which paces them, queues them to
// the media workers and returns the flow credit. The play state is atomic; the pacing anchor is the
// play clock's thread's own.

#include "platform/base/WinTypes.h"
#include "protocol/FrameHeader.h"
#include "protocol/PlayPacer.h"
#include "protocol/ReassemblyArea.h"
#include "protocol/RecvMessage.h"

#include <array>
#include <atomic>
#include <chrono>
#include <memory>

class CDvrClient;

class CDvrClientPlay {
public:
    explicit CDvrClientPlay(CDvrClient& client);
    CDvrClientPlay(const CDvrClientPlay&) = delete;
    CDvrClientPlay& operator=(const CDvrClientPlay&) = delete;
    friend struct DvrClientTestPeer;

    bool IsRemotePlay() const { return m_bRemotePlay.load() != 0; }
    void PlayControl(int mode);
    int GetPlayDirection() const;
    void SendPlayCommand(WORD id, const void* body, DWORD length);
    void SendPlayStop();
    int GetPlayMode() const { return m_playMode.load(); }
    int GetSpeedState() const { return m_speedState.load(); }
    int GetStartState() const { return m_startState.load(); }
    // Live view stops: no start record is pending.
    void ResetStartState() { m_startState.store(0); }
    DWORD GetPlayClock() const { return m_playClock.load(); }
    // The clock window's time, when the user moved it (the start record carries it).
    void SetPlayClock(DWORD time) { m_playClock.store(time); }
    ULONGLONG GetResumeTargetMs() const { return m_resumeTargetMs.load(); }
    // The play mode last reported for the play bar: the start's report from the socket thread and a
    // press's from the UI thread may reach the window in either order, and the later one counts.
    int GetShownPlayMode() const { return m_shownMode.load(); }
    // Split and channel changes in the step modes: the next step command sends PLAY_CH_CHANGE.
    void SetChannelChangePending() { m_channelChangePending.store(true); }
    void SetPlayMask(DWORD mask) { m_playMask.store(mask); }
    DWORD GetPlayMask() const { return m_playMask.load(); }
    // The play clock: waits until it has handed on what it holds (at most `limit`), or ends it.
    bool WaitClockIdle(std::chrono::milliseconds limit) const { return m_pacer->WaitIdle(limit); }
    void StopClock() { m_pacer->Stop(); }

    // ---- Handlers (socket thread)
    bool RecvFn_PlayChannelInfo(const RecvMessage& m);
    bool RecvFn_PlayOnAck(const RecvMessage& m);
    bool RecvFn_PlayOnNack(const RecvMessage& m);
    bool RecvFn_PlayOffAck(const RecvMessage& m);
    bool RecvFn_PlayOffNack(const RecvMessage& m);
    bool RecvFn_PlayFlow(const RecvMessage& m);
    bool RecvFn_PlayData(const RecvMessage& m);
    bool RecvFn_PlayOnFail(const RecvMessage& m);
    bool RecvFn_PlayOnDone(const RecvMessage& m);

private:
    void ReportPlayMode(int mode);
    void SendStepData(DWORD frames);
    std::array<BYTE, 24> BuildStartRecord(DWORD time);
    void SendStartRecord(WORD id, DWORD time);
    bool PassResumeTarget(ULONGLONG frameMs);
    void PaceFrame(ULONGLONG frameMs);
    void ResetPlayState();
    // Socket thread: a playback entry goes to the play clock, or is released at once when it need
    // not wait and nothing waits before it.
    void HandPlayEntry(PacedPlayFrame entry);
    // The play clock's thread (or the socket thread, see HandPlayEntry): credit, frame, pacing.
    void ReleasePlayFrame(PacedPlayFrame& entry);

    CDvrClient& m_client;
    std::atomic<BYTE> m_bRemotePlay{0};
    // Socket thread: the frame being gathered.
    CReassemblyArea m_playArea{kFrameAreaSize};

    std::atomic<int> m_playMode{3};
    std::atomic<int> m_shownMode{3};
    std::atomic<int> m_speedState{0};
    std::atomic<int> m_stepCounter{0};
    std::atomic<int> m_startState{0};
    std::atomic<int> m_directionMarker{0};
    std::atomic<bool> m_recountFlag{false};
    std::atomic<bool> m_reanchorFlag{false};
    std::atomic<bool> m_stepFlag{false};
    std::atomic<int> m_stepBudget{0};
    std::atomic<int> m_flowFrameCounter{0};
    std::atomic<int> m_lastSpeedCode{-1};
    std::atomic<int> m_currentSpeedCode{-1};
    std::atomic<ULONGLONG> m_resumeTargetMs{0};
    std::atomic<bool> m_channelChangePending{false};
    std::atomic<DWORD> m_playMask{0};
    std::atomic<DWORD> m_playClock{0};
    std::atomic<unsigned> m_playSession{0}; // a new playback, or its end, makes waiting frames stale
    ULONGLONG m_anchorFrameMs = 0;          // the play clock's thread
    std::chrono::steady_clock::time_point m_anchorTick{};

    // Remote playback's clock (last: its thread calls into everything above, and ends first).
    std::unique_ptr<CPlayPacer> m_pacer;
};
