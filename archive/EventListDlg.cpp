#include "archive/EventListDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "res/BitmapIds.h"

#include <vector>

namespace {

const DialogItem kItems[] = {
    {470, "BUTTON", 2, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {471, "BUTTON", 135, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {472, "BUTTON", 268, 0, 133, 24, WS_VISIBLE | BS_OWNERDRAW},
    {914, "SysListView32", 2, 26, 399, 366,
     WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {482, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate = ContentPageTemplate(CEventListDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

std::span<const DialogItem> EventListTemplateItems() {
    return kItems;
}

CEventListDlg::CEventListDlg() : CEventListDlg(IDD, kSlotEventList, IDB_PAGE_LISTS) {}

CEventListDlg::CEventListDlg(UINT idd, int slot, UINT background)
    : TEventListPage<CSearchPage>(idd, slot, background) {}

void CEventListDlg::LoadEvents() {
    m_table.LoadSegments(m_pFrame->DayRecords());
    CDvrClient* client = Client();
    m_bOpenEnd = client != nullptr && client->Login().IsVersion11() ? 1 : 0;
}

bool CEventListDlg::PlayAllowed() {
    return !Host().HasLocalPlayer();
}

int CEventListDlg::DateFormat() {
    return Host().DateFormat();
}

DWORD CEventListDlg::FirstFilter() {
    const ArchiveResume& resume = Host().Resume();
    if (Client() != nullptr && resume.record.active != 0) {
        static const DWORD kFilters[3] = {kEventAlarm, kEventMotion, kEventAudio};
        return resume.record.event_filter < 3 ? kFilters[resume.record.event_filter] : kEventAlarm;
    }
    return m_table.FirstFilter();
}

void CEventListDlg::OnPlay() {
    CDvrClient* client = Client();
    if (client == nullptr || !client->Login().IsConnected()) {
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
        const std::vector<BYTE> segments = client->Search().GetLatestSegmentRecords();
        if (!segments.empty()) {
            resume.months = ParseMonthRecords(client->Search().GetLatestMonthRecords());
            resume.segments = ParseSegments(segments);
        }
    }
    m_pFrame->CloseAfterAction(0);
}
