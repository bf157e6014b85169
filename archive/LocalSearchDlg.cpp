#include "archive/LocalSearchDlg.h"

#include "archive/LocalInfoDlg.h"
#include "archive/LocalInfoMenuDlg.h"
#include "archive/LocalLogDlg.h"
#include "archive/LocalLogMenuDlg.h"
#include "archive/LocalPageRegistry.h"
#include "archive/LocalPlayer.h"
#include "archive/LocalSearchHost.h"
#include "archive/LocalSearchMenuDlg.h"
#include "controls/KeyPolicy.h"
#include "platform/base/File.h"
#include "platform/window/DataExchange.h"
#include "protocol/ClientMessages.h"
#include "protocol/LocalLogRecord.h"
#include "protocol/ReasonCodes.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <map>

namespace {

constexpr UINT kIdSearchTab = 430;
constexpr UINT kIdLogTab = 432;
constexpr UINT kIdInfoTab = 433;
constexpr UINT kIdClose = 435;

const DialogItem kItems[] = {
    {kIdSearchTab, "BUTTON", 22, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {kIdLogTab, "BUTTON", 93, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {kIdInfoTab, "BUTTON", 164, 1, 71, 65, WS_VISIBLE | BS_OWNERDRAW},
    {IDOK, "BUTTON", 400, 516, 97, 22, BS_OWNERDRAW, "OK"},
    {IDCANCEL, "BUTTON", 501, 516, 97, 22, WS_VISIBLE | BS_OWNERDRAW, "Cancel"},
    {kIdClose, "BUTTON", 580, 12, 26, 26, WS_VISIBLE | BS_OWNERDRAW},
};
const DialogTemplate kTemplate{.id = CLocalSearchDlg::IDD,
                               .cx = CLocalSearchDlg::kWidth,
                               .cy = CLocalSearchDlg::kHeight,
                               .style = WS_POPUP | DS_CENTER,
                               .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

struct Registry {
    std::map<int, CLocalSearchDlg::PageFactory> pages;
    CLocalSearchDlg::NumberPickerFactory numberPicker;
    CLocalSearchDlg::TimePickerFactory timePicker;
};

Registry& Registered() {
    static Registry registry;
    return registry;
}

} // namespace

void CLocalSearchDlg::RegisterPageFactory(int slot, PageFactory factory) {
    Registered().pages[slot] = std::move(factory);
}

void CLocalSearchDlg::RegisterNumberPicker(NumberPickerFactory factory) {
    Registered().numberPicker = std::move(factory);
}

void CLocalSearchDlg::RegisterTimePicker(TimePickerFactory factory) {
    Registered().timePicker = std::move(factory);
}

CLocalSearchDlg::PageFactory CLocalSearchDlg::FactoryOf(int slot) {
    switch (slot) {
    case kLocalSlotLog:
        return [] { return std::make_unique<CLocalLogDlg>(); };
    case kLocalSlotInfo:
        return [] { return std::make_unique<CLocalInfoDlg>(); };
    case kLocalSlotSearchMenu:
        return [] { return std::make_unique<CLocalSearchMenuDlg>(); };
    case kLocalSlotLogMenu:
        return [] { return std::make_unique<CLocalLogMenuDlg>(); };
    case kLocalSlotInfoMenu:
        return [] { return std::make_unique<CLocalInfoMenuDlg>(); };
    default: {
        const auto found = Registered().pages.find(slot);
        return found != Registered().pages.end() ? found->second : PageFactory();
    }
    }
}

CLocalSearchDlg::CLocalSearchDlg(ILocalSearchHost& host, BYTE alpha, CWnd* pParent)
    : CDialog(IDD, pParent), m_host(host), m_nAlpha(alpha) {}

CLocalSearchDlg::~CLocalSearchDlg() = default;

CLocalSearchPage* CLocalSearchDlg::Page(int slot) const {
    if (slot < 0 || slot >= kLocalPageSlots) {
        return nullptr;
    }
    return dynamic_cast<CLocalSearchPage*>(m_pages[std::size_t(slot)]);
}

void CLocalSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdSearchTab, m_btnTab[0]);
    DDX_Control(pDX, kIdLogTab, m_btnTab[1]);
    DDX_Control(pDX, kIdInfoTab, m_btnTab[2]);
    DDX_Control(pDX, IDOK, m_btnOk);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, kIdClose, m_btnClose);
}

