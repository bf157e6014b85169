// The main window's commands: connection, live view, layouts, play bar, recording, PTZ, the frames
// of the other subsystems, snapshots, firmware and quitting.
#include "app/ClientDlg.h"

#include "app/ConnectDlg.h"
#include "app/ImagePreviewDlg.h"
#include "app/LocalLog.h"
#include "app/PasswordDlg.h"
#include "app/PreviewFileDlg.h"
#include "media/MixerVolume.h"
#include "platform/base/Clock.h"
#include "platform/base/FileSystem.h"
#include "platform/base/WindowsPath.h"
#include "protocol/ReasonCodes.h"
#include "res/ButtonStates.h"
#include "res/PlayModes.h"

#include <algorithm>
#include <cstring>

namespace {

// Cuts a text to at most `chars` characters.
CString Bounded(const CString& text, int chars) {
    return text.GetLength() > chars ? text.Left(chars) : text;
}

} // namespace

BOOL CClientDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CDialog::OnCommand(wParam, lParam);
    }
    const UINT id = LOWORD(wParam);
    if (m_bQuitting) {
        return TRUE; // the program is ending: no command opens anything any more
    }
    if (id >= IDC_CHANNEL_FIRST && id < IDC_CHANNEL_FIRST + 16) {
        SelectChannel(int(id - IDC_CHANNEL_FIRST), false);
        return TRUE;
    }
    if (id >= IDC_SPLIT_FIRST && id < IDC_SPLIT_FIRST + 9) {
        SetSplitMode(kSplitLayouts[id - IDC_SPLIT_FIRST]);
        return TRUE;
    }
    switch (id) {
    case IDC_FULL:
        OnFull();
        break;
    case IDC_PLAY_FIRST:
    case IDC_PLAY_FIRST + 1:
    case IDC_PLAY_FIRST + 2:
    case IDC_PLAY_FIRST + 3:
    case IDC_PLAY_FIRST + 6:
        OnPlayBar(id);
        break;
    case IDC_RECORD:
        OnRecord();
        break;
    case IDC_PLAY_STOP:
        OnPlayStop();
        break;
    case IDC_PAN:
        OnPan();
        break;
    case IDC_ZOOM:
        OnZoom();
        break;
    case IDC_CONNECT:
        OnConnect();
        break;
    case IDC_RSEARCH:
        OnRSearch();
        break;
    case IDC_RSETUP:
        OnRSetup();
        break;
    case IDC_LSEARCH:
        OnLocalSearch();
        break;
    case IDC_LSETUP:
        OnLocalSetup();
        break;
    case IDC_QUIT:
        OnQuit();
        break;
    case IDC_SOUND:
        OnSound();
        break;
    case IDC_LIVE:
        OnLive();
        break;
    case IDC_OSD:
        if (m_pVideo) {
            m_pVideo->ToggleOsd();
            m_pVideo->Repaint(true);
        }
        break;
    case IDC_ARRANGE:
        if (m_pVideo) {
            m_pVideo->ResetTileOrder();
        }
        break;
    case IDC_SAVE:
        OnSave();
        break;
    case IDC_LOAD:
        OnLoad();
        break;
    case IDC_FIRMUP:
        OnFirmUp();
        break;
    case IDC_MIN:
        ShowWindow(SW_MINIMIZE);
        break;
    case IDC_AUDIO:
        OnAudio();
        break;
    case IDC_MIKE:
        OnMike();
        break;
    default:
        break; // SelAudio: nothing
    }
    return TRUE;
}

BOOL CClientDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header != nullptr && header->code == TTN_NEEDTEXT) {
        auto* tip = reinterpret_cast<TOOLTIPTEXT*>(lParam);
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom));
        const CString text = TooltipText(UINT(id));
        std::memset(tip->szText, 0, sizeof tip->szText);
        std::strncpy(tip->szText, text, sizeof tip->szText - 1);
        tip->lpszText = tip->szText;
        if (pResult != nullptr) {
            *pResult = 0;
        }
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

// ---- layouts and channels

