// Every refusal the recorder can give, by message and reason, against the simulator's --refuse:
// the notice each (message, reason) posts to the main window, or none.
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/Crc32.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/PacketHeader.h"
#include "protocol/ReasonCodes.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/protocol/FakeMedia.h"
#include "tests/protocol/SimClientTiming.h"
#include "tests/support/Prerequisite.h"
#include "tests/support/SimProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

struct Refusal {
    const char* message; // the refusal the simulator sends
    long reason;
    LPARAM notice; // posted to the main window; 0: none
    UINT frameMsg; // the search frame's ready message delivered besides (or instead); 0: none
};

// The whole table: each refusal message with every reason the client tells apart.
const Refusal kRefusals[] = {
    {"LIVE_NACK", 1, 0x50000, 0},
    {"LIVE_STOP_NACK", 1, 0x50000, 0},
    {"REC_ON_NACK", 1, 0x50000, 0},
    {"REC_ON_NACK", 65, 0x50001, 0},
    {"REC_ON_NACK", 66, 0x50002, 0},
    {"REC_OFF_NACK", 1, 0x50000, 0},
    {"REC_OFF_NACK", 65, 0x50001, 0},
    {"REC_OFF_NACK", 66, 0x50002, 0},
    {"PLAY_OFF_NACK", 1, 0x60000, 0},
    {"PLAY_OFF_NACK", 2, 0x60001, 0},
    {"TRANS_OFF_NACK", 1, 0x60000, 0},
    {"TRANS_OFF_NACK", 2, 0x60001, 0},
    {"REBOOT_NACK", 1, 0x60000, 0},
    {"REBOOT_NACK", 2, 0x60001, 0},
    {"POWEROFF_NACK", 1, 0x60000, 0},
    {"POWEROFF_NACK", 2, 0x60001, 0},
    {"PLAY_ON_NACK", 1, 0x60000, 0},
    {"PLAY_ON_NACK", 53, 0x60004, 0},
    {"PLAY_ON_NACK", 83, 0x40000, 0},
    {"PLAY_ON_NACK", 98, 0x60006, 0},
    {"PLAY_ON_FAIL", 1, 0x60000, 0},
    {"PLAY_ON_FAIL", 53, 0x60004, 0},
    {"PLAY_ON_FAIL", 83, 0x40000, 0},
    {"PLAY_ON_FAIL", 86, 0x60003, 0},
    {"PLAY_ON_FAIL", 98, 0x60006, 0},
    {"TRANS_ON_FAIL", 1, 0x60000, 0},
    {"TRANS_ON_FAIL", 53, 0x60004, 0},
    {"TRANS_ON_FAIL", 83, 0x40000, 0},
    {"TRANS_ON_FAIL", 86, 0x60003, 0},
    {"TRANS_ON_FAIL", 98, 0x60006, 0},
    {"TRANS_ON_NACK", 1, 0x60000, 0},
    {"TRANS_ON_NACK", 53, 0x60004, 0},
    {"TRANS_ON_NACK", 83, 0x40000, 0},
    {"TRANS_ON_NACK", 86, 0x60003, 0},
    {"TRANS_ON_NACK", 87, 0x60005, 0},
    {"TRANS_ON_NACK", 98, 0x60006, 0},
    {"DB48_INFO_NACK", 1, 0x60000, 0},
    {"DB48_INFO_NACK", 2, 0x60001, 0},
    {"DB48_INFO_NACK", 83, 0x40000, 0},
    {"DB48_INFO_NACK", 86, 0x60003, 0},
    {"DB_UPDATE_NACK", 1, 0x70000, 0},
    {"DB_UPDATE_NACK", 51, 0x70002, 0},
    {"DB_UPDATE_NACK", 81, 0x70001, 0},
    {"DB_UPDATE_NACK", 97, 0x70003, 0},
    {"DB_INIT_NACK", 1, 0x60000, 0},
    {"DB_INIT_NACK", 2, 0x60001, 0},
    {"DB_INIT_NACK", 97, 0x60007, 0},
    {"DB_INIT_NACK", 98, 0x60006, 0},
    {"SEND_TEST_MAIL_NACK", 1, 0x60000, 0},
    {"PLAY_INFO_MONTH_NACK", 1, 0x60000, 0},
    {"PLAY_INFO_MONTH_NACK", 53, 0x60004, 0},
    {"PLAY_INFO_MONTH_NACK", 83, 0, WM_KELO_PLAY_MONTH_READY}, // an empty calendar
    {"PLAY_INFO_MONTH_NACK", 86, 0x60003, 0},
    {"PLAY_INFO_MONTH_NACK", 98, 0x60006, 0},
    {"TRANS_INFO_MONTH_NACK", 1, 0x60000, 0},
    {"TRANS_INFO_MONTH_NACK", 53, 0x60004, 0},
    {"TRANS_INFO_MONTH_NACK", 83, 0, WM_KELO_TRANS_MONTH_READY},
    {"TRANS_INFO_MONTH_NACK", 86, 0x60003, 0},
    {"TRANS_INFO_MONTH_NACK", 98, 0x60006, 0},
    {"PLAY_INFO_DAY_NACK", 1, 0x60000, 0},
    {"PLAY_INFO_DAY_NACK", 52, 0x60004, 0},
    {"PLAY_INFO_DAY_NACK", 53, 0x60004, 0},
    {"PLAY_INFO_DAY_NACK", 82, 0x40000, 0},
    {"PLAY_INFO_DAY_NACK", 83, 0x40000, 0},
    {"PLAY_INFO_DAY_NACK", 86, 0x60003, 0},
    {"PLAY_INFO_DAY_NACK", 97, 0x60006, 0},
    {"PLAY_INFO_DAY_NACK", 98, 0x60006, 0},
    {"TRANS_INFO_DAY_NACK", 1, 0x60000, 0},
    {"TRANS_INFO_DAY_NACK", 52, 0x60004, 0},
    {"TRANS_INFO_DAY_NACK", 53, 0x60004, 0},
    {"TRANS_INFO_DAY_NACK", 82, 0x40000, 0},
    {"TRANS_INFO_DAY_NACK", 83, 0x40000, 0},
    {"TRANS_INFO_DAY_NACK", 86, 0x60003, 0},
    {"TRANS_INFO_DAY_NACK", 97, 0x60006, 0},
    {"TRANS_INFO_DAY_NACK", 98, 0x60006, 0},
    {"EVENT_INFO_NACK", 1, 0x60000, WM_KELO_EVENT_LIST_READY},
    {"EVENT_INFO_NACK", 52, 0x60004, WM_KELO_EVENT_LIST_READY},
    {"EVENT_INFO_NACK", 53, 0x60004, WM_KELO_EVENT_LIST_READY},
    {"EVENT_INFO_NACK", 82, 0x40000, WM_KELO_EVENT_LIST_READY},
    {"EVENT_INFO_NACK", 83, 0x40000, WM_KELO_EVENT_LIST_READY},
    {"EVENT_INFO_NACK", 86, 0x60003, WM_KELO_EVENT_LIST_READY},
    {"EVENT_INFO_NACK", 97, 0x60006, WM_KELO_EVENT_LIST_READY},
    {"EVENT_INFO_NACK", 98, 0x60006, WM_KELO_EVENT_LIST_READY},
    {"LOG_INFO_NACK", 1, 0x60000, 0},
    {"LOG_INFO_NACK", 83, 0x40000, 0},
    {"LOG_INFO_NACK", 86, 0x60003, 0},
    {"SYSTEM_INFO_NACK", 1, 0x60000, 0},
    {"SYSTEM_INFO_NACK", 83, 0x40000, 0},
    {"SYSTEM_INFO_NACK", 86, 0x60003, 0},
    {"STATUS_INFO_NACK", 1, 0x60000, 0},
    {"STATUS_INFO_NACK", 83, 0x40000, 0},
    {"STATUS_INFO_NACK", 86, 0x60003, 0},
    {"A_LISTEN_NACK", 1, 0x60000, 0},
    {"A_LISTEN_NACK", 2, 0x60001, 0},
    {"A_LISTEN_NACK", 53, 0x60004, 0},
    {"A_LISTEN_NACK", 54, 0xC0000, 0},
    {"A_LISTEN_NACK", 55, 0xC0001, 0},
    {"A_LISTEN_NACK", 98, 0x60006, 0},
};

