#include "app/ClientDlg.h"

#include "app/LocalLog.h"
#include "app/MsgBoxDlg.h"
#include "app/OsVersion.h"
#include "app/ProgressPopupDlg.h"
#include "app/RemovableMedia.h"
#include "app/StillImageSaver.h"
#include "controls/KeyPolicy.h"
#include "media/MixerVolume.h"
#include "platform/base/Clock.h"
#include "platform/base/FileSystem.h"
#include "platform/base/WindowsPath.h"
#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Icon.h"
#include "platform/window/MessageBox.h"
#include "platform/window/MessagePump.h"
#include "platform/window/Monitors.h"
#include "platform/window/WndHost.h"
#include "protocol/ClientMessages.h"
#include "protocol/ReasonCodes.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/IconIds.h"
#include "res/PlayModes.h"
#include "res/ResStrings.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

namespace {

constexpr DWORD kButton = WS_VISIBLE | BS_OWNERDRAW;
// The screenshot hook's wait after login when KELO_TEST_SCREENSHOT_DELAY_MS is not set.
constexpr ULONGLONG kScreenshotDelayMs = 1500;
// A second listen request within this time of the last one is not sent.
constexpr ULONGLONG kListenRequestGapMs = 2000;

// The template: every control at its place; the skin sets each again when it loads.
std::vector<DialogItem> MakeItems() {
    std::vector<DialogItem> items;
    for (UINT i = 0; i < 16; ++i) {
        items.push_back({IDC_CHANNEL_FIRST + i, "BUTTON", 53 + 20 * int(i), 5, 18, 16, BS_OWNERDRAW});
    }
    for (UINT i = 0; i < 9; ++i) {
        items.push_back({IDC_SPLIT_FIRST + i, "BUTTON", 872, 73 + 34 * int(i), 34, 34, kButton});
    }
    for (UINT i = 0; i < 7; ++i) {
        items.push_back({IDC_PLAY_FIRST + i, "BUTTON", 264 + 50 * int(i), 649, 50, 32, kButton});
    }
    const UINT buttons[] = {IDC_PAN,  IDC_ZOOM, IDC_CONNECT, IDC_RSEARCH, IDC_RSETUP,   IDC_LSEARCH, IDC_LSETUP,
                            IDC_QUIT, IDC_OSD,  IDC_ARRANGE, IDC_SOUND,   IDC_SELAUDIO, IDC_MIKE,    IDC_MIN,
                            IDC_SAVE, IDC_LOAD, IDC_AUDIO,   IDC_LIVE,    IDC_FIRMUP,   IDC_FULL};
    for (UINT id : buttons) {
        items.push_back({id, "BUTTON", 0, 0, 34, 34, kButton});
    }
    items.push_back({IDC_VOLUME, "STATIC", 747, 647, 69, 16, WS_VISIBLE | SS_NOTIFY});
    items.push_back({IDC_SEEK, "STATIC", 264, 632, 400, 12, SS_NOTIFY});
    return items;
}

const std::vector<DialogItem>& Items() {
    static const std::vector<DialogItem> items = MakeItems();
    return items;
}

const DialogTemplate& Template() {
    static const DialogTemplate t{.id = CClientDlg::IDD,
                                  .cx = CClientDlg::kWidth,
                                  .cy = CClientDlg::kHeight,
                                  .style = WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU,
                                  .items = Items(),
                                  .caption = "H264"};
    return t;
}
const DialogTemplateRegistration kRegistered(Template());

bool WaveOutPresent() {
    int card = -1;
    return snd_card_next(&card) == 0 && card >= 0;
}

} // namespace

CClientDlg::CClientDlg(MainWindowParts parts, CWnd* pParent) : CDialog(IDD, pParent), m_parts(std::move(parts)) {
    // Defaults, then the start-up file.
    CStartupFile::ReadFirstFound(m_startup);
    m_zone = ZoneOffset::FromSeconds(ComputeStandardZoneOffset(std::time(nullptr)));
    m_bRegionPending = 1;
    m_settings.Location = DefaultSaveLocation(m_startup.folderName).c_str();
}

CClientDlg::~CClientDlg() {
    // The threads that read this window's state end while all of it still exists.
    if (m_pClock) {
        m_pClock->DestroyWindow();
    }
    if (m_pPlayClock) {
        m_pPlayClock->DestroyWindow();
    }
    if (m_pClient) {
        m_pClient->Disconnect();
        SetClient(nullptr);
    }
    ReapSaveThreads(true);
}

void CClientDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 16; ++i) {
        DDX_Control(pDX, int(IDC_CHANNEL_FIRST) + i, m_btnChannel[i]);
    }
    for (int i = 0; i < 9; ++i) {
        DDX_Control(pDX, int(IDC_SPLIT_FIRST) + i, m_btnSplit[i]);
    }
    for (int i = 0; i < 7; ++i) {
        DDX_Control(pDX, int(IDC_PLAY_FIRST) + i, m_btnPlay[i]);
    }
    DDX_Control(pDX, IDC_PAN, m_btnPan);
    DDX_Control(pDX, IDC_ZOOM, m_btnZoom);
    DDX_Control(pDX, IDC_CONNECT, m_btnConnect);
    DDX_Control(pDX, IDC_RSEARCH, m_btnRSearch);
    DDX_Control(pDX, IDC_RSETUP, m_btnRSetup);
    DDX_Control(pDX, IDC_LSEARCH, m_btnLSearch);
    DDX_Control(pDX, IDC_LSETUP, m_btnLSetup);
    DDX_Control(pDX, IDC_QUIT, m_btnQuit);
    DDX_Control(pDX, IDC_OSD, m_btnOsd);
    DDX_Control(pDX, IDC_ARRANGE, m_btnArrange);
    DDX_Control(pDX, IDC_SOUND, m_btnSound);
    DDX_Control(pDX, IDC_SELAUDIO, m_btnSelAudio);
    DDX_Control(pDX, IDC_MIKE, m_btnMike);
    DDX_Control(pDX, IDC_MIN, m_btnMin);
    DDX_Control(pDX, IDC_VOLUME, m_sliderVolume);
    DDX_Control(pDX, IDC_SEEK, m_sliderSeek);
    DDX_Control(pDX, IDC_SAVE, m_btnSave);
    DDX_Control(pDX, IDC_LOAD, m_btnLoad);
    DDX_Control(pDX, IDC_AUDIO, m_btnAudio);
    DDX_Control(pDX, IDC_LIVE, m_btnLive);
    DDX_Control(pDX, IDC_FIRMUP, m_btnFirmUp);
    DDX_Control(pDX, IDC_FULL, m_btnFull);
}

BOOL CClientDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bRemovable = CRemovableMedia::IsProgramOnRemovableMedia() ? 1 : 0;
    ShowWindow(SW_HIDE);
    Init();
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    ShowWindow(SW_SHOW);
    m_btnMin.LoadBitmap(IDB_MINIMISE_MAIN_WINDOW);
    m_btnMin.MoveWindow(870, 34, 18, 17);
    if (const char* shot = std::getenv("KELO_TEST_SCREENSHOT"); shot != nullptr && *shot != '\0') {
        SetTimer(kScreenshotTimer, 100);
    }
    OnConnect();
    return TRUE;
}

void CClientDlg::Init() {
    m_screenSaver.Inhibit("KELO1000", "Watching recorder video");
    m_bWaveOut = WaveOutPresent() ? 1 : 0;
    m_h264.Load();
    m_resLibrary.Load();
    CResLibrary::SetCurrent(&m_resLibrary);
    // The icon lives in the resource library, so the window takes it once the library is there.
    m_hIcon = CreateIconFromImages(m_resLibrary.LoadIcon(IDI_MAINFRAME));
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_pMixer = std::make_unique<CMixerVolume>();
    m_nMixerVolume = m_pMixer->GetVolume();
    m_bMixerMute = m_pMixer->GetMute() ? 1 : 0;
    m_pMixer->SetMute(false);
    m_bMute = 0;

    LoadSkin();
    PlaceControls();
    m_pMixer->SetVolume(m_nVolume);
    CreateChildren();
    WriteLocalLog(CLocalLog::kRecordSize, 1, 1, 0, nullptr, nullptr);
    SetWindowText(m_startup.caption);
    PostMessage(WM_KELO_STARTUP_DONE);
}

void CClientDlg::CreateVideoWindow() {
    if (m_pVideo) {
        if (CWnd* wnd = m_pVideo->GetWnd()) {
            wnd->SetFocus();
        }
        return;
    }
    if (!m_parts.createVideoWindow) {
        return;
    }
    m_pVideo = m_parts.createVideoWindow();
    if (m_pVideo && !m_pVideo->Create(*this)) {
        m_pVideo.reset();
    }
}

void CClientDlg::EnumerateMonitors() {
    std::memset(m_monitors, 0, sizeof m_monitors);
    struct Fill {
        MONITORINFOEX* table;
        int count;
    } fill{m_monitors, 0};
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            auto* f = reinterpret_cast<Fill*>(data);
            if (f->count >= 4) {
                return FALSE; // a fifth monitor and later ones are not used
            }
            MONITORINFOEX& info = f->table[f->count];
            info.cbSize = sizeof info;
            if (GetMonitorInfo(monitor, reinterpret_cast<LPMONITORINFO>(&info))) {
                ++f->count;
            } else {
                std::memset(&info, 0, sizeof info);
            }
            return TRUE;
        },
        LPARAM(&fill));
    if (m_pVideo) {
        m_pVideo->SetMonitorTable(m_monitors);
    }
}

