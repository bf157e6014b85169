#include "app/PtzDialogSet.h"

#include "app/PtzControlDlg.h"
#include "app/PtzKeypadDlg.h"
#include "app/PtzMenuDlg.h"
#include "app/ShellDialogHost.h"

namespace {

// Brings an open pad to the front and redraws it.
void Refocus(CWnd& pad) {
    pad.ShowWindow(SW_SHOW);
    pad.BringWindowToTop();
    pad.SetFocus();
    pad.Invalidate(TRUE);
}

// Makes a pad and puts it at a place in screen coordinates; null when its window could not be made.
template <class Pad>
Pad* MakePad(CPtzDialogSet& set, IShellDialogHost& host, Pad*& slot, POINT at, bool centre) {
    auto* pad = new Pad(set, host); // freed by itself once its window is gone
    slot = pad;
    if (!pad->CreatePad()) {
        slot = nullptr;
        delete pad;
        return nullptr;
    }
    if (centre) {
        pad->CenterWindow(host.MainWindow());
    } else {
        pad->SetWindowPos(nullptr, at.x, at.y, Pad::kWidth, Pad::kHeight, SWP_NOZORDER);
    }
    return pad;
}

POINT MainClientPoint(IShellDialogHost& host, bool fromBottomRight, int dx, int dy) {
    POINT point{0, 0};
    CWnd* main = host.MainWindow();
    if (main == nullptr) {
        return point;
    }
    RECT client{};
    main->GetClientRect(&client);
    point = fromBottomRight ? POINT{client.right - dx, client.bottom - dy} : POINT{client.left + dx, client.top + dy};
    main->ClientToScreen(&point);
    return point;
}

} // namespace

CPtzDialogSet::CPtzDialogSet(IShellDialogHost& host) : m_host(host) {}

CPtzDialogSet::~CPtzDialogSet() {
    CloseAll();
}

void CPtzDialogSet::ShowPtzDlg(int mode) {
    if (m_pControl != nullptr) {
        m_pControl->SetMode(mode);
        Refocus(*m_pControl);
        return;
    }
    if (CPtzControlDlg* pad =
            MakePad(*this, m_host, m_pControl, MainClientPoint(m_host, false, kPadOffsetX, kPadOffsetY), false)) {
        pad->SetMode(mode);
    }
}

void CPtzDialogSet::ShowPtzKeypad() {
    if (m_pKeypad != nullptr) {
        Refocus(*m_pKeypad);
        return;
    }
    MakePad(*this, m_host, m_pKeypad, POINT{0, 0}, true);
}

void CPtzDialogSet::ShowIdd994Dlg() {
    if (m_pMenu != nullptr) {
        Refocus(*m_pMenu);
        return;
    }
    MakePad(*this, m_host, m_pMenu, MainClientPoint(m_host, true, kMenuFromRight, kMenuFromBottom), false);
}

void CPtzDialogSet::OnPtzKeypadButton(WPARAM pressed, LPARAM direction) {
    if (pressed == 0 && (direction == CPtzControlDlg::kCentreDirection || direction == 5)) {
        ShowPtzKeypad();
    }
}

void CPtzDialogSet::CloseAll() {
    // Each pad leaves the set from its own teardown; take them out first so that order never matters.
    std::vector<CPtzPadDlg*> pads = {m_pMenu, m_pKeypad, m_pControl};
    pads.insert(pads.end(), m_closing.begin(), m_closing.end());
    if (m_pMenu == nullptr && m_pKeypad == nullptr && m_pControl == nullptr && m_closing.empty()) {
        return;
    }
    m_pMenu = nullptr;
    m_pKeypad = nullptr;
    m_pControl = nullptr;
    m_closing.clear();
    for (CPtzPadDlg* pad : pads) {
        if (pad != nullptr) {
            pad->Detach();
            pad->DestroyWindow();
        }
    }
    m_host.SetDomeMenuActive(false);
}

void CPtzDialogSet::PadClosing(CPtzPadDlg* pad) {
    DialogGone(pad);
    m_closing.push_back(pad);
}

void CPtzDialogSet::DialogGone(CPtzPadDlg* pad) {
    std::erase(m_closing, pad);
    if (pad == m_pControl) {
        m_pControl = nullptr;
        m_host.SetDomeMenuActive(false); // the flag is the control pad's
    } else if (pad == m_pKeypad) {
        m_pKeypad = nullptr;
    } else if (pad == m_pMenu) {
        m_pMenu = nullptr;
    }
}
