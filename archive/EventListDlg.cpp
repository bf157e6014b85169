#include "archive/EventListDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/window/DataExchange.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "res/ResStrings.h"

#include <cstring>

namespace {

constexpr UINT kIdFilter[3] = {470, 471, 472};
constexpr UINT kIdPlay = 482;
const COLORREF kFilterColours[4] = {0xFFFFFF, 0x0DB861, 0x0DB861, 0xB2AEAB};
constexpr int kColumns[3] = {180, 180, 334};

const DialogItem kItems[] = {
    {kIdFilter[0], "BUTTON", 2, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {kIdFilter[1], "BUTTON", 135, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {kIdFilter[2], "BUTTON", 268, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {CEventListDlg::kIdList, "SysListView32", 2, 26, 399, 366,
     WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {kIdPlay, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CEventListDlg::IDD, .x = 197, .y = 83, .cx = 403, .cy = 417, .style = WS_CHILD, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

int FilterIndex(DWORD filter) {
    return filter == kEventMotion ? 1 : (filter == kEventAudio ? 2 : 0);
}

} // namespace

CEventListDlg::CEventListDlg() : CEventListDlg(IDD, kSlotEventList, 1751) {}

CEventListDlg::CEventListDlg(UINT idd, int slot, UINT background) : CSearchPage(idd, slot, background) {}

void CEventListDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    for (int i = 0; i < 3; ++i) {
        DDX_Control(pDX, int(kIdFilter[i]), m_btnFilter[i]);
    }
    DDX_Control(pDX, kIdList, m_list);
    DDX_Control(pDX, kIdPlay, m_btnPlay);
}

BOOL CEventListDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    m_table.LoadSegments(m_pFrame->DayRecords());
    CDvrClient* client = Client();
    m_bOpenEnd = client != nullptr && client->m_bVersion11.load() != 0 ? 1 : 0;
    static const UINT kStrips[3] = {2252, 2253, 2254};
    static const UINT kTexts[3] = {5130, 5131, 5030};
    for (int i = 0; i < 3; ++i) {
        SetUpTextButton(m_btnFilter[i], kStrips[i], kTexts[i], 2 + 133 * i, 0, 133, 24, kFilterColours);
    }
    m_list.SetTextStyle(3, 0x783C3C, TRUE, 9, "Arial Bold");
    m_list.MoveWindow(2, 26, 399, 366);
    LayoutActions();
    ApplyFilter(FirstFilter());
    return TRUE;
}

void CEventListDlg::LayoutActions() {
    SetUpTextButton(m_btnPlay, 2258, 5563, 304, 396, 97, 22);
}

DWORD CEventListDlg::FirstFilter() {
    const ArchiveResume& resume = Host().Resume();
    if (Client() != nullptr && resume.record.active != 0) {
        static const DWORD kFilters[3] = {kEventAlarm, kEventMotion, kEventAudio};
        return resume.record.event_filter < 3 ? kFilters[resume.record.event_filter] : kEventAlarm;
    }
    return m_table.FirstFilter();
}

void CEventListDlg::OnFilter(DWORD filter) {
    if (FrameBusy()) {
        return;
    }
    ApplyFilter(filter);
}

void CEventListDlg::ApplyFilter(DWORD filter) {
    m_nFilter = filter;
    for (int i = 0; i < 3; ++i) {
        m_btnFilter[i].SetState(0);
    }
    m_btnFilter[FilterIndex(filter)].SetState(1);
    FillList();
}

void CEventListDlg::InitListColumns(int count, const int* widths) {
    for (int i = 0; i < 5; ++i) {
        m_list.DeleteColumn(0);
    }
    m_list.DeleteAllItems();
    m_list.ModifyStyle(0, LVS_SINGLESEL | LVS_SHOWSELALWAYS);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
    for (int i = 0; i < count && i < 5; ++i) {
        m_list.InsertColumn(i, "", LVCFMT_LEFT, widths[i], i);
    }
}

void CEventListDlg::AddListText(int subItem, LPCSTR text) {
    char buffer[128] = {};
    std::strncpy(buffer, text, sizeof buffer - 1);
    if (subItem == 0) {
        m_list.InsertItem(m_list.GetItemCount(), buffer);
    } else {
        m_list.SetItemText(m_list.GetItemCount() - 1, subItem, buffer);
    }
}

void CEventListDlg::ListRebuilt() {
    m_btnPlay.Enable(FALSE);
}

void CEventListDlg::FillList() {
    InitListColumns(3, kColumns);
    m_nSelected = -1;
    ListRebuilt();
    const int format = Host().DateFormat();
    for (const EventItem& item : m_table.Items()) {
        if (item.type != m_nFilter) {
            continue;
        }
        AddListText(0, FormatRecordTime(LONGLONG(LONG(item.start)), format));
        AddListText(1, FormatRecordTime(LONGLONG(LONG(item.end)), format));
        AddListText(2, ChannelListText(item.channel_mask));
    }
}

const EventItem* CEventListDlg::SelectedEvent() const {
    return m_table.Find(m_nFilter, m_nSelected);
}

void CEventListDlg::OnItemChanged(const NMLISTVIEW& change) {
    if (change.uChanged == LVIF_STATE && change.uNewState == (LVIS_SELECTED | LVIS_FOCUSED)) {
        m_nSelected = change.iItem;
        m_btnPlay.Enable(Host().HasLocalPlayer() ? FALSE : TRUE);
        return;
    }
    m_nSelected = -1;
    m_btnPlay.Enable(FALSE);
}

BOOL CEventListDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && header->idFrom == kIdList && header->code == LVN_ITEMCHANGED) {
        if (pResult != nullptr) {
            *pResult = 0;
        }
        OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
        return TRUE;
    }
    return CSearchPage::OnNotify(wParam, lParam, pResult);
}

void CEventListDlg::OnPlay() {
    CDvrClient* client = Client();
    if (client == nullptr || client->m_bConnected.load() == 0) {
        m_pFrame->PostMessage(WM_CLOSE);
        return;
    }
    if (const EventItem* event = SelectedEvent()) {
        const DWORD end = m_bOpenEnd != 0 ? 0 : event->end;
        const RecTimeRange range = MakeTimeRange(m_pFrame->GetChannelMask(), BYTE(1u << m_nFilter), event->start, end);
        m_pFrame->SendRequest(Msg::PLAY_ON_REQ, &range, sizeof range);
        ArchiveResume& resume = Host().Resume();
        resume.ClearRecord();
        resume.record.active = 1;
        resume.record.source = 0;
        resume.record.search_mode = 1;
        resume.record.event_filter = DWORD(FilterIndex(m_nFilter));
        resume.record.time = event->start;
        const std::vector<BYTE> segments = client->GetLatestSegmentRecords();
        if (!segments.empty()) {
            resume.months = ParseMonthRecords(client->GetLatestMonthRecords());
            resume.segments = ParseSegments(segments);
        }
    }
    m_pFrame->CloseAfterAction(0);
}

BOOL CEventListDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CSearchPage::OnCommand(wParam, lParam);
    }
    switch (LOWORD(wParam)) {
    case kIdFilter[0]:
        OnFilterAlarm();
        return TRUE;
    case kIdFilter[1]:
        OnFilterMotion();
        return TRUE;
    case kIdFilter[2]:
        OnFilterAudio();
        return TRUE;
    case kIdPlay:
        OnPlay();
        return TRUE;
    default:
        return CSearchPage::OnCommand(wParam, lParam);
    }
}
