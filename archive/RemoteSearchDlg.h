#pragma once
// The remote search frame: a modal, skinned 618 x 546 window with four tabs (Search, Backup, Log,
// Info) whose pages search the connected recorder's recordings, start playback, back recordings up
// and read the recorder's logs and information. It sends the requests that fetch search data, takes
// the replies the main window hands it on the UI thread, and holds what its pages share: the month
// records, the day or event records, the selected channel mask, the backup range and the busy flag.

#include "archive/ArchiveHost.h"
#include "archive/ArchiveRecords.h"
#include "archive/PickerHost.h"
#include "archive/PickerRequests.h"
#include "controls/SkinButton.h"
#include "controls/SkinHelper.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CSearchPage;
class CItemPickerDlg;
class CTimePickerDlg;
class CPlayCalendarDlg;
class CBackupCalendarDlg;

// The frame's page slots; a slot is non-null exactly while its page window exists.
enum SearchPageSlot : int {
    kSlotSearchMenu = 0,
    kSlotBackupMenu = 1,
    kSlotLogMenu = 2,
    kSlotInfoMenu = 3,
    kSlotDateTimeSearch = 4,
    kSlotEventList = 5,
    kSlotPlayCalendar = 6,
    kSlotDayTimeline = 7,
    kSlotChannelSelect = 8,
    kSlotBackupDateTime = 9,
    kSlotBackupEventList = 10,
    kSlotBackupCalendar = 11,
    kSlotBackupTimeline = 12,
    kSlotBackupChannelSelect = 13,
    kSlotLogAll = 14,
    kSlotLogPower = 15,
    kSlotLogRecord = 16,
    kSlotLogOperation = 17,
    kSlotLogClient = 18,
    kSlotLogEvent = 19,
    kSlotLogDetail = 20,
    kSlotSystemInfo = 21,
    kSlotStatusInfo = 22,
    kSlotItemPicker = 23,
    kSlotTimePicker = 24,
    kSearchPageSlots = 25,
};

// The backup range the backup calendar and timelines pick in two passes (all zero when none is
// being picked). Month 0-11, day 0-30.
struct BackupRange {
    int endDayPending = 0; // 1 while the backup calendar picks the end day
    int startYear = 0;
    int endYear = 0;
    int startMonth = 0;
    int endMonth = 0;
    int startDay = 0;
    int endDay = 0;
    int startHour = 0;
    int endHour = 0;
    int startMinute = 0;
    int endMinute = 0;
    int startSecond = 0;
    int endSecond = 0;
};

class CRemoteSearchDlg : public CDialog, public CSkinHelper, public ISearchReplySink, public IPickerHost {
public:
    static constexpr UINT IDD = IDD_REMOTE_SEARCH_DLG;
    static constexpr int kWidth = 618;
    static constexpr int kHeight = 546;
    // The frame keeps at most this much of a text reply (log, system or status information).
    static constexpr std::size_t kReplyCapacity = 0x200000;

    using PageFactory = std::function<std::unique_ptr<CSearchPage>()>;
    // The makers of the pages this folder registers later (log and information pages, slots
    // 14-22): the Log and Info menus and the log and status replies open them through these.
    static void RegisterPageFactory(int slot, PageFactory factory);

    CRemoteSearchDlg(IArchiveHost& host, BYTE alpha, CWnd* pParent = nullptr);
    ~CRemoteSearchDlg() override;

    // ---- what the pages share
    IArchiveHost& Host() { return m_host; }
    CDvrClient* Client() { return m_host.Client(); }
    bool IsBusy() const { return m_bBusy != 0; }
    void SetBusy(bool busy);
    DWORD GetChannelMask() const { return m_nChannelMask; }
    void SetChannelMask(DWORD mask) { m_nChannelMask = mask; }
    // The recorder's channel count (16 without a connection).
    int ChannelCount();
    std::vector<RecMonthInfo>& MonthRecords() { return m_months; }
    std::vector<RecSegment>& DayRecords() { return m_segments; }
    // The last log, system or status reply.
    const std::vector<BYTE>& ReplyBytes() const { return m_reply; }
    // Empties the reply and the client's half-gathered one, as before every month, event, log or
    // status request.
    void ClearReply();
    BackupRange& Backup() { return m_backupRange; }
    LONG m_nBackupFreeMargin = 0;

    CSearchPage* Page(int slot) const;
    CPlayCalendarDlg* PlayCalendar() const;
    CBackupCalendarDlg* BackupCalendar() const;

