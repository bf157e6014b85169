#pragma once
// The account page's rules: which accounts the logged-in account manages, which right array each
// box edits, when Add may be pressed and which new names and passwords are refused.

#include "protocol/AccountRightsTable.h"

#include <string_view>

// The six accounts the page shows.
constexpr int kManagedAccounts = 6;
// A new password may not be the recorder's default account password.
constexpr const char* kDefaultAccountPassword = "9836";
// The right array of box j (boxes 490-497).
constexpr int kRightOfBox[8] = {0, 5, 1, 6, 2, 7, 4, 3};

// The accounts the account selector offers: account 0 all six, account 1 accounts 1-5, any other
// account none (the selector does not open).
struct AccountRange {
    int first;
    int count;
};
AccountRange AccountsOfferedTo(int loggedIn);
// Accounts 0 and 1 manage other accounts' names, levels and rights.
inline bool ManagesAccounts(int loggedIn) {
    return loggedIn == 0 || loggedIn == 1;
}

// Add is enabled exactly when the three texts are given, the password equals its confirmation and
// it is not the default password.
bool AddAllowed(std::string_view name, std::string_view password, std::string_view confirm);

// What stops a new name and password for account `selected`: another of accounts 0-5 with the same
// name, else one with the same password (both compared without regard to case).
enum class AccountClash { None, Name, Password };
AccountClash FindAccountClash(const AccountRightsTable& table, int selected, std::string_view name,
                              std::string_view password);