BOOL CLocalSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_SEARCH_SETUP_FRAME);
    InitControls();
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    OnSearchTab();
    SetOpacity(GetSafeHwnd(), m_nAlpha);
    return TRUE;
}

void CLocalSearchDlg::InitControls() {
    static constexpr UINT kTabBitmaps[3] = {IDB_SEARCH_FRAME_TAB_SEARCH, IDB_SEARCH_FRAME_TAB_LOGS,
                                            IDB_SEARCH_FRAME_TAB_INFORMATION};
    static constexpr int kTabX[3] = {22, 93, 164};
    for (int i = 0; i < 3; ++i) {
        m_btnTab[i].LoadBitmap(kTabBitmaps[i]);
        m_btnTab[i].MoveWindow(kTabX[i], 1, 71, 65);
    }
    static constexpr COLORREF kColours[4] = {0xFFFFFF, 0xF1EB62, 0xF1EB62, 0xBEB9B3};
    struct {
        CSkinTextButton& button;
        UINT caption;
        int x;
    } const texts[] = {{m_btnOk, IDS_OK, 400}, {m_btnCancel, IDS_CANCEL, 501}};
    for (const auto& t : texts) {
        t.button.LoadBitmap(IDB_FRAME_OK_CANCEL);
        for (int i = 0; i < 4; ++i) {
            t.button.m_clrText[i] = kColours[i];
        }
        t.button.SetFont(9, 0, 700, "Arial Bold");
        t.button.SetCaption(0, LoadResString(t.caption), TRUE);
        t.button.MoveWindow(t.x, 516, 97, 22);
    }
    m_btnClose.LoadBitmap(IDB_FRAME_CLOSE);
    m_btnClose.MoveWindow(580, 12, 26, 26);
    m_btnOk.ShowWindow(SW_HIDE);
    if (m_host.IsRemovable()) {
        // Without a local log of its own the program offers no Log tab; Info takes its place.
        m_btnTab[1].ShowWindow(SW_HIDE);
        m_btnTab[2].MoveWindow(93, 1, 71, 65);
    }
}

