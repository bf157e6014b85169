#pragma once
// The progress bar of the backup popup and the firmware upgrade: a background and a bar, each a
// three-cell strip (left cap, stretched middle, right cap), with an optional percentage text.

#include "platform/base/String.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Static.h"

class CDC;

class CBitmapProgressCtrl : public CStatic {
public:
    CBitmapProgressCtrl();
    ~CBitmapProgressCtrl() override;

    // SetRange and SetPos may be called from any thread: off the UI thread they are queued to it and
    // take effect there.
    // Stores the range; the position goes to 0 and the text to "0 %".
    void SetRange(int nMin, int nMax, BOOL bRedraw = TRUE);
    // Clamped to the range; with the text shown, the text becomes the percentage ("50.0 %"). An empty
    // range (max <= min) shows "0.0 %" and no bar.
    void SetPos(int nPos);
    int GetPos() const { return m_nPos; }
    void SetShowText(BOOL bShow, COLORREF clrText);
    BOOL LoadBackBitmap(UINT id);
    BOOL LoadBarBitmap(UINT id);
    const CString& GetText() const { return m_strText; }

    // Draws background, bar and text into pDC over the client rectangle.
    void Draw(CDC* pDC);

protected:
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnPaint() override;

private:
    int m_nMax = 0;
    int m_nMin = 0;
    int m_nPos = 0;
    CBitmap m_bmBack;
    CBitmap m_bmBar;
    SIZE m_sizeBack{0, 0};
    BOOL m_bShowText = FALSE;
    COLORREF m_clrText = 0x783C3C;
    CString m_strText = "0.00%";
    float m_fPercent = 0;
    int m_nCells = 3;
};
