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

// The notice categories (the high word of a notice), named for what the notice box says. The main
// window's notice table is keyed by these, the client and the frames post them.
enum class NoticeCategory : WORD {
    SocketUnavailable = 0, // the network socket could not be made
    ConnectFailed = 1,     // 0 the connect timed out, 1 it failed
    ConnectionClosed = 2,
    RecorderClosed = 3, // the recorder ended the connection (BYE48), by its reason
    NothingFound = 4,
    LiveRefused = 5,    // live view or recording refused, by the reason
    Refused = 6,        // a request refused, by the reason
    SetupRefused = 7,   // the recorder refused the setup, by the reason
    FirmwareResult = 8, // the firmware upgrade ended: failed by the reason, or 5 finished
    SetupDamaged = 9,   // the setup read back failed its check
    SetupSaved = 10,
    FirmwareFolder = 11,  // 0 the folder holds images, 1 none
    TalkRefused = 12,     // 0 in use by another, 1 not available
    BackupSpace = 13,     // not enough space on this computer for a backup, with the sizes
    Initialize = 14,      // initialise: every setting back to its default?
    NotAllowed = 15,      // not allowed for this account
    InitializeSetup = 16, // initialise the recorder's setup? (asked by the setup frame)
    LocalWrite = 17,      // a file this computer was to write: 0 no space, 1 cannot write; the folder follows
};

constexpr LPARAM MakeNotice(NoticeCategory category, WORD code) {
    return LPARAM((DWORD(category) << 16) | code);
}

// Notices, named after what the main window's notice box says for each.
constexpr LPARAM kNoticeSocketFailed = MakeNotice(NoticeCategory::SocketUnavailable, 0);
constexpr LPARAM kNoticeConnectTimedOut = MakeNotice(NoticeCategory::ConnectFailed, 0);
constexpr LPARAM kNoticeConnectRefused = MakeNotice(NoticeCategory::ConnectFailed, 1);
constexpr LPARAM kNoticeConnectionClosed = MakeNotice(NoticeCategory::ConnectionClosed, 0);
// The recorder ended the connection (BYE48), by its reason.
constexpr LPARAM kNoticeByeUnknown = MakeNotice(NoticeCategory::RecorderClosed, 0);
constexpr LPARAM kNoticeByeClosedByRecorder = MakeNotice(NoticeCategory::RecorderClosed, 1);
constexpr LPARAM kNoticeByeSetupChanged = MakeNotice(NoticeCategory::RecorderClosed, 2);
constexpr LPARAM kNoticeByeFirmwareUpdate = MakeNotice(NoticeCategory::RecorderClosed, 3);
constexpr LPARAM kNoticeByeShutDown = MakeNotice(NoticeCategory::RecorderClosed, 4);
constexpr LPARAM kNoticeByeAnotherUser = MakeNotice(NoticeCategory::RecorderClosed, 5);
constexpr LPARAM kNoticeByeTooManyConnections = MakeNotice(NoticeCategory::RecorderClosed, 6);
constexpr LPARAM kNoticeByeNoAnswer = MakeNotice(NoticeCategory::RecorderClosed, 7);
constexpr LPARAM kNoticeNothingFound = MakeNotice(NoticeCategory::NothingFound, 0);
// Live view or recording refused.
constexpr LPARAM kNoticeLiveRefused = MakeNotice(NoticeCategory::LiveRefused, 0);
constexpr LPARAM kNoticeLiveNotAllowedNow = MakeNotice(NoticeCategory::LiveRefused, 1);
constexpr LPARAM kNoticeLivePlaybackRunning = MakeNotice(NoticeCategory::LiveRefused, 2);
// A request refused, by the reason.
constexpr LPARAM kNoticeRefused = MakeNotice(NoticeCategory::Refused, 0);
constexpr LPARAM kNoticeRefusedWrongRequest = MakeNotice(NoticeCategory::Refused, 1);
constexpr LPARAM kNoticeRefusedNotAllowedNow = MakeNotice(NoticeCategory::Refused, 2);
constexpr LPARAM kNoticeRefusedBusy = MakeNotice(NoticeCategory::Refused, 3);
constexpr LPARAM kNoticeRefusedInUse = MakeNotice(NoticeCategory::Refused, 4);
constexpr LPARAM kNoticeRefusedNoSpace = MakeNotice(NoticeCategory::Refused, 5);
constexpr LPARAM kNoticeRefusedDiskError = MakeNotice(NoticeCategory::Refused, 6);
constexpr LPARAM kNoticeRefusedSetupChanging = MakeNotice(NoticeCategory::Refused, 7);
// The recorder refused the setup, by the reason.
constexpr LPARAM kNoticeSetupRefused = MakeNotice(NoticeCategory::SetupRefused, 0);
constexpr LPARAM kNoticeSetupRefusedInvalid = MakeNotice(NoticeCategory::SetupRefused, 1);
constexpr LPARAM kNoticeSetupRefusedBusy = MakeNotice(NoticeCategory::SetupRefused, 2);
constexpr LPARAM kNoticeSetupRefusedChanging = MakeNotice(NoticeCategory::SetupRefused, 3);
// The firmware upgrade finished: restart the recorder now?
constexpr LPARAM kNoticeFirmwareAskRestart = MakeNotice(NoticeCategory::FirmwareResult, 5);
constexpr LPARAM kNoticeSetupDamaged = MakeNotice(NoticeCategory::SetupDamaged, 0);
constexpr LPARAM kNoticeSetupSaved = MakeNotice(NoticeCategory::SetupSaved, 0);
// The firmware folder holds images (upgrade now?), or none.
constexpr LPARAM kNoticeFirmwareFound = MakeNotice(NoticeCategory::FirmwareFolder, 0);
constexpr LPARAM kNoticeNoFirmwareFound = MakeNotice(NoticeCategory::FirmwareFolder, 1);
// Two-way talk refused: in use by another, or not available.
constexpr LPARAM kNoticeTalkInUse = MakeNotice(NoticeCategory::TalkRefused, 0);
constexpr LPARAM kNoticeTalkUnavailable = MakeNotice(NoticeCategory::TalkRefused, 1);
// Not enough space on the computer for a backup.
constexpr LPARAM kNoticeNoSpaceForBackup = MakeNotice(NoticeCategory::BackupSpace, 0);
// Not allowed for this account; after a BYE48, the account may no longer connect.
constexpr LPARAM kNoticeNotAllowed = MakeNotice(NoticeCategory::NotAllowed, 0);
// Initialise the recorder's setup? (asked by the setup frame)
constexpr LPARAM kNoticeInitializeSetup = MakeNotice(NoticeCategory::InitializeSetup, 0);
// A file this computer was to write (a backup, a still image) could not be written: its disk or
// quota is full, or the folder cannot be written at all. The folder is shown with the notice.
constexpr LPARAM kNoticeWriteNoSpace = MakeNotice(NoticeCategory::LocalWrite, 0);
constexpr LPARAM kNoticeWriteFailed = MakeNotice(NoticeCategory::LocalWrite, 1);

// The notice for a local write that failed with the system's error number.
constexpr LPARAM LocalWriteNotice(int error) {
    // The disk, the quota or the file size limit is reached.
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? kNoticeWriteNoSpace : kNoticeWriteFailed;
}
