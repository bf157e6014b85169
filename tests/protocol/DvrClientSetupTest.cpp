// The setup record's transfer and the recorder's information blocks against a scripted recorder.
#include "protocol/ByteOrder.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/ClientRig.h"

#include <random>
#include <zlib.h>

using namespace rig;

namespace {

Bytes Record(std::uint32_t seed) {
    Bytes record(6632);
    std::mt19937 random(seed);
    for (auto& b : record) {
        b = std::uint8_t(random());
    }
    return record;
}

Bytes WithCrc(const Bytes& body, std::uint32_t crcDelta = 0) {
    Bytes payload = BE32(std::uint32_t(::crc32(0, body.data(), uInt(body.size()))) + crcDelta);
    payload.insert(payload.end(), body.begin(), body.end());
    return payload;
}

void SendFragments(ClientRig& r, unsigned id, const Bytes& payload, std::size_t fragment) {
    for (std::size_t at = 0; at < payload.size(); at += fragment) {
        const std::size_t n = std::min(fragment, payload.size() - at);
        ASSERT_TRUE(
            r.recorder.Send(id, Bytes(payload.begin() + at, payload.begin() + at + n), at + n == payload.size()));
    }
}

std::size_t CountPosts(const FakeClientHost& host, UINT message) {
    std::size_t n = 0;
    for (const HostCall& c : host.CallsOf(HostCall::Post)) {
        n += c.message == message ? 1 : 0;
    }
    return n;
}

} // namespace

TEST(ClientSetup, AGoodRecordArrivesWholeFromItsFragments) {
    ClientRig r;
    const Bytes record = Record(1);
    r.client->Setup().SendDbInfoReq();
    EXPECT_EQ(r.Next().id, unsigned(Msg::DB_INFO_REQ));
    SendFragments(r, Msg::DB_INFO_ACK, WithCrc(record), 2500);
    r.Sync();
    EXPECT_EQ(CountPosts(r.host, WM_KELO_SETUP_READY), 1u);
    SetupDatabase db;
    ASSERT_TRUE(r.client->Setup().TakeReceivedSetupDatabase(db));
    EXPECT_EQ(std::memcmp(&db, record.data(), record.size()), 0);
    EXPECT_FALSE(r.client->Setup().TakeReceivedSetupDatabase(db)); // handed over once
    EXPECT_TRUE(r.host.Notices().empty());
}

TEST(ClientSetup, DamagedShortOrOversizedRecordsAreRefused) {
    const Bytes record = Record(2);
    Bytes longer = record;
    longer.resize(6640, 0);
    struct Case {
        const char* name;
        Bytes payload;
    };
    const Case cases[] = {
        {"bad CRC", WithCrc(record, 1)},
        {"short", WithCrc(Bytes(record.begin(), record.begin() + 6000))},
        {"oversized", WithCrc(longer)},
        {"no CRC", Bytes{1, 2, 3}},
        {"empty", Bytes{}},
    };
    for (const Case& c : cases) {
        ClientRig r;
        SendFragments(r, Msg::DB_INFO_ACK, c.payload, 4000);
        if (c.payload.empty()) {
            r.recorder.Send(Msg::DB_INFO_ACK, {}, true);
        }
        // The refusal leaves nothing behind: a good record right after it is taken.
        SendFragments(r, Msg::DB_INFO_ACK, WithCrc(record), 65535);
        r.Sync();
        EXPECT_EQ(r.host.Notices(), std::vector<LPARAM>{kNoticeSetupDamaged}) << c.name;
        EXPECT_EQ(CountPosts(r.host, WM_KELO_SETUP_READY), 1u) << c.name;
        SetupDatabase db;
        ASSERT_TRUE(r.client->Setup().TakeReceivedSetupDatabase(db)) << c.name;
        EXPECT_EQ(std::memcmp(&db, record.data(), record.size()), 0) << c.name;
    }
}

TEST(ClientSetup, ARecordThatOutgrowsTheAreaIsRefused) {
    ClientRig r;
    const Bytes chunk(65535, 7);
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(r.recorder.Send(Msg::DB_INFO_ACK, chunk, false));
    }
    ASSERT_TRUE(r.recorder.Send(Msg::DB_INFO_ACK, chunk, true));
    r.Sync();
    EXPECT_EQ(r.host.Notices(), std::vector<LPARAM>{kNoticeSetupDamaged});
    EXPECT_EQ(CountPosts(r.host, WM_KELO_SETUP_READY), 0u);
}

TEST(ClientSetup, UpdateSendsTheRecordAsItStandsWithItsCrc) {
    ClientRig r;
    const Bytes record = Record(3);
    SetupDatabase db;
    std::memcpy(&db, record.data(), record.size());
    r.client->Setup().SendDbUpdate(db);
    const ScriptedRecorder::Received update = r.Next();
    ASSERT_EQ(update.id, unsigned(Msg::DB_UPDATE_REQ));
    ASSERT_EQ(update.payload.size(), 6636u);
    EXPECT_EQ(update.payload, WithCrc(record));
    r.Send(Msg::DB_UPDATE_ACK);
    r.Send(Msg::DB_UPDATE_NACK, BE32(97));
    r.Sync();
    EXPECT_EQ(r.host.Notices(), (std::vector<LPARAM>{kNoticeSetupSaved, kNoticeSetupRefusedChanging}));

    r.client->Setup().SendDbInitReq();
    EXPECT_EQ(r.Next().id, unsigned(Msg::DB_INIT_REQ));
    EXPECT_TRUE(r.host.WaitFor([](const HostCall& c) {
        return c.kind == HostCall::Post && c.window == ClientWindow::SetupFrame && c.message == kMsgClose;
    }));
}

