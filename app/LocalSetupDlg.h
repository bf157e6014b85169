#pragma once
// The local setup (dialog 200): the settings of this computer, edited in the main window's edit
// block and web copies at every click. A tab panel on the left chooses one page at a time on the
// right; value selectors on the pages open a one-column drop-down list. OK (IDOK) tells the main
// window to apply the copies, Cancel and Close (IDCANCEL) to refill them from the settings.

#include "app/LocalSetupEdit.h"
#include "controls/SkinButton.h"
#include "controls/SkinHelper.h"
#include "controls/SkinTextButton.h"
#include "platform/base/Rect.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"
#include "setupkit/ChildSlots.h"
#include "setupkit/SetupPopupRequest.h"
#include "setupkit/SetupSkin.h"

#include <array>

class CDropListPopupDlg;
class CGlobalPageDlg;
class CAutoSavePageDlg;
class CLocalSetupTabDlg;
class IShellDialogHost;

class CLocalSetupDlg : public CDialog, public CSkinHelper, public IChildSlots {
public:
    static constexpr UINT IDD = IDD_LOCAL_SETUP_DLG;
    static constexpr int kWidth = 618;
    static constexpr int kHeight = 546;
    static constexpr UINT kIdSet = 430;
    static constexpr UINT kIdClose = 435;
    // The pages, in tab order.
    enum Page { kGlobal = 0, kOpacity = 1, kAudioBuffer = 2, kAutoSave = 3, kPages = 4 };
    // The popup result that means "nothing chosen".
    static constexpr DWORD kNoChoice = 0xFFFFFFFF;
    // Caption colours of the frame's text buttons (also the pads' and the pages'): the setup pages' own.
    static constexpr const COLORREF (&kTextButtonColours)[4] = CSetupSkin::kPageButtonColours;

    CLocalSetupDlg(IShellDialogHost& host, LocalSetupEdit* edit, WebSetupEdit* web, BYTE alpha);
    ~CLocalSetupDlg() override;

    void ShowPage(int page);
    // Destroys every page but `keep` (-1: all) and the popup.
    void ClosePagesExcept(int keep);
    void ShowDropListPopup(CWnd* page, DWORD kind, const ListPopupRequest* request, int layout);
    void CloseDropListPopup();
    // A row chosen in the popup, for the page that opened it.
    void OnDropListResult(CWnd* page, DWORD kind, DWORD index);

    // A child's window is going: its slot is emptied (the child frees itself afterwards).
    void ChildWindowGone(CWnd* child) override;

    LocalSetupEdit* Edit() const { return m_pEdit; }
    WebSetupEdit* Web() const { return m_pWeb; }
    IShellDialogHost& Host() const { return m_host; }
    CLocalSetupTabDlg* TabPanel() const { return m_pTab; }
    CDialog* PageOf(int page) const;
    CDropListPopupDlg* Popup() const { return m_pPopup; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CSkinButton m_btnSet;
    CSkinTextButton m_btnOk;
    CSkinTextButton m_btnCancel;
    CSkinButton m_btnClose;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNcHitTest(CPoint point) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;

private:
    void ShowTabPanel();

    IShellDialogHost& m_host;
    CLocalSetupTabDlg* m_pTab = nullptr;
    std::array<CDialog*, kPages> m_pPages{};
    CDropListPopupDlg* m_pPopup = nullptr;
    LocalSetupEdit* m_pEdit;
    WebSetupEdit* m_pWeb;
    BYTE m_nAlpha;
    CBitmap m_bmBackground;
    CRect m_rcWindow{0, 0, kWidth, kHeight};
};
