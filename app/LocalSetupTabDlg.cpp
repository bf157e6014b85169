#include "app/LocalSetupTabDlg.h"

#include "app/LocalSetupDlg.h"
#include "app/ShellDialogHost.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setupkit/SetupSkin.h"

namespace {

constexpr RECT kTabRects[CLocalSetupTabDlg::kTabs] = {
    {2, 1, 172, 36}, {2, 41, 172, 76}, {2, 81, 172, 116}, {2, 121, 172, 156}};
constexpr UINT kTabTexts[CLocalSetupTabDlg::kTabs] = {IDS_GENERAL, IDS_OPACITY, IDS_AUDIO_BUFFER, IDS_AUTO_SAVE};
constexpr int kCaptionOffset = 0x22;

const DialogItem kItems[] = {
    {450, "BUTTON", 2, 1, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {451, "BUTTON", 2, 41, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {452, "BUTTON", 2, 81, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
    {453, "BUTTON", 2, 121, 170, 35, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CLocalSetupTabDlg::IDD, .x = 14, .y = 74, .cx = 174, .cy = 430, .style = WS_CHILD, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CLocalSetupTabDlg::CLocalSetupTabDlg() : CLocalSetupChildDlg(IDD) {}

void CLocalSetupTabDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int t = 0; t < kTabs; ++t) {
        DDX_Control(pDX, int(kIdFirstTab) + t, m_tab[std::size_t(t)]);
    }
}

int CLocalSetupTabDlg::PlaySource() const {
    return m_pFrame != nullptr ? m_pFrame->Host().PlaySource() : 0;
}

BOOL CLocalSetupTabDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    LoadBackground(IDB_FRAME_MENU_TAB_PANEL, CRect(0, 0, 174, 430));
    for (int t = 0; t < kTabs; ++t) {
        CSetupSkin::SetUpTextButton(m_tab[std::size_t(t)], IDB_LOCAL_SETUP_FRAME_TABS, kTabRects[t],
                                    LoadResString(kTabTexts[t]), CSetupSkin::kMenuButtonColours, kCaptionOffset, FALSE);
    }
    const int source = PlaySource();
    if (source != 0) {
        m_tab[CLocalSetupDlg::kAudioBuffer].Enable(FALSE);
    }
    m_tab[CLocalSetupDlg::kAutoSave].Show(TRUE);
    m_tab[CLocalSetupDlg::kAutoSave].Enable(source != 1 ? TRUE : FALSE);
    OnTab(CLocalSetupDlg::kGlobal);
    return TRUE;
}

void CLocalSetupTabDlg::OnTab(int tab) {
    if (tab < 0 || tab >= kTabs || m_pFrame == nullptr) {
        return;
    }
    const int source = PlaySource();
    // Audio buffers are changed only while nothing plays; web snapshots not during live view.
    if ((tab == CLocalSetupDlg::kAudioBuffer && source != 0) || (tab == CLocalSetupDlg::kAutoSave && source == 1)) {
        return;
    }
    for (CSkinTextButton& button : m_tab) {
        button.SetState(kButtonNormal);
    }
    m_tab[std::size_t(tab)].SetState(kButtonOn);
    m_pFrame->ShowPage(tab);
}

BOOL CLocalSetupTabDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int tab = int(LOWORD(wParam)) - int(kIdFirstTab);
    if (HIWORD(wParam) == BN_CLICKED && tab >= 0 && tab < kTabs) {
        OnTab(tab);
        return TRUE;
    }
    return CLocalSetupChildDlg::OnCommand(wParam, lParam);
}