// The request each refusal answers, and its payload.
struct Request {
    WORD id;
    std::vector<BYTE> payload;
};

// Every channel and record type to the end of the recordings: a stream that starts, then fails.
std::vector<BYTE> WholeRange() {
    std::vector<BYTE> range(24, 0);
    range[2] = 0xFF;
    range[3] = 0xFF;
    range[4] = 0x3F;
    return range;
}

// A setup record the recorder takes: its CRC-32 in front, so only the refusal asked for answers it.
std::vector<BYTE> SealedSetupRecord() {
    std::vector<BYTE> payload(6636, 0);
    WriteBE32(payload.data(), Crc32(0, payload.data() + 4, payload.size() - 4));
    return payload;
}

Request RequestFor(const std::string& refusal) {
    static const std::map<std::string, Request> requests = {
        {"LIVE_NACK", {Msg::LIVE_REQ, {0, 0, 0, 1}}},
        {"LIVE_STOP_NACK", {Msg::LIVE_STOP, {}}},
        {"REC_ON_NACK", {Msg::REC_ON_REQ, {}}},
        {"REC_OFF_NACK", {Msg::REC_OFF_REQ, {}}},
        {"PLAY_OFF_NACK", {Msg::RPLAY_STOP, {}}},
        {"TRANS_OFF_NACK", {Msg::TRANS_OFF_REQ, {}}},
        {"REBOOT_NACK", {Msg::REBOOT_REQ, {}}},
        {"POWEROFF_NACK", {Msg::POWEROFF_REQ, {}}},
        {"PLAY_ON_NACK", {Msg::PLAY_ON_REQ, std::vector<BYTE>(24, 0)}},
        {"PLAY_ON_FAIL", {Msg::PLAY_ON_REQ, WholeRange()}},
        {"TRANS_ON_FAIL", {Msg::TRANS_DATA_REQ, WholeRange()}},
        {"TRANS_ON_NACK", {Msg::TRANS_ON_REQ, std::vector<BYTE>(24, 0)}},
        {"DB48_INFO_NACK", {Msg::DB_INFO_REQ, {}}},
        {"DB_UPDATE_NACK", {Msg::DB_UPDATE_REQ, SealedSetupRecord()}},
        {"DB_INIT_NACK", {Msg::DB_INIT_REQ, {}}},
        {"SEND_TEST_MAIL_NACK", {Msg::SEND_TEST_MAIL_REQ, std::vector<BYTE>(516, 0)}},
        {"PLAY_INFO_MONTH_NACK", {Msg::PLAY_INFO_MONTH_REQ, {}}},
        {"TRANS_INFO_MONTH_NACK", {Msg::TRANS_INFO_MONTH_REQ, {}}},
        {"PLAY_INFO_DAY_NACK", {Msg::PLAY_INFO_DAY_REQ, {0, 0, 0x07, 0xEA, 12, 10, 0, 0}}},
        {"TRANS_INFO_DAY_NACK", {Msg::TRANS_INFO_DAY_REQ, {0, 0, 0x07, 0xEA, 12, 10, 0, 0}}},
        {"EVENT_INFO_NACK", {Msg::EVENT_INFO_REQ, {}}},
        {"LOG_INFO_NACK", {Msg::LOG_INFO_REQ, {}}},
        {"SYSTEM_INFO_NACK", {Msg::SYSTEM_INFO_REQ, {}}},
        {"STATUS_INFO_NACK", {Msg::STATUS_INFO_REQ, {}}},
        {"A_LISTEN_NACK", {Msg::A_LISTEN_REQ, {}}},
    };
    return requests.at(refusal);
}

