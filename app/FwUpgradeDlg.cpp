#include "app/FwUpgradeDlg.h"

#include "app/ShellDialogHost.h"
#include "platform/base/File.h"
#include "platform/base/WindowsPath.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/window/DataExchange.h"
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "protocol/MessageIds.h"
#include "protocol/Packet.h"
#include "protocol/PacketHeader.h"
#include "protocol/ReasonCodes.h"
#include "protocol/Trace.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

constexpr int kPartOfRow[CFwUpgradeDlg::kRows] = {0, 3, 4, 5, 6};
constexpr UINT kRowNameText[CFwUpgradeDlg::kRows] = {IDS_LOADER, IDS_KERNEL, IDS_PROGRAM, IDS_FILES, IDS_WEB};
constexpr COLORREF kLabelColour = 0x783C3C;
constexpr BYTE kMovedHeaderMark[4] = {0x14, 0x00, 0x00, 0xEA};
// "(Mmm dd yyyy - hh:mm:ss": the seconds' two digits end 23 bytes after the '('.
constexpr std::size_t kBuildDateLength = 23;
constexpr std::size_t kBootNameOffset = 4;
constexpr std::size_t kBootNameLength = 11;
constexpr std::size_t kBootRequestNameLength = 15;

std::vector<DialogItem> Items() {
    std::vector<DialogItem> items = {
        {CFwUpgradeDlg::kIdStart, "BUTTON", 220, 187, 86, 27, WS_VISIBLE | BS_OWNERDRAW},
        {CFwUpgradeDlg::kIdStop, "BUTTON", 220, 187, 86, 27, BS_OWNERDRAW},
        {CFwUpgradeDlg::kIdClose, "BUTTON", 306, 187, 86, 27, WS_VISIBLE | BS_OWNERDRAW},
    };
    for (int r = 0; r < 6; ++r) {
        // The sixth row is never used.
        const DWORD visible = r < CFwUpgradeDlg::kRows ? WS_VISIBLE : 0;
        const int y = 19 + 23 * r;
        items.push_back(
            {CFwUpgradeDlg::kIdCheckFirst + UINT(r), "BUTTON", 18, y - 1, 15, 15, visible | BS_AUTOCHECKBOX});
        items.push_back({CFwUpgradeDlg::kIdNameFirst + UINT(r), "STATIC", 38, y, 78, 14, visible});
        items.push_back({CFwUpgradeDlg::kIdProgressFirst + UINT(r), "STATIC", 94, y, 140, 14, visible});
        items.push_back({CFwUpgradeDlg::kIdStatusFirst + UINT(r), "STATIC", 243, y, 132, 14, visible});
    }
    return items;
}
const std::vector<DialogItem> kItems = Items();
const DialogTemplate kTemplate{.id = CFwUpgradeDlg::IDD,
                               .cx = CFwUpgradeDlg::kWidth,
                               .cy = CFwUpgradeDlg::kHeight,
                               .style = WS_POPUP | DS_CENTER,
                               .items = kItems};
const DialogTemplateRegistration kRegistered(kTemplate);