void CClientDlg::PlaybackNotification() {
    if (!m_pVideo) {
        return;
    }
    const DWORD mask = m_pVideo->GetVisibleChannelMask();
    if (m_pClient && m_pClient->Play().IsRemotePlay()) {
        const int mode = m_pClient->Play().GetPlayMode();
        if ((mode == kPlayStepBack || mode == kPlayStepForward) && mask != m_nLastVisibleMask) {
            m_pClient->Play().SetChannelChangePending();
            return;
        }
    }
    if (m_pLocalPlayer && m_pLocalPlayer->GetMode() == kPlayPause && mask != m_nLastVisibleMask) {
        m_pLocalPlayer->SetChannelChange(1);
        m_nLastVisibleMask = mask;
    }
}

void CClientDlg::SetSplitMode(int layout) {
    if (m_bDomeMenuActive.load()) {
        return;
    }
    if (m_pVideo) {
        m_pVideo->ClearReturnFlag();
        m_pVideo->ClearCompanionMask();
        m_pVideo->SelectLayout(layout);
        m_pVideo->SetSingleView(false);
        m_pVideo->StoreArrangeLayout(layout);
    }
    for (CSkinButton& b : m_btnSplit) {
        b.SetState(kButtonNormal);
    }
    // Live view goes on in the chosen layout: the recorder is only told which channels now show.
    if (m_pClient && m_pClient->IsLive() && m_pVideo) {
        m_pClient->Live().SendLiveMask(m_pVideo->GetVisibleChannelMask());
    }
    const int* slot = std::find(std::begin(kSplitLayouts), std::end(kSplitLayouts), layout);
    if (slot != std::end(kSplitLayouts)) {
        m_btnSplit[slot - std::begin(kSplitLayouts)].SetState(kButtonOn);
    }
    PlaybackNotification();
}

bool CClientDlg::SelectChannel(int channel, bool keepReturn) {
    if (m_bDomeMenuActive.load() || !m_pVideo) {
        return true;
    }
    if (!keepReturn) {
        m_pVideo->ClearReturnFlag();
    }
    m_pVideo->ShowSingleChannel(channel);
    PlaybackNotification();
    return true;
}

// ---- connection

void CClientDlg::OnConnect() {
    if (m_bRemovable) {
        return;
    }
    if (m_pClient) {
        Disconnect();
        return;
    }
    CConnectDlg dialog(this, m_settings.Location, Opacity(kOpacityConnect));
    const INT_PTR result = dialog.DoModal();
    EnableWindow(TRUE);
    if (result != IDOK || m_pClient) {
        return;
    }
    auto client = std::make_unique<CDvrClient>(
        DvrClientSeams{this, m_pVideo ? m_pVideo->View() : nullptr, m_pVideo ? m_pVideo->MediaFactory() : nullptr},
        m_clientTiming);
    client->Login().SetConnectParams(Bounded(dialog.m_strAddress, 127), DWORD(dialog.m_nPort),
                                     Bounded(dialog.m_strUserId, 15), Bounded(dialog.m_strPassword, 15));
    m_strConnectText = Bounded(dialog.m_strDescription, 259);
    SetClient(std::move(client));
    m_pClient->Connect();
}

void CClientDlg::Disconnect() {
    if (m_pClient) {
        CloseAllPtz();
        DestroyPlayClock();
        DestroyProgressPopup();
        m_pClient->Disconnect();
        SetClient(nullptr);
    }
    m_bDbInfoPending = false;
    m_btnLive.Enable(FALSE);
    m_btnLive.SetState(kButtonDisabled);
    m_btnMike.Enable(FALSE);
    m_btnRSearch.SetState(kButtonNormal);
    m_btnRSetup.SetState(kButtonNormal);
    // Without a recorder its recording state is unknown: the button looks as it does at start-up.
    m_btnPlay[IDC_RECORD - IDC_PLAY_FIRST].SetState(kButtonNormal);
}

void CClientDlg::OnLive() {
    if (m_pLocalPlayer || !m_pClient || m_pClient->Play().IsRemotePlay()) {
        return;
    }
    if (m_pClient->IsLive()) {
        m_pClient->Live().SendLiveStop();
    } else {
        m_pClient->Live().SendLiveReq();
    }
}

