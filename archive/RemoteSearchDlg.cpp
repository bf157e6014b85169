#include "archive/RemoteSearchDlg.h"

#include "archive/BackupCalendarDlg.h"
#include "archive/BackupChannelSelectDlg.h"
#include "archive/BackupDateTimeDlg.h"
#include "archive/BackupEventListDlg.h"
#include "archive/BackupMenuDlg.h"
#include "archive/BackupTimelineDlg.h"
#include "archive/ChannelMask.h"
#include "archive/ChannelSelectDlg.h"
#include "archive/DateTimeSearchDlg.h"
#include "archive/DayTimelineDlg.h"
#include "archive/EventListDlg.h"
#include "archive/InfoMenuDlg.h"
#include "archive/ItemPickerDlg.h"
#include "archive/LogMenuDlg.h"
#include "archive/LogPageRegistry.h"
#include "archive/PlayCalendarDlg.h"
#include "archive/SearchMenuDlg.h"
#include "archive/SearchPage.h"
#include "archive/TimePickerDlg.h"
#include "controls/KeyPolicy.h"
#include "controls/SkinFont.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/window/DataExchange.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/PacketHeader.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <chrono>
#include <map>
#include <thread>

namespace {

constexpr UINT kIdTab[4] = {430, 431, 432, 433};
constexpr UINT kIdClose = 435;
constexpr UINT kIdCancel = 436;
// The page area, where the "please wait" text shows while a request is outstanding.
constexpr RECT kPageArea = {194, 78, 603, 501};
// The main window's play clock, repainted when a Play or Backup closes the frame.
constexpr RECT kPlayClockArea = {250, 630, 677, 644};

const DialogItem kItems[] = {
    {kIdTab[0], "BUTTON", 22, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {kIdTab[1], "BUTTON", 93, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {kIdTab[2], "BUTTON", 164, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {kIdTab[3], "BUTTON", 235, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {IDOK, "BUTTON", 400, 516, 97, 22, BS_OWNERDRAW},
    {kIdCancel, "BUTTON", 501, 516, 97, 22, WS_VISIBLE | BS_OWNERDRAW},
    {kIdClose, "BUTTON", 580, 12, 26, 26, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{.id = CRemoteSearchDlg::IDD,
                               .cx = CRemoteSearchDlg::kWidth,
                               .cy = CRemoteSearchDlg::kHeight,
                               .style = WS_POPUP,
                               .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

std::map<int, CRemoteSearchDlg::PageFactory>& Factories() {
    static std::map<int, CRemoteSearchDlg::PageFactory> factories;
    return factories;
}

template <typename Page, typename... Args>
CRemoteSearchDlg::PageFactory Maker(Args... args) {
    return [=]() -> std::unique_ptr<CSearchPage> { return std::make_unique<Page>(args...); };
}

} // namespace

void CRemoteSearchDlg::RegisterPageFactory(int slot, PageFactory factory) {
    Factories()[slot] = std::move(factory);
}

CRemoteSearchDlg::PageFactory CRemoteSearchDlg::FactoryOf(int slot) {
    const auto found = Factories().find(slot);
    return found != Factories().end() ? found->second : PageFactory{};
}

CRemoteSearchDlg::CRemoteSearchDlg(IArchiveHost& host, BYTE alpha, CWnd* pParent)
    : CDialog(IDD, pParent), m_host(host), m_nAlpha(alpha) {
    ResetChannelMask();
}

CRemoteSearchDlg::~CRemoteSearchDlg() = default;

// ---- shared state

void CRemoteSearchDlg::SetBusy(bool busy) {
    const BYTE value = busy ? 1 : 0;
    if (value == m_bBusy) {
        return;
    }
    m_bBusy = value;
    if (GetSafeHwnd() != nullptr) {
        InvalidateRect(&kPageArea, TRUE);
    }
}

int CRemoteSearchDlg::ChannelCount() {
    CDvrClient* client = Client();
    return client != nullptr ? NormaliseChannelCount(client->Login().GetHello().channel_num) : 16;
}

void CRemoteSearchDlg::ResetChannelMask() {
    m_nChannelMask = AllChannelsMask(ChannelCount());
}

void CRemoteSearchDlg::ClearReply() {
    m_reply.clear();
    if (CDvrClient* client = Client()) {
        client->Search().ResetSearchReply();
    }
}

CSearchPage* CRemoteSearchDlg::Page(int slot) const {
    if (slot < 0 || slot >= kSlotItemPicker) {
        return nullptr;
    }
    return static_cast<CSearchPage*>(m_pages[std::size_t(slot)]);
}

CPlayCalendarDlg* CRemoteSearchDlg::PlayCalendar() const {
    return static_cast<CPlayCalendarDlg*>(Page(kSlotPlayCalendar));
}

CBackupCalendarDlg* CRemoteSearchDlg::BackupCalendar() const {
    return static_cast<CBackupCalendarDlg*>(Page(kSlotBackupCalendar));
}

void CRemoteSearchDlg::SendRequest(WORD id, const void* body, DWORD length) {
    if (CDvrClient* client = Client()) {
        client->SendPacket(PacketHeader::Request(id, length), body, length);
    }
}

void CRemoteSearchDlg::PostNotice(LPARAM notice) {
    if (CWnd* main = m_host.MainWindow()) {
        main->PostMessage(WM_KELO_NOTICE, WPARAM(GetSafeHwnd()), notice);
    }
}

void CRemoteSearchDlg::CloseAfterAction(int waitMs) {
    if (waitMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
    } else {
        std::this_thread::yield();
    }
    if (CWnd* main = m_host.MainWindow()) {
        main->InvalidateRect(&kPlayClockArea, TRUE);
    }
    PostMessage(WM_CLOSE);
}

void CRemoteSearchDlg::ClearResumeUnlessPlaying() {
    if (Client() != nullptr && m_host.VideoPlaySource() != 2) {
        m_host.Resume().ClearRecord();
    }
}

// ---- life

void CRemoteSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < 4; ++i) {
        DDX_Control(pDX, int(kIdTab[i]), m_btnTab[i]);
    }
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Control(pDX, kIdCancel, m_btnCancel);
    DDX_Control(pDX, kIdClose, m_btnClose);
}

void CRemoteSearchDlg::LayoutControls() {
    static const UINT kTabStrips[4] = {IDB_SEARCH_FRAME_TAB_SEARCH, IDB_SEARCH_FRAME_TAB_BACKUP,
                                       IDB_SEARCH_FRAME_TAB_LOGS, IDB_SEARCH_FRAME_TAB_INFORMATION};
    for (int i = 0; i < 4; ++i) {
        m_btnTab[i].LoadBitmap(kTabStrips[i]);
        m_btnTab[i].MoveWindow(22 + 71 * i, 1, 71, 65);
    }
    CSkinTextButton* texts[2] = {&m_btnOk, &m_btnCancel};
    const UINT captions[2] = {IDS_OK, IDS_CANCEL};
    const int xs[2] = {400, 501};
    for (int i = 0; i < 2; ++i) {
        texts[i]->LoadBitmap(IDB_FRAME_OK_CANCEL);
        for (int c = 0; c < 4; ++c) {
            texts[i]->m_clrText[c] = kPageButtonColours[c];
        }
        texts[i]->SetFont(9, 0, 700, "Arial Bold");
        texts[i]->SetCaption(0, LoadResString(captions[i]), TRUE);
        texts[i]->MoveWindow(xs[i], 516, 97, 22);
    }
    m_btnOk.ShowWindow(SW_HIDE);
    m_btnClose.LoadBitmap(IDB_FRAME_CLOSE);
    m_btnClose.MoveWindow(580, 12, 26, 26);
}

BOOL CRemoteSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_SEARCH_SETUP_FRAME);
    LayoutControls();
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    m_host.SetSearchFrame(this, GetSafeHwnd());
    if (CDvrClient* client = Client()) {
        client->Search().SetSearchFrameOpen(true);
    }
    ApplyRightsAtStart();
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    return TRUE;
}

BOOL CRemoteSearchDlg::DestroyWindow() {
    if (GetSafeHwnd() == nullptr) {
        return FALSE;
    }
    m_bClosing = true;
    if (CDvrClient* client = Client()) {
        client->Play().SetPlayMask(m_nChannelMask);
        client->Search().SetSearchFrameOpen(false);
    }
    m_host.SetSearchFrame(nullptr, nullptr);
    CloseChildrenExcept(nullptr);
    for (int slot = kSlotSearchMenu; slot <= kSlotInfoMenu; ++slot) {
        if (m_pages[std::size_t(slot)] != nullptr) {
            m_pages[std::size_t(slot)]->DestroyWindow();
        }
    }
    m_reply.clear();
    m_months.clear();
    m_segments.clear();
    return CDialog::DestroyWindow();
}

void CRemoteSearchDlg::OnPageDestroyed(int slot, CWnd* page) {
    if (slot >= 0 && slot < kSearchPageSlots && m_pages[std::size_t(slot)] == page) {
        m_pages[std::size_t(slot)] = nullptr;
    }
}

// ---- rights

void CRemoteSearchDlg::ApplyRightsAtStart() {
    CDvrClient* client = Client();
    if (client == nullptr) {
        return;
    }
    ArchiveResume& resume = m_host.Resume();
    if (client->Setup().HasAccountRight(kRightPlayback)) {
        if (!client->Setup().HasAccountRight(kRightBackup) || client->Backup().IsBackup()) {
            m_btnTab[1].Enable(FALSE);
        }
        if (resume.record.active != 0 && resume.record.source == 1) {
            OnLogTab();
        } else {
            OnSearchTab();
        }
        return;
    }
    // Without the search right nothing is kept to return to.
    resume.ClearRecord();
    resume.FreeCopies();
    m_btnTab[0].Enable(FALSE);
    m_btnTab[2].Enable(FALSE);
    m_btnTab[3].Enable(FALSE);
    if (client->Backup().IsBackup()) {
        PostMessage(WM_CLOSE);
    } else {
        OnBackupTab();
    }
}

void CRemoteSearchDlg::OnRightChange(WPARAM rights) {
    CDvrClient* client = Client();
    if (client == nullptr) {
        return;
    }
    ArchiveResume& resume = m_host.Resume();
    if (rights == 0) {
        for (int i = 0; i < 4; ++i) {
            m_btnTab[i].Enable(TRUE);
            m_btnTab[i].SetState(m_pages[std::size_t(i)] != nullptr ? kButtonOn : kButtonNormal);
        }
        return;
    }
    if (rights == 1) {
        resume.ClearRecord();
        resume.FreeCopies();
        m_btnTab[0].Enable(FALSE);
        m_btnTab[2].Enable(FALSE);
        m_btnTab[3].Enable(FALSE);
        m_btnTab[1].Enable(TRUE);
        if (client->Backup().IsBackup()) {
            PostMessage(WM_CLOSE);
        } else {
            OnBackupTab();
        }
        return;
    }
    m_btnTab[0].Enable(TRUE);
    m_btnTab[2].Enable(TRUE);
    m_btnTab[3].Enable(TRUE);
    m_btnTab[1].Enable(FALSE);
    if (m_pages[kSlotBackupMenu] != nullptr) {
        if (resume.record.active != 0 && resume.record.source == 1) {
            OnLogTab();
        } else {
            OnSearchTab();
        }
        return;
    }
    for (int i : {0, 2, 3}) {
        m_btnTab[i].SetState(m_pages[std::size_t(i)] != nullptr ? kButtonOn : kButtonNormal);
    }
}

// ---- tabs

void CRemoteSearchDlg::SelectTab(int tab) {
    for (int i = 0; i < 4; ++i) {
        m_btnTab[i].SetState(kButtonNormal);
    }
    m_btnTab[tab].SetState(kButtonOn);
}

void CRemoteSearchDlg::ShowMenuPage(int slot, int tab, bool resetMask) {
    if (IsBusy()) {
        return;
    }
    SelectTab(tab);
    for (int other = kSlotSearchMenu; other <= kSlotInfoMenu; ++other) {
        if (other != slot && m_pages[std::size_t(other)] != nullptr) {
            m_pages[std::size_t(other)]->DestroyWindow();
        }
    }
    if (m_pages[std::size_t(slot)] != nullptr) {
        m_pages[std::size_t(slot)]->ShowWindow(SW_SHOW);
        return;
    }
    if (resetMask) {
        ResetChannelMask();
    }
    PageFactory make;
    switch (slot) {
    case kSlotSearchMenu:
        make = Maker<CSearchMenuDlg>();
        break;
    case kSlotBackupMenu:
        make = Maker<CBackupMenuDlg>();
        break;
    case kSlotLogMenu:
        make = Maker<CLogMenuDlg>();
        break;
    default:
        make = Maker<CInfoMenuDlg>();
        break;
    }
    OpenPageUnlessOpen(slot, make);
}

void CRemoteSearchDlg::OnSearchTab() {
    ShowMenuPage(kSlotSearchMenu, 0, true);
}

void CRemoteSearchDlg::OnBackupTab() {
    ShowMenuPage(kSlotBackupMenu, 1, true);
}

void CRemoteSearchDlg::OnLogTab() {
    ShowMenuPage(kSlotLogMenu, 2, false);
}

void CRemoteSearchDlg::OnInfoTab() {
    ShowMenuPage(kSlotInfoMenu, 3, false);
}

void CRemoteSearchDlg::OnClose() {
    ClearResumeUnlessPlaying();
    CDialog::OnCancel();
}

void CRemoteSearchDlg::OnCancel() {
    SendRequest(Msg::CAPA_CAL_CANCEL);
    OnClose();
}

BOOL CRemoteSearchDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) != BN_CLICKED) {
        return CDialog::OnCommand(wParam, lParam);
    }
    switch (LOWORD(wParam)) {
    case kIdTab[0]:
        OnSearchTab();
        return TRUE;
    case kIdTab[1]:
        OnBackupTab();
        return TRUE;
    case kIdTab[2]:
        OnLogTab();
        return TRUE;
    case kIdTab[3]:
        OnInfoTab();
        return TRUE;
    case kIdClose:
        OnClose();
        return TRUE;
    case kIdCancel:
        OnCancel();
        return TRUE;
    case IDOK:
        return TRUE; // OK is hidden and does nothing
    default:
        return CDialog::OnCommand(wParam, lParam);
    }
}

