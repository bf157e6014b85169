// The receive path without a socket: messages go through ProcessMessage as the socket thread hands
// them over, and the recording host shows what reached the windows.
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/support/DvrClientTestPeer.h"

#include <cstring>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<BYTE> ReasonBytes(LONG reason) {
    std::vector<BYTE> b(4);
    WriteBE32(b.data(), static_cast<DWORD>(reason));
    return b;
}

class DispatchTest : public ::testing::Test {
protected:
    DispatchTest() : client(DvrClientSeams{&host, &video, nullptr}) { host.Clear(); }

    bool Feed(WORD id, const std::vector<BYTE>& payload, bool last = true, DWORD extraW0 = 0) {
        PacketHeader h = PacketHeader::Request(id, static_cast<DWORD>(payload.size()), last);
        h.w0 |= extraW0;
        return client.ProcessMessage(h, payload.data(), static_cast<DWORD>(payload.size()));
    }

    static std::vector<BYTE> Hello(BYTE product, BYTE channels, BYTE major, BYTE minor) {
        std::vector<BYTE> b(kHelloInfoSize, 0);
        b[2] = product;
        b[3] = major;
        b[4] = minor;
        b[6] = channels;
        for (int e = 0; e < 20; ++e) {
            std::snprintf(reinterpret_cast<char*>(&b[48 + 32 * e]), 32, "part%d", e);
            WriteBE32(&b[688 + 4 * e], 1000u + static_cast<DWORD>(e));
        }
        return b;
    }

    FakeClientHost host;
    FakeVideoView video;
    CDvrClient client;
};

} // namespace

TEST_F(DispatchTest, EveryRefusalPostsItsNotice) {
    struct Case {
        WORD id;
        LONG reason;
        LPARAM notice; // 0 = none
    };
    const Case cases[] = {
        {Msg::LIVE_NACK, 1, kNoticeLiveRefused},
        {Msg::LIVE_NACK, 2, 0},
        {Msg::LIVE_STOP_NACK, 1, kNoticeLiveRefused},
        {Msg::REC_ON_NACK, 65, kNoticeLiveNotAllowedNow},
        {Msg::REC_OFF_NACK, 66, kNoticeLivePlaybackRunning},
        {Msg::PLAY_OFF_NACK, 2, kNoticeRefusedWrongRequest},
        {Msg::TRANS_OFF_NACK, 1, kNoticeRefused},
        {Msg::REBOOT_NACK, 2, kNoticeRefusedWrongRequest},
        {Msg::POWEROFF_NACK, 1, kNoticeRefused},
        {Msg::POWEROFF_NACK, 83, 0},
        {Msg::PLAY_ON_NACK, 53, kNoticeRefusedInUse},
        {Msg::PLAY_ON_NACK, 83, kNoticeNothingFound},
        {Msg::PLAY_ON_NACK, 86, 0},
        {Msg::PLAY_ON_FAIL, 86, kNoticeRefusedBusy},
        {Msg::TRANS_ON_FAIL, 98, kNoticeRefusedDiskError},
        {Msg::TRANS_ON_NACK, 87, kNoticeRefusedNoSpace},
        {Msg::DB48_INFO_NACK, 83, kNoticeNothingFound},
        {Msg::DB_UPDATE_NACK, 51, kNoticeSetupRefusedBusy},
        {Msg::DB_UPDATE_NACK, 81, kNoticeSetupRefusedInvalid},
        {Msg::DB_UPDATE_NACK, 97, kNoticeSetupRefusedChanging},
        {Msg::DB_INIT_NACK, 97, kNoticeRefusedSetupChanging},
        {Msg::SEND_TEST_MAIL_NACK, 1, kNoticeRefused},
        {Msg::PLAY_INFO_MONTH_NACK, 86, kNoticeRefusedBusy},
        {Msg::TRANS_INFO_MONTH_NACK, 98, kNoticeRefusedDiskError},
        {Msg::PLAY_INFO_DAY_NACK, 82, kNoticeNothingFound},
        {Msg::PLAY_INFO_DAY_NACK, 52, kNoticeRefusedInUse},
        {Msg::TRANS_INFO_DAY_NACK, 86, kNoticeRefusedBusy},
        {Msg::EVENT_INFO_NACK, 97, kNoticeRefusedDiskError},
        {Msg::LOG_INFO_NACK, 86, kNoticeRefusedBusy},
        {Msg::SYSTEM_INFO_NACK, 83, kNoticeNothingFound},
        {Msg::STATUS_INFO_NACK, 1, kNoticeRefused},
        {Msg::STATUS_INFO_NACK, 53, 0},
        {Msg::A_LISTEN_NACK, 54, kNoticeTalkInUse},
        {Msg::A_LISTEN_NACK, 55, kNoticeTalkUnavailable},
    };
    for (const Case& c : cases) {
        host.Clear();
        EXPECT_TRUE(Feed(c.id, ReasonBytes(c.reason))) << c.id;
        const std::vector<LPARAM> notices = host.Notices();
        if (c.notice == 0) {
            EXPECT_TRUE(notices.empty()) << c.id << " reason " << c.reason;
        } else {
            EXPECT_EQ(notices, std::vector<LPARAM>{c.notice}) << c.id << " reason " << c.reason;
        }
        EXPECT_EQ(CDvrClient::RefusalNotice(c.id, c.reason), c.notice);
    }
    // A short reason is formed from the bytes that came, padded with zeros; an empty one is no reason.
    host.Clear();
    EXPECT_TRUE(Feed(Msg::LIVE_NACK, {0, 0, 0}));
    EXPECT_TRUE(Feed(Msg::LIVE_NACK, {}));
    EXPECT_TRUE(host.Notices().empty());
}

