#include "archive/LocalPageRegistry.h"

#include "archive/ItemPickerDlg.h"
#include "archive/LocalCalendarDlg.h"
#include "archive/LocalDateTimeSearchDlg.h"
#include "archive/LocalEventListDlg.h"
#include "archive/LocalSearchDlg.h"
#include "archive/TimePickerDlg.h"

#include <memory>

namespace {

// The local frame's pickers: the remote ones with the local templates.
constexpr UINT kNumberPickerTemplate = 137;
constexpr UINT kTimePickerTemplate = 138;

} // namespace

void RegisterLocalSearchPages() {
    CLocalSearchDlg::RegisterPageFactory(kLocalSlotDateTime,
                                         [] { return std::make_unique<CLocalDateTimeSearchDlg>(); });
    CLocalSearchDlg::RegisterPageFactory(kLocalSlotEventList, [] { return std::make_unique<CLocalEventListDlg>(); });
    CLocalSearchDlg::RegisterPageFactory(kLocalSlotCalendar, [] { return std::make_unique<CLocalCalendarDlg>(); });
    CLocalSearchDlg::RegisterNumberPicker([](IPickerHost& host, CWnd* page, UINT field, const ListPopupRequest* request,
                                             int firstIndex, int flag) -> CWnd* {
        auto picker = std::make_unique<CItemPickerDlg>(page, field, *request, firstIndex, flag, kNumberPickerTemplate);
        if (!picker->Create(host)) {
            return nullptr;
        }
        CItemPickerDlg* shown = picker.release(); // deletes itself once its window is gone
        shown->ShowWindow(SW_SHOW);
        return shown;
    });
    CLocalSearchDlg::RegisterTimePicker(
        [](IPickerHost& host, CWnd* page, UINT field, const TimePickerRequest* request) -> CWnd* {
            auto picker = std::make_unique<CTimePickerDlg>(page, field, *request, kTimePickerTemplate);
            if (!picker->Create(host)) {
                return nullptr;
            }
            CTimePickerDlg* shown = picker.release(); // deletes itself once its window is gone
            shown->ShowWindow(SW_SHOW);
            return shown;
        });
}
