#pragma once
// The connection to one recorder: the connect thread (socket, keep-alive, HELLO), the socket thread
// that reads every message and dispatches it to its handler, login and the orderly end of the
// connection. What the messages are about is kept by one object per area (live view, playback,
// backup, search lists, setup, commands, and the media workers live view and playback share); the
// client owns them and hands each message to the area it belongs to.
// The client reaches windows only through the host interfaces, which queue to the UI thread.
// Threads: the UI thread connects, disconnects and sends; the connect thread opens the socket; the
// socket thread receives. The socket and the threads are the link's, who logs in and the hello
// reply the login's; each guards its own.

#include "platform/base/WinTypes.h"
#include "platform/net/TcpConnection.h"
#include "protocol/DvrClientBackup.h"
#include "protocol/DvrClientCommands.h"
#include "protocol/DvrClientLink.h"
#include "protocol/DvrClientLive.h"
#include "protocol/DvrClientLogin.h"
#include "protocol/DvrClientMedia.h"
#include "protocol/DvrClientPlay.h"
#include "protocol/DvrClientSearch.h"
#include "protocol/DvrClientSetup.h"
#include "protocol/IClientHost.h"
#include "protocol/IMediaFactory.h"
#include "protocol/IVideoView.h"
#include "protocol/PacketHeader.h"
#include "protocol/RecvMessage.h"

#include <array>
#include <atomic>
#include <chrono>
#include <memory>

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

class CDvrClient {
public:
    // Waits of the play commands and teardown, injectable for tests.
    struct PlayTiming {
        std::chrono::milliseconds commandSleep{50};  // after each play-group request
        std::chrono::milliseconds playSleep{100};    // after PlayControl 2 and 3
        std::chrono::milliseconds otherSleep{500};   // after the other play commands
        std::chrono::milliseconds pacingCap{3000};   // longest wait of one paced frame
        std::chrono::milliseconds drainLimit{2000};  // a consumer that takes nothing for this long is abandoned
        std::chrono::milliseconds writerWait{30000}; // longest wait for room in the writer's queue
    };

    explicit CDvrClient(const DvrClientSeams& seams, const DvrClientTiming& timing = {});
    ~CDvrClient();
    CDvrClient(const CDvrClient&) = delete;
    CDvrClient& operator=(const CDvrClient&) = delete;
    // Tests and the fuzz target put the client in the state a message is to find.
    friend struct DvrClientTestPeer;

    // Starts the connect thread (the login's connect parameters are stored before); false when it could not be started
    // or a connection is under way.
    bool Connect();
    // Ends the connection (UI thread): stops what runs, closes the frames and dialogs, says BYE48,
    // waits until the recorder has closed (at most disconnectWait), ends the socket thread and
    // releases the socket. Also cancels a connect in progress.
    void Disconnect();

    // Who logs in where, and the hello reply.
    CDvrClientLogin& Login() { return m_login; }
    const CDvrClientLogin& Login() const { return m_login; }
    // The areas, each with its own state.
    CDvrClientLive& Live() { return m_live; }
    const CDvrClientLive& Live() const { return m_live; }
    CDvrClientPlay& Play() { return m_play; }
    const CDvrClientPlay& Play() const { return m_play; }
    CDvrClientBackup& Backup() { return m_backup; }
    const CDvrClientBackup& Backup() const { return m_backup; }
    CDvrClientSearch& Search() { return m_search; }
    const CDvrClientSearch& Search() const { return m_search; }
    CDvrClientSetup& Setup() { return m_setup; }
    const CDvrClientSetup& Setup() const { return m_setup; }
    CDvrClientCommands& Commands() { return m_commands; }
    const CDvrClientCommands& Commands() const { return m_commands; }
    CDvrClientMedia& Media() { return m_media; }
    const CDvrClientMedia& Media() const { return m_media; }

