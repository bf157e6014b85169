#pragma once
// What the list popup and the slider popup share: a body of rows in a nine-piece skinned frame
// (bitmaps 1710-1718), row pieces 1654-1656, the window hanging just below the point where the
// selector was pressed, fully opaque.

#include "setupkit/FrameChildDlg.h"
#include "setupkit/SetupPopupLayout.h"

#include <array>

class CPopupFrameDlg : public CFrameChildDlg {
public:
    using CFrameChildDlg::CFrameChildDlg;

    int GetWidth() const { return m_nWidth; }
    // The height of the rows (the window is 10 pixels higher).
    int GetListHeight() const { return m_nHeight; }

protected:
    // Loads the frame for a body of m_nWidth x m_nHeight and the row pieces.
    void LoadFrame();
    // Moves the window below the click point on the anchor, m_nWidth x (m_nHeight + 10), opaque.
    void PlaceAt(const RECT& anchor, int clickX, int clickY);
    void DrawFrame(CDC* pDC);
    void DrawRow(CDC* pDC, const PopupRowPieces& row);

    int m_nWidth = 150;
    int m_nHeight = 0;

private:
    std::array<CBitmap, 9> m_bmFrame;
    std::array<CBitmap, 3> m_bmRow;
};
