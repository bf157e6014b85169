// The client's connection against a scripted recorder on loopback: login, refusals, the end of the
// connection from either side, and streams that stall, break or carry garbage.
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/protocol/ScriptedRecorder.h"
#include "tests/support/DvrClientTestPeer.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

DvrClientTiming ShortTiming() {
    DvrClientTiming t;
    t.recvDeadline = 400ms;
    t.idleWait = 20ms;
    t.connectTimeout = 3000ms;
    t.disconnectWait = 200ms;
    t.byeGrace = 300ms;
    return t;
}

Bytes HelloReply(std::uint8_t product, std::uint8_t channels) {
    Bytes b(768, 0);
    b[2] = product;
    b[3] = 1;
    b[4] = 2;
    b[6] = channels;
    return b;
}

// A recorder and a client of their own, for cases that each need a fresh connection.
struct OwnConnection {
    explicit OwnConnection(IVideoView& video) : client(DvrClientSeams{&host, &video, nullptr}, ShortTiming()) {}
    // Connects as admin and reads the client's hello request.
    bool Open(const char* password) {
        client.Login().SetConnectParams("127.0.0.1", recorder.Port(), "admin", password);
        return client.Connect() && recorder.AcceptClient() && recorder.Read().ok;
    }

    ScriptedRecorder recorder;
    FakeClientHost host;
    CDvrClient client;
};

class ConnectionTest : public ::testing::Test {
protected:
    void StartClient(const char* user = "admin", const char* password = "1234", const char* address = "127.0.0.1") {
        client = std::make_unique<CDvrClient>(DvrClientSeams{&host, &video, nullptr}, ShortTiming());
        client->Login().SetConnectParams(address, recorder.Port(), user, password);
        ASSERT_TRUE(client->Connect());
    }
    // Accepts the client and checks its HELLO; returns the 32 payload bytes.
    Bytes AcceptHello() {
        EXPECT_TRUE(recorder.AcceptClient());
        const ScriptedRecorder::Received hello = recorder.Read();
        EXPECT_TRUE(hello.ok);
        EXPECT_EQ(hello.id, 1u);
        EXPECT_EQ(hello.w0, 1u << 7);
        EXPECT_EQ(hello.w1 & 0xFFFF, 32u);
        return hello.payload;
    }
    void LogIn(std::uint8_t channels = 16) {
        AcceptHello();
        ASSERT_TRUE(recorder.Send(Msg::HELLO48_ACK, HelloReply(4, channels)));
        const ScriptedRecorder::Received live = recorder.ReadUntil(Msg::LIVE_REQ);
        ASSERT_TRUE(live.ok);
        EXPECT_EQ(live.payload, (Bytes{0, 0, 0xFF, 0xFF}));
        // The login's log entry follows the live request.
        ASSERT_TRUE(host.WaitFor([](const HostCall& c) { return c.kind == HostCall::LocalLog && c.subKind == 1; }));
    }
    bool WaitClosedNotice() { return host.WaitForNotice(kNoticeConnectionClosed); }
    bool WaitSocketThreadGone() {
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (client->GetSocketThreadId() != 0 && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(5ms);
        }
        return client->GetSocketThreadId() == 0;
    }

    ScriptedRecorder recorder;
    FakeClientHost host;
    FakeVideoView video;
    std::unique_ptr<CDvrClient> client;
};

} // namespace

TEST_F(ConnectionTest, LogsInWithLowerCasedSixteenByteFields) {
    StartClient("AdminUserName16c", "PassWordIs16Long");
    const Bytes hello = AcceptHello();
    ASSERT_EQ(hello.size(), 32u);
    EXPECT_EQ(std::string(hello.begin(), hello.begin() + 16), "adminusername16c"); // no terminator
    EXPECT_EQ(std::string(hello.begin() + 16, hello.end()), "passwordis16long");
    ASSERT_TRUE(recorder.Send(Msg::HELLO48_ACK, HelloReply(4, 6)));
    ASSERT_TRUE(recorder.ReadUntil(Msg::LIVE_REQ).ok);
    EXPECT_TRUE(client->Login().IsConnected());
    EXPECT_EQ(client->Login().GetHello().channel_num, 16);
    EXPECT_TRUE(host.WaitFor([](const HostCall& c) { return c.kind == HostCall::LocalLog && c.subKind == 1; }));

    // Short fields are zero-padded.
    ScriptedRecorder second;
    FakeClientHost host2;
    CDvrClient other(DvrClientSeams{&host2, &video, nullptr}, ShortTiming());
    other.Login().SetConnectParams("127.0.0.1", second.Port(), "Ab", "Cd");
    ASSERT_TRUE(other.Connect());
    ASSERT_TRUE(second.AcceptClient());
    const ScriptedRecorder::Received r = second.Read();
    Bytes expected(32, 0);
    expected[0] = 'a';
    expected[1] = 'b';
    expected[16] = 'c';
    expected[17] = 'd';
    EXPECT_EQ(r.payload, expected);
}

