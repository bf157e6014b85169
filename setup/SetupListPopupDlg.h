#pragma once
// The list popup of the setup pages (template 189): up to 31 items in one column, or up to 100 in
// four columns (a one-column list longer than 31 opens in four columns of its width). A click on an
// item gives its index to the frame for the owner page and closes the popup; any other way of
// closing it gives nothing. The frame owns it.

#include "res/DialogIds.h"
#include "setupkit/ListPopupDlg.h"

class CSetupDlg;
class CSetupPage;

class CSetupListPopupDlg : public CListPopupDlg {
public:
    static constexpr UINT IDD = IDD_SETUP_LIST_POPUP_DLG;

    CSetupListPopupDlg(CSetupPage* pOwner, int kind, const ListPopupRequest& request, int layout);

    using CDialog::Create;
    virtual BOOL Create(CSetupDlg* pFrame);

    CSetupPage* GetOwner() const { return m_pOwner; }
    int GetKind() const { return m_nKind; }

protected:
    void Deliver(int index) override;

private:
    CSetupDlg* m_pFrame = nullptr;
    CSetupPage* m_pOwner;
    int m_nKind;
};
