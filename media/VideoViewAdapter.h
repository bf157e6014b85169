#pragma once
// The recorder client's view of the video window. The client calls from its socket thread as well
// as from the UI thread: changes of the window's layout state are queued to the UI thread (made at
// once when called there); the questions are answered from state the window publishes.

#include "protocol/IVideoView.h"

class CVideoDlg;

class CVideoViewAdapter final : public IVideoView {
public:
    explicit CVideoViewAdapter(CVideoDlg& dlg) : m_dlg(dlg) {}

    void SetAvailableMask(DWORD mask, bool reset) override;
    void SetLayout(int tiles) override;
    void SetChannelHidden(int channel, bool hidden) override;
    void Redraw() override;
    void ExitFullScreen() override;
    void SetPlaySource(int source) override;
    void DrawBlankExcept(DWORD mask) override;
    bool IsSelectedChannel(int channel) const override;
    DWORD GetVisibleChannelMask() const override;

private:
    CVideoDlg& m_dlg;
};