TEST_F(ConnectionTest, WrongProductEndsTheConnection) {
    StartClient();
    AcceptHello();
    ASSERT_TRUE(recorder.Send(Msg::HELLO48_ACK, HelloReply(3, 16)));
    EXPECT_TRUE(host.WaitFor([](const HostCall& c) { return c.kind == HostCall::WrongProduct; }));
    EXPECT_TRUE(WaitClosedNotice());
    EXPECT_TRUE(recorder.WaitForClose());
    EXPECT_TRUE(WaitSocketThreadGone());
    EXPECT_EQ(client->Login().GetDvrType(), 2u);
}

TEST_F(ConnectionTest, ByeReasonIsShownEvenWhenTheRecorderClosesAtOnce) {
    const std::pair<std::int32_t, LPARAM> cases[] = {
        {2, kNoticeByeClosedByRecorder}, {-2, kNoticeByeNoAnswer}, {37, kNoticeNotAllowed}};
    for (const auto& [reason, notice] : cases) {
        OwnConnection own(video);
        ASSERT_TRUE(own.Open("bad"));
        ScriptedRecorder& rec = own.recorder;
        FakeClientHost& h = own.host;
        ASSERT_TRUE(rec.Send(Msg::BYE48, ScriptedRecorder::Reason(reason)));
        rec.CloseClient();
        ASSERT_TRUE(h.WaitForNotice(kNoticeConnectionClosed)) << reason;
        // The refusal came before the close, and is not lost behind it.
        EXPECT_EQ(h.Notices(), (std::vector<LPARAM>{notice, kNoticeConnectionClosed})) << reason;
    }
}

// The client waits the grace period for the recorder's own close before it leaves: never earlier.
TEST_F(ConnectionTest, ARecorderThatSaysByeButStaysIsLeftAfterAGracePeriod) {
    StartClient();
    LogIn();
    const auto sent = std::chrono::steady_clock::now();
    ASSERT_TRUE(recorder.Send(Msg::BYE48, ScriptedRecorder::Reason(1)));
    EXPECT_TRUE(host.WaitForNotice(kNoticeByeUnknown));
    EXPECT_TRUE(WaitClosedNotice());
    EXPECT_TRUE(recorder.WaitForClose());
    EXPECT_GE(std::chrono::steady_clock::now() - sent, ShortTiming().byeGrace);
}

// A client that connects again after the recorder said goodbye is not ended by that old goodbye.
TEST_F(ConnectionTest, AConnectionAfterAGoodbyeOutlivesItsGracePeriod) {
    StartClient();
    LogIn();
    ASSERT_TRUE(recorder.Send(Msg::BYE48, ScriptedRecorder::Reason(2)));
    recorder.CloseClient();
    ASSERT_TRUE(WaitClosedNotice());
    ASSERT_TRUE(WaitSocketThreadGone());
    client->Disconnect();
    host.Clear();

    ASSERT_TRUE(client->Connect());
    LogIn();
    // Several grace periods, each looked at by the socket thread many times over.
    std::this_thread::sleep_for(ShortTiming().byeGrace * 4);
    EXPECT_NE(client->GetSocketThreadId(), 0u);
    EXPECT_TRUE(host.Notices().empty());
    EXPECT_TRUE(client->Login().IsConnected());
    client->Disconnect();
}

TEST_F(ConnectionTest, FailedConnectsEndWithANoticeAndNoThread) {
    struct Case {
        const char* address;
        bool listening;
        LPARAM notice;
    };
    const Case cases[] = {
        {"127.0.0.1", false, kNoticeConnectRefused},
        {"127.0.0.300", true, kNoticeConnectRefused}, // not an address: never the broadcast address
        {"recorder.local", true, kNoticeConnectRefused},
    };
    for (const Case& c : cases) {
        int port = 0;
        std::unique_ptr<LoopbackListener> listener;
        if (c.listening) {
            listener = std::make_unique<LoopbackListener>();
            port = listener->Port();
        } else {
            LoopbackListener gone;
            port = gone.Port();
        }
        FakeClientHost h;
        CDvrClient cl(DvrClientSeams{&h, &video, nullptr}, ShortTiming());
        cl.Login().SetConnectParams(c.address, static_cast<DWORD>(port), "admin", "1234");
        ASSERT_TRUE(cl.Connect());
        ASSERT_TRUE(h.WaitFor([](const HostCall& x) { return x.kind == HostCall::ConnectFailed; })) << c.address;
        const auto failed = h.CallsOf(HostCall::ConnectFailed);
        EXPECT_EQ(failed[0].notice, c.notice) << c.address;
        const auto logs = h.CallsOf(HostCall::LocalLog);
        ASSERT_EQ(logs.size(), 1u);
        EXPECT_EQ(logs[0].subKind, 4);
        EXPECT_EQ(logs[0].text32, "admin");
        EXPECT_EQ(logs[0].text128, c.address);
        // The UI's answer to the failure: disconnect, which finds no thread to wait for.
        const auto start = std::chrono::steady_clock::now();
        cl.Disconnect();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        EXPECT_EQ(cl.GetSocketThreadId(), 0u);
        EXPECT_TRUE(h.CallsOf(HostCall::Notice).empty()); // no socket thread ran: no closed notice
    }
}

