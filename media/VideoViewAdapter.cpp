#include "media/VideoViewAdapter.h"

#include "media/VideoDlg.h"
#include "media/VideoLayout.h"
#include "platform/window/MessagePump.h"

#include <functional>

namespace {

// Runs the call on the UI thread: now when already there, else queued to the window (dropped when
// the window is gone by then).
void OnUiThread(CVideoDlg& dlg, std::function<void(CVideoDlg&)> call) {
    if (CMessagePump::IsUiThread()) {
        call(dlg);
        return;
    }
    CMessagePump::PostCall(dlg.GetSafeHwnd(),
                           [call = std::move(call)](CWnd& wnd) { call(static_cast<CVideoDlg&>(wnd)); });
}

} // namespace

void CVideoViewAdapter::SetAvailableMask(DWORD mask, bool reset) {
    OnUiThread(m_dlg, [mask, reset](CVideoDlg& dlg) {
        dlg.SetAvailableMask(WORD(mask & 0xFFFF), reset);
        dlg.Invalidate();
    });
}

void CVideoViewAdapter::SetLayout(int tiles) {
    const int layout = CVideoLayout::LayoutOfTileCount(tiles);
    if (layout < 0) {
        return;
    }
    if (CMessagePump::IsUiThread()) {
        m_dlg.SetLayout(layout);
        return;
    }
    CMessagePump::PostCall(m_dlg.GetSafeHwnd(),
                           [layout](CWnd& wnd) { static_cast<CVideoDlg&>(wnd).SetLayoutAndStream(layout); });
}

void CVideoViewAdapter::SetChannelHidden(int channel, bool hidden) {
    m_dlg.SetChannelByte(channel, hidden ? 1 : 0);
}

void CVideoViewAdapter::Redraw() {
    m_dlg.Invalidate();
}

void CVideoViewAdapter::ExitFullScreen() {
    OnUiThread(m_dlg, [](CVideoDlg& dlg) { dlg.ExitFullScreen(); });
}

void CVideoViewAdapter::SetPlaySource(int source) {
    m_dlg.SetPlaySource(source);
}

void CVideoViewAdapter::DrawBlankExcept(DWORD mask) {
    OnUiThread(m_dlg, [mask](CVideoDlg& dlg) { dlg.DrawBlankExcept(WORD(mask & 0xFFFF)); });
}

bool CVideoViewAdapter::IsSelectedChannel(int channel) const {
    return m_dlg.IsSelectedChannel(channel, 0xFFFF);
}

DWORD CVideoViewAdapter::GetVisibleChannelMask() const {
    return m_dlg.GetVisibleChannelMask();
}
