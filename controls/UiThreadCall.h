#pragma once
// Controls are changed on the UI thread only. A setter called from another thread (the socket
// thread sets buttons and bars) is queued to the UI thread and returns at once; it takes effect there
// if the window still exists. A worker never waits for the UI thread.

#include "platform/window/MessagePump.h"
#include "platform/window/Wnd.h"

#include <utility>

// TRUE when the call was queued (the caller returns); FALSE on the UI thread, or for a control
// without a window, where the caller goes on itself.
template <typename Control, typename Call>
bool QueueToUiThread(Control& control, Call&& call) {
    if (CMessagePump::IsUiThread())
        return false;
    const HWND hwnd = control.GetSafeHwnd();
    if (hwnd == nullptr)
        return false;
    CMessagePump::PostCall(hwnd, [call = std::forward<Call>(call)](CWnd& wnd) {
        if (auto* target = dynamic_cast<Control*>(&wnd))
            call(*target);
    });
    return true;
}
