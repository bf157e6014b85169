#pragma once
// Covert cameras (page 156): an On/Off pair per channel row; a press on a ticked row sets every
// ticked row the same way.

#include "setup/OnOffRowsPage.h"

class CCameraCovertDlg : public COnOffRowsPage {
public:
    static constexpr UINT IDD = 156;

    explicit CCameraCovertDlg(CWnd* pParent = nullptr);

protected:
    BYTE* RowBytes() override;
};
