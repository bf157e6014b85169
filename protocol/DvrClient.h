#pragma once
// The connection to one recorder: the connect thread (socket, keep-alive, HELLO), the socket thread
// that reads every message and dispatches it to its handler, and the orderly end of the connection.
// The client reaches windows only through the host interfaces, which queue to the UI thread.

#include "platform/base/WinTypes.h"
#include "platform/net/TcpConnection.h"
#include "protocol/DvrClientBackup.h"
#include "protocol/DvrClientCommands.h"
#include "protocol/DvrClientMedia.h"
#include "protocol/DvrClientPlay.h"
#include "protocol/DvrClientSearch.h"
#include "protocol/DvrClientSetup.h"
#include "protocol/HelloInfo.h"
#include "protocol/IClientHost.h"
#include "protocol/IMediaFactory.h"
#include "protocol/IVideoView.h"
#include "protocol/IWorker.h"
#include "protocol/PacketHeader.h"
#include "protocol/RecvMessage.h"
// Live, setup, playback, backup and command state
#include "protocol/AccountRightsTable.h"
#include "protocol/ChannelInfoFile.h"
#include "protocol/DownloadWriter.h"
#include "protocol/DstInfo.h"
#include "protocol/FrameHeader.h"
#include "protocol/InfoBlocks.h"
#include "protocol/PlayPacer.h"
#include "protocol/ReassemblyArea.h"
#include "protocol/SetupDatabase.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The seams the client talks through; all must outlive the client.
struct DvrClientSeams {
    IClientHost* host = nullptr;
    IVideoView* video = nullptr;
    IMediaFactory* media = nullptr;
};

// Waits and deadlines, injectable so tests can run them short.
struct DvrClientTiming {
    std::chrono::milliseconds recvDeadline{20000};   // one message's read, from its start
    std::chrono::milliseconds loginDeadline{20000};  // HELLO sent, the hello reply awaited
    std::chrono::milliseconds idleWait{100};         // the socket thread's wait between messages
    std::chrono::milliseconds connectTimeout{21000}; // a connect that gets no answer
    std::chrono::milliseconds disconnectWait{1000};  // longest wait after BYE48 for the recorder to close
    std::chrono::milliseconds byeGrace{2000};        // a recorder that sent BYE48 but keeps the socket open
};

// Recorder types from the hello reply's product number; only kServedRecorderType is served.
constexpr DWORD kServedRecorderType = 3;

class CDvrClient {
public:
    explicit CDvrClient(const DvrClientSeams& seams, const DvrClientTiming& timing = {});
    ~CDvrClient();
    CDvrClient(const CDvrClient&) = delete;
    CDvrClient& operator=(const CDvrClient&) = delete;
    // Tests and the fuzz target put the client in the state a message is to find.
    friend struct DvrClientTestPeer;

    // Stored before Connect: dotted IPv4 address, port, user id and password (at most 16 bytes each
    // of the last two are sent).
    void SetConnectParams(const char* address, DWORD port, const char* userId, const char* password);
    // Starts the connect thread; false when it could not be started or a connection is under way.
    bool Connect();
    // Ends the connection (UI thread): stops what runs, closes the frames and dialogs, says BYE48,
    // waits until the recorder has closed (at most disconnectWait), ends the socket thread and
    // releases the socket. Also cancels a connect in progress.
    void Disconnect();

    // The areas of the client, each with its own state.
    CDvrClientCommands& Commands() { return m_commands; }
    const CDvrClientCommands& Commands() const { return m_commands; }
    CDvrClientSetup& Setup() { return m_setup; }
    const CDvrClientSetup& Setup() const { return m_setup; }
    CDvrClientSearch& Search() { return m_search; }
    const CDvrClientSearch& Search() const { return m_search; }
    CDvrClientBackup& Backup() { return m_backup; }
    const CDvrClientBackup& Backup() const { return m_backup; }
    CDvrClientMedia& Media() { return m_media; }
    const CDvrClientMedia& Media() const { return m_media; }
    CDvrClientPlay& Play() { return m_play; }
    const CDvrClientPlay& Play() const { return m_play; }