    // Sends one request on the connection (nothing without one).
    void SendRequest(WORD id, const void* body = nullptr, DWORD length = 0);
    // Posts a notice (category << 16 | code) to the main window over this frame.
    void PostNotice(LPARAM notice);
    // The end of every Play and Backup: waits, repaints the main window's play clock and closes the
    // frame.
    void CloseAfterAction(int waitMs);

    // ---- tabs
    void OnSearchTab();
    void OnBackupTab();
    void OnLogTab();
    void OnInfoTab();

    // ---- requests and page openers
    void RequestEventInfo();
    void RequestPlayMonthInfo();
    void RequestBackupEventInfo();
    void RequestTransMonthInfo();
    void RequestLogInfo();
    void RequestStatusInfo();
    void ShowDateTimeSearch();
    void ShowChannelSelect();
    void ShowBackupDateTime();
    void ShowBackupChannelSelect();
    void ShowBackupTimeline();
    void ShowDayTimeline(int year, int month, int day);
    void ShowSystemInfo();
    void ShowAllLogDlg();
    void ShowPowerLogDlg();
    void ShowRecordLogDlg();
    void ShowOperationLogDlg();
    void ShowClientLogDlg();
    void ShowEventLogDlg();
    // Destroys every content page but `keep` (slots 4-24; the menu pages stay).
    void CloseChildrenExcept(const CWnd* keep);
    // Shows the page of a slot after closing the other content pages, making it with `make` when
    // the slot is empty. The page, or null when it could not be made.
    CSearchPage* ShowContentPage(int slot, const PageFactory& make);
    // Makes and shows the page of a slot unless it exists, leaving the other pages alone.
    CSearchPage* OpenPageUnlessOpen(int slot, const PageFactory& make);

    // ---- pickers
    void ShowItemPicker(CWnd* page, UINT field, const ListPopupRequest* request, int firstIndex, int flag);
    void ShowTimePicker(CWnd* page, UINT field, const TimePickerRequest* request);
    void ClosePickers();
    // The open pickers, or null.
    CItemPickerDlg* ItemPicker() const;
    CTimePickerDlg* TimePicker() const;
    void OnItemPicked(CWnd* page, UINT field, UINT index) override;
    void OnTimePicked(CWnd* page, UINT field, int hour, int minute, int second) override;
    void OnPickerDestroyed(CWnd* picker) override;
    CWnd* PickerOwner() override { return this; }

    // ---- replies (UI thread)
    void OnSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) override;
    void OnSearchBusyCleared() override;
    void OnPlayMonthReady();
    void OnEventInfoReady();
    void OnTransMonthReady();
    void OnPlayDayReady();
    void OnTransDayReady();
    void OnLogInfoReady();
    void OnSystemInfoReady() {}
    void OnStatusInfoReady();
    void OnRightChange(WPARAM rights);
    void OnBackupSizeReady(DWORD kbytes);

    // A page's window is gone: its slot empties.
    void OnPageDestroyed(int slot, CWnd* page);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The tab buttons, for the rights rule and the tests.
    CSkinButton m_btnTab[4];
    CSkinTextButton m_btnOk;
    CSkinTextButton m_btnCancel;
    CSkinButton m_btnClose;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    LRESULT OnNcHitTest(CPoint point) override;
    // Close (435): forgets the search to return to unless remote playback runs, then ends.
    void OnClose() override;
    // Cancel (436): tells the recorder (CAPA_CAL_CANCEL), then as Close.
    void OnCancel() override;
    void OnOK() override {}

private:
    void LayoutControls();
    void ApplyRightsAtStart();
    void SelectTab(int tab);
    void ShowMenuPage(int slot, int tab, bool resetMask);
    // The request rows: the page of the slot shown when it exists (busy cleared when asked),
    // otherwise the content pages closed and the request sent.
    void RequestPage(int slot, WORD id, bool clearBusyWhenShown);
    // The registered maker of a slot, empty when none.
    static PageFactory FactoryOf(int slot);
    void ResetChannelMask();
    void ClearResumeUnlessPlaying();

    IArchiveHost& m_host;
    BYTE m_nAlpha;
    std::array<CWnd*, kSearchPageSlots> m_pages{};
    std::vector<RecMonthInfo> m_months;
    std::vector<RecSegment> m_segments;
    std::vector<BYTE> m_reply;
    BackupRange m_backupRange;
    BYTE m_bBusy = 0;
    DWORD m_nChannelMask = 0;
    bool m_bClosing = false;
    CBitmap m_bmBackground;
};

// The RSearch command's frame: made with the main window, run modally, and gone when it returns. The
// log and information pages are made known to it first.
INT_PTR RunRemoteSearch(IArchiveHost& host, BYTE alpha);
