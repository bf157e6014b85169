#pragma once
// The main window: the skinned 928 x 698 face with every command button, the video window, the
// clock, the settings and the local log, and the one connection to a recorder. It is the client's
// host: the client's threads reach it only by posting.

#include "app/DigitClockWnd.h"
#include "app/LocalSettings.h"
#include "app/LocalSetupEdit.h"
#include "app/MainWindowSeams.h"
#include "app/ScreenSaverInhibitor.h"
#include "app/StartupFile.h"
#include "app/TimeServices.h"
#include "archive/ArchiveHost.h"
#include "controls/BitmapSlider.h"
#include "controls/SkinButton.h"
#include "controls/SkinHelper.h"
#include "decoder/H264Library.h"
#include "media/SnapshotWnd.h"
#include "media/VideoOwner.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "platform/window/ToolTipCtrl.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/IClientHost.h"
#include "protocol/SetupDatabase.h"
#include "res/DialogIds.h"
#include "res/ResLibrary.h"

#include <array>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

class CMixerVolume;
class CMsgBoxDlg;
class CProgressPopupDlg;

// The main window's skinned buttons that show the client's state. Split and play-bar buttons take
// an index (split 0-8, play bar 0-6).
enum class ClientButton { Connect, Live, Audio, Record, Talk, Pan, Zoom, Split, PlayBar };

// Timers of the main window.
constexpr UINT kSaveReapTimer = 0x5223;
constexpr UINT kSaveReapPeriodMs = 1000;  // how often finished still-image savers are collected
constexpr UINT kScreenshotTimer = 0x5270; // test hook (ClientApp.h)

// Control ids.
enum : UINT {
    IDC_CHANNEL_FIRST = 300,
    IDC_SPLIT_FIRST = 320,
    IDC_FULL = 329,
    IDC_PLAY_FIRST = 340,
    IDC_RECORD = 344,
    IDC_PLAY_STOP = 345,
    IDC_PAN = 355,
    IDC_ZOOM = 356,
    IDC_CONNECT = 360,
    IDC_RSEARCH = 361,
    IDC_RSETUP = 362,
    IDC_LSEARCH = 363,
    IDC_LSETUP = 364,
    IDC_QUIT = 365,
    IDC_SOUND = 366,
    IDC_SELAUDIO = 368,
    IDC_LIVE = 369,
    IDC_OSD = 370,
    IDC_ARRANGE = 371,
    IDC_SAVE = 372,
    IDC_LOAD = 373,
    IDC_FIRMUP = 374,
    IDC_MIKE = 376,
    IDC_MIN = 377,
    IDC_AUDIO = 378,
    IDC_SEEK = 420,
    IDC_VOLUME = 421,
};

class CClientDlg : public CDialog, public CSkinHelper, public IClientHost, public IVideoOwner {
public:
    static constexpr UINT IDD = IDD_CLIENT_DLG;
    static constexpr int kWidth = 928;
    static constexpr int kHeight = 698;
    static constexpr COLORREF kRegionKey = 0xAA6432;
    // The split buttons' layouts.
    static constexpr int kSplitLayouts[9] = {0, 1, 2, 3, 5, 6, 7, 13, 14};

    explicit CClientDlg(MainWindowParts parts = {}, CWnd* pParent = nullptr);
    ~CClientDlg() override;

    // ---- services
    void LoadResString(CString& out, UINT id) const;
    void LoadResStringPrefixed(CString& out, UINT id) const;
    // The local log (nothing from removable media); texts are copied bounded.
    void WriteLocalLog(DWORD size, DWORD indexMain, DWORD indexSub, DWORD param, const char* userId,
                       const char* address);
    bool GetDiskFreeText(DWORD* freeMByte, DWORD* totalMByte) const;
    DWORD TimeToCTime(const int fields[6]) const;
    const CString& GetLocation() const { return m_settings.Location; }
    BYTE Opacity(int kind) const { return m_settings.AppliedOpacity(kind); }
    // A window the client addresses (frames and dialogs register while they are open).
    void SetClientWindow(ClientWindow which, HWND hwnd);
    // A still-image save thread started by a decoder (any thread); reaped once done.
    void AddSaveThread(std::unique_ptr<IStillImageSaver> saver);
    std::size_t PendingSaveThreads() const;
    bool IsConnected() const;
    // Takes a client (UI thread); the previous one, if any, must be disconnected first.
    void SetClient(std::unique_ptr<CDvrClient> client);
    // The waits and deadlines of the connections Connect makes from now on (tests shorten them).
    void SetClientTiming(const DvrClientTiming& timing) { m_clientTiming = timing; }
    CMsgBoxDlg* GetNoticeBox() const { return m_pNoticeBox; }
    CProgressPopupDlg* GetProgressPopup() const { return m_pProgress.get(); }
    const RECT* GetVideoScreenRect(RECT* out) const;
    IVideoWindow* GetVideoWindow() const { return m_pVideo.get(); }
    int GetDateFormatSetting() const { return int(m_settings.DateFormat); }
    const LocalSetupEdit& GetAppliedSetup() const { return m_edit; }
    // Runs a call on the UI thread: at once there, queued from any other thread (dropped once the
    // window is gone).
    void OnUiThread(std::function<void(CClientDlg&)> call);

