#pragma once
// Covert cameras (page 156): an On/Off pair per channel row; a press on a ticked row sets every
// ticked row the same way.

#include "res/DialogIds.h"
#include "setup/OnOffRowsPage.h"

class CCameraCovertDlg : public COnOffRowsPage {
public:
    static constexpr UINT IDD = IDD_CAMERA_COVERT_DLG;

    explicit CCameraCovertDlg(CWnd* pParent = nullptr);

protected:
    BYTE* RowBytes() override;
};