void CClientDlg::LoadLocalSetup() {
    m_settings.LoadLocalSetup(m_startup);
}

void CClientDlg::LoadWebSetup() {
    m_settings.LoadWebSetup();
}

void CClientDlg::PublishSettings() {
    {
        std::lock_guard<std::mutex> lock(m_sharedLock);
        m_sharedLocation = m_settings.Location;
        m_sharedRemovable = m_bRemovable;
    }
    m_publishedDateFormat.store(m_settings.DateFormat);
    m_publishedSaveFormat.store(m_settings.SaveFormat);
    m_bLocalPlayerActive.store(m_pLocalPlayer != nullptr);
    {
        WebExportSettings web;
        web.active = m_settings.WebActivate == 1;
        web.location = std::string(MapWindowsPath(m_settings.WebLocation));
        web.width = int(m_settings.WebWidthWeb);
        web.height = int(m_settings.WebHeightWeb);
        web.interval = int(m_settings.WebInterval);
        WebSnapshotSettings snapshots;
        snapshots.location = web.location.string();
        snapshots.widthJpg = int(m_settings.WebWidthJpg);
        snapshots.heightJpg = int(m_settings.WebHeightJpg);
        snapshots.widthWeb = int(m_settings.WebWidthWeb);
        std::lock_guard<std::mutex> lock(m_webLock);
        const bool changed = snapshots.location != m_webSnapshotSettings.location ||
                             snapshots.widthJpg != m_webSnapshotSettings.widthJpg ||
                             snapshots.heightJpg != m_webSnapshotSettings.heightJpg ||
                             snapshots.widthWeb != m_webSnapshotSettings.widthWeb;
        m_publishedWeb = web;
        m_webSnapshotSettings = snapshots;
        if (changed) {
            for (auto& writer : m_webWriters) {
                if (writer) {
                    writer->DestroyWindow();
                    writer.reset();
                }
            }
        }
    }
    if (m_pClient) {
        m_pClient->Media().SetAudioBuffers(m_settings.AudioBufferBlocks(0), m_settings.AudioBufferBlocks(1));
        WebExportSettings web;
        web.active = m_settings.WebActivate == 1;
        web.location = std::string(MapWindowsPath(m_settings.WebLocation));
        web.width = int(m_settings.WebWidthWeb);
        web.height = int(m_settings.WebHeightWeb);
        web.interval = int(m_settings.WebInterval);
        m_pClient->Live().SetWebExport(web);
        m_pClient->Backup().SetSaveLocation(MapWindowsPath(m_settings.Location));
        m_pClient->Live().SetLocalPlayerActive(m_pLocalPlayer != nullptr);
    }
}

void CClientDlg::CreateChildren() {
    CreateVideoWindow();
    EnumerateMonitors();
    LoadLocalSetup();
    m_settings.FillEdit(m_edit, m_webEdit, m_bRemovable != 0);
    LoadWebSetup();
    m_settings.FillEdit(m_edit, m_webEdit, m_bRemovable != 0);
    PublishSettings();
    if (!m_bRemovable) {
        CreateDirectories(JoinPath(MapWindowsPath(m_settings.Location), "Upgrade").c_str());
    }
    if (m_pVideo && m_settings.DrawMode <= 1) {
        m_pVideo->SetDrawMode(int(m_settings.DrawMode));
    }
    if (m_pVideo) {
        m_pVideo->SelectLayout(14);
        m_pVideo->StoreArrangeLayout(14);
    }
    m_btnSplit[8].SetState(kButtonOn);
    m_btnLive.Enable(FALSE);
    m_btnLive.SetState(kButtonDisabled);
    m_btnRSearch.SetState(kButtonNormal);
    m_btnRSetup.SetState(kButtonNormal);
    GetModuleVersion(CRemovableMedia::ProgramPath().c_str(), m_fileVersion);
    m_pClock = std::make_unique<CDigitClockWnd>(
        this, 0, [this] { return m_publishedDateFormat.load(); },
        [this](LONG* time) {
            std::lock_guard<std::mutex> lock(m_clientLock);
            // Until the recorder has sent a time the computer's is shown, never a time of 0.
            if (!m_pClient || !m_pClient->IsLive() || m_pClient->Live().GetLiveClock() == 0) {
                return false;
            }
            *time = LONG(m_pClient->Live().GetLiveClock());
            return true;
        });
    ReapSaveThreads(true);
    m_nAudioChannel = -1;
}

