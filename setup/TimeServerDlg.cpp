#include "setup/TimeServerDlg.h"

#include "platform/base/Clock.h"
#include "platform/gdi/DC.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "protocol/ClientMessages.h"
#include "protocol/DstInfo.h"
#include "protocol/DvrClient.h"
#include "protocol/SetupDatabase.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"
#include "setup/DstCalendar.h"
#include "setup/SetupText.h"
#include "setupkit/SetupSkin.h"

#include <cstring>
#include <ctime>
#include <mutex>

namespace {

using C = CTimeServerDlg;
constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr int kZoneNameChars = 99;
constexpr int kServerNameChars = 31; // and the terminator: the record's slot is 32 bytes
constexpr UINT kPreviewPeriodMs = 200;
// Zone z (from 1) is named by text kFirstZoneText + z - 1; zone 0 by IDS_NONE.
constexpr UINT kFirstZoneText = IDS_GMT_LONDON_LISBON;
// The synchronisation selector's names: the general "Off" and "On" texts.
constexpr UINT kTextSyncOff = IDS_OFF;
constexpr UINT kTextSyncOn = IDS_ON;

const DialogItem kItems[] = {
    {C::IDC_NTP_TAB, "BUTTON", 2, 0, 200, 24, kButton},
    {C::IDC_CITY_TAB, "BUTTON", 202, 0, 200, 24, kButton},
    {C::IDC_CITY, "STATIC", 50, 31, 300, 14, WS_VISIBLE | SS_NOTIFY},
    {C::IDC_PREVIEW, "STATIC", 50, 54, 300, 14, WS_VISIBLE},
    {C::IDC_CAPTION, "STATIC", 10, 31, 120, 14, WS_VISIBLE},
    {C::IDC_CAPTION + 1, "STATIC", 10, 54, 120, 14, WS_VISIBLE},
    {C::IDC_CAPTION + 2, "STATIC", 10, 77, 120, 14, WS_VISIBLE},
    {C::IDC_SYNC, "STATIC", 170, 31, 180, 14, WS_VISIBLE | SS_NOTIFY},
    {C::IDC_SOURCE, "STATIC", 170, 54, 180, 14, WS_VISIBLE | SS_NOTIFY},
    {C::IDC_SERVER_NAME, "EDIT", 170, 75, 190, 14, WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL},
    {C::IDC_ADDRESS, "STATIC", 154, 74, 248, 19, WS_VISIBLE | SS_NOTIFY},
};
const DialogTemplate kTemplate = CSetupPage::PageTemplate(C::IDD, kItems);
const DialogTemplateRegistration kRegistered(kTemplate);

// Zone offsets by index (zone - 1): whole hours, then +9:30.
constexpr int kZoneHours[23] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, -11, -10, -9, -8, -7, -6, -5, -4, -3, -2};
constexpr LONG kLastZoneOffset = 34200;

// The highlight rectangles of zones 1..23 (left, right), each from y 97 to 297.
constexpr int kHighlight[23][2] = {{23, 43},   {31, 70},   {50, 84},   {61, 97},   {73, 106},  {86, 118},
                                   {102, 135}, {117, 160}, {117, 179}, {150, 190}, {171, 203}, {188, 205},
                                   {201, 233}, {234, 244}, {245, 264}, {265, 281}, {272, 296}, {289, 309},
                                   {303, 326}, {320, 349}, {339, 362}, {342, 381}, {382, 391}};
constexpr RECT kMapRect{13, 97, 393, 297};
// The newer zone list's row of the +9:30 zone, and the zone whose rectangle it shares.
constexpr int kNewListRow = 11;
constexpr int kSharedZone = 11;

std::mutex g_serversLock;
TimeServerOptions& Servers() {
    static TimeServerOptions servers = CTimeProtocolClient::BuiltInServers();
    return servers;
}

LPARAM PackAnswer(const TimeQueryResult& result) {
    static_assert(sizeof(LPARAM) >= 8);
    return LPARAM((ULONGLONG(DWORD(result.code)) << 32) | result.seconds);
}

TimeQueryResult UnpackAnswer(LPARAM packed) {
    TimeQueryResult result;
    result.code = LONG(DWORD(ULONGLONG(packed) >> 32));
    result.seconds = DWORD(ULONGLONG(packed) & 0xFFFFFFFFu);
    return result;
}

} // namespace

