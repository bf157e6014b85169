#include "platform/window/Dialog.h"

#include "platform/gdi/Font.h"
#include "platform/window/DataExchange.h"
#include "platform/window/KeyState.h"
#include "platform/window/MessagePump.h"
#include "platform/window/WinApp.h"
#include "platform/window/WndClasses.h"
#include "platform/window/WndHost.h"

#include <QApplication>

#include <cstring>

namespace {

constexpr const char* kDefaultFace = "MS Shell Dlg";
constexpr int kDefaultPointSize = 8;

std::unique_ptr<CFont> MakeDialogFont(const DialogTemplate& t) {
    LOGFONT font{};
    const int points = t.fontPointSize > 0 ? t.fontPointSize : kDefaultPointSize;
    // Points at 96 pixels per inch, as an em height in pixels.
    font.lfHeight = -((points * 96 + 36) / 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    const char* face = t.fontFace != nullptr ? t.fontFace : kDefaultFace;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    auto result = std::make_unique<CFont>();
    if (!result->CreateFontIndirect(&font)) {
        return nullptr;
    }
    return result;
}

} // namespace

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    // The window goes before the font its controls use.
    if (m_hWnd.load() != nullptr && CMessagePump::IsUiThread()) {
        CWnd::DestroyWindow();
    }
}

BOOL CDialog::CreateFromTemplate(const DialogTemplate& t, CWnd* pParentWnd, bool modal) {
    if (!CMessagePump::IsUiThread() || m_hWnd.load() != nullptr) {
        return FALSE;
    }
    DWORD style = t.style & ~WS_VISIBLE;
    if (modal) {
        style = (style & ~WS_CHILD) | WS_POPUP;
    }
    const bool child = (style & WS_CHILD) != 0;
    CWnd* parent = pParentWnd;
    if (!child && parent != nullptr) {
        parent = parent->GetTopLevelParent();
    }
    RECT rect{t.x, t.y, t.x + t.cx, t.y + t.cy};
    if (!child && parent != nullptr) {
        POINT origin{0, 0};
        parent->ClientToScreen(&origin);
        rect = RECT{origin.x + t.x, origin.y + t.y, origin.x + t.x + t.cx, origin.y + t.y + t.cy};
    }
    m_font = MakeDialogFont(t);
    if (!CreateEx(t.exStyle, "#32770", t.caption, style, rect, parent, child ? 0 : 0)) {
        return FALSE;
    }
    const HWND self = m_hWnd.load();
    const HFONT font = m_font ? HFONT(*m_font) : nullptr;
    if (CWndHost* host = GetHost()) {
        host->SetFontHandle(font);
    }
    for (const DialogItem& item : t.items) {
        std::unique_ptr<CWnd> control = CWndClasses::MakePlainObject(item.className);
        const RECT itemRect{item.x, item.y, item.x + item.cx, item.y + item.cy};
        if (!control->CreateEx(item.exStyle, item.className, item.text, (item.style | WS_CHILD) & ~WS_POPUP, itemRect,
                               this, item.id)) {
            continue;
        }
        control->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        CWndHost* controlHost = control->GetHost();
        if (controlHost != nullptr) {
            controlHost->AdoptObject(std::move(control));
        }
    }
    if ((t.style & DS_CENTER) != 0) {
        CenterWindow();
    }
    CWnd* first = GetNextDlgTabItem(nullptr);
    const LRESULT setFocus =
        SendMessage(WM_INITDIALOG, reinterpret_cast<WPARAM>(first != nullptr ? first->GetSafeHwnd() : nullptr), 0);
    if (!::IsWindow(self)) {
        return FALSE;
    }
    if ((t.style & WS_VISIBLE) != 0 || modal) {
        if (modal && !m_continueModal) {
            return TRUE; // ended during initialisation: never shown
        }
        // A dialog opened inside the loop of a box that holds the whole application (a message box,
        // a file chooser) would show on top of it yet take no input: it holds the application in
        // turn, above the box, until it ends.
        if (modal && QApplication::activeModalWidget() != nullptr) {
            if (CWndHost* host = GetHost()) {
                host->setWindowModality(Qt::ApplicationModal);
            }
        }
        ShowWindow(SW_SHOWNORMAL);
        if (!child) {
            if (CWndHost* host = GetHost()) {
                host->activateWindow();
            }
        }
    }
    if (setFocus != 0) {
        if (CWnd* focus = GetNextDlgTabItem(nullptr)) {
            focus->SetFocus();
        }
    }
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    const DialogTemplate* t = CDialogTemplates::Find(m_nIDTemplate);
    if (t == nullptr || !CMessagePump::IsUiThread() || m_hWnd.load() != nullptr) {
        return -1;
    }
    CWnd* owner = m_pParentWnd != nullptr ? m_pParentWnd->GetTopLevelParent() : AfxGetMainWnd();
    if (owner == this || (owner != nullptr && owner->GetSafeHwnd() == nullptr)) {
        owner = nullptr;
    }
    const HWND ownerHwnd = owner != nullptr ? owner->GetSafeHwnd() : nullptr;
    bool disabledOwner = false;
    if (ownerHwnd != nullptr && ::IsWindowEnabled(ownerHwnd)) {
        ::EnableWindow(ownerHwnd, FALSE);
        disabledOwner = true;
    }
    m_bModal = true;
    m_continueModal = true;
    m_modalResult = -1;
    if (CreateFromTemplate(*t, owner, true) && m_continueModal) {
        RunModalLoop();
    }
    m_bModal = false;
    const int result = m_modalResult;
    // The owner takes input again before the dialog goes, so that it is the window activated next.
    if (disabledOwner && ::IsWindow(ownerHwnd)) {
        ::EnableWindow(ownerHwnd, TRUE);
    }
    if (m_hWnd.load() != nullptr) {
        ShowWindow(SW_HIDE);
        DestroyWindow();
    }
    CWndHost::Activate(ownerHwnd);
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    const DialogTemplate* t = CDialogTemplates::Find(nIDTemplate);
    if (t == nullptr) {
        return FALSE;
    }
    m_nIDTemplate = nIDTemplate;
    return CreateIndirect(*t, pParentWnd);
}

