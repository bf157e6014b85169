#pragma once
// The remote setup frame: a modal, borderless, skinned dialog (template 150) in which the operator
// edits the recorder's setup record. Four tabs (Display, Rec, System, Event) each show a menu panel
// on the left; each menu button shows one page on the right. At most one panel, one page and one
// popup of each kind exist at a time. Pages edit the record in place as the operator works.
//
// What the main window does with it:
//   1. On the setup record's arrival (0x5227) it takes the record (network order, as received) into
//      its own copy and constructs CSetupDlg(main window, &copy, Opacity\03, &host), where host is
//      its ISetupHost: GetClient gives the connection object (null when none), SetSetupWindow
//      registers the frame's window for ClientWindow::SetupFrame (the client posts WM_CLOSE there on
//      a disconnection or when the setup right is lost; DB_INIT_REQ closes it the same way).
//   2. DoModal. The frame converts the copy's integer fields to host order when it opens.
//   3. IDOK: the frame has converted the copy back to network order; the main window then, if still
//      connected, sends it with DB_UPDATE_REQ (CDvrClient::SendDbUpdate). IDCANCEL (Cancel, Close,
//      WM_CLOSE): nothing is sent and the copy stays edited, in host order, until the next setup
//      record replaces it.
//   4. The frame posts the notice kNoticeInitializeSetup (wParam the frame's window) to the main window
//      when the operator asks to initialise the recorder's setup.
//   5. It re-enables itself and destroys the frame object after DoModal returns.

#include "controls/SkinButton.h"
#include "controls/SkinHelper.h"
#include "controls/SkinTextButton.h"
#include "platform/base/Rect.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"
#include "setup/SetupPageFactory.h"
#include "setupkit/ChildSlots.h"
#include "setupkit/SetupPopupRequest.h"

#include <array>
#include <memory>
#include <vector>

class CDvrClient;
class CSetupListPopupDlg;
class CSetupMenuDlg;
class CSetupPage;
class CSetupSliderPopupDlg;
class ISetupHost;
struct SetupDatabase;

class CSetupDlg : public CDialog, public CSkinHelper, public IChildSlots {
public:
    static constexpr UINT IDD = IDD_SETUP_DLG;
    static constexpr int kWidth = 618;
    static constexpr int kHeight = 546;
    static constexpr int kPanelCount = 4;
    enum Tab { kTabDisplay = 0, kTabRec = 1, kTabSystem = 2, kTabEvent = 3 };
    enum ControlId : UINT {
        IDC_TAB_DISPLAY = 430,
        IDC_TAB_REC = 431,
        IDC_TAB_SYSTEM = 432,
        IDC_TAB_EVENT = 433,
        IDC_CLOSE = 435,
    };

    CSetupDlg(CWnd* pMainWnd, SetupDatabase* pDb, BYTE alpha, ISetupHost* pHost = nullptr);
    ~CSetupDlg() override;

    CSkinButton m_btnSystem;
    CSkinButton m_btnRec;
    CSkinButton m_btnEvent;
    CSkinButton m_btnDisplay;
    CSkinTextButton m_btnOK;
    CSkinTextButton m_btnCancel;
    CSkinButton m_btnClose;

    // ---- what the pages use
    // The record being edited (the main window's copy); its integer fields are in host order while
    // the frame is open.
    SetupDatabase& Db() const { return *m_pDb; }
    SetupDatabase* m_pDb;
    CWnd* m_pMainWnd;
    // Added to the local clock where a page shows the recorder's time.
    int m_nTimeDelay = 0;
    BYTE m_nAlpha;
    // Record bytes 0 and 1: the recorder's setup version.
    BYTE m_nMajor;
    BYTE m_nMinor;

    ISetupHost* GetSetupHost() const { return m_pHost; }
    // The connection object, null when there is none.
    CDvrClient* GetClient() const;
    // The recorder's channel count (16 without a connection), its sub-type (0 without one) and the
    // logged-in account's index in the rights table (0 without a connection, -1 when the account
    // was not found).
    int ChannelCount() const;
    int RecorderSubType() const;
    int LoggedInAccount() const;

    // ---- tabs, pages and popups
    void ShowTab(int tab);
    // Closes every other page and both popups, makes the slot's page if it has none and shows it.
    void ShowPage(int slot);
    void ShowPageById(UINT pageId) { ShowPage(SetupPageSlot(pageId)); }
    // Destroys every open page but `keep` (null: all), then the list popup, then the slider popup.
    void ClosePagesExcept(CSetupPage* keep);
    // Destroys the list popup, then the slider popup.
    void ClosePopups();
    // Destroy both popups, then open one for the owner page; the choice comes back to the owner's
    // OnListResult / OnSliderResult with the same kind. layout: 0 one column, else four columns.
    void OpenListPopup(CSetupPage* owner, int kind, const ListPopupRequest* request, int layout);
    void OpenSliderPopup(CSetupPage* owner, int kind, const SliderPopupRequest* request, int mode);
    // Results of the popups; dropped when the owner is no longer an open page, and for index
    // 0xFFFFFFFF (closed without a choice).
    void OnListPopupResult(CSetupPage* owner, int kind, DWORD index);
    void OnSliderPopupResult(CSetupPage* owner, int kind, int value0, int value1);

    // Swap the record's integer fields, each once: to host order as the frame opens, back to network
    // order on OK.
    void DbToHostOrder();
    void DbToNetworkOrder();
    bool IsHostOrder() const { return m_bHostOrder; }

    // ---- the children's slots (panels, pages, popups call these about themselves)
    // The child's window is gone: it leaves its slot at once.
    void ChildWindowGone(CWnd* child) override;
    // The child's last message is done: the object is freed.
    void ReleaseChild(CWnd* child) override;

    // ---- state (for tests and the pages)
    CSetupPage* PageInSlot(int slot) const;
    CSetupPage* PageById(UINT pageId) const { return PageInSlot(SetupPageSlot(pageId)); }
    CSetupMenuDlg* Panel(int tab) const;
    CSetupListPopupDlg* ListPopup() const;
    CSetupSliderPopupDlg* SliderPopup() const;
    CSkinButton& TabButton(int tab) const { return *m_tabs[std::size_t(tab)]; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;

private:
    static bool IsLive(const CWnd* wnd);

    ISetupHost* m_pHost;
    CBitmap m_bmBackground;
    CRect m_rcBackground{0, 0, kWidth, kHeight};
    std::array<CSkinButton*, kPanelCount> m_tabs;
    std::array<std::unique_ptr<CSetupMenuDlg>, kPanelCount> m_panels;
    std::array<std::unique_ptr<CSetupPage>, kSetupPageSlots> m_pages;
    std::unique_ptr<CSetupListPopupDlg> m_pListPopup;
    std::unique_ptr<CSetupSliderPopupDlg> m_pSliderPopup;
    // Children whose windows are gone, until their last message is done.
    std::vector<std::unique_ptr<CWnd>> m_dying;
    bool m_bHostOrder = false;
    bool m_bEnded = false;
};
