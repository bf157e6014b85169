#pragma once
// Rules the setup pages share, kept apart from their windows: which rows an edit reaches, the OSD
// page's version rule, the event pages' durations and the recorder's language names.

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <array>
#include <string_view>
#include <vector>

struct SysEtcInfo;
struct SysEtcInfoEx;

constexpr int kSetupRows = 16;

// The rows an edit of `row` applies to, `row` first: with its box ticked also every other ticked row
// among the first rowCount rows; with its box clear only the row itself.
std::vector<int> RowsReachedBy(int row, const std::array<bool, kSetupRows>& ticked, int rowCount);

// The OSD page's extended form: setup version 4.4 and later.
bool IsExtendedOsdVersion(BYTE major, BYTE minor);

// The event durations by list index: 5, 10, 30, 60, 90, 120, 150, 180, 210, 240 (5 outside 0..9).
constexpr int kEventDurationCount = 10;
DWORD EventDurationOfIndex(int index);

// Recorder languages. A name the recorder gives is compared, without regard to case, with the 17
// known names; a known name is shown as text 5211 + position, any other as the recorder wrote it.
int KnownLanguagePosition(std::string_view name);
// The built-in names of language codes 1..13; null for any other code.
const char* BuiltInLanguageName(int code);

// Where the language texts come from: the recorder's names once SYS_ETC_INFO_EX has arrived, else
// the codes of SYS_ETC_INFO.
struct LanguageSource {
    const SysEtcInfo* codes = nullptr;
    const SysEtcInfoEx* names = nullptr; // null while no names have arrived
};
// The text of the recorder's language slot; empty for an empty slot or a code without a name.
CString LanguageText(const LanguageSource& source, int slot);
// The languages the recorder offers, in slot order, empty slots left out, at most `limit` of them.
struct LanguageChoice {
    CString text;
    int slot;
};
std::vector<LanguageChoice> LanguageChoices(const LanguageSource& source, int limit);