// A decimal number as the C library's atoi reads it, but never past the end of the buffer.
int ReadNumber(const BYTE* text, std::size_t size, std::size_t at) {
    while (at < size && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    bool negative = false;
    if (at < size && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    long long value = 0;
    while (at < size && std::isdigit(text[at]) != 0 && value < 100000000) {
        value = value * 10 + (text[at] - '0');
        ++at;
    }
    return int(negative ? -value : value);
}

// Days from 1970-01-01 to the first of a month of the proleptic Gregorian calendar.
long long DaysFromCivil(long long year, int month) {
    year -= month <= 2 ? 1 : 0;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const long long yoe = year - era * 400;
    const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

DWORD SlotVersion(const FwImageSlot& slot) {
    return ReadBE32(slot.request.version);
}

std::string Lowered(const std::string& text) {
    std::string lower = text;
    for (char& c : lower) {
        c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// Name order without regard to case; names equal but for case in byte order.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const std::string la = Lowered(a);
    const std::string lb = Lowered(b);
    return la != lb ? la < lb : a < b;
}

} // namespace

CFwUpgradeDlg::CFwUpgradeDlg(IShellDialogHost& host, BYTE alpha)
    : CSkinDialog(IDD, host.MainWindow()), m_host(host), m_conn(host.Connection()), m_nAlpha(alpha) {
    m_rcDrag = CRect(0, 0, kWidth, kHeight);
    m_keys = KeyPolicies::kFirmware;
    m_host.GetHello(m_hello);
}

CFwUpgradeDlg::~CFwUpgradeDlg() {
    m_bAbort.store(true);
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

// ---- images

int CFwUpgradeDlg::GetIdxToType(int nIdx) {
    if (nIdx < 0 || nIdx >= kRows) {
        Trace("GetIdxToType...Error... nIdx : %d, nType : %d\n", nIdx, -1);
        return -1;
    }
    return kPartOfRow[nIdx];
}

int CFwUpgradeDlg::GetTypeToIdx(int nType) {
    for (int row = 0; row < kRows; ++row) {
        if (kPartOfRow[row] == nType) {
            return row;
        }
    }
    Trace("GetTypeToIdx...Error... nIdx : %d, nType : %d\n", -1, nType);
    return -1;
}

int CFwUpgradeDlg::ParseBuildDate(const BYTE* text, std::size_t size, DWORD* time) {
    static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (text == nullptr || time == nullptr) {
        return -1;
    }
    const void* found = std::memchr(text, '(', size);
    if (found == nullptr) {
        return -1;
    }
    const std::size_t p = std::size_t(static_cast<const BYTE*>(found) - text);
    if (p + kBuildDateLength > size) {
        return -1; // the date would run past the bytes read
    }
    int month = -1;
    for (int m = 0; m < 12 && month < 0; ++m) {
        if (std::memcmp(text + p + 1, kMonths[m], 3) == 0) {
            month = m;
        }
    }
    if (month < 0) {
        Trace("can't find month!\n");
        return -1;
    }
    const long long day = ReadNumber(text, size, p + 5);
    const long long year = ReadNumber(text, size, p + 8);
    const long long hour = ReadNumber(text, size, p + 15);
    const long long minute = ReadNumber(text, size, p + 18);
    const long long second = ReadNumber(text, size, p + 21);
    const long long seconds = (DaysFromCivil(year, month + 1) + day - 1) * 86400 + hour * 3600 + minute * 60 + second;
    if (seconds < 0 || seconds > 0xFFFFFFFFLL) {
        return -1;
    }
    *time = DWORD(seconds);
    return 0;
}

BOOL CFwUpgradeDlg::ReadImageHeader(const char* path) {
    CFile file;
    if (path == nullptr || !file.Open(path, CFile::modeRead)) {
        return FALSE;
    }
    BYTE head[kHeadSize] = {};
    const LONGLONG read = file.Read(head, UINT(kHeadSize));
    const LONGLONG size = file.GetLength();
    if (read <= 0 || size <= 0) {
        return FALSE;
    }
    const bool bootLoader = read >= 8 && std::memcmp(head + 3, "VBoot", 5) == 0;
    if (bootLoader) {
        if (read < LONGLONG(kBootRequestNameLength)) {
            return FALSE;
        }
        char entryName[32] = {};
        std::memcpy(entryName, m_hello.FirmName[0], sizeof entryName);
        if (std::memcmp(head + kBootNameOffset, entryName, kBootNameLength) != 0) {
            return FALSE;
        }
        DWORD built = 0;
        if (ParseBuildDate(head, kHeadSize, &built) != 0) {
            return FALSE;
        }
        FwImageSlot& slot = m_images[0];
        if (built <= m_hello.FirmVer[0] || built <= SlotVersion(slot)) {
            return FALSE;
        }
        slot = FwImageSlot{};
        slot.offered = 1;
        slot.path = path;
        WriteBE32(slot.request.version, built);
        slot.request.part = 0;
        std::memcpy(slot.request.name, head, kBootRequestNameLength);
        return TRUE;
    }

    if (size < LONGLONG(kImageHeaderSize)) {
        return FALSE; // too short to hold a header
    }
    BYTE header[kImageHeaderSize] = {};
    const bool atEnd = std::memcmp(head, kMovedHeaderMark, 4) == 0;
    const ULONGLONG at = atEnd ? ULONGLONG(size) - kImageHeaderSize : 0;
    if (file.ReadAt(at, header, UINT(kImageHeaderSize)) != LONGLONG(kImageHeaderSize)) {
        return FALSE;
    }
    const DWORD version = ReadBE32(header + 8);
    char name[33] = {};
    std::memcpy(name, header + 32, 32);
    int entry = -1;
    for (int e = 0; e < kFirmwareSlots && entry < 0; ++e) {
        if (std::strncmp(name, m_hello.FirmName[e], 32) == 0) {
            entry = e;
        }
    }
    const int row = entry >= 0 ? GetTypeToIdx(entry) : -1;
    if (row < 0) {
        return FALSE;
    }
    FwImageSlot& slot = m_images[std::size_t(row)];
    if (version <= m_hello.FirmVer[entry] || version <= SlotVersion(slot)) {
        return FALSE;
    }
    slot = FwImageSlot{};
    slot.offered = 1;
    slot.path = path;
    WriteBE32(slot.request.version, version);
    slot.request.part = BYTE(entry);
    std::memcpy(slot.request.name, name, sizeof slot.request.name);
    return TRUE;
}

int CFwUpgradeDlg::ScanUpgradeFolder() {
    for (FwImageSlot& slot : m_images) {
        slot = FwImageSlot{};
    }
    m_host.GetHello(m_hello);
    const std::string folder = JoinPath(MapWindowsPath(m_host.Location()), "Upgrade");
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) {
            files.push_back(it->path().filename().string());
        }
    }
    // The order does not depend on the file system's: of equal images the first by name wins.
    std::sort(files.begin(), files.end(), LessIgnoringCase);
    int accepted = 0;
    for (const std::string& name : files) {
        if (ReadImageHeader(JoinPath(folder, name).c_str())) {
            ++accepted;
        }
    }
    return accepted;
}

// ---- the upload

int CFwUpgradeDlg::ProgressPercent(ULONGLONG sent, ULONGLONG size) {
    if (size == 0) {
        return 0;
    }
    return int(std::min<ULONGLONG>(sent, size) * 100 / size);
}

CFwUpgradeDlg::UploadResult CFwUpgradeDlg::SendImage(CTcpConnection& conn, const char* path,
                                                     const std::atomic<bool>& abort,
                                                     const std::function<void(int)>& progress) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) {
        return kUploadFailed;
    }
    const LONGLONG length = file.GetLength();
    if (length <= 0) {
        return kUploadFailed; // nothing to send would leave the recorder waiting
    }
    const ULONGLONG size = ULONGLONG(length);
    ULONGLONG remaining = size;
    std::vector<BYTE> buffer(kPacketHeaderSize + kChunkSize);
    while (remaining > 0) {
        if (abort.load()) {
            return kUploadAborted;
        }
        const bool last = remaining <= kChunkSize;
        const DWORD count = last ? DWORD(remaining) : kChunkSize;
        if (!file.ReadExact(buffer.data() + kPacketHeaderSize, count)) {
            return kUploadFailed; // the file changed under the upload
        }
        PacketHeader::Request(Msg::FW_DATA, count, last).Encode(buffer.data());
        if (SendAll(&conn, buffer.data(), kPacketHeaderSize + count) == 0) {
            return kUploadFailed;
        }
        remaining -= count;
        if (progress) {
            progress(last ? 100 : ProgressPercent(size - remaining, size));
        }
        std::this_thread::yield();
    }
    return kUploadSent;
}

