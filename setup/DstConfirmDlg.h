#pragma once
// The small modal question of the time page (template 983): whether a daylight-saving change made
// in the last stretch of the DST period applies this year. Topmost, centred on the screen,
// translucent by the caller's opacity and dragged by its body; OK ends with IDOK, Cancel with
// IDCANCEL.

#include "controls/SkinHelper.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/base/Rect.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"

class CDstConfirmDlg : public CDialog, public CSkinHelper {
public:
    static constexpr UINT IDD = IDD_DST_CONFIRM_DLG;
    static constexpr int kWidth = 308;
    static constexpr int kHeight = 136;
    enum ControlId : UINT { IDC_QUESTION = 790 };

    CDstConfirmDlg(CWnd* pParent, BYTE alpha);

    CSkinLabel& Question() { return m_question; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    CSkinLabel m_question;
    CSkinTextButton m_btnOK;
    CSkinTextButton m_btnCancel;
    CBitmap m_bmBackground;
    BYTE m_nAlpha;
};
