#include "app/LocalSetupDlg.h"

#include "app/AudioBufferPageDlg.h"
#include "app/AutoSavePageDlg.h"
#include "app/DropListPopupDlg.h"
#include "app/GlobalPageDlg.h"
#include "app/LocalSetupTabDlg.h"
#include "app/OpacityPageDlg.h"
#include "app/ShellDialogHost.h"
#include "app/SkinDialog.h"
#include "controls/KeyPolicy.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

namespace {

const DialogItem kItems[] = {
    {CLocalSetupDlg::kIdSet, "BUTTON", 22, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {IDOK, "BUTTON", 400, 516, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
    {IDCANCEL, "BUTTON", 501, 516, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
    {CLocalSetupDlg::kIdClose, "BUTTON", 580, 12, 26, 26, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{.id = CLocalSetupDlg::IDD,
                               .cx = CLocalSetupDlg::kWidth,
                               .cy = CLocalSetupDlg::kHeight,
                               .style = WS_POPUP | DS_CENTER,
                               .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

template <class Page>
CDialog* MakePage(CLocalSetupDlg& frame) {
    auto* page = new Page(); // frees itself once its window is gone
    if (!page->Create(&frame)) {
        delete page;
        return nullptr;
    }
    return page;
}

} // namespace

CLocalSetupDlg::CLocalSetupDlg(IShellDialogHost& host, LocalSetupEdit* edit, WebSetupEdit* web, BYTE alpha)
    : CDialog(IDD, host.MainWindow()), m_host(host), m_pEdit(edit), m_pWeb(web), m_nAlpha(alpha) {}

CLocalSetupDlg::~CLocalSetupDlg() {
    // Children leave their slots while the frame can still hear about them.
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

void CLocalSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdSet, m_btnSet);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, kIdClose, m_btnClose);
}

BOOL CLocalSetupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_SEARCH_SETUP_FRAME);
    CSetupSkin::SetUpButton(m_btnSet, IDB_LOCAL_SETUP_FRAME_SETTINGS_TAB, CSetupSkin::At(22, 1, 71, 65));
    CSetupSkin::SetUpTextButton(m_btnOk, IDB_FRAME_OK_CANCEL, CSetupSkin::At(400, 516, 97, 22), LoadResString(IDS_OK),
                                kTextButtonColours);
    CSetupSkin::SetUpTextButton(m_btnCancel, IDB_FRAME_OK_CANCEL, CSetupSkin::At(501, 516, 97, 22),
                                LoadResString(IDS_CANCEL), kTextButtonColours);
    CSetupSkin::SetUpButton(m_btnClose, IDB_FRAME_CLOSE, CSetupSkin::At(580, 12, 26, 26));
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    m_btnSet.SetState(kButtonOn);
    ShowTabPanel();
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    return TRUE;
}

void CLocalSetupDlg::ShowTabPanel() {
    if (m_pTab == nullptr) {
        auto* tab = new CLocalSetupTabDlg(); // frees itself once its window is gone
        m_pTab = tab;
        if (!tab->Create(this)) {
            m_pTab = nullptr;
            delete tab;
            return;
        }
    }
    m_pTab->ShowWindow(SW_SHOW);
}

CDialog* CLocalSetupDlg::PageOf(int page) const {
    return page >= 0 && page < kPages ? m_pPages[std::size_t(page)] : nullptr;
}

void CLocalSetupDlg::ClosePagesExcept(int keep) {
    CloseDropListPopup();
    for (int page = 0; page < kPages; ++page) {
        if (page != keep && m_pPages[std::size_t(page)] != nullptr) {
            m_pPages[std::size_t(page)]->DestroyWindow(); // empties its slot
        }
    }
}

void CLocalSetupDlg::ShowPage(int page) {
    if (page < 0 || page >= kPages) {
        return;
    }
    ClosePagesExcept(page);
    CDialog*& slot = m_pPages[std::size_t(page)];
    if (slot == nullptr) {
        switch (page) {
        case kGlobal:
            slot = MakePage<CGlobalPageDlg>(*this);
            break;
        case kOpacity:
            slot = MakePage<COpacityPageDlg>(*this);
            break;
        case kAudioBuffer:
            slot = MakePage<CAudioBufferPageDlg>(*this);
            break;
        default:
            slot = MakePage<CAutoSavePageDlg>(*this);
            break;
        }
    }
    if (slot != nullptr) {
        slot->ShowWindow(SW_SHOW);
    }
}

void CLocalSetupDlg::ShowDropListPopup(CWnd* page, DWORD kind, const ListPopupRequest* request, int layout) {
    CloseDropListPopup();
    if (request == nullptr) {
        return;
    }
    auto* popup = new CDropListPopupDlg(page, this, kind, *request, layout); // frees itself
    m_pPopup = popup;
    if (!popup->Create(this)) {
        m_pPopup = nullptr;
        delete popup;
        return;
    }
    popup->ShowWindow(SW_SHOW);
}

void CLocalSetupDlg::CloseDropListPopup() {
    if (m_pPopup != nullptr) {
        m_pPopup->DestroyWindow(); // empties its slot
    }
}

void CLocalSetupDlg::OnDropListResult(CWnd* page, DWORD kind, DWORD index) {
    if (index == kNoChoice || page == nullptr) {
        return;
    }
    CDialog* global = m_pPages[kGlobal];
    CDialog* autoSave = m_pPages[kAutoSave];
    if (global != nullptr && page == global) {
        static_cast<CGlobalPageDlg*>(global)->OnListResult(kind, index);
    } else if (autoSave != nullptr && page == autoSave) {
        static_cast<CAutoSavePageDlg*>(autoSave)->OnListResult(kind, index);
    }
}

void CLocalSetupDlg::ChildWindowGone(CWnd* child) {
    if (child == static_cast<CWnd*>(m_pTab)) {
        m_pTab = nullptr;
    }
    if (child == static_cast<CWnd*>(m_pPopup)) {
        m_pPopup = nullptr;
    }
    for (CDialog*& page : m_pPages) {
        if (static_cast<CWnd*>(page) == child) {
            page = nullptr;
        }
    }
}

BOOL CLocalSetupDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

BOOL CLocalSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kIdSet:
            m_btnSet.SetState(kButtonOn);
            ShowTabPanel();
            return TRUE;
        case kIdClose:
            EndDialog(IDCANCEL);
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

LRESULT CLocalSetupDlg::OnNcHitTest(CPoint point) {
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT) {
        return hit;
    }
    CPoint client = point;
    ScreenToClient(&client);
    if (!m_rcWindow.PtInRect(client)) {
        return hit;
    }
    CloseDropListPopup();
    return HTCAPTION;
}

BOOL CLocalSetupDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, kWidth, kHeight, TRUE, 0);
    return TRUE;
}

void CLocalSetupDlg::OnDestroy() {
    // The popup is a window of its own; it goes with the frame.
    CloseDropListPopup();
    CDialog::OnDestroy();
}