// ---- pages

void CRemoteSearchDlg::CloseChildrenExcept(const CWnd* keep) {
    for (int slot = kSlotDateTimeSearch; slot < kSearchPageSlots; ++slot) {
        CWnd* page = m_pages[std::size_t(slot)];
        if (page != nullptr && page != keep) {
            page->DestroyWindow();
            // A page whose window was already gone must not linger in its slot.
            if (m_pages[std::size_t(slot)] == page) {
                m_pages[std::size_t(slot)] = nullptr;
            }
        }
    }
}

CSearchPage* CRemoteSearchDlg::OpenPageUnlessOpen(int slot, const PageFactory& make) {
    if (slot < 0 || slot >= kSlotItemPicker) {
        return nullptr;
    }
    if (m_pages[std::size_t(slot)] != nullptr) {
        return Page(slot);
    }
    if (!make) {
        return nullptr;
    }
    std::unique_ptr<CSearchPage> page = make();
    if (!page) {
        return nullptr;
    }
    m_pages[std::size_t(slot)] = page.get();
    if (!page->Create(this)) {
        m_pages[std::size_t(slot)] = nullptr;
        return nullptr;
    }
    // The window owns the page from here on: it deletes itself once its window is gone.
    CSearchPage* shown = page.release();
    if (m_pages[std::size_t(slot)] == shown) {
        shown->ShowWindow(SW_SHOW);
        return shown;
    }
    return nullptr; // it closed itself while it was being made
}

