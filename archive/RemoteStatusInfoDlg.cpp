#include "archive/RemoteStatusInfoDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "archive/ReportList.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"

namespace {

const DialogItem kItems[] = {
    {CRemoteStatusInfoDlg::kIdList, "SysListView32", 2, 2, 399, 413,
     WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL},
};
const DialogTemplate kTemplate{.id = CRemoteStatusInfoDlg::IDD,
                               .x = 197,
                               .y = 83,
                               .cx = 403,
                               .cy = 417,
                               .style = WS_CHILD,
                               .items = kItems,
                               .fontFace = "System",
                               .fontPointSize = 10};
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[2] = {130, 170};

} // namespace

CRemoteStatusInfoDlg::CRemoteStatusInfoDlg() : CSearchPage(IDD, kSlotStatusInfo, IDB_PAGE_LISTS) {}

void CRemoteStatusInfoDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdList, m_list);
}

BOOL CRemoteStatusInfoDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    m_list.SetTextStyle(2, 0x783C3C, TRUE, 9, "Arial Bold");
    m_list.MoveWindow(2, 2, 399, 413);
    if (m_pFrame != nullptr) {
        m_record = ParseStatusInfo(m_pFrame->ReplyBytes());
        m_pFrame->ClearReply();
    }
    FillList();
    MoveWindow(197, 83, 403, 417);
    return TRUE;
}

void CRemoteStatusInfoDlg::FillList() {
    InitReportColumns(m_list, 2, kWidths);
    const int channels = m_pFrame != nullptr ? m_pFrame->ChannelCount() : 16;
    const std::vector<InfoRow> rows = StatusInfoRows(m_record, channels, [](UINT id) { return LoadResString(id); });
    for (std::size_t r = 0; r < rows.size(); ++r) {
        AddReportText(m_list, 0, rows[r][0]);
        // The blank row between the capacities and the channels has no second column.
        if (r != 3) {
            AddReportText(m_list, 1, rows[r][1]);
        }
    }
}
