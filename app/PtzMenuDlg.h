#pragma once
// The dome menu pad (dialog 994): select and back inside the dome's on-screen menu, and leave it.
// Its commands go out on the connection directly; the control pad's arrows move through the menu.

#include "app/PtzPadDlg.h"
#include "controls/SkinButton.h"
#include "res/DialogIds.h"

class CPtzMenuDlg : public CPtzPadDlg {
public:
    static constexpr UINT IDD = IDD_PTZ_MENU_DLG;
    static constexpr int kWidth = 54;
    static constexpr int kHeight = 171;
    static constexpr UINT kIdSelect = 357;
    static constexpr UINT kIdPrev = 358;
    static constexpr UINT kIdClose = 359;
    // Dome menu commands.
    static constexpr BYTE kMenuEnter = 14;
    static constexpr BYTE kMenuEsc = 15;
    static constexpr BYTE kDomeMenuAccess = 16;

    CPtzMenuDlg(CPtzDialogSet& set, IShellDialogHost& host);

    CSkinButton m_btnSelect;
    CSkinButton m_btnPrev;
    CSkinButton m_btnClose;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    bool DockingRect(RECT* rect) override;
};
