#include "archive/RemoteLogDetailDlg.h"

#include "archive/RemoteLogStore.h"
#include "archive/RemoteLogText.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/ReportList.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

constexpr int kWidths[5] = {50, 150, 200, 70, 336};

const DialogItem kItems[] = {
    ReportListItem(CRemoteLogDetailDlg::kIdList, kReportListAboveButtons),
    ReportButtonItem(CRemoteLogDetailDlg::kIdPrev, 304, "Prev"),
};
const DialogTemplate kTemplate = ReportPageTemplate(CRemoteLogDetailDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

CString Text(UINT id) {
    return LoadResString(id);
}

} // namespace

CRemoteLogDetailDlg::CRemoteLogDetailDlg(int source, int entry, int kind)
    : CReportPage(IDD, kSlotLogDetail, kIdList, kReportListAboveButtons, 5), m_nSource(source), m_nEntry(entry),
      m_nKind(kind) {}

void CRemoteLogDetailDlg::DoDataExchange(CDataExchange* pDX) {
    CReportPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPrev, m_btnPrev);
}

void CRemoteLogDetailDlg::FillPage() {
    SetUpTextButton(m_btnPrev, IDB_PAGE_BUTTONS, IDS_PREV, 304, 396, 97, 22);
    m_btnPrev.Enable(TRUE);
    FillList();
}

void CRemoteLogDetailDlg::FillList() {
    InitReportColumns(m_list, 5, kWidths);
    if (m_pFrame == nullptr) {
        return;
    }
    const std::vector<RemoteLogEntry>& table = CRemoteLogStore::Instance().Table(m_pFrame->GetSafeHwnd());
    if (m_nEntry < 0 || std::size_t(m_nEntry) >= table.size()) {
        return;
    }
    for (const LogRow& row : FormatRemoteLogDetail(table[std::size_t(m_nEntry)], m_nKind, Host().DateFormat(), Text)) {
        AddReportRow(m_list, row);
    }
}

BOOL CRemoteLogDetailDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdPrev) {
        OnPrev();
        return TRUE;
    }
    return CReportPage::OnCommand(wParam, lParam);
}

void CRemoteLogDetailDlg::OnPrev() {
    if (m_pFrame == nullptr) {
        return;
    }
    if (m_nSource == 1) {
        m_pFrame->ShowOperationLogDlg();
    } else {
        // The All page went when this page came: the log is asked for again.
        m_pFrame->RequestLogInfo();
    }
}
