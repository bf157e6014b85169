#include "archive/LocalLogDlg.h"

#include "archive/LocalLogImage.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/PageStyle.h"
#include "archive/ReportList.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

const DialogItem kItems[] = {
    ReportListItem(CLocalLogDlg::kIdList, kReportListAboveButtons),
    ReportButtonItem(CLocalLogDlg::kIdPrint, 2, "Print"),
};
const DialogTemplate kTemplate = ReportPageTemplate(CLocalLogDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[5] = {40, 144, 120, 70, 160};

CString Text(UINT id) {
    return LoadResString(id);
}

// Newest first; the printed number is the record's own slot number.
LogRow LocalRow(const std::vector<LocalLogRecord>& records, int row, int dateFormat) {
    const LocalLogRecord& record = records[records.size() - 1 - std::size_t(row)];
    return FormatLocalLogRow(record, int(record.slot), dateFormat, Text);
}

} // namespace

CLocalLogDlg::CLocalLogDlg() : CReportPage(IDD, kLocalSlotLog, kIdList, kReportListAboveButtons, 5) {}

void CLocalLogDlg::DoDataExchange(CDataExchange* pDX) {
    CReportPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPrint, m_btnPrint);
}

void CLocalLogDlg::FillPage() {
    LoadRecords();
    SetUpTextButton(m_btnPrint, IDB_PAGE_BUTTONS, IDS_PRINT, 2, 396, 97, 22);
    FormatEntries();
}

void CLocalLogDlg::LoadRecords() {
    if (m_pFrame == nullptr) {
        return;
    }
    // The image is used up: a later build without a fresh read shows an empty list.
    m_pFrame->LogRecords() = LoadLocalLogImage(m_pFrame->TakeLogImage());
}

void CLocalLogDlg::FormatEntries() {
    InitReportColumns(m_list, 5, kWidths);
    if (m_pFrame == nullptr) {
        return;
    }
    const std::vector<LocalLogRecord>& records = m_pFrame->LogRecords();
    const int dateFormat = Host().DateFormat();
    for (int i = int(records.size()) - 1; i >= 0; --i) {
        AddReportRow(m_list, FormatLocalLogRow(records[std::size_t(i)], i + 1, dateFormat, Text));
    }
}

BOOL CLocalLogDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdPrint) {
        OnPrint();
        return TRUE;
    }
    return CReportPage::OnCommand(wParam, lParam);
}

void CLocalLogDlg::OnPrint() {
    if (m_pFrame == nullptr) {
        return;
    }
    const std::vector<LocalLogRecord>& records = m_pFrame->LogRecords();
    const int count = int(records.size());
    const int dateFormat = Host().DateFormat();
    const PrintOutcome outcome =
        CLogPrinter::PrintList(Host().NoPrinterFolder(), kLocalLogPrintLayout, "Local Log", Text(IDS_LOCAL_LOG), count,
                               [&](int row) { return LocalRow(records, row, dateFormat); });
    Host().ShowTextBox(this, CLogPrinter::OutcomeLines(outcome, Text));
}

int CLocalLogDlg::PrintTo(ILogPrintDevice& device) {
    if (m_pFrame == nullptr) {
        return 0;
    }
    const std::vector<LocalLogRecord>& records = m_pFrame->LogRecords();
    const int count = int(records.size());
    const int dateFormat = Host().DateFormat();
    return CLogPrinter::Print(device, kLocalLogPrintLayout, "Local Log", Text(IDS_LOCAL_LOG), count,
                              [&](int row) { return LocalRow(records, row, dateFormat); });
}