BOOL CClientDlg::DestroyWindow() {
    // However the run ended, everything has stopped before the program's end is logged.
    StopEverything();
    if (m_pClock) {
        m_pClock->DestroyWindow();
        m_pClock.reset();
    }
    DestroyPlayClock();
    m_bmLogo.DeleteObject();
    WriteLocalLog(CLocalLog::kRecordSize, 1, 2, 0, nullptr, nullptr);
    if (m_pMixer) {
        if (m_nMixerVolume >= 0) {
            m_pMixer->SetVolume(DWORD(m_nMixerVolume));
        }
        m_pMixer->SetMute(m_bMixerMute != 0);
        m_pMixer.reset();
    }
    m_screenSaver.Release();
    {
        std::lock_guard<std::mutex> lock(m_webLock);
        for (auto& writer : m_webWriters) {
            if (writer) {
                writer->DestroyWindow();
                writer.reset();
            }
        }
    }
    const BOOL destroyed = CDialog::DestroyWindow();
    // The libraries go last: the windows still drew from them while they were destroyed.
    CResLibrary::SetCurrent(nullptr);
    m_resLibrary.Free();
    DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
    if (!m_pVideo) {
        m_h264.Free();
    }
    return destroyed;
}

BOOL CClientDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kMainWindow, pMsg);
}

void CClientDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    switch (nID & 0xFFF0) {
    case SC_SCREENSAVE:
    case SC_MONITORPOWER:
    case SC_CLOSE:
        return;
    default:
        CDialog::OnSysCommand(nID, lParam);
    }
}

LRESULT CClientDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        return 0; // only Quit ends the program
    case WM_SLIDER_DOWN:
    case WM_SLIDER_MOVE:
    case WM_SLIDER_UP:
        OnSliderMessage(message, wParam, lParam);
        return 0;
    case WM_KELO_NOTICE:
        ShowNotice(reinterpret_cast<HWND>(wParam), HIWORD(DWORD(lParam)), LOWORD(DWORD(lParam)));
        return 0;
    case WM_KELO_SETUP_READY:
        OnSetupDbReady();
        return 0;
    case WM_KELO_PTZ_MOVE:
        OnPtzMove(wParam, lParam);
        return 0;
    case WM_KELO_PTZ_RIGHT_LOST:
        // As the Pan or Zoom button without the right: the whole PTZ set closes.
        if (wParam == 0) {
            OnPan();
        } else {
            OnZoom();
        }
        return 0;
    case WM_KELO_PTZ_KEYPAD:
        if (m_pClient) {
            m_pClient->Commands().SendPtzPreset(int(wParam), int(lParam));
        }
        return 0;
    case WM_KELO_MIKE_START:
        OnMikeStart();
        return 0;
    case WM_KELO_MIKE_STOP:
        OnMikeStop();
        return 0;
    case WM_KELO_BACKUP_CREATE:
        OnBackupCreate(wParam);
        return 0;
    case WM_KELO_BACKUP_PROGRESS:
        if (m_pClient && m_pProgress) {
            m_pProgress->m_progress.SetPos(int(wParam));
        }
        return 0;
    case WM_KELO_BACKUP_CLOSE:
        DestroyProgressPopup();
        return 0;
    case WM_KELO_PLAY_STARTED:
        // The strip under the play bar shows only while playback runs.
        InvalidatePlayStrip();
        OnPlayStarted();
        return 0;
    case WM_KELO_STARTUP_DONE:
        if (m_bRemovable) {
            OnLocalSearch();
        }
        return 0;
    case WM_KELO_CONNECT_FAILED:
        // The connect thread has ended its attempt; Disconnect waits for it before the client goes.
        Disconnect();
        ShowNotice(GetSafeHwnd(), HIWORD(DWORD(lParam)), LOWORD(DWORD(lParam)));
        return 0;
    case WM_KELO_WRONG_PRODUCT:
        OnWrongProduct();
        return 0;
    case WM_KELO_SAVER_ADDED:
        if (GetTimerInterval(kSaveReapTimer) == 0) {
            SetTimer(kSaveReapTimer, kSaveReapPeriodMs);
        }
        return 0;
    case WM_KELO_QUIT_REQUEST:
        OnQuit();
        return 0;
    case WM_KELO_DECODER_ERROR:
        ::MessageBox(GetSafeHwnd(), "H.264 Decoder Init Error !", "", MB_OK);
        return 0;
    case WM_CAPTURECHANGED:
        if (m_pVideo) {
            m_pVideo->Repaint(true);
        }
        break;
    default:
        break;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CClientDlg::OnEraseBkgnd(CDC* pDC) {
    if (pDC != nullptr) {
        PaintFace(pDC);
    }
    return TRUE;
}