    // ---- What the areas use of the connection
    IClientHost& Host() const { return *m_seams.host; }
    IVideoView* Video() const { return m_seams.video; }           // may be null
    IMediaFactory* MediaFactory() const { return m_seams.media; } // may be null
    const DvrClientTiming& GetTiming() const { return m_timing; }
    void SetPlayTiming(const PlayTiming& timing) { m_playTiming = timing; }
    const PlayTiming& GetPlayTiming() const { return m_playTiming; }
    // Sends one request on the connection; 0 when there is none (or it is closed).
    int SendPacket(const PacketHeader& header, const void* body, DWORD length);
    // Refusals: the reason (RecvReply's rules) and its notice by the table, posted over `over`.
    LONG PostRefusal(const RecvMessage& m, ClientWindow over = ClientWindow::MainWindow);
    // The notice a refusal gets for a reason, 0 for none (a reason the message does not tell apart).
    static LPARAM RefusalNotice(WORD id, LONG reason);
    // The socket thread ends after the message it handles (an account that may no longer connect).
    void StopReceiving() { m_link.Stop(); }
    bool IsStopping() const { return m_link.IsStopping(); }
    const std::atomic<bool>& StopFlag() const { return m_link.StopFlag(); }

    // The connection, for the threads that send their own messages (microphone, firmware upload).
    std::shared_ptr<CTcpConnection> GetConnection() const { return m_link.GetConnection(); }
    // One message as the socket thread handles it once its payload is in memory: the header's audio
    // bits, then the handler of its id (or none). False ends the connection. The fuzz target and the
    // unit tests feed messages through here.
    bool ProcessMessage(const PacketHeader& header, const BYTE* payload, DWORD length);

    // ---- The state at a glance, readable from any thread
    // The ids of the connect and socket threads while they run, 0 once they have ended.
    unsigned GetConnectThreadId() const { return m_link.GetConnectThreadId(); }
    unsigned GetSocketThreadId() const { return m_link.GetSocketThreadId(); }
    bool IsLive() const { return m_live.IsLive(); }
    DWORD GetLiveGeneration() const { return m_live.GetLiveGeneration(); }
    DWORD GetStreamedMask() const { return m_live.GetStreamedMask(); }
    bool IsRemotePlay() const { return m_play.IsRemotePlay(); }
    bool IsBackup() const { return m_backup.IsBackup(); }
    bool HasDownloadWriter() const { return m_backup.HasDownloadWriter(); }
    bool IsAudioOut() const { return m_media.IsAudioOut(); }
    bool IsRecording() const { return m_commands.IsRecording(); }
    int GetPtzMode() const { return m_commands.GetPtzMode(); }
    bool HasMikeSender() const { return m_commands.HasMikeSender(); }
    bool HasAccountRight(int right) const { return m_setup.HasAccountRight(right); }

    // ---- Handlers (socket thread)
    bool RecvFn_Bye48(const RecvMessage& m);
    bool RecvFn_HelloAck(const RecvMessage& m);

private:
    using Handler = bool (*)(CDvrClient&, const RecvMessage&);
    struct DispatchEntry {
        Handler handler;
        bool traced; // data messages go without a Recv... trace line
    };
    static const std::array<DispatchEntry, 512>& DispatchTable();

    void ConnectThreadProc();
    void SocketThreadProc(std::shared_ptr<CTcpConnection> conn);

    const DvrClientSeams m_seams;
    const DvrClientTiming m_timing;
    PlayTiming m_playTiming;
    CDvrClientLogin m_login;
    CDvrClientLink m_link;

    // The areas. The media workers come before the streams that feed them; playback is last, as the
    // play clock's thread calls into everything above and ends first.
    CDvrClientCommands m_commands{*this};
    CDvrClientSetup m_setup{*this};
    CDvrClientSearch m_search{*this};
    CDvrClientBackup m_backup{*this};
    CDvrClientMedia m_media{*this};
    CDvrClientLive m_live{*this};
    CDvrClientPlay m_play{*this};
};
