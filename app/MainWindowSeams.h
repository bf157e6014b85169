#pragma once
// What the main window uses of the windows and workers other subsystems build (video window, local
// player, still-image savers, firmware upgrade, the remote and local frames, the microphone sender).
// The main window reaches them only through these calls; the program hands it the factories at
// start-up (MainWindowParts). A part that is not given stays absent: its command stops where it
// would open it.

#include "app/LocalSetupEdit.h"
#include "platform/base/WinTypes.h"
#include "platform/window/WinUser.h"
#include "protocol/IMediaFactory.h"
#include "protocol/IVideoView.h"
#include "protocol/IWorker.h"
#include "protocol/SetupDatabase.h"

#include <functional>
#include <memory>
#include <string>

class CWnd;
class CDC;
class CClientDlg;
class CDvrClient;
class CDigitClockWnd;
class CTcpConnection;
class CFullScreenVideoDlg;

// The video window: a child of the main window.
class IVideoWindow {
public:
    virtual ~IVideoWindow() = default;

    // The window, made as a child of the main window with 16 channels, its on-screen font and
    // half-tone stretching, at (53, 72)-(868, 620) with gap 1 on 0x969696. False when it could not be
    // made.
    virtual bool Create(CClientDlg& main) = 0;
    virtual void Destroy() = 0;
    virtual CWnd* GetWnd() = 0;
    // The client's seams onto the video window.
    virtual IVideoView* View() = 0;
    virtual IMediaFactory* MediaFactory() = 0;

    virtual void SetDrawMode(int mode) = 0;
    virtual void SetMonitorTable(const MONITORINFOEX table[4]) = 0;
    virtual void GetMonitorTable(MONITORINFOEX table[4]) const = 0;

    // The split commands: clear the return-to-previous-layout flag and the companion channels,
    // select the layout by index 0-14 (the same one again pages on), leave single view, store the
    // layout. (The client's IVideoView::SetLayout takes a tile count instead.)
    virtual void ClearReturnFlag() = 0;
    virtual void ClearCompanionMask() = 0;
    virtual bool SelectLayout(int layout) = 0;
    virtual void SetSingleView(bool single) = 0;
    virtual void StoreArrangeLayout(int layout) = 0;
    virtual bool ShowSingleChannel(int channel) = 0;
    virtual DWORD GetVisibleChannelMask() const = 0;
    virtual int GetLayout() const = 0;

    virtual void ResetTileOrder() = 0;
    virtual void RequestSnapshots() = 0;
    virtual void ToggleOsd() = 0;
    // 0 none, 1 live, 2 remote playback, 3 local playback.
    virtual int GetPlaySource() const = 0;
    virtual bool IsFullScreen() const = 0;
    virtual void EnterFullScreen(int monitor) = 0;
    virtual void Repaint(bool erase) = 0;
    // The connection the decoders read (null before the client is deleted).
    virtual void SetClient(CDvrClient* /*client*/) {}
    // The media subsystem's window behind it, for local playback; null for stand-ins.
    virtual CFullScreenVideoDlg* MediaWindow() { return nullptr; }
};

// The local file player (the archive's); the main window holds at most one.
class ILocalPlayer {
public:
    virtual ~ILocalPlayer() = default;
    virtual int GetMode() const = 0; // 1 play, 2 reverse, 3 forward, 4 paused, 7 step
    virtual int GetPrevMode() const = 0;
    virtual void SetSeekState(int state) = 0; // 1 pressed, 2 moving, 3 released
    virtual DWORD GetStartTime() const = 0;
    virtual void SetSeekTarget(DWORD seconds) = 0;
    virtual void SetChannelChange(BYTE changed) = 0;
    virtual void SetMode(int mode) = 0;
    virtual void Stop() = 0;
    virtual void Close() = 0;
    // Any thread (the local decoders): 2 when the channel's audio is the one played, else 0.
    virtual int GetChannelAudioState(int /*channel*/) const { return 0; }
    // Any thread (the video window's playback indicator): 1 to 4 forward, -1 to -3 reverse, 0 else.
    virtual int GetSpeedStep() const { return 0; }
};

// A still-image save thread; the main window reaps it once done.
class IStillImageSaver {
public:
    virtual ~IStillImageSaver() = default;
    virtual bool IsDone() const = 0;
    // Waits for the thread to end.
    virtual void Join() = 0;
    // Once done: 0 when the picture was written, else the system's error number.
    virtual int WriteError() const { return 0; }
    // The folder the picture goes to.
    virtual std::string Folder() const { return {}; }
};

// The firmware upgrade dialog, made by FirmUp and run when the operator accepts the offer.
class IFirmwareUpgrade {
public:
    virtual ~IFirmwareUpgrade() = default;
    // Scans the upgrade folder; the number of images offered.
    virtual int ScanUpgradeFolder() = 0;
    virtual INT_PTR RunModal() = 0;
    virtual HWND GetSafeHwnd() const = 0;
};

struct MainWindowParts {
    std::function<std::unique_ptr<IVideoWindow>()> createVideoWindow;
    // The modal frames; each gets the main window and its opacity and gives the dialog's result.
    std::function<INT_PTR(CClientDlg&, BYTE alpha)> runRemoteSearch;
    std::function<INT_PTR(CClientDlg&, SetupDatabase& db, BYTE alpha)> runSetup;
    std::function<INT_PTR(CClientDlg&, BYTE alpha)> runLocalSearch;
    std::function<INT_PTR(CClientDlg&, LocalSetupEdit&, WebSetupEdit&, BYTE alpha)> runLocalSetup;
    std::function<std::unique_ptr<IFirmwareUpgrade>(CClientDlg&, BYTE alpha)> createFirmwareUpgrade;
    // The PTZ control dialog of the client (mode 0 pan, 1 zoom), shown and closed by the main window.
    std::function<void(CClientDlg&, int mode)> showPtzDialog;
    std::function<void(CClientDlg&)> closePtzDialogs;
    // The PTZ move message (0x5239) with direction 4 or 5, the control pad's centre button.
    std::function<void(CClientDlg&, WPARAM pressed, LPARAM direction)> ptzKeypadButton;
    std::function<std::unique_ptr<IWorker>(CClientDlg&, std::shared_ptr<CTcpConnection>)> createMikeSender;
};