void CClientDlg::OnScreenshotTimer() {
    if (!IsConnected()) {
        m_loggedInAt = 0;
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (m_loggedInAt == 0) {
        m_loggedInAt = now;
    }
    const char* delayText = std::getenv("KELO_TEST_SCREENSHOT_DELAY_MS");
    const ULONGLONG delay = delayText != nullptr ? std::strtoull(delayText, nullptr, 10) : kScreenshotDelayMs;
    if (now - m_loggedInAt < delay) {
        return;
    }
    KillTimer(kScreenshotTimer);
    if (CWndHost* host = GetHost()) {
        host->grab().save(QString::fromUtf8(std::getenv("KELO_TEST_SCREENSHOT")));
    }
    if (const char* quit = std::getenv("KELO_TEST_QUIT_AFTER_SCREENSHOT"); quit != nullptr && quit[0] == '1') {
        PostMessage(WM_KELO_QUIT_REQUEST);
    }
}

void CClientDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kScreenshotTimer) {
        OnScreenshotTimer();
        return;
    }
    if (nIDEvent != kSaveReapTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    ReapSaveThreads(false);
    if (PendingSaveThreads() == 0) {
        KillTimer(kSaveReapTimer);
        m_btnSave.Enable(TRUE);
    }
}

// ---- services

void CClientDlg::LoadResString(CString& out, UINT id) const {
    ::LoadResString(out, id);
}

void CClientDlg::LoadResStringPrefixed(CString& out, UINT id) const {
    ::LoadResStringPrefixed(out, id);
}

void CClientDlg::WriteLocalLog(DWORD, DWORD indexMain, DWORD indexSub, DWORD, const char* userId, const char* address) {
    CString location;
    BYTE removable = 0;
    {
        std::lock_guard<std::mutex> lock(m_sharedLock);
        location = m_sharedLocation.IsEmpty() ? m_settings.Location : m_sharedLocation;
        removable = m_sharedRemovable;
    }
    CLocalLog::Write(location, removable != 0, indexMain, indexSub, userId, address);
}

bool CClientDlg::GetDiskFreeText(DWORD* freeMByte, DWORD* totalMByte) const {
    return ::GetDiskFreeText(m_settings.Location, freeMByte, totalMByte);
}

DWORD CClientDlg::TimeToCTime(const int fields[6]) const {
    return ::TimeToCTime(m_zone, fields);
}

bool CClientDlg::IsConnected() const {
    return m_pClient && m_pClient->Login().IsConnected();
}

std::shared_ptr<CTcpConnection> CClientDlg::GetConnection() const {
    return m_pClient ? m_pClient->GetConnection() : nullptr;
}

bool CClientDlg::GetHello(HelloInfo& hello) const {
    if (!IsConnected()) {
        return false;
    }
    hello = m_pClient->Login().GetHello();
    return true;
}

int CClientDlg::GetPtzAvailability() const {
    return m_pClient ? m_pClient->Commands().GetPtzAvailability() : 0;
}

void CClientDlg::GetFileVersion(WORD version[4]) const {
    std::copy(std::begin(m_fileVersion), std::end(m_fileVersion), version);
}

void CClientDlg::SetClient(std::unique_ptr<CDvrClient> client) {
    if (m_pVideo) {
        m_pVideo->SetClient(nullptr);
    }
    std::unique_ptr<CDvrClient> previous;
    {
        std::lock_guard<std::mutex> lock(m_clientLock);
        previous = std::move(m_pClient);
        m_pClient = std::move(client);
    }
    previous.reset();
    if (m_pVideo) {
        m_pVideo->SetClient(m_pClient.get());
    }
    if (m_pClient) {
        // Audio from the recorder is played, and listening may be asked for.
        m_pClient->Commands().SetListenSwitch(true);
    }
    // What the search frame kept belongs to the connection that ended or to none.
    m_archiveResume.ClearRecord();
    m_archiveResume.FreeCopies();
    PublishSettings();
}

bool CClientDlg::HasRight(int right) const {
    return m_pClient && m_pClient->Setup().HasAccountRight(right);
}

int CClientDlg::GetChannelAudioState(int source, int channel) const {
    if (source == 1 || source == 2) {
        DWORD mask = 0;
        {
            std::lock_guard<std::mutex> lock(m_clientLock);
            if (!m_pClient) {
                return -1;
            }
            mask = m_pClient->Media().GetAudioChannelMask();
        }
        if (mask == 0 || channel < 0 || channel > 15 || (mask & (1u << channel)) == 0) {
            return 0;
        }
        return channel == m_nAudioChannel ? 2 : 0;
    }
    if (source == 3) {
        const ILocalPlayer* player = m_publishedPlayer.load();
        if (!m_bLocalPlayerActive.load() || player == nullptr) {
            return -1;
        }
        return player->GetChannelAudioState(channel);
    }
    return -1;
}