CTimeServerDlg::CTimeServerDlg(CWnd* pParent)
    : CSetupPage(IDD, IDB_TIME_SERVER_PAGE_SYNCHRONISATION_OFF, pParent), m_timeClient(TimeServers()) {}

CTimeServerDlg::~CTimeServerDlg() = default;

void CTimeServerDlg::SetTimeServers(const TimeServerOptions& options) {
    std::lock_guard<std::mutex> lock(g_serversLock);
    Servers() = options;
}

TimeServerOptions CTimeServerDlg::TimeServers() {
    std::lock_guard<std::mutex> lock(g_serversLock);
    return Servers();
}

void CTimeServerDlg::DoDataExchange(CDataExchange* pDX) {
    CSetupPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_NTP_TAB, m_btnNtp);
    DDX_Control(pDX, IDC_CITY_TAB, m_btnCity);
    for (UINT i = 0; i < m_labels.size(); ++i) {
        DDX_Control(pDX, int(IDC_CITY + i), m_labels[i]);
    }
    DDX_Control(pDX, IDC_SERVER_NAME, m_editName);
    DDX_Control(pDX, IDC_ADDRESS, m_address);
}

BOOL CTimeServerDlg::OnInitDialog() {
    CSetupPage::OnInitDialog();
    const SetupDatabase& db = Db();
    m_bNewList = db.version_major > 4 || (db.version_major == 4 && db.version_minor >= 2);
    LoadZoneNames();
    LoadMapBitmaps();
    InitLayout();
    ShowNtpTab();
    m_btnCity.Enable(db.time_server_sync != 0);
    return TRUE;
}

void CTimeServerDlg::OnDestroy() {
    KillTimer(kPreviewTimer);
    m_timeClient.Cancel();
    CSetupPage::OnDestroy();
}

void CTimeServerDlg::LoadZoneNames() {
    m_zoneNames.clear();
    m_zoneNames.push_back(CutText(LoadResString(IDS_NONE), kZoneNameChars));
    for (UINT z = 1; z < kZones; ++z) {
        m_zoneNames.push_back(CutText(LoadResString(kFirstZoneText + (z - 1)), kZoneNameChars));
    }
    m_syncNames = {LoadResString(kTextSyncOff), LoadResString(kTextSyncOn)};
    m_sourceNames = {LoadResString(IDS_DEFAULT), LoadResString(IDS_HOST_NAME), LoadResString(IDS_IP_ADDRESS)};
}

void CTimeServerDlg::LoadMapBitmaps() {
    m_bmNtpOff.LoadBitmap(IDB_TIME_SERVER_PAGE_SYNCHRONISATION_OFF);
    m_bmNtpOn.LoadBitmap(IDB_TIME_SERVER_PAGE_SYNCHRONISATION_ON);
    m_bmCity.LoadBitmap(IDB_TIME_SERVER_PAGE_CITY_TAB);
    m_bmMap.LoadBitmap(IDB_WORLD_MAP);
    for (UINT z = 1; z < m_bmZones.size(); ++z) {
        m_bmZones[z].LoadBitmap(IDB_WORLD_MAP + z);
    }
}

void CTimeServerDlg::InitLayout() {
    CSetupSkin::SetUpTextButton(m_btnNtp, IDB_COLUMN_BUTTONS_LEFT_HALF, CSetupSkin::At(2, 0, 200, 24),
                                LoadResString(IDS_NTP), CSetupSkin::kColumnButtonColours);
    CSetupSkin::SetUpTextButton(m_btnCity, IDB_COLUMN_BUTTONS_RIGHT_HALF, CSetupSkin::At(202, 0, 200, 24),
                                LoadResString(IDS_CITY), CSetupSkin::kColumnButtonColours);
    CSetupSkin::SetUpSelector(Label(IDC_CITY), CSetupSkin::At(50, 31, 300, 14));
    CSetupSkin::SetUpValueText(Label(IDC_PREVIEW), CSetupSkin::At(50, 54, 300, 14), "");
    const CString captions[3] = {"NTP", LoadResString(IDS_TYPE), LoadResString(IDS_SERVER)};
    for (UINT i = 0; i < 3; ++i) {
        CSetupSkin::SetUpValueText(Label(IDC_CAPTION + i), CSetupSkin::At(10, 31 + 23 * int(i), 120, 14), captions[i]);
    }
    CSetupSkin::SetUpSelector(Label(IDC_SYNC), CSetupSkin::At(170, 31, 180, 14));
    CSetupSkin::SetUpSelector(Label(IDC_SOURCE), CSetupSkin::At(170, 54, 180, 14));
    m_editName.MoveWindow(170, 75, 190, 14);
    m_editName.SetTextColor(CSetupSkin::kValueColour);
    m_editName.SetLimitText(kServerNameChars);
    m_address.MoveWindow(154, 74, 248, 19);
    m_address.CreateFields();

    const SetupDatabase& db = Db();
    m_nShownZone = db.time_server_city;
    Label(IDC_CITY).SetText(ItemOrNumber(m_zoneNames, db.time_server_city));
    if (db.time_server_city > 0 && db.time_server_city < kZones) {
        StartZoneTime(db.time_server_city);
    }
    SetTimer(kPreviewTimer, kPreviewPeriodMs);
}

