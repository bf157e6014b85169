#include "archive/MainWindowPlayerHost.h"

#include "app/ClientDlg.h"
#include "app/ClockFace.h"
#include "media/VideoDlg.h"
#include "platform/base/Clock.h"
#include "platform/window/MessagePump.h"
#include "protocol/IVideoView.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

// The play clock's area on the main window's face.
constexpr RECT kPlayBar{250, 630, 677, 644};

CVideoDlg* VideoOf(CClientDlg& main) {
    return main.m_pVideo ? dynamic_cast<CVideoDlg*>(main.m_pVideo->GetWnd()) : nullptr;
}

} // namespace

CMainWindowPlayerHost::CMainWindowPlayerHost(CClientDlg& main)
    : m_main(main), m_hMain(main.GetSafeHwnd()), m_view(main.m_pVideo ? main.m_pVideo->View() : nullptr),
      m_video(VideoOf(main)), m_factory(main.m_pVideo ? main.m_pVideo->MediaFactory() : nullptr),
      m_waveOut(main.m_bWaveOut != 0), m_chunk(main.m_settings.AudioBufferBlocks(2)),
      m_dateFormat(main.m_settings.DateFormat), m_audioClosed(main.m_bAudioClosed != 0) {}

void CMainWindowPlayerHost::OnUi(std::function<void(CClientDlg&)> call) {
    if (CMessagePump::IsUiThread()) {
        call(m_main);
        return;
    }
    CMessagePump::PostCall(m_hMain, [call = std::move(call)](CWnd& wnd) {
        if (auto* main = dynamic_cast<CClientDlg*>(&wnd)) {
            call(*main);
        }
    });
}

std::unique_ptr<IChannelDecoder> CMainWindowPlayerHost::CreateDecoder(int channel) {
    return m_factory != nullptr ? m_factory->CreateDecoder(channel, 3) : nullptr;
}

std::unique_ptr<IAudioPlayer> CMainWindowPlayerHost::CreateAudioPlayer() {
    return m_factory != nullptr && m_waveOut ? m_factory->CreateAudioPlayer(m_chunk) : nullptr;
}

void CMainWindowPlayerHost::SetPlaySource(int source) {
    if (m_view != nullptr) {
        m_view->SetPlaySource(source);
    }
}

bool CMainWindowPlayerHost::SetAvailableMask(WORD mask, bool reset) {
    const bool changed = m_video == nullptr || m_video->GetAvailableMask() != mask;
    if (m_view != nullptr) {
        m_view->SetAvailableMask(mask, reset);
    }
    return changed;
}

void CMainWindowPlayerHost::DrawVideoLossExcept(WORD mask) {
    OnUi([mask](CClientDlg& main) {
        if (CVideoDlg* video = VideoOf(main)) {
            video->DrawVideoLossExcept(mask);
        }
    });
}

void CMainWindowPlayerHost::ClearThirdMask() {
    if (m_video != nullptr) {
        m_video->ClearThirdMask();
    }
}

void CMainWindowPlayerHost::SetPlayLayout(int layout, const DWORD (&pageCounts)[15], bool select) {
    // The video window keeps page counts by channel count; the first layout's count is that count.
    const DWORD channels = pageCounts[0];
    OnUi([layout, channels, select](CClientDlg& main) {
        CVideoDlg* video = VideoOf(main);
        if (video == nullptr) {
            return;
        }
        video->SetChannelCount(channels);
        video->SetArrangeLayout(layout);
        if (select) {
            video->SetSingleView(false);
            video->SetLayout(layout);
        }
    });
}

WORD CMainWindowPlayerHost::GetVisibleChannelMask() const {
    return m_view != nullptr ? WORD(m_view->GetVisibleChannelMask()) : 0;
}

bool CMainWindowPlayerHost::IsSelectedChannel(int channel) const {
    return m_view != nullptr && m_view->IsSelectedChannel(channel);
}

void CMainWindowPlayerHost::RepaintVideo(DWORD delayMs) {
    const HWND hMain = m_hMain;
    OnUi([delayMs, hMain](CClientDlg& main) {
        if (delayMs == 0) {
            if (main.m_pVideo) {
                main.m_pVideo->Repaint(true);
            }
            return;
        }
        QTimer::singleShot(int(delayMs), QCoreApplication::instance(), [hMain] {
            auto* later = dynamic_cast<CClientDlg*>(CWnd::FromHandle(hMain));
            if (later != nullptr && later->m_pVideo) {
                later->m_pVideo->Repaint(true);
            }
        });
    });
}

void CMainWindowPlayerHost::SetSplitButtons(int pressed) {
    for (int i = 0; i < 9; ++i) {
        m_main.m_btnSplit[i].SetState(i == pressed ? 1 : 0);
    }
}

void CMainWindowPlayerHost::SetPlayButtons(int reverse, int forward, int pause) {
    m_main.m_btnPlay[1].SetState(reverse);
    m_main.m_btnPlay[2].SetState(forward);
    m_main.m_btnPlay[3].SetState(pause);
}

void CMainWindowPlayerHost::EnablePlayBar(bool enable) {
    for (int i = 0; i < 7; ++i) {
        if (i != 4) {
            m_main.m_btnPlay[i].Enable(enable ? TRUE : FALSE);
        }
    }
}

void CMainWindowPlayerHost::InvalidatePlayBar() {
    OnUi([](CClientDlg& main) { main.InvalidateRect(&kPlayBar, TRUE); });
}

void CMainWindowPlayerHost::SelectSixteenSplit() {
    OnUi([](CClientDlg& main) { main.SetSplitMode(14); });
}

void CMainWindowPlayerHost::ResetRememberedMask() {
    OnUi([](CClientDlg& main) { main.m_nLastVisibleMask = 0; });
}

void CMainWindowPlayerHost::WriteLocalLog(DWORD indexSub) {
    m_main.WriteLocalLog(184, 4, indexSub, 0, "", "");
}

void CMainWindowPlayerHost::SetAudioClosed(bool closed) {
    m_audioClosed.store(closed);
    OnUi([closed](CClientDlg& main) { main.m_bAudioClosed = closed ? 1 : 0; });
}

void CMainWindowPlayerHost::SetSelectedAudioChannel(int channel) {
    m_main.m_nAudioChannel.store(channel);
}

void CMainWindowPlayerHost::CreatePlayClock() {
    const DWORD dateFormat = m_dateFormat;
    std::shared_ptr<std::atomic<LONG>> time = m_clockTime;
    OnUi([dateFormat, time](CClientDlg& main) {
        if (main.m_pPlayClock) {
            main.m_pPlayClock->DestroyWindow();
        }
        main.m_pPlayClock = std::make_unique<CDigitClockWnd>(
            &main, 1, [dateFormat] { return dateFormat; },
            [time](LONG* out) {
                *out = time->load();
                return true;
            });
        main.Invalidate(TRUE);
    });
}

void CMainWindowPlayerHost::DestroyPlayClock() {
    OnUi([](CClientDlg& main) {
        if (!main.m_pPlayClock) {
            return;
        }
        main.m_pPlayClock->DestroyWindow();
        main.m_pPlayClock.reset();
        for (const RECT& area : CClockFace::Areas(1)) {
            main.InvalidateRect(&area, TRUE);
        }
    });
}

ULONGLONG CMainWindowPlayerHost::TickMs() {
    return GetTickCount64();
}

void CMainWindowPlayerHost::SleepMs(DWORD ms) {
    Sleep(ms);
}
