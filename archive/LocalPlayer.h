#pragma once
// The local player: plays the backup file sets of a play list without a recorder. One playback
// thread reads frames forward or backward through the sets, queues them to the sixteen channel
// decoders and sound blocks to the audio player, paces them by the tick count against the frame
// times, walks from node to node and writes two local log entries. The main window's play bar
// (SetMode), seek slider (seek state and target) and channel selection (resync) drive it from the UI
// thread; what the two threads share is atomic, a change of mode is made under a lock, and the
// audio player is guarded by a lock.

#include "archive/BackupSet.h"
#include "archive/LocalPlayerHost.h"
#include "archive/PlayListNode.h"
#include "platform/base/WinTypes.h"
#include "protocol/FrameDescriptor.h"
#include "res/PlayModes.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CLocalPlayer {
public:
    static constexpr std::size_t kFrameBufferSize = 720 * 576 * 3;
    // Fast and reverse play wait while a decoder holds more frames than this.
    static constexpr std::size_t kMaxDecoderBacklog = 10;
    // A gap between frames longer than this is bridged by re-basing the clock.
    static constexpr ULONGLONG kMaxWaitMs = 3000;

    // The list is played from node `first` on.
    CLocalPlayer(std::unique_ptr<ILocalPlayerHost> host, std::vector<PlayListNode> nodes, std::size_t first);
    // Closes the player when that has not been done.
    ~CLocalPlayer();
    CLocalPlayer(const CLocalPlayer&) = delete;
    CLocalPlayer& operator=(const CLocalPlayer&) = delete;

    // ---- UI thread
    // Local playback in the video window, sixteen decoders, the play bar and clock, the thread.
    bool Start();
    // 1 step back, 2 reverse (each press faster), 3 forward (each press faster), 4 pause, 7 step
    // forward; any other value changes nothing.
    void SetMode(int mode);
    // The speed step the video window shows: 1 to 4 forward, -1 to -3 reverse, 0 otherwise.
    int GetSpeedStep() const;
    // Ends the thread, the decoders, the audio player and the clock, and gives the video window and
    // the play bar back (the Stop button and the program's exit).
    void Stop();
    // Ends the thread and the audio player (the player's window going). Safe to repeat.
    void Close();

    int GetMode() const { return m_mode.load(); }
    // 1-4 forward, -2 to -4 reverse, 0 paused after reverse, 5 paused after forward.
    int GetSpeed() const { return m_speed.load(); }
    // The seek slider: 1 pressed, 2 moving, 3 released (the target is set), 4 seeking.
    int GetSeekState() const { return m_seekState.load(); }
    // Pressed (1) and moving (2); a release is Seek.
    void SetSeekState(int state) { m_seekState.store(state); }
    // The slider released: plays on from the first frame at or after the time (seconds since 1970).
    void Seek(DWORD target);
    DWORD GetSeekTarget() const { return m_seekTarget.load(); }
    // The span of the continuation chain being played; the slider's 0 is its start.
    DWORD GetRangeStart() const { return m_rangeStart.load(); }
    DWORD GetRangeEnd() const { return m_rangeEnd.load(); }
    // The visible channels changed while paused: the next frames start a new generation.
    void SetResync() { m_resync.store(true); }
    // The time of the frame shown last (the play clock's).
    DWORD GetPlayClock() const { return m_playClock.load(); }
    // 2 when the channel's audio is the one played, 0 when not.
    int GetChannelAudioState(int channel) const;
    bool IsThreadRunning() const { return m_threadRunning.load(); }
    // The node being played (tests).
    std::size_t GetCurrentNode() const { return m_current.load(); }

private:
    enum class Loop { Restart, End };
    // Frame: a frame is in m_frame; Skip: read on; Again: nothing read this time (paused, or
    // waiting); Restart: play the current node from its entry.
    enum class Read { Frame, Skip, Again, Restart };

    void Run();
    Loop PlayNode();
    void Reinitialise(const PlayListNode& node);
    bool OpenNode(const PlayListNode& node);
    Loop FrameLoop();
    // One step of each mode.
    Read StepForward(int mode);
    Read StepBackward(int mode);
    Read ReadFrameForward();
    Read ReadFrameBackward();
    Read SeekToTime();
    // Makes the node covering the target current; true when that changed it.
    bool MoveToNodeCovering(DWORD target);
    std::size_t NodeCovering(DWORD target) const;
    // What is done with the frame read; false when it is skipped.
    bool AfterRead(int mode);
    bool ThinFastFrame(int channel, int speed);
    void WaitForDecoder(int channel);
    void QueueFrame();
    void PlayAudio();
    // True when the loop goes on to the next frame, false when the thread is to end.
    bool Pace(int speedOfFrame);
    void EndThread();

    // The mode and speed change under m_modeLock, one press at a time.
    void ApplyMode(int mode);
    // The playback thread pauses what it played in `from`; when a press changed the mode since the
    // thread read it, the press stands.
    void PauseUnlessChanged(int from);
    // As PauseUnlessChanged, without the pause's play bar and repaint (the end of a step).
    void HoldUnlessChanged(int from);

    void CreateAudioPlayer();
    void CloseAudio();
    bool HasPrevious() const { return m_current.load() > 0; }
    bool HasNext() const { return m_current.load() + 1 < m_nodes.size(); }

    std::unique_ptr<ILocalPlayerHost> m_host;
    std::vector<PlayListNode> m_nodes;

    // Shared by the UI thread and the playback thread.
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_threadRunning{false};
    std::atomic<int> m_mode{kPlayForward};
    std::atomic<int> m_speed{0};
    std::atomic<DWORD> m_rangeStart{0};
    std::atomic<DWORD> m_rangeEnd{0};
    std::atomic<int> m_seekState{0};
    std::atomic<DWORD> m_seekTarget{0};
    std::atomic<DWORD> m_generation{0};
    std::atomic<bool> m_resync{true};
    std::atomic<bool> m_rebase{true};
    std::atomic<bool> m_stepAfterSeek{false};
    std::atomic<DWORD> m_playClock{0};
    std::atomic<std::size_t> m_current{0};
    std::atomic<DWORD> m_nodeAudioMask{0};
    std::atomic<bool> m_nodeAudioPresent{false};
    std::atomic<int> m_audioChannel{-1};

    // Held across a whole mode change (mode, speed and the flags they set) by either thread.
    std::mutex m_modeLock;
    std::array<std::unique_ptr<IChannelDecoder>, 16> m_decoders;
    std::mutex m_audioLock;
    std::unique_ptr<IAudioPlayer> m_audio;
    std::thread m_thread;
    bool m_started = false;
    bool m_closed = false;

    // ---- playback thread only
    CBackupSet m_set;
    std::vector<BackupSegment> m_segments;
    BackupSegment m_segment;
    DWORD m_lower = 0;
    DWORD m_upper = 0;
    DWORD m_pos = 0;   // .vih offset of the next record forward (behind the next one backward)
    DWORD m_noted = 0; // the position before a step's read
    BackupFrame m_frame;
    FrameDescriptor m_descriptor;
    std::vector<BYTE> m_frameBuffer;
    WORD m_shownMask = 0;
    std::array<DWORD, 16> m_skip{};
    LONGLONG m_baseTime = 0;
    ULONGLONG m_baseTick = 0;
    LONGLONG m_delay = 0;
    int m_lastHighest = -1;
    bool m_opened = false;
};
