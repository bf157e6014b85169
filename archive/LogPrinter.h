#pragma once
// Printing of the log lists: 33 rows a page in five framed cells, a framed title on top and the
// page number at the foot, in twips (MM_TWIPS, y growing upwards). The remote log pages and the
// local log page print the same way with their own title box and column edges.

#include "archive/RemoteLogText.h"
#include "platform/base/Rect.h"
#include "platform/base/String.h"
#include "res/TextIds.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

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
    // The PDF file the job wrote, when the device is a file rather than a printer.
    virtual std::string OutputPath() const { return {}; }
};

// What a Print button did, for the operator.
struct PrintOutcome {
    enum class Kind { NothingToPrint, Printed, SavedAsPdf, Failed };
    Kind kind = Kind::Failed;
    int pages = 0;
    std::string pdfPath; // SavedAsPdf: the file written
};

class CLogPrinter {
public:
    static constexpr int kRowsPerPage = 33;

    // The row texts of print row i (0 = the first printed).
    using RowSource = std::function<LogRow(int row)>;

    // Prints `rows` rows under `title`. The number of pages printed; the job is ended (EndDoc) when
    // every page ended well, else aborted. No rows: no job is started at all.
    static int Print(ILogPrintDevice& device, const LogPrintLayout& layout, const char* docName, const CString& title,
                     int rows, const RowSource& row);

    // The default printer asked for without a dialog; without a printer, a PDF file in
    // `noPrinterFolder` named after the document and the time the job starts. Null when neither
    // can take the job.
    static std::unique_ptr<ILogPrintDevice> DefaultPrinter(const std::string& noPrinterFolder);

    // The Print button of a list: nothing when the list is empty, else the default printer (or
    // the PDF file) as above.
    static PrintOutcome PrintList(const std::string& noPrinterFolder, const LogPrintLayout& layout, const char* docName,
                                  const CString& title, int rows, const RowSource& row);

    // The lines of the box that tells the operator what Print did; none after a printer took the
    // job. A PDF file's folder and its name come whole, each on a line of its own (the box
    // shortens a line it cannot show in its middle, so the name's end always shows).
    static std::vector<CString> OutcomeLines(const PrintOutcome& outcome, const TextSource& text);
};

// Texts of the print outcome.
constexpr UINT kTextNothingToPrint = IDS_NOTHING_TO_PRINT;
constexpr UINT kTextSavedAsPdf = IDS_THE_LIST_WAS_SAVED_AS_A;
constexpr UINT kTextPrintFailed = IDS_THE_LIST_COULD_NOT_BE_PRINTED;
