#pragma once
// Helpers for GUI tests of the window layer: showing windows, synthetic input through the window
// system path (so Qt routes presses to the widget under the pointer, with enter/leave and the
// implicit grab), and reading painted pixels.

#include "WindowTestApp.h"

#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"

#include <QImage>
#include <QPixmap>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

// Shows a top-level window and waits until the window system shows it.
inline void ShowAndWait(CWnd& wnd) {
    wnd.ShowWindow(SW_SHOW);
    QWidget* host = wnd.GetHost();
    ASSERT_NE(host, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(host));
}

inline QWindow* WindowOf(CWnd& wnd) {
    QWidget* host = wnd.GetHost();
    return host != nullptr ? host->window()->windowHandle() : nullptr;
}

// A point of a window (client coordinates) in its top-level window's coordinates.
inline QPoint InTopLevel(CWnd& wnd, int x, int y) {
    QWidget* host = wnd.GetHost();
    return host->mapTo(host->window(), QPoint(x, y));
}

inline void Press(CWnd& wnd, int x, int y) {
    QTest::mousePress(WindowOf(wnd), Qt::LeftButton, Qt::NoModifier, InTopLevel(wnd, x, y));
}
inline void Release(CWnd& wnd, int x, int y) {
    QTest::mouseRelease(WindowOf(wnd), Qt::LeftButton, Qt::NoModifier, InTopLevel(wnd, x, y));
}
inline void MoveTo(CWnd& wnd, int x, int y) {
    QTest::mouseMove(WindowOf(wnd), InTopLevel(wnd, x, y));
}
inline void Click(CWnd& wnd, int x, int y) {
    QTest::mouseClick(WindowOf(wnd), Qt::LeftButton, Qt::NoModifier, InTopLevel(wnd, x, y));
}

// The window's current look, children included.
inline QImage Grab(CWnd& wnd) {
    return wnd.GetHost()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline COLORREF PixelAt(const QImage& image, int x, int y) {
    const QRgb c = image.pixel(x, y);
    return RGB(BYTE(qRed(c)), BYTE(qGreen(c)), BYTE(qBlue(c)));
}

// Gives a window the keyboard focus for synthetic keys.
inline void FocusWindow(CWnd& top, CWnd& control) {
    top.GetHost()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(top.GetHost()));
    control.SetFocus();
    QCoreApplication::processEvents();
}
