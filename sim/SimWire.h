// The simulator's own view of the recorder wire format: message ids, the 16-byte header and the
// byte-order helpers. Deliberately independent of the client's protocol code, so that a layout
// mistake on one side shows up as a failing test instead of being shared by both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ksim {

using Bytes = std::vector<uint8_t>;

// Message ids. A few numbers are used in both directions with different meanings (102).
namespace msg {
constexpr uint16_t HELLO = 1;
constexpr uint16_t BYE48 = 4;
constexpr uint16_t HELLO48_ACK = 5;
constexpr uint16_t LIVE_REQ = 16;
constexpr uint16_t LIVE_CHANNEL_INFO = 17;
constexpr uint16_t LIVE_DATA = 18;
constexpr uint16_t LIVE_NACK = 19;
constexpr uint16_t LIVE_STOP = 20;
constexpr uint16_t LIVE_STOP_ACK = 21;
constexpr uint16_t LIVE_STOP_NACK = 22;
constexpr uint16_t AUDIO_ONOFF_REQ = 23;
constexpr uint16_t SYS_ETC_INFO_EX = 24;
constexpr uint16_t REC_ON_REQ = 32;
constexpr uint16_t REC_ON_ACK = 33;
constexpr uint16_t REC_ON_NACK = 34;
constexpr uint16_t REC_OFF_REQ = 35;
constexpr uint16_t REC_OFF_ACK = 36;
constexpr uint16_t REC_OFF_NACK = 37;
constexpr uint16_t PLAY_PREV_STEP = 42;
constexpr uint16_t PLAY_BACKWARD = 43;
constexpr uint16_t PLAY_FORWARD = 44;
constexpr uint16_t PLAY_PAUSE = 45;
constexpr uint16_t PLAY_NEXT_STEP = 46;
constexpr uint16_t PLAY_ON_REQ = 51;
constexpr uint16_t PLAY_CHANNEL_INFO = 52;
constexpr uint16_t PLAY_ON_ACK = 53;
constexpr uint16_t PLAY_ON_NACK = 54;
constexpr uint16_t RPLAY_STOP = 55;
constexpr uint16_t PLAY_OFF_ACK = 56;
constexpr uint16_t PLAY_OFF_NACK = 57;
constexpr uint16_t PLAY_STEP_DATA = 61;
constexpr uint16_t PLAY_CH_CHANGE = 62;
constexpr uint16_t PLAY_FLOW = 63;
constexpr uint16_t TRANS_ON_REQ = 99;
constexpr uint16_t TRANS_ON_ACK = 101;
constexpr uint16_t TRANS_ON_NACK = 102; // recorder to client
constexpr uint16_t TRANS_OFF_REQ = 102; // client to recorder
constexpr uint16_t TRANS_OFF_ACK = 104;
constexpr uint16_t TRANS_OFF_NACK = 105;
constexpr uint16_t DB_INFO_REQ = 112;
constexpr uint16_t DB_INFO_ACK = 113;
constexpr uint16_t DB48_INFO_NACK = 114;
constexpr uint16_t DB_UPDATE_REQ = 115;
constexpr uint16_t DB_UPDATE_ACK = 116;
constexpr uint16_t DB_UPDATE_NACK = 117;
constexpr uint16_t DST_INFO = 125;
constexpr uint16_t DVR_TIME_REQ = 126;
constexpr uint16_t DVR_TIME_ACK = 127;
constexpr uint16_t FW_UPDATE_REQ = 144;
constexpr uint16_t FW_UPDATE_ACK = 145;
constexpr uint16_t FW_DATA = 146;
constexpr uint16_t REC_STATUS = 256;
constexpr uint16_t MESSAGE_257 = 257;
constexpr uint16_t DB_CHANGE = 258;
constexpr uint16_t SYS_ETC_INFO = 259;
constexpr uint16_t PLAY_INFO_MONTH_REQ = 260;
constexpr uint16_t PLAY_INFO_MONTH_ACK = 261;
constexpr uint16_t PLAY_INFO_MONTH_NACK = 262;
constexpr uint16_t PLAY_INFO_DAY_REQ = 263;
constexpr uint16_t PLAY_INFO_DAY_ACK = 264;
constexpr uint16_t PLAY_INFO_DAY_NACK = 265;
constexpr uint16_t PLAY_DATA = 266;
constexpr uint16_t PLAY_ON_FAIL = 267;
constexpr uint16_t PLAY_ON_DONE = 268;
constexpr uint16_t RIGHT_CHANGE = 270;
constexpr uint16_t A_LISTEN_REQ = 272;
constexpr uint16_t A_LISTEN_ACK = 273;
constexpr uint16_t A_LISTEN_NACK = 274;
constexpr uint16_t TALK_DATA = 275;
constexpr uint16_t A_LISTEN_STOP_REQ = 276;
constexpr uint16_t A_LISTEN_STOP_ACK = 277;
constexpr uint16_t PTZ_CHANNEL_REQ = 282;
constexpr uint16_t PTZ_CHANNEL_ACK = 283;
constexpr uint16_t PTZ_MOVE_REQ = 284;
constexpr uint16_t PTZ_MOVE_STOP = 285;
constexpr uint16_t TRANS_INFO_MONTH_REQ = 288;
constexpr uint16_t TRANS_INFO_MONTH_ACK = 289;
constexpr uint16_t TRANS_INFO_MONTH_NACK = 290;
constexpr uint16_t TRANS_INFO_DAY_REQ = 291;
constexpr uint16_t TRANS_INFO_DAY_ACK = 292;
constexpr uint16_t TRANS_INFO_DAY_NACK = 293;
constexpr uint16_t TRANS_DATA_REQ = 294;
constexpr uint16_t TRANS_ON_DATA = 295;
constexpr uint16_t TRANS_ON_DONE = 297;
constexpr uint16_t TRANS_ON_FAIL = 298;
constexpr uint16_t CAPA_CAL_CANCEL = 299;
constexpr uint16_t FW_UPDATE_NACK = 304;
constexpr uint16_t FW_DATA_RX_DONE = 305;
constexpr uint16_t FW_DATA_RX_FAIL = 306;
constexpr uint16_t FW_UPDATE_DONE = 307;
constexpr uint16_t FW_UPDATE_FAIL = 308;
constexpr uint16_t LOG_INFO_REQ = 320;
constexpr uint16_t LOG_INFO_ACK = 321;
constexpr uint16_t LOG_INFO_NACK = 322;
constexpr uint16_t SYSTEM_INFO_REQ = 323;
constexpr uint16_t SYSTEM_INFO_ACK = 324;
constexpr uint16_t SYSTEM_INFO_NACK = 325;
constexpr uint16_t STATUS_INFO_REQ = 326;
constexpr uint16_t STATUS_INFO_ACK = 327;
constexpr uint16_t STATUS_INFO_NACK = 328;
constexpr uint16_t EVENT_INFO_REQ = 329;
constexpr uint16_t EVENT_INFO_ACK = 330;
constexpr uint16_t EVENT_INFO_NACK = 331;
constexpr uint16_t DB_INIT_REQ = 336;
constexpr uint16_t DB_INIT_ACK = 337;
constexpr uint16_t DB_INIT_NACK = 338;
constexpr uint16_t SEND_TEST_MAIL_REQ = 339;
constexpr uint16_t SEND_TEST_MAIL_ACK = 340;
constexpr uint16_t SEND_TEST_MAIL_NACK = 341;
constexpr uint16_t REBOOT_REQ = 342;
constexpr uint16_t REBOOT_ACK = 343;
constexpr uint16_t REBOOT_NACK = 344;
constexpr uint16_t POWEROFF_REQ = 345;
constexpr uint16_t POWEROFF_ACK = 346;
constexpr uint16_t POWEROFF_NACK = 347;
} // namespace msg

