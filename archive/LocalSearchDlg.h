#pragma once
// The local search frame: a modal, skinned 618 x 546 window with three tabs (Search, Log, Info)
// that works without a recorder. Its Search pages find recordings in the backup file sets under the
// Download folder and ask for playback (message 0x5228), which the frame answers by scanning the
// sets, building the play list and starting the local player; its Log and Info pages list the
// program's own local log and version.

#include "archive/LocalSearchPage.h"
#include "archive/PickerHost.h"
#include "archive/PickerRequests.h"
#include "archive/PlayListNode.h"
#include "archive/RecordingScan.h"
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

class CListCtrl;
class ILocalSearchHost;
struct LocalLogRecord;

// The frame's page slots; a slot is non-null exactly while its page window exists.
enum LocalPageSlot : int {
    kLocalSlotDateTime = 0,    // CLocalDateTimeSearchDlg, IDD 140
    kLocalSlotEventList = 1,   // CLocalEventListDlg, IDD 139
    kLocalSlotCalendar = 2,    // CLocalCalendarDlg, IDD 135
    kLocalSlotDayTimeline = 3, // CLocalDayTimelineDlg, IDD 136
    kLocalSlotLog = 4,         // CLocalLogDlg, IDD 141
    kLocalSlotInfo = 5,        // CLocalInfoDlg, IDD 142
    kLocalContentSlots = 6,
    kLocalSlotSearchMenu = 6, // CLocalSearchMenuDlg, IDD 131
    kLocalSlotLogMenu = 7,    // CLocalLogMenuDlg, IDD 132
    kLocalSlotInfoMenu = 8,   // CLocalInfoMenuDlg, IDD 133
    kLocalPageSlots = 9,
};

class CLocalSearchDlg : public CDialog, public CSkinHelper, public IPickerHost {
public:
    static constexpr UINT IDD = IDD_LOCAL_SEARCH_DLG;
    static constexpr int kWidth = 618;
    static constexpr int kHeight = 546;
    // The local log image is read into a buffer of this size.
    static constexpr std::size_t kLogBufferSize = 0x200000;
    static constexpr std::size_t kMaxLogRecords = 2500;

    using PageFactory = std::function<std::unique_ptr<CLocalSearchPage>()>;
    // The pickers: made, created with the frame as their host and shown by the factory; the window
    // owns itself and tells the host when it is gone (IPickerHost::OnPickerDestroyed).
    using NumberPickerFactory = std::function<CWnd*(IPickerHost& host, CWnd* page, UINT field,
                                                    const ListPopupRequest* request, int firstIndex, int flag)>;
    using TimePickerFactory =
        std::function<CWnd*(IPickerHost& host, CWnd* page, UINT field, const TimePickerRequest* request)>;
    // The makers of the Search pages other parts of this folder build (slots 0-3); the log and
    // information pages are the frame's own.
    static void RegisterPageFactory(int slot, PageFactory factory);
    static void RegisterNumberPicker(NumberPickerFactory factory);
    static void RegisterTimePicker(TimePickerFactory factory);

    CLocalSearchDlg(ILocalSearchHost& host, BYTE alpha, CWnd* pParent = nullptr);
    ~CLocalSearchDlg() override;

    ILocalSearchHost& Host() { return m_host; }
    LocalSearchKind GetSearchKind() const { return m_searchKind; }
    void SetSearchKind(LocalSearchKind kind) { m_searchKind = kind; }
    CLocalSearchPage* Page(int slot) const;

    // ---- tabs
    void OnSearchTab();
    void OnLogTab();
    void OnInfoTab();

    // ---- content pages: every other content page and picker is destroyed first
    void ShowDateTimePage();
    void ShowEventListPage();
    void ShowCalendarPage();
    // The day timeline is made by the calendar with the day it shows.
    void ShowDayTimelinePage(const PageFactory& make);
    void ShowLogPage();
    void ShowInfoPage();
    CLocalSearchPage* ShowContentPage(int slot, const PageFactory& make);
    // Destroys every content page and picker but `keep`.
    void HidePagesExcept(const CWnd* keep);

    // ---- pickers
    void ShowNumberPicker(CWnd* page, UINT field, const ListPopupRequest* request, int firstIndex, int flag);
    void ShowTimePicker(CWnd* page, UINT field, const TimePickerRequest* request);
    void ClosePickers();
    // A pick goes to the page that asked when that page is still the date/time page or the
    // calendar (number picker), or the date/time page or the day timeline (time picker).
    void OnNumberPicked(CWnd* page, UINT field, UINT index);
    void OnItemPicked(CWnd* page, UINT field, UINT index) override { OnNumberPicked(page, field, index); }
    void OnTimePicked(CWnd* page, UINT field, int hour, int minute, int second) override;
    void OnPickerDestroyed(CWnd* picker) override;
    CWnd* PickerOwner() override { return this; }

    // ---- the local log
    // Reads <save location>/Log/KELO1000.log whole into the log buffer; a file that cannot be read
    // leaves the buffer as it was.
    void LoadLocalLog();
    const std::vector<BYTE>& LogImage() const { return m_logImage; }
    // Takes the image over (the log page consumes it: a later build finds none).
    std::vector<BYTE> TakeLogImage();
    // The records the log page built, oldest first.
    std::vector<LocalLogRecord>& LogRecords() { return m_logRecords; }

    // ---- playback (message 0x5228)
    // Scans the download folder, builds the play list and starts the local player; with nothing to
    // play, posts the notice "nothing found" (0x40000) to the main window. True when a player
    // started.
    bool OnOpenRecordings(DWORD t1, DWORD t2);
    // The folder the scan reads: <save location>/Download/, or ./Download/ from removable media.
    std::string DownloadFolder() const;

    // A page's window is gone: its slot empties.
    void OnPageDestroyed(int slot, CWnd* page);

    BOOL DestroyWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CSkinButton m_btnTab[3]; // Search 430, Log 432, Info 433
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
    void OnOK() override {}

private:
    void InitControls();
    void SelectTab(int tab);
    void ShowMenuPage(int slot, int tab);
    void ShowRegisteredPage(int slot);
    static PageFactory FactoryOf(int slot);

    ILocalSearchHost& m_host;
    BYTE m_nAlpha;
    std::array<CWnd*, kLocalPageSlots> m_pages{};
    CWnd* m_pNumberPicker = nullptr;
    CWnd* m_pTimePicker = nullptr;
    std::vector<BYTE> m_logImage;
    std::vector<LocalLogRecord> m_logRecords;
    LocalSearchKind m_searchKind = LocalSearchKind::Time;
    CBitmap m_bmBackground;
};

// The LSearch command's frame: made with the main window's side, run modally, gone when it returns.
INT_PTR RunLocalSearch(ILocalSearchHost& host, BYTE alpha);
