// Everything the simulator can be told: from the command line for the program, or filled in
// directly by in-process tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ksim {

struct SimAccount {
    std::string user;
    std::string password;
    uint8_t rights = 0xFF; // bit k = right k
    uint8_t level = 1;
};

enum class FaultKind {
    CloseMid, // send half of the first message with the id, then close
    StallMid, // send half of the first message with the id, then send nothing more
    Size,     // change the payload of every message with the id by value bytes (+ pads, - cuts)
    Bytes,    // make the payload of every message with the id exactly value bytes
    NoLast,   // never set the last-fragment bit on messages with the id
    Garbage,  // value random bytes right after the login pushes
    Crc,      // corrupt the CRC of every DB_INFO_ACK
    Dup,      // send the first message with the id twice
    Bye,      // BYE48 with reason value after the login pushes; close after value2 ms (-1 never)
    Drop,     // never answer requests with the id
    Delay,    // answer requests with the id value ms late
};

struct SimFault {
    FaultKind kind = FaultKind::CloseMid;
    uint16_t id = 0;
    int64_t value = 0;
    int64_t value2 = 0;
};

struct SimRefusal {
    uint16_t refusalId = 0; // the NACK, FAIL or BYE48 to send
    uint32_t reason = 0;
    bool extra = false; // reason 87 style: two more u32 words
    uint32_t extra1 = 0;
    uint32_t extra2 = 0;
};

enum class Resolution { D1, HalfD1, Cif };

struct VideoFormat {
    int width = 704;
    int height = 576;
    uint8_t resolutionCode = 1; // the code written into FrameHeader byte 9
    bool pal = true;
    int fps = 25;
};

class CSimConfig {
public:
    CSimConfig();

    // Fills the configuration from the command line (argv[0] skipped). False with a message on
    // a bad option; helpRequested is set for -h/--help.
    bool Parse(int argc, const char* const* argv, std::string& error, bool& helpRequested);
    static std::string HelpText();

    VideoFormat Video() const;
    int ServedChannels() const; // channel count clamped to 1..16
    int LoopFrames() const { return loopSeconds * Video().fps; }
    const SimRefusal* FindRefusal(uint16_t refusalId) const;
    const SimFault* FindFault(FaultKind kind, uint16_t id) const;
    bool HasFault(FaultKind kind) const;

    std::string address = "127.0.0.1";
    uint16_t port = 2000;
    uint8_t product = 4;
    int channels = 16;
    std::vector<SimAccount> accounts;
    uint8_t helloAccount = 0;
    uint8_t protocolMajor = 1;
    uint8_t protocolMinor = 0;
    uint8_t productMajor = 1;
    uint8_t productMinor = 2;
    uint8_t frontVersion = 1;
    uint8_t subProductMajor = 0;
    uint8_t subProductMinor = 0;
    std::array<uint8_t, 6> mac{0x00, 0x1C, 0x4B, 0x10, 0x20, 0x30};
    uint32_t firmwareTime = 1199145600; // 2008-01-01 00:00:00
    uint32_t loginFailReason = 1;
    bool pal = true;
    Resolution resolution = Resolution::D1;
    int loopSeconds = 4;
    int bitrateKbps = 0; // 0: the plain test picture at constant quality
    uint64_t seed = 1;
    int64_t clock = -1; // < 0: host wall clock
    int days = 3;
    int logEntries = 300;
    size_t fragment = 16384;
    uint16_t videoLoss = 0;
    bool playPlain = false;
    int playFailAfter = 1; // frames of a playback sent before a PLAY_ON_FAIL refusal
    bool lenient = false;  // serve malformed requests as far as they go instead of refusing them
    uint8_t setupMajor = 4;
    uint8_t setupMinor = 5;
    bool verbose = false;
    std::string saveSetupPath; // each accepted DB_UPDATE payload (CRC and record) is written here
    std::vector<SimFault> faults;
    std::vector<SimRefusal> refusals;
};

} // namespace ksim
