#include "protocol/DstInfo.h"

#include "protocol/ByteOrder.h"

#include <cstring>

namespace {

bool ValidPoint(BYTE month, BYTE week, BYTE weekday, BYTE hour, BYTE minute) {
    return month < 12 && week <= 4 && weekday < 7 && hour < 24 && minute < 60;
}

} // namespace

bool ApplyDstInfo(DstInfo& info, std::span<const BYTE> payload) {
    if (payload.size() != sizeof(DstInfo)) {
        return false;
    }
    std::memcpy(&info, payload.data(), sizeof(DstInfo));
    info.count = ReadBE32(payload.data());
    if (info.count > kDstRuleCount) {
        info.count = kDstRuleCount;
    }
    return true;
}

bool IsValidDstRule(const DstRule& rule) {
    return ValidPoint(rule.start_month, rule.start_week, rule.start_weekday, rule.start_hour, rule.start_minute) &&
           ValidPoint(rule.end_month, rule.end_week, rule.end_weekday, rule.end_hour, rule.end_minute);
}

const DstRule* FindDstRule(const DstInfo& info, int k) {
    if (k < 0 || DWORD(k) >= info.count || DWORD(k) >= kDstRuleCount) {
        return nullptr;
    }
    const DstRule& rule = info.rules[k];
    return IsValidDstRule(rule) ? &rule : nullptr;
}
