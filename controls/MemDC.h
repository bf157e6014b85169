#pragma once
// An off-screen drawing context over another one: drawing goes into a bitmap of the target's clip box
// at the same logical coordinates, and is copied to the target in one blit when the object goes away.
// Over a printing context it draws straight onto the target.

#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"

class CMemDC : public CDC {
public:
    explicit CMemDC(CDC* pDC);
    ~CMemDC() override;

    CMemDC* operator->() { return this; }
    operator CMemDC*() { return this; } // NOLINT

private:
    CBitmap m_bitmap;
    CBitmap* m_oldBitmap = nullptr;
    CDC* m_pDC = nullptr;
    RECT m_rect{};
    BOOL m_bMemDC = FALSE;
};
