#pragma once
// What a drawing context drew, for tests: every text, fill, shape, line and blit as the caller asked
// for it (logical coordinates, the colours and objects in effect). A recorder is attached to one
// context (CDC::SetRecorder) or captures every context of the current thread while a
// CDrawRecorder::ThreadCapture lives (how a test sees what a window painted). Records are taken
// whether or not the context has pixels to draw on.

#include "platform/gdi/GdiTypes.h"

#include <string>
#include <vector>

struct DrawRecord {
    enum class Op {
        Text,      // TextOut / DrawText (not DT_CALCRECT)
        FillRect,  // FillRect / FillSolidRect / PatBlt with the brush colour in brushColor
        Rectangle, // Rectangle with pen and brush
        Ellipse,
        Line, // LineTo: rect = (from x, from y, to x, to y)
        Polyline,
        Blt, // BitBlt / StretchBlt: rect = destination, src = source rectangle
        FocusRect,
        Edge,
        Pixel,
    };
    Op op = Op::Text;
    HWND wnd = nullptr; // the window the context paints (CDC::SetRecordWindow), if any
    RECT rect{};
    RECT src{};
    std::string text; // UTF-8 as passed
    UINT format = 0;  // DrawText format, or the text alignment for TextOut
    COLORREF textColor = 0;
    COLORREF bkColor = 0;
    int bkMode = 0;
    COLORREF penColor = 0;
    int penStyle = 0;
    int penWidth = 0;
    COLORREF brushColor = 0;
    bool nullBrush = false;
    int rop2 = 0;
    DWORD rop = 0;
    int stretchMode = 0;
    HBITMAP bitmap = nullptr; // the bitmap selected into the source context of a blit
    std::string fontFace;     // the LOGFONT face as asked for
    LONG fontHeight = 0;
    LONG fontWeight = 0;
};

class CDrawRecorder {
public:
    std::vector<DrawRecord> records;

    std::vector<DrawRecord> Of(DrawRecord::Op op) const;
    // The texts drawn, in order.
    std::vector<std::string> Texts() const;

    // While alive, every drawing context on the constructing thread that has no recorder of its own
    // records into `recorder`. Nested captures restore the outer one.
    class ThreadCapture {
    public:
        explicit ThreadCapture(CDrawRecorder& recorder);
        ~ThreadCapture();
        ThreadCapture(const ThreadCapture&) = delete;
        ThreadCapture& operator=(const ThreadCapture&) = delete;

    private:
        CDrawRecorder* m_previous;
    };
    static CDrawRecorder* ThreadRecorder();
};