TEST_F(ConnectionTest, DisconnectSaysByeWaitsAndLogsOnlyAfterLogin) {
    StartClient();
    LogIn();
    DvrClientTestPeer::Live(*client).store(0); // nothing runs or is asked for: only BYE48 goes out
    DvrClientTestPeer::LiveAsked(*client).store(false);
    host.Clear();
    std::thread peer([&] {
        const ScriptedRecorder::Received bye = recorder.Read();
        EXPECT_TRUE(bye.ok);
        EXPECT_EQ(bye.id, unsigned(Msg::BYE48));
        EXPECT_TRUE(bye.payload.empty());
        EXPECT_TRUE(recorder.WaitForClose());
    });
    const auto start = std::chrono::steady_clock::now();
    client->Disconnect();
    EXPECT_GE(std::chrono::steady_clock::now() - start, ShortTiming().disconnectWait);
    peer.join();
    EXPECT_EQ(client->GetSocketThreadId(), 0u);
    EXPECT_EQ(client->SendPacket(PacketHeader::Request(Msg::LIVE_STOP, 0), nullptr, 0), 0);
    const auto logs = host.CallsOf(HostCall::LocalLog);
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].subKind, 2);
    EXPECT_EQ(video.exitFullScreen, 1);
    // Windows that live only while connected are asked to close.
    int closes = 0;
    for (const HostCall& c : host.CallsOf(HostCall::Post)) {
        closes += c.message == kMsgClose ? 1 : 0;
    }
    EXPECT_EQ(closes, 6);

    // Without a hello reply there is no disconnect log entry.
    OwnConnection own(video);
    ASSERT_TRUE(own.Open("1234"));
    own.client.Disconnect();
    EXPECT_TRUE(own.host.CallsOf(HostCall::LocalLog).empty());
    EXPECT_TRUE(own.recorder.WaitForClose());
}

TEST_F(ConnectionTest, DisconnectStopsEveryRunningActivity) {
    StartClient();
    LogIn();
    DvrClientTestPeer::Live(*client).store(1);
    DvrClientTestPeer::Backup(*client).store(1);
    std::thread disconnect([&] { client->Disconnect(); });
    std::vector<unsigned> ids;
    for (;;) {
        const ScriptedRecorder::Received r = recorder.Read();
        if (!r.ok) {
            break;
        }
        ids.push_back(r.id);
    }
    disconnect.join();
    EXPECT_EQ(ids, (std::vector<unsigned>{Msg::LIVE_STOP, Msg::TRANS_OFF_REQ, Msg::BYE48}));
}

TEST_F(ConnectionTest, BrokenStreamsEndTheSocketThread) {
    struct Case {
        const char* what;
        Bytes bytes;
        bool closeAfter;
    };
    const Case cases[] = {
        // The header promises 100 bytes, 10 come, then nothing: the read gives up at its deadline.
        {"stall mid-payload", ScriptedRecorder::Message(Msg::DB_CHANGE, Bytes(10, 1), true, 100), false},
        // The same, but the recorder closes: noticed at once.
        {"close mid-payload", ScriptedRecorder::Message(Msg::DB_CHANGE, Bytes(10, 1), true, 100), true},
        // A length over the 16 bits of the field: the bits above it are not length.
        {"oversized length", ScriptedRecorder::Message(Msg::DB_CHANGE, Bytes(16, 1), true, 0x3FFF0010), false},
        {"garbage", Bytes(5000, 0xA5), true},
    };
    for (const Case& c : cases) {
        OwnConnection own(video);
        ASSERT_TRUE(own.Open("1234"));
        ScriptedRecorder& rec = own.recorder;
        FakeClientHost& h = own.host;
        CDvrClient& cl = own.client;
        ASSERT_TRUE(rec.Send(Msg::HELLO48_ACK, HelloReply(4, 16)));
        ASSERT_TRUE(rec.ReadUntil(Msg::LIVE_REQ).ok);
        const auto start = std::chrono::steady_clock::now();
        ASSERT_TRUE(rec.SendRaw(c.bytes)) << c.what;
        if (c.closeAfter) {
            rec.CloseClient();
        }
        if (std::string(c.what) == "oversized length") {
            // The client took 16 bytes as the payload and waits for the next header: still connected.
            std::this_thread::sleep_for(3 * ShortTiming().recvDeadline);
            EXPECT_TRUE(h.Notices().empty()) << c.what;
            ASSERT_TRUE(rec.Send(Msg::BYE48, ScriptedRecorder::Reason(3)));
            EXPECT_TRUE(h.WaitForNotice(kNoticeByeSetupChanged)) << c.what;
            rec.CloseClient();
        }
        ASSERT_TRUE(h.WaitForNotice(kNoticeConnectionClosed)) << c.what;
        const auto took = std::chrono::steady_clock::now() - start;
        if (std::string(c.what) == "stall mid-payload") {
            EXPECT_GE(took, ShortTiming().recvDeadline - 50ms) << c.what;
        }
        EXPECT_LT(took, 10s) << c.what;
        cl.Disconnect();
        EXPECT_EQ(cl.GetSocketThreadId(), 0u) << c.what;
    }
}