CSearchPage* CRemoteSearchDlg::ShowContentPage(int slot, const PageFactory& make) {
    if (slot < kSlotDateTimeSearch || slot >= kSlotItemPicker) {
        return nullptr;
    }
    CWnd* existing = m_pages[std::size_t(slot)];
    CloseChildrenExcept(existing);
    if (existing != nullptr) {
        existing->ShowWindow(SW_SHOW);
        return Page(slot);
    }
    return OpenPageUnlessOpen(slot, make);
}

void CRemoteSearchDlg::RequestPage(int slot, WORD id, bool clearBusyWhenShown) {
    CWnd* existing = m_pages[std::size_t(slot)];
    if (existing != nullptr) {
        CloseChildrenExcept(existing);
        existing->ShowWindow(SW_SHOW);
        if (clearBusyWhenShown) {
            SetBusy(false);
        }
        return;
    }
    CloseChildrenExcept(nullptr);
    ClearReply();
    if (id == Msg::TRANS_INFO_MONTH_REQ && m_backupRange.endDayPending == 1) {
        // The end day is picked from the month records the start day was picked from.
        PostMessage(WM_KELO_TRANS_MONTH_READY);
        return;
    }
    SendRequest(id);
}

void CRemoteSearchDlg::RequestEventInfo() {
    RequestPage(kSlotEventList, Msg::EVENT_INFO_REQ, true);
}

