#pragma once
// The small prompt for a password of at most 8 characters (turning recording off).

#include "app/SkinDialog.h"
#include "controls/NameEdit.h"
#include "controls/SkinTextButton.h"
#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"

class CPasswordDlg : public CSkinDialog {
public:
    static constexpr UINT IDD = IDD_PASSWORD_DLG;

    CPasswordDlg(CWnd* pOwner, BYTE alpha);

    CNameEdit m_editPassword;
    CString m_strPassword;
    CSkinTextButton m_btnOK;
    CSkinTextButton m_btnCancel;
    BYTE m_nAlpha;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    CBitmap m_bmBackground;
    CBitmap m_bmLabel;
};
