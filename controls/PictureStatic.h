#pragma once
// A static control that shows an image file (".tif", ".bmp", ".jpg") stretched over its client area:
// the file preview and the image preview window.

#include "platform/window/Static.h"

class CDC;

class CPictureStatic : public CStatic {
public:
    CPictureStatic();
    ~CPictureStatic() override;

    // The context TIFF pictures are made on; the owner passes a client DC of the dialog.
    void SetDC(CDC* pDC) { m_pDC = pDC; }
    // Always TRUE. The previous image is freed; on success the size and depth are taken from the new
    // one and the control repaints at once, otherwise all three are 0 and nothing is shown.
    BOOL LoadImage(LPCSTR path);
    // Loads a picture file as a bitmap (null on failure); the caller owns it.
    HBITMAP LoadImageFile(LPCSTR path);
    // Stretched: the whole bitmap into the rectangle (COLORONCOLOR); else copied unscaled from its
    // top-left corner.
    void DrawBitmap(CDC* pDC, HBITMAP hBitmap, int left, int top, int right, int bottom, BOOL bStretch);

    int GetImageWidth() const { return m_nWidth; }
    int GetImageHeight() const { return m_nHeight; }
    int GetBitsPerPixel() const { return m_nBpp; }
    HBITMAP GetImage() const { return m_hBitmap; }

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    BOOL OnQueryNewPalette() override;
    void OnPaletteChanged(CWnd* pFocusWnd) override;

private:
    void FreeImage();
    // Draws the image stretched over the client rectangle.
    void Repaint(CDC* pDC);

    int m_nWidth = 0;
    int m_nHeight = 0;
    HBITMAP m_hBitmap = nullptr;
    int m_nBpp = 0;
    CDC* m_pDC = nullptr;
};
