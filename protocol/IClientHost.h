#pragma once
// What the recorder client needs of the main window. The client calls these from its connect and
// socket threads as well as from the UI thread: an implementation queues every call that touches a
// window to the UI thread and never blocks the caller on it (a worker never waits for the UI thread).
// Calls that read state answer from values the UI thread publishes (atomics or data under a lock).

#include "platform/base/WinTypes.h"
#include "protocol/ReasonCodes.h"

#include <string>
#include <vector>

// The windows a client message can be addressed to. A post to a window that does not exist (any
// more) is dropped by the implementation.
enum class ClientWindow {
    MainWindow,
    SearchFrame,    // the remote search frame
    SetupFrame,     // the remote setup frame
    SetupPage,      // the page open in the setup frame (the time page takes the recorder clock)
    FirmwareDialog, // the firmware upgrade dialog
    PtzDialog,      // dialog 111
    PtzKeypad,      // dialog 991
    PtzMenu,        // dialog 994
    BackupPopup,    // the backup progress popup
};

// What happened in the client that the main window's face shows. The client only reports; which
// buttons show it, and how, is the main window's to decide.
enum class ClientEvent {
    ConnectionState, // 1 the client stands for a connection (made), 0 it is being ended (Disconnect)
    LoggedIn,        // 1: the hello reply was accepted, live view and talk may be asked for
    LiveState,       // 1 live view was asked for, 0 it stopped
    ChannelLayout,   // the tiles (4, 9 or 16) the client gave the video window
    AudioOutState,   // 1 audio output runs, 0 it stopped
    TalkState,       // 0 the microphone talk ended
    RecordingState,  // 1 the recorder records, 0 it does not
    PtzMode,         // the PTZ dialog's mode: 0 pan, 1 zoom, -1 closed
    PlaybackState,   // 1 remote playback is starting, 0 it stopped
    PlayMode,        // the play mode the operator chose (PlayModes.h): backward, forward or pause
};

class IClientHost {
public:
    virtual ~IClientHost() = default;

    // Notice 0x5226: lParam = category << 16 | code, shown over `over` (the main window when that
    // window is gone).
    virtual void PostNotice(LPARAM notice, ClientWindow over) = 0;
    // Any other private message (or WM_CLOSE) for one of the windows.
    virtual void PostToWindow(ClientWindow target, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Something the main window's face shows happened (value: as ClientEvent says).
    virtual void ReportEvent(ClientEvent event, int value) = 0;

    // The local log (kind, sub-kind, a 32-character and a 128-character text); safe from any thread.
    virtual void WriteLocalLog(int kind, int subKind, const char* text32, const char* text128) = 0;

    // The connect thread could not connect: the UI thread disconnects the client (which waits for the
    // connect thread) and then shows the notice.
    virtual void PostConnectFailed(LPARAM notice) = 0;
    // The recorder is not of the served product: the UI thread shows "Not KELO1000 !".
    virtual void PostWrongProduct() = 0;
    // A file this computer was writing could not be written (error: the system's error number) in
    // `folder`: the notice names the folder. Without a window to name it in, the notice alone.
    virtual void PostLocalWriteFailure(int error, const std::string& folder) {
        (void)folder;
        PostNotice(LocalWriteNotice(error), ClientWindow::MainWindow);
    }

    // A finished search reply for the remote search frame, handed over whole: readyMessage is the
    // frame's message (0x5234-0x5238 with `count` records of records, 0x523A-0x523C with the reply's
    // bytes). Delivered to the frame only if it is still open; the frame's busy flag is cleared.
    virtual void DeliverSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) = 0;
    // Clears the search frame's busy flag (the request that set it was answered).
    virtual void ClearSearchBusy() = 0;
};