    // ---- what the adapters and the other subsystems read and change (UI thread unless said)
    // The connection of the moment (null when none). It changes only on the UI thread; other threads
    // read what they need of it under the client lock, inside the main window.
    CDvrClient* GetClient() const { return m_pClient.get(); }
    std::shared_ptr<CTcpConnection> GetConnection() const;
    // A copy of the recorder's hello reply while connected; false when not connected.
    bool GetHello(HelloInfo& hello) const;
    int GetPtzAvailability() const;
    // Set by the PTZ keypad while the dome's menu is open: split and channel buttons do nothing.
    void SetDomeMenuActive(bool active) { m_bDomeMenuActive.store(active); }
    // The program runs from removable media (no local log, no settings written).
    bool IsRemovable() const { return m_bRemovable != 0; }
    // A sound output device was found at start.
    bool HasWaveOut() const { return m_bWaveOut != 0; }
    void GetFileVersion(WORD version[4]) const;
    // The description typed in the connect dialog for this connection.
    CString GetConnectText() const { return m_strConnectText; }
    // Copies of the settings, the applied web setup and the setup record as the recorder sent it.
    CLocalSettings GetSettings() const { return m_settings; }
    WebSetupEdit GetAppliedWebSetup() const { return m_webEdit; }
    SetupDatabase GetSetupDatabase() const { return m_setupDb; }
    ILocalPlayer* GetLocalPlayer() const { return m_pLocalPlayer.get(); }
    // The local player starts: the visible-channel mask the main window remembered is forgotten.
    void ResetRememberedMask() { m_nLastVisibleMask = 0; }
    // The local player's audio-closed flag and its selected audio channel (-1 none); any thread.
    bool IsAudioClosed() const { return m_bAudioClosed.load() != 0; }
    void SetAudioClosed(bool closed) { m_bAudioClosed.store(closed ? 1 : 0); }
    void SetSelectedAudioChannel(int channel) { m_nAudioChannel.store(channel); }

    // ---- the archive's frames
    // What the remote search frame keeps between openings; emptied when a connection starts or ends.
    ArchiveResume& GetArchiveResume() { return m_archiveResume; }
    // The frame keeps a search to return to after playback ("nothing found" offers it again).
    bool HasSearchToReturn() const { return m_archiveResume.record.active != 0; }
    // The open search frame's reply sink and window (null, null when it closes). UI thread.
    void SetSearchFrame(ISearchReplySink* sink, HWND hwnd);
    // What the "no space for a backup" notice shows, in megabytes: the range's size, the free space
    // less the 100 kept spare, and the free space less the range (UI thread).
    void SetBackupSpaceFigures(LONG needed, LONG free, LONG margin) { m_backupSpace = {needed, free, margin}; }
    bool HasLocalPlayer() const { return m_pLocalPlayer != nullptr; }
    // The started local player becomes the play bar's (UI thread).
    void AdoptLocalPlayer(std::unique_ptr<ILocalPlayer> player);
    // The local player's play clock: made and destroyed on the UI thread, its time set from any.
    void CreateLocalPlayClock();
    void SetLocalPlayClockTime(DWORD time) { m_localPlayClockTime.store(time); }
    void DestroyPlayClock();
    // The face under the playback strip is painted again (UI thread).
    void InvalidatePlayStrip();
    // The face shows what the client reported: the one table of its events and their buttons (UI
    // thread).
    void ShowClientEvent(ClientEvent event, int value);
    void ShowPlayMode(int mode);
    // A button's face, and the playback strip drawn again, from any thread (queued to the UI thread).
    void SetButtonState(ClientButton button, int index, int state);
    void RedrawPlayStrip();

    // ---- commands
    void SetSplitMode(int layout);
    void OnConnect();
    void Disconnect();
    void OnLive();
    void OnAudio();
    void OnSound();
    void OnPlayBar(UINT id);
    void OnPlayStop();
    void OnRecord();
    void OnPan();
    void OnZoom();
    void OnRSearch();
    void OnRSetup();
    void OnSetupDbReady();
    void OnLocalSearch();
    void OnLocalSetup();
    void ApplyLocalSetup();
    void OnSave();
    void OnLoad();
    void OnFirmUp();
    void OnFull();
    void OnQuit();
    // Quit's stop-everything: local player, connection, save threads, video window.
    void StopEverything();
    // `folder`: what notices 17/0 and 17/1 name as the folder that could not be written.
    void ShowNotice(HWND parent, WORD category, WORD code, const CString& folder = CString());

