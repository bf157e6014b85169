#pragma once
// The event list of the Search tab, over the recorder's event records: Play starts remote playback
// of the selected event and closes the frame. The backup event list derives from it.

#include "archive/EventListPage.h"
#include "archive/SearchPage.h"
#include "res/DialogIds.h"

class CEventListDlg : public TEventListPage<CSearchPage> {
public:
    static constexpr UINT IDD = IDD_EVENT_LIST_DLG;

    CEventListDlg();

    void OnPlay() override;

protected:
    CEventListDlg(UINT idd, int slot, UINT background);

    void LoadEvents() override;
    bool FiltersBlocked() const override { return FrameBusy(); }
    bool PlayAllowed() override;
    int DateFormat() override;
    DWORD FirstFilter() override;

    // 1 when the recorder takes an open end (version 1.1 or later), read at initialisation.
    BYTE m_bOpenEnd = 0;
};