int CClientDlg::GetLocalSpeedStep() const {
    const ILocalPlayer* player = m_publishedPlayer.load();
    return m_bLocalPlayerActive.load() && player != nullptr ? player->GetSpeedStep() : 0;
}

const RECT* CClientDlg::GetVideoScreenRect(RECT* out) const {
    if (!m_pVideo || m_pVideo->GetWnd() == nullptr || out == nullptr) {
        return nullptr;
    }
    m_pVideo->GetWnd()->GetWindowRect(out);
    return out;
}

void CClientDlg::SetClientWindow(ClientWindow which, HWND hwnd) {
    std::lock_guard<std::mutex> lock(m_sharedLock);
    m_clientWindows[std::size_t(which)] = hwnd;
}

HWND CClientDlg::ClientWindowHandle(ClientWindow which) const {
    if (which == ClientWindow::MainWindow) {
        return GetSafeHwnd();
    }
    std::lock_guard<std::mutex> lock(m_sharedLock);
    return m_clientWindows[std::size_t(which)];
}

void CClientDlg::AddSaveThread(std::unique_ptr<IStillImageSaver> saver) {
    if (!saver) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(m_saverLock);
        m_savers.push_back(std::move(saver));
    }
    // The reaping timer runs on the UI thread; make sure it does.
    PostMessage(WM_KELO_SAVER_ADDED);
}

std::size_t CClientDlg::PendingSaveThreads() const {
    std::lock_guard<std::mutex> lock(m_saverLock);
    return m_savers.size();
}

void CClientDlg::ReapSaveThreads(bool all) {
    std::vector<std::unique_ptr<IStillImageSaver>> done;
    {
        std::lock_guard<std::mutex> lock(m_saverLock);
        for (auto it = m_savers.begin(); it != m_savers.end();) {
            if (all || (*it)->IsDone()) {
                done.push_back(std::move(*it));
                it = m_savers.erase(it);
            } else {
                ++it;
            }
        }
    }
    int error = 0;
    std::string folder;
    for (auto& saver : done) {
        saver->Join();
        if (error == 0 && saver->WriteError() != 0) {
            error = saver->WriteError();
            folder = saver->Folder();
        }
    }
    // One notice per Save, however many channels failed; none once the program is ending.
    if (error != 0 && !m_bSaveFailureTold && !m_bQuitDone) {
        m_bSaveFailureTold = true;
        PostLocalWriteFailure(error, folder);
    }
}

void CClientDlg::OnUiThread(std::function<void(CClientDlg&)> call) {
    if (CMessagePump::IsUiThread()) {
        call(*this);
        return;
    }
    CMessagePump::PostCall(GetSafeHwnd(), [call = std::move(call)](CWnd& wnd) {
        if (auto* main = dynamic_cast<CClientDlg*>(&wnd)) {
            call(*main);
        }
    });
}

// ---- IClientHost

void CClientDlg::PostNotice(LPARAM notice, ClientWindow over) {
    HWND parent = ClientWindowHandle(over);
    if (parent == nullptr || !::IsWindow(parent)) {
        parent = GetSafeHwnd();
    }
    PostMessage(WM_KELO_NOTICE, WPARAM(parent), notice);
}

void CClientDlg::PostToWindow(ClientWindow target, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = ClientWindowHandle(target);
    if (hwnd != nullptr) {
        ::PostMessage(hwnd, message, wParam, lParam);
    }
}

CSkinButton* CClientDlg::ButtonOf(ClientButton button, int index) {
    switch (button) {
    case ClientButton::Connect:
        return &m_btnConnect;
    case ClientButton::Live:
        return &m_btnLive;
    case ClientButton::Audio:
        return &m_btnAudio;
    case ClientButton::Record:
        return &m_btnPlay[IDC_RECORD - IDC_PLAY_FIRST];
    case ClientButton::Talk:
        return &m_btnMike;
    case ClientButton::Pan:
        return &m_btnPan;
    case ClientButton::Zoom:
        return &m_btnZoom;
    case ClientButton::Split:
        return index >= 0 && index < 9 ? &m_btnSplit[index] : nullptr;
    case ClientButton::PlayBar:
        return index >= 0 && index < 7 ? &m_btnPlay[index] : nullptr;
    }
    return nullptr;
}

void CClientDlg::SetButtonState(ClientButton button, int index, int state) {
    OnUiThread([button, index, state](CClientDlg& main) {
        if (CSkinButton* b = main.ButtonOf(button, index)) {
            b->SetState(state);
        }
    });
}

void CClientDlg::ReportEvent(ClientEvent event, int value) {
    OnUiThread([event, value](CClientDlg& main) { main.ShowClientEvent(event, value); });
}

