// The recorder commands: each request's bytes on the wire and the handling of each answer.
#include "protocol/ByteOrder.h"
#include "protocol/IWorker.h"
#include "protocol/Packet.h"
#include "protocol/PacketHeader.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/ClientRig.h"
#include "tests/support/DvrClientTestPeer.h"

#include <functional>

using namespace rig;

TEST(ClientCommands, EachRequestGoesOutWithItsBytes) {
    ClientRig r;
    r.StartLive();
    r.client->Commands().SetListenSwitch(true);
    struct Case {
        const char* name;
        std::function<void(CDvrClient&)> send;
        unsigned id;
        std::uint32_t w0;
        Bytes payload;
    };
    const std::vector<Case> cases = {
        {"audio on", [](CDvrClient& c) { c.Commands().SendAudioOn(); }, Msg::AUDIO_ONOFF_REQ, 0xB88, {}},
        {"audio off", [](CDvrClient& c) { c.Commands().SendAudioOff(); }, Msg::AUDIO_ONOFF_REQ, 0xB80, {}},
        {"record on", [](CDvrClient& c) { c.Commands().SendRecOn(); }, Msg::REC_ON_REQ, 32u << 7, {}},
        {"record off", [](CDvrClient& c) { c.Commands().SendRecOff(); }, Msg::REC_OFF_REQ, 35u << 7, {}},
        {"listen", [](CDvrClient& c) { c.Commands().SendAListenReq(); }, Msg::A_LISTEN_REQ, 272u << 7, {}},
        {"reboot", [](CDvrClient& c) { c.Commands().SendRebootReq(); }, Msg::REBOOT_REQ, 342u << 7, {}},
        {"power off", [](CDvrClient& c) { c.Commands().SendPowerOffReq(); }, Msg::POWEROFF_REQ, 345u << 7, {}},
        {"ptz channel",
         [](CDvrClient& c) { c.Commands().SendPtzChannelReq(5, 1); },
         Msg::PTZ_CHANNEL_REQ,
         282u << 7,
         {5, 1, 0, 0}},
        {"ptz dialog", [](CDvrClient& c) { c.Commands().ShowPtzDlg(0, 2); }, Msg::PTZ_CHANNEL_REQ, 282u << 7, {2, 0, 0, 0}},
        {"pan 0", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 0); }, Msg::PTZ_MOVE_REQ, 284u << 7, {2, 0, 0, 0}},
        {"pan 1", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 1); }, Msg::PTZ_MOVE_REQ, 284u << 7, {3, 0, 0, 0}},
        {"pan 2", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 2); }, Msg::PTZ_MOVE_REQ, 284u << 7, {1, 0, 0, 0}},
        {"pan 3", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 3); }, Msg::PTZ_MOVE_REQ, 284u << 7, {0, 0, 0, 0}},
        {"pan 7", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 7); }, Msg::PTZ_MOVE_REQ, 284u << 7, {0, 0, 0, 0}},
        {"stop", [](CDvrClient& c) { c.Commands().SendPtzMove(true, 2); }, Msg::PTZ_MOVE_STOP, 285u << 7, {}},
        {"preset 300", [](CDvrClient& c) { c.Commands().SendPtzPreset(1, 300); }, Msg::PTZ_MOVE_REQ, 284u << 7, {9, 44, 0, 1}},
        {"zoom mode", [](CDvrClient& c) { c.Commands().ShowPtzDlg(1, 2); }, 0, 0, {}}, // the open dialog changes mode only
        {"zoom 0", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 0); }, Msg::PTZ_MOVE_REQ, 284u << 7, {4, 0, 0, 0}},
        {"zoom 1", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 1); }, Msg::PTZ_MOVE_REQ, 284u << 7, {5, 0, 0, 0}},
        {"zoom 2", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 2); }, Msg::PTZ_MOVE_REQ, 284u << 7, {7, 0, 0, 0}},
        {"zoom 3", [](CDvrClient& c) { c.Commands().SendPtzMove(false, 3); }, Msg::PTZ_MOVE_REQ, 284u << 7, {6, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        c.send(*r.client);
        if (c.id == 0) {
            EXPECT_TRUE(r.Quiet(50)) << c.name;
            continue;
        }
        const ScriptedRecorder::Received got = r.Next();
        EXPECT_EQ(got.id, c.id) << c.name;
        EXPECT_EQ(got.w0, c.w0) << c.name;
        EXPECT_EQ(got.w1, std::uint32_t(c.payload.size())) << c.name;
        EXPECT_EQ(got.payload, c.payload) << c.name;
    }

    // With the listen switch off, neither audio nor two-way listening is asked for.
    r.client->Commands().SetListenSwitch(false);
    r.client->Commands().SendAudioOn();
    r.client->Commands().SendAListenReq();
    EXPECT_TRUE(r.Quiet(100));
}

