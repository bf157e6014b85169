#include "protocol/AccountRightsTable.h"

#include <cstring>

namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

std::string_view BoundedText(const char* slot, std::size_t size) {
    return {slot, ::strnlen(slot, size)};
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) {
            return false;
        }
    }
    return true;
}

bool ValidAccount(int account) {
    return account >= 0 && account < kAccountCount;
}

} // namespace

int FindAccount(const AccountRightsTable& table, std::string_view userId) {
    for (int a = 0; a < kAccountCount; ++a) {
        if (EqualNoCase(BoundedText(table.user_name[a], kAccountNameSize), userId)) {
            return a;
        }
    }
    return -1;
}

bool HasRight(const AccountRightsTable& table, int right, int account) {
    if (right < 0 || right >= 8 || !ValidAccount(account)) {
        return false;
    }
    return table.rights[right][account] != 0;
}

bool MayConnect(const AccountRightsTable& table, int account) {
    return ValidAccount(account) && table.rights[kRightConnect][account] != 0 && table.level[account] != 0;
}

std::string AccountName(const AccountRightsTable& table, int account) {
    if (!ValidAccount(account)) {
        return {};
    }
    return std::string(BoundedText(table.user_name[account], kAccountNameSize));
}

std::array<char, 16> StoredPassword(const AccountRightsTable& table, int account) {
    std::array<char, 16> stored{};
    if (!ValidAccount(account)) {
        return stored;
    }
    const std::string_view password = BoundedText(table.password[account], 8);
    for (std::size_t i = 0; i < password.size(); ++i) {
        stored[i] = LowerAscii(password[i]);
    }
    return stored;
}

bool PasswordMatches(const std::array<char, 16>& stored, std::string_view typed) {
    return EqualNoCase(BoundedText(stored.data(), stored.size()), typed);
}

bool ApplyRightChange(AccountRightsTable& table, std::span<const BYTE> payload) {
    if (payload.size() != sizeof(AccountRightsTable)) {
        return false;
    }
    std::memcpy(&table, payload.data(), sizeof(table));
    return true;
}