LRESULT CLocalSearchDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KELO_LOCAL_OPEN_RECORDINGS) {
        OnOpenRecordings(DWORD(wParam), DWORD(lParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CLocalSearchDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case kIdSearchTab:
            OnSearchTab();
            return TRUE;
        case kIdLogTab:
            OnLogTab();
            return TRUE;
        case kIdInfoTab:
            OnInfoTab();
            return TRUE;
        case kIdClose:
            OnCancel();
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CLocalSearchDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, kWidth, kHeight, TRUE, 0);
    return TRUE;
}

LRESULT CLocalSearchDlg::OnNcHitTest(CPoint point) {
    const LRESULT hit = CDialog::OnNcHitTest(point);
    if (hit != HTCLIENT) {
        return hit;
    }
    CPoint client = point;
    ScreenToClient(&client);
    if (client.x >= 0 && client.y >= 0 && client.x < kWidth && client.y < kHeight) {
        ClosePickers();
        return HTCAPTION;
    }
    return hit;
}

BOOL CLocalSearchDlg::PreTranslateMessage(MSG* pMsg) {
    return PreTranslateKeys(*this, KeyPolicies::kSkinnedWindow, pMsg);
}

// ---- tabs and pages

void CLocalSearchDlg::SelectTab(int tab) {
    for (int i = 0; i < 3; ++i) {
        m_btnTab[i].SetState(kButtonNormal);
    }
    m_btnTab[tab].SetState(kButtonOn);
}

void CLocalSearchDlg::ShowMenuPage(int slot, int tab) {
    SelectTab(tab);
    for (int other : {int(kLocalSlotSearchMenu), int(kLocalSlotLogMenu), int(kLocalSlotInfoMenu)}) {
        if (other != slot && m_pages[std::size_t(other)] != nullptr) {
            m_pages[std::size_t(other)]->DestroyWindow();
        }
    }
    if (m_pages[std::size_t(slot)] == nullptr) {
        const PageFactory make = FactoryOf(slot);
        std::unique_ptr<CLocalSearchPage> page = make ? make() : nullptr;
        if (!page) {
            return;
        }
        CLocalSearchPage* raw = page.release(); // the page's window owns it from here
        m_pages[std::size_t(slot)] = raw;
        if (!raw->Create(this)) {
            m_pages[std::size_t(slot)] = nullptr;
            delete raw;
            return;
        }
    }
    if (m_pages[std::size_t(slot)] != nullptr) {
        m_pages[std::size_t(slot)]->ShowWindow(SW_SHOW);
    }
}

void CLocalSearchDlg::OnSearchTab() {
    ShowMenuPage(kLocalSlotSearchMenu, 0);
}

void CLocalSearchDlg::OnLogTab() {
    ShowMenuPage(kLocalSlotLogMenu, 1);
}

void CLocalSearchDlg::OnInfoTab() {
    ShowMenuPage(kLocalSlotInfoMenu, 2);
}

void CLocalSearchDlg::HidePagesExcept(const CWnd* keep) {
    for (int slot = 0; slot < kLocalContentSlots; ++slot) {
        CWnd* page = m_pages[std::size_t(slot)];
        if (page != nullptr && page != keep) {
            page->DestroyWindow();
        }
    }
    for (CWnd* picker : {m_pNumberPicker, m_pTimePicker}) {
        if (picker != nullptr && picker != keep) {
            picker->DestroyWindow();
        }
    }
}

CLocalSearchPage* CLocalSearchDlg::ShowContentPage(int slot, const PageFactory& make) {
    if (slot < 0 || slot >= kLocalContentSlots) {
        return nullptr;
    }
    HidePagesExcept(m_pages[std::size_t(slot)]);
    if (m_pages[std::size_t(slot)] == nullptr) {
        std::unique_ptr<CLocalSearchPage> page = make ? make() : nullptr;
        if (!page) {
            return nullptr;
        }
        CLocalSearchPage* raw = page.release(); // the page's window owns it from here
        m_pages[std::size_t(slot)] = raw;
        if (!raw->Create(this)) {
            m_pages[std::size_t(slot)] = nullptr;
            delete raw;
            return nullptr;
        }
    }
    CWnd* page = m_pages[std::size_t(slot)];
    if (page != nullptr) {
        page->ShowWindow(SW_SHOW);
    }
    return Page(slot);
}

void CLocalSearchDlg::ShowRegisteredPage(int slot) {
    ShowContentPage(slot, FactoryOf(slot));
}

void CLocalSearchDlg::ShowDateTimePage() {
    ShowRegisteredPage(kLocalSlotDateTime);
}

void CLocalSearchDlg::ShowEventListPage() {
    ShowRegisteredPage(kLocalSlotEventList);
}

void CLocalSearchDlg::ShowCalendarPage() {
    ShowRegisteredPage(kLocalSlotCalendar);
}

void CLocalSearchDlg::ShowDayTimelinePage(const PageFactory& make) {
    ShowContentPage(kLocalSlotDayTimeline, make);
}

void CLocalSearchDlg::ShowLogPage() {
    ShowRegisteredPage(kLocalSlotLog);
}

void CLocalSearchDlg::ShowInfoPage() {
    ShowRegisteredPage(kLocalSlotInfo);
}

void CLocalSearchDlg::OnPageDestroyed(int slot, CWnd* page) {
    if (slot >= 0 && slot < kLocalPageSlots && m_pages[std::size_t(slot)] == page) {
        m_pages[std::size_t(slot)] = nullptr;
    }
}

// ---- pickers

void CLocalSearchDlg::ShowNumberPicker(CWnd* page, UINT field, const ListPopupRequest* request, int firstIndex,
                                       int flag) {
    ClosePickers();
    if (Registered().numberPicker && request != nullptr) {
        m_pNumberPicker = Registered().numberPicker(*this, page, field, request, firstIndex, flag);
    }
}

void CLocalSearchDlg::ShowTimePicker(CWnd* page, UINT field, const TimePickerRequest* request) {
    ClosePickers();
    if (Registered().timePicker && request != nullptr) {
        m_pTimePicker = Registered().timePicker(*this, page, field, request);
    }
}

void CLocalSearchDlg::ClosePickers() {
    for (CWnd* picker : {m_pNumberPicker, m_pTimePicker}) {
        if (picker != nullptr) {
            picker->DestroyWindow();
        }
    }
}

void CLocalSearchDlg::OnPickerDestroyed(CWnd* picker) {
    if (picker == m_pNumberPicker) {
        m_pNumberPicker = nullptr;
    }
    if (picker == m_pTimePicker) {
        m_pTimePicker = nullptr;
    }
}

void CLocalSearchDlg::OnNumberPicked(CWnd* page, UINT field, UINT index) {
    if (index == 0xFFFFFFFF || page == nullptr) {
        return;
    }
    for (int slot : {int(kLocalSlotDateTime), int(kLocalSlotCalendar)}) {
        if (page == m_pages[std::size_t(slot)]) {
            Page(slot)->OnItemPicked(field, index);
            return;
        }
    }
}

void CLocalSearchDlg::OnTimePicked(CWnd* page, UINT field, int hour, int minute, int second) {
    if (page == nullptr) {
        return;
    }
    for (int slot : {int(kLocalSlotDateTime), int(kLocalSlotDayTimeline)}) {
        if (page == m_pages[std::size_t(slot)]) {
            Page(slot)->OnTimePicked(field, hour, minute, second);
            return;
        }
    }
}

// ---- the local log

void CLocalSearchDlg::LoadLocalLog() {
    CFile file;
    std::string path = m_host.SaveLocation();
    if (!path.empty() && path.back() != '/' && path.back() != '\\') {
        path += '/';
    }
    path = path + kLocalLogFolderName + "/" + kLocalLogFileName;
    if (!file.Open(path.c_str(), CFile::modeRead)) {
        return;
    }
    std::vector<BYTE> image(kLogBufferSize);
    const LONGLONG read = file.Read(image.data(), UINT(image.size()));
    if (read < 0) {
        return;
    }
    image.resize(std::size_t(read));
    m_logImage = std::move(image);
}

std::vector<BYTE> CLocalSearchDlg::TakeLogImage() {
    std::vector<BYTE> image = std::move(m_logImage);
    m_logImage.clear();
    return image;
}

// ---- playback

std::string CLocalSearchDlg::DownloadFolder() const {
    std::string folder = m_host.IsRemovable() ? std::string(".") : m_host.SaveLocation();
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') {
        folder += '/';
    }
    return folder + "Download/";
}

