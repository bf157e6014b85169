#pragma once
// What the remote search frame and its pages use of the main window, and what the main window
// keeps for them between openings of the frame. The main window implements IArchiveHost; every
// call comes from the UI thread.

#include "archive/ArchiveRecords.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

#include <string>
#include <vector>

class CWnd;
class CDvrClient;

// The search that started the last playback, so that reopening the frame during that playback
// returns to it. All zero: nothing to return to.
struct ResumeRecord {
    BYTE active;        // 1 after a Play from the search frame
    BYTE source;        // 0 a search page, 1 a log page
    BYTE search_mode;   // 0 date/time search, 1 event list, 2 calendar and day timeline
    BYTE log_page;      // 0 All, 1 Event
    DWORD event_filter; // 0 alarm, 1 motion, 2 audio
    DWORD time;         // recorder time of what was played
};
static_assert(sizeof(ResumeRecord) == 12);

// The resume record and the copies of the month and day/event records the resumed page shows. It
// belongs to one connection: the main window makes it empty whenever a connection starts or ends.
struct ArchiveResume {
    ResumeRecord record{};
    std::vector<RecMonthInfo> months;
    std::vector<RecSegment> segments;

    void ClearRecord() { record = ResumeRecord{}; }
    void FreeCopies() {
        months.clear();
        segments.clear();
    }
};

// The frame's side of the client's replies, called on the UI thread by the main window.
class ISearchReplySink {
public:
    virtual ~ISearchReplySink() = default;
    // A finished list reply (IClientHost::DeliverSearchReply): readyMessage 0x5234-0x5238 with
    // `count` whole records in `bytes`, or 0x523A-0x523C with the reply's bytes.
    virtual void OnSearchReply(UINT readyMessage, std::vector<BYTE> bytes, DWORD count) = 0;
    // IClientHost::ClearSearchBusy.
    virtual void OnSearchBusyCleared() = 0;
};

class IArchiveHost {
public:
    virtual ~IArchiveHost() = default;

    // The main window: the frame's owner; notices (0x5226) are posted to it.
    virtual CWnd* MainWindow() = 0;
    // The connection, or null when there is none (it may go while the frame is open).
    virtual CDvrClient* Client() = 0;
    // The description the operator typed for this connection in the connect dialog.
    virtual CString ConnectionText() const = 0;
    // 0 YYYY-MM-DD, 1 MM-DD-YYYY, 2 DD-MM-YYYY.
    virtual int DateFormat() const = 0;
    // Fields (year, month 0-11, day 0-30, hour, minute, second) to a recorder time.
    virtual DWORD TimeToCTime(const int fields[6]) const = 0;
    // Free and total MByte of the save location's drive; false (outputs untouched) for a drive that
    // is not measured.
    virtual bool GetDiskFreeText(DWORD* freeMByte, DWORD* totalMByte) const = 0;
    virtual bool HasLocalPlayer() const = 0;
    // The video window's play source: 0 none, 1 live, 2 remote playback, 3 local playback.
    virtual int VideoPlaySource() const = 0;
    virtual ArchiveResume& Resume() = 0;
    // The figures of the "not enough space for a backup" notice (13/0), stored before it is posted:
    // the range's MByte, the free MByte less 100, and the free MByte left after the backup.
    virtual void SetBackupSpaceFigures(LONG neededMByte, LONG freeLess100MByte, LONG marginMByte) = 0;
    // The frame registers while its window exists (null, null when it goes): the client's posts to
    // ClientWindow::SearchFrame go to hwnd, and its replies to the sink.
    virtual void SetSearchFrame(ISearchReplySink* sink, HWND hwnd) = 0;
    // Where a printed list goes as a PDF file when there is no printer.
    virtual std::string NoPrinterFolder() const = 0;
    // Shows the operator a box of up to three lines over `owner` and returns when it is closed.
    virtual void ShowTextBox(CWnd* owner, const std::vector<CString>& lines) = 0;
};
