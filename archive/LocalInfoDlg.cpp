#include "archive/LocalInfoDlg.h"

#include "archive/InfoText.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/ReportList.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"

namespace {

const DialogItem kItems[] = {
    {CLocalInfoDlg::kIdList, "SysListView32", 2, 2, 399, 413,
     WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL},
};
const DialogTemplate kTemplate{.id = CLocalInfoDlg::IDD,
                               .x = 197,
                               .y = 83,
                               .cx = 403,
                               .cy = 417,
                               .style = WS_CHILD,
                               .items = kItems,
                               .fontFace = "System",
                               .fontPointSize = 10};
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[2] = {130, 160};

} // namespace

CLocalInfoDlg::CLocalInfoDlg() : CLocalSearchPage(IDD, kLocalSlotInfo, IDB_PAGE_LISTS) {}

void CLocalInfoDlg::DoDataExchange(CDataExchange* pDX) {
    CLocalSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdList, m_list);
}

BOOL CLocalInfoDlg::OnInitDialog() {
    CLocalSearchPage::OnInitDialog();
    m_list.SetTextStyle(5, 0x783C3C, TRUE, 9, "Arial Bold");
    m_list.MoveWindow(2, 2, 399, 413);
    FillList();
    MoveWindow(197, 83, 403, 417);
    return TRUE;
}

void CLocalInfoDlg::FillList() {
    InitReportColumns(m_list, 2, kWidths);
    WORD version[4] = {};
    if (m_pFrame != nullptr) {
        Host().GetFileVersion(version);
    }
    const InfoRow row = VersionRow(version, [](UINT id) { return LoadResString(id); });
    AddReportText(m_list, 0, row[0]);
    AddReportText(m_list, 1, row[1]);
}