TEST_F(DispatchTest, SearchRefusalsEndTheFramesWaitAndLeaveItOpen) {
    // Month, nothing found: an empty month reaches the frame, no notice.
    EXPECT_TRUE(Feed(Msg::PLAY_INFO_MONTH_NACK, ReasonBytes(83)));
    auto replies = host.CallsOf(HostCall::Reply);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].message, WM_KELO_PLAY_MONTH_READY);
    EXPECT_EQ(replies[0].count, 0u);
    EXPECT_TRUE(host.Notices().empty());
    EXPECT_EQ(host.CallsOf(HostCall::ClearBusy).size(), 1u);

    // Event refusal: notice over the frame, then an empty event list whatever the reason.
    host.Clear();
    EXPECT_TRUE(Feed(Msg::EVENT_INFO_NACK, ReasonBytes(12345)));
    EXPECT_TRUE(host.Notices().empty());
    replies = host.CallsOf(HostCall::Reply);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].message, WM_KELO_EVENT_LIST_READY);
    host.Clear();
    EXPECT_TRUE(Feed(Msg::EVENT_INFO_NACK, ReasonBytes(1)));
    const auto notices = host.CallsOf(HostCall::Notice);
    ASSERT_EQ(notices.size(), 1u);
    EXPECT_EQ(notices[0].window, ClientWindow::SearchFrame);

    // Log, system and status refusals: a notice and the wait ends; the frame is never closed.
    for (WORD id : {Msg::LOG_INFO_NACK, Msg::SYSTEM_INFO_NACK, Msg::STATUS_INFO_NACK}) {
        host.Clear();
        EXPECT_TRUE(Feed(id, ReasonBytes(1)));
        EXPECT_EQ(host.Notices(), std::vector<LPARAM>{kNoticeRefused});
        EXPECT_EQ(host.CallsOf(HostCall::ClearBusy).size(), 1u);
        EXPECT_TRUE(host.CallsOf(HostCall::Post).empty());
    }
}

