#include "setup/SetupMenuDlg.h"

#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "setup/SetupDlg.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>

CSetupMenuDlg::CSetupMenuDlg(UINT nIDTemplate, std::span<const Entry> entries)
    : CSetupChildDlg(nIDTemplate), m_entries(entries.first(std::min<std::size_t>(entries.size(), kMaxButtons))) {}

DialogTemplate CSetupMenuDlg::MakeTemplate(UINT id, std::span<const Entry> entries, std::span<DialogItem> items) {
    const std::size_t count = std::min(entries.size(), items.size());
    for (std::size_t i = 0; i < count; ++i) {
        items[i] = DialogItem{
            kFirstButton + UINT(i), "BUTTON", 2, 1 + 40 * int(i), 170, 35, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW};
    }
    return DialogTemplate{.id = id,
                          .x = kLeft,
                          .y = kTop,
                          .cx = kWidth,
                          .cy = kHeight,
                          .style = WS_CHILD,
                          .items = std::span<const DialogItem>(items.data(), count)};
}

BOOL CSetupMenuDlg::Create(CSetupDlg* pFrame) {
    return CreateIn(pFrame);
}

void CSetupMenuDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < ButtonCount(); ++i) {
        DDX_Control(pDX, int(kFirstButton) + i, m_buttons[std::size_t(i)]);
    }
}

BOOL CSetupMenuDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadBackground(IDB_FRAME_MENU_TAB_PANEL, CRect(0, 0, kWidth, kHeight));
    for (int i = 0; i < ButtonCount(); ++i) {
        const Entry& e = m_entries[std::size_t(i)];
        CSetupSkin::SetUpTextButton(m_buttons[std::size_t(i)], e.bitmap, CSetupSkin::At(2, 1 + 40 * i, 170, 35),
                                    LoadResString(e.text), CSetupSkin::kMenuButtonColours);
    }
    ArrangeButtons();
    MoveWindow(kLeft, kTop, kWidth, kHeight);
    OnMenuButton(0);
    return TRUE;
}

BOOL CSetupMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int i = int(LOWORD(wParam)) - int(kFirstButton);
    if (HIWORD(wParam) == BN_CLICKED && i >= 0 && i < ButtonCount()) {
        OnMenuButton(i);
        return TRUE;
    }
    return CSetupChildDlg::OnCommand(wParam, lParam);
}

void CSetupMenuDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    if (m_pFrame != nullptr) {
        m_pFrame->ClosePopups();
    }
    CSetupChildDlg::OnLButtonDown(nFlags, point);
}

UINT CSetupMenuDlg::PageOfButton(int i) const {
    return m_entries[std::size_t(i)].page;
}

void CSetupMenuDlg::OnMenuButton(int i) {
    if (i < 0 || i >= ButtonCount()) {
        return;
    }
    for (int k = 0; k < ButtonCount(); ++k) {
        m_buttons[std::size_t(k)].SetState(kButtonNormal);
    }
    m_buttons[std::size_t(i)].SetState(kButtonOn);
    if (m_pFrame != nullptr) {
        m_pFrame->ShowPageById(PageOfButton(i));
    }
}