void CClientDlg::RedrawPlayStrip() {
    OnUiThread([](CClientDlg& main) { main.InvalidatePlayStrip(); });
}

void CClientDlg::WriteLocalLog(int kind, int subKind, const char* text32, const char* text128) {
    WriteLocalLog(CLocalLog::kRecordSize, DWORD(kind), DWORD(subKind), 0, text32, text128);
}

void CClientDlg::PostConnectFailed(LPARAM notice) {
    PostMessage(WM_KELO_CONNECT_FAILED, 0, notice);
}

void CClientDlg::PostWrongProduct() {
    PostMessage(WM_KELO_WRONG_PRODUCT);
}

void CClientDlg::OnWrongProduct() {
    m_bProductBoxOpen = true;
    ::MessageBox(GetSafeHwnd(), "Not KELO1000 !", "", MB_OK);
    m_bProductBoxOpen = false;
    if (const std::optional<HeldNotice> held = std::exchange(m_heldNotice, std::nullopt)) {
        ShowNotice(held->parent, held->category, held->code);
    }
}

void CClientDlg::DeliverSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) {
    // The frame takes the reply on the UI thread, if it is still open then.
    OnUiThread([readyMessage, bytes = std::move(bytes), count](CClientDlg& main) mutable {
        if (main.m_pSearchSink != nullptr) {
            main.m_pSearchSink->OnSearchReply(readyMessage, std::move(bytes), count);
        }
    });
}

void CClientDlg::ClearSearchBusy() {
    OnUiThread([](CClientDlg& main) {
        if (main.m_pSearchSink != nullptr) {
            main.m_pSearchSink->OnSearchBusyCleared();
        }
    });
}

void CClientDlg::SetSearchFrame(ISearchReplySink* sink, HWND hwnd) {
    m_pSearchSink = sink;
    SetClientWindow(ClientWindow::SearchFrame, hwnd);
}

void CClientDlg::AdoptLocalPlayer(std::unique_ptr<ILocalPlayer> player) {
    if (!player) {
        return;
    }
    StopLocalPlayer();
    m_pLocalPlayer = std::move(player);
    m_publishedPlayer.store(m_pLocalPlayer.get());
    if (m_pVideo) {
        m_nLastVisibleMask = m_pVideo->GetVisibleChannelMask();
    }
    PublishSettings();
}

void CClientDlg::CreateLocalPlayClock() {
    DestroyPlayClock();
    m_localPlayClockTime.store(0);
    m_pPlayClock = std::make_unique<CDigitClockWnd>(
        this, 1, [this] { return m_publishedDateFormat.load(); },
        [this](LONG* time) {
            *time = LONG(m_localPlayClockTime.load());
            return true;
        });
    Invalidate(TRUE);
}

// ---- windows the main window owns

void CClientDlg::DestroyProgressPopup() {
    SetClientWindow(ClientWindow::BackupPopup, nullptr);
    if (!m_pProgress) {
        return;
    }
    m_pProgress->m_progress.DestroyWindow();
    m_pProgress->DestroyWindow();
    m_pProgress.reset();
}

void CClientDlg::DestroyPlayClock() {
    if (!m_pPlayClock) {
        return;
    }
    m_pPlayClock->DestroyWindow();
    m_pPlayClock.reset();
    for (const RECT& area : CClockFace::Areas(1)) {
        InvalidateRect(&area, TRUE);
    }
}

void CClientDlg::OnBackupCreate(WPARAM total) {
    if (!m_pClient) {
        return;
    }
    DestroyProgressPopup();
    m_pProgress = std::make_unique<CProgressPopupDlg>(this);
    m_pProgress->m_onStop = [this] {
        if (m_pClient) {
            m_pClient->Backup().SendTransOff();
        }
    };
    m_pProgress->m_videoRect = [this](RECT* out) { return GetVideoScreenRect(out) != nullptr; };
    if (!m_pProgress->Create(CProgressPopupDlg::IDD, this)) {
        m_pProgress.reset();
        return;
    }
    SetClientWindow(ClientWindow::BackupPopup, m_pProgress->GetSafeHwnd());
    m_pProgress->ShowWindow(SW_SHOW);
    m_pProgress->m_progress.SetRange(0, int(total));
    m_pProgress->m_progress.SetPos(0);
}

void CClientDlg::OnPlayStarted() {
    if (m_pPlayClock) {
        return;
    }
    m_pPlayClock = std::make_unique<CDigitClockWnd>(
        this, 1, [this] { return m_publishedDateFormat.load(); },
        [this](LONG* time) {
            std::lock_guard<std::mutex> lock(m_clientLock);
            if (!m_pClient) {
                return false;
            }
            *time = LONG(m_pClient->Play().GetPlayClock());
            return true;
        });
    Invalidate(TRUE);
}

