#include "protocol/Packet.h"
#include "protocol/ByteOrder.h"
#include "protocol/Crc32.h"
#include "protocol/MessageIds.h"
#include "tests/platform/net/LoopbackListener.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sys/socket.h>
#include <thread>
#include <vector>
#include <zlib.h>

namespace {

using namespace std::chrono_literals;

// A connected loopback pair: the client side as a CTcpConnection, the peer as a plain descriptor.
struct Link {
    LoopbackListener listener;
    std::shared_ptr<CTcpConnection> conn;
    int peer = -1;
    Link() {
        conn = CTcpConnection::Create();
        EXPECT_EQ(conn->Connect(LoopbackAddress(), listener.Port(), 5000), 0);
        peer = listener.Accept();
    }
    ~Link() {
        if (peer >= 0) {
            ::close(peer);
        }
    }
    void PeerSend(const std::vector<BYTE>& bytes) const {
        ASSERT_EQ(::send(peer, bytes.data(), bytes.size(), MSG_NOSIGNAL), static_cast<ssize_t>(bytes.size()));
    }
    std::vector<BYTE> PeerRead(std::size_t len) const {
        std::vector<BYTE> out(len);
        std::size_t got = 0;
        while (got < len) {
            const ssize_t n = ::recv(peer, out.data() + got, len - got, 0);
            if (n <= 0) {
                break;
            }
            got += static_cast<std::size_t>(n);
        }
        out.resize(got);
        return out;
    }
};

std::vector<BYTE> Bytes(std::initializer_list<int> values) {
    std::vector<BYTE> out;
    for (int v : values) {
        out.push_back(static_cast<BYTE>(v));
    }
    return out;
}

} // namespace

