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
    {CRemoteLogDetailDlg::kIdList, "SysListView32", 2, 2, 399, 389,
     WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL},
    {CRemoteLogDetailDlg::kIdPrev, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Prev"},
};
const DialogTemplate kTemplate{.id = CRemoteLogDetailDlg::IDD,
                               .x = 197,
                               .y = 83,
                               .cx = 403,
                               .cy = 417,
                               .style = WS_CHILD,
                               .items = kItems,
                               .fontFace = "System",
                               .fontPointSize = 10};
const DialogTemplateRegistration kRegistered(kTemplate);

CString Text(UINT id) {
    return LoadResString(id);
}

} // namespace

CRemoteLogDetailDlg::CRemoteLogDetailDlg(int source, int entry, int kind)
    : CSearchPage(IDD, kSlotLogDetail, IDB_PAGE_LISTS), m_nSource(source), m_nEntry(entry), m_nKind(kind) {}

void CRemoteLogDetailDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdList, m_list);
    DDX_Control(pDX, kIdPrev, m_btnPrev);
}

BOOL CRemoteLogDetailDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    m_list.MoveWindow(2, 2, 399, 389);
    m_list.SetTextStyle(5, 0x783C3C, TRUE, 9, "Arial Bold");
    SetUpTextButton(m_btnPrev, IDB_PAGE_BUTTONS, IDS_PREV, 304, 396, 97, 22);
    m_btnPrev.Enable(TRUE);
    FillList();
    MoveWindow(197, 83, 403, 417);
    return TRUE;
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
        for (int c = 0; c < 5; ++c) {
            AddReportText(m_list, c, row[std::size_t(c)]);
        }
    }
}

BOOL CRemoteLogDetailDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdPrev) {
        OnPrev();
        return TRUE;
    }
    return CSearchPage::OnCommand(wParam, lParam);
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