void CRemoteSearchDlg::RequestPlayMonthInfo() {
    RequestPage(kSlotPlayCalendar, Msg::PLAY_INFO_MONTH_REQ, true);
}

void CRemoteSearchDlg::RequestBackupEventInfo() {
    RequestPage(kSlotBackupEventList, Msg::EVENT_INFO_REQ, true);
}

void CRemoteSearchDlg::RequestTransMonthInfo() {
    RequestPage(kSlotBackupCalendar, Msg::TRANS_INFO_MONTH_REQ, true);
}

void CRemoteSearchDlg::RequestLogInfo() {
    RequestPage(kSlotLogAll, Msg::LOG_INFO_REQ, true);
}

void CRemoteSearchDlg::RequestStatusInfo() {
    RequestPage(kSlotStatusInfo, Msg::STATUS_INFO_REQ, false);
}

void CRemoteSearchDlg::ShowDateTimeSearch() {
    ShowContentPage(kSlotDateTimeSearch, Maker<CDateTimeSearchDlg>());
}

void CRemoteSearchDlg::ShowChannelSelect() {
    ShowContentPage(kSlotChannelSelect, Maker<CChannelSelectDlg>());
}

void CRemoteSearchDlg::ShowBackupDateTime() {
    ShowContentPage(kSlotBackupDateTime, Maker<CBackupDateTimeDlg>());
}

