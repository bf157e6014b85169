#include "archive/DateTimeSearchDlg.h"

#include "archive/ArchiveHost.h"
#include "archive/PickerRequests.h"
#include "archive/RemoteSearchDlg.h"
#include "platform/base/Time.h"
#include "platform/window/DataExchange.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/Trace.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr UINT kIdPlay = 482;

DialogItem Field(UINT id) {
    return {id, "STATIC", 0, 0, 70, 14, WS_VISIBLE | SS_NOTIFY};
}

const DialogItem kItems[] = {
    Field(790), Field(791), Field(792), Field(793), Field(794),
    Field(795), Field(796), Field(797), Field(798), Field(799),
    Field(800), Field(801), Field(802), Field(803), {kIdPlay, "BUTTON", 304, 396, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{
    .id = CDateTimeSearchDlg::IDD, .x = 197, .y = 83, .cx = 403, .cy = 417, .style = WS_CHILD, .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

DateTimeRange TodayRange() {
    const CTime now = CTime::GetCurrentTime();
    return DefaultSearchRange(now.GetYear(), now.GetMonth() - 1, now.GetDay() - 1);
}

} // namespace

CDateTimeSearchDlg::CDateTimeSearchDlg() : CDateTimeSearchDlg(IDD, kSlotDateTimeSearch, 1750, TodayRange()) {}

CDateTimeSearchDlg::CDateTimeSearchDlg(UINT idd, int slot, UINT background, const DateTimeRange& defaults)
    : CSearchPage(idd, slot, background), m_range(defaults) {}

void CDateTimeSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    for (int k = 0; k < LabelCount(); ++k) {
        DDX_Control(pDX, int(kIdFirstLabel) + k, m_label[k]);
    }
    DDX_Control(pDX, kIdPlay, m_btnPlay);
}

bool CDateTimeSearchDlg::ChooseNewLayout() {
    CDvrClient* client = Client();
    return client != nullptr && client->m_bVersion11.load() != 0;
}

BOOL CDateTimeSearchDlg::OnInitDialog() {
    CSearchPage::OnInitDialog();
    m_bNewLayout = ChooseNewLayout() ? 1 : 0;
    if (m_bNewLayout == 0) {
        SetBackground(1749);
    }
    InitControls();
    return TRUE;
}

void CDateTimeSearchDlg::InitControls() {
    if (m_bNewLayout != 0) {
        static const UINT kCaptions[6] = {5420, 5422, 5423, 5421, 5422, 5423};
        static const int kCaptionY[6] = {9, 32, 55, 80, 103, 126};
        for (int k = 0; k < 6; ++k) {
            SetUpCaption(m_label[k], kCaptions[k], 15, kCaptionY[k], 70, 14);
        }
        for (int side = 0; side < 2; ++side) {
            const int y = side == 0 ? 30 : 103;
            for (int p = 0; p < 3; ++p) {
                SetUpField(m_label[6 + 4 * side + p], 140 + 75 * p, y, 70, 14, true);
            }
            SetUpField(m_label[9 + 4 * side], 180, side == 0 ? 53 : 126, 190, 14, true);
        }
    } else {
        SetUpCaption(m_label[0], 5422, 15, 9, 70, 14);
        SetUpCaption(m_label[1], 5423, 15, 32, 70, 14);
        for (int p = 0; p < 3; ++p) {
            SetUpField(m_label[2 + p], 140 + 75 * p, 8, 70, 14, true);
        }
        SetUpField(m_label[5], 180, 31, 190, 14, true);
        for (int k = 6; k < 14; ++k) {
            m_label[k].ShowWindow(SW_HIDE);
        }
    }
    ShowAllFields();
    SetUpTextButton(m_btnPlay, 2258, 5563, 304, 396, 97, 22);
    if (Host().HasLocalPlayer()) {
        m_btnPlay.Enable(FALSE);
    }
}

void CDateTimeSearchDlg::ShowDateField(int side, int position) {
    const DateRole role = RoleOfPosition(Host().DateFormat(), position);
    const int value = role == DateRole::Year ? m_range.year[side]
                                             : (role == DateRole::Month ? m_range.month[side] : m_range.day[side]);
    const int index = m_bNewLayout != 0 ? 6 + 4 * side + position : 2 + position;
    ReplaceText(m_label[index], DateFieldText(role, value));
}

void CDateTimeSearchDlg::ShowTimeField(int side) {
    const int index = m_bNewLayout != 0 ? 9 + 4 * side : 5;
    m_label[index].SetText(TimeFieldText(m_range.hour[side], m_range.minute[side], m_range.second[side]));
}

void CDateTimeSearchDlg::ShowAllFields() {
    const int sides = m_bNewLayout != 0 ? 2 : 1;
    for (int side = 0; side < sides; ++side) {
        for (int p = 0; p < 3; ++p) {
            ShowDateField(side, p);
        }
        ShowTimeField(side);
    }
}

void CDateTimeSearchDlg::OpenItemPicker(int field, CSkinLabel& label) {
    if (label.GetWindowTextLength() == 0) {
        return;
    }
    const int side = field < 3 ? 0 : 1;
    const DateRole role = RoleOfPosition(Host().DateFormat(), field % 4);
    auto request = std::make_unique<ListPopupRequest>();
    std::memset(request.get(), 0, sizeof(ListPopupRequest));
    int flag = 1;
    if (role == DateRole::Year) {
        request->count = 38;
        request->width = 210;
        for (int i = 0; i < 38; ++i) {
            std::snprintf(request->texts[i], 30, "%04d", 2000 + i);
        }
    } else if (role == DateRole::Month) {
        request->count = 12;
        request->width = 50;
        flag = 0;
        for (int i = 0; i < 12; ++i) {
            std::snprintf(request->texts[i], 30, "%02d", i + 1);
        }
    } else {
        request->count = DWORD(GetDaysInMonth(m_range.year[side], m_range.month[side]));
        request->width = 180;
        for (DWORD i = 0; i < request->count; ++i) {
            std::snprintf(request->texts[i], 30, "%02d", int(i) + 1);
        }
    }
    label.GetWindowRect(&request->anchor);
    request->clickX = label.m_nClickX;
    request->clickY = label.m_nClickY;
    m_pFrame->ShowItemPicker(this, UINT(field), request.get(), 0, flag);
}

void CDateTimeSearchDlg::OpenTimePicker(int field, CSkinLabel& label, int side) {
    TimePickerRequest request{};
    request.rows = 3;
    request.hour = DWORD(m_range.hour[side]);
    request.minute = DWORD(m_range.minute[side]);
    request.second = DWORD(m_range.second[side]);
    label.GetWindowRect(&request.anchor);
    request.clickX = label.m_nClickX;
    request.clickY = label.m_nClickY;
    request.width = 358;
    m_pFrame->ShowTimePicker(this, UINT(field), &request);
}

void CDateTimeSearchDlg::OnFieldClicked(UINT id) {
    const int k = int(id) - int(kIdFirstLabel);
    if (k < 0 || k >= 14) {
        return;
    }
    if (m_bNewLayout == 0) {
        // The start alone, and no busy test.
        if (k >= 2 && k <= 4) {
            OpenItemPicker(k - 2, m_label[k]);
        } else if (k == 5) {
            OpenTimePicker(3, m_label[k], 0);
        }
        return;
    }
    if (k < 6 || FrameBusy()) {
        return;
    }
    const int field = k - 6; // 0-2 start date, 3 start time, 4-6 end date, 7 end time
    if (field == 3 || field == 7) {
        OpenTimePicker(field, m_label[k], field == 3 ? 0 : 1);
    } else {
        OpenItemPicker(field, m_label[k]);
    }
}

void CDateTimeSearchDlg::OnItemPicked(UINT field, UINT index) {
    if (m_bNewLayout == 0) {
        if (field > 2) {
            return;
        }
        const PickOutcome outcome = ApplyDatePick(m_range, Host().DateFormat(), int(field), int(index), false);
        if (outcome.applies) {
            ShowDateField(0, int(field));
            if (outcome.clamped) {
                for (int p = 0; p < 3; ++p) {
                    ShowDateField(0, p);
                }
            }
        }
        return;
    }
    const PickOutcome outcome = ApplyDatePick(m_range, Host().DateFormat(), int(field), int(index), true);
    if (outcome.applies) {
        ShowDateField(outcome.side, int(field) % 4);
        if (outcome.clamped) {
            for (int p = 0; p < 3; ++p) {
                if (RoleOfPosition(Host().DateFormat(), p) == DateRole::Day) {
                    ShowDateField(outcome.side, p);
                }
            }
        }
    }
    AfterPick();
}

void CDateTimeSearchDlg::OnTimePicked(UINT field, int hour, int minute, int second) {
    if (m_bNewLayout == 0) {
        ApplyTimePick(m_range, 0, hour, minute, second, false);
        ShowTimeField(0);
        return;
    }
    const int side = field == 3 ? 0 : 1;
    ApplyTimePick(m_range, side, hour, minute, second, true);
    ShowTimeField(side);
    AfterPick();
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

void CDateTimeSearchDlg::OnMouseMove(UINT nFlags, CPoint point) {
    ClosePickers();
    CSearchPage::OnMouseMove(nFlags, point);
}

BOOL CDateTimeSearchDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (id == kIdPlay && HIWORD(wParam) == BN_CLICKED) {
        OnPlay();
        return TRUE;
    }
    if (id >= kIdFirstLabel && id < kIdFirstLabel + 14 && HIWORD(wParam) == STN_CLICKED) {
        OnFieldClicked(id);
        return TRUE;
    }
    return CSearchPage::OnCommand(wParam, lParam);
}
