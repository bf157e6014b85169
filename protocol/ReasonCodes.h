#pragma once
// The reason codes (first u32 of every NACK, FAIL and of a BYE48 from the recorder) that the client
// tells apart, and the notice codes it posts for them (lParam of the notice: category << 16 | code).

#include "platform/base/WinTypes.h"

namespace Reason {
constexpr LONG R1 = 1;
constexpr LONG R2 = 2;
constexpr LONG R3 = 3;
constexpr LONG R33 = 33;
constexpr LONG R34 = 34;
constexpr LONG R35 = 35;
constexpr LONG R36 = 36;
constexpr LONG R37 = 37; // the account may no longer connect
constexpr LONG MINUS2 = -2;
constexpr LONG R51 = 51;
constexpr LONG R52 = 52;
constexpr LONG R53 = 53;
constexpr LONG R54 = 54;
constexpr LONG R55 = 55;
constexpr LONG R65 = 65;
constexpr LONG R66 = 66;
constexpr LONG R81 = 81;
constexpr LONG R82 = 82;
constexpr LONG NOTHING_FOUND = 83; // an empty search result, not an error
constexpr LONG R86 = 86;
constexpr LONG R87 = 87; // followed by two more u32 (12-byte payload)
constexpr LONG R97 = 97;
constexpr LONG R98 = 98;
// What RecvReply gives for an empty payload and for a broken connection.
constexpr LONG EMPTY_PAYLOAD = -100;
constexpr LONG READ_FAILED = -99;
} // namespace Reason

constexpr LPARAM MakeNotice(WORD category, WORD code) {
    return LPARAM((DWORD(category) << 16) | code);
}

// Private window messages the client posts.
constexpr UINT WM_KELO_NOTICE = 0x5226;
constexpr UINT WM_KELO_SETUP_READY = 0x5227;
constexpr UINT WM_KELO_FW_UPDATE_ACK = 0x522A;
constexpr UINT WM_KELO_FW_UPDATE_NACK = 0x522B;
constexpr UINT WM_KELO_FW_DATA_RX_DONE = 0x522C;
constexpr UINT WM_KELO_FW_DATA_RX_FAIL = 0x522D;
constexpr UINT WM_KELO_FW_UPDATE_DONE = 0x522E;
constexpr UINT WM_KELO_FW_UPDATE_FAIL = 0x522F;
constexpr UINT WM_KELO_PLAY_MONTH_READY = 0x5234;
constexpr UINT WM_KELO_EVENT_LIST_READY = 0x5235;
constexpr UINT WM_KELO_TRANS_MONTH_READY = 0x5236;
constexpr UINT WM_KELO_PLAY_DAY_READY = 0x5237;
constexpr UINT WM_KELO_TRANS_DAY_READY = 0x5238;
constexpr UINT WM_KELO_LOG_READY = 0x523A;
constexpr UINT WM_KELO_SYSTEM_INFO_READY = 0x523B;
constexpr UINT WM_KELO_STATUS_READY = 0x523C;
constexpr UINT WM_KELO_MIKE_START = 0x523D;
constexpr UINT WM_KELO_MIKE_STOP = 0x523E;
constexpr UINT WM_KELO_BACKUP_CREATE = 0x5248;
constexpr UINT WM_KELO_BACKUP_PROGRESS = 0x5249;
constexpr UINT WM_KELO_BACKUP_CLOSE = 0x524A;
constexpr UINT WM_KELO_PLAY_STARTED = 0x5252;
constexpr UINT WM_KELO_DVR_TIME = 0x5254;
constexpr UINT WM_KELO_RIGHTS_CHANGED = 0x5255;

// Notices.
constexpr LPARAM kNoticeSocketFailed = MakeNotice(0, 0);
constexpr LPARAM kNoticeConnectTimedOut = MakeNotice(1, 0);
constexpr LPARAM kNoticeConnectRefused = MakeNotice(1, 1);
constexpr LPARAM kNoticeConnectionClosed = MakeNotice(2, 0);
constexpr LPARAM kNoticeNothingFound = MakeNotice(4, 0);
constexpr LPARAM kNoticeAccountBlocked = MakeNotice(15, 0);
