#include "setup/TimeSetupDlg.h"

#include "platform/base/Clock.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/DstCalendar.h"
#include "setup/DstConfirmDlg.h"
#include "setup/SetupDlg.h"
#include "setup/SetupHost.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <algorithm>

namespace {

using C = CTimeSetupDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr int kNameChars = 29;
constexpr int kFirstModeText = IDS_USER_DEFINED;
constexpr int kNamedModes = 30;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items;
    static constexpr int kCaptionY[5] = {9, 32, 55, 101, 147};
    for (int i = 0; i < 5; ++i) {
        items.push_back({C::IDC_CAPTION + UINT(i), "STATIC", 10, kCaptionY[i], 70, 14, WS_VISIBLE});
    }
    items.push_back({C::IDC_MODE, "STATIC", 180, 8, 158, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_START_MONTH, "STATIC", 100, 54, 95, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_START_WEEK, "STATIC", 200, 54, 95, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_START_WEEKDAY, "STATIC", 300, 54, 95, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_START_TIME, "STATIC", 188, 77, 120, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_END_MONTH, "STATIC", 100, 100, 90, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_END_WEEK, "STATIC", 200, 100, 90, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_END_WEEKDAY, "STATIC", 300, 100, 90, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_END_TIME, "STATIC", 188, 123, 120, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_OFFSET, "STATIC", 188, 146, 120, 14, WS_VISIBLE | SS_NOTIFY});
    items.push_back({C::IDC_BY_WEEK, "BUTTON", 120, 29, 100, 17, kButton});
    items.push_back({C::IDC_BY_DATE, "BUTTON", 240, 29, 100, 17, kButton});
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

CString ClockText(int hours, int minutes) {
    CString text;
    text.Format("%02d : %02d", hours, minutes);
    return text;
}

// The PC's local wall clock now.
LONGLONG LocalWallClockNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return WallClockSeconds(now.wYear, now.wMonth - 1, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

int LocalYearNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return now.wYear;
}

} // namespace

CTimeSetupDlg::CTimeSetupDlg(CWnd* pParent)
    : CSetupPage(IDD, IDB_PAGE_TIME_DAYLIGHT_SAVING, pParent), m_nPcOffset(GetStandardZoneOffset()),
      m_nYear(LocalYearNow()) {}

void CTimeSetupDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    for (UINT i = 0; i < m_labels.size(); ++i) {
        DDX_Control(pDX, int(IDC_CAPTION + i), m_labels[i]);
    }
    DDX_Control(pDX, IDC_BY_WEEK, m_btnByWeek);
    DDX_Control(pDX, IDC_BY_DATE, m_btnByDate);
}

BYTE* CTimeSetupDlg::Dst() const {
    return Db().dst;
}

void CTimeSetupDlg::LoadNames() {
    m_modeNames.assign(kModeSlots, CString());
    m_modeNames[0] = CutText(LoadResString(IDS_OFF), kNameChars);
    for (int k = 1; k < kNamedModes; ++k) {
        m_modeNames[std::size_t(k)] = CutText(LoadResString(UINT(kFirstModeText + k - 1)), kNameChars);
    }
    m_monthNames.clear();
    for (UINT m = 0; m < 12; ++m) {
        m_monthNames.push_back(CutText(LoadResString(IDS_JAN + m), kNameChars));
    }
    m_weekNames.clear();
    for (UINT w = 0; w < 5; ++w) {
        m_weekNames.push_back(CutText(LoadResString(IDS_1ST + w), kNameChars));
    }
    m_weekdayNames.clear();
    for (UINT d = 0; d < 7; ++d) {
        m_weekdayNames.push_back(CutText(LoadResString(IDS_SUNDAY + d), kNameChars));
    }
    m_dayNames.clear();
    for (int d = 1; d <= 31; ++d) {
        CString day;
        day.Format("%d", d);
        m_dayNames.push_back(day);
    }
}

BOOL CTimeSetupDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    LoadNames();
    if (m_pFrame != nullptr && m_pFrame->GetSetupHost() != nullptr) {
        // The recorder's clock (DVR_TIME_ACK) is posted to the page registered here; registered
        // before asking, so that a quick answer is not posted to nobody.
        m_pFrame->GetSetupHost()->SetSetupWindow(ClientWindow::SetupPage, GetSafeHwnd());
    }
    SendTimeRequest();
    InitLayout();
    m_nDstEdited = 0;
    ShowDstMode();
    return TRUE;
}