TEST_F(DispatchTest, ListFragmentsAreGatheredAndHandedOverWhole) {
    client.Search().SetSearchFrameOpen(true);
    std::vector<BYTE> all(3 * kMonthRecordSize + 100);
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<BYTE>(i * 7);
    }
    // Three fragments that split records anywhere; the last carries bit 30.
    EXPECT_TRUE(Feed(Msg::PLAY_INFO_MONTH_ACK, std::vector<BYTE>(all.begin(), all.begin() + 500), false));
    EXPECT_TRUE(Feed(Msg::PLAY_INFO_MONTH_ACK, std::vector<BYTE>(all.begin() + 500, all.begin() + 900), false));
    EXPECT_TRUE(host.CallsOf(HostCall::Reply).empty());
    EXPECT_TRUE(Feed(Msg::PLAY_INFO_MONTH_ACK, std::vector<BYTE>(all.begin() + 900, all.begin() + 3 * 376)));
    auto replies = host.CallsOf(HostCall::Reply);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].message, WM_KELO_PLAY_MONTH_READY);
    EXPECT_EQ(replies[0].count, 3u);
    EXPECT_EQ(replies[0].bytes, std::vector<BYTE>(all.begin(), all.begin() + 3 * 376));
    EXPECT_EQ(client.Search().GetLatestMonthRecords(), replies[0].bytes);

    // Text replies keep every byte; the buffer starts empty for the next reply.
    host.Clear();
    EXPECT_TRUE(Feed(Msg::LOG_INFO_ACK, std::vector<BYTE>(all.begin(), all.begin() + 1000), false));
    EXPECT_TRUE(Feed(Msg::LOG_INFO_ACK, std::vector<BYTE>(all.begin() + 1000, all.end())));
    replies = host.CallsOf(HostCall::Reply);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].message, WM_KELO_LOG_READY);
    EXPECT_EQ(replies[0].bytes, all);

    // Segments: a trans-day reply does not touch the client's latest copy, an event reply does.
    host.Clear();
    EXPECT_TRUE(Feed(Msg::TRANS_INFO_DAY_ACK, std::vector<BYTE>(48, 1)));
    EXPECT_TRUE(client.Search().GetLatestSegmentRecords().empty());
    EXPECT_TRUE(Feed(Msg::EVENT_INFO_ACK, std::vector<BYTE>(24, 2)));
    EXPECT_EQ(client.Search().GetLatestSegmentRecords(), std::vector<BYTE>(24, 2));
    replies = host.CallsOf(HostCall::Reply);
    ASSERT_EQ(replies.size(), 2u);
    EXPECT_EQ(replies[0].message, WM_KELO_TRANS_DAY_READY);
    EXPECT_EQ(replies[0].count, 2u);
}

TEST_F(DispatchTest, AReplyOverTheBufferIsCutAtWholeRecords) {
    client.Search().SetSearchFrameOpen(true);
    const std::vector<BYTE> fragment(65000, 0x5A);
    const int fragments = 40; // 2.6 MB, over the 2 MB buffer
    for (int i = 0; i < fragments; ++i) {
        EXPECT_TRUE(Feed(Msg::TRANS_INFO_MONTH_ACK, fragment, i == fragments - 1));
    }
    const auto replies = host.CallsOf(HostCall::Reply);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].count, kSearchReplyCapacity / kMonthRecordSize);
    EXPECT_EQ(replies[0].bytes.size(), replies[0].count * kMonthRecordSize);

    // The next reply is not prefixed by the excess.
    host.Clear();
    EXPECT_TRUE(Feed(Msg::TRANS_INFO_MONTH_ACK, std::vector<BYTE>(376, 1)));
    ASSERT_EQ(host.CallsOf(HostCall::Reply).size(), 1u);
    EXPECT_EQ(host.CallsOf(HostCall::Reply)[0].bytes, std::vector<BYTE>(376, 1));
}

TEST_F(DispatchTest, AReplyWithoutAWholeRecordStillEndsTheWait) {
    client.Search().SetSearchFrameOpen(true);
    struct Case {
        WORD id;
        UINT ready; // 0: a day reply, which ends with notice 4/0
    };
    const Case cases[] = {
        {Msg::PLAY_INFO_MONTH_ACK, WM_KELO_PLAY_MONTH_READY},
        {Msg::TRANS_INFO_MONTH_ACK, WM_KELO_TRANS_MONTH_READY},
        {Msg::EVENT_INFO_ACK, WM_KELO_EVENT_LIST_READY},
        {Msg::PLAY_INFO_DAY_ACK, 0},
        {Msg::TRANS_INFO_DAY_ACK, 0},
    };
    for (const Case& c : cases) {
        host.Clear();
        EXPECT_TRUE(Feed(
            c.id,
            std::vector<BYTE>(c.id == Msg::PLAY_INFO_MONTH_ACK || c.id == Msg::TRANS_INFO_MONTH_ACK ? 375 : 23, 9)));
        if (c.ready != 0) {
            const auto replies = host.CallsOf(HostCall::Reply);
            ASSERT_EQ(replies.size(), 1u) << c.id;
            EXPECT_EQ(replies[0].message, c.ready);
            EXPECT_EQ(replies[0].count, 0u);
        } else {
            EXPECT_EQ(host.CallsOf(HostCall::ClearBusy).size(), 1u) << c.id;
            EXPECT_EQ(host.Notices(), std::vector<LPARAM>{kNoticeNothingFound}) << c.id;
        }
        // Nothing stale is left: a following whole record arrives alone.
        host.Clear();
        EXPECT_TRUE(Feed(Msg::PLAY_INFO_DAY_ACK, std::vector<BYTE>(24, 3)));
        ASSERT_EQ(host.CallsOf(HostCall::Reply).size(), 1u);
        EXPECT_EQ(host.CallsOf(HostCall::Reply)[0].bytes, std::vector<BYTE>(24, 3));
    }
}

