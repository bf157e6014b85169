#include "sim/SimWire.h"

#include <array>
#include <cstdlib>

namespace ksim {

void EncodeHeader(const WireHeader& h, uint8_t* out16) {
    const uint32_t w0 = uint32_t(h.id & 0x1FF) << 7 | (h.audioOn ? 0x8u : 0u) | (h.audioChannel & 0x7u);
    const uint32_t w1 = (h.length & 0xFFFF) | (h.last ? kLastFragment : 0u) | uint32_t(h.speedCode & 0x3F) << 16;
    PutBe32(out16, w0);
    PutBe32(out16 + 4, w1);
    PutBe32(out16 + 8, h.word2);
    PutBe32(out16 + 12, h.word3);
}

WireHeader DecodeHeader(const uint8_t* in16) {
    const uint32_t w0 = GetBe32(in16);
    const uint32_t w1 = GetBe32(in16 + 4);
    WireHeader h;
    h.id = uint16_t((w0 & 0xFFFF) >> 7);
    h.audioChannel = uint8_t(w0 & 0x7);
    h.audioOn = (w0 & 0x8) != 0;
    h.length = w1 & 0xFFFF;
    h.last = (w1 & kLastFragment) != 0;
    h.speedCode = uint8_t((w1 >> 16) & 0x3F);
    h.word2 = GetBe32(in16 + 8);
    h.word3 = GetBe32(in16 + 12);
    h.word0 = w0;
    h.word1 = w1;
    return h;
}

namespace {

struct NameEntry {
    uint16_t id;
    const char* name;
};

// Recorder-to-client meaning of the shared number 102 comes first; the client-to-recorder
// request is looked up separately.
constexpr std::array kNames = {
    NameEntry{1, "HELLO"},
    NameEntry{4, "BYE48"},
    NameEntry{5, "HELLO48_ACK"},
    NameEntry{16, "LIVE_REQ"},
    NameEntry{17, "LIVE_CHANNEL_INFO"},
    NameEntry{18, "LIVE_DATA"},
    NameEntry{19, "LIVE_NACK"},
    NameEntry{20, "LIVE_STOP"},
    NameEntry{21, "LIVE_STOP_ACK"},
    NameEntry{22, "LIVE_STOP_NACK"},
    NameEntry{23, "AUDIO_ONOFF_REQ"},
    NameEntry{24, "SYS_ETC_INFO_EX"},
    NameEntry{32, "REC_ON_REQ"},
    NameEntry{33, "REC_ON_ACK"},
    NameEntry{34, "REC_ON_NACK"},
    NameEntry{35, "REC_OFF_REQ"},
    NameEntry{36, "REC_OFF_ACK"},
    NameEntry{37, "REC_OFF_NACK"},
    NameEntry{42, "PLAY_PREV_STEP"},
    NameEntry{43, "PLAY_BACKWARD"},
    NameEntry{44, "PLAY_FORWARD"},
    NameEntry{45, "PLAY_PAUSE"},
    NameEntry{46, "PLAY_NEXT_STEP"},
    NameEntry{51, "PLAY_ON_REQ"},
    NameEntry{52, "PLAY_CHANNEL_INFO"},
    NameEntry{53, "PLAY_ON_ACK"},
    NameEntry{54, "PLAY_ON_NACK"},
    NameEntry{55, "RPLAY_STOP"},
    NameEntry{56, "PLAY_OFF_ACK"},
    NameEntry{57, "PLAY_OFF_NACK"},
    NameEntry{61, "PLAY_STEP_DATA"},
    NameEntry{62, "PLAY_CH_CHANGE"},
    NameEntry{63, "PLAY_FLOW"},
    NameEntry{99, "TRANS_ON_REQ"},
    NameEntry{101, "TRANS_ON_ACK"},
    NameEntry{102, "TRANS_ON_NACK"},
    NameEntry{104, "TRANS_OFF_ACK"},
    NameEntry{105, "TRANS_OFF_NACK"},
    NameEntry{112, "DB_INFO_REQ"},
    NameEntry{113, "DB_INFO_ACK"},
    NameEntry{114, "DB48_INFO_NACK"},
    NameEntry{115, "DB_UPDATE_REQ"},
    NameEntry{116, "DB_UPDATE_ACK"},
    NameEntry{117, "DB_UPDATE_NACK"},
    NameEntry{125, "DST_INFO"},
    NameEntry{126, "DVR_TIME_REQ"},
    NameEntry{127, "DVR_TIME_ACK"},
    NameEntry{144, "FW_UPDATE_REQ"},
    NameEntry{145, "FW_UPDATE_ACK"},
    NameEntry{146, "FW_DATA"},
    NameEntry{256, "REC_STATUS"},
    NameEntry{257, "MESSAGE_257"},
    NameEntry{258, "DB_CHANGE"},
    NameEntry{259, "SYS_ETC_INFO"},
    NameEntry{260, "PLAY_INFO_MONTH_REQ"},
    NameEntry{261, "PLAY_INFO_MONTH_ACK"},
    NameEntry{262, "PLAY_INFO_MONTH_NACK"},
    NameEntry{263, "PLAY_INFO_DAY_REQ"},
    NameEntry{264, "PLAY_INFO_DAY_ACK"},
    NameEntry{265, "PLAY_INFO_DAY_NACK"},
    NameEntry{266, "PLAY_DATA"},
    NameEntry{267, "PLAY_ON_FAIL"},
    NameEntry{268, "PLAY_ON_DONE"},
    NameEntry{270, "RIGHT_CHANGE"},
    NameEntry{272, "A_LISTEN_REQ"},
    NameEntry{273, "A_LISTEN_ACK"},
    NameEntry{274, "A_LISTEN_NACK"},
    NameEntry{275, "TALK_DATA"},
    NameEntry{276, "A_LISTEN_STOP_REQ"},
    NameEntry{277, "A_LISTEN_STOP_ACK"},
    NameEntry{282, "PTZ_CHANNEL_REQ"},
    NameEntry{283, "PTZ_CHANNEL_ACK"},
    NameEntry{284, "PTZ_MOVE_REQ"},
    NameEntry{285, "PTZ_MOVE_STOP"},
    NameEntry{288, "TRANS_INFO_MONTH_REQ"},
    NameEntry{289, "TRANS_INFO_MONTH_ACK"},
    NameEntry{290, "TRANS_INFO_MONTH_NACK"},
    NameEntry{291, "TRANS_INFO_DAY_REQ"},
    NameEntry{292, "TRANS_INFO_DAY_ACK"},
    NameEntry{293, "TRANS_INFO_DAY_NACK"},
    NameEntry{294, "TRANS_DATA_REQ"},
    NameEntry{295, "TRANS_ON_DATA"},
    NameEntry{297, "TRANS_ON_DONE"},
    NameEntry{298, "TRANS_ON_FAIL"},
    NameEntry{299, "CAPA_CAL_CANCEL"},
    NameEntry{304, "FW_UPDATE_NACK"},
    NameEntry{305, "FW_DATA_RX_DONE"},
    NameEntry{306, "FW_DATA_RX_FAIL"},
    NameEntry{307, "FW_UPDATE_DONE"},
    NameEntry{308, "FW_UPDATE_FAIL"},
    NameEntry{320, "LOG_INFO_REQ"},
    NameEntry{321, "LOG_INFO_ACK"},
    NameEntry{322, "LOG_INFO_NACK"},
    NameEntry{323, "SYSTEM_INFO_REQ"},
    NameEntry{324, "SYSTEM_INFO_ACK"},
    NameEntry{325, "SYSTEM_INFO_NACK"},
    NameEntry{326, "STATUS_INFO_REQ"},
    NameEntry{327, "STATUS_INFO_ACK"},
    NameEntry{328, "STATUS_INFO_NACK"},
    NameEntry{329, "EVENT_INFO_REQ"},
    NameEntry{330, "EVENT_INFO_ACK"},
    NameEntry{331, "EVENT_INFO_NACK"},
    NameEntry{336, "DB_INIT_REQ"},
    NameEntry{337, "DB_INIT_ACK"},
    NameEntry{338, "DB_INIT_NACK"},
    NameEntry{339, "SEND_TEST_MAIL_REQ"},
    NameEntry{340, "SEND_TEST_MAIL_ACK"},
    NameEntry{341, "SEND_TEST_MAIL_NACK"},
    NameEntry{342, "REBOOT_REQ"},
    NameEntry{343, "REBOOT_ACK"},
    NameEntry{344, "REBOOT_NACK"},
    NameEntry{345, "POWEROFF_REQ"},
    NameEntry{346, "POWEROFF_ACK"},
    NameEntry{347, "POWEROFF_NACK"},
};

struct RefusalEntry {
    uint16_t request;
    uint16_t refusal;
};

// Which refusal answers which request. TRANS_DATA_REQ has no NACK: its refusal is TRANS_ON_FAIL;
// FW_DATA's is the receive failure; HELLO's is BYE48.
constexpr std::array kRefusals = {
    RefusalEntry{msg::HELLO, msg::BYE48},
    RefusalEntry{msg::LIVE_REQ, msg::LIVE_NACK},
    RefusalEntry{msg::LIVE_STOP, msg::LIVE_STOP_NACK},
    RefusalEntry{msg::REC_ON_REQ, msg::REC_ON_NACK},
    RefusalEntry{msg::REC_OFF_REQ, msg::REC_OFF_NACK},
    RefusalEntry{msg::PLAY_ON_REQ, msg::PLAY_ON_NACK},
    RefusalEntry{msg::RPLAY_STOP, msg::PLAY_OFF_NACK},
    RefusalEntry{msg::TRANS_ON_REQ, msg::TRANS_ON_NACK},
    RefusalEntry{msg::TRANS_OFF_REQ, msg::TRANS_OFF_NACK},
    RefusalEntry{msg::DB_INFO_REQ, msg::DB48_INFO_NACK},
    RefusalEntry{msg::DB_UPDATE_REQ, msg::DB_UPDATE_NACK},
    RefusalEntry{msg::FW_UPDATE_REQ, msg::FW_UPDATE_NACK},
    RefusalEntry{msg::FW_DATA, msg::FW_DATA_RX_FAIL},
    RefusalEntry{msg::PLAY_INFO_MONTH_REQ, msg::PLAY_INFO_MONTH_NACK},
    RefusalEntry{msg::PLAY_INFO_DAY_REQ, msg::PLAY_INFO_DAY_NACK},
    RefusalEntry{msg::A_LISTEN_REQ, msg::A_LISTEN_NACK},
    RefusalEntry{msg::TRANS_INFO_MONTH_REQ, msg::TRANS_INFO_MONTH_NACK},
    RefusalEntry{msg::TRANS_INFO_DAY_REQ, msg::TRANS_INFO_DAY_NACK},
    RefusalEntry{msg::TRANS_DATA_REQ, msg::TRANS_ON_FAIL},
    RefusalEntry{msg::LOG_INFO_REQ, msg::LOG_INFO_NACK},
    RefusalEntry{msg::SYSTEM_INFO_REQ, msg::SYSTEM_INFO_NACK},
    RefusalEntry{msg::STATUS_INFO_REQ, msg::STATUS_INFO_NACK},
    RefusalEntry{msg::EVENT_INFO_REQ, msg::EVENT_INFO_NACK},
    RefusalEntry{msg::DB_INIT_REQ, msg::DB_INIT_NACK},
    RefusalEntry{msg::SEND_TEST_MAIL_REQ, msg::SEND_TEST_MAIL_NACK},
    RefusalEntry{msg::REBOOT_REQ, msg::REBOOT_NACK},
    RefusalEntry{msg::POWEROFF_REQ, msg::POWEROFF_NACK},
};

} // namespace

std::string MessageName(uint16_t id, bool fromClient) {
    if (fromClient && id == msg::TRANS_OFF_REQ)
        return "TRANS_OFF_REQ";
    for (const auto& e : kNames) {
        if (e.id == id)
            return e.name;
    }
    return "MSG_" + std::to_string(id);
}

bool IsFragmenting(uint16_t id) {
    switch (id) {
    case msg::LIVE_DATA:
    case msg::PLAY_DATA:
    case msg::TRANS_ON_DATA:
    case msg::DB_INFO_ACK:
    case msg::PLAY_INFO_MONTH_ACK:
    case msg::PLAY_INFO_DAY_ACK:
    case msg::TRANS_INFO_MONTH_ACK:
    case msg::TRANS_INFO_DAY_ACK:
    case msg::LOG_INFO_ACK:
    case msg::SYSTEM_INFO_ACK:
    case msg::STATUS_INFO_ACK:
    case msg::EVENT_INFO_ACK:
        return true;
    default:
        return false;
    }
}

uint16_t RefusalFor(uint16_t requestId) {
    for (const auto& e : kRefusals) {
        if (e.request == requestId)
            return e.refusal;
    }
    return 0;
}

uint16_t RequestForRefusal(uint16_t refusalId) {
    for (const auto& e : kRefusals) {
        if (e.refusal == refusalId)
            return e.request;
    }
    // Failures that are not the direct answer of a request.
    if (refusalId == msg::PLAY_ON_FAIL)
        return msg::PLAY_ON_REQ;
    if (refusalId == msg::FW_UPDATE_FAIL)
        return msg::FW_DATA;
    return 0;
}

uint16_t ParseMessageId(const std::string& text) {
    if (text.empty())
        return 0;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str(), &end, 10);
    if (end && *end == '\0')
        return v > 0 && v < 512 ? uint16_t(v) : 0;
    if (text == "TRANS_OFF_REQ")
        return msg::TRANS_OFF_REQ;
    for (const auto& e : kNames) {
        if (text == e.name)
            return e.id;
    }
    return 0;
}

} // namespace ksim