void CTimeSetupDlg::OnDestroy() {
    if (m_pFrame != nullptr && m_pFrame->GetSetupHost() != nullptr) {
        m_pFrame->GetSetupHost()->SetSetupWindow(ClientWindow::SetupPage, nullptr);
    }
    CSetupPage::OnDestroy();
}

void CTimeSetupDlg::SendTimeRequest() {
    m_nClockTime = LocalWallClockNow();
    m_nClockTicks = GetTickCount64();
    if (CDvrClient* client = Client()) {
        client->SendPacket(PacketHeader::Request(Msg::DVR_TIME_REQ, 0), nullptr, 0);
    }
}

void CTimeSetupDlg::InitLayout() {
    static constexpr UINT kCaptionTexts[5] = {IDS_DST_MODE, IDS_TYPE, IDS_START, IDS_END, IDS_OFFSET};
    static constexpr int kCaptionY[5] = {9, 32, 55, 101, 147};
    for (UINT i = 0; i < 5; ++i) {
        CSetupSkin::SetUpCaption(Label(IDC_CAPTION + i), CSetupSkin::At(10, kCaptionY[i], 70, 14),
                                 LoadResString(kCaptionTexts[i]));
    }
    CSetupSkin::SetUpSelector(Label(IDC_MODE), CSetupSkin::At(180, 8, 158, 14));
    for (UINT id = IDC_START_MONTH; id <= IDC_OFFSET; ++id) {
        CSetupSkin::SetUpSelector(Label(id), CSetupSkin::At(0, 0, 90, 14));
    }
    Label(IDC_START_TIME).MoveWindow(188, 77, 120, 14);
    Label(IDC_END_TIME).MoveWindow(188, 123, 120, 14);
    Label(IDC_OFFSET).MoveWindow(188, 146, 120, 14);
    CSetupSkin::SetUpTextButton(m_btnByWeek, CSetupSkin::kOffButtonBitmap, CSetupSkin::At(120, 29, 100, 17),
                                LoadResString(IDS_WEEK), CSetupSkin::kPageButtonColours);
    CSetupSkin::SetUpTextButton(m_btnByDate, CSetupSkin::kOffButtonBitmap, CSetupSkin::At(240, 29, 100, 17),
                                LoadResString(IDS_DATE), CSetupSkin::kPageButtonColours);
    ShowTimes();
}

void CTimeSetupDlg::ShowTimes() {
    const BYTE* dst = Dst();
    Label(IDC_START_TIME).SetText(ClockText(dst[kDstStartHour], dst[kDstStartMinute]));
    Label(IDC_END_TIME).SetText(ClockText(dst[kDstEndHour], dst[kDstEndMinute]));
    Label(IDC_OFFSET).SetText(ClockText(dst[kDstOffsetHours], dst[kDstOffsetMinutes]));
}

void CTimeSetupDlg::ShowRuleSelectors(bool show) {
    m_btnByWeek.ShowWindow(show ? SW_SHOW : SW_HIDE);
    m_btnByDate.ShowWindow(show ? SW_SHOW : SW_HIDE);
    for (UINT id = IDC_START_MONTH; id <= IDC_OFFSET; ++id) {
        Label(id).ShowWindow(show ? SW_SHOW : SW_HIDE);
    }
}

void CTimeSetupDlg::ShowDstMode() {
    const int mode = Dst()[kDstMode];
    // A mode without a name shows its number, so the list can still be opened to correct it.
    Label(IDC_MODE).SetText(ItemOrNumber(std::span<const CString>(m_modeNames.data(), kNamedModes), mode));
    if (mode == 1) {
        if (Dst()[kDstStyle] == 0) {
            ShowRuleByWeek();
        } else {
            ShowRuleByDate();
        }
    } else {
        ShowRuleSelectors(false);
    }
    ClosePopups();
}

