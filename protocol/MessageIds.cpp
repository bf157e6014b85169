#include "protocol/MessageIds.h"

namespace {

struct NameEntry {
    WORD id;
    MsgDir dir;
    const char* name;
};

constexpr MsgDir O = MsgDir::Out;
constexpr MsgDir I = MsgDir::In;

constexpr NameEntry kNames[] = {
    {1, O, "HELLO"},
    {4, O, "BYE48"},
    {4, I, "BYE48"},
    {5, I, "HELLO48_ACK"},
    {16, O, "LIVE_REQ"},
    {17, I, "LIVE_CHANNEL_INFO"},
    {18, I, "LIVE_DATA"},
    {19, I, "LIVE_NACK"},
    {20, O, "LIVE_STOP"},
    {21, I, "LIVE_STOP_ACK"},
    {22, I, "LIVE_STOP_NACK"},
    {23, O, "AUDIO_ONOFF_REQ"},
    {24, I, "SYS_ETC_INFO_EX"},
    {32, O, "REC_ON_REQ"},
    {33, I, "REC_ON_ACK"},
    {34, I, "REC_ON_NACK"},
    {35, O, "REC_OFF_REQ"},
    {36, I, "REC_OFF_ACK"},
    {37, I, "REC_OFF_NACK"},
    {42, O, "PLAY_PREV_STEP"},
    {43, O, "PLAY_BACKWARD"},
    {44, O, "PLAY_FORWARD"},
    {45, O, "PLAY_PAUSE"},
    {46, O, "PLAY_NEXT_STEP"},
    {51, O, "PLAY_ON_REQ"},
    {52, I, "PLAY_CHANNEL_INFO"},
    {53, I, "PLAY_ON_ACK"},
    {54, I, "PLAY_ON_NACK"},
    {55, O, "RPLAY_STOP"},
    {56, I, "PLAY_OFF_ACK"},
    {57, I, "PLAY_OFF_NACK"},
    {61, O, "PLAY_STEP_DATA"},
    {62, O, "PLAY_CH_CHANGE"},
    {63, I, "PLAY_FLOW"},
    {99, O, "TRANS_ON_REQ"},
    {101, I, "TRANS_ON_ACK"},
    {102, I, "TRANS_ON_NACK"},
    {102, O, "TRANS_OFF_REQ"},
    {104, I, "TRANS_OFF_ACK"},
    {105, I, "TRANS_OFF_NACK"},
    {112, O, "DB_INFO_REQ"},
    {113, I, "DB_INFO_ACK"},
    {114, I, "DB48_INFO_NACK"},
    {115, O, "DB_UPDATE_REQ"},
    {116, I, "DB_UPDATE_ACK"},
    {117, I, "DB_UPDATE_NACK"},
    {125, I, "DST_INFO"},
    {126, O, "DVR_TIME_REQ"},
    {127, I, "DVR_TIME_ACK"},
    {144, O, "FW_UPDATE_REQ"},
    {145, I, "FW_UPDATE_ACK"},
    {146, O, "FW_DATA"},
    {256, I, "REC_STATUS"},
    {257, I, "MESSAGE_257"},
    {258, I, "DB_CHANGE"},
    {259, I, "SYS_ETC_INFO"},
    {260, O, "PLAY_INFO_MONTH_REQ"},
    {261, I, "PLAY_INFO_MONTH_ACK"},
    {262, I, "PLAY_INFO_MONTH_NACK"},
    {263, O, "PLAY_INFO_DAY_REQ"},
    {264, I, "PLAY_INFO_DAY_ACK"},
    {265, I, "PLAY_INFO_DAY_NACK"},
    {266, I, "PLAY_DATA"},
    {267, I, "PLAY_ON_FAIL"},
    {268, I, "PLAY_ON_DONE"},
    {270, I, "RIGHT_CHANGE"},
    {272, O, "A_LISTEN_REQ"},
    {273, I, "A_LISTEN_ACK"},
    {274, I, "A_LISTEN_NACK"},
    {275, O, "TALK_DATA"},
    {276, O, "A_LISTEN_STOP_REQ"},
    {277, I, "A_LISTEN_STOP_ACK"},
    {282, O, "PTZ_CHANNEL_REQ"},
    {283, I, "PTZ_CHANNEL_ACK"},
    {284, O, "PTZ_MOVE_REQ"},
    {285, O, "PTZ_MOVE_STOP"},
    {288, O, "TRANS_INFO_MONTH_REQ"},
    {289, I, "TRANS_INFO_MONTH_ACK"},
    {290, I, "TRANS_INFO_MONTH_NACK"},
    {291, O, "TRANS_INFO_DAY_REQ"},
    {292, I, "TRANS_INFO_DAY_ACK"},
    {293, I, "TRANS_INFO_DAY_NACK"},
    {294, O, "TRANS_DATA_REQ"},
    {295, I, "TRANS_ON_DATA"},
    {297, I, "TRANS_ON_DONE"},
    {298, I, "TRANS_ON_FAIL"},
    {299, O, "CAPA_CAL_CANCEL"},
    {304, I, "FW_UPDATE_NACK"},
    {305, I, "FW_DATA_RX_DONE"},
    {306, I, "FW_DATA_RX_FAIL"},
    {307, I, "FW_UPDATE_DONE"},
    {308, I, "FW_UPDATE_FAIL"},
    {320, O, "LOG_INFO_REQ"},
    {321, I, "LOG_INFO_ACK"},
    {322, I, "LOG_INFO_NACK"},
    {323, O, "SYSTEM_INFO_REQ"},
    {324, I, "SYSTEM_INFO_ACK"},
    {325, I, "SYSTEM_INFO_NACK"},
    {326, O, "STATUS_INFO_REQ"},
    {327, I, "STATUS_INFO_ACK"},
    {328, I, "STATUS_INFO_NACK"},
    {329, O, "EVENT_INFO_REQ"},
    {330, I, "EVENT_INFO_ACK"},
    {331, I, "EVENT_INFO_NACK"},
    {336, O, "DB_INIT_REQ"},
    {337, I, "DB_INIT_ACK"},
    {338, I, "DB_INIT_NACK"},
    {339, O, "SEND_TEST_MAIL_REQ"},
    {340, I, "SEND_TEST_MAIL_ACK"},
    {341, I, "SEND_TEST_MAIL_NACK"},
    {342, O, "REBOOT_REQ"},
    {343, I, "REBOOT_ACK"},
    {344, I, "REBOOT_NACK"},
    {345, O, "POWEROFF_REQ"},
    {346, I, "POWEROFF_ACK"},
    {347, I, "POWEROFF_NACK"},
};

} // namespace

const char* MessageName(WORD id, MsgDir dir) {
    for (const NameEntry& e : kNames) {
        if (e.id == id && e.dir == dir) {
            return e.name;
        }
    }
    return nullptr;
}

bool IsFragmentedMessage(WORD id) {
    switch (id) {
    case Msg::LIVE_DATA:
    case Msg::PLAY_DATA:
    case Msg::TRANS_ON_DATA:
    case Msg::DB_INFO_ACK:
    case Msg::PLAY_INFO_MONTH_ACK:
    case Msg::PLAY_INFO_DAY_ACK:
    case Msg::TRANS_INFO_MONTH_ACK:
    case Msg::TRANS_INFO_DAY_ACK:
    case Msg::LOG_INFO_ACK:
    case Msg::SYSTEM_INFO_ACK:
    case Msg::STATUS_INFO_ACK:
    case Msg::EVENT_INFO_ACK:
    case Msg::FW_DATA:
        return true;
    default:
        return false;
    }
}