TEST(ClientCommands, AnswersAreHandledByTheirTable) {
    struct Case {
        const char* name;
        unsigned id;
        Bytes payload;
        std::vector<LPARAM> notices;
        std::vector<std::pair<ClientWindow, UINT>> posts;
        WPARAM wParam; // of the last post
        int recording; // -1: not looked at
    };
    const ClientWindow fw = ClientWindow::FirmwareDialog;
    const ClientWindow main = ClientWindow::MainWindow;
    const std::vector<Case> cases = {
        {"rec on 49", Msg::REC_ON_ACK, BE32(49), {}, {}, 0, 1},
        {"rec on 51", Msg::REC_ON_ACK, BE32(51), {}, {}, 0, 1},
        {"rec on 50", Msg::REC_ON_ACK, BE32(50), {}, {}, 0, 0},
        {"rec off 50", Msg::REC_OFF_ACK, BE32(50), {}, {}, 0, 0},
        {"rec on short", Msg::REC_ON_ACK, Bytes{0, 0}, {}, {}, 0, -1},
        {"rec on nack 65", Msg::REC_ON_NACK, BE32(65), {kNoticeLiveNotAllowedNow}, {}, 0, -1},
        {"rec off nack 66", Msg::REC_OFF_NACK, BE32(66), {kNoticeLivePlaybackRunning}, {}, 0, -1},
        {"ptz yes",
         Msg::PTZ_CHANNEL_ACK,
         Bytes{1, 0, 0, 0},
         {},
         {{ClientWindow::PtzDialog, WM_KELO_PTZ_AVAILABILITY}},
         2,
         -1},
        {"ptz no",
         Msg::PTZ_CHANNEL_ACK,
         Bytes{0, 0, 0, 0},
         {},
         {{ClientWindow::PtzDialog, WM_KELO_PTZ_AVAILABILITY}},
         1,
         -1},
        {"listen ack", Msg::A_LISTEN_ACK, {}, {}, {{main, WM_KELO_MIKE_START}}, 0, -1},
        {"listen nack 1", Msg::A_LISTEN_NACK, BE32(1), {kNoticeRefused}, {}, 0, -1},
        {"listen nack 2",
         Msg::A_LISTEN_NACK,
         BE32(2),
         {kNoticeRefusedWrongRequest},
         {{main, WM_KELO_MIKE_STOP}},
         0,
         -1},
        {"listen nack 54", Msg::A_LISTEN_NACK, BE32(54), {kNoticeTalkInUse}, {}, 0, -1},
        {"listen nack 55", Msg::A_LISTEN_NACK, BE32(55), {kNoticeTalkUnavailable}, {{main, WM_KELO_MIKE_STOP}}, 0, -1},
        {"listen nack 98", Msg::A_LISTEN_NACK, BE32(98), {kNoticeRefusedDiskError}, {{main, WM_KELO_MIKE_STOP}}, 0, -1},
        {"listen stop ack", Msg::A_LISTEN_STOP_ACK, {}, {}, {}, 0, -1},
        {"reboot ack", Msg::REBOOT_ACK, {}, {}, {}, 0, -1},
        {"reboot nack", Msg::REBOOT_NACK, BE32(2), {kNoticeRefusedWrongRequest}, {}, 0, -1},
        {"power off ack", Msg::POWEROFF_ACK, {}, {}, {}, 0, -1},
        {"power off nack", Msg::POWEROFF_NACK, BE32(1), {kNoticeRefused}, {}, 0, -1},
        {"test mail ack", Msg::SEND_TEST_MAIL_ACK, {}, {}, {}, 0, -1},
        {"test mail nack", Msg::SEND_TEST_MAIL_NACK, BE32(1), {kNoticeRefused}, {}, 0, -1},
        {"test mail nack 2", Msg::SEND_TEST_MAIL_NACK, BE32(2), {}, {}, 0, -1},
        {"fw ack", Msg::FW_UPDATE_ACK, {}, {}, {{fw, WM_KELO_FW_UPDATE_ACK}}, 0, -1},
        {"fw nack", Msg::FW_UPDATE_NACK, BE32(17), {}, {{fw, WM_KELO_FW_UPDATE_NACK}}, 17, -1},
        {"fw rx done", Msg::FW_DATA_RX_DONE, {}, {}, {{fw, WM_KELO_FW_DATA_RX_DONE}}, 0, -1},
        {"fw rx fail", Msg::FW_DATA_RX_FAIL, BE32(18), {}, {{fw, WM_KELO_FW_DATA_RX_FAIL}}, 18, -1},
        {"fw done", Msg::FW_UPDATE_DONE, {}, {}, {{fw, WM_KELO_FW_UPDATE_DONE}}, 0, -1},
        {"fw fail", Msg::FW_UPDATE_FAIL, BE32(1), {}, {{fw, WM_KELO_FW_UPDATE_FAIL}}, 1, -1},
    };
    ClientRig r;
    for (const Case& c : cases) {
        r.host.Clear();
        DvrClientTestPeer::Recording(*r.client).store(BYTE(c.recording == 0 ? 1 : 0));
        r.Send(c.id, c.payload);
        r.Sync();
        EXPECT_EQ(r.host.Notices(), c.notices) << c.name;
        std::vector<std::pair<ClientWindow, UINT>> posts;
        WPARAM lastWParam = 0;
        for (const HostCall& p : r.host.CallsOf(HostCall::Post)) {
            if (p.message != WM_KELO_DVR_TIME) {
                posts.emplace_back(p.window, p.message);
                lastWParam = p.wParam;
            }
        }
        EXPECT_EQ(posts, c.posts) << c.name;
        EXPECT_EQ(lastWParam, c.wParam) << c.name;
        if (c.recording >= 0) {
            EXPECT_EQ(r.client->Commands().IsRecording(), c.recording) << c.name;
        }
    }
    EXPECT_TRUE(r.Quiet(50)); // no answer makes the client send anything
}