void CClientDlg::OnAudio() {
    if (!m_pClient || (!m_pClient->IsLive() && !m_pClient->Play().IsRemotePlay())) {
        return;
    }
    if (m_pClient->IsAudioOut()) {
        m_pClient->Commands().SendAudioOff();
    } else {
        m_pClient->Commands().SendAudioOn();
    }
}

void CClientDlg::OnSound() {
    m_bMute = m_bMute ? 0 : 1;
    if (m_bMute) {
        m_sliderVolume.Enable(FALSE);
        m_sliderVolume.Invalidate(TRUE);
        m_btnSound.SetState(kButtonSecondOn);
    } else {
        m_sliderVolume.Enable(TRUE);
        m_sliderVolume.Invalidate(TRUE);
        m_btnSound.SetState(kButtonNormal);
    }
    if (m_pMixer) {
        m_pMixer->SetMute(m_bMute != 0);
    }
}

// ---- play bar

void CClientDlg::OnPlayBar(UINT id) {
    const int source = m_pVideo ? m_pVideo->GetPlaySource() : 0;
    if (source == 2) {
        if (!m_pClient || !m_pClient->Play().IsRemotePlay()) {
            return;
        }
        const int mode = m_pClient->Play().GetPlayMode();
        // Paused: after Pause (the next play command sends the start record) and after a step,
        // which leaves the recorder paused at the stepped picture with the Pause button lit.
        const bool paused = mode == kPlayPause || mode == kPlayStepBack || mode == kPlayStepForward ||
                            m_pClient->Play().GetStartState() == 1;
        const bool v12 = m_pClient->Login().IsVersion12();
        switch (id - IDC_PLAY_FIRST) {
        case 0:
            if (paused) {
                m_pClient->Play().PlayControl(kPlayStepBack);
            }
            break;
        case 1:
            if (v12 || mode == kPlayForward || paused) {
                m_pClient->Play().PlayControl(kPlayReverse);
            }
            break;
        case 2:
            if (mode == kPlayReverse || mode == kPlayForward || paused) {
                m_pClient->Play().PlayControl(kPlayForward);
            }
            break;
        case 3:
            if (!paused && (mode == kPlayReverse || mode == kPlayForward)) {
                m_pClient->Play().PlayControl(kPlayPause);
            }
            break;
        case 6:
            if (paused) {
                m_pClient->Play().PlayControl(kPlayStepForward);
            }
            break;
        default:
            break;
        }
        return;
    }
    if (source != 3 || !m_pLocalPlayer) {
        return;
    }
    const int mode = m_pLocalPlayer->GetMode();
    switch (id - IDC_PLAY_FIRST) {
    case 0:
        if (mode == kPlayPause) {
            m_pLocalPlayer->SetMode(kPlayStepBack);
        }
        break;
    case 1:
        m_pLocalPlayer->SetMode(kPlayReverse);
        break;
    case 2:
        m_pLocalPlayer->SetMode(kPlayForward);
        break;
    case 3:
        if (mode == kPlayReverse || mode == kPlayForward) {
            m_pLocalPlayer->SetMode(kPlayPause);
        }
        break;
    case 6:
        if (mode == kPlayPause) {
            m_pLocalPlayer->SetMode(kPlayStepForward);
        }
        break;
    default:
        break;
    }
}

void CClientDlg::StopLocalPlayer() {
    if (!m_pLocalPlayer) {
        return;
    }
    // Stop first, then end its window: the same order wherever the player is stopped.
    m_pLocalPlayer->Stop();
    m_publishedPlayer.store(nullptr);
    Sleep(100);
    m_pLocalPlayer->Close();
    Sleep(100);
    m_pLocalPlayer.reset();
    PublishSettings();
    Invalidate(TRUE);
}

void CClientDlg::OnPlayStop() {
    const int source = m_pVideo ? m_pVideo->GetPlaySource() : 0;
    if (source == 2) {
        if (m_pClient) {
            m_pClient->Play().SendPlayStop();
        }
        if (HasSearchToReturn()) {
            OnRSearch();
        }
        return;
    }
    if (source == 3) {
        StopLocalPlayer();
    }
}