constexpr size_t kHeaderSize = 16;
constexpr uint32_t kLastFragment = 1u << 30;
constexpr size_t kMaxPayload = 65535;

// The decoded form of the 16-byte header (all four words big-endian on the wire).
struct WireHeader {
    uint16_t id = 0;
    uint8_t audioChannel = 0; // word 0 bits 0-2
    bool audioOn = false;     // word 0 bit 3
    uint32_t length = 0;      // word 1 bits 0-15
    bool last = false;        // word 1 bit 30
    uint8_t speedCode = 0;    // word 1 bits 16-21, playback data only
    uint32_t word2 = 0;
    uint32_t word3 = 0; // recorder clock on live data
    // Words 0 and 1 as they came, for the checks of the bits that no field above holds.
    uint32_t word0 = 0;
    uint32_t word1 = 0;
};

void EncodeHeader(const WireHeader& h, uint8_t* out16);
WireHeader DecodeHeader(const uint8_t* in16);

// Names as the protocol tables spell them; fromClient picks the meaning of the shared number 102.
std::string MessageName(uint16_t id, bool fromClient);
// Replies and streams that come in fragments, the last one marked with bit 30.
bool IsFragmenting(uint16_t id);
// The refusal id that answers a request, or 0 when the request has none.
uint16_t RefusalFor(uint16_t requestId);
// The request that a refusal id answers, or 0.
uint16_t RequestForRefusal(uint16_t refusalId);
// Message ids by name ("LIVE_NACK") or decimal number; 0 when unknown.
uint16_t ParseMessageId(const std::string& text);

inline void PutBe32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}
inline void PutBe16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v >> 8);
    p[1] = uint8_t(v);
}
inline void PutLe32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}
inline void PutLe16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline uint32_t GetBe32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
}
inline uint32_t GetLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

inline Bytes Be32Payload(uint32_t v) {
    Bytes b(4);
    PutBe32(b.data(), v);
    return b;
}

} // namespace ksim