TEST_F(ConnectionTest, DisconnectCancelsAConnectInProgress) {
    LoopbackListener full(0);
    std::vector<std::shared_ptr<CTcpConnection>> fillers;
    for (int i = 0; i < 8; ++i) {
        auto f = CTcpConnection::Create();
        f->Connect(LoopbackAddress(), full.Port(), 200);
        fillers.push_back(f);
    }
    DvrClientTiming timing = ShortTiming();
    timing.connectTimeout = 60s;
    CDvrClient cl(DvrClientSeams{&host, &video, nullptr}, timing);
    cl.Login().SetConnectParams("127.0.0.1", full.Port(), "admin", "1234");
    const int before = HandshakesUnderWay(full.Port());
    ASSERT_TRUE(cl.Connect());
    // Disconnected only once the connect thread's handshake is out.
    EXPECT_TRUE(WaitForHandshake(full.Port(), before));
    const auto start = std::chrono::steady_clock::now();
    cl.Disconnect();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    EXPECT_EQ(cl.GetConnectThreadId(), 0u);
    EXPECT_EQ(cl.GetSocketThreadId(), 0u);
}

// However the recorder's bytes are cut into reads (a header in pieces, a payload of the largest size
// spread over many reads, many messages in one read), each message is handled whole and in order:
// the BYE48 behind the others is understood and says why.
TEST_F(ConnectionTest, MessagesAreTakenWholeHoweverTheBytesArrive) {
    Bytes stream;
    for (int i = 0; i < 40; ++i) {
        const Bytes small = ScriptedRecorder::Message(Msg::SILENT_SKIP, Bytes(std::size_t(i * 37 % 300), 0xA5));
        stream.insert(stream.end(), small.begin(), small.end());
    }
    const Bytes largest = ScriptedRecorder::Message(Msg::SILENT_SKIP, Bytes(0xFFFF, 0x5A));
    stream.insert(stream.end(), largest.begin(), largest.end());
    const Bytes bye = ScriptedRecorder::Message(Msg::BYE48, ScriptedRecorder::Reason(2));
    stream.insert(stream.end(), bye.begin(), bye.end());
    struct Case {
        const char* what;
        std::size_t piece; // bytes per write; 0: all at once
    };
    const Case cases[] = {{"all at once", 0},
                          {"one byte less than a header", 15},
                          {"odd pieces", 1009},
                          {"pieces larger than a message", 70001}};
    for (const Case& c : cases) {
        OwnConnection own(video);
        ASSERT_TRUE(own.Open("1234")) << c.what;
        ASSERT_TRUE(own.recorder.Send(Msg::HELLO48_ACK, HelloReply(4, 16)));
        ASSERT_TRUE(own.recorder.ReadUntil(Msg::LIVE_REQ).ok);
        const std::size_t piece = c.piece == 0 ? stream.size() : c.piece;
        for (std::size_t at = 0; at < stream.size(); at += piece) {
            const auto end = stream.begin() + std::ptrdiff_t(std::min(stream.size(), at + piece));
            ASSERT_TRUE(own.recorder.SendRaw(Bytes(stream.begin() + std::ptrdiff_t(at), end))) << c.what;
        }
        EXPECT_TRUE(own.host.WaitForNotice(kNoticeByeClosedByRecorder)) << c.what;
        EXPECT_EQ(own.host.Notices().front(), kNoticeByeClosedByRecorder) << c.what;
        own.client.Disconnect();
    }
}