void CTimeServerDlg::ShowControl(CWnd& wnd, bool show) {
    wnd.ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CTimeServerDlg::ShowSourceRow(bool on) {
    const SetupDatabase& db = Db();
    ShowControl(Label(IDC_CAPTION + 1), on);
    ShowControl(Label(IDC_CAPTION + 2), on);
    ShowControl(Label(IDC_SOURCE), on);
    if (!on) {
        ShowControl(m_editName, false);
        ShowControl(m_address, false);
        return;
    }
    Label(IDC_SOURCE).SetText(ItemOrNumber(m_sourceNames, db.time_server_source));
    m_editName.SetWindowText(SlotText(db.time_server_user, sizeof db.time_server_user));
    ShowServerRow();
    ShowControl(m_editName, db.time_server_source < 2);
    ShowControl(m_address, db.time_server_source >= 2);
}

void CTimeServerDlg::ShowNtpTab() {
    m_btnNtp.SetState(kButtonOn);
    m_btnCity.SetState(kButtonNormal);
    ClosePopups();
    m_nTab = 0;
    ShowControl(Label(IDC_CITY), false);
    ShowControl(Label(IDC_PREVIEW), false);
    ShowControl(Label(IDC_CAPTION), true);
    const BYTE sync = Db().time_server_sync;
    Label(IDC_SYNC).SetText(ItemOrNumber(m_syncNames, sync));
    ShowControl(Label(IDC_SYNC), true);
    ShowSourceRow(sync != 0);
    Invalidate();
}

void CTimeServerDlg::ShowCityTab() {
    m_btnNtp.SetState(kButtonNormal);
    m_btnCity.SetState(kButtonOn);
    ClosePopups();
    m_nTab = 1;
    ShowControl(Label(IDC_CITY), true);
    ShowControl(Label(IDC_PREVIEW), true);
    for (UINT id = IDC_CAPTION; id <= IDC_SOURCE; ++id) {
        ShowControl(Label(id), false);
    }
    ShowControl(m_editName, false);
    ShowControl(m_address, false);
    Invalidate();
}

void CTimeServerDlg::ShowServerRow() {
    const SetupDatabase& db = Db();
    switch (db.time_server_source) {
    case 0:
        m_editName.SetReadOnly(TRUE);
        m_editName.SetWindowText(SlotText(db.time_server_builtin, sizeof db.time_server_builtin));
        ShowControl(m_editName, true);
        ShowControl(m_address, false);
        break;
    case 1:
        m_editName.SetReadOnly(FALSE);
        m_editName.SetWindowText(SlotText(db.time_server_user, sizeof db.time_server_user));
        ShowControl(m_editName, true);
        ShowControl(m_address, false);
        m_editName.SetFocus();
        break;
    case 2:
        ShowControl(m_editName, false);
        m_address.SetAddress(db.time_server_ip);
        ShowControl(m_address, true);
        m_address.FocusFirstField();
        break;
    default:
        m_editName.SetWindowText("");
        break;
    }
}

BOOL CTimeServerDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == EN_CHANGE && id == IDC_SERVER_NAME) {
        OnServerNameChange();
        return TRUE;
    }
    if (code == EN_CHANGE && id == IDC_ADDRESS) {
        OnAddressChange();
        return TRUE;
    }
    if (code == BN_CLICKED || code == STN_CLICKED) {
        switch (id) {
        case IDC_NTP_TAB:
            ShowNtpTab();
            return TRUE;
        case IDC_CITY_TAB:
            ShowCityTab();
            return TRUE;
        case IDC_CITY:
            OpenCityList();
            return TRUE;
        case IDC_SYNC:
            OpenSyncList();
            return TRUE;
        case IDC_SOURCE:
            OpenSourceList();
            return TRUE;
        default:
            break;
        }
    }
    return CSetupPage::OnCommand(wParam, lParam);
}

