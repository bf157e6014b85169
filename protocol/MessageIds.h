#pragma once
// The message ids of the recorder protocol and their trace names. Requests, acknowledgements and
// refusals mostly take n, n + 1, n + 2; TRANS_ON_REQ (99, ACK 101, NACK 102) and TRANS_OFF_REQ,
// which is sent as 102 (the number of TRANS_ON_NACK, in the other direction; ACK 104, NACK 105),
// break the rule.

#include "platform/base/WinTypes.h"

namespace Msg {
constexpr WORD HELLO = 1;
constexpr WORD BYE48 = 4;
constexpr WORD HELLO48_ACK = 5;
constexpr WORD LIVE_REQ = 16;
constexpr WORD LIVE_CHANNEL_INFO = 17;
constexpr WORD LIVE_DATA = 18;
constexpr WORD LIVE_NACK = 19;
constexpr WORD LIVE_STOP = 20;
constexpr WORD LIVE_STOP_ACK = 21;
constexpr WORD LIVE_STOP_NACK = 22;
constexpr WORD AUDIO_ONOFF_REQ = 23;
constexpr WORD SYS_ETC_INFO_EX = 24;
constexpr WORD REC_ON_REQ = 32;
constexpr WORD REC_ON_ACK = 33;
constexpr WORD REC_ON_NACK = 34;
constexpr WORD REC_OFF_REQ = 35;
constexpr WORD REC_OFF_ACK = 36;
constexpr WORD REC_OFF_NACK = 37;
constexpr WORD PLAY_PREV_STEP = 42;
constexpr WORD PLAY_BACKWARD = 43;
constexpr WORD PLAY_FORWARD = 44;
constexpr WORD PLAY_PAUSE = 45;
constexpr WORD PLAY_NEXT_STEP = 46;
constexpr WORD PLAY_ON_REQ = 51;
constexpr WORD PLAY_CHANNEL_INFO = 52;
constexpr WORD PLAY_ON_ACK = 53;
constexpr WORD PLAY_ON_NACK = 54;
constexpr WORD RPLAY_STOP = 55;
constexpr WORD PLAY_OFF_ACK = 56;
constexpr WORD PLAY_OFF_NACK = 57;
constexpr WORD PLAY_STEP_DATA = 61;
constexpr WORD PLAY_CH_CHANGE = 62;
constexpr WORD PLAY_FLOW = 63;
constexpr WORD TRANS_ON_REQ = 99;
constexpr WORD TRANS_ON_ACK = 101;
constexpr WORD TRANS_ON_NACK = 102;
constexpr WORD TRANS_OFF_REQ = 102;
constexpr WORD TRANS_OFF_ACK = 104;
constexpr WORD TRANS_OFF_NACK = 105;
constexpr WORD DB_INFO_REQ = 112;
constexpr WORD DB_INFO_ACK = 113;
constexpr WORD DB48_INFO_NACK = 114;
constexpr WORD DB_UPDATE_REQ = 115;
constexpr WORD DB_UPDATE_ACK = 116;
constexpr WORD DB_UPDATE_NACK = 117;
constexpr WORD DST_INFO = 125;
constexpr WORD DVR_TIME_REQ = 126;
constexpr WORD DVR_TIME_ACK = 127;
constexpr WORD FW_UPDATE_REQ = 144;
constexpr WORD FW_UPDATE_ACK = 145;
constexpr WORD FW_DATA = 146;
constexpr WORD REC_STATUS = 256;
constexpr WORD MESSAGE_257 = 257;
constexpr WORD DB_CHANGE = 258;
constexpr WORD SYS_ETC_INFO = 259;
constexpr WORD PLAY_INFO_MONTH_REQ = 260;
constexpr WORD PLAY_INFO_MONTH_ACK = 261;
constexpr WORD PLAY_INFO_MONTH_NACK = 262;
constexpr WORD PLAY_INFO_DAY_REQ = 263;
constexpr WORD PLAY_INFO_DAY_ACK = 264;
constexpr WORD PLAY_INFO_DAY_NACK = 265;
constexpr WORD PLAY_DATA = 266;
constexpr WORD PLAY_ON_FAIL = 267;
constexpr WORD PLAY_ON_DONE = 268;
constexpr WORD RIGHT_CHANGE = 270;
constexpr WORD A_LISTEN_REQ = 272;
constexpr WORD A_LISTEN_ACK = 273;
constexpr WORD A_LISTEN_NACK = 274;
constexpr WORD TALK_DATA = 275;
constexpr WORD A_LISTEN_STOP_REQ = 276;
constexpr WORD A_LISTEN_STOP_ACK = 277;
constexpr WORD PTZ_CHANNEL_REQ = 282;
constexpr WORD PTZ_CHANNEL_ACK = 283;
constexpr WORD PTZ_MOVE_REQ = 284;
constexpr WORD PTZ_MOVE_STOP = 285;
constexpr WORD TRANS_INFO_MONTH_REQ = 288;
constexpr WORD TRANS_INFO_MONTH_ACK = 289;
constexpr WORD TRANS_INFO_MONTH_NACK = 290;
constexpr WORD TRANS_INFO_DAY_REQ = 291;
constexpr WORD TRANS_INFO_DAY_ACK = 292;
constexpr WORD TRANS_INFO_DAY_NACK = 293;
constexpr WORD TRANS_DATA_REQ = 294;
constexpr WORD TRANS_ON_DATA = 295;
constexpr WORD TRANS_ON_DONE = 297;
constexpr WORD TRANS_ON_FAIL = 298;
constexpr WORD CAPA_CAL_CANCEL = 299;
constexpr WORD FW_UPDATE_NACK = 304;
constexpr WORD FW_DATA_RX_DONE = 305;
constexpr WORD FW_DATA_RX_FAIL = 306;
constexpr WORD FW_UPDATE_DONE = 307;
constexpr WORD FW_UPDATE_FAIL = 308;
constexpr WORD LOG_INFO_REQ = 320;
constexpr WORD LOG_INFO_ACK = 321;
constexpr WORD LOG_INFO_NACK = 322;
constexpr WORD SYSTEM_INFO_REQ = 323;
constexpr WORD SYSTEM_INFO_ACK = 324;
constexpr WORD SYSTEM_INFO_NACK = 325;
constexpr WORD STATUS_INFO_REQ = 326;
constexpr WORD STATUS_INFO_ACK = 327;
constexpr WORD STATUS_INFO_NACK = 328;
constexpr WORD EVENT_INFO_REQ = 329;
constexpr WORD EVENT_INFO_ACK = 330;
constexpr WORD EVENT_INFO_NACK = 331;
constexpr WORD DB_INIT_REQ = 336;
constexpr WORD DB_INIT_ACK = 337;
constexpr WORD DB_INIT_NACK = 338;
constexpr WORD SEND_TEST_MAIL_REQ = 339;
constexpr WORD SEND_TEST_MAIL_ACK = 340;
constexpr WORD SEND_TEST_MAIL_NACK = 341;
constexpr WORD REBOOT_REQ = 342;
constexpr WORD REBOOT_ACK = 343;
constexpr WORD REBOOT_NACK = 344;
constexpr WORD POWEROFF_REQ = 345;
constexpr WORD POWEROFF_ACK = 346;
constexpr WORD POWEROFF_NACK = 347;
// Skipped like an id without a handler, but without the trace line.
constexpr WORD SILENT_SKIP = 511;
} // namespace Msg

enum class MsgDir { Out, In };

// The trace name of an id in one direction ("TRANS_OFF_REQ" out, "TRANS_ON_NACK" in for 102), or
// null for an id the table does not have in that direction.
const char* MessageName(WORD id, MsgDir dir);

// True for the replies that may come in several fragments (bit 30 of word 1 on the last one) and
// for FW_DATA, the one fragmented request.
bool IsFragmentedMessage(WORD id);