BOOL CDialog::CreateIndirect(const DialogTemplate& dialogTemplate, CWnd* pParentWnd) {
    m_pParentWnd = pParentWnd;
    m_bModal = false;
    return CreateFromTemplate(dialogTemplate, pParentWnd, false);
}

void CDialog::EndDialog(int nResult) {
    if (m_bModal) {
        EndModalLoop(nResult);
        return;
    }
    m_modalResult = nResult;
    ShowWindow(SW_HIDE);
}

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::DoDataExchange(CDataExchange* pDX) {
    (void)pDX;
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    if (m_hWnd.load() == nullptr) {
        return FALSE;
    }
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return exchange.m_bFail ? FALSE : TRUE;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_INITDIALOG) {
        *pResult = OnInitDialog();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    (void)lParam;
    if (HIWORD(wParam) != BN_CLICKED) {
        return FALSE;
    }
    switch (LOWORD(wParam)) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (pMsg == nullptr || pMsg->message < WM_KEYDOWN || pMsg->message > WM_SYSCHAR) {
        return FALSE;
    }
    CWnd* target = FromHandle(pMsg->hwnd);
    if (pMsg->hwnd != m_hWnd.load() && !IsChild(target)) {
        return FALSE;
    }
    return IsDialogMessage(pMsg);
}

BOOL CDialog::IsDialogMessage(LPMSG lpMsg) {
    if (lpMsg == nullptr || lpMsg->message != WM_KEYDOWN) {
        return FALSE;
    }
    CWnd* focus = FromHandle(lpMsg->hwnd);
    const UINT code =
        focus != nullptr ? UINT(focus->SendMessage(WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg))) : 0U;
    if ((code & DLGC_WANTALLKEYS) != 0) {
        return FALSE;
    }
    switch (lpMsg->wParam) {
    case VK_TAB: {
        if ((code & DLGC_WANTTAB) != 0) {
            return FALSE;
        }
        CWnd* top = GetTopLevelParent() != nullptr ? GetTopLevelParent() : this;
        CWnd* next = top->GetNextDlgTabItem(focus, GetKeyState(VK_SHIFT) < 0);
        if (next != nullptr) {
            next->SetFocus();
            if ((next->SendMessage(WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
                next->SendMessage(EM_SETSEL, 0, -1);
            }
        }
        return TRUE;
    }
    case VK_RETURN: {
        int id = IDOK;
        if (focus != nullptr && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0) {
            id = focus->GetDlgCtrlID();
        }
        CWnd* button = id == IDOK ? GetDlgItem(IDOK) : focus;
        if (button != nullptr && !button->IsWindowEnabled()) {
            return TRUE;
        }
        SendMessage(WM_COMMAND, MAKEWPARAM(WORD(id), BN_CLICKED),
                    reinterpret_cast<LPARAM>(button != nullptr ? button->GetSafeHwnd() : nullptr));
        return TRUE;
    }
    case VK_ESCAPE: {
        CWnd* button = GetDlgItem(IDCANCEL);
        if (button != nullptr && !button->IsWindowEnabled()) {
            return TRUE;
        }
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(button != nullptr ? button->GetSafeHwnd() : nullptr));
        return TRUE;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        if ((code & DLGC_WANTARROWS) != 0 || focus == nullptr) {
            return FALSE;
        }
        CWnd* parent = focus->GetParent();
        if (parent == nullptr) {
            return FALSE;
        }
        const bool back = lpMsg->wParam == VK_LEFT || lpMsg->wParam == VK_UP;
        CWnd* next = parent->GetNextDlgGroupItem(focus, back);
        if (next != nullptr && next != focus) {
            next->SetFocus();
            const DWORD kind = next->GetStyle() & BS_TYPEMASK;
            if ((next->SendMessage(WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0 && kind == BS_AUTORADIOBUTTON) {
                next->SendMessage(BM_CLICK, 0, 0);
            }
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}
