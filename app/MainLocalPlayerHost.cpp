#include "app/MainLocalPlayerHost.h"

#include "app/ClientDlg.h"
#include "app/LocalLog.h"
#include "media/FullScreenVideoDlg.h"
#include "platform/base/Clock.h"
#include "protocol/IMediaFactory.h"
#include "res/ButtonStates.h"

#include <QTimer>

CMainLocalPlayerHost::CMainLocalPlayerHost(CClientDlg& main)
    : m_main(main), m_video(main.GetVideoWindow() != nullptr ? main.GetVideoWindow()->MediaWindow() : nullptr) {}

std::unique_ptr<IChannelDecoder> CMainLocalPlayerHost::CreateDecoder(int channel) {
    if (m_video == nullptr || m_video->MediaFactory() == nullptr) {
        return nullptr;
    }
    return m_video->MediaFactory()->CreateDecoder(channel, 3);
}

std::unique_ptr<IAudioPlayer> CMainLocalPlayerHost::CreateAudioPlayer() {
    if (m_video == nullptr || m_video->MediaFactory() == nullptr || !m_main.HasWaveOut()) {
        return nullptr;
    }
    return m_video->MediaFactory()->CreateAudioPlayer(int(m_main.GetAppliedSetup().AudioBuf[2]));
}

void CMainLocalPlayerHost::SetPlaySource(int source) {
    if (m_video != nullptr) {
        m_video->SetPlaySource(source);
    }
}

bool CMainLocalPlayerHost::SetAvailableMask(WORD mask, bool reset) {
    return m_video != nullptr && m_video->SetAvailableMask(mask, reset);
}

void CMainLocalPlayerHost::DrawVideoLossExcept(WORD mask) {
    m_main.OnUiThread([mask](CClientDlg& main) {
        IVideoWindow* video = main.GetVideoWindow();
        if (video != nullptr && video->MediaWindow() != nullptr) {
            video->MediaWindow()->DrawVideoLossExcept(mask);
        }
    });
}

void CMainLocalPlayerHost::ClearThirdMask() {
    if (m_video != nullptr) {
        m_video->ClearThirdMask();
    }
}

// The video window counts each layout's pages from its own channel count; the player's table is
// the same for sixteen channels.
void CMainLocalPlayerHost::SetPlayLayout(int layout, const DWORD (&)[15], bool select) {
    m_main.OnUiThread([layout, select](CClientDlg& main) {
        IVideoWindow* video = main.GetVideoWindow();
        if (video == nullptr) {
            return;
        }
        video->StoreArrangeLayout(layout);
        if (select) {
            video->SelectLayout(layout);
            video->SetSingleView(false);
        }
    });
}

WORD CMainLocalPlayerHost::GetVisibleChannelMask() const {
    return m_video != nullptr ? m_video->GetVisibleChannelMask() : 0;
}

bool CMainLocalPlayerHost::IsSelectedChannel(int channel) const {
    return m_video != nullptr && m_video->IsSelectedChannel(channel, m_video->GetVisibleChannelMask());
}

void CMainLocalPlayerHost::RepaintVideo(DWORD delayMs) {
    m_main.OnUiThread([delayMs](CClientDlg& main) {
        const HWND hwnd = main.GetSafeHwnd();
        auto repaint = [hwnd] {
            auto* window = ::IsWindow(hwnd) ? dynamic_cast<CClientDlg*>(CWnd::FromHandle(hwnd)) : nullptr;
            if (window != nullptr && window->GetVideoWindow() != nullptr) {
                window->GetVideoWindow()->Repaint(true);
            }
        };
        if (delayMs == 0) {
            repaint();
        } else {
            QTimer::singleShot(int(delayMs), repaint);
        }
    });
}

void CMainLocalPlayerHost::SetSplitButtons(int pressed) {
    for (int i = 0; i < 9; ++i) {
        m_main.SetButtonState(ClientButton::Split, i, i == pressed ? kButtonOn : kButtonNormal);
    }
}

void CMainLocalPlayerHost::SetPlayButtons(int reverse, int forward, int pause) {
    m_main.SetButtonState(ClientButton::PlayBar, 1, reverse);
    m_main.SetButtonState(ClientButton::PlayBar, 2, forward);
    m_main.SetButtonState(ClientButton::PlayBar, 3, pause);
}

void CMainLocalPlayerHost::EnablePlayBar(bool enable) {
    for (int i = 0; i < 7; ++i) {
        if (i != IDC_RECORD - IDC_PLAY_FIRST) {
            m_main.OnUiThread([i, enable](CClientDlg& main) {
                if (CSkinButton* b = main.ButtonOf(ClientButton::PlayBar, i)) {
                    b->Enable(enable ? TRUE : FALSE);
                }
            });
        }
    }
}

void CMainLocalPlayerHost::InvalidatePlayBar() {
    m_main.RedrawPlayStrip();
}

void CMainLocalPlayerHost::SelectSixteenSplit() {
    m_main.SetSplitMode(14);
}

void CMainLocalPlayerHost::ResetRememberedMask() {
    m_main.ResetRememberedMask();
}

void CMainLocalPlayerHost::WriteLocalLog(DWORD indexSub) {
    m_main.WriteLocalLog(4, int(indexSub), nullptr, nullptr);
}

bool CMainLocalPlayerHost::GetAudioClosed() const {
    return m_main.IsAudioClosed();
}

void CMainLocalPlayerHost::SetAudioClosed(bool closed) {
    m_main.SetAudioClosed(closed);
}

void CMainLocalPlayerHost::SetSelectedAudioChannel(int channel) {
    m_main.SetSelectedAudioChannel(channel);
}

void CMainLocalPlayerHost::CreatePlayClock() {
    m_main.CreateLocalPlayClock();
}

void CMainLocalPlayerHost::SetPlayClockTime(DWORD time) {
    m_main.SetLocalPlayClockTime(time);
}

void CMainLocalPlayerHost::DestroyPlayClock() {
    m_main.DestroyPlayClock();
}

ULONGLONG CMainLocalPlayerHost::TickMs() {
    return GetTickCount64();
}

void CMainLocalPlayerHost::SleepMs(DWORD ms) {
    Sleep(ms);
}
