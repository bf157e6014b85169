#pragma once
// The date and time search page of the Search tab: Play starts remote playback of the range and
// closes the frame. With a recorder older than version 1.1 only the start is shown and the end
// stays open. The backup date/time page derives from it.

#include "archive/DateTimePage.h"
#include "archive/SearchPage.h"
#include "res/BitmapIds.h"
#include "res/DialogIds.h"

class CDateTimeSearchDlg : public TDateTimePage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_DATE_TIME_SEARCH_DLG;

    CDateTimeSearchDlg();

    void OnPlay() override;

protected:
    CDateTimeSearchDlg(UINT idd, int slot, UINT background, const DateTimeRange& defaults);

    bool ChooseNewLayout() override;
    bool FieldsBlocked() const override { return FrameBusy(); }
    int DateFormat() override;
    void ShowListPicker(UINT field, const ListPopupRequest& request, int flag) override;
    void ShowTimesPicker(UINT field, const TimePickerRequest& request) override;
    bool PlayAllowed() override;
    void UseOldLayoutLook() override { SetBackground(IDB_PAGE_DATE_TIME_SEARCH_OLDER); }
};
