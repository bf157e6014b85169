#pragma once
// What the archive's window tests share: the event loop helpers, a main window that logs the
// notices posted to it, an IArchiveHost with every answer under the test's control, and a search
// frame opened modelessly over a logged-in client (a scripted recorder that records every request).

#include "archive/ArchiveHost.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/SearchPage.h"
#include "platform/window/MessagePump.h"
#include "platform/window/Wnd.h"
#include "platform/window/WndHost.h"
#include "protocol/ByteOrder.h"
#include "protocol/ClientMessages.h"
#include "tests/protocol/ClientRig.h"
#include "tests/support/UtcTime.h"

#include <QApplication>
#include <QDeadlineTimer>

#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace archivetest {

inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Delivers everything posted so far, deferred PostNcDestroy calls included.
inline void Flush() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// The main window's stand-in: a plain top-level window that keeps the notices posted to it.
class CTestMainWindow : public CWnd {
public:
    struct Notice {
        HWND over;
        LPARAM notice;
    };
    std::vector<Notice> notices;

    CTestMainWindow() {
        const RECT r{0, 0, 928, 698};
        Create(nullptr, "main", WS_POPUP, r, nullptr, 0);
    }
    ~CTestMainWindow() override { DestroyWindow(); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KELO_NOTICE) {
            notices.push_back({reinterpret_cast<HWND>(wParam), lParam});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class TestArchiveHost : public IArchiveHost {
public:
    CTestMainWindow main;
    CDvrClient* client = nullptr;
    CString connectionText;
    int dateFormat = 0;
    DWORD freeMByte = 100000;
    bool diskMeasured = true;
    bool localPlayer = false;
    int playSource = 0;
    ArchiveResume resume;
    struct Figures {
        LONG needed = 0;
        LONG freeLess100 = 0;
        LONG margin = 0;
    } figures;
    ISearchReplySink* sink = nullptr;
    HWND frameHwnd = nullptr;

    CWnd* MainWindow() override { return &main; }
    CDvrClient* Client() override { return client; }
    CString ConnectionText() const override { return connectionText; }
    int DateFormat() const override { return dateFormat; }
    // Fields read as UTC: the tests' times do not depend on the machine's zone.
    DWORD TimeToCTime(const int fields[6]) const override { return UtcOfFields(fields); }
    bool GetDiskFreeText(DWORD* freeOut, DWORD* totalOut) const override {
        if (!diskMeasured) {
            return false;
        }
        *freeOut = freeMByte;
        *totalOut = freeMByte * 2;
        return true;
    }
    bool HasLocalPlayer() const override { return localPlayer; }
    int VideoPlaySource() const override { return playSource; }
    ArchiveResume& Resume() override { return resume; }
    void SetBackupSpaceFigures(LONG needed, LONG freeLess100, LONG margin) override {
        figures = {needed, freeLess100, margin};
    }
    void SetSearchFrame(ISearchReplySink* s, HWND hwnd) override {
        sink = s;
        frameHwnd = hwnd;
    }
    std::string NoPrinterFolder() const override { return noPrinterFolder; }
    void ShowTextBox(CWnd*, const std::vector<CString>& lines) override { told.push_back(lines); }
    std::string noPrinterFolder;
    std::vector<std::vector<CString>> told;
};

// A month reply: one record per year, with the given (month, day) flags set.
struct FlaggedDay {
    int year;
    int month;
    int day;
};
inline std::vector<BYTE> MonthReply(const std::vector<FlaggedDay>& days) {
    std::vector<int> years;
    for (const FlaggedDay& d : days) {
        if (std::find(years.begin(), years.end(), d.year) == years.end()) {
            years.push_back(d.year);
        }
    }
    std::vector<BYTE> bytes(years.size() * 376, 0);
    for (std::size_t i = 0; i < years.size(); ++i) {
        WriteBE32(&bytes[i * 376], DWORD(years[i]));
        for (const FlaggedDay& d : days) {
            if (d.year == years[i]) {
                bytes[i * 376 + 4 + 31 * std::size_t(d.month) + std::size_t(d.day)] = 1;
            }
        }
    }
    return bytes;
}

struct SegmentSpec {
    DWORD mask;
    BYTE type;
    DWORD start;
    DWORD end;
};
inline std::vector<BYTE> SegmentReply(const std::vector<SegmentSpec>& segments) {
    std::vector<BYTE> bytes(segments.size() * 24, 0);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        BYTE* r = &bytes[i * 24];
        WriteBE32(r, segments[i].mask);
        r[4] = segments[i].type;
        WriteBE32(r + 16, segments[i].start);
        WriteBE32(r + 20, segments[i].end);
    }
    return bytes;
}

// A request the client sent, as the recorder read it.
struct Sent {
    unsigned id = 0;
    std::uint32_t w1 = 0; // length and flags as sent
    std::vector<std::uint8_t> payload;
};

// A search frame over a logged-in client, opened modelessly and shown.
class FrameRig {
public:
    explicit FrameRig(const rig::Options& options = {}, bool connected = true) {
        if (connected) {
            client = std::make_unique<rig::ClientRig>(options);
            host.client = client->client.get();
        }
    }
    ~FrameRig() {
        Close();
        client.reset();
        if (!m_saveLocation.empty()) {
            std::filesystem::remove_all(m_saveLocation);
        }
    }

