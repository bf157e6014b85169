#pragma once
// Event page 188: as page 187 for event set 3 and the u32 event time B.

#include "res/DialogIds.h"
#include "setup/EventYesNoTimeADlg.h"

class CEventYesNoTimeBDlg : public CEventYesNoTimeADlg {
public:
    static constexpr UINT IDD = IDD_EVENT_YES_NO_TIME_B_DLG;

    explicit CEventYesNoTimeBDlg(CWnd* pParent = nullptr);

protected:
    BYTE* RowBytes() const override;
    DWORD& Duration() const override;
};
