#include "setupkit/PopupFrameDlg.h"

#include "res/BitmapIds.h"

void CPopupFrameDlg::LoadFrame() {
    const auto pieces = PopupFramePieces(m_nWidth, m_nHeight);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        m_bmFrame[k].LoadBitmap(pieces[k].bitmap);
    }
    for (std::size_t k = 0; k < m_bmRow.size(); ++k) {
        m_bmRow[k].LoadBitmap(IDB_POPUP_ROW_LEFT_CAP + UINT(k));
    }
}

void CPopupFrameDlg::PlaceAt(const RECT& anchor, int clickX, int clickY) {
    const POINT origin = PopupOrigin(anchor, clickX, clickY, m_nWidth);
    MoveWindow(origin.x, origin.y, m_nWidth, m_nHeight + 10);
    SetOpacity(GetSafeHwnd(), 255);
}

void CPopupFrameDlg::DrawFrame(CDC* pDC) {
    const auto pieces = PopupFramePieces(m_nWidth, m_nHeight);
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const RECT& r = pieces[k].rect;
        DrawBitmap(pDC, m_bmFrame[k], r.left, r.top, r.right, r.bottom, pieces[k].stretch ? TRUE : FALSE, 0);
    }
}

void CPopupFrameDlg::DrawRow(CDC* pDC, const PopupRowPieces& row) {
    DrawBitmap(pDC, m_bmRow[0], row.left.left, row.left.top, row.left.right, row.left.bottom, FALSE, 0);
    DrawBitmap(pDC, m_bmRow[1], row.middle.left, row.middle.top, row.middle.right, row.middle.bottom, TRUE, 0);
    DrawBitmap(pDC, m_bmRow[2], row.right.left, row.right.top, row.right.right, row.right.bottom, FALSE, 0);
}