    // The seams, for the areas: the host and the video window (which may be null).
    IClientHost& Host() const { return *m_seams.host; }
    IVideoView* Video() const { return m_seams.video; }
    // Refusals: the reason (RecvReply's rules) and its notice by the table, posted over `over`.
    LONG PostRefusal(const RecvMessage& m, ClientWindow over = ClientWindow::MainWindow);
    // The channels of the hello reply: 4, 8 or 16.
    int ChannelCount() const;
    // The user id the client logged in with.
    const char* GetUserId() const { return m_szUserId; }
    // The socket thread ends after the message it handles (an account that may no longer connect).
    void StopReceiving() { m_bStop.store(true); }
    bool IsStopping() const { return m_bStop.load(); }
    // A new set of channels is coming: live view's generation counts on and nothing is available.
    void ResetAvailableChannels();
    const std::atomic<bool>& StopFlag() const { return m_bStop; }
    // Live view's gathering area and generation, which playback's start and end reset.
    void ResetLiveArea();
    void ResetLiveGeneration() { m_liveGeneration.store(0); }
    // The video window's layout for the recorder's channels: 4, 9 or 16 tiles.
    void LayoutByChannelCount();
    IMediaFactory* MediaFactory() const { return m_seams.media; }

    // Sends one request on the connection; 0 when there is none (or it is closed).
    int SendPacket(const PacketHeader& header, const void* body, DWORD length);
    // The connection, for the threads that send their own messages (microphone, firmware upload).
    std::shared_ptr<CTcpConnection> GetConnection() const;

    // One message as the socket thread handles it once its payload is in memory: the header's audio
    // bits, then the handler of its id (or none). False ends the connection. The fuzz target and the
    // unit tests feed messages through here.
    bool ProcessMessage(const PacketHeader& header, const BYTE* payload, DWORD length);

    // The notice a refusal gets for a reason, 0 for none (a reason the message does not tell apart).
    static LPARAM RefusalNotice(WORD id, LONG reason);

    // ---- The connection's state, readable from any thread ----
    // A copy of the hello reply (all zero before it arrives); the socket thread writes it once.
    HelloInfo GetHello() const;
    // The recorder type of the hello reply (0 before it).
    DWORD GetDvrType() const { return m_dvrType.load(); }
    bool IsConnected() const { return m_bConnected.load() != 0; }
    bool IsLive() const { return m_bLive.load() != 0; }
    bool IsRemotePlay() const { return m_play.IsRemotePlay(); }
    bool IsBackup() const { return m_backup.IsBackup(); }
    bool HasDownloadWriter() const { return m_backup.HasDownloadWriter(); }
    bool IsAudioOut() const { return m_media.IsAudioOut(); }
    // The areas' state at a glance, as the operator's tests and the main window read it.
    bool IsRecording() const { return m_commands.IsRecording(); }
    int GetPtzMode() const { return m_commands.GetPtzMode(); }
    bool HasMikeSender() const { return m_commands.HasMikeSender(); }
    bool HasAccountRight(int right) const { return m_setup.HasAccountRight(right); }
    bool IsVersion11() const { return m_bVersion11.load() != 0; }
    bool IsVersion12() const { return m_bVersion12.load() != 0; }
    // Counts the LIVE_CHANNEL_INFO messages: a new value means a new set of streamed channels.
    DWORD GetLiveGeneration() const { return m_liveGeneration.load(); }
    // The ids of the connect and socket threads while they run, 0 once they have ended.
    unsigned GetConnectThreadId() const { return m_nConnectThreadID.load(); }
    unsigned GetSocketThreadId() const { return m_nSockThreadID.load(); }
    // What SetConnectParams stored (unchanged while a connection runs).
    std::string GetAddress() const;
    DWORD GetPort() const { return m_nPort; }

    // ---- What the main window and the archive change (UI thread) ----

    // ---- Handlers (socket thread) ----
    bool RecvFn_Bye48(const RecvMessage& m);
    bool RecvFn_HelloAck(const RecvMessage& m);
    bool RecvFn_LiveChannelInfo(const RecvMessage& m);
    bool RecvFn_LiveData(const RecvMessage& m);
    bool RecvFn_LiveNack(const RecvMessage& m);
    bool RecvFn_LiveStopAck(const RecvMessage& m);
    bool RecvFn_LiveStopNack(const RecvMessage& m);

    // ---- Operations of live view, playback, backup and commands (UI thread unless said) ----
    void SendLiveReq();
    // Live view already runs: LIVE_REQ with the channels the video window now shows (bit n = channel
    // n + 1); the decoders and the layout stay as they are.
    void SendLiveMask(DWORD visibleMask);
    void SendLiveStop();
    // LIVE_REQ was sent and neither answered nor stopped: a quit must stop it like running live view.
    bool IsLiveAsked() const { return m_liveAsked.load(); }

private:
    using Handler = bool (*)(CDvrClient&, const RecvMessage&);
    struct DispatchEntry {
        Handler handler;
        bool traced; // data messages go without a Recv... trace line
    };
    static const std::array<DispatchEntry, 512>& DispatchTable();