void CClientDlg::OnRecord() {
    if (!IsConnected()) {
        return;
    }
    if (!m_pClient->Commands().IsRecording()) {
        m_pClient->Commands().SendRecOn();
        return;
    }
    if (!HasRight(kRightRecordOff)) {
        PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        return;
    }
    CPasswordDlg prompt(this, Opacity(kOpacityConnect));
    m_bPasswordOpen = true;
    const INT_PTR result = prompt.DoModal();
    m_bPasswordOpen = false;
    EnableWindow(TRUE);
    if (result != IDOK || !IsConnected()) {
        return;
    }
    if (!HasRight(kRightRecordOff)) {
        PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        return;
    }
    // The recorder compares passwords without regard to case, and so does this check.
    if (m_pClient->Setup().CheckLoginPassword(prompt.m_strPassword)) {
        m_pClient->Commands().SendRecOff();
    }
}

// ---- PTZ

void CClientDlg::CloseAllPtz() {
    if (m_parts.closePtzDialogs) {
        m_parts.closePtzDialogs(*this);
    }
    if (m_pClient && m_pClient->Commands().IsPtzDialogOpen()) {
        m_pClient->Commands().ClosePtz();
    }
}

void CClientDlg::OpenPtz(int mode) {
    if (!m_pClient || !m_pClient->IsLive()) {
        return;
    }
    if (!HasRight(kRightPtz)) {
        CloseAllPtz();
        PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        return;
    }
    // The client knows whether the PTZ dialog is open and in which mode, whoever closed it last.
    if (m_pClient->Commands().GetPtzMode() == mode) {
        CloseAllPtz();
        return;
    }
    // The pad registers its window before the request goes out: the recorder's answer is posted to it.
    if (m_parts.showPtzDialog) {
        m_parts.showPtzDialog(*this, mode);
    }
    m_pClient->Commands().ShowPtzDlg(mode, -1);
}

void CClientDlg::OnPan() {
    OpenPtz(0);
}

void CClientDlg::OnZoom() {
    OpenPtz(1);
}

void CClientDlg::OnPtzMove(WPARAM pressed, LPARAM direction) {
    if (!m_pClient || !m_pClient->IsLive() || !m_pClient->Commands().IsPtzDialogOpen()) {
        return;
    }
    if (direction >= 0 && direction <= 3) {
        m_pClient->Commands().SendPtzMove(pressed != 0, int(direction));
    } else if ((direction == 4 || direction == 5) && m_parts.ptzKeypadButton) {
        m_parts.ptzKeypadButton(*this, pressed, direction);
    }
}

// ---- the frames of the other subsystems

bool CClientDlg::AnyFrameOpen() const {
    return m_bRemoteSearchOpen || m_bSetupFrameOpen || m_bLocalSearchOpen || m_bLocalSetupOpen || m_bFileDialogOpen ||
           m_bPreviewOpen || m_bPasswordOpen;
}

void CClientDlg::OnRSearch() {
    if (!IsConnected()) {
        return;
    }
    const bool playback = HasRight(kRightPlayback);
    const bool backup = HasRight(kRightBackup);
    if (!playback && !backup) {
        PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        return;
    }
    if (!playback && m_pClient->Backup().IsBackup()) {
        return;
    }
    if (m_bRemoteSearchOpen || !m_parts.runRemoteSearch) {
        return;
    }
    m_bRemoteSearchOpen = true;
    m_parts.runRemoteSearch(*this, Opacity(kOpacityRemoteSearch));
    m_bRemoteSearchOpen = false;
    // Replies that arrive later find no frame.
    SetSearchFrame(nullptr, nullptr);
    EnableWindow(TRUE);
}

void CClientDlg::OnRSetup() {
    if (!IsConnected() || !HasRight(kRightSetup)) {
        PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        return;
    }
    // One request at a time: a second answer must never land under an open setup frame.
    if (m_bDbInfoPending || m_bSetupFrameOpen) {
        return;
    }
    m_bDbInfoPending = true;
    m_pClient->Setup().SendDbInfoReq();
}