TEST_F(DispatchTest, RepliesForAClosedFrameAreDropped) {
    EXPECT_TRUE(Feed(Msg::PLAY_INFO_DAY_ACK, std::vector<BYTE>(24, 1), false));
    EXPECT_TRUE(Feed(Msg::PLAY_INFO_DAY_ACK, std::vector<BYTE>(24, 1)));
    EXPECT_TRUE(host.CallsOf(HostCall::Reply).empty());
    // The frame opens and asks again: no leftover from the dropped reply.
    client.Search().SetSearchFrameOpen(true);
    client.Search().ResetSearchReply();
    EXPECT_TRUE(Feed(Msg::PLAY_INFO_DAY_ACK, std::vector<BYTE>(24, 2)));
    ASSERT_EQ(host.CallsOf(HostCall::Reply).size(), 1u);
    EXPECT_EQ(host.CallsOf(HostCall::Reply)[0].count, 1u);
}

TEST_F(DispatchTest, HelloReplyLogsInAndKeepsTheFirmwareTableInSlotOrder) {
    ASSERT_TRUE(Feed(Msg::HELLO48_ACK, Hello(4, 6, 1, 1)));
    EXPECT_TRUE(client.Login().IsConnected());
    EXPECT_EQ(client.Login().GetDvrType(), 3u);
    EXPECT_EQ(client.Login().GetHello().channel_num, 16); // 6 is served as 16
    EXPECT_TRUE(client.Login().IsVersion11());
    EXPECT_FALSE(client.Login().IsVersion12());
    // Slots 0, 3, 4, 5, 6 hold entries 0, 2, 5, 3, 4; the rest are empty.
    const int entryOfSlot[7] = {0, -1, -1, 2, 5, 3, 4};
    for (int slot = 0; slot < 20; ++slot) {
        const int entry = slot < 7 ? entryOfSlot[slot] : -1;
        if (entry < 0) {
            EXPECT_EQ(client.Login().GetHello().FirmName[slot][0], '\0') << slot;
            EXPECT_EQ(client.Login().GetHello().FirmVer[slot], 0u) << slot;
        } else {
            EXPECT_EQ(std::string(client.Login().GetHello().FirmName[slot]), "part" + std::to_string(entry));
            EXPECT_EQ(client.Login().GetHello().FirmVer[slot], 1000u + static_cast<DWORD>(entry));
        }
    }
    const auto logs = host.CallsOf(HostCall::LocalLog);
    ASSERT_EQ(logs.size(), 1u);
    EXPECT_EQ(logs[0].subKind, 1);

    // A second hello reply changes nothing.
    host.Clear();
    EXPECT_TRUE(Feed(Msg::HELLO48_ACK, Hello(4, 8, 2, 0)));
    EXPECT_EQ(client.Login().GetHello().channel_num, 16);
    EXPECT_TRUE(host.Calls().empty());
}