void CTimeServerDlg::OpenCityList() {
    if (!CSetupSkin::HasText(Label(IDC_CITY))) {
        return;
    }
    std::vector<CString> items;
    if (m_bNewList) {
        // The +9:30 zone takes its place between +9 and +10.
        for (int row = 0; row < kZones; ++row) {
            items.push_back(m_zoneNames[std::size_t(ZoneOfListRow(row))]);
        }
    } else {
        items.assign(m_zoneNames.begin(), m_zoneNames.begin() + (kZones - 1));
    }
    OpenList(Label(IDC_CITY), kKindCity, items, 350);
}

void CTimeServerDlg::OpenSyncList() {
    if (CSetupSkin::HasText(Label(IDC_SYNC))) {
        OpenList(Label(IDC_SYNC), kKindSync, m_syncNames, 100);
    }
}

void CTimeServerDlg::OpenSourceList() {
    if (CSetupSkin::HasText(Label(IDC_SOURCE))) {
        OpenList(Label(IDC_SOURCE), kKindSource, m_sourceNames, 130);
    }
}

int CTimeServerDlg::ZoneOfListRow(int row) const {
    if (!m_bNewList || row < kNewListRow) {
        return row;
    }
    return row == kNewListRow ? kZones - 1 : row - 1;
}

void CTimeServerDlg::OnListResult(int kind, int index) {
    if (index < 0) {
        return;
    }
    SetupDatabase& db = Db();
    if (m_nTab == 1) {
        // On the City tab any answer is a city.
        PickCity(index);
    } else if (kind == kKindSync) {
        if (index >= int(m_syncNames.size())) {
            return;
        }
        db.time_server_sync = BYTE(index);
        Label(IDC_SYNC).SetText(m_syncNames[std::size_t(index)]);
        ShowSourceRow(index != 0);
        m_btnCity.Enable(index != 0);
    } else if (kind == kKindSource) {
        if (index >= int(m_sourceNames.size())) {
            return;
        }
        db.time_server_source = BYTE(index);
        Label(IDC_SOURCE).SetText(m_sourceNames[std::size_t(index)]);
        ShowServerRow();
    }
    Invalidate();
}

void CTimeServerDlg::PickCity(int row) {
    if (row >= (m_bNewList ? kZones : kZones - 1)) {
        return;
    }
    const int zone = ZoneOfListRow(row);
    Db().time_server_city = BYTE(zone);
    m_nShownZone = zone;
    Label(IDC_CITY).SetText(m_zoneNames[std::size_t(zone)]);
    // The preview shows nothing until the time server has answered (or failed).
    StopPreview();
    Label(IDC_PREVIEW).SetText("");
    if (zone > 0) {
        StartZoneTime(zone);
    }
}

void CTimeServerDlg::StopPreview() {
    m_bClockRunning = false;
    m_timeClient.Cancel();
}

void CTimeServerDlg::StartZoneTime(int zone) {
    m_nQueryZone = zone;
    const WPARAM query = ++m_nQuery;
    const HWND page = GetSafeHwnd();
    m_timeClient.Start([page, query](const TimeQueryResult& result) {
        // A page closed meanwhile has a dead handle: the post is dropped.
        ::PostMessage(page, WM_KELO_TIME_SERVER_ANSWER, query, PackAnswer(result));
    });
}

void CTimeServerDlg::OnTimeServerAnswer(WPARAM query, LPARAM result) {
    if (query != m_nQuery || m_nQueryZone <= 0 || m_nQueryZone != Db().time_server_city) {
        return;
    }
    const DstInfo rules = Client() != nullptr ? Client()->Setup().GetDstInfo() : DstInfo{};
    const LONGLONG t = ZoneTime(UnpackAnswer(result), LONGLONG(std::time(nullptr)), m_nQueryZone - 1, Db().dst, rules);
    if (t <= 0) {
        Label(IDC_PREVIEW).SetText("");
        return;
    }
    m_nBase = t;
    m_nShownTime = t;
    m_nBaseTickSeconds = GetTickCount64() / 1000;
    m_nSecondsShown = 0;
    m_bClockRunning = true;
    Label(IDC_PREVIEW).SetText(FormatTime(t, Db().date_format));
}

