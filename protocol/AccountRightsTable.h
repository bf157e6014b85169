#pragma once
// The recorder's account table: the RIGHT_CHANGE payload and bytes 5624-6207 of the setup record.
// Right k of account a is rights[k][a] (byte 8k + a).

#include "platform/base/WinTypes.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

constexpr int kAccountCount = 8;
constexpr std::size_t kAccountNameSize = 32;

enum AccountRight : int {
    kRightRecordOff = 0,    // may turn recording off
    kRightSetup = 1,        // remote setup
    kRightPlayback = 2,     // remote search and playback
    kRightBackup = 3,       // backup
    kRightPtz = 4,          // PTZ
    kRightSeeHidden = 5,    // sees channels the recorder marks hidden
    kRightConnect = 6,      // may stay connected
    kRightRebootAfterFw = 7 // reboot after a firmware upgrade
};

#pragma pack(push, 1)
struct AccountRightsTable {
    BYTE rights[8][kAccountCount];                   // 0
    BYTE level[kAccountCount];                       // 64: 0 ends the session of the logged-in account
    char user_name[kAccountCount][kAccountNameSize]; // 72
    char password[kAccountCount][kAccountNameSize];  // 328
};
#pragma pack(pop)
static_assert(sizeof(AccountRightsTable) == 584);
static_assert(offsetof(AccountRightsTable, level) == 64 && offsetof(AccountRightsTable, user_name) == 72);
static_assert(offsetof(AccountRightsTable, password) == 328);

// The first account whose user name equals userId, ignoring ASCII case; -1 when none does.
int FindAccount(const AccountRightsTable& table, std::string_view userId);
bool HasRight(const AccountRightsTable& table, int right, int account);
// An account may stay connected only while its connect right and its level are both non-zero.
bool MayConnect(const AccountRightsTable& table, int account);
// The account's user name, read no further than its slot.
std::string AccountName(const AccountRightsTable& table, int account);
// What the client keeps of the account's password: its first 8 characters, lower-cased, the rest of
// the 16 bytes zero.
std::array<char, 16> StoredPassword(const AccountRightsTable& table, int account);
// Compares a typed password with a stored one, ignoring ASCII case, as the recorder does.
bool PasswordMatches(const std::array<char, 16>& stored, std::string_view typed);

// Takes a RIGHT_CHANGE payload: exactly 584 bytes replace the table; any other size leaves the
// previous table in force and returns false.
bool ApplyRightChange(AccountRightsTable& table, std::span<const BYTE> payload);
