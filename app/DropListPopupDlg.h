#pragma once
// The drop-down list of the local setup pages (dialog 204): the list popup in one column of up to 31
// items (a longer request shows its first 31). Clicking an item hands its index to the frame for the
// page that opened the list, then the list goes; any other way of closing gives nothing. It frees
// itself.

#include "res/DialogIds.h"
#include "setupkit/ListPopupDlg.h"

class CLocalSetupDlg;

class CDropListPopupDlg : public CListPopupDlg {
public:
    static constexpr UINT IDD = IDD_DROP_LIST_POPUP_DLG;

    CDropListPopupDlg(CWnd* pOwner, CLocalSetupDlg* pFrame, DWORD kind, const ListPopupRequest& request, int layout);

    using CDialog::Create;
    virtual BOOL Create(CLocalSetupDlg* pFrame);

    DWORD GetKind() const { return m_nKind; }

protected:
    void Deliver(int index) override;
    void OnNcDestroy() override;

private:
    CLocalSetupDlg* m_pFrame;
    CWnd* m_pOwner;
    DWORD m_nKind;
};