bool CLocalSearchDlg::OnOpenRecordings(DWORD t1, DWORD t2) {
    const std::vector<RecordingSetEntry> sets = CRecordingScan::FindSets(DownloadFolder());
    CRecordingScan scan;
    std::vector<PlayListNode> nodes = scan.BuildPlayList(sets, m_searchKind, t1, t2);
    const std::optional<std::size_t> first = CRecordingScan::FindStartNode(nodes, t1);
    if (!first) {
        if (CWnd* main = m_host.MainWindow()) {
            main->PostMessage(WM_KELO_NOTICE, WPARAM(GetSafeHwnd()), kNoticeNothingFound);
        }
        return false;
    }
    auto player = std::make_unique<CLocalPlayer>(m_host.MakePlayerHost(), std::move(nodes), *first);
    if (!player->Start()) {
        return false;
    }
    player->SetMode(kPlayForward);
    m_host.AdoptLocalPlayer(std::move(player));
    return true;
}

BOOL CLocalSearchDlg::DestroyWindow() {
    ClosePickers();
    for (CWnd*& page : m_pages) {
        if (page != nullptr) {
            page->DestroyWindow();
        }
    }
    m_logRecords.clear();
    m_logImage.clear();
    return CDialog::DestroyWindow();
}

INT_PTR RunLocalSearch(ILocalSearchHost& host, BYTE alpha) {
    // The date/time, event-list and calendar pages and the pickers live in files of their own; without
    // their factories the Search menu would open nothing.
    RegisterLocalSearchPages();
    CLocalSearchDlg frame(host, alpha, host.MainWindow());
    return frame.DoModal();
}
