#include "archive/DateTimeSearchDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/PageTemplate.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/base/Time.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/Trace.h"
#include "res/BitmapIds.h"

namespace {

DialogItem Field(UINT id) {
    return {id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | SS_NOTIFY};
}

const DialogItem kItems[] = {
    Field(790), Field(791), Field(792), Field(793), Field(794),
    Field(795), Field(796), Field(797), Field(798), Field(799),
    Field(800), Field(801), Field(802), Field(803), {482, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate = ContentPageTemplate(CDateTimeSearchDlg::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

} // namespace

std::span<const DialogItem> DateTimeTemplateItems() {
    return kItems;
}

void TodayFields(int& year, int& month, int& day) {
    const CTime now = CTime::GetCurrentTime();
    year = now.GetYear();
    month = now.GetMonth() - 1;
    day = now.GetDay() - 1;
}

DateTimeRange TodayRange(DateTimeRange (*defaults)(int year, int month, int day)) {
    int year = 0;
    int month = 0;
    int day = 0;
    TodayFields(year, month, day);
    return defaults(year, month, day);
}

CDateTimeSearchDlg::CDateTimeSearchDlg()
    : CDateTimeSearchDlg(IDD, kSlotDateTimeSearch, IDB_PAGE_DATE_TIME_SEARCH, TodayRange(DefaultSearchRange)) {}

CDateTimeSearchDlg::CDateTimeSearchDlg(UINT idd, int slot, UINT background, const DateTimeRange& defaults)
    : TDateTimePage<CSearchPage>(idd, slot, background, defaults) {}

bool CDateTimeSearchDlg::ChooseNewLayout() {
    CDvrClient* client = Client();
    return client != nullptr && client->Login().IsVersion11();
}

int CDateTimeSearchDlg::DateFormat() {
    return Host().DateFormat();
}

void CDateTimeSearchDlg::ShowListPicker(UINT field, const ListPopupRequest& request, int flag) {
    m_pFrame->ShowItemPicker(this, field, &request, 0, flag);
}

void CDateTimeSearchDlg::ShowTimesPicker(UINT field, const TimePickerRequest& request) {
    m_pFrame->ShowTimePicker(this, field, &request);
}

bool CDateTimeSearchDlg::PlayAllowed() {
    return !Host().HasLocalPlayer();
}

void CDateTimeSearchDlg::OnPlay() {
    ClosePickers();
    int start[6];
    int end[6];
    m_range.Fields(0, start);
    m_range.Fields(1, end);
    const DWORD startTime = Host().TimeToCTime(start);
    const DWORD endTime = m_bNewLayout != 0 ? Host().TimeToCTime(end) : 0;
    const RecTimeRange range = MakeTimeRange(m_pFrame->GetChannelMask(), kAllRecordTypes, startTime, endTime);
    m_pFrame->SendRequest(Msg::PLAY_ON_REQ, &range, sizeof range);
    Trace("Send... PLAY_ON_REQ...%02d:%02d:%02d %02d:%02d:%02d ~ ", start[0], start[1] + 1, start[2] + 1, start[3],
          start[4], start[5]);
    Trace("%02d:%02d:%02d %02d:%02d:%02d\n", end[0], end[1] + 1, end[2] + 1, end[3], end[4], end[5]);
    if (Client() != nullptr) {
        ArchiveResume& resume = Host().Resume();
        resume.ClearRecord();
        resume.record.active = 1;
        resume.record.source = 0;
        resume.record.search_mode = 0;
        resume.record.time = startTime;
    }
    m_pFrame->CloseAfterAction(0);
}
