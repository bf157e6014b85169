#pragma once
// The recorder's daylight-saving rule table (DST_INFO payload): a rule count, big-endian on the
// wire and in host order once received, then 100 rules. The time pages select rule k with the setup
// record's daylight-saving mode k + 2.

#include "platform/base/WinTypes.h"

#include <cstddef>
#include <span>

constexpr std::size_t kDstRuleCount = 100;

struct DstRule {
    BYTE start_month;   // 0-11
    BYTE start_week;    // 0-3 first to fourth, 4 last
    BYTE start_weekday; // 0 Sunday - 6 Saturday
    BYTE start_hour;    // 0-23
    BYTE start_minute;  // 0-59
    BYTE end_month;
    BYTE end_week;
    BYTE end_weekday;
    BYTE end_hour;
    BYTE end_minute;
    BYTE unused[2];
};
static_assert(sizeof(DstRule) == 12);

struct DstInfo {
    DWORD count; // big-endian on the wire
    DstRule rules[kDstRuleCount];
};
static_assert(sizeof(DstInfo) == 1204);

// Takes a DST_INFO payload: exactly 1204 bytes, the count converted to host order and held to the
// table's 100 rules. Any other size leaves the table as it was and returns false.
bool ApplyDstInfo(DstInfo& info, std::span<const BYTE> payload);
// True when every field of the rule is within its range, so the time pages can index their tables.
bool IsValidDstRule(const DstRule& rule);
// Rule k when it exists and is valid; null otherwise.
const DstRule* FindDstRule(const DstInfo& info, int k);
