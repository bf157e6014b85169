#pragma once
// The local date and time page: the date/time design over the downloaded backup sets. Play hands
// the range to the local search frame; the untouched default end (2037-12-31 23:59:59) means "no
// end".

#include "archive/DateTimePage.h"
#include "archive/LocalSearchPage.h"
#include "res/DialogIds.h"

class CLocalDateTimeSearchDlg : public TDateTimePage<CLocalSearchPage> {
public:
    static constexpr UINT IDD = IDD_LOCAL_DATE_TIME_SEARCH_DLG;

    CLocalDateTimeSearchDlg();

    void OnPlay() override;

protected:
    bool ChooseNewLayout() override { return true; }
    bool FieldsBlocked() const override { return false; }
    int DateFormat() override;
    void ShowListPicker(UINT field, const ListPopupRequest& request, int flag) override;
    void ShowTimesPicker(UINT field, const TimePickerRequest& request) override;
    bool PlayAllowed() override;
};
