#pragma once
// What the skinned-control tests share: placeholder art whose every cell is a distinct solid colour
// (so a grabbed image tells which cell was drawn), a resource library of such bitmaps, a dialog that
// binds controls from a template and logs what they tell it, and helpers to run the event loop and
// grab what a window drew.

#include "controls/BitmapSlider.h"
#include "controls/SkinButton.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DrawRecorder.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiQt.h"
#include "platform/window/DataExchange.h"
#include "platform/window/Dialog.h"
#include "platform/window/DialogTemplate.h"
#include "platform/window/WndHost.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QImage>

#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace skintest {

// Runs the event loop until the condition holds or the time is up; returns the condition.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Delivers everything posted so far.
inline void Flush() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Cell n of every placeholder strip.
inline QRgb CellColour(int cell) {
    static const QRgb kColours[] = {0xFFE6194B, 0xFF3CB44B, 0xFFFFE119, 0xFF4363D8, 0xFFF58231, 0xFF911EB4,
                                    0xFF46F0F0, 0xFFF032E6, 0xFFBCF60C, 0xFFFABEBE, 0xFF008080, 0xFF9A6324};
    return kColours[cell % 12];
}

// A strip of `cells` cells, cell n filled with CellColour(first + n).
inline QImage Strip(int cells, int cellWidth, int height, int first = 0) {
    QImage image(cells * cellWidth, height, QImage::Format_RGB32);
    for (int c = 0; c < cells; ++c) {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < cellWidth; ++x)
                image.setPixel(c * cellWidth + x, y, CellColour(first + c));
    }
    return image;
}

inline QImage Solid(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The resource library of a test: bitmap ids served from the images added here, while it lives.
class TestBitmaps {
public:
    TestBitmaps() {
        Table().clear();
        CBitmap::SetResourceLoader([](UINT id) -> HBITMAP {
            const auto found = Table().find(id);
            return found == Table().end() ? nullptr : GdiCreateBitmap(found->second);
        });
    }
    ~TestBitmaps() {
        CBitmap::SetResourceLoader({});
        Table().clear();
    }
    TestBitmaps(const TestBitmaps&) = delete;
    TestBitmaps& operator=(const TestBitmaps&) = delete;

    void Add(UINT id, const QImage& image) { Table()[id] = image; }

private:
    static std::map<UINT, QImage>& Table() {
        static std::map<UINT, QImage> table;
        return table;
    }
};

struct Logged {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    friend bool operator==(const Logged& a, const Logged& b) {
        return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
    }
};

// A dialog made from a table of controls that binds program objects to them (as DDX_Control does in
// every dialog) and logs the messages its controls send or post to it, in arrival order.
class CLogDialog : public CDialog {
public:
    std::vector<Logged> log;
    std::set<UINT> watched{WM_COMMAND, WM_SKINBUTTON_PRESS, WM_SLIDER_DOWN, WM_SLIDER_MOVE, WM_SLIDER_UP};
    std::function<void(UINT, WPARAM, LPARAM)> onMessage;

    void Bind(int id, CWnd& control) { m_binds.emplace_back(id, &control); }

    BOOL Open(std::vector<DialogItem> items, int cx = 400, int cy = 300) {
        m_items = std::move(items);
        m_template = DialogTemplate{};
        m_template.cx = cx;
        m_template.cy = cy;
        m_template.style = WS_POPUP | WS_VISIBLE;
        m_template.items = m_items;
        if (!CreateIndirect(m_template, nullptr))
            return FALSE;
        ShowWindow(SW_SHOW);
        return TRUE;
    }

    std::vector<Logged> Of(UINT message) const {
        std::vector<Logged> out;
        for (const Logged& l : log) {
            if (l.message == message)
                out.push_back(l);
        }
        return out;
    }

    void DoDataExchange(CDataExchange* pDX) override {
        for (auto& [id, control] : m_binds)
            DDX_Control(pDX, id, *control);
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (watched.count(message) != 0)
            log.push_back({message, wParam, lParam});
        if (onMessage)
            onMessage(message, wParam, lParam);
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<std::pair<int, CWnd*>> m_binds;
    std::vector<DialogItem> m_items;
    DialogTemplate m_template{};
};

// What the window shows now, painted afresh.
inline QImage Grab(CWnd& wnd) {
    CWndHost* host = wnd.GetHost();
    if (host == nullptr)
        return {};
    return host->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Paints the window with every drawing call recorded.
inline CDrawRecorder Record(CWnd& wnd) {
    CDrawRecorder recorder;
    CDrawRecorder::ThreadCapture capture(recorder);
    Grab(wnd);
    return recorder;
}

// Makes the top-level window the active one, so that its controls can take the keyboard focus.
inline bool Activate(CWnd& wnd) {
    CWndHost* host = wnd.GetHost();
    if (host == nullptr)
        return false;
    host->activateWindow();
    QApplication::setActiveWindow(host);
    return PumpUntil([host] { return QApplication::activeWindow() == host; }, 5000);
}

// Whether a drawing record belongs to the window: drawn on its paint context or on an off-screen
// context during its paint (those carry no window).
inline bool DrawnBy(const DrawRecord& record, CWnd& wnd) {
    return record.wnd == wnd.GetSafeHwnd() || record.wnd == nullptr;
}

inline QRgb At(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000u;
}

inline LPARAM Pt(int x, int y) {
    return MAKELPARAM(x, y);
}

} // namespace skintest
