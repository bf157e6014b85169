#pragma once
// The skinned message box of notices: one to three centred lines of text on plates, OK and/or Cancel.
// Each line is measured in the font its label draws with; a line wider than the box leaves room for
// is shortened in its middle ("...", as a long path is), so that its start and its end both show.

#include "app/SkinDialog.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"

#include <functional>

class CMsgBoxDlg : public CSkinDialog {
public:
    static constexpr UINT IDD = IDD_MSG_BOX_DLG;

    // The widest a line's text may be, and the box's width.
    static constexpr int kLineRoom = 300;
    static constexpr int kBoxWidth = 308;
    static constexpr int kBoxHeight = 136;
    static constexpr int kTextPoints = 9;

    CMsgBoxDlg(CWnd* pParent, BYTE alpha);

    CSkinTextButton m_btnCancel;
    CSkinTextButton m_btnOK;
    CSkinLabel m_label[3];
    // The lines as shown (shortened where they did not fit once the box is up).
    char m_szLine[3][260] = {};
    // The plate widths, set when the box comes up.
    int m_nWidth[3] = {};
    int m_nLineCount = 0;
    int m_nButtonMode = 0; // 1 OK only, 2 Cancel only, any other both
    BYTE m_nAlpha = 255;
    // The plates are this much wider than their text (the language's text scale); never narrower.
    double m_dScale = 1.0;

    // Sets line i (0-2); texts are cut to 259 characters.
    void SetLine(int index, const char* text);

    // The text as it fits `room` pixels measured by `measure`: itself, or its start and its end
    // joined by "..." (a whole character each side of it).
    static CString FitText(const CString& text, int room, const std::function<int(const CString&)>& measure);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnOK() override;

private:
    void PlaceLabel(int index, UINT bitmap, int top, int bottom);
    // Fits line i to the box in its label's font and sets the plate's width from it.
    void FitLine(int index);

    CBitmap m_bmBackground;
};
