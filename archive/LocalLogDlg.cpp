#include "archive/LocalLogDlg.h"

#include "archive/LocalLogImage.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/ReportList.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

const DialogItem kItems[] = {
    {CLocalLogDlg::kIdList, "SysListView32", 2, 2, 399, 389,
     WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL},
    {CLocalLogDlg::kIdPrint, "BUTTON", 2, 396, 97, 22, WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, "Print"},
};
const DialogTemplate kTemplate{.id = CLocalLogDlg::IDD,
                               .x = 197,
                               .y = 83,
                               .cx = 403,
                               .cy = 417,
                               .style = WS_CHILD,
                               .items = kItems,
                               .fontFace = "System",
                               .fontPointSize = 10};
const DialogTemplateRegistration kRegistered(kTemplate);

constexpr int kWidths[5] = {40, 144, 120, 70, 160};
constexpr COLORREF kColours[4] = {0xFFFFFF, 0xF1EB62, 0xF1EB62, 0xBEB9B3};

CString Text(UINT id) {
    return LoadResString(id);
}

// Newest first; the printed number is the record's own slot number.
LogRow LocalRow(const std::vector<LocalLogRecord>& records, int row, int dateFormat) {
    const LocalLogRecord& record = records[records.size() - 1 - std::size_t(row)];
    return FormatLocalLogRow(record, int(record.slot), dateFormat, Text);
}

} // namespace

CLocalLogDlg::CLocalLogDlg() : CLocalSearchPage(IDD, kLocalSlotLog, IDB_PAGE_LISTS) {}

void CLocalLogDlg::DoDataExchange(CDataExchange* pDX) {
    CLocalSearchPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdList, m_list);
    DDX_Control(pDX, kIdPrint, m_btnPrint);
}

BOOL CLocalLogDlg::OnInitDialog() {
    CLocalSearchPage::OnInitDialog();
    m_list.SetTextStyle(5, 0x783C3C, TRUE, 9, "Arial Bold");
    m_list.MoveWindow(2, 2, 399, 389);
    LoadRecords();
    m_btnPrint.LoadBitmap(IDB_PAGE_BUTTONS);
    for (int i = 0; i < 4; ++i) {
        m_btnPrint.m_clrText[i] = kColours[i];
    }
    m_btnPrint.SetFont(9, 0, 700, "Arial Bold");
    m_btnPrint.SetCaption(0, LoadResString(IDS_PRINT), TRUE);
    m_btnPrint.MoveWindow(2, 396, 97, 22);
    FormatEntries();
    MoveWindow(197, 83, 403, 417);
    return TRUE;
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
        const LogRow row = FormatLocalLogRow(records[std::size_t(i)], i + 1, dateFormat, Text);
        for (int c = 0; c < 5; ++c) {
            AddReportText(m_list, c, row[std::size_t(c)]);
        }
    }
}

BOOL CLocalLogDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == kIdPrint) {
        OnPrint();
        return TRUE;
    }
    return CLocalSearchPage::OnCommand(wParam, lParam);
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
