#pragma once
// Printing of the log lists: 33 rows a page in five framed cells, a framed title on top and the
// page number at the foot, in twips (MM_TWIPS, y growing upwards). The remote log pages and the
// local log page print the same way with their own title box and column edges.

#include "archive/RemoteLogText.h"
#include "platform/base/Rect.h"
#include "platform/base/String.h"

#include <functional>
#include <memory>

class CDC;

struct LogPrintLayout {
    RECT title;      // the title's frame (left, top, right, bottom)
    int edges[6];    // the x edges of the five cells, before the shift of 300
    int titleHeight; // the fonts' heights (the remote lists ask for character heights, the local
    int bodyHeight;  // log for cell heights)
};

// The remote log lists and the local log.
extern const LogPrintLayout kRemoteLogPrintLayout;
extern const LogPrintLayout kLocalLogPrintLayout;

// Where a print job goes: the default printer, or a PDF file where there is none (and a recording
// context in tests).
class ILogPrintDevice {
public:
    virtual ~ILogPrintDevice() = default;
    virtual CDC* Dc() = 0;
    // > 0 when the job started.
    virtual int StartDoc(const char* docName) = 0;
    virtual int StartPage() = 0;
    // > 0 when the page was finished.
    virtual int EndPage() = 0;
    virtual int EndDoc() = 0;
    virtual int AbortDoc() = 0;
};

class CLogPrinter {
public:
    static constexpr int kRowsPerPage = 33;

    // The row texts of print row i (0 = the first printed).
    using RowSource = std::function<LogRow(int row)>;

    // Prints `rows` rows under `title`. The number of pages printed; the job is ended (EndDoc) when
    // every page ended well, else aborted.
    static int Print(ILogPrintDevice& device, const LogPrintLayout& layout, const char* docName, const CString& title,
                     int rows, const RowSource& row);

    // The default printer asked for without a dialog; null when there is none (nor a PDF folder).
    static std::unique_ptr<ILogPrintDevice> DefaultPrinter();
};
