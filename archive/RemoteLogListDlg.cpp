#include "archive/RemoteLogListDlg.h"

#include "archive/RemoteLogDetailDlg.h"
#include "archive/RemoteLogStore.h"
#include "archive/RemoteLogText.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/ReportList.h"
#include "platform/window/DataExchange.h"
#include "protocol/DvrClient.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

namespace {

constexpr UINT kPlayOnReq = 51;
constexpr int kWidths[5] = {50, 150, 120, 70, 336};

// The pages' templates: the list and the buttons each page has.
const DialogItem kItemsAll[] = {
    ReportListItem(CRemoteLogListDlg::kIdList, kReportListAboveButtons),
    ReportButtonItem(CRemoteLogListDlg::kIdPrint, 2, "Print"),
    ReportButtonItem(CRemoteLogListDlg::kIdDetails, 205, "Details"),
    ReportButtonItem(CRemoteLogListDlg::kIdPlay, 304, "Play"),
};
const DialogItem kItemsTwo[] = {
    ReportListItem(CRemoteLogListDlg::kIdList, kReportListAboveButtons),
    ReportButtonItem(CRemoteLogListDlg::kIdPrint, 2, "Print"),
    ReportButtonItem(CRemoteLogListDlg::kIdPlay, 304, ""),
};
const DialogItem kItemsOne[] = {
    ReportListItem(CRemoteLogListDlg::kIdList, kReportListAboveButtons),
    ReportButtonItem(CRemoteLogListDlg::kIdPrint, 2, "Print"),
};

const DialogTemplate kTemplates[] = {
    ReportPageTemplate(232, kItemsAll), ReportPageTemplate(233, kItemsTwo), ReportPageTemplate(234, kItemsTwo),
    ReportPageTemplate(235, kItemsOne), ReportPageTemplate(236, kItemsOne), ReportPageTemplate(237, kItemsOne),
};
const DialogTemplateRegistration kRegistered[] = {
    DialogTemplateRegistration(kTemplates[0]), DialogTemplateRegistration(kTemplates[1]),
    DialogTemplateRegistration(kTemplates[2]), DialogTemplateRegistration(kTemplates[3]),
    DialogTemplateRegistration(kTemplates[4]), DialogTemplateRegistration(kTemplates[5]),
};

CString Text(UINT id) {
    return LoadResString(id);
}

} // namespace

CRemoteLogListDlg::CRemoteLogListDlg(const RemoteLogPageConfig& config)
    : CReportPage(config.idd, config.slot, kIdList, kReportListAboveButtons, 5), m_config(config) {}

void CRemoteLogListDlg::DoDataExchange(CDataExchange* pDX) {
    CReportPage::DoDataExchange(pDX);
    DDX_Control(pDX, kIdPrint, m_btnPrint);
    if (m_config.detailsId != 0) {
        DDX_Control(pDX, m_config.detailsId, m_btnDetails);
    }
    if (m_config.playId != 0) {
        DDX_Control(pDX, m_config.playId, m_btnPlay);
    }
}

void CRemoteLogListDlg::FillPage() {
    InitButtons();
    LoadEntries();
    FillList();
}

void CRemoteLogListDlg::InitButtons() {
    SetUpTextButton(m_btnPrint, IDB_PAGE_BUTTONS, IDS_PRINT, 2, 396, 97, 22);
    if (m_config.detailsId != 0) {
        const int x = m_config.detailsId == kIdDetails ? 205 : 304;
        SetUpTextButton(m_btnDetails, IDB_PAGE_BUTTONS, IDS_DETAILS, x, 396, 97, 22);
        m_btnDetails.Enable(FALSE);
    }
    if (m_config.playId != 0) {
        SetUpTextButton(m_btnPlay, IDB_PAGE_BUTTONS, IDS_PLAY_BUTTON, 304, 396, 97, 22);
        m_btnPlay.Enable(FALSE);
    }
}

std::vector<RemoteLogEntry>& CRemoteLogListDlg::Table() {
    return CRemoteLogStore::Instance().Table(m_pFrame != nullptr ? m_pFrame->GetSafeHwnd() : nullptr);
}

void CRemoteLogListDlg::LoadEntries() {
    if (m_pFrame == nullptr) {
        return;
    }
    std::vector<RemoteLogEntry>& table = Table();
    CDvrClient* client = Client();
    CRemoteLogStore& store = CRemoteLogStore::Instance();
    if (m_config.reloadsFromCache) {
        if (client != nullptr) {
            table = store.Cache(client);
        }
        return;
    }
    if (m_config.kind >= 0) {
        return;
    }
    table.clear();
    if (client != nullptr && Host().Resume().record.active != 0) {
        table = store.Cache(client);
    } else if (!m_pFrame->ReplyBytes().empty()) {
        table = LoadRemoteLogReply(m_pFrame->ReplyBytes());
        if (client != nullptr) {
            store.Cache(client) = table;
        }
    }
    m_pFrame->ClearReply();
}