void CFwUpgradeDlg::StopUploadThread() {
    m_bAbort.store(true);
    ++m_nUploadGeneration; // whatever the ended thread still posts is stale now
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_nRunning.store(0);
}

void CFwUpgradeDlg::OnUpdateAck() {
    Trace("WM_FW_UPDATE_ACK\n");
    // Only the announcement still waiting gets an upload: never a second thread for one image, nor
    // an upload the operator stopped before the answer came.
    if (!m_bAwaitingAck || m_nRunning.load() != 0) {
        return;
    }
    m_bAwaitingAck = false;
    if (m_thread.joinable()) {
        m_thread.join();
    }
    const int row = m_nCurRow;
    m_btnStop.SetState(kButtonNormal);
    m_btnClose.Enable(FALSE);
    for (CSkinCheckButton& check : m_check) {
        check.EnableWindow(FALSE);
    }
    m_bAbort.store(false);
    const unsigned generation = ++m_nUploadGeneration;
    m_nRunning.store(generation);
    const HWND hwnd = CWnd::GetSafeHwnd();
    m_thread = std::thread([this, hwnd, row, generation, conn = m_conn, path = m_images[std::size_t(row)].path] {
        Thread_FwUpgrade(hwnd, row, generation, conn, path);
    });
    SetStatus(kStatusSending);
}

