#pragma once
// The frame's page slots and the makers of their pages. Slot order is the frame's page array:
// slot 0 holds page 155, ..., slot 32 page 188. A page is made by the maker registered for its
// template id; a page without a maker is not opened (its menu button shows nothing).
//
// The makers of the pages built into this library are listed in SetupPageFactory.cpp: a page added
// to the library is added to that list (a registration object alone in a page's own source file
// would be dropped by the linker from the static library when nothing else refers to that file).
// RegisterSetupPage adds or replaces a maker at run time (tests, or pages living elsewhere).

#include "platform/base/WinTypes.h"

#include <array>
#include <functional>
#include <memory>

class CSetupPage;

constexpr int kSetupPageSlots = 33;
constexpr std::array<UINT, kSetupPageSlots> kSetupPageIds = {
    155, 156, 157, 159, 160, 161,                               // display pages
    162, 163, 164, 165, 166, 167, 168, 169, 170, 995, 171, 998, // record pages
    172, 175, 177, 178, 180, 182, 181, 183, 982, 984, 184,      // system pages
    185, 186, 187, 188};                                        // event pages

// The slot of a page template id, -1 for none.
int SetupPageSlot(UINT pageId);

using SetupPageMaker = std::function<std::unique_ptr<CSetupPage>()>;
// Gives the maker registered before (empty when none), so that a caller can put it back.
SetupPageMaker RegisterSetupPage(UINT pageId, SetupPageMaker maker);
// A new page object for the template id, or null when no maker is known.
std::unique_ptr<CSetupPage> MakeSetupPage(UINT pageId);