void CRemoteSearchDlg::ShowBackupChannelSelect() {
    ShowContentPage(kSlotBackupChannelSelect, Maker<CBackupChannelSelectDlg>());
}

void CRemoteSearchDlg::ShowBackupTimeline() {
    ShowContentPage(kSlotBackupTimeline, Maker<CBackupTimelineDlg>());
    SetBusy(false);
}

void CRemoteSearchDlg::ShowDayTimeline(int year, int month, int day) {
    ShowContentPage(kSlotDayTimeline, Maker<CDayTimelineDlg>(year, month, day));
    SetBusy(false);
}

void CRemoteSearchDlg::ShowSystemInfo() {
    ShowContentPage(kSlotSystemInfo, FactoryOf(kSlotSystemInfo));
}

void CRemoteSearchDlg::ShowAllLogDlg() {
    ShowContentPage(kSlotLogAll, FactoryOf(kSlotLogAll));
}

void CRemoteSearchDlg::ShowPowerLogDlg() {
    ShowContentPage(kSlotLogPower, FactoryOf(kSlotLogPower));
}

void CRemoteSearchDlg::ShowRecordLogDlg() {
    ShowContentPage(kSlotLogRecord, FactoryOf(kSlotLogRecord));
}

void CRemoteSearchDlg::ShowOperationLogDlg() {
    ShowContentPage(kSlotLogOperation, FactoryOf(kSlotLogOperation));
}

void CRemoteSearchDlg::ShowClientLogDlg() {
    ShowContentPage(kSlotLogClient, FactoryOf(kSlotLogClient));
}

void CRemoteSearchDlg::ShowEventLogDlg() {
    ShowContentPage(kSlotLogEvent, FactoryOf(kSlotLogEvent));
}

// ---- pickers

void CRemoteSearchDlg::ShowItemPicker(CWnd* page, UINT field, const ListPopupRequest* request, int firstIndex,
                                      int flag) {
    ClosePickers();
    if (request == nullptr) {
        return;
    }
    auto picker = std::make_unique<CItemPickerDlg>(page, field, *request, firstIndex, flag);
    m_pages[kSlotItemPicker] = picker.get();
    if (!picker->Create(*this)) {
        m_pages[kSlotItemPicker] = nullptr;
        return;
    }
    CItemPickerDlg* shown = picker.release(); // deletes itself once its window is gone
    shown->ShowWindow(SW_SHOW);
}

