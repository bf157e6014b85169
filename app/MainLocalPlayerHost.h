#pragma once
// The main window, its video window and the media workers as the local player uses them. The
// playback thread's calls that touch windows are queued to the UI thread; the video window's
// masks are read and written directly (they are safe from any thread).

#include "archive/LocalPlayerHost.h"

class CClientDlg;
class CFullScreenVideoDlg;

class CMainLocalPlayerHost : public ILocalPlayerHost {
public:
    explicit CMainLocalPlayerHost(CClientDlg& main);

    std::unique_ptr<IChannelDecoder> CreateDecoder(int channel) override;
    std::unique_ptr<IAudioPlayer> CreateAudioPlayer() override;

    void SetPlaySource(int source) override;
    bool SetAvailableMask(WORD mask, bool reset) override;
    void DrawVideoLossExcept(WORD mask) override;
    void ClearThirdMask() override;
    void SetPlayLayout(int layout, const DWORD (&pageCounts)[15], bool select) override;
    WORD GetVisibleChannelMask() const override;
    bool IsSelectedChannel(int channel) const override;
    void RepaintVideo(DWORD delayMs) override;

    void SetSplitButtons(int pressed) override;
    void SetPlayButtons(int reverse, int forward, int pause) override;
    void EnablePlayBar(bool enable) override;
    void InvalidatePlayBar() override;
    void SelectSixteenSplit() override;
    void ResetRememberedMask() override;
    void WriteLocalLog(DWORD indexSub) override;
    bool GetAudioClosed() const override;
    void SetAudioClosed(bool closed) override;
    void SetSelectedAudioChannel(int channel) override;
    void CreatePlayClock() override;
    void SetPlayClockTime(DWORD time) override;
    void DestroyPlayClock() override;

    ULONGLONG TickMs() override;
    void SleepMs(DWORD ms) override;

private:
    CClientDlg& m_main;
    // The video window of the moment the player was made; the main window keeps it while a local
    // player exists (a new drawing mode waits for the player to stop).
    CFullScreenVideoDlg* m_video;
};