void CClientDlg::OnSetupDbReady() {
    m_bDbInfoPending = false;
    if (!IsConnected() || m_bSetupFrameOpen) {
        return;
    }
    if (!m_pClient->Setup().TakeReceivedSetupDatabase(m_setupDb) || !m_parts.runSetup) {
        return;
    }
    // The frame edits a working copy in host order; the main window's copy stays as the recorder
    // sends it, and takes the edits only when OK gave them back in that order.
    auto work = std::make_unique<SetupDatabase>(m_setupDb);
    m_bSetupFrameOpen = true;
    const INT_PTR result = m_parts.runSetup(*this, *work, Opacity(kOpacitySetupFrame));
    m_bSetupFrameOpen = false;
    SetClientWindow(ClientWindow::SetupFrame, nullptr);
    SetClientWindow(ClientWindow::SetupPage, nullptr);
    EnableWindow(TRUE);
    if (result != IDOK) {
        return;
    }
    m_setupDb = *work;
    // The frame's loop may have ended the connection: look again.
    if (IsConnected()) {
        m_pClient->Setup().SendDbUpdate(m_setupDb);
    }
}

void CClientDlg::OnLocalSearch() {
    if (m_pLocalPlayer) {
        return;
    }
    m_btnLSearch.SetState(kButtonOn);
    if (m_parts.runLocalSearch) {
        m_bLocalSearchOpen = true;
        m_parts.runLocalSearch(*this, Opacity(kOpacityLocalSearch));
        m_bLocalSearchOpen = false;
    }
    EnableWindow(TRUE);
    m_btnLSearch.SetState(kButtonNormal);
}

void CClientDlg::OnLocalSetup() {
    m_btnLSetup.SetState(kButtonOn);
    INT_PTR result = IDCANCEL;
    if (m_parts.runLocalSetup) {
        m_bLocalSetupOpen = true;
        result = m_parts.runLocalSetup(*this, m_edit, m_webEdit, Opacity(kOpacityLocalSetup));
        m_bLocalSetupOpen = false;
    }
    EnableWindow(TRUE);
    if (result == IDOK) {
        ApplyLocalSetup();
    } else {
        m_settings.FillEdit(m_edit, m_webEdit, m_bRemovable != 0);
    }
    m_btnLSetup.SetState(kButtonNormal);
}

void CClientDlg::ApplyLocalSetup() {
    if (m_edit.DrawMode != m_settings.DrawMode) {
        // The video window switches its drawing in place: the connection's decoders and the local
        // player keep drawing into it, so it must not be replaced under them.
        m_settings.DrawMode = m_edit.DrawMode;
        if (m_pVideo && m_settings.DrawMode <= 1) {
            m_pVideo->SetDrawMode(int(m_settings.DrawMode));
            m_pVideo->Repaint(true);
        }
    }
    m_settings.TakeEdit(m_edit, m_bRemovable != 0);
    if (!m_bRemovable) {
        m_settings.SaveLocalSetup();
    }
    m_settings.TakeWebEdit(m_webEdit);
    m_settings.SaveWebSetup();
    PublishSettings();
    if (!m_bRemovable) {
        CreateDirectories(JoinPath(MapWindowsPath(m_settings.Location), "Upgrade").c_str());
        WriteLocalLog(CLocalLog::kRecordSize, 8, 1, 0, nullptr, nullptr);
    }
    Invalidate(TRUE);
}

void CClientDlg::OnSave() {
    if (!m_pVideo || m_pVideo->GetPlaySource() == 0) {
        return;
    }
    m_bSaveFailureTold = false;
    m_pVideo->RequestSnapshots();
    SetTimer(kSaveReapTimer, kSaveReapPeriodMs);
    m_btnSave.Enable(FALSE);
    WriteLocalLog(CLocalLog::kRecordSize, 8, 2, 0, nullptr, nullptr);
}

void CClientDlg::OnLoad() {
    const std::string saved = JoinPath(MapWindowsPath(m_settings.Location), "Saved") + "/";
    CPreviewFileDlg files(this, saved.c_str());
    m_bFileDialogOpen = true;
    const INT_PTR result = files.DoModal();
    m_bFileDialogOpen = false;
    EnableWindow(TRUE);
    if (result == IDOK) {
        CImagePreviewDlg preview(this);
        preview.m_strPath = files.GetPathName();
        m_bPreviewOpen = true;
        preview.DoModal();
        m_bPreviewOpen = false;
        EnableWindow(TRUE);
    }
    Invalidate(TRUE);
}

