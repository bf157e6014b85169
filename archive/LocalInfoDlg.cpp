#include "archive/LocalInfoDlg.h"

#include "archive/InfoText.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/ReportList.h"
#include "res/ResStrings.h"

namespace {

const DialogItem kItems[] = {ReportListItem(CLocalInfoDlg::kIdList, kReportListFullHeight)};
const DialogTemplate kTemplate = ReportPageTemplate(CLocalInfoDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[2] = {130, 160};

} // namespace

CLocalInfoDlg::CLocalInfoDlg() : CReportPage(IDD, kLocalSlotInfo, kIdList, kReportListFullHeight, 5) {}

void CLocalInfoDlg::FillPage() {
    InitReportColumns(m_list, 2, kWidths);
    WORD version[4] = {};
    if (m_pFrame != nullptr) {
        Host().GetFileVersion(version);
    }
    const InfoRow row = VersionRow(version, [](UINT id) { return LoadResString(id); });
    AddReportText(m_list, 0, row[0]);
    AddReportText(m_list, 1, row[1]);
}