void CFwUpgradeDlg::Thread_FwUpgrade(HWND hwnd, int row, unsigned generation, std::shared_ptr<CTcpConnection> conn,
                                     std::string path) {
    UploadResult result = kUploadFailed;
    if (conn) {
        result = SendImage(*conn, path.c_str(), m_bAbort, [hwnd, row, generation](int percent) {
            ::PostMessage(hwnd, WM_KELO_FW_UPLOAD_PROGRESS, WPARAM(row) | (WPARAM(generation) << 8), percent);
        });
    }
    m_bAbort.store(true);
    m_nRunning.store(0);
    ::PostMessage(hwnd, WM_KELO_FW_UPLOAD_ENDED, WPARAM(result), LPARAM(generation));
}

void CFwUpgradeDlg::OnUploadEnded(UploadResult result, unsigned generation) {
    if (generation != m_nUploadGeneration) {
        return;
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_btnStop.SetState(kButtonDisabled);
    if (result == kUploadFailed) {
        // The image could not be sent whole: say so and let the operator close.
        m_btnClose.Enable(TRUE);
        SetRowStatusText(m_nCurRow, IDS_FAILED);
        SetStatus(kStatusIdle);
    }
}

void CFwUpgradeDlg::FinishCurrent(UINT textId, bool done) {
    StopUploadThread();
    SetStatus(kStatusIdle);
    if (textId != 0) {
        SetRowStatusText(m_nCurRow, textId);
    }
    if (done) {
        ++m_nFinished;
    }
    SendNextRequest();
}

void CFwUpgradeDlg::SendNextRequest() {
    m_bAwaitingAck = false;
    for (int row = std::max(m_nCurRow, 0); row < kRows; ++row) {
        FwImageSlot& slot = m_images[std::size_t(row)];
        if (slot.offered == 0 || m_check[std::size_t(row)].GetCheck() == 0) {
            continue;
        }
        m_nCurRow = row;
        m_btnStart.Show(FALSE);
        m_btnStop.Show(TRUE);
        m_btnStop.Enable(TRUE);
        m_bAwaitingAck = true;
        if (m_conn) {
            SendPacket(m_conn.get(), PacketHeader::Request(Msg::FW_UPDATE_REQ, sizeof slot.request), &slot.request,
                       sizeof slot.request);
        }
        slot.offered = 0; // each image is announced once
        return;
    }
    SetStatus(kStatusIdle);
    m_btnStart.Show(TRUE);
    m_btnStart.Enable(FALSE);
    m_btnStop.Show(FALSE);
    m_btnClose.Enable(TRUE);
    for (int row = 0; row < kRows; ++row) {
        if (OfferedRow(row)) {
            m_check[std::size_t(row)].EnableWindow(TRUE);
        }
    }
    m_nCurRow = 0;
}

// ---- the dialog

void CFwUpgradeDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, kIdStart, m_btnStart);
    DDX_Control(pDX, kIdStop, m_btnStop);
    DDX_Control(pDX, kIdClose, m_btnClose);
    for (int r = 0; r < 6; ++r) {
        DDX_Control(pDX, int(kIdCheckFirst) + r, m_check[std::size_t(r)]);
        DDX_Control(pDX, int(kIdNameFirst) + r, m_name[std::size_t(r)]);
        DDX_Control(pDX, int(kIdProgressFirst) + r, m_progress[std::size_t(r)]);
        DDX_Control(pDX, int(kIdStatusFirst) + r, m_rowStatus[std::size_t(r)]);
    }
}

