#include "setup/SetupDlg.h"

#include "controls/KeyPolicy.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/DvrClient.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/SetupDisplayMenuDlg.h"
#include "setup/SetupEventMenuDlg.h"
#include "setup/SetupHost.h"
#include "setup/SetupListPopupDlg.h"
#include "setup/SetupPage.h"
#include "setup/SetupRecMenuDlg.h"
#include "setup/SetupSliderPopupDlg.h"
#include "setup/SetupSystemMenuDlg.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>

namespace {

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;

const DialogItem kItems[] = {
    {CSetupDlg::IDC_TAB_DISPLAY, "BUTTON", 22, 1, 71, 65, kButton},
    {CSetupDlg::IDC_TAB_REC, "BUTTON", 93, 1, 71, 65, kButton},
    {CSetupDlg::IDC_TAB_SYSTEM, "BUTTON", 164, 1, 71, 65, kButton},
    {CSetupDlg::IDC_TAB_EVENT, "BUTTON", 235, 1, 71, 65, kButton},
    {IDOK, "BUTTON", 400, 516, 97, 22, kButton},
    {IDCANCEL, "BUTTON", 501, 516, 97, 22, kButton},
    {CSetupDlg::IDC_CLOSE, "BUTTON", 580, 12, 26, 26, kButton},
};
const DialogTemplate kTemplate{
    .id = CSetupDlg::IDD, .cx = CSetupDlg::kWidth, .cy = CSetupDlg::kHeight, .style = WS_POPUP, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

template <class Panel>
std::unique_ptr<CSetupMenuDlg> MakePanel() {
    return std::make_unique<Panel>();
}

} // namespace

CSetupDlg::CSetupDlg(CWnd* pMainWnd, SetupDatabase* pDb, BYTE alpha, ISetupHost* pHost)
    : CDialog(IDD, pMainWnd), m_pDb(pDb), m_pMainWnd(pMainWnd), m_nAlpha(alpha), m_nMajor(pDb->version_major),
      m_nMinor(pDb->version_minor), m_pHost(pHost), m_tabs{&m_btnDisplay, &m_btnRec, &m_btnSystem, &m_btnEvent} {}

CSetupDlg::~CSetupDlg() {
    // Children go while the frame can still hear about them; their objects are freed with the slots.
    if (GetSafeHwnd() != nullptr) {
        DestroyWindow();
    }
}

bool CSetupDlg::IsLive(const CWnd* wnd) {
    return wnd != nullptr && wnd->GetSafeHwnd() != nullptr;
}

CDvrClient* CSetupDlg::GetClient() const {
    return m_pHost != nullptr ? m_pHost->GetClient() : nullptr;
}

int CSetupDlg::ChannelCount() const {
    const CDvrClient* client = GetClient();
    if (client == nullptr) {
        return kSetupChannels;
    }
    const int n = client->Login().GetHello().channel_num;
    return n >= 1 && n <= kSetupChannels ? n : kSetupChannels;
}

int CSetupDlg::RecorderSubType() const {
    const CDvrClient* client = GetClient();
    return client != nullptr ? client->Login().GetHello().sub_product_num_major : 0;
}

int CSetupDlg::LoggedInAccount() const {
    const CDvrClient* client = GetClient();
    return client != nullptr ? client->Setup().GetAccountIndex() : 0;
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAB_SYSTEM, m_btnSystem);
    DDX_Control(pDX, IDC_TAB_REC, m_btnRec);
    DDX_Control(pDX, IDC_TAB_EVENT, m_btnEvent);
    DDX_Control(pDX, IDC_TAB_DISPLAY, m_btnDisplay);
    DDX_Control(pDX, IDOK, m_btnOK);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_CLOSE, m_btnClose);
}

BOOL CSetupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_SEARCH_SETUP_FRAME);
    m_rcBackground = CRect(0, 0, kWidth, kHeight);
    for (int k = 0; k < kPanelCount; ++k) {
        CSetupSkin::SetUpButton(*m_tabs[std::size_t(k)], IDB_SETUP_FRAME_TAB_DISPLAY + UINT(k),
                                CSetupSkin::At(22 + 71 * k, 1, 71, 65));
    }
    CSetupSkin::SetUpTextButton(m_btnOK, IDB_FRAME_OK_CANCEL, CSetupSkin::At(400, 516, 97, 22), LoadResString(IDS_OK),
                                CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnCancel, IDB_FRAME_OK_CANCEL, CSetupSkin::At(501, 516, 97, 22),
                                LoadResString(IDS_CANCEL), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpButton(m_btnClose, IDB_FRAME_CLOSE, CSetupSkin::At(580, 12, 26, 26));

    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    DbToHostOrder();
    m_nTimeDelay = 0;
    if (m_pHost != nullptr) {
        m_pHost->SetSetupWindow(ClientWindow::SetupFrame, GetSafeHwnd());
    }
    ShowTab(kTabDisplay);
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    return TRUE;
}