void CTimeSetupDlg::ShowRuleByWeek() {
    BYTE* dst = Dst();
    dst[kDstStyle] = 0;
    m_nRuleByWeek = 1;
    m_btnByWeek.SetState(kButtonOn);
    m_btnByDate.SetState(kButtonNormal);
    static constexpr UINT kStart[3] = {IDC_START_MONTH, IDC_START_WEEK, IDC_START_WEEKDAY};
    static constexpr UINT kEnd[3] = {IDC_END_MONTH, IDC_END_WEEK, IDC_END_WEEKDAY};
    for (int k = 0; k < 3; ++k) {
        Label(kStart[k]).MoveWindow(100 + 100 * k, 54, 95, 14);
        Label(kEnd[k]).MoveWindow(100 + 100 * k, 100, 90, 14);
    }
    Label(IDC_START_MONTH).SetText(ItemOrNumber(m_monthNames, dst[kDstStartMonth]));
    Label(IDC_START_WEEK).SetText(ItemOrNumber(m_weekNames, dst[kDstStartWeek]));
    Label(IDC_START_WEEKDAY).SetText(ItemOrNumber(m_weekdayNames, dst[kDstStartWeekday]));
    Label(IDC_END_MONTH).SetText(ItemOrNumber(m_monthNames, dst[kDstEndMonth]));
    Label(IDC_END_WEEK).SetText(ItemOrNumber(m_weekNames, dst[kDstEndWeek]));
    Label(IDC_END_WEEKDAY).SetText(ItemOrNumber(m_weekdayNames, dst[kDstEndWeekday]));
    MakeRuleConsistent(kKindStartMonth);
    MakeRuleConsistent(kKindEndMonth);
    ShowTimes();
    ShowRuleSelectors(true);
}

void CTimeSetupDlg::ShowRuleByDate() {
    BYTE* dst = Dst();
    dst[kDstStyle] = 1;
    m_nRuleByWeek = 0;
    m_btnByWeek.SetState(kButtonNormal);
    m_btnByDate.SetState(kButtonOn);
    Label(IDC_START_MONTH).MoveWindow(150, 54, 100, 14);
    Label(IDC_START_WEEK).MoveWindow(270, 54, 100, 14);
    Label(IDC_END_MONTH).MoveWindow(150, 100, 100, 14);
    Label(IDC_END_WEEK).MoveWindow(270, 100, 100, 14);
    Label(IDC_START_MONTH).SetText(ItemOrNumber(m_monthNames, dst[kDstStartMonth]));
    Label(IDC_START_WEEK).SetText(ItemOrNumber(m_dayNames, dst[kDstStartDay]));
    Label(IDC_END_MONTH).SetText(ItemOrNumber(m_monthNames, dst[kDstEndMonth]));
    Label(IDC_END_WEEK).SetText(ItemOrNumber(m_dayNames, dst[kDstEndDay]));
    MakeRuleConsistent(kKindStartMonth);
    MakeRuleConsistent(kKindEndMonth);
    ShowTimes();
    ShowRuleSelectors(true);
    Label(IDC_START_WEEKDAY).ShowWindow(SW_HIDE);
    Label(IDC_END_WEEKDAY).ShowWindow(SW_HIDE);
}

void CTimeSetupDlg::MakeRuleConsistent(int kind) {
    BYTE* dst = Dst();
    const bool end = kind >= kKindEndMonth;
    const std::size_t base = end ? kDstEndMonth : kDstStartMonth;
    BYTE& month = dst[base];
    BYTE& week = dst[base + 1];
    BYTE& weekday = dst[base + 2];
    BYTE& day = dst[base + 3];
    if (m_nRuleByWeek != 0) {
        day = BYTE(GetNthWeekday(m_nYear, month, week, weekday) - 1);
        return;
    }
    if (kind == kKindStartWeekday || kind == kKindEndWeekday) {
        return;
    }
    int w = 0;
    int d = 0;
    GetWeekOfDate(m_nYear, month, day, w, d);
    week = BYTE(w);
    weekday = BYTE(d);
}

