#pragma once
// The video area of the main window until the media subsystem's video window takes its place: a
// child window of the right size and colour that keeps the layout state the commands read and
// makes no decoders.

#include "app/MainWindowSeams.h"
#include "platform/window/Wnd.h"

#include <atomic>

class CVideoPlaceholder : public CWnd, public IVideoWindow, public IVideoView, public IMediaFactory {
public:
    static constexpr RECT kArea = {53, 72, 868, 620};
    static constexpr COLORREF kBackground = 0x969696;

    // IVideoWindow
    bool Create(CClientDlg& main) override;
    void Destroy() override;
    CWnd* GetWnd() override { return this; }
    IVideoView* View() override { return this; }
    IMediaFactory* MediaFactory() override { return this; }
    void SetDrawMode(int mode) override { m_drawMode = mode; }
    void SetMonitorTable(const MONITORINFOEX table[4]) override;
    void GetMonitorTable(MONITORINFOEX table[4]) const override;
    void ClearReturnFlag() override {}
    void ClearCompanionMask() override {}
    bool SelectLayout(int layout) override;
    void SetSingleView(bool single) override { m_single = single; }
    void StoreArrangeLayout(int layout) override { m_arrangeLayout = layout; }
    bool ShowSingleChannel(int channel) override;
    DWORD GetVisibleChannelMask() const override { return m_visibleMask.load(); }
    int GetLayout() const override { return m_layout.load(); }
    void ResetTileOrder() override {}
    void RequestSnapshots() override {}
    void ToggleOsd() override { m_osd = !m_osd; }
    int GetPlaySource() const override { return m_playSource.load(); }
    bool IsFullScreen() const override { return false; }
    void EnterFullScreen(int) override {}
    void Repaint(bool erase) override;

    // IVideoView
    void SetAvailableMask(DWORD mask, bool reset) override;
    void SetLayout(int tiles) override;
    void SetChannelHidden(int, bool) override {}
    void Redraw() override;
    void ExitFullScreen() override {}
    void SetPlaySource(int source) override { m_playSource.store(source); }
    bool IsSelectedChannel(int channel) const override;

    // IMediaFactory
    std::unique_ptr<IChannelDecoder> CreateDecoder(int, int) override { return nullptr; }
    std::unique_ptr<IAudioPlayer> CreateAudioPlayer(int) override { return nullptr; }

    // The state the commands left (for tests).
    int GetPage() const { return m_page.load(); }
    int GetArrangeLayout() const { return m_arrangeLayout; }
    bool IsSingleView() const { return m_single.load(); }
    bool IsOsdOn() const { return m_osd; }
    int GetDrawMode() const { return m_drawMode; }

protected:
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void UpdateVisible();

    std::atomic<int> m_layout{14};
    std::atomic<int> m_page{0};
    std::atomic<DWORD> m_visibleMask{0xFFFF};
    std::atomic<DWORD> m_availableMask{0};
    std::atomic<int> m_playSource{0};
    std::atomic<bool> m_single{true};
    int m_arrangeLayout = 14;
    int m_drawMode = 0;
    bool m_osd = true;
    MONITORINFOEX m_monitors[4] = {};
};