TEST(ClientSetup, RightsDecideWhatTheAccountKeeps) {
    struct Case {
        const char* name;
        std::uint8_t rights;
        WPARAM rightsMessage; // 0x5255 to the search frame; 99 = the frame is closed instead
        bool setupClosed;
    };
    const Case cases[] = {
        {"all", 0xFF, 0, false},      {"no backup", 0xF7, 2, false}, {"no playback", 0xFB, 1, false},
        {"neither", 0xF3, 99, false}, {"no setup", 0xFD, 0, true},
    };
    for (const Case& c : cases) {
        ClientRig r;
        r.host.Clear();
        r.Send(Msg::RIGHT_CHANGE, RightsTable(c.rights));
        r.Sync();
        const auto posts = r.host.CallsOf(HostCall::Post);
        auto posted = [&](ClientWindow w, UINT message, WPARAM wParam) {
            return std::any_of(posts.begin(), posts.end(), [&](const HostCall& p) {
                return p.window == w && p.message == message && p.wParam == wParam;
            });
        };
        if (c.rightsMessage == 99) {
            EXPECT_TRUE(posted(ClientWindow::SearchFrame, kMsgClose, 0)) << c.name;
        } else {
            EXPECT_TRUE(posted(ClientWindow::SearchFrame, WM_KELO_RIGHTS_CHANGED, c.rightsMessage)) << c.name;
        }
        EXPECT_EQ(posted(ClientWindow::SetupFrame, kMsgClose, 0), c.setupClosed) << c.name;
        EXPECT_EQ(r.client->Setup().GetAccountIndex(), 0) << c.name;
        for (int k = 0; k < 8; ++k) {
            EXPECT_EQ(r.client->Setup().HasAccountRight(k), ((c.rights >> k) & 1) != 0) << c.name << " right " << k;
        }
    }
}

TEST(ClientSetup, PasswordAndMalformedOrForeignTables) {
    ClientRig r;
    r.Send(Msg::RIGHT_CHANGE, RightsTable(0xFF, "Admin", "12345678XY"));
    r.Sync();
    EXPECT_TRUE(r.client->Setup().CheckLoginPassword("12345678"));
    EXPECT_FALSE(r.client->Setup().CheckLoginPassword("1234"));
    // A table of the wrong size changes nothing.
    Bytes shortTable = RightsTable(0x00);
    shortTable.pop_back();
    r.Send(Msg::RIGHT_CHANGE, shortTable);
    r.Sync();
    EXPECT_TRUE(r.client->Setup().HasAccountRight(kRightPlayback));
    // A table without the logged-in user leaves it no right at all.
    r.Send(Msg::RIGHT_CHANGE, RightsTable(0xFF, "someone"));
    r.Sync();
    EXPECT_EQ(r.client->Setup().GetAccountIndex(), -1);
    for (int k = 0; k < 8; ++k) {
        EXPECT_FALSE(r.client->Setup().HasAccountRight(k)) << k;
    }
    EXPECT_FALSE(r.client->Setup().CheckLoginPassword("12345678"));
}

TEST(ClientSetup, LosingTheConnectRightEndsTheSession) {
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {{0xBF, 1}, {0xFF, 0}}; // right 6 gone / level 0
    for (const auto& [rights, level] : cases) {
        ClientRig r;
        r.Send(Msg::RIGHT_CHANGE, RightsTable(rights, "admin", "1234", level));
        EXPECT_TRUE(r.host.WaitForNotice(kNoticeNotAllowed));
        EXPECT_TRUE(r.host.WaitForNotice(kNoticeConnectionClosed)); // the socket thread ended
    }
}

TEST(ClientSetup, InformationBlocks) {
    ClientRig r;
    r.client->Commands().SetListenSwitch(true);
    Bytes change(596, 0);
    change[4 + 1] = 1;
    std::memcpy(change.data() + 20 + 32 * 6, "Back door", 9);
    change[540] = 200; // no such channel
    r.Send(Msg::DB_CHANGE, change);
    Bytes etc(320, 0);
    etc[0] = 9;
    r.Send(Msg::SYS_ETC_INFO, etc);
    Bytes dst(1204, 0);
    dst[3] = 3;
    dst[4] = 2;
    r.Send(Msg::DST_INFO, dst);
    r.Send(Msg::DST_INFO, Bytes(1203, 0xEE)); // wrong size: the table stays
    Bytes status(16, 0);
    status[7] = 2;
    r.Send(Msg::REC_STATUS, status);
    r.Sync();
    EXPECT_EQ(r.client->Setup().GetCameraName(6), "Back door");
    EXPECT_FALSE(r.video.Hidden(1)); // an account with right 5 sees hidden channels
    EXPECT_EQ(r.client->Setup().GetSysEtcInfo().language_code[0], 9);
    EXPECT_EQ(r.client->Setup().GetDstInfo().count, 3u);
    EXPECT_EQ(r.client->Setup().GetDstInfo().rules[0].start_month, 2);
    EXPECT_TRUE(r.client->Commands().IsRecording());
    EXPECT_TRUE(r.host.WaitFor([](const HostCall& c) {
        return c.kind == HostCall::Event && c.event == ClientEvent::RecordingState && c.value == 1;
    }));

    // With audio output running, the listening channel follows the block, within the channels.
    r.StartLive();
    r.audioOn = true;
    r.Send(Msg::DB_CHANGE, change);
    r.Sync();
    EXPECT_EQ(r.client->Media().GetListeningChannel(), -1);
    change[540] = 3;
    r.Send(Msg::DB_CHANGE, change);
    r.Sync();
    EXPECT_EQ(r.client->Media().GetListeningChannel(), 3);
}
