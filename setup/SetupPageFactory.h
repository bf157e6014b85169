#pragma once
// The frame's page slots and the makers of their pages. A page is known by its dialog template id
// (res/DialogIds.h); its slot is its place in kSetupPageIds, the frame's page array. A page is made
// by the maker registered for its template id; a page without a maker is not opened (its menu
// button shows nothing).
//
// The makers of the pages built into this library are listed in SetupPageFactory.cpp: a page added
// to the library is added to that list (a registration object alone in a page's own source file
// would be dropped by the linker from the static library when nothing else refers to that file).
// RegisterSetupPage adds or replaces a maker at run time (tests, or pages living elsewhere).

#include "platform/base/WinTypes.h"
#include "res/DialogIds.h"

#include <array>
#include <functional>
#include <memory>

class CSetupPage;

constexpr int kSetupPageSlots = 33;
constexpr std::array<UINT, kSetupPageSlots> kSetupPageIds = {
    // Display pages.
    IDD_CAMERA_ADJUST_DLG, IDD_CAMERA_COVERT_DLG, IDD_CAMERA_NAME_DLG, IDD_SPOT_SETUP_DLG, IDD_OSD_SETUP_DLG,
    IDD_SETUP_BLANK_DLG,
    // Record pages.
    IDD_REC_GENERAL_DLG, IDD_REC_RES_RATE_DLG, IDD_REC_RES_RATE_PRESET_DLG, IDD_REC_RES_RATE_MOTION_DLG,
    IDD_REC_RES_RATE_SCHEDULE_DLG, IDD_REC_RES_RATE_SENS_DLG, IDD_REC_RES_RATE_DAYS_DLG, IDD_REC_UNIQUE_CHOICE_DLG,
    IDD_REC_MOTION_REGION_DLG, IDD_REC_REGION_DLG, IDD_REC_SCHEDULE_DLG, IDD_REC_PRESET_DLG,
    // System pages.
    IDD_SYS_GENERAL_DLG, IDD_USER_SETUP_DLG, IDD_CHANNEL_TRI_STATE_DLG, IDD_SYS_DAYS_DLG, IDD_PTZ_SETUP_DLG,
    IDD_PTZ_RANGE_DLG, IDD_KEYBOARD_SETUP_DLG, IDD_TIME_SETUP_DLG, IDD_TIME_SERVER_DLG, IDD_DEINTERLACE_DLG,
    IDD_SYS_OPTIONS_DLG,
    // Event pages.
    IDD_EMAIL_SETUP_DLG, IDD_EVENT_YES_NO_DLG, IDD_EVENT_YES_NO_TIME_A_DLG, IDD_EVENT_YES_NO_TIME_B_DLG};

// The slot of a page template id, -1 for none.
constexpr int SetupPageSlot(UINT pageId) {
    for (int slot = 0; slot < kSetupPageSlots; ++slot) {
        if (kSetupPageIds[std::size_t(slot)] == pageId) {
            return slot;
        }
    }
    return -1;
}

using SetupPageMaker = std::function<std::unique_ptr<CSetupPage>()>;
// Gives the maker registered before (empty when none), so that a caller can put it back.
SetupPageMaker RegisterSetupPage(UINT pageId, SetupPageMaker maker);
// A new page object for the template id, or null when no maker is known.
std::unique_ptr<CSetupPage> MakeSetupPage(UINT pageId);