BOOL CSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CDialog::OnCommand(wParam, lParam);
    }
    switch (LOWORD(wParam)) {
    case IDC_TAB_DISPLAY:
        ShowTab(kTabDisplay);
        return TRUE;
    case IDC_TAB_REC:
        ShowTab(kTabRec);
        return TRUE;
    case IDC_TAB_SYSTEM:
        ShowTab(kTabSystem);
        return TRUE;
    case IDC_TAB_EVENT:
        ShowTab(kTabEvent);
        return TRUE;
    case IDC_CLOSE:
        OnCancel();
        return TRUE;
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

void CSetupDlg::OnOK() {
    // A second OK (queued behind the first) must not swap the record back again.
    if (m_bEnded) {
        return;
    }
    m_bEnded = true;
    ClosePagesExcept(nullptr);
    DbToNetworkOrder();
    EndDialog(IDOK);
}

void CSetupDlg::OnCancel() {
    if (m_bEnded) {
        return;
    }
    m_bEnded = true;
    EndDialog(IDCANCEL);
}

void CSetupDlg::OnDestroy() {
    // Pages before popups, as on OK: a slider popup closing now finds no page for its values.
    ClosePagesExcept(nullptr);
    if (m_pHost != nullptr) {
        m_pHost->SetSetupWindow(ClientWindow::SetupFrame, nullptr);
    }
    CDialog::OnDestroy();
}

BOOL CSetupDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

LRESULT CSetupDlg::OnNcHitTest(CPoint point) {
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT) {
        return hit;
    }
    CPoint client = point;
    ScreenToClient(&client);
    if (!m_rcBackground.PtInRect(client)) {
        return hit;
    }
    ClosePopups();
    return HTCAPTION;
}

BOOL CSetupDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, m_rcBackground.left, m_rcBackground.top, m_rcBackground.right,
               m_rcBackground.bottom, TRUE, 0);
    return TRUE;
}

void CSetupDlg::DbToHostOrder() {
    if (m_bHostOrder) {
        return;
    }
    ::DbToHostOrder(*m_pDb);
    m_bHostOrder = true;
}

void CSetupDlg::DbToNetworkOrder() {
    if (!m_bHostOrder) {
        return;
    }
    ::DbToNetworkOrder(*m_pDb);
    m_bHostOrder = false;
}

// ---- tabs, pages and popups

void CSetupDlg::ShowTab(int tab) {
    if (tab < 0 || tab >= kPanelCount) {
        return;
    }
    for (CSkinButton* button : m_tabs) {
        button->SetState(kButtonNormal);
    }
    m_tabs[std::size_t(tab)]->SetState(kButtonOn);
    for (int k = 0; k < kPanelCount; ++k) {
        if (k != tab && IsLive(m_panels[std::size_t(k)].get())) {
            m_panels[std::size_t(k)]->DestroyWindow();
        }
    }
    auto& slot = m_panels[std::size_t(tab)];
    if (!IsLive(slot.get())) {
        static constexpr std::unique_ptr<CSetupMenuDlg> (*kMakers[kPanelCount])() = {
            &MakePanel<CSetupDisplayMenuDlg>, &MakePanel<CSetupRecMenuDlg>, &MakePanel<CSetupSystemMenuDlg>,
            &MakePanel<CSetupEventMenuDlg>};
        slot = kMakers[tab]();
        CSetupMenuDlg* panel = slot.get();
        if (!panel->Create(this)) {
            if (slot.get() == panel) {
                slot.reset();
            }
            return;
        }
    }
    if (IsLive(slot.get())) {
        slot->ShowWindow(SW_SHOW);
    }
}

void CSetupDlg::ShowPage(int slot) {
    if (slot < 0 || slot >= kSetupPageSlots) {
        return;
    }
    auto& entry = m_pages[std::size_t(slot)];
    CSetupPage* keep = IsLive(entry.get()) ? entry.get() : nullptr;
    ClosePagesExcept(keep);
    if (keep == nullptr) {
        // An object left without a window (its window could not be made) is replaced.
        entry = MakeSetupPage(kSetupPageIds[std::size_t(slot)]);
        CSetupPage* page = entry.get();
        if (page == nullptr) {
            return;
        }
        if (!page->Create(this)) {
            if (entry.get() == page) {
                entry.reset();
            }
            return;
        }
    }
    if (IsLive(entry.get())) {
        entry->ShowWindow(SW_SHOW);
    }
}

