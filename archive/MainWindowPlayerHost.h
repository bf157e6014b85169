#pragma once
// What the local player uses of the main window and its video window, for the program. Calls from
// the playback thread that must run on the UI thread are queued to it; the queued calls hold only
// the main window's handle, so none runs after the main window has gone.

#include "archive/LocalPlayerHost.h"

#include <atomic>
#include <functional>
#include <memory>

class CClientDlg;
class CVideoDlg;
class IMediaFactory;
class IVideoView;

class CMainWindowPlayerHost : public ILocalPlayerHost {
public:
    // Made on the UI thread.
    explicit CMainWindowPlayerHost(CClientDlg& main);

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
    bool GetAudioClosed() const override { return m_audioClosed.load(); }
    void SetAudioClosed(bool closed) override;
    void SetSelectedAudioChannel(int channel) override;
    void CreatePlayClock() override;
    void SetPlayClockTime(DWORD time) override { m_clockTime->store(LONG(time)); }
    void DestroyPlayClock() override;
    ULONGLONG TickMs() override;
    void SleepMs(DWORD ms) override;

private:
    // At once on the UI thread, queued from any other.
    void OnUi(std::function<void(CClientDlg&)> call);

    CClientDlg& m_main;
    HWND m_hMain;
    IVideoView* m_view; // the client's seam onto the video window (any thread)
    CVideoDlg* m_video; // the rest of it, when it is the media subsystem's window
    IMediaFactory* m_factory;
    bool m_waveOut;
    int m_chunk;
    DWORD m_dateFormat;
    std::atomic<bool> m_audioClosed;
    std::shared_ptr<std::atomic<LONG>> m_clockTime = std::make_shared<std::atomic<LONG>>(0);
};
