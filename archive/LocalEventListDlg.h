#pragma once
// The local event list: the event list's design over the segments of the downloaded backup sets
// (start and end only). Play hands the selected event's range to the local search frame.

#include "archive/EventListPage.h"
#include "archive/LocalSearchPage.h"
#include "res/DialogIds.h"

class CLocalEventListDlg : public TEventListPage<CLocalSearchPage> {
public:
    static constexpr UINT IDD = IDD_LOCAL_EVENT_LIST_DLG;

    CLocalEventListDlg();

    void OnPlay() override;

protected:
    void LoadEvents() override;
    bool FiltersBlocked() const override { return false; }
    bool PlayAllowed() override;
    int DateFormat() override;
    int Columns() const override { return 2; }
};
