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

// Notices.
constexpr LPARAM kNoticeSocketFailed = MakeNotice(0, 0);
constexpr LPARAM kNoticeConnectTimedOut = MakeNotice(1, 0);
constexpr LPARAM kNoticeConnectRefused = MakeNotice(1, 1);
constexpr LPARAM kNoticeConnectionClosed = MakeNotice(2, 0);
constexpr LPARAM kNoticeNothingFound = MakeNotice(4, 0);
constexpr LPARAM kNoticeAccountBlocked = MakeNotice(15, 0);
// A file the operator asked for could not be written: the disk or quota is full, or another error.
constexpr LPARAM kNoticeWriteNoSpace = MakeNotice(6, 5);
constexpr LPARAM kNoticeWriteFailed = MakeNotice(6, 0);