void CRemoteLogListDlg::FillList() {
    InitReportColumns(m_list, 5, kWidths);
    m_rows.clear();
    const std::vector<RemoteLogEntry>& table = Table();
    for (int i = int(table.size()) - 1; i >= 0; --i) {
        if (m_config.kind >= 0 && (table[std::size_t(i)].index_main & (1u << m_config.kind)) == 0) {
            continue;
        }
        m_rows.push_back(i);
        AddReportRow(m_list, RowTexts(int(m_rows.size()) - 1));
    }
}

LogRow CRemoteLogListDlg::RowTexts(int row) {
    const std::vector<RemoteLogEntry>& table = Table();
    const int index = row >= 0 && std::size_t(row) < m_rows.size() ? m_rows[std::size_t(row)] : -1;
    if (index < 0 || std::size_t(index) >= table.size()) {
        return {};
    }
    return FormatRemoteLogRow(table[std::size_t(index)], m_config.kind, Host().DateFormat(), Text);
}

BOOL CRemoteLogListDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        const UINT id = LOWORD(wParam);
        if (id == kIdPrint) {
            OnPrint();
            return TRUE;
        }
        if (m_config.detailsId != 0 && id == m_config.detailsId) {
            OnDetails();
            return TRUE;
        }
        if (m_config.playId != 0 && id == m_config.playId) {
            OnPlay();
            return TRUE;
        }
    }
    return CReportPage::OnCommand(wParam, lParam);
}

BOOL CRemoteLogListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == kIdList && header->code == LVN_ITEMCHANGED) {
        if (pResult != nullptr) {
            *pResult = 0;
        }
        OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return TRUE;
    }
    return CReportPage::OnNotify(wParam, lParam, pResult);
}

void CRemoteLogListDlg::OnItemChanged(const NMLISTVIEW& change) {
    if (change.uChanged != LVIF_STATE || change.uNewState != (LVIS_SELECTED | LVIS_FOCUSED)) {
        return;
    }
    const std::vector<RemoteLogEntry>& table = Table();
    if (change.iItem < 0 || std::size_t(change.iItem) >= m_rows.size()) {
        return;
    }
    const int index = m_rows[std::size_t(change.iItem)];
    if (std::size_t(index) >= table.size()) {
        return;
    }
    m_nSelected = index;
    const RemoteLogEntry& entry = table[std::size_t(index)];
    if (m_config.detailsId != 0) {
        const int detail = DetailKindOf(entry);
        if (detail >= 0) {
            m_nDetailKind = detail;
        }
        m_btnDetails.Enable(detail >= 0 ? TRUE : FALSE);
    }
    if (m_config.playId != 0) {
        const bool playable = IsPlayableEvent(entry) && !Host().HasLocalPlayer();
        m_btnPlay.Enable(playable ? TRUE : FALSE);
    }
}

void CRemoteLogListDlg::OnPlay() {
    if (m_pFrame == nullptr) {
        return;
    }
    const std::vector<RemoteLogEntry>& table = Table();
    if (m_nSelected >= 0 && std::size_t(m_nSelected) < table.size()) {
        const RemoteLogEntry& entry = table[std::size_t(m_nSelected)];
        const RecTimeRange range = MakeTimeRange(entry.value, 0, entry.time, 0);
        m_pFrame->SendRequest(kPlayOnReq, &range, sizeof range);
        if (Client() != nullptr) {
            ResumeRecord& record = Host().Resume().record;
            record = ResumeRecord{};
            record.active = 1;
            record.source = 1;
            record.log_page = BYTE(m_config.resumeLogPage);
            record.time = entry.time;
        }
    }
    m_pFrame->CloseAfterAction(0);
}

void CRemoteLogListDlg::OnDetails() {
    if (m_pFrame == nullptr || m_nSelected < 0) {
        return;
    }
    const int source = m_config.kind < 0 ? 0 : 1;
    const int entry = m_nSelected;
    const int kind = m_nDetailKind;
    // The frame destroys this page when it shows the detail page.
    m_pFrame->ShowContentPage(kSlotLogDetail,
                              [=] { return std::make_unique<CRemoteLogDetailDlg>(source, entry, kind); });
}

void CRemoteLogListDlg::OnPrint() {
    if (m_pFrame == nullptr) {
        return;
    }
    const PrintOutcome outcome =
        CLogPrinter::PrintList(Host().NoPrinterFolder(), kRemoteLogPrintLayout, m_config.docName, Text(m_config.title),
                               int(m_rows.size()), [this](int row) { return RowTexts(row); });
    Host().ShowTextBox(this, CLogPrinter::OutcomeLines(outcome, Text));
}

int CRemoteLogListDlg::PrintTo(ILogPrintDevice& device) {
    return CLogPrinter::Print(device, kRemoteLogPrintLayout, m_config.docName, Text(m_config.title), int(m_rows.size()),
                              [this](int row) { return RowTexts(row); });
}