TEST(DvrClientHello, OtherProductsAndSizesEndTheConnection) {
    struct Case {
        BYTE product;
        std::size_t size;
        DWORD type;
        BYTE channels;
        BYTE major, minor;
        bool v11, v12;
    };
    const Case cases[] = {
        {1, 768, 1, 16, 1, 0, false, false}, {2, 768, 2, 16, 1, 0, false, false}, {3, 768, 2, 16, 1, 0, false, false},
        {9, 768, 0, 16, 1, 0, false, false}, {4, 767, 0, 16, 1, 0, false, false}, {4, 768, 3, 8, 1, 2, true, true},
        {4, 768, 3, 4, 2, 0, true, true},    {4, 768, 3, 0, 1, 0, false, false},
    };
    for (const Case& c : cases) {
        FakeClientHost host;
        FakeVideoView video;
        CDvrClient client(DvrClientSeams{&host, &video, nullptr});
        std::vector<BYTE> b(c.size, 0);
        if (c.size > 6) {
            b[2] = c.product;
            b[3] = c.major;
            b[4] = c.minor;
            b[6] = c.channels;
        }
        const PacketHeader h = PacketHeader::Request(Msg::HELLO48_ACK, static_cast<DWORD>(b.size()));
        const bool served = c.type == kServedRecorderType;
        EXPECT_EQ(client.ProcessMessage(h, b.data(), static_cast<DWORD>(b.size())), served);
        EXPECT_EQ(client.Login().GetDvrType(), c.type);
        EXPECT_EQ(host.CallsOf(HostCall::WrongProduct).size(), served ? 0u : 1u);
        if (served) {
            EXPECT_EQ(client.Login().GetHello().channel_num, c.channels == 0 ? 16 : c.channels);
            EXPECT_EQ(client.Login().IsVersion11(), c.v11 ? 1 : 0);
            EXPECT_EQ(client.Login().IsVersion12(), c.v12 ? 1 : 0);
        }
    }
}

TEST_F(DispatchTest, Bye48ReasonsBecomeNotices) {
    struct Case {
        LONG reason;
        LPARAM notice;
    };
    const Case cases[] = {{1, kNoticeByeUnknown},
                          {2, kNoticeByeClosedByRecorder},
                          {3, kNoticeByeSetupChanged},
                          {33, kNoticeByeFirmwareUpdate},
                          {34, kNoticeByeShutDown},
                          {35, kNoticeByeAnotherUser},
                          {36, kNoticeByeTooManyConnections},
                          {-2, kNoticeByeNoAnswer},
                          {37, kNoticeNotAllowed},
                          {4, 0}};
    for (const Case& c : cases) {
        host.Clear();
        DvrClientTestPeer::Connected(client).store(1);
        EXPECT_TRUE(Feed(Msg::BYE48, ReasonBytes(c.reason)));
        EXPECT_FALSE(client.Login().IsConnected());
        EXPECT_EQ(host.Notices(), c.notice ? std::vector<LPARAM>{c.notice} : std::vector<LPARAM>{});
        const auto logs = host.CallsOf(HostCall::LocalLog);
        ASSERT_EQ(logs.size(), 1u);
        EXPECT_EQ(logs[0].kind2, 2);
        EXPECT_EQ(logs[0].subKind, 4);
    }
}

TEST_F(DispatchTest, AudioBitsFollowEveryHeaderOnlyWhileAStreamRuns) {
    const std::vector<BYTE> none;
    // On while nothing runs: nothing starts, and the change is seen again later.
    EXPECT_TRUE(Feed(Msg::REC_STATUS, none, true, kAudioOnBit | 5));
    EXPECT_EQ(client.Media().GetAudioChannel(), 5u);
    EXPECT_FALSE(client.IsAudioOut());
    DvrClientTestPeer::Live(client).store(1);
    EXPECT_TRUE(Feed(300, none, true, kAudioOnBit | 2)); // any message, even one without a handler
    EXPECT_TRUE(client.IsAudioOut());
    EXPECT_EQ(client.Media().GetAudioChannel(), 2u);
    // Another message with the bit still set changes nothing; one without it stops the audio.
    host.Clear();
    EXPECT_TRUE(Feed(Msg::MESSAGE_257, none, true, kAudioOnBit | 2));
    EXPECT_TRUE(host.CallsOf(HostCall::Event).empty());
    DvrClientTestPeer::AudioChannelMask(client).store(4);
    EXPECT_TRUE(Feed(Msg::LIVE_STOP_ACK, none));
    EXPECT_FALSE(client.IsAudioOut());
    EXPECT_EQ(client.Media().GetAudioChannelMask(), 0u);
    const auto events = host.CallsOf(HostCall::Event);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].event, ClientEvent::AudioOutState);
    EXPECT_EQ(events[0].value, 0);
}

TEST_F(DispatchTest, IdsWithoutAHandlerCostOnlyTheirPayload) {
    for (WORD id : {WORD(0), WORD(300), Msg::SILENT_SKIP, Msg::HELLO, Msg::SYSTEM_INFO_REQ}) {
        EXPECT_TRUE(Feed(id, std::vector<BYTE>(1000, 0xAB))) << id;
    }
    EXPECT_TRUE(host.Calls().empty());
}