LRESULT CTimeServerDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KELO_TIME_SERVER_ANSWER) {
        OnTimeServerAnswer(wParam, lParam);
        return 0;
    }
    return CSetupPage::WindowProc(message, wParam, lParam);
}

void CTimeServerDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kPreviewTimer) {
        CSetupPage::OnTimer(nIDEvent);
        return;
    }
    if (Db().time_server_city == 0 || !m_bClockRunning) {
        return;
    }
    const LONGLONG elapsed = LONGLONG(GetTickCount64() / 1000 - m_nBaseTickSeconds);
    if (elapsed <= m_nSecondsShown) {
        return;
    }
    m_nShownTime = m_nBase + elapsed;
    if (m_nTab == 1) {
        Label(IDC_PREVIEW).SetText(FormatTime(m_nShownTime, Db().date_format));
    }
    m_nSecondsShown = elapsed;
}

void CTimeServerDlg::OnServerNameChange() {
    SetupDatabase& db = Db();
    if (db.time_server_source != 1) {
        return;
    }
    CString text;
    m_editName.GetWindowText(text);
    std::memset(db.time_server_user, 0, sizeof db.time_server_user);
    WriteSlotText(db.time_server_user, sizeof db.time_server_user, text);
}

void CTimeServerDlg::OnAddressChange() {
    m_address.GetAddress(Db().time_server_ip);
}

BOOL CTimeServerDlg::OnEraseBkgnd(CDC* pDC) {
    if (m_nTab == 0) {
        DrawBitmap(pDC, Db().time_server_sync != 0 ? m_bmNtpOn : m_bmNtpOff, 0, 0, kWidth, kHeight, TRUE, 0);
        return TRUE;
    }
    DrawBitmap(pDC, m_bmCity, 0, 0, kWidth, kHeight, TRUE, 0);
    DrawBitmap(pDC, m_bmMap, kMapRect.left, kMapRect.top, kMapRect.right, kMapRect.bottom, TRUE, 0);
    const int zone = Db().time_server_city;
    int rect = zone;
    HBITMAP highlight = nullptr;
    if (m_bNewList && (zone == kSharedZone || zone == kZones - 1)) {
        rect = kSharedZone;
        highlight = zone == kSharedZone ? m_bmZones[25] : m_bmZones[24];
    } else if (zone >= 1 && zone <= 23) {
        highlight = m_bmZones[std::size_t(zone)];
    }
    // Zone 24 without the newer list has no rectangle of its own: no highlight.
    if (highlight != nullptr) {
        const int* lr = kHighlight[rect - 1];
        DrawBitmap(pDC, highlight, lr[0], kMapRect.top, lr[1], kMapRect.bottom, TRUE, 0);
    }
    return TRUE;
}

LONG CTimeServerDlg::ZoneOffset(int index) {
    if (index >= 0 && index < 23) {
        return kZoneHours[index] * 3600;
    }
    return index == 23 ? kLastZoneOffset : 0;
}

LONGLONG CTimeServerDlg::ZoneTime(const TimeQueryResult& answer, LONGLONG pcTime, int index, const BYTE dst[17],
                                  const DstInfo& rules) {
    // The answer is taken as a signed count, so a server's time before 1970 leaves the preview empty.
    LONGLONG t = answer.code == 0 ? LONGLONG(LONG(answer.seconds)) : pcTime;
    t += ZoneOffset(index);
    return ApplyDaylightSaving(t, dst, rules);
}

CString CTimeServerDlg::FormatTime(LONGLONG t, int dateFormat) {
    const WallClockFields f = BreakDownWallClock(t);
    const int month = f.month + 1;
    CString text;
    switch (dateFormat) {
    case 1:
        text.Format("%02d-%02d-%04d  %02d:%02d:%02d", month, f.day, f.year, f.hour, f.minute, f.second);
        break;
    case 2:
        text.Format("%02d-%02d-%04d  %02d:%02d:%02d", f.day, month, f.year, f.hour, f.minute, f.second);
        break;
    default:
        text.Format("%04d-%02d-%02d  %02d:%02d:%02d", f.year, month, f.day, f.hour, f.minute, f.second);
        break;
    }
    return text;
}