BOOL CTimeSetupDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == STN_CLICKED) {
        switch (id) {
        case IDC_MODE:
            OpenModeList();
            return TRUE;
        case IDC_START_MONTH:
        case IDC_START_WEEK:
        case IDC_START_WEEKDAY:
            OpenRuleList(int(id - IDC_START_MONTH) + kKindStartMonth);
            return TRUE;
        case IDC_END_MONTH:
        case IDC_END_WEEK:
        case IDC_END_WEEKDAY:
            OpenRuleList(int(id - IDC_END_MONTH) + kKindEndMonth);
            return TRUE;
        case IDC_START_TIME:
            OpenTimePopup(kKindStartTime);
            return TRUE;
        case IDC_END_TIME:
            OpenTimePopup(kKindEndTime);
            return TRUE;
        case IDC_OFFSET:
            OpenTimePopup(kKindOffset);
            return TRUE;
        default:
            break;
        }
    }
    if (HIWORD(wParam) == BN_CLICKED && (id == IDC_BY_WEEK || id == IDC_BY_DATE)) {
        if (id == IDC_BY_WEEK) {
            ShowRuleByWeek();
        } else {
            ShowRuleByDate();
        }
        ClosePopups();
        return TRUE;
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

UINT CTimeSetupDlg::SelectorOfKind(int kind) const {
    switch (kind) {
    case kKindMode:
        return IDC_MODE;
    case kKindStartTime:
        return IDC_START_TIME;
    case kKindEndTime:
        return IDC_END_TIME;
    case kKindOffset:
        return IDC_OFFSET;
    default:
        return kind < kKindEndMonth ? IDC_START_MONTH + UINT(kind - kKindStartMonth)
                                    : IDC_END_MONTH + UINT(kind - kKindEndMonth);
    }
}

void CTimeSetupDlg::OpenModeList() {
    CSkinLabel& selector = Label(IDC_MODE);
    if (!CSetupSkin::HasText(selector)) {
        return;
    }
    const auto firstEmpty =
        std::find_if(m_modeNames.begin(), m_modeNames.end(), [](const CString& name) { return name.IsEmpty(); });
    OpenList(selector, kKindMode, std::span<const CString>(m_modeNames.begin(), firstEmpty), 700, 1);
}

void CTimeSetupDlg::OpenRuleList(int kind) {
    CSkinLabel& selector = Label(SelectorOfKind(kind));
    if (!CSetupSkin::HasText(selector)) {
        return;
    }
    const BYTE* dst = Dst();
    switch (kind) {
    case kKindStartMonth:
    case kKindEndMonth:
        OpenList(selector, kind, m_monthNames, 80);
        break;
    case kKindStartWeek:
    case kKindEndWeek:
        if (m_nRuleByWeek != 0) {
            OpenList(selector, kind, m_weekNames, 110);
        } else {
            const int month = dst[kind == kKindStartWeek ? kDstStartMonth : kDstEndMonth];
            const int days = DaysInMonth(m_nYear, month);
            OpenList(selector, kind, std::span<const CString>(m_dayNames).first(std::size_t(days)), 163, 1);
        }
        break;
    case kKindStartWeekday:
    case kKindEndWeekday:
        OpenList(selector, kind, m_weekdayNames, 150);
        break;
    default:
        break;
    }
}

void CTimeSetupDlg::OpenTimePopup(int kind) {
    CSkinLabel& selector = Label(SelectorOfKind(kind));
    if (!CSetupSkin::HasText(selector)) {
        return;
    }
    const std::size_t at = kind == kKindStartTime ? kDstStartHour
                           : kind == kKindEndTime ? kDstEndHour
                                                  : kDstOffsetHours;
    // The sliders run 0..23 and 0..59; a stored value beyond them opens at their end.
    const int hours = std::min<int>(Dst()[at], 23);
    const int minutes = std::min<int>(Dst()[at + 1], 59);
    OpenSlider(selector, kind, 2, hours, minutes, 0, 358, kSliderModeClock);
}

void CTimeSetupDlg::OnSliderResult(int kind, int value0, int value1) {
    if (value0 < 0 || value0 > 23 || value1 < 0 || value1 > 59) {
        return;
    }
    m_nDstEdited = 1;
    const std::size_t at = kind == kKindStartTime ? kDstStartHour
                           : kind == kKindEndTime ? kDstEndHour
                                                  : kDstOffsetHours;
    const UINT selector = kind == kKindStartTime ? IDC_START_TIME : kind == kKindEndTime ? IDC_END_TIME : IDC_OFFSET;
    Label(selector).SetText(ClockText(value0, value1));
    Dst()[at] = BYTE(value0);
    Dst()[at + 1] = BYTE(value1);
}

void CTimeSetupDlg::OnListResult(int kind, int index) {
    if (index < 0) {
        return;
    }
    BYTE* dst = Dst();
    const bool end = kind >= kKindEndMonth;
    const std::size_t base = end ? kDstEndMonth : kDstStartMonth;
    const UINT selector = SelectorOfKind(kind);
    switch (kind) {
    case kKindMode:
        if (index >= kModeSlots || m_modeNames[std::size_t(index)].IsEmpty()) {
            return;
        }
        m_nDstEdited = 1;
        Label(IDC_MODE).SetText(m_modeNames[std::size_t(index)]);
        if (index == 1) {
            if (dst[kDstStyle] == 0) {
                ShowRuleByWeek();
            } else {
                ShowRuleByDate();
            }
        } else {
            ShowRuleSelectors(false);
        }
        dst[kDstMode] = BYTE(index);
        return;
    case kKindStartMonth:
    case kKindEndMonth: {
        if (index >= 12) {
            return;
        }
        m_nDstEdited = 1;
        Label(selector).SetText(m_monthNames[std::size_t(index)]);
        dst[base] = BYTE(index);
        const int last = DaysInMonth(m_nYear, index) - 1;
        if (m_nRuleByWeek == 0 && dst[base + 3] > last) {
            dst[base + 3] = BYTE(last);
            Label(selector + 1).SetText(m_dayNames[std::size_t(last)]);
        }
        break;
    }
    case kKindStartWeek:
    case kKindEndWeek:
        if (m_nRuleByWeek != 0) {
            if (index >= 5) {
                return;
            }
            m_nDstEdited = 1;
            Label(selector).SetText(m_weekNames[std::size_t(index)]);
            dst[base + 1] = BYTE(index);
        } else {
            if (index >= DaysInMonth(m_nYear, dst[base])) {
                return;
            }
            m_nDstEdited = 1;
            Label(selector).SetText(m_dayNames[std::size_t(index)]);
            dst[base + 3] = BYTE(index);
        }
        break;
    case kKindStartWeekday:
    case kKindEndWeekday:
        if (index >= 7) {
            return;
        }
        m_nDstEdited = 1;
        Label(selector).SetText(m_weekdayNames[std::size_t(index)]);
        dst[base + 2] = BYTE(index);
        break;
    default:
        return;
    }
    MakeRuleConsistent(kind);
}

std::optional<LONGLONG> CTimeSetupDlg::AdjustRecorderClock(DWORD clock, LONG pcOffset) {
    if (clock == 0) {
        return std::nullopt;
    }
    LONGLONG t = LONGLONG(clock);
    if (LONG(clock) < pcOffset) {
        t = pcOffset;
    } else if (clock > kLatestClock) {
        t = kLatestClock;
    }
    // A PC west of UTC can raise a clock to a time before 1970, which is not broken down.
    if (t < 0) {
        return std::nullopt;
    }
    return t;
}

void CTimeSetupDlg::OnRecorderClock(DWORD clock) {
    const std::optional<LONGLONG> adjusted = AdjustRecorderClock(clock, m_nPcOffset);
    if (!adjusted) {
        return;
    }
    // The recorder's clock is its wall clock counted as if it were UTC: the page keeps it as one.
    m_nClockTime = *adjusted;
    m_nClockTicks = GetTickCount64();
}

LRESULT CTimeSetupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KELO_DVR_TIME) {
        OnRecorderClock(DWORD(wParam));
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

LONGLONG CTimeSetupDlg::ClockNow() const {
    return m_nClockTime + LONGLONG((GetTickCount64() - m_nClockTicks) / 1000);
}

bool CTimeSetupDlg::FrameGoesOn() const {
    if (m_pFrame == nullptr) {
        return false;
    }
    // The frame's own destruction takes its pages with it: nothing will be sent then.
    const MSG* msg = GetCurrentMessage();
    if (msg != nullptr && msg->hwnd == m_pFrame->GetSafeHwnd() &&
        (msg->message == WM_DESTROY || msg->message == WM_NCDESTROY)) {
        return false;
    }
    // A modal frame that has been ended (Cancel, Close) sends nothing either.
    return !m_pFrame->IsModal() || (m_pFrame->IsInModalLoop() && m_pFrame->ContinueModal());
}

BOOL CTimeSetupDlg::DestroyWindow() {
    if (GetSafeHwnd() != nullptr && !m_bAsked && m_pFrame != nullptr) {
        m_bAsked = true;
        m_nClockTime = ClockNow();
        m_nClockTicks = GetTickCount64();
        BYTE* dst = Dst();
        if (dst[kDstMode] == 1 && m_nDstEdited != 0 && IsInDstEndWindow(m_nClockTime, dst) && FrameGoesOn()) {
            CDstConfirmDlg question(m_pFrame, 255);
            dst[kDstAnswer] = question.DoModal() == IDOK ? 1 : 0;
        }
    }
    return CSetupPage::DestroyWindow();
}
