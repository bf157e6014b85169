#include "archive/BackupEventListDlg.h"

#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

namespace {

constexpr UINT kIdCalculate = 480;
constexpr UINT kIdBackup = 482;
constexpr UINT kIdSize = 790;

const DialogItem kItems[] = {
    {470, "BUTTON", 2, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {471, "BUTTON", 135, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {472, "BUTTON", 268, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {914, "SysListView32", 2, 26, 399, 366,
     WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {kIdCalculate, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
    {kIdBackup, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
    {kIdSize, "STATIC", 103, 400, 97, 14, WS_VISIBLE},
};
const DialogTemplate kTemplate = ContentPageTemplate(CBackupEventListDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

CBackupEventListDlg::CBackupEventListDlg() : CEventListDlg(IDD, kSlotBackupEventList, IDB_PAGE_BACKUP_EVENT_LIST) {}

void CBackupEventListDlg::DoDataExchange(CDataExchange* pDX) {
    CEventListDlg::DoDataExchange(pDX);
    DDX_Control(pDX, kIdCalculate, m_btnCalculate);
    DDX_Control(pDX, kIdSize, m_lblSize);
}

void CBackupEventListDlg::LayoutActions() {
    SetUpTextButton(m_btnCalculate, IDB_PAGE_BUTTONS, IDS_CALCULATE, 2, 396, 97, 22);
    SetUpTextButton(m_btnPlay, IDB_PAGE_BUTTONS, IDS_BACKUP_BUTTON, 304, 396, 97, 22);
    SetUpField(m_lblSize, 103, 400, 97, 14, false);
    m_lblSize.SetText("");
    m_btnCalculate.Enable(FALSE);
    m_btnPlay.Enable(FALSE);
}

void CBackupEventListDlg::ListRebuilt() {
    m_btnCalculate.Enable(FALSE);
    m_btnPlay.Enable(FALSE);
}

void CBackupEventListDlg::OnItemChanged(const NMLISTVIEW& change) {
    if (FrameBusy()) {
        return;
    }
    if (change.uChanged == LVIF_STATE && change.uNewState == (LVIS_SELECTED | LVIS_FOCUSED)) {
        m_nSelected = change.iItem;
        m_lblSize.SetText("");
        m_btnCalculate.Enable(TRUE);
        m_btnPlay.Enable(FALSE);
    }
}

void CBackupEventListDlg::OnCalculate() {
    const EventItem* event = SelectedEvent();
    if (event == nullptr) {
        return;
    }
    const RecTimeRange range =
        MakeTimeRange(m_pFrame->GetChannelMask(), BYTE(1u << m_nFilter), event->start, event->end);
    m_action.RequestSize(*m_pFrame, range);
    m_btnCalculate.Enable(FALSE);
}

void CBackupEventListDlg::OnBackupSize(DWORD kbytes) {
    const BackupSizeDecision d = m_action.TakeSize(*m_pFrame, kbytes);
    m_lblSize.SetText(d.text);
    m_btnCalculate.Enable(d.calculate ? TRUE : FALSE);
    m_btnPlay.Enable(d.backup ? TRUE : FALSE);
}

void CBackupEventListDlg::OnBackup() {
    const EventItem* event = SelectedEvent();
    if (event != nullptr &&
        !m_action.Start(*m_pFrame, MakeTimeRange(m_pFrame->GetChannelMask(), 0, event->start, event->end))) {
        return; // an event that Calculate did not size stays on the page
    }
    m_pFrame->CloseAfterAction(0);
}

BOOL CBackupEventListDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdCalculate) {
        OnCalculate();
        return TRUE;
    }
    return CEventListDlg::OnCommand(wParam, lParam);
}
