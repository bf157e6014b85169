#pragma once
// The channel page of the Search tab: one row per channel of the recorder with a check box, its name
// and On and Off buttons. On and Off change the frame's channel mask at once: for the row clicked,
// and when that row is checked for every checked row. The Backup tab's channel page derives from it.

#include "archive/SearchPage.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"

class CChannelSelectDlg : public CSearchPage {
public:
    static constexpr UINT IDD = IDD_CHANNEL_SELECT_DLG;

    CChannelSelectDlg();

    int ChannelCount() const { return m_nChannels; }
    void SetRowOn(int row);
    void SetRowOff(int row);
    void CheckAllRows();
    void UncheckAllRows();

    CSkinTextButton m_btnCheckAll;
    CSkinTextButton m_btnReturnAll;
    CSkinCheckButton m_chkRow[16];
    CSkinTextButton m_btnOn[16];
    CSkinTextButton m_btnOff[16];
    CSkinLabel m_lblRow[16];

protected:
    CChannelSelectDlg(UINT idd, int slot);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void InitLayout();
    void SwitchRows(int row, bool on);
    void ShowRowStates();

    int m_nChannels = 16;
};