void CClientDlg::OnMikeStart() {
    if (!m_pClient) {
        return;
    }
    // A second acceptance replaces the sender instead of starting another beside it.
    m_pClient->Commands().SetMikeSender(nullptr);
    if (m_parts.createMikeSender) {
        m_pClient->Commands().SetMikeSender(m_parts.createMikeSender(*this, m_pClient->GetConnection()));
    }
    m_pClient->Commands().SetListening(true);
    m_btnMike.SetState(kButtonOn);
}

// The two-way listening toggle (the Mike button): an account that may not listen is refused; a
// second request within 2 s is dropped.
void CClientDlg::OnMike() {
    if (!IsConnected()) {
        return;
    }
    if (m_pClient->Login().GetHello().account != 0) {
        PostNotice(kNoticeNotAllowed, ClientWindow::MainWindow);
        return;
    }
    if (m_pClient->Commands().IsListening()) {
        m_pClient->Commands().SendAListenStop();
        return;
    }
    const ULONGLONG now = GetTickCount64();
    if (m_lastListenRequest != 0 && now - m_lastListenRequest < kListenRequestGapMs) {
        return;
    }
    m_lastListenRequest = now;
    m_pClient->Commands().SendAListenReq();
}

void CClientDlg::OnMikeStop() {
    if (!m_pClient) {
        return;
    }
    m_pClient->Commands().SetMikeSender(nullptr);
    m_pClient->Commands().SetListening(false);
    m_btnMike.SetState(kButtonNormal);
}

void CClientDlg::OnSliderMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const UINT id = UINT(wParam);
    if (id == IDC_SEEK) {
        if (!m_pLocalPlayer) {
            return;
        }
        if (message == WM_SLIDER_DOWN) {
            m_pLocalPlayer->SetSeekState(1);
        } else if (message == WM_SLIDER_MOVE) {
            m_pLocalPlayer->SetSeekState(2);
        } else {
            m_pLocalPlayer->SetSeekState(3);
            m_pLocalPlayer->SetSeekTarget(m_pLocalPlayer->GetStartTime() + DWORD(lParam));
            if (m_pLocalPlayer->GetMode() == kPlayPause) {
                m_pLocalPlayer->SetMode(m_pLocalPlayer->GetPrevMode() == 5 ? kPlayStepForward : kPlayStepBack);
            }
        }
        return;
    }
    if (id == IDC_VOLUME && (message == WM_SLIDER_MOVE || message == WM_SLIDER_UP)) {
        m_sliderVolume.SetPos(int(lParam));
        m_nVolume = DWORD(lParam);
        if (m_pMixer) {
            m_pMixer->SetVolume(m_nVolume);
        }
    }
}

// ---- IVideoOwner

void CClientDlg::ShowSplitButton(int index) {
    for (int i = 0; i < 9; ++i) {
        m_btnSplit[i].SetState(i == index ? kButtonOn : kButtonNormal);
    }
}

void CClientDlg::RetargetPtz(int channel, bool) {
    if (m_pClient && m_pClient->Commands().GetPtzMode() >= 0) {
        m_pClient->Commands().SendPtzChannelReq(channel, m_pClient->Commands().GetPtzMode());
    }
}

bool CClientDlg::IsAudioListening() const {
    std::lock_guard<std::mutex> lock(m_clientLock);
    return m_pClient && m_pClient->IsAudioOut();
}

WebExportSettings CClientDlg::GetWebExport() const {
    std::lock_guard<std::mutex> lock(m_webLock);
    return m_publishedWeb;
}

void CClientDlg::PostDecoderInitError() {
    PostMessage(WM_KELO_DECODER_ERROR);
}

void CClientDlg::StartStillImage(StillImageRequest&& request) {
    std::string location;
    {
        std::lock_guard<std::mutex> lock(m_sharedLock);
        location = MapWindowsPath(m_sharedLocation);
    }
    AddSaveThread(std::make_unique<CStillImageSaver>(std::make_unique<CSaveImageThread>(location, std::move(request))));
}

void CClientDlg::PutWebSnapshot(WebSnapshotRequest&& request) {
    if (request.channel < 0 || request.channel >= 16) {
        return;
    }
    std::lock_guard<std::mutex> lock(m_webLock);
    if (!m_publishedWeb.active || m_webSnapshotSettings.location.empty()) {
        return;
    }
    auto& writer = m_webWriters[std::size_t(request.channel)];
    if (!writer) {
        writer = std::make_unique<CSnapshotWnd>(m_webSnapshotSettings);
    }
    writer->PutFrame(std::move(request));
}
