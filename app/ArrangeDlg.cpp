#include "app/ArrangeDlg.h"

#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "protocol/ClientMessages.h"
#include "res/BitmapIds.h"

#include <vector>

namespace {

constexpr UINT kStrips[CArrangeDlg::kButtons] = {IDB_SPLIT_ONE_TILE,      IDB_SPLIT_FOUR_TILES,
                                                 IDB_SPLIT_SIX_TILES,     IDB_SPLIT_SEVEN_TILES,
                                                 IDB_SPLIT_EIGHT_TILES,   IDB_SPLIT_NINE_TILES,
                                                 IDB_SPLIT_TEN_TILES,     IDB_SPLIT_THIRTEEN_TILES,
                                                 IDB_SPLIT_SIXTEEN_TILES, IDB_ARRANGE_BAR_LEAVE_FULL_SCREEN};

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    for (int k = 0; k < CArrangeDlg::kButtons; ++k) {
        items.push_back({CArrangeDlg::kIdFirst + UINT(k), "BUTTON", 4 + 34 * k, 4, 34, 34, WS_VISIBLE | BS_OWNERDRAW});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
// The bar never takes the keyboard: Escape and Enter stay with the full-screen window while it shows.
const DialogTemplate kTemplate{.id = CArrangeDlg::IDD,
                               .cx = CArrangeDlg::kWidth,
                               .cy = CArrangeDlg::kHeight,
                               .style = WS_CHILD,
                               .items = kItems,
                               .exStyle = WS_EX_NOACTIVATE};
const DialogTemplateRegistration kRegistered(kTemplate);

// What the video window holds: destroying goes through the bar's window, and the bar frees itself
// after its last message, so a click that ends full screen never frees the bar under its own feet.
class ArrangeBarRef final : public IArrangeBar {
public:
    explicit ArrangeBarRef(CArrangeDlg* bar) : m_bar(bar) {}
    ~ArrangeBarRef() override { Destroy(); }
    void PopUp(const RECT& monitor, BYTE alpha) override {
        if (m_bar != nullptr) {
            m_bar->PopUp(monitor, alpha);
        }
    }
    void Show(bool show) override {
        if (m_bar != nullptr) {
            m_bar->Show(show);
        }
    }
    RECT GetClientRect() const override {
        return m_bar != nullptr ? m_bar->GetClientRect() : RECT{0, 0, CArrangeDlg::kWidth, CArrangeDlg::kHeight};
    }
    void Destroy() override {
        CArrangeDlg* bar = m_bar;
        m_bar = nullptr;
        if (bar == nullptr) {
            return;
        }
        if (bar->GetSafeHwnd() == nullptr) {
            delete bar; // no window: nothing would free it later
            return;
        }
        bar->Destroy();
    }

private:
    CArrangeDlg* m_bar;
};

// Frees the bar once its window is gone.
class SelfDeletingArrangeDlg final : public CArrangeDlg {
public:
    using CArrangeDlg::CArrangeDlg;

protected:
    void PostNcDestroy() override { delete this; }
};

} // namespace

CArrangeDlg::CArrangeDlg(CWnd* pOwner) : CDialog(IDD, pOwner), m_pOwner(pOwner) {}

std::unique_ptr<IArrangeBar> CArrangeDlg::Make(CWnd& owner) {
    auto* bar = new SelfDeletingArrangeDlg(&owner);
    if (!bar->Create(IDD, &owner)) {
        delete bar;
        return nullptr;
    }
    return std::make_unique<ArrangeBarRef>(bar);
}

void CArrangeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int k = 0; k < kButtons; ++k) {
        DDX_Control(pDX, int(kIdFirst) + k, m_btn[std::size_t(k)]);
    }
}

BOOL CArrangeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_FULL_SCREEN_ARRANGE_BAR);
    for (int k = 0; k < kButtons; ++k) {
        CSkinButton& button = m_btn[std::size_t(k)];
        button.LoadBitmap(kStrips[k]);
        button.MoveWindow(4 + 34 * k, 4, 34, 34);
        button.ShowWindow(SW_SHOW);
    }
    SetTimer(kFirstShowTimer, kFirstShowMs);
    return TRUE;
}

void CArrangeDlg::PopUp(const RECT& monitor, BYTE alpha) {
    ShowWindow(SW_HIDE);
    ModifyStyle(WS_CHILD, WS_POPUP | WS_VISIBLE);
    SetParent(nullptr);
    RECT client{};
    CWnd::GetClientRect(&client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int x = monitor.left + (monitor.right - monitor.left - width) / 2;
    const int y = monitor.bottom - height;
    ::SetWindowPos(GetSafeHwnd(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
    SetOpacity(GetSafeHwnd(), alpha);
}

void CArrangeDlg::Show(bool show) {
    if (!show) {
        ShowWindow(SW_HIDE);
        return;
    }
    ShowWindow(SW_SHOWNOACTIVATE);
    SetTimer(kHideTimer, kShowMs); // a later show starts the four seconds again
}

RECT CArrangeDlg::GetClientRect() const {
    RECT rect{};
    CWnd::GetClientRect(&rect);
    return rect;
}

void CArrangeDlg::Destroy() {
    DestroyWindow();
}

BOOL CArrangeDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && id >= kIdFirst && id <= kIdLeave) {
        if (m_pOwner != nullptr) {
            m_pOwner->SendMessage(WM_KELO_ARRANGE, id, 0);
        }
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CArrangeDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kFirstShowTimer) {
        KillTimer(kFirstShowTimer);
        Show(true);
    } else if (nIDEvent == kHideTimer) {
        KillTimer(kHideTimer);
        Show(false);
    }
    CDialog::OnTimer(nIDEvent);
}

BOOL CArrangeDlg::OnEraseBkgnd(CDC* pDC) {
    pDC->SetStretchBltMode(COLORONCOLOR);
    RECT client{};
    CWnd::GetClientRect(&client);
    DrawBitmap(pDC, m_bmBackground, client.left, client.top, client.right, client.bottom, FALSE, 0);
    return TRUE;
}
