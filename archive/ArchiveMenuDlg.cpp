#include "archive/ArchiveMenuDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"

namespace {

const COLORREF kMenuColours[4] = {0xFBF1D8, 0xF1EB62, 0xF1EB62, 0xFBF1D8};

} // namespace

CArchiveMenuDlg::CArchiveMenuDlg(UINT idd, int slot, std::span<const MenuButtonSpec> buttons)
    : CSearchPage(idd, slot, IDB_FRAME_MENU_TAB_PANEL, 14, 74, 174, 430),
      m_specs(buttons.first(std::min<std::size_t>(buttons.size(), kMaxButtons))) {}

CSkinTextButton* CArchiveMenuDlg::Button(UINT id) {
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        if (m_specs[i].id == id) {
            return &m_buttons[i];
        }
    }
    return nullptr;
}

void CArchiveMenuDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        DDX_Control(pDX, int(m_specs[i].id), m_buttons[i]);
    }
}

BOOL CArchiveMenuDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        SetUpTextButton(m_buttons[i], m_specs[i].bitmap, m_specs[i].text, 2, m_specs[i].y, 170, 35, kMenuColours, 34,
                        FALSE);
    }
    return TRUE;
}

BOOL CArchiveMenuDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && Button(LOWORD(wParam)) != nullptr) {
        OnMenuButton(LOWORD(wParam));
        return TRUE;
    }
    return CSearchPage::OnCommand(wParam, lParam);
}

void CArchiveMenuDlg::SelectButton(UINT id) {
    for (std::size_t i = 0; i < m_specs.size(); ++i) {
        m_buttons[i].SetState(m_specs[i].id == id ? kButtonOn : kButtonNormal);
    }
}

ArchiveResume& CArchiveMenuDlg::Resume() {
    return Host().Resume();
}

bool CArchiveMenuDlg::ResumeActive() {
    return Client() != nullptr && Resume().record.active != 0;
}
