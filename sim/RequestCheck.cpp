#include "sim/RequestCheck.h"

#include <algorithm>
#include <cstdio>
#include <zlib.h>

namespace ksim {

namespace {

constexpr uint32_t kWord0Unused = 0xFFFF0070u; // bits 16-31 and 4-6
constexpr uint32_t kAudioChannelBits = 0x7u;
constexpr uint32_t kAudioOnBit = 0x8u;
constexpr uint32_t kWord1Unused = ~(0xFFFFu | kLastFragment);
constexpr size_t kTimeRangeSize = 24;
constexpr size_t kStartRecordSize = 24;
constexpr size_t kDayRequestSize = 8;
constexpr size_t kHelloSize = 32;
constexpr size_t kFirmwareRequestSize = 56;
constexpr size_t kTestMailSize = 516;
constexpr size_t kSetupUpdateSize = 6636;
constexpr size_t kTalkSize = 2048;
constexpr size_t kTalkSilence = 1536;
// The list requests: the message table gives them 5 bytes, the search frame sends them empty.
constexpr size_t kListRequestSize = 5;
constexpr uint8_t kAllRecordTypes = 0x3F;
constexpr uint8_t kLastPtzCommand = 16;
constexpr uint8_t kFirstPresetCommand = 8;
constexpr uint8_t kLastPresetCommand = 12;

std::string Text(const char* format, size_t a, size_t b = 0) {
    char buf[160];
    std::snprintf(buf, sizeof(buf), format, a, b);
    return buf;
}

bool Zero(const Bytes& p, size_t from, size_t to) {
    return std::all_of(p.begin() + long(from), p.begin() + long(to), [](uint8_t b) { return b == 0; });
}

bool IsListRequest(uint16_t id) {
    switch (id) {
    case msg::PLAY_INFO_MONTH_REQ:
    case msg::TRANS_INFO_MONTH_REQ:
    case msg::EVENT_INFO_REQ:
    case msg::LOG_INFO_REQ:
    case msg::STATUS_INFO_REQ:
    case msg::SYSTEM_INFO_REQ:
        return true;
    default:
        return false;
    }
}

// Fixed payload sizes; -1 for ids that are not requests of a client.
long FixedSize(uint16_t id) {
    switch (id) {
    case msg::BYE48:
    case msg::LIVE_STOP:
    case msg::AUDIO_ONOFF_REQ:
    case msg::REC_ON_REQ:
    case msg::REC_OFF_REQ:
    case msg::PLAY_PREV_STEP:
    case msg::PLAY_PAUSE:
    case msg::PLAY_NEXT_STEP:
    case msg::RPLAY_STOP:
    case msg::TRANS_OFF_REQ:
    case msg::DB_INFO_REQ:
    case msg::DVR_TIME_REQ:
    case msg::A_LISTEN_REQ:
    case msg::A_LISTEN_STOP_REQ:
    case msg::PTZ_MOVE_STOP:
    case msg::CAPA_CAL_CANCEL:
    case msg::DB_INIT_REQ:
    case msg::REBOOT_REQ:
    case msg::POWEROFF_REQ:
        return 0;
    case msg::LIVE_REQ:
    case msg::PLAY_STEP_DATA:
    case msg::PLAY_CH_CHANGE:
    case msg::PTZ_CHANNEL_REQ:
    case msg::PTZ_MOVE_REQ:
        return 4;
    case msg::HELLO:
        return long(kHelloSize);
    case msg::PLAY_ON_REQ:
    case msg::TRANS_ON_REQ:
    case msg::TRANS_DATA_REQ:
        return long(kTimeRangeSize);
    case msg::PLAY_INFO_DAY_REQ:
    case msg::TRANS_INFO_DAY_REQ:
        return long(kDayRequestSize);
    case msg::FW_UPDATE_REQ:
        return long(kFirmwareRequestSize);
    case msg::SEND_TEST_MAIL_REQ:
        return long(kTestMailSize);
    case msg::DB_UPDATE_REQ:
        return long(kSetupUpdateSize);
    case msg::TALK_DATA:
        return long(kTalkSize);
    default:
        return -1;
    }
}

} // namespace

std::string CRequestCheck::Check(const WireHeader& header, const Bytes& payload, const Context& context) {
    const uint16_t id = header.id;
    if (id == msg::HELLO && context.loggedIn)
        return "a second HELLO on a logged-in connection";
    if (id != msg::HELLO && id != msg::BYE48 && !context.loggedIn)
        return "a request before the login";
    if (id == msg::FW_DATA && !context.uploading)
        return "FW_DATA without an acknowledged FW_UPDATE_REQ";
    if (id == msg::TALK_DATA && !context.listening)
        return "TALK_DATA while the recorder has not accepted listening";
    std::string what = CheckHeader(header);
    if (what.empty())
        what = CheckLength(id, payload.size());
    if (what.empty())
        what = CheckFields(id, payload);
    return what;
}

std::string CRequestCheck::CheckHeader(const WireHeader& h) {
    if (h.word0 & kWord0Unused)
        return Text("word 0 has bits outside the id and audio bits set (0x%08zx)", h.word0);
    if (h.word0 & kAudioChannelBits)
        return Text("word 0 carries an audio channel (%zu) on a request", h.word0 & kAudioChannelBits);
    if ((h.word0 & kAudioOnBit) && h.id != msg::AUDIO_ONOFF_REQ)
        return "the audio-on bit is set on a request other than AUDIO_ONOFF_REQ";
    if (h.word1 & kWord1Unused)
        return Text("word 1 has bits outside the length and the last-fragment bit set (0x%08zx)", h.word1);
    if (h.last && h.id != msg::FW_DATA && h.id != msg::TALK_DATA)
        return "the last-fragment bit is set on a request that does not come in fragments";
    // Every talk buffer is a message of its own.
    if (!h.last && h.id == msg::TALK_DATA)
        return "TALK_DATA without the last-fragment bit";
    if (h.word2 != 0 || h.word3 != 0)
        return Text("words 2 and 3 are not zero (0x%08zx 0x%08zx)", h.word2, h.word3);
    return {};
}

std::string CRequestCheck::CheckLength(uint16_t id, size_t length) {
    if (id == msg::FW_DATA) {
        if (length == 0 || length > kFirmwareChunk)
            return Text("a firmware chunk of %zu bytes (1 to %zu)", length, kFirmwareChunk);
        return {};
    }
    if (id == msg::PLAY_FORWARD || id == msg::PLAY_BACKWARD) {
        if (length != 0 && length != kStartRecordSize)
            return Text("payload of %zu bytes (none or the %zu-byte start record)", length, kStartRecordSize);
        return {};
    }
    if (IsListRequest(id)) {
        if (length != 0 && length != kListRequestSize)
            return Text("payload of %zu bytes (none or %zu)", length, kListRequestSize);
        return {};
    }
    const long size = FixedSize(id);
    if (size < 0)
        return Text("message %zu is not a request of a client", id);
    if (length != size_t(size))
        return Text("payload of %zu bytes (%zu expected)", length, size_t(size));
    return {};
}

std::string CRequestCheck::CheckFields(uint16_t id, const Bytes& p) {
    switch (id) {
    case msg::HELLO:
        return CheckHello(p);
    case msg::LIVE_REQ:
    case msg::PLAY_CH_CHANGE:
        if (GetBe32(p.data()) > 0xFFFF)
            return Text("channel mask 0x%08zx has bits above channel 16", GetBe32(p.data()));
        return {};
    case msg::PLAY_FORWARD:
    case msg::PLAY_BACKWARD:
        return p.empty() ? std::string() : CheckStartRecord(p);
    case msg::PLAY_ON_REQ:
    case msg::TRANS_ON_REQ:
    case msg::TRANS_DATA_REQ:
        return CheckTimeRange(p);
    case msg::PLAY_INFO_DAY_REQ:
    case msg::TRANS_INFO_DAY_REQ:
        return CheckDayRequest(p);
    case msg::PTZ_CHANNEL_REQ:
        if (p[0] > 15 || p[1] > 1 || p[2] != 0 || p[3] != 0)
            return Text("channel %zu, mode %zu (channel 0-15, mode 0 or 1, then two zero bytes)", p[0], p[1]);
        return {};
    case msg::PTZ_MOVE_REQ:
        return CheckPtzMove(p);
    case msg::FW_UPDATE_REQ:
        return CheckFirmwareRequest(p);
    case msg::DB_UPDATE_REQ: {
        const uint32_t crc = uint32_t(crc32(0L, p.data() + 4, uInt(p.size() - 4)));
        if (GetBe32(p.data()) != crc)
            return Text("CRC-32 0x%08zx does not match the record's 0x%08zx", GetBe32(p.data()), crc);
        return {};
    }
    case msg::TALK_DATA:
        if (!Zero(p, 0, kTalkSilence))
            return Text("the first %zu bytes of a talk buffer are not zero", kTalkSilence);
        return {};
    default:
        return {};
    }
}

std::string CRequestCheck::CheckHello(const Bytes& p) {
    for (size_t i = 0; i < p.size(); ++i) {
        if (p[i] >= 'A' && p[i] <= 'Z')
            return Text(i < 16 ? "upper-case letter in the user id at byte %zu"
                               : "upper-case letter in the password at byte %zu",
                        i);
    }
    return {};
}

std::string CRequestCheck::CheckTimeRange(const Bytes& p) {
    if (GetBe32(p.data()) > 0xFFFF)
        return Text("channel mask 0x%08zx has bits above channel 16", GetBe32(p.data()));
    if (p[4] > kAllRecordTypes)
        return Text("record-type mask 0x%02zx has bits above type 5", p[4]);
    if (!Zero(p, 5, 16))
        return "bytes 5-15 of the time range are not zero";
    return {};
}

std::string CRequestCheck::CheckStartRecord(const Bytes& p) {
    if (GetBe32(p.data()) > 0xFFFF)
        return Text("channel mask 0x%08zx has bits above channel 16", GetBe32(p.data()));
    if (p[4] != 0 || p[5] > 1 || !Zero(p, 6, 16) || !Zero(p, 20, 24))
        return "the start record has bytes set besides the mask, the version byte 5 (0 or 1) and the time";
    return {};
}

std::string CRequestCheck::CheckDayRequest(const Bytes& p) {
    if (p[4] < 1 || p[4] > 12)
        return Text("month %zu (1-12)", p[4]);
    if (p[5] < 1 || p[5] > 31)
        return Text("day %zu (1-31)", p[5]);
    if (p[6] != 0 || p[7] != 0)
        return "bytes 6 and 7 of the day request are not zero";
    return {};
}

std::string CRequestCheck::CheckPtzMove(const Bytes& p) {
    const uint8_t command = p[0];
    if (command > kLastPtzCommand)
        return Text("PTZ command %zu (0-%zu)", command, kLastPtzCommand);
    const bool preset = command >= kFirstPresetCommand && command <= kLastPresetCommand;
    if (preset && p[2] != 0)
        return Text("byte 2 of preset command %zu is not zero", command);
    if (!preset && (p[1] != 0 || p[2] != 0 || p[3] != 0))
        return Text("PTZ command %zu carries bytes after the command", command);
    return {};
}

std::string CRequestCheck::CheckFirmwareRequest(const Bytes& p) {
    static constexpr uint8_t kParts[] = {0, 3, 4, 5, 6};
    if (std::find(std::begin(kParts), std::end(kParts), p[16]) == std::end(kParts))
        return Text("firmware table entry %zu (0, 3, 4, 5 or 6)", p[16]);
    if (!Zero(p, 0, 4) || !Zero(p, 8, 16) || !Zero(p, 17, 21) || !Zero(p, 53, 56))
        return "the firmware request has bytes set outside the version, the entry and the name";
    return {};
}

} // namespace ksim
