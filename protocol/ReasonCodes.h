#pragma once
// The reason codes (first u32 of every NACK, FAIL and of a BYE48 from the recorder) that the client
// tells apart, and the notice codes it posts for them (lParam of the notice: category << 16 | code).

#include "platform/base/WinTypes.h"

#include <cerrno>

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

// Notices, named after what the main window's notice box says for each.
constexpr LPARAM kNoticeSocketFailed = MakeNotice(0, 0);
constexpr LPARAM kNoticeConnectTimedOut = MakeNotice(1, 0);
constexpr LPARAM kNoticeConnectRefused = MakeNotice(1, 1);
constexpr LPARAM kNoticeConnectionClosed = MakeNotice(2, 0);
// The recorder ended the connection (BYE48), by its reason.
constexpr LPARAM kNoticeByeUnknown = MakeNotice(3, 0);
constexpr LPARAM kNoticeByeClosedByRecorder = MakeNotice(3, 1);
constexpr LPARAM kNoticeByeSetupChanged = MakeNotice(3, 2);
constexpr LPARAM kNoticeByeFirmwareUpdate = MakeNotice(3, 3);
constexpr LPARAM kNoticeByeShutDown = MakeNotice(3, 4);
constexpr LPARAM kNoticeByeAnotherUser = MakeNotice(3, 5);
constexpr LPARAM kNoticeByeTooManyConnections = MakeNotice(3, 6);
constexpr LPARAM kNoticeByeNoAnswer = MakeNotice(3, 7);
constexpr LPARAM kNoticeNothingFound = MakeNotice(4, 0);
// Live view or recording refused.
constexpr LPARAM kNoticeLiveRefused = MakeNotice(5, 0);
constexpr LPARAM kNoticeLiveNotAllowedNow = MakeNotice(5, 1);
constexpr LPARAM kNoticeLivePlaybackRunning = MakeNotice(5, 2);
// A request refused, by the reason.
constexpr LPARAM kNoticeRefused = MakeNotice(6, 0);
constexpr LPARAM kNoticeRefusedWrongRequest = MakeNotice(6, 1);
constexpr LPARAM kNoticeRefusedNotAllowedNow = MakeNotice(6, 2);
constexpr LPARAM kNoticeRefusedBusy = MakeNotice(6, 3);
constexpr LPARAM kNoticeRefusedInUse = MakeNotice(6, 4);
constexpr LPARAM kNoticeRefusedNoSpace = MakeNotice(6, 5);
constexpr LPARAM kNoticeRefusedDiskError = MakeNotice(6, 6);
constexpr LPARAM kNoticeRefusedSetupChanging = MakeNotice(6, 7);
// The recorder refused the setup, by the reason.
constexpr LPARAM kNoticeSetupRefused = MakeNotice(7, 0);
constexpr LPARAM kNoticeSetupRefusedInvalid = MakeNotice(7, 1);
constexpr LPARAM kNoticeSetupRefusedBusy = MakeNotice(7, 2);
constexpr LPARAM kNoticeSetupRefusedChanging = MakeNotice(7, 3);
// The firmware upgrade finished: restart the recorder now?
constexpr LPARAM kNoticeFirmwareAskRestart = MakeNotice(8, 5);
constexpr LPARAM kNoticeSetupDamaged = MakeNotice(9, 0);
constexpr LPARAM kNoticeSetupSaved = MakeNotice(10, 0);
// The firmware folder holds images (upgrade now?), or none.
constexpr LPARAM kNoticeFirmwareFound = MakeNotice(11, 0);
constexpr LPARAM kNoticeNoFirmwareFound = MakeNotice(11, 1);
// Two-way talk refused: in use by another, or not available.
constexpr LPARAM kNoticeTalkInUse = MakeNotice(12, 0);
constexpr LPARAM kNoticeTalkUnavailable = MakeNotice(12, 1);
// Not enough space on the computer for a backup.
constexpr LPARAM kNoticeNoSpaceForBackup = MakeNotice(13, 0);
// Not allowed for this account; after a BYE48, the account may no longer connect.
constexpr LPARAM kNoticeNotAllowed = MakeNotice(15, 0);
// Initialise the recorder's setup? (asked by the setup frame)
constexpr LPARAM kNoticeInitializeSetup = MakeNotice(16, 0);
// A file this computer was to write (a backup, a still image) could not be written: its disk or
// quota is full, or the folder cannot be written at all. The folder is shown with the notice.
constexpr LPARAM kNoticeWriteNoSpace = MakeNotice(17, 0);
constexpr LPARAM kNoticeWriteFailed = MakeNotice(17, 1);

// The notice for a local write that failed with the system's error number.
constexpr LPARAM LocalWriteNotice(int error) {
    // The disk, the quota or the file size limit is reached.
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? kNoticeWriteNoSpace : kNoticeWriteFailed;
}