void CClientDlg::OnFirmUp() {
    if (!IsConnected()) {
        return;
    }
    if (m_pClient->Login().GetHello().account != 0) {
        PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        return;
    }
    if (m_pFirmware || !m_parts.createFirmwareUpgrade) {
        return;
    }
    m_pFirmware = m_parts.createFirmwareUpgrade(*this, Opacity(kOpacityFirmware));
    if (!m_pFirmware) {
        return;
    }
    const int found = m_pFirmware->ScanUpgradeFolder();
    PostNotice(found > 0 ? kNoticeFirmwareFound : kNoticeNoFirmwareFound, ClientWindow::MainWindow);
}

void CClientDlg::OnFull() {
    if (!m_pVideo || m_pVideo->IsFullScreen()) {
        return;
    }
    MONITORINFOEX table[4] = {};
    m_pVideo->GetMonitorTable(table);
    CRect client;
    GetClientRect(&client);
    CPoint centre(client.left + client.Width() / 2, client.top + client.Height() / 2);
    ClientToScreen(&centre);
    int chosen = -1;
    for (int i = 0; i < 4 && chosen < 0; ++i) {
        if (table[i].cbSize != 0 && ::PtInRect(&table[i].rcWork, centre)) {
            chosen = i;
        }
    }
    if (chosen < 0) {
        // No work area holds the centre: the nearest monitor, else the first.
        long best = -1;
        for (int i = 0; i < 4; ++i) {
            if (table[i].cbSize == 0) {
                continue;
            }
            const RECT& w = table[i].rcWork;
            const long dx = centre.x < w.left ? w.left - centre.x : (centre.x >= w.right ? centre.x - w.right + 1 : 0);
            const long dy = centre.y < w.top ? w.top - centre.y : (centre.y >= w.bottom ? centre.y - w.bottom + 1 : 0);
            const long distance = dx * dx + dy * dy;
            if (best < 0 || distance < best) {
                best = distance;
                chosen = i;
            }
        }
    }
    m_pVideo->SetSingleView(false);
    m_pVideo->EnterFullScreen(chosen < 0 ? 0 : chosen);
}

// ---- quitting

void CClientDlg::StopEverything() {
    if (m_bQuitDone) {
        return;
    }
    m_bQuitDone = true;
    StopLocalPlayer();
    if (m_pClient) {
        // Live view asked for and not answered yet is stopped too: the recorder would start it for
        // a client that is going.
        if (m_pClient->IsLive() || m_pClient->Live().IsLiveAsked()) {
            m_pClient->Live().SendLiveStop();
            Sleep(100);
        }
        if (m_pClient->Play().IsRemotePlay()) {
            m_pClient->Play().SendPlayStop();
            Sleep(100);
        }
        if (m_pClient->Backup().IsBackup()) {
            m_pClient->Backup().SendTransOff();
            Sleep(100);
        }
        if (m_pClient->Commands().IsListening()) {
            m_pClient->Commands().SendAListenStop();
            Sleep(100);
        }
        Disconnect();
    }
    // Still images may be drawing with the video window's context: they finish first.
    ReapSaveThreads(true);
    KillTimer(kSaveReapTimer);
    if (m_pVideo) {
        m_pVideo->Destroy();
        m_pVideo.reset();
        Sleep(100);
    }
    m_h264.Free();
}

void CClientDlg::OnQuit() {
    m_bQuitting = true;
    // A dialog or frame open over the main window runs its loop inside the main window's: each is
    // cancelled first, and the quit runs again once they are gone, so nothing they use is stopped
    // under them and the main window's own loop can end. The number of rounds is bounded in case a
    // dialog refuses to end.
    constexpr int kQuitRounds = 50;
    if (m_nQuitRounds < kQuitRounds && CWnd::EndModalLoopsInside(this, IDCANCEL) > 0) {
        ++m_nQuitRounds;
        PostMessage(WM_KELO_QUIT_REQUEST);
        return;
    }
    StopEverything();
    EndDialog(IDOK);
}
