#include "archive/RemoteSystemInfoDlg.h"

#include "archive/RemoteSearchDlg.h"
#include "archive/ReportList.h"
#include "platform/window/DataExchange.h"
#include "protocol/DvrClient.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"

#include <cstring>
#include <string_view>

namespace {

const DialogItem kItems[] = {
    {CRemoteSystemInfoDlg::kIdList, "SysListView32", 2, 2, 399, 413,
     WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL},
};
const DialogTemplate kTemplate{.id = CRemoteSystemInfoDlg::IDD,
                               .x = 197,
                               .y = 83,
                               .cx = 403,
                               .cy = 417,
                               .style = WS_CHILD,
                               .items = kItems,
                               .fontFace = "System",
                               .fontPointSize = 10};
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[3] = {130, 140, 120};

} // namespace

CRemoteSystemInfoDlg::CRemoteSystemInfoDlg() : CSearchPage(IDD, kSlotSystemInfo, IDB_PAGE_LISTS) {}

void CRemoteSystemInfoDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdList, m_list);
}

BOOL CRemoteSystemInfoDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    m_list.SetTextStyle(3, 0x783C3C, TRUE, 9, "Arial Bold");
    m_list.MoveWindow(2, 2, 399, 413);
    FillList();
    MoveWindow(197, 83, 403, 417);
    return TRUE;
}

void CRemoteSystemInfoDlg::FillList() {
    InitReportColumns(m_list, 3, kWidths);
    CDvrClient* client = Client();
    if (client == nullptr) {
        return;
    }
    SystemInfoSource source;
    source.address =
        CString(std::string_view(client->m_szAddress, strnlen(client->m_szAddress, sizeof client->m_szAddress)));
    source.port = client->m_nPort;
    source.connectionText = Host().ConnectionText();
    source.hello = &client->m_hello;
    for (const InfoRow& row : SystemInfoRows(source, [](UINT id) { return LoadResString(id); })) {
        for (int c = 0; c < 3; ++c) {
            if (c == 0 || !row[std::size_t(c)].IsEmpty()) {
                AddReportText(m_list, c, row[std::size_t(c)]);
            }
        }
    }
}
