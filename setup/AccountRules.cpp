#include "setup/AccountRules.h"

#include <cctype>
#include <cstring>

namespace {

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::string_view Slot(const char (&slot)[kAccountNameSize]) {
    return std::string_view(slot, strnlen(slot, kAccountNameSize));
}

} // namespace

AccountRange AccountsOfferedTo(int loggedIn) {
    if (loggedIn == 0) {
        return {0, kManagedAccounts};
    }
    if (loggedIn == 1) {
        return {1, kManagedAccounts - 1};
    }
    return {0, 0};
}

bool AddAllowed(std::string_view name, std::string_view password, std::string_view confirm) {
    return !name.empty() && !password.empty() && !confirm.empty() && password == confirm &&
           password != kDefaultAccountPassword;
}

AccountClash FindAccountClash(const AccountRightsTable& table, int selected, std::string_view name,
                              std::string_view password) {
    for (int a = 0; a < kManagedAccounts; ++a) {
        if (a != selected && EqualNoCase(Slot(table.user_name[a]), name)) {
            return AccountClash::Name;
        }
    }
    for (int a = 0; a < kManagedAccounts; ++a) {
        if (a != selected && EqualNoCase(Slot(table.password[a]), password)) {
            return AccountClash::Password;
        }
    }
    return AccountClash::None;
}