    // ---- IClientHost
    void PostNotice(LPARAM notice, ClientWindow over) override;
    void PostToWindow(ClientWindow target, UINT message, WPARAM wParam, LPARAM lParam) override;
    void ReportEvent(ClientEvent event, int value) override;
    void WriteLocalLog(int kind, int subKind, const char* text32, const char* text128) override;
    void PostConnectFailed(LPARAM notice) override;
    void PostWrongProduct() override;
    void PostLocalWriteFailure(int error, const std::string& folder) override;
    void DeliverSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) override;
    void ClearSearchBusy() override;

    // ---- IVideoOwner (the video window and its decoders; "any thread" calls answer from published
    // state)
    bool IsMuted() const override { return m_bMute.load() != 0; }
    DWORD GetVolumeValue() const override { return m_nVolume.load(); }
    const CH264Library* GetDecoderLibrary() const override { return &m_h264; }
    void ShowSplitButton(int index) override;
    // The single-channel command (the channel buttons, and the video window's double click).
    bool SelectChannel(int channel, bool keepReturn) override;
    bool IsPtzMenuActive() const override { return m_bDomeMenuActive.load(); }
    void RetargetPtz(int channel, bool clearState) override;
    bool IsAudioListening() const override;
    int GetChannelAudioState(int source, int channel) const override;
    int GetLocalSpeedStep() const override;
    int GetDateFormat() const override { return int(m_publishedDateFormat.load()); }
    int GetSaveFormat() const override { return int(m_publishedSaveFormat.load()); }
    WebExportSettings GetWebExport() const override;
    void PostDecoderInitError() override;
    void StartStillImage(StillImageRequest&& request) override;
    void PutWebSnapshot(WebSnapshotRequest&& request) override;

    // ---- the face (for tests)
    // Window region scan of a painted face: the key-coloured pixels of the corner blocks.
    static bool IsCornerBlock(int x, int y);
    bool IsRegionPending() const { return m_bRegionPending != 0; }
    // The tooltip text of a control (empty for none).
    CString TooltipText(UINT id) const;
    CSkinButton* ButtonOf(ClientButton button, int index);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnSysCommand(UINT nID, LPARAM lParam) override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    void Init();
    void CreateChildren();
    void CreateVideoWindow();
    void LoadSkin();
    void PlaceControls();
    void EnumerateMonitors();
    void LoadLocalSetup();
    void LoadWebSetup();
    void PublishSettings();
    void PaintFace(CDC* pDC);
    void BuildRegion(CDC* pDC);
    void PlaybackNotification();
    void ReapSaveThreads(bool all);
    void DestroyProgressPopup();
    void StopLocalPlayer();
    void OnSliderMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnMikeStart();
    void OnMikeStop();
    void OnBackupCreate(WPARAM total);
    void OnPlayStarted();
    // "Not KELO1000 !", then the notice it held back.
    void OnWrongProduct();
    void OnPtzMove(WPARAM pressed, LPARAM direction);
    void OnScreenshotTimer();
    void CloseAllPtz();
    void OpenPtz(int mode);
    bool HasRight(int right) const;
    bool AnyFrameOpen() const;
    void OnMike();
    HWND ClientWindowHandle(ClientWindow which) const;

    // Controls.
    CSkinButton m_btnChannel[16];
    CSkinButton m_btnSplit[9];
    CSkinButton m_btnPlay[7];
    CSkinButton m_btnPan;
    CSkinButton m_btnZoom;
    CSkinButton m_btnConnect;
    CSkinButton m_btnRSearch;
    CSkinButton m_btnRSetup;
    CSkinButton m_btnLSearch;
    CSkinButton m_btnLSetup;
    CSkinButton m_btnQuit;
    CSkinButton m_btnOsd;
    CSkinButton m_btnArrange;
    CSkinButton m_btnSound;
    CSkinButton m_btnSelAudio;
    CSkinButton m_btnMike;
    CSkinButton m_btnMin;
    CBitmapSlider m_sliderVolume;
    CBitmapSlider m_sliderSeek;
    CSkinButton m_btnSave;
    CSkinButton m_btnLoad;
    CSkinButton m_btnAudio;
    CSkinButton m_btnLive;
    CSkinButton m_btnFirmUp;
    CSkinButton m_btnFull;
    CToolTipCtrl m_tip;

    // What the commands work on (UI thread unless said).
    std::unique_ptr<IVideoWindow> m_pVideo;
    std::unique_ptr<CDvrClient> m_pClient;
    std::unique_ptr<ILocalPlayer> m_pLocalPlayer;
    std::unique_ptr<CDigitClockWnd> m_pClock;
    std::unique_ptr<CDigitClockWnd> m_pPlayClock; // remote playback's clock
    CLocalSettings m_settings;
    LocalSetupEdit m_edit{};
    WebSetupEdit m_webEdit{};
    SetupDatabase m_setupDb{}; // as the recorder sends it (network order)
    StartupStrings m_startup;
    ZoneOffset m_zone;
    WORD m_fileVersion[4] = {};
    BYTE m_bRemovable = 0;
    BYTE m_bWaveOut = 0;
    std::atomic<int> m_nAudioChannel{-1};
    DWORD m_nLastVisibleMask = 0;
    std::atomic<BYTE> m_bAudioClosed{0}; // the local player reads it from its thread
    MONITORINFOEX m_monitors[4] = {};
    CString m_strConnectText;
    DvrClientTiming m_clientTiming;
    // The megabytes the backup page stored for the "no space for a backup" notice.
    struct BackupSpace {
        LONG needed = 0;
        LONG free = 0;
        LONG margin = 0;
    } m_backupSpace;
    std::atomic<bool> m_bDomeMenuActive{false}; // read by the video window from any thread

    MainWindowParts m_parts;
    CResLibrary m_resLibrary;
    HICON m_hIcon = nullptr;
    std::unique_ptr<CMixerVolume> m_pMixer;
    CScreenSaverInhibitor m_screenSaver;
    std::unique_ptr<CMsgBoxDlg> m_noticeBoxOwner;
    CMsgBoxDlg* m_pNoticeBox = nullptr;
    // "Not KELO1000 !" is open: the notice of the connection it ends waits until it is answered, so
    // that the cause is read first.
    bool m_bProductBoxOpen = false;
    struct HeldNotice {
        HWND parent;
        WORD category;
        WORD code;
    };
    std::optional<HeldNotice> m_heldNotice;
    std::unique_ptr<CProgressPopupDlg> m_pProgress;
    std::unique_ptr<IFirmwareUpgrade> m_pFirmware;

    // Skin.
    CBitmap m_bmFace[9];
    CBitmap m_bmCentre;
    CBitmap m_bmPlayStrip;
    CBitmap m_bmLogo;
    DWORD m_bRegionPending = 1;

    // Audio (read by the audio player's thread).
    std::atomic<DWORD> m_bMute{0};
    std::atomic<DWORD> m_nVolume{40000};
    BYTE m_bMixerMute = 0;
    int m_nMixerVolume = -1;

    // State of the frames and dialogs the commands open.
    bool m_bDbInfoPending = false;
    bool m_bSetupFrameOpen = false;
    bool m_bRemoteSearchOpen = false;
    bool m_bLocalSearchOpen = false;
    bool m_bLocalSetupOpen = false;
    bool m_bFileDialogOpen = false;
    bool m_bPreviewOpen = false;
    bool m_bPasswordOpen = false;
    ULONGLONG m_lastListenRequest = 0;
    ArchiveResume m_archiveResume;
    ISearchReplySink* m_pSearchSink = nullptr; // UI thread only
    bool m_bQuitDone = false;
    bool m_bSaveFailureTold = false; // the current Save's write failure has been told
    bool m_bQuitting = false;        // Quit has begun: its modal dialogs are closing
    int m_nQuitRounds = 0;
    ULONGLONG m_loggedInAt = 0; // test hook: when the login was first seen

    // Read by other threads.
    mutable std::mutex m_clientLock; // held while m_pClient changes; the clocks read the client under it
    mutable std::mutex m_sharedLock; // location copy and the windows the client addresses
    CString m_sharedLocation;
    BYTE m_sharedRemovable = 0;
    std::array<HWND, 9> m_clientWindows{};
    std::atomic<DWORD> m_publishedDateFormat{0};
    std::atomic<DWORD> m_publishedSaveFormat{0};
    std::atomic<bool> m_bLocalPlayerActive{false};
    // The local player while its decoders may ask for channel audio (cleared once they are stopped).
    std::atomic<ILocalPlayer*> m_publishedPlayer{nullptr};
    std::atomic<DWORD> m_localPlayClockTime{0};
    CH264Library m_h264;
    mutable std::mutex m_webLock; // the web export settings and writers the decoders hand pictures to
    WebExportSettings m_publishedWeb;
    WebSnapshotSettings m_webSnapshotSettings;
    std::array<std::unique_ptr<CSnapshotWnd>, 16> m_webWriters;
    mutable std::mutex m_saverLock;
    std::vector<std::unique_ptr<IStillImageSaver>> m_savers;
};