void CRemoteSearchDlg::ShowTimePicker(CWnd* page, UINT field, const TimePickerRequest* request) {
    ClosePickers();
    if (request == nullptr) {
        return;
    }
    auto picker = std::make_unique<CTimePickerDlg>(page, field, *request);
    m_pages[kSlotTimePicker] = picker.get();
    if (!picker->Create(*this)) {
        m_pages[kSlotTimePicker] = nullptr;
        return;
    }
    CTimePickerDlg* shown = picker.release(); // deletes itself once its window is gone
    shown->ShowWindow(SW_SHOW);
}

void CRemoteSearchDlg::ClosePickers() {
    for (int slot : {kSlotItemPicker, kSlotTimePicker}) {
        if (CWnd* picker = m_pages[std::size_t(slot)]) {
            picker->DestroyWindow();
            if (m_pages[std::size_t(slot)] == picker) {
                m_pages[std::size_t(slot)] = nullptr;
            }
        }
    }
}

CItemPickerDlg* CRemoteSearchDlg::ItemPicker() const {
    return static_cast<CItemPickerDlg*>(m_pages[kSlotItemPicker]);
}

CTimePickerDlg* CRemoteSearchDlg::TimePicker() const {
    return static_cast<CTimePickerDlg*>(m_pages[kSlotTimePicker]);
}

void CRemoteSearchDlg::OnItemPicked(CWnd* page, UINT field, UINT index) {
    if (index == 0xFFFFFFFFu || m_bClosing || page == nullptr) {
        return;
    }
    for (int slot : {kSlotDateTimeSearch, kSlotPlayCalendar, kSlotBackupDateTime, kSlotBackupCalendar}) {
        if (m_pages[std::size_t(slot)] == page) {
            Page(slot)->OnItemPicked(field, index);
            return;
        }
    }
}

void CRemoteSearchDlg::OnTimePicked(CWnd* page, UINT field, int hour, int minute, int second) {
    if (m_bClosing || page == nullptr) {
        return;
    }
    for (int slot : {kSlotDateTimeSearch, kSlotDayTimeline, kSlotBackupDateTime, kSlotBackupTimeline}) {
        if (m_pages[std::size_t(slot)] == page) {
            Page(slot)->OnTimePicked(field, hour, minute, second);
            return;
        }
    }
}

void CRemoteSearchDlg::OnPickerDestroyed(CWnd* picker) {
    for (int slot : {kSlotItemPicker, kSlotTimePicker}) {
        if (m_pages[std::size_t(slot)] == picker) {
            m_pages[std::size_t(slot)] = nullptr;
        }
    }
}

// ---- replies

void CRemoteSearchDlg::OnSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) {
    (void)count; // the records are counted from the bytes themselves
    switch (readyMessage) {
    case WM_KELO_PLAY_MONTH_READY:
    case WM_KELO_TRANS_MONTH_READY:
        m_months = ParseMonthRecords(bytes);
        break;
    case WM_KELO_EVENT_LIST_READY:
    case WM_KELO_PLAY_DAY_READY:
    case WM_KELO_TRANS_DAY_READY:
        m_segments = ParseSegments(bytes);
        break;
    case WM_KELO_LOG_READY:
    case WM_KELO_SYSTEM_INFO_READY:
    case WM_KELO_STATUS_READY:
        if (bytes.size() > kReplyCapacity) {
            bytes.resize(kReplyCapacity);
        }
        m_reply = std::move(bytes);
        break;
    default:
        return;
    }
    WindowProc(readyMessage, 0, 0);
}

void CRemoteSearchDlg::OnSearchBusyCleared() {
    SetBusy(false);
}

void CRemoteSearchDlg::OnPlayMonthReady() {
    SetBusy(false);
    OpenPageUnlessOpen(kSlotPlayCalendar, Maker<CPlayCalendarDlg>());
}

void CRemoteSearchDlg::OnEventInfoReady() {
    SetBusy(false);
    if (m_pages[kSlotSearchMenu] != nullptr) {
        OpenPageUnlessOpen(kSlotEventList, Maker<CEventListDlg>());
    } else if (m_pages[kSlotBackupMenu] != nullptr) {
        OpenPageUnlessOpen(kSlotBackupEventList, Maker<CBackupEventListDlg>());
    }
}

