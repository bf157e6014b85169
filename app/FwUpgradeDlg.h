#pragma once
// The firmware upgrade (dialog 109): finds the images in the upgrade folder that are newer than the
// parts the recorder reported at login, offers them in up to five rows, and uploads the checked ones
// one after the other. FW_UPDATE_REQ announces an image; the recorder's FW_UPDATE_ACK starts the
// upload thread, which sends the file as FW_DATA chunks of at most 8000 bytes on the connection;
// the recorder's results arrive as the messages 0x522A-0x522F (ClientMessages.h).
//
// The upload thread touches no window: it posts its progress and its end to the dialog. Each chunk
// goes out whole under the connection's send lock and within its send deadline, so the dialog's
// waits for the thread are bounded.

#include "app/MainWindowSeams.h"
#include "app/SkinDialog.h"
#include "controls/BitmapProgressCtrl.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/Bitmap.h"
#include "protocol/HelloInfo.h"
#include "res/DialogIds.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class IShellDialogHost;
class CTcpConnection;

// The FW_UPDATE_REQ body (message 144), sent as it is stored.
struct FwUpdateRequest {
    BYTE reserved0[4];
    BYTE version[4]; // big-endian; a boot loader's build time in seconds
    BYTE reserved1[8];
    BYTE part; // the firmware table entry: 0, 3, 4, 5 or 6
    BYTE reserved2[4];
    char name[32]; // the header's part name (a boot loader: its first 15 bytes)
    BYTE reserved3[3];
};
static_assert(sizeof(FwUpdateRequest) == 56);

// One row's image: offered, where it lies, and how it is announced.
struct FwImageSlot {
    BYTE offered;
    std::string path;
    FwUpdateRequest request;
};

class CFwUpgradeDlg : public CSkinDialog, public IFirmwareUpgrade {
public:
    static constexpr UINT IDD = IDD_FW_UPGRADE_DLG;
    static constexpr int kRows = 5;
    static constexpr int kSlots = 20;
    static constexpr DWORD kChunkSize = 8000;
    static constexpr std::size_t kHeadSize = 256;
    static constexpr std::size_t kImageHeaderSize = 64;
    static constexpr int kWidth = 398;
    static constexpr int kHeight = 222;
    // Control ids.
    static constexpr UINT kIdStart = 910;
    static constexpr UINT kIdStop = 911;
    static constexpr UINT kIdClose = 912;
    static constexpr UINT kIdCheckFirst = 490;
    static constexpr UINT kIdNameFirst = 790;
    static constexpr UINT kIdProgressFirst = 796;
    static constexpr UINT kIdStatusFirst = 802;
    // The status the status strip shows.
    enum Status { kStatusIdle = 0, kStatusSending = 1, kStatusReceived = 3 };
    enum UploadResult { kUploadSent = 0, kUploadAborted = 1, kUploadFailed = 2 };

    // The owner is the main window; the recorder's hello reply and connection come from the host.
    CFwUpgradeDlg(IShellDialogHost& host, BYTE alpha);
    ~CFwUpgradeDlg() override;

    // ---- IFirmwareUpgrade
    // Zeroes the image table and reads every regular file of the upgrade folder (in name order,
    // without regard to case); the number of files that filled a slot.
    int ScanUpgradeFolder() override;
    INT_PTR RunModal() override { return DoModal(); }
    HWND GetSafeHwnd() const override { return CWnd::GetSafeHwnd(); }

    // Reads one file's image header and offers it when it is newer than the recorder's part and than
    // the row's image so far. TRUE when it filled a slot.
    BOOL ReadImageHeader(const char* path);
    // The build date of a boot loader: "(Mmm dd yyyy - hh:mm:ss" at the first '(' of the head, as
    // seconds since 1970 counted as UTC. 0, or -1 when there is no such date.
    static int ParseBuildDate(const BYTE* text, std::size_t size, DWORD* time);
    // Rows 0-4 stand for the firmware table's entries 0, 3, 4, 5 and 6; anything else gives -1.
    static int GetIdxToType(int nIdx);
    static int GetTypeToIdx(int nType);
    // The percentage of an upload after `sent` of `size` bytes (64-bit: images may be large).
    static int ProgressPercent(ULONGLONG sent, ULONGLONG size);

    // Sends one image as FW_DATA chunks: at most kChunkSize bytes each in file order, the last one
    // with the last-fragment bit. Stops between chunks once `abort` is set. A file that cannot be
    // read whole (empty, shortened on the way, unreadable) or a failed send fails the upload.
    // `progress` gets the percentage after each chunk.
    static UploadResult SendImage(CTcpConnection& conn, const char* path, const std::atomic<bool>& abort,
                                  const std::function<void(int)>& progress);

    const FwImageSlot& Slot(int row) const { return m_images[std::size_t(row)]; }
    int Status() const { return m_nStatus; }
    int FinishedCount() const { return m_nFinished; }
    bool IsUploading() const { return m_nRunning.load() != 0; }

    CSkinTextButton m_btnStart;
    CSkinTextButton m_btnStop;
    CSkinTextButton m_btnClose;
    std::array<CSkinCheckButton, 6> m_check;
    std::array<CBitmapProgressCtrl, 6> m_progress;
    std::array<CSkinLabel, 6> m_name;
    std::array<CSkinLabel, 6> m_rowStatus;

    BOOL DestroyWindow() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;

private:
    void SetUpRows();
    // Announces the next checked image, or ends the run when none is left.
    void SendNextRequest();
    void OnStart();
    void OnStop();
    void OnCloseButton();
    void OnUpdateAck();
    // The upload thread's body: sends the row's image and posts its end.
    void Thread_FwUpgrade(HWND hwnd, int row, unsigned generation, std::shared_ptr<CTcpConnection> conn,
                          std::string path);
    void OnUploadEnded(UploadResult result, unsigned generation);
    // The recorder's verdict on the current image: its text on the row (0 none), then the next one.
    void FinishCurrent(UINT textId, bool done);
    void UpdateStartButton();
    // Sets the abort flag and waits for the upload thread to end.
    void StopUploadThread();
    void SetStatus(int status);
    void SetRowStatusText(int row, UINT textId);
    bool OfferedRow(int row) const;

    IShellDialogHost& m_host;
    std::shared_ptr<CTcpConnection> m_conn;
    HelloInfo m_hello{};
    std::thread m_thread;
    std::atomic<unsigned> m_nRunning{0};
    std::atomic<bool> m_bAbort{true};
    // Which upload the thread's messages belong to; older ones are ignored.
    unsigned m_nUploadGeneration = 0;
    // An image was announced and its FW_UPDATE_ACK has not come yet.
    bool m_bAwaitingAck = false;
    int m_nCurRow = 0;
    int m_nFinished = 0;
    std::array<FwImageSlot, kSlots> m_images{};
    BYTE m_nAlpha;
    CBitmap m_bmBackground;
    CBitmap m_bmStatus;
    CRect m_rcStatus{19, 155, 361, 177};
    int m_nStatus = kStatusIdle;
};
