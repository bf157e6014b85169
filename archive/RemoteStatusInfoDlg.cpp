#include "archive/RemoteStatusInfoDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "archive/ReportList.h"
#include "res/ResStrings.h"

namespace {

const DialogItem kItems[] = {ReportListItem(CRemoteStatusInfoDlg::kIdList, kReportListFullHeight)};
const DialogTemplate kTemplate = ReportPageTemplate(CRemoteStatusInfoDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[2] = {130, 170};

} // namespace

CRemoteStatusInfoDlg::CRemoteStatusInfoDlg() : CReportPage(IDD, kSlotStatusInfo, kIdList, kReportListFullHeight, 2) {}

void CRemoteStatusInfoDlg::FillPage() {
    if (m_pFrame != nullptr) {
        m_record = ParseStatusInfo(m_pFrame->ReplyBytes());
        m_pFrame->ClearReply();
    }
    FillList();
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