TEST(PacketHeader, RequestBytesOnTheWire) {
    struct Case {
        const char* what;
        PacketHeader header;
        std::vector<BYTE> bytes;
    };
    PacketHeader audioOn = PacketHeader::Request(Msg::AUDIO_ONOFF_REQ, 0);
    audioOn.w0 |= kAudioOnBit;
    const Case cases[] = {
        {"LIVE_STOP", PacketHeader::Request(Msg::LIVE_STOP, 0),
         Bytes({0, 0, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"AUDIO_ONOFF on", audioOn, Bytes({0, 0, 0x0B, 0x88, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"AUDIO_ONOFF off", PacketHeader::Request(Msg::AUDIO_ONOFF_REQ, 0),
         Bytes({0, 0, 0x0B, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"LIVE_REQ", PacketHeader::Request(Msg::LIVE_REQ, 4),
         Bytes({0, 0, 0x08, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"last FW_DATA", PacketHeader::Request(Msg::FW_DATA, 8000, true),
         Bytes({0, 0, 0x49, 0, 0x40, 0, 0x1F, 0x40, 0, 0, 0, 0, 0, 0, 0, 0})},
        {"POWEROFF_NACK id 347", PacketHeader::Request(Msg::POWEROFF_NACK, 0xFFFF),
         Bytes({0, 0, 0xAD, 0x80, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0})},
    };
    for (const Case& c : cases) {
        BYTE out[16];
        c.header.Encode(out);
        EXPECT_EQ(std::vector<BYTE>(out, out + 16), c.bytes) << c.what;
        const PacketHeader back = PacketHeader::Decode(out);
        EXPECT_EQ(back.w0, c.header.w0) << c.what;
        EXPECT_EQ(back.w1, c.header.w1) << c.what;
    }
}

TEST(PacketHeader, ReceivedFieldsIgnoreTheBitsAroundThem) {
    struct Case {
        std::vector<BYTE> bytes;
        WORD id;
        DWORD length;
        bool last;
        bool audioOn;
        DWORD audioChannel;
        DWORD speed;
    };
    const Case cases[] = {
        // High half of word 0 set: the id is still 266.
        {Bytes({0xFF, 0xFF, 0x85, 0x00, 0x40, 0x0B, 0x12, 0x34, 0, 0, 0, 0, 0, 0, 0, 0}), 266, 0x1234, true, false, 0,
         11},
        {Bytes({0x00, 0x00, 0x09, 0x0D, 0x00, 0x00, 0x00, 0x10, 0, 0, 0, 0, 0x4A, 0, 0, 0}), 18, 16, false, true, 5, 0},
        {Bytes({0x12, 0x34, 0xFF, 0x80, 0xBF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0}), 511, 0xFFFF, false, false, 0,
         0x3F},
    };
    for (const Case& c : cases) {
        const PacketHeader h = PacketHeader::Decode(c.bytes.data());
        EXPECT_EQ(h.Id(), c.id);
        EXPECT_EQ(h.Length(), c.length);
        EXPECT_EQ(h.IsLastFragment(), c.last);
        EXPECT_EQ(h.AudioOn(), c.audioOn);
        EXPECT_EQ(h.AudioChannel(), c.audioChannel);
        EXPECT_EQ(h.SpeedCode(), c.speed);
    }
}

TEST(MessageIds, SharedNumberHasANamePerDirection) {
    EXPECT_STREQ(MessageName(102, MsgDir::In), "TRANS_ON_NACK");
    EXPECT_STREQ(MessageName(102, MsgDir::Out), "TRANS_OFF_REQ");
    EXPECT_STREQ(MessageName(Msg::BYE48, MsgDir::In), "BYE48");
    EXPECT_EQ(MessageName(300, MsgDir::In), nullptr);
    EXPECT_EQ(MessageName(Msg::SILENT_SKIP, MsgDir::In), nullptr);
    EXPECT_TRUE(IsFragmentedMessage(Msg::EVENT_INFO_ACK));
    EXPECT_FALSE(IsFragmentedMessage(Msg::EVENT_INFO_NACK));
}

TEST(SendPacket, SendsOneMessageAndLeavesTheCallersHeaderInHostOrder) {
    Link link;
    const PacketHeader header = PacketHeader::Request(Msg::LIVE_REQ, 4);
    const BYTE mask[4] = {0, 0, 0xFF, 0xFF};
    EXPECT_EQ(SendPacket(link.conn.get(), header, mask, 4), 20);
    EXPECT_EQ(SendPacket(link.conn.get(), header, mask, 4), 20); // the same header again
    const std::vector<BYTE> expected = Bytes({0, 0, 8, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF});
    EXPECT_EQ(link.PeerRead(20), expected);
    EXPECT_EQ(link.PeerRead(20), expected);
    EXPECT_EQ(header.w0, DWORD(Msg::LIVE_REQ) << 7);

    const PacketHeader bye = PacketHeader::Request(Msg::BYE48, 0);
    EXPECT_EQ(SendPacket(link.conn.get(), bye, nullptr, 0), 16);
    EXPECT_EQ(link.PeerRead(16).size(), 16u);

    EXPECT_EQ(SendPacket(nullptr, bye, nullptr, 0), 0);
    std::vector<BYTE> tooLong(70000);
    EXPECT_EQ(SendPacket(link.conn.get(), PacketHeader::Request(Msg::FW_DATA, 0), tooLong.data(), 70000), 0);
    link.conn->Close();
    EXPECT_EQ(SendPacket(link.conn.get(), bye, nullptr, 0), 0);
}

TEST(RecvReply, ReasonsExtraBytesAndFailures) {
    struct Case {
        const char* what;
        std::vector<BYTE> payload;
        LONG reason;
        bool extraFilled;
    };
    const Case cases[] = {
        {"empty", {}, Reason::EMPTY_PAYLOAD, false},
        {"four bytes", Bytes({0, 0, 0, 83}), 83, false},
        {"minus two", Bytes({0xFF, 0xFF, 0xFF, 0xFE}), -2, false},
        {"reason 87 with sizes", Bytes({0, 0, 0, 87, 0, 0, 1, 0, 0, 0, 2, 0}), 87, true},
        {"eight bytes", Bytes({0, 0, 0, 1, 9, 9, 9, 9}), 1, false},
        {"two bytes only", Bytes({0x12, 0x34}), 0x12340000, false},
    };
    for (const Case& c : cases) {
        Link link;
        PacketHeader h = PacketHeader::Request(Msg::TRANS_ON_NACK, static_cast<DWORD>(c.payload.size()));
        if (!c.payload.empty()) {
            link.PeerSend(c.payload);
        }
        BYTE extra[8];
        std::memset(extra, 0xEE, sizeof extra);
        EXPECT_EQ(RecvReply(*link.conn, h, extra, 5s), c.reason) << c.what;
        if (c.extraFilled) {
            EXPECT_EQ(std::vector<BYTE>(extra, extra + 8), Bytes({0, 0, 1, 0, 0, 0, 2, 0})) << c.what;
        } else {
            EXPECT_EQ(std::vector<BYTE>(extra, extra + 8), std::vector<BYTE>(8, 0xEE)) << c.what;
        }
    }
    // A broken connection: the payload never comes.
    Link broken;
    ::close(broken.peer);
    broken.peer = -1;
    BYTE extra[8] = {};
    EXPECT_EQ(RecvReply(*broken.conn, PacketHeader::Request(Msg::LIVE_NACK, 4), extra, 5s), Reason::READ_FAILED);
}

TEST(RecvAll, GivesUpAtTheDeadlineFromEntryAndAtOnceWhenThePeerCloses) {
    using Clock = std::chrono::steady_clock;
    {
        // The peer sends half, then stalls: the deadline counts from entry, not from the last byte.
        Link link;
        std::thread trickle([&] {
            std::this_thread::sleep_for(150ms);
            link.PeerSend(Bytes({1, 2, 3, 4}));
        });
        BYTE buf[8];
        const auto start = Clock::now();
        EXPECT_FALSE(RecvAll(*link.conn, buf, sizeof buf, 400ms));
        const auto took = Clock::now() - start;
        trickle.join();
        EXPECT_GE(took, 390ms);
        EXPECT_LT(took, 5s);
    }
    {
        Link link;
        link.PeerSend(Bytes({1, 2, 3}));
        ::close(link.peer);
        link.peer = -1;
        BYTE buf[8];
        const auto start = Clock::now();
        EXPECT_FALSE(RecvAll(*link.conn, buf, sizeof buf, 60s));
        EXPECT_LT(Clock::now() - start, 10s);
    }
    {
        Link link;
        std::thread later([&] {
            std::this_thread::sleep_for(50ms);
            link.PeerSend(Bytes({5, 6}));
            std::this_thread::sleep_for(50ms);
            link.PeerSend(Bytes({7, 8, 9}));
        });
        BYTE buf[5];
        EXPECT_TRUE(RecvAll(*link.conn, buf, sizeof buf, 10s));
        later.join();
        EXPECT_EQ(std::vector<BYTE>(buf, buf + 5), Bytes({5, 6, 7, 8, 9}));
        EXPECT_TRUE(RecvAll(*link.conn, buf, 0, 0ms));
    }
}

// Eight threads share one connection to a reader that drains slowly; every message must arrive whole,
// never interleaved with another thread's bytes, and none may be lost.
TEST(SendPacket, ConcurrentSendersNeverInterleave) {
    constexpr int kThreads = 8;
    constexpr int kPerThread = 1000;
    Link link;
    std::atomic<int> failures{0};
    std::vector<std::thread> senders;
    for (int t = 0; t < kThreads; ++t) {
        senders.emplace_back([&, t] {
            std::mt19937 rng(1234u + static_cast<unsigned>(t));
            std::uniform_int_distribution<DWORD> size(0, kMaxPayloadLength);
            std::vector<BYTE> body(kMaxPayloadLength);
            for (int i = 0; i < kPerThread; ++i) {
                const DWORD len = size(rng);
                // Every body byte names its thread and sequence number, so a torn message shows.
                for (DWORD k = 0; k < len; ++k) {
                    body[k] = static_cast<BYTE>(t * 31 + i + k);
                }
                PacketHeader h = PacketHeader::Request(static_cast<WORD>(100 + t), len);
                h.w2 = static_cast<DWORD>(i);
                if (SendPacket(link.conn.get(), h, body.data(), len) != static_cast<int>(16 + len)) {
                    ++failures;
                }
            }
        });
    }
    std::map<int, int> nextSeq;
    int received = 0;
    bool torn = false;
    std::vector<BYTE> body;
    while (received < kThreads * kPerThread && !torn) {
        const std::vector<BYTE> head = link.PeerRead(16);
        ASSERT_EQ(head.size(), 16u);
        const PacketHeader h = PacketHeader::Decode(head.data());
        const int t = h.Id() - 100;
        ASSERT_TRUE(t >= 0 && t < kThreads) << "garbled header";
        body = link.PeerRead(h.Length());
        ASSERT_EQ(body.size(), h.Length());
        const int i = static_cast<int>(h.w2);
        EXPECT_EQ(i, nextSeq[t]) << "thread " << t;
        nextSeq[t] = i + 1;
        for (DWORD k = 0; k < h.Length(); ++k) {
            if (body[k] != static_cast<BYTE>(t * 31 + i + k)) {
                torn = true;
                break;
            }
        }
        ++received;
        if (received % 500 == 0) {
            std::this_thread::sleep_for(2ms); // a slow reader keeps the socket buffer full
        }
    }
    for (auto& s : senders) {
        s.join();
    }
    EXPECT_FALSE(torn);
    EXPECT_EQ(received, kThreads * kPerThread);
    EXPECT_EQ(failures.load(), 0);
}

TEST(Crc32, EqualsZlib) {
    std::vector<BYTE> data(6632);
    std::mt19937 rng(7);
    for (BYTE& b : data) {
        b = static_cast<BYTE>(rng());
    }
    EXPECT_EQ(Crc32(0, data.data(), data.size()), static_cast<DWORD>(crc32(0, data.data(), 6632)));
    EXPECT_EQ(Crc32(0, "123456789", 9), 0xCBF43926u);
    // Running over two pieces equals one pass.
    EXPECT_EQ(Crc32(Crc32(0, data.data(), 100), data.data() + 100, 6532), Crc32(0, data.data(), 6632));
    EXPECT_EQ(Crc32(0, nullptr, 0), 0u);
}

TEST(ByteOrder, ReadsAndWritesBothOrders) {
    BYTE b[4];
    WriteBE32(b, 0x01020304);
    EXPECT_EQ(Bytes({1, 2, 3, 4}), std::vector<BYTE>(b, b + 4));
    EXPECT_EQ(ReadLE32(b), 0x04030201u);
    WriteLE16(b, 0x1FF);
    EXPECT_EQ(ReadBE16(b), 0xFF01);
    EXPECT_EQ(ReadLE16(b), 0x01FF);
}
