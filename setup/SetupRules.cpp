#include "setup/SetupRules.h"

#include "protocol/InfoBlocks.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <cctype>

namespace {

constexpr DWORD kEventDurations[kEventDurationCount] = {5, 10, 30, 60, 90, 120, 150, 180, 210, 240};

constexpr const char* kKnownLanguages[] = {"English",  "French",    "German",    "Italian", "Dutch",      "Russian",
                                           "Polish",   "Spanish",   "Hungarian", "Slovak",  "Portuguese", "Korean",
                                           "Japanese", "S.Chinese", "T.Chinese", "Turkish", "Danish"};

constexpr const char* kBuiltInLanguages[] = {"English", "Chinese",    "French",  "German",  "Italian",
                                             "Dutch",   "Russian",    "Polish",  "Spanish", "Hungarian",
                                             "Slovak",  "Portuguese", "Japanese"};

constexpr UINT kFirstKnownLanguageText = IDS_ENGLISH;
constexpr int kLanguageSlots = 64;

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

} // namespace

std::vector<int> RowsReachedBy(int row, const std::array<bool, kSetupRows>& ticked, int rowCount) {
    std::vector<int> rows{row};
    if (row < 0 || row >= kSetupRows || !ticked[std::size_t(row)]) {
        return rows;
    }
    for (int k = 0; k < rowCount && k < kSetupRows; ++k) {
        if (k != row && ticked[std::size_t(k)]) {
            rows.push_back(k);
        }
    }
    return rows;
}

bool IsExtendedOsdVersion(BYTE major, BYTE minor) {
    return major > 4 || (major == 4 && minor > 3);
}

DWORD EventDurationOfIndex(int index) {
    return index >= 0 && index < kEventDurationCount ? kEventDurations[index] : kEventDurations[0];
}

int KnownLanguagePosition(std::string_view name) {
    for (int p = 0; p < int(std::size(kKnownLanguages)); ++p) {
        if (EqualNoCase(name, kKnownLanguages[p])) {
            return p;
        }
    }
    return -1;
}

const char* BuiltInLanguageName(int code) {
    return code >= 1 && code <= int(std::size(kBuiltInLanguages)) ? kBuiltInLanguages[code - 1] : nullptr;
}

CString LanguageText(const LanguageSource& source, int slot) {
    if (slot < 0 || slot >= kLanguageSlots) {
        return CString();
    }
    if (source.names != nullptr) {
        const std::string name = LanguageName(*source.names, slot);
        const int known = KnownLanguagePosition(name);
        return known >= 0 ? LoadResString(kFirstKnownLanguageText + UINT(known)) : CString(name);
    }
    if (source.codes == nullptr) {
        return CString();
    }
    const char* builtIn = BuiltInLanguageName(source.codes->language_code[slot]);
    return builtIn != nullptr ? CString(builtIn) : CString();
}

std::vector<LanguageChoice> LanguageChoices(const LanguageSource& source, int limit) {
    std::vector<LanguageChoice> choices;
    for (int slot = 0; slot < kLanguageSlots && int(choices.size()) < limit; ++slot) {
        CString text = LanguageText(source, slot);
        if (!text.IsEmpty()) {
            choices.push_back({text, slot});
        }
    }
    return choices;
}
