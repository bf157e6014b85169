#pragma once
// The skinned message box of notices: one to three centred lines of text on plates, OK and/or Cancel.

#include "app/SkinDialog.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"

class CMsgBoxDlg : public CSkinDialog {
public:
    static constexpr UINT IDD = IDD_MSG_BOX_DLG;

    CMsgBoxDlg(CWnd* pParent, BYTE alpha);

    CSkinTextButton m_btnCancel;
    CSkinTextButton m_btnOK;
    CSkinLabel m_label[3];
    char m_szLine[3][260] = {};
    int m_nWidth[3] = {};
    int m_nLineCount = 0;
    int m_nButtonMode = 0; // 1 OK only, 2 Cancel only, any other both
    BYTE m_nAlpha = 255;

    // Sets line i (0-2) with its measured width; texts are cut to 259 characters.
    void SetLine(int index, const char* text, int width);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnOK() override;

private:
    void PlaceLabel(int index, UINT bitmap, int top, int bottom);

    CBitmap m_bmBackground;
};