// Stands for the microphone sender: the talk buffer it was sending when told to stop goes out
// before Stop returns, as a real sender's last one does.
class LastWordSender : public IWorker {
public:
    explicit LastWordSender(std::shared_ptr<CTcpConnection> connection) : m_connection(std::move(connection)) {}
    void Stop() override {
        const std::vector<BYTE> body(2048, 0);
        SendPacket(m_connection.get(), PacketHeader::Request(Msg::TALK_DATA, DWORD(body.size()), true), body.data(),
                   DWORD(body.size()));
    }

private:
    std::shared_ptr<CTcpConnection> m_connection;
};

TEST(ClientCommands, StoppingTalkEndsTheSenderBeforeTheRecorderIsTold) {
    ClientRig r;
    r.client->Commands().SetListenSwitch(true);
    r.client->Commands().SetMikeSender(std::make_unique<LastWordSender>(r.client->GetConnection()));
    r.client->Commands().SetListening(true);
    r.client->Commands().SendAListenStop();
    EXPECT_EQ(r.Next().id, unsigned(Msg::TALK_DATA));
    EXPECT_EQ(r.Next().id, unsigned(Msg::A_LISTEN_STOP_REQ));
    EXPECT_TRUE(r.Quiet(50));
    EXPECT_FALSE(r.client->Commands().IsListening());
    EXPECT_FALSE(r.client->Commands().HasMikeSender());
}