    void ConnectThreadProc();
    void SocketThreadProc(std::shared_ptr<CTcpConnection> conn);
    void ConnectFailed(LPARAM notice);
    void JoinThreads();

    const DvrClientSeams m_seams;
    const DvrClientTiming m_timing;

    // The connection's state: atomics any thread reads through the calls above; the hello reply
    // under m_infoLock.
    mutable std::mutex m_infoLock; // guards m_hello
    HelloInfo m_hello{};
    std::atomic<DWORD> m_dvrType{0};
    std::atomic<bool> m_bStop{true};
    std::atomic<unsigned> m_nSockThreadID{0};
    std::atomic<unsigned> m_nConnectThreadID{0};
    std::atomic<DWORD> m_liveGeneration{0};
    std::atomic<BYTE> m_bConnected{0};
    std::atomic<BYTE> m_bLive{0};
    std::atomic<bool> m_liveAsked{false}; // set by SendLiveReq, cleared by its answer or a stop
    std::atomic<BYTE> m_bVersion11{0};
    std::atomic<BYTE> m_bVersion12{0};
    char m_szAddress[128] = {};
    DWORD m_nPort = 0;
    char m_szUserId[17] = {}; // 16 characters and a terminator
    char m_szPassword[17] = {};

    mutable std::mutex m_connLock; // guards m_conn and the thread objects
    std::shared_ptr<CTcpConnection> m_conn;
    std::thread m_connectThread;
    std::thread m_socketThread;
    std::atomic<bool> m_disconnecting{false};
    std::atomic<bool> m_byeReceived{false};
    std::chrono::steady_clock::time_point m_byeAt{};
    // Set by Disconnect once it says BYE48: the socket thread handles nothing more and only reads on
    // until the recorder closes, so the connection ends without unread bytes and the BYE48 arrives.
    std::atomic<bool> m_byeSent{false};

public:
    // Live, setup, playback, backup and command state
    // (the messages the client posts are named in ClientMessages.h)

    // Waits of the play commands and teardown, injectable for tests.
    struct PlayTiming {
        std::chrono::milliseconds commandSleep{50};  // after each play-group request
        std::chrono::milliseconds playSleep{100};    // after PlayControl 2 and 3
        std::chrono::milliseconds otherSleep{500};   // after the other play commands
        std::chrono::milliseconds pacingCap{3000};   // longest wait of one paced frame
        std::chrono::milliseconds drainLimit{2000};  // a consumer that takes nothing for this long is abandoned
        std::chrono::milliseconds writerWait{30000}; // longest wait for room in the writer's queue
    };
    void SetPlayTiming(const PlayTiming& timing) { m_playTiming = timing; }
    const PlayTiming& GetPlayTiming() const { return m_playTiming; }

    // State the main window publishes to the client (UI thread).
    void SetWebExport(const WebExportSettings& web);
    void SetLocalPlayerActive(bool active) { m_localPlayerActive.store(active); }

    // ---- Live view ----
    DWORD GetAvailableMask() const { return m_availableMask.load(); }
    DWORD GetStreamedMask() const { return m_streamedMask.load(); }
    // Channels below the recorder's count that the last LIVE_CHANNEL_INFO marked without camera.
    DWORD GetVideoLossMask() const;
    // The recorder's clock of the last live frame; 0 until a frame of this live view has brought one.
    DWORD GetLiveClock() const { return m_liveClock.load(); }

private:
    // Live view.
    void WriteChannelInfo(DWORD mask);
    // Live data came without completing a frame: true once that has lasted the message deadline.
    bool LiveFrameUnfinishedTooLong();
    PlayTiming m_playTiming;
    std::atomic<bool> m_localPlayerActive{false};
    mutable std::mutex m_settingsLock; // guards m_web
    WebExportSettings m_web;

    // Socket thread: live view's gathering area.
    CReassemblyArea m_liveArea{kFrameAreaSize};

    std::atomic<DWORD> m_availableMask{0};
    std::atomic<DWORD> m_streamedMask{0};
    std::atomic<DWORD> m_liveClock{0};
    // Socket thread: since when live data has come without making a whole frame.
    std::optional<std::chrono::steady_clock::time_point> m_liveUnfinishedSince;

    CDvrClientCommands m_commands{*this};
    CDvrClientSetup m_setup{*this};
    CDvrClientSearch m_search{*this};
    CDvrClientBackup m_backup{*this};
    CDvrClientMedia m_media{*this};
    // Last: the play clock's thread calls into everything above, and ends first.
    CDvrClientPlay m_play{*this};
};