void CSetupDlg::ClosePagesExcept(CSetupPage* keep) {
    for (auto& page : m_pages) {
        if (IsLive(page.get()) && page.get() != keep) {
            page->DestroyWindow();
        }
    }
    ClosePopups();
}

void CSetupDlg::ClosePopups() {
    if (IsLive(m_pListPopup.get())) {
        m_pListPopup->DestroyWindow();
    }
    if (IsLive(m_pSliderPopup.get())) {
        m_pSliderPopup->DestroyWindow();
    }
}

void CSetupDlg::OpenListPopup(CSetupPage* owner, int kind, const ListPopupRequest* request, int layout) {
    if (IsLive(m_pSliderPopup.get())) {
        m_pSliderPopup->DestroyWindow();
    }
    if (IsLive(m_pListPopup.get())) {
        m_pListPopup->DestroyWindow();
    }
    if (request == nullptr) {
        return;
    }
    m_pListPopup = std::make_unique<CSetupListPopupDlg>(owner, kind, *request, layout);
    CSetupListPopupDlg* popup = m_pListPopup.get();
    if (!popup->Create(this)) {
        if (m_pListPopup.get() == popup) {
            m_pListPopup.reset();
        }
        return;
    }
    if (IsLive(m_pListPopup.get())) {
        m_pListPopup->ShowWindow(SW_SHOW);
    }
}

void CSetupDlg::OpenSliderPopup(CSetupPage* owner, int kind, const SliderPopupRequest* request, int mode) {
    if (IsLive(m_pListPopup.get())) {
        m_pListPopup->DestroyWindow();
    }
    if (IsLive(m_pSliderPopup.get())) {
        m_pSliderPopup->DestroyWindow();
    }
    if (request == nullptr) {
        return;
    }
    m_pSliderPopup = std::make_unique<CSetupSliderPopupDlg>(owner, kind, *request, mode);
    CSetupSliderPopupDlg* popup = m_pSliderPopup.get();
    if (!popup->Create(this)) {
        if (m_pSliderPopup.get() == popup) {
            m_pSliderPopup.reset();
        }
        return;
    }
    if (IsLive(m_pSliderPopup.get())) {
        m_pSliderPopup->ShowWindow(SW_SHOW);
    }
}

void CSetupDlg::OnListPopupResult(CSetupPage* owner, int kind, DWORD index) {
    if (index == 0xFFFFFFFF || owner == nullptr) {
        return;
    }
    for (auto& page : m_pages) {
        if (page.get() == owner && IsLive(owner)) {
            owner->OnListResult(kind, int(index));
            return;
        }
    }
}

void CSetupDlg::OnSliderPopupResult(CSetupPage* owner, int kind, int value0, int value1) {
    if (owner == nullptr) {
        return;
    }
    for (auto& page : m_pages) {
        if (page.get() == owner && IsLive(owner)) {
            owner->OnSliderResult(kind, value0, value1);
            return;
        }
    }
}

// ---- slots

void CSetupDlg::ChildWindowGone(CWnd* child) {
    const auto take = [&](auto& slot) {
        if (slot.get() == child) {
            m_dying.push_back(std::unique_ptr<CWnd>(slot.release()));
            return true;
        }
        return false;
    };
    for (auto& page : m_pages) {
        if (take(page)) {
            return;
        }
    }
    for (auto& panel : m_panels) {
        if (take(panel)) {
            return;
        }
    }
    if (take(m_pListPopup)) {
        return;
    }
    take(m_pSliderPopup);
}

void CSetupDlg::ReleaseChild(CWnd* child) {
    const auto found = std::find_if(m_dying.begin(), m_dying.end(),
                                    [child](const std::unique_ptr<CWnd>& w) { return w.get() == child; });
    if (found != m_dying.end()) {
        m_dying.erase(found);
    }
}

CSetupPage* CSetupDlg::PageInSlot(int slot) const {
    if (slot < 0 || slot >= kSetupPageSlots) {
        return nullptr;
    }
    CSetupPage* page = m_pages[std::size_t(slot)].get();
    return IsLive(page) ? page : nullptr;
}

CSetupMenuDlg* CSetupDlg::Panel(int tab) const {
    if (tab < 0 || tab >= kPanelCount) {
        return nullptr;
    }
    CSetupMenuDlg* panel = m_panels[std::size_t(tab)].get();
    return IsLive(panel) ? panel : nullptr;
}

CSetupListPopupDlg* CSetupDlg::ListPopup() const {
    return IsLive(m_pListPopup.get()) ? m_pListPopup.get() : nullptr;
}

CSetupSliderPopupDlg* CSetupDlg::SliderPopup() const {
    return IsLive(m_pSliderPopup.get()) ? m_pSliderPopup.get() : nullptr;
}