BOOL CFwUpgradeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_bmBackground.LoadBitmap(IDB_FIRMWARE_UPGRADE);
    m_bmStatus.LoadBitmap(IDB_FIRMWARE_UPGRADE_STATUS_STRIP);
    SetWindowPos(nullptr, 0, 0, kWidth, kHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    SetUpTextButton(m_btnStart, IDB_FIRMWARE_UPGRADE_START_STOP_CLOSE, IDS_START, 0xA6A6A6);
    SetUpTextButton(m_btnStop, IDB_FIRMWARE_UPGRADE_START_STOP_CLOSE, IDS_STOP, 0xA6A6A6);
    SetUpTextButton(m_btnClose, IDB_FIRMWARE_UPGRADE_START_STOP_CLOSE, IDS_CLOSE, 0xA6A6A6);
    m_btnStart.MoveWindow(220, 187, 86, 27);
    m_btnStop.MoveWindow(220, 187, 86, 27);
    m_btnClose.MoveWindow(306, 187, 86, 27);
    m_btnStart.Show(TRUE);
    m_btnStop.Show(FALSE);
    SetUpRows();
    SetOpacity(CWnd::GetSafeHwnd(), m_nAlpha);
    m_host.RegisterWindow(ClientWindow::FirmwareDialog, CWnd::GetSafeHwnd());
    return TRUE;
}

void CFwUpgradeDlg::SetUpRows() {
    CBitmap groove;
    const int barHeight = groove.LoadBitmap(IDB_FIRMWARE_ROW_PROGRESS_GROOVE) ? groove.GetSize().cy : 14;
    bool anyOffered = false;
    for (int r = 0; r < 6; ++r) {
        const std::size_t i = std::size_t(r);
        const int y = 19 + 23 * r;
        m_check[i].MoveWindow(18, y - 1, 15, 15);
        m_check[i].SetBitmaps(IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_CHECKED, IDB_CHECK_BOX_NOT_CHECKED,
                              IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_NOT_CHECKED, IDB_CHECK_BOX_SHAPE, 0, 0, 0);
        for (CSkinLabel* label : {&m_name[i], &m_rowStatus[i]}) {
            label->LoadBitmap(0, IDB_VALUE_FIELD_BEHIND_LABELS_SELECTORS);
            label->SetTextStyle(kLabelColour, kLabelColour, 0, 0, TRUE, 9, "Arial Bold");
        }
        m_name[i].MoveWindow(38, y, 78, 14);
        m_rowStatus[i].MoveWindow(243, y, 132, 14);
        m_rowStatus[i].SetText("");
        m_progress[i].LoadBackBitmap(IDB_FIRMWARE_ROW_PROGRESS_GROOVE);
        m_progress[i].LoadBarBitmap(IDB_FIRMWARE_ROW_PROGRESS_FILL);
        m_progress[i].MoveWindow(94, y, 140, barHeight);
        m_progress[i].SetRange(0, 100);
        m_progress[i].SetPos(0);
        if (r < kRows) {
            m_name[i].SetText(LoadResString(kRowNameText[r]));
        }
        const bool offered = r < kRows && OfferedRow(r);
        m_check[i].SetCheck(offered ? 1 : 0);
        m_check[i].EnableWindow(offered ? TRUE : FALSE);
        if (offered) {
            m_progress[i].SetShowText(TRUE, kLabelColour);
            anyOffered = true;
        }
    }
    m_btnStart.Enable(anyOffered ? TRUE : FALSE);
}

bool CFwUpgradeDlg::OfferedRow(int row) const {
    return row >= 0 && row < kRows && m_images[std::size_t(row)].offered != 0;
}

void CFwUpgradeDlg::UpdateStartButton() {
    bool any = false;
    for (CSkinCheckButton& check : m_check) {
        any = any || (check.GetCheck() != 0 && check.IsWindowEnabled());
    }
    if (any) {
        m_btnStart.Show(TRUE);
    }
    m_btnStart.Enable(any ? TRUE : FALSE);
}

void CFwUpgradeDlg::SetStatus(int status) {
    m_nStatus = status;
    InvalidateRect(&m_rcStatus, TRUE);
}

