#include "archive/RemoteSystemInfoDlg.h"

#include "archive/InfoText.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/ReportList.h"
#include "protocol/DvrClient.h"
#include "res/ResStrings.h"

namespace {

const DialogItem kItems[] = {ReportListItem(CRemoteSystemInfoDlg::kIdList, kReportListFullHeight)};
const DialogTemplate kTemplate = ReportPageTemplate(CRemoteSystemInfoDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[3] = {130, 140, 120};

} // namespace

CRemoteSystemInfoDlg::CRemoteSystemInfoDlg() : CReportPage(IDD, kSlotSystemInfo, kIdList, kReportListFullHeight, 3) {}

void CRemoteSystemInfoDlg::FillPage() {
    InitReportColumns(m_list, 3, kWidths);
    CDvrClient* client = Client();
    if (client == nullptr) {
        return;
    }
    SystemInfoSource source;
    const HelloInfo hello = client->Login().GetHello();
    source.address = CString(client->Login().GetAddress().c_str());
    source.port = client->Login().GetPort();
    source.connectionText = Host().ConnectionText();
    source.hello = &hello;
    for (const InfoRow& row : SystemInfoRows(source, [](UINT id) { return LoadResString(id); })) {
        for (int c = 0; c < 3; ++c) {
            if (c == 0 || !row[std::size_t(c)].IsEmpty()) {
                AddReportText(m_list, c, row[std::size_t(c)]);
            }
        }
    }
}