    // Backups of this rig's client go to a folder of their own, removed with the rig.
    const std::filesystem::path& UseTemporarySaveLocation() {
        char name[] = "/tmp/kelo-archive-save-XXXXXX";
        m_saveLocation = ::mkdtemp(name);
        DownloadWriterOptions options;
        options.saveLocation = m_saveLocation;
        client->client->Backup().SetDownloadOptions(options);
        return m_saveLocation;
    }

    // Opens the frame: its first tab and page as the rights and the resume record choose.
    bool Open() {
        frame = std::make_unique<CRemoteSearchDlg>(host, 255, &host.main);
        if (!frame->Create(CRemoteSearchDlg::IDD, &host.main)) {
            return false;
        }
        frame->ShowWindow(SW_SHOW);
        Flush();
        return true;
    }
    void Close() {
        if (frame && frame->GetSafeHwnd() != nullptr) {
            frame->DestroyWindow();
        }
        Flush();
        frame.reset();
        Flush();
    }
    // The frame's modal loop would end: it hid itself.
    bool Ended() {
        return PumpUntil([this] { return !frame->IsWindowVisible(); }, 5000);
    }

    template <typename Page>
    Page* PageAt(int slot) {
        return dynamic_cast<Page*>(frame->Page(slot));
    }

    // The next request the client sent (live and time messages of the rig skipped); id 0 when none
    // came within the time.
    Sent Next(int timeoutMs = 5000) {
        const ScriptedRecorder::Received r = client->Next({Msg::DVR_TIME_REQ}, timeoutMs);
        if (!r.ok) {
            return {};
        }
        return {r.id, r.w1, r.payload};
    }
    bool Quiet(int ms = 200) { return client->Quiet(ms); }

    // A reply as the main window hands it over on the UI thread.
    void Reply(UINT message, const std::vector<BYTE>& bytes, DWORD recordSize) {
        frame->OnSearchReply(message, bytes, recordSize == 0 ? DWORD(bytes.size()) : DWORD(bytes.size() / recordSize));
        Flush();
    }

    // Sends a command from a control, as a click on it does.
    static void Click(CWnd& parent, UINT id, WORD code = BN_CLICKED) {
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(id, code), 0);
        Flush();
    }

    TestArchiveHost host;
    std::unique_ptr<rig::ClientRig> client;
    std::unique_ptr<CRemoteSearchDlg> frame;

private:
    std::filesystem::path m_saveLocation;
};

inline DWORD BE(const std::vector<std::uint8_t>& p, std::size_t at) {
    return p.size() >= at + 4 ? ReadBE32(p.data() + at) : 0xDEADBEEF;
}

} // namespace archivetest
