#pragma once
// A logged-in client against a scripted recorder on loopback, with recording stand-ins for every
// window and media worker. Messages from the recorder are handled in order by the client's socket
// thread; Sync() waits until everything sent before it has been handled.

#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "tests/protocol/FakeClientHost.h"
#include "tests/protocol/FakeMedia.h"
#include "tests/protocol/ScriptedRecorder.h"
#include "tests/support/DvrClientTestPeer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace rig {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

inline void PutBE32(Bytes& out, std::uint32_t v) {
    ScriptedRecorder::PutBE32(out, v);
}

inline Bytes BE32(std::uint32_t v) {
    Bytes b;
    PutBE32(b, v);
    return b;
}

// A message with every header bit under the test's control.
struct Header {
    unsigned id = 0;
    bool last = true;
    bool audioOn = false;
    unsigned audioChannel = 0;
    unsigned speedCode = 0;
    std::uint32_t clock = 0;
};

inline Bytes Message(const Header& h, const Bytes& payload) {
    Bytes out;
    PutBE32(out, (std::uint32_t(h.id) << 7) | (h.audioOn ? 0x8u : 0u) | (h.audioChannel & 7));
    PutBE32(out, std::uint32_t(payload.size()) | (h.last ? 0x40000000u : 0u) | ((h.speedCode & 0x3F) << 16));
    PutBE32(out, 0);
    PutBE32(out, h.clock);
    out.insert(out.end(), payload.begin(), payload.end());
    return out;
}

// RIGHT_CHANGE table: account 0 "admin" / "1234" with the given rights (bit k = right k), level 1.
inline Bytes RightsTable(std::uint8_t rights = 0xFF, const char* user = "admin", const char* password = "1234",
                         std::uint8_t level = 1) {
    Bytes t(584, 0);
    for (int k = 0; k < 8; ++k) {
        t[8 * k] = (rights >> k) & 1;
    }
    t[64] = level;
    std::memcpy(t.data() + 72, user, std::strlen(user));
    std::memcpy(t.data() + 328, password, std::strlen(password));
    return t;
}

struct Options {
    std::uint8_t channels = 16;
    std::uint8_t versionMajor = 1;
    std::uint8_t versionMinor = 2;
    std::uint8_t rights = 0xFF;
    // How long a consumer (decoder, download writer) may take nothing before it is given up.
    std::chrono::milliseconds drainLimit{100};
};

class ClientRig {
public:
    explicit ClientRig(const Options& options = {}) {
        DvrClientTiming timing;
        timing.recvDeadline = 5000ms;
        timing.idleWait = 10ms;
        timing.connectTimeout = 5000ms;
        timing.disconnectWait = 50ms;
        timing.byeGrace = 500ms;
        client = std::make_unique<CDvrClient>(DvrClientSeams{&host, &video, &media}, timing);
        CDvrClient::PlayTiming play;
        play.commandSleep = 0ms;
        play.playSleep = 0ms;
        play.otherSleep = 0ms;
        play.drainLimit = options.drainLimit;
        play.writerWait = 10000ms;
        client->SetPlayTiming(play);
        client->Login().SetConnectParams("127.0.0.1", recorder.Port(), "admin", "1234");
        EXPECT_TRUE(client->Connect());
        EXPECT_TRUE(recorder.AcceptClient());
        EXPECT_EQ(recorder.Read().id, unsigned(Msg::HELLO));
        Bytes hello(768, 0);
        hello[2] = 4;
        hello[3] = options.versionMajor;
        hello[4] = options.versionMinor;
        hello[6] = options.channels;
        EXPECT_TRUE(recorder.Send(Msg::RIGHT_CHANGE, RightsTable(options.rights)));
        EXPECT_TRUE(recorder.Send(Msg::HELLO48_ACK, hello));
        const ScriptedRecorder::Received live = recorder.Read();
        EXPECT_EQ(live.id, unsigned(Msg::LIVE_REQ));
        Sync();
    }
    ~ClientRig() {
        client->Disconnect();
        client.reset();
    }

    bool Send(const Header& h, const Bytes& payload) { return recorder.SendRaw(Message(h, payload)); }
    // A message with the audio bits the recorder currently sends on every header.
    bool Send(unsigned id, const Bytes& payload = {}) {
        Header h;
        h.id = id;
        h.audioOn = audioOn;
        h.audioChannel = audioChannel;
        return Send(h, payload);
    }

    // Waits until the client has handled everything sent so far (messages are handled in order).
    // playClock: also until remote playback's clock has handed on every frame it holds.
    void Sync(bool playClock = true) {
        const std::uint32_t mark = ++m_mark;
        ASSERT_TRUE(Send(Msg::DVR_TIME_ACK, BE32(mark)));
        ASSERT_TRUE(host.WaitFor([mark](const HostCall& c) {
            return c.kind == HostCall::Post && c.message == WM_KELO_DVR_TIME && c.wParam == mark;
        }));
        if (playClock) {
            ASSERT_TRUE(DvrClientTestPeer::WaitPlayClockIdle(*client));
        }
    }

    // Reads the client's next message that is not one of the ids listed to skip.
    ScriptedRecorder::Received Next(std::vector<unsigned> skip = {}, int timeoutMs = 10000) {
        for (;;) {
            ScriptedRecorder::Received r = recorder.Read(timeoutMs);
            if (!r.ok || std::find(skip.begin(), skip.end(), r.id) == skip.end()) {
                return r;
            }
        }
    }
    // Nothing more arrives from the client within the time.
    bool Quiet(int ms = 100) { return !recorder.Read(ms).ok; }

    // Starts live view: LIVE_CHANNEL_INFO with every channel available and streamed.
    void StartLive(std::uint32_t mask = 0xFFFFFFFF) {
        Send(Msg::LIVE_CHANNEL_INFO, BE32(mask));
        Sync();
    }

    // While set, every message carries the audio bit and channel, as a recorder sending sound does.
    bool audioOn = false;
    unsigned audioChannel = 0;

    ScriptedRecorder recorder;
    FakeClientHost host;
    RecordingVideoView video;
    FakeMediaFactory media;
    std::unique_ptr<CDvrClient> client;

private:
    std::uint32_t m_mark = 0x70000000;
};

} // namespace rig