void CRemoteSearchDlg::OnTransMonthReady() {
    SetBusy(false);
    OpenPageUnlessOpen(kSlotBackupCalendar, Maker<CBackupCalendarDlg>());
}

void CRemoteSearchDlg::OnPlayDayReady() {
    const CPlayCalendarDlg* calendar = PlayCalendar();
    if (calendar == nullptr) {
        SetBusy(false); // the calendar that asked is gone: nothing to open the day from
        return;
    }
    ShowDayTimeline(calendar->SelectedYear(), calendar->SelectedMonth(), calendar->ClickedDay());
}

void CRemoteSearchDlg::OnTransDayReady() {
    ShowBackupTimeline();
}

void CRemoteSearchDlg::OnLogInfoReady() {
    SetBusy(false);
    OpenPageUnlessOpen(kSlotLogAll, FactoryOf(kSlotLogAll));
}

void CRemoteSearchDlg::OnStatusInfoReady() {
    OpenPageUnlessOpen(kSlotStatusInfo, FactoryOf(kSlotStatusInfo));
}

void CRemoteSearchDlg::OnBackupSizeReady(DWORD kbytes) {
    SetBusy(false);
    for (int slot : {kSlotBackupDateTime, kSlotBackupEventList, kSlotBackupTimeline}) {
        if (CSearchPage* page = Page(slot)) {
            page->OnBackupSize(kbytes);
            return;
        }
    }
}

LRESULT CRemoteSearchDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        // Ends the frame without telling the recorder and without forgetting the search to return to.
        EndDialog(IDCANCEL);
        return 0;
    case WM_KELO_PLAY_MONTH_READY:
        OnPlayMonthReady();
        return 0;
    case WM_KELO_EVENT_LIST_READY:
        OnEventInfoReady();
        return 0;
    case WM_KELO_TRANS_MONTH_READY:
        OnTransMonthReady();
        return 0;
    case WM_KELO_PLAY_DAY_READY:
        OnPlayDayReady();
        return 0;
    case WM_KELO_TRANS_DAY_READY:
        OnTransDayReady();
        return 0;
    case WM_KELO_LOG_READY:
        OnLogInfoReady();
        return 0;
    case WM_KELO_SYSTEM_INFO_READY:
        OnSystemInfoReady();
        return 0;
    case WM_KELO_STATUS_READY:
        OnStatusInfoReady();
        return 0;
    case WM_KELO_RIGHTS_CHANGED:
        OnRightChange(wParam);
        return 0;
    case WM_KELO_BACKUP_SIZE:
        OnBackupSizeReady(DWORD(wParam));
        return 0;
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

// ---- paint and input

BOOL CRemoteSearchDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, kWidth, kHeight, TRUE, 0);
    if (!IsBusy()) {
        return TRUE;
    }
    CFont font;
    font.CreateFont(SkinFontHeight(11), 0, 0, 0, 700, FALSE, FALSE, 0, 0, 0, 0, ANTIALIASED_QUALITY, 0, "Arial Bold");
    CFont* old = pDC->SelectObject(&font);
    const int mode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF colour = pDC->SetTextColor(0xD7D700);
    RECT area = kPageArea;
    pDC->DrawText(LoadResString(IDS_PLEASE_WAIT), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    pDC->SetTextColor(colour);
    pDC->SetBkMode(mode);
    pDC->SelectObject(old);
    return TRUE;
}

LRESULT CRemoteSearchDlg::OnNcHitTest(CPoint point) {
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT) {
        return hit;
    }
    RECT frame{};
    GetWindowRect(&frame);
    if (point.x >= frame.left && point.x < frame.right && point.y >= frame.top && point.y < frame.bottom) {
        ClosePickers();
        return HTCAPTION;
    }
    return hit;
}

BOOL CRemoteSearchDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

INT_PTR RunRemoteSearch(IArchiveHost& host, BYTE alpha) {
    RegisterLogAndInfoPages();
    CRemoteSearchDlg frame(host, alpha, host.MainWindow());
    return frame.DoModal();
}