// The requests a row makes the recorder answer: its own, and those the client sends by itself on
// the refusal (a failed stream is stopped; live view comes back after a failed playback).
std::vector<WORD> RequestsOf(const Refusal& r) {
    const std::string message = r.message;
    std::vector<WORD> ids{RequestFor(message).id};
    if (message == "TRANS_ON_FAIL") {
        ids.push_back(Msg::TRANS_OFF_REQ);
    } else if (message == "PLAY_ON_FAIL") {
        ids.push_back(Msg::RPLAY_STOP);
        ids.push_back(Msg::LIVE_REQ);
    }
    return ids;
}

// A simulator takes one reason per refusal and answers one request one way: the table is served
// in rounds, none of which refuses a request that two of its rows make.
std::vector<std::vector<Refusal>> Rounds() {
    std::vector<std::vector<Refusal>> rounds;
    std::vector<std::vector<WORD>> taken;
    for (const Refusal& r : kRefusals) {
        const std::vector<WORD> requests = RequestsOf(r);
        auto clashes = [&](const std::vector<WORD>& used) {
            return std::any_of(requests.begin(), requests.end(),
                               [&](WORD id) { return std::find(used.begin(), used.end(), id) != used.end(); });
        };
        std::size_t k = 0;
        while (k < rounds.size() && clashes(taken[k])) {
            ++k;
        }
        if (k == rounds.size()) {
            rounds.emplace_back();
            taken.emplace_back();
        }
        rounds[k].push_back(r);
        taken[k].insert(taken[k].end(), requests.begin(), requests.end());
    }
    return rounds;
}