void CFwUpgradeDlg::SetRowStatusText(int row, UINT textId) {
    if (row < 0 || row >= kRows) {
        return;
    }
    m_rowStatus[std::size_t(row)].SetText(LoadResString(textId));
}

void CFwUpgradeDlg::OnStart() {
    if (m_nRunning.load() != 0) {
        return;
    }
    SendNextRequest();
}

void CFwUpgradeDlg::OnStop() {
    m_bAwaitingAck = false;
    StopUploadThread();
    m_btnStop.SetState(kButtonDisabled);
    m_btnClose.Enable(TRUE);
    SetRowStatusText(m_nCurRow, IDS_STOPPED);
    SetStatus(kStatusIdle);
}

void CFwUpgradeDlg::OnCloseButton() {
    if (m_nFinished > 0) {
        m_host.PostNotice(kNoticeFirmwareAskRestart);
    }
    PostMessage(WM_CLOSE);
}

BOOL CFwUpgradeDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        switch (id) {
        case kIdStart:
            OnStart();
            return TRUE;
        case kIdStop:
            OnStop();
            return TRUE;
        case kIdClose:
            OnCloseButton();
            return TRUE;
        default:
            if (id >= kIdCheckFirst && id < kIdCheckFirst + 6) {
                UpdateStartButton();
                return TRUE;
            }
            break;
        }
    }
    return CSkinDialog::OnCommand(wParam, lParam);
}

LRESULT CFwUpgradeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KELO_FW_UPDATE_ACK:
        OnUpdateAck();
        break;
    case WM_KELO_FW_UPDATE_NACK: {
        const DWORD reason = DWORD(wParam);
        const UINT text = reason == 1    ? IDS_REQUEST_REFUSED
                          : reason == 17 ? IDS_WRONG_IMAGE
                          : reason == 18 ? IDS_RECORDER_BUSY
                                         : 0;
        FinishCurrent(text, false);
        break;
    }
    case WM_KELO_FW_DATA_RX_DONE:
        SetStatus(kStatusReceived);
        break;
    case WM_KELO_FW_DATA_RX_FAIL:
    case WM_KELO_FW_UPDATE_FAIL:
        FinishCurrent(IDS_FAILED, false);
        break;
    case WM_KELO_FW_UPDATE_DONE:
        FinishCurrent(IDS_DONE, true);
        break;
    case WM_KELO_FW_UPLOAD_PROGRESS: {
        const int row = int(wParam & 0xFF);
        if (unsigned(wParam >> 8) == m_nUploadGeneration && row >= 0 && row < kRows) {
            m_progress[std::size_t(row)].SetPos(int(lParam));
        }
        return 0;
    }
    case WM_KELO_FW_UPLOAD_ENDED:
        OnUploadEnded(UploadResult(wParam), unsigned(lParam));
        return 0;
    default:
        break;
    }
    return CSkinDialog::WindowProc(message, wParam, lParam);
}

BOOL CFwUpgradeDlg::DestroyWindow() {
    StopUploadThread();
    return CSkinDialog::DestroyWindow();
}

void CFwUpgradeDlg::OnDestroy() {
    m_host.RegisterWindow(ClientWindow::FirmwareDialog, nullptr);
    CSkinDialog::OnDestroy();
}

BOOL CFwUpgradeDlg::OnEraseBkgnd(CDC* pDC) {
    DrawBitmap(pDC, m_bmBackground, 0, 0, kWidth, kHeight, FALSE, 0);
    DrawBitmap(pDC, m_bmStatus, m_rcStatus.left, m_rcStatus.top, m_rcStatus.right, m_rcStatus.bottom, FALSE, 0);
    UINT text = 0;
    COLORREF colour = 0xFFFFFF;
    if (m_nStatus == kStatusSending) {
        text = IDS_SENDING_THE_IMAGE;
    } else if (m_nStatus == kStatusReceived) {
        text = IDS_RECORDER_IS_UPDATING;
        colour = 0x00FFFF;
    }
    if (text != 0) {
        CFont font;
        MakeSkinFont(font, 9);
        CFont* old = pDC->SelectObject(&font);
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(colour);
        CRect rect(m_rcStatus);
        pDC->DrawText(LoadResString(text), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (old != nullptr) {
            pDC->SelectObject(old);
        }
    }
    return TRUE;
}
