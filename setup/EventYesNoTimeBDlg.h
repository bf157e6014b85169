#pragma once
// Event page 188: as page 187 for event set 3 and the u32 event time B.

#include "setup/EventYesNoTimeADlg.h"

class CEventYesNoTimeBDlg : public CEventYesNoTimeADlg {
public:
    static constexpr UINT IDD = 188;

    explicit CEventYesNoTimeBDlg(CWnd* pParent = nullptr);

protected:
    BYTE* RowBytes() const override;
    DWORD& Duration() const override;
};