// The simulator streams live video beside its answers; on a machine busy with other work an answer
// has been seen to come more than 20 s after its request.
constexpr std::chrono::seconds kReplyBound{90};

std::size_t PostsOf(const std::vector<HostCall>& calls, UINT message) {
    std::size_t n = 0;
    for (const HostCall& c : calls) {
        n += c.kind == HostCall::Reply && c.message == message ? 1 : 0;
    }
    return n;
}

TEST(RefusalTable, EveryMessageAndReasonPostsItsNoticeOrNone) {
    KELO_REQUIRE(SimProcess::Available(), "the recorder simulator is not built");
    EXPECT_EQ(std::size(kRefusals), 98u);
    RecordingVideoView video;
    for (const std::vector<Refusal>& round : Rounds()) {
        std::vector<std::string> options = {"--resolution", "cif", "--loop-seconds", "1"};
        bool refusesLive = false;
        for (const Refusal& r : round) {
            options.push_back("--refuse");
            std::string value = std::string(r.message) + ":" + std::to_string(r.reason);
            if (r.reason == 87) {
                value += ":100:200";
            }
            options.push_back(value);
            refusesLive = refusesLive || std::string(r.message) == "LIVE_NACK";
        }
        SimProcess sim;
        ASSERT_TRUE(sim.Start(options));
        FakeClientHost host;
        CDvrClient client(DvrClientSeams{&host, &video, nullptr}, SimClientTiming());
        client.Login().SetConnectParams("127.0.0.1", DWORD(sim.Port()), "admin", "1234");
        client.Search().SetSearchFrameOpen(true);
        ASSERT_TRUE(client.Connect());
        ASSERT_TRUE(host.WaitFor([](const HostCall& c) { return c.kind == HostCall::LocalLog && c.subKind == 1; }));
        std::vector<LPARAM> expected;
        if (refusesLive) {
            expected.push_back(0x50000); // the login's own LIVE_REQ
            ASSERT_TRUE(host.WaitForNotice(kNoticeLiveRefused));
        }
        for (const Refusal& r : round) {
            const std::string row = std::string(r.message) + ":" + std::to_string(r.reason);
            Request request = RequestFor(r.message);
            const std::size_t framePosts = PostsOf(host.CallsOf(HostCall::Reply), r.frameMsg);
            ASSERT_GT(client.SendPacket(PacketHeader::Request(request.id, DWORD(request.payload.size())),
                                        request.payload.empty() ? nullptr : request.payload.data(),
                                        DWORD(request.payload.size())),
                      0)
                << row;
            if (r.notice != 0) {
                expected.push_back(r.notice);
                EXPECT_TRUE(host.WaitUntil(
                    [&](const std::vector<HostCall>& calls) {
                        return FakeClientHost::Count(calls, HostCall::Notice) >= expected.size();
                    },
                    kReplyBound))
                    << row;
            }
            if (r.frameMsg != 0) {
                EXPECT_TRUE(host.WaitUntil(
                    [&](const std::vector<HostCall>& calls) { return PostsOf(calls, r.frameMsg) > framePosts; },
                    kReplyBound))
                    << row;
            }
            EXPECT_EQ(host.Notices(), expected) << row;
        }
        client.Disconnect();
    }
}

} // namespace
