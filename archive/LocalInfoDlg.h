#pragma once
// The local information page of the local search frame: one row with the program's file version.

#include "archive/LocalSearchPage.h"
#include "controls/ColorListCtrl.h"
#include "res/DialogIds.h"

class CLocalInfoDlg : public CLocalSearchPage {
public:
    static constexpr UINT IDD = IDD_LOCAL_INFO_DLG;
    static constexpr UINT kIdList = 915;

    CLocalInfoDlg();

    CColorListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void FillList();
};
