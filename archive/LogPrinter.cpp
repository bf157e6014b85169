#include "archive/LogPrinter.h"

#include "platform/gdi/DC.h"
#include "platform/gdi/Font.h"
#include "platform/gdi/Pen.h"
#include "platform/window/PrintDialog.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

const LogPrintLayout kRemoteLogPrintLayout{{3200, -900, 8200, -1400}, {100, 850, 3000, 4850, 6000, 10700}, -400, -200};
const LogPrintLayout kLocalLogPrintLayout{{3700, -900, 7700, -1400}, {100, 800, 3400, 6500, 7800, 10500}, 400, 200};

namespace {

constexpr int kCellShift = 300;
constexpr int kFirstRowTop = -1800;
// The page number, centred near the foot of the page.
constexpr RECT kFooterBox{5000, -15500, 7000, -15700};
constexpr int kRowHeight = 400;
constexpr UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// A PDF file is named after the list and the time of the job, so that printing the same list
// again keeps the earlier file.
CString TimedDocName(const char* docName) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    CString name;
    name.Format("%s %04d-%02d-%02d %02d-%02d-%02d", docName, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                local.tm_hour, local.tm_min, local.tm_sec);
    return name;
}

class CPrinterDevice : public ILogPrintDevice {
public:
    explicit CPrinterDevice(std::unique_ptr<CPrintDialog> dialog) : m_dialog(std::move(dialog)) {}
    CDC* Dc() override { return m_dialog->GetPrinter(); }
    int StartDoc(const char* docName) override {
        const CString name = m_dialog->PrintsToFile() ? TimedDocName(docName) : CString(docName);
        DOCINFO info{};
        info.cbSize = 20;
        info.lpszDocName = name.GetString();
        return m_dialog->GetPrinter()->StartDoc(&info);
    }
    std::string OutputPath() const override { return m_dialog->GetPrinter()->OutputPath(); }
    int StartPage() override { return m_dialog->GetPrinter()->StartPage(); }
    int EndPage() override { return m_dialog->GetPrinter()->EndPage(); }
    int EndDoc() override { return m_dialog->GetPrinter()->EndDoc(); }
    int AbortDoc() override { return m_dialog->GetPrinter()->AbortDoc(); }

private:
    std::unique_ptr<CPrintDialog> m_dialog;
};

// The pen and fonts of a job, owned from its start to its end.
struct PrintObjects {
    CPen pen;
    CFont title;
    CFont body;
    CFont footer;

    explicit PrintObjects(const LogPrintLayout& layout) {
        pen.CreatePen(PS_SOLID, 5, RGB(0, 0, 0));
        auto make = [](CFont& font, int height, int weight) {
            font.CreateFont(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial Bold");
        };
        make(title, layout.titleHeight, 700);
        make(body, layout.bodyHeight, 400);
        make(footer, layout.bodyHeight, 400);
    }
};

void PrintTitle(CDC& dc, const LogPrintLayout& layout, PrintObjects& objects, const CString& title) {
    CPen* oldPen = dc.SelectObject(&objects.pen);
    CFont* oldFont = dc.SelectObject(&objects.title);
    RECT box = layout.title;
    dc.Rectangle(&box);
    dc.DrawText(title, &box, kCentred);
    dc.SelectObject(oldFont);
    dc.SelectObject(oldPen);
}

// A cell's text keeps this much room (about 1 mm) from the cell's frame on either side.
constexpr int kCellPadding = 60;
// A text too long for its cell is printed smaller, down to this share of the body font.
constexpr int kSmallestTextPercent = 60;

// The text centred in its cell, clear of the frame: a text wider than the room inside the padding
// is printed in a font made smaller by as much as it is too wide.
void PrintCellText(CDC& dc, const LogPrintLayout& layout, const CString& text, const RECT& cell) {
    RECT room{cell.left + kCellPadding, cell.top, cell.right - kCellPadding, cell.bottom};
    const int available = room.right - room.left;
    const int wide = dc.GetTextExtent(text).cx;
    if (available <= 0 || wide <= available) {
        dc.DrawText(text, &room, kCentred);
        return;
    }
    const int percent = std::max(kSmallestTextPercent, available * 100 / wide);
    CFont smaller;
    smaller.CreateFont(layout.bodyHeight * percent / 100, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0,
                       "Arial Bold");
    CFont* old = dc.SelectObject(&smaller);
    dc.DrawText(text, &room, kCentred);
    dc.SelectObject(old);
}

void PrintRows(CDC& dc, const LogPrintLayout& layout, PrintObjects& objects, int first, int count,
               const CLogPrinter::RowSource& source) {
    CFont* oldFont = dc.SelectObject(&objects.body);
    CPen* oldPen = dc.SelectObject(&objects.pen);
    for (int k = 0; k < count; ++k) {
        const LogRow row = source(first + k);
        const int top = kFirstRowTop - kRowHeight * k;
        for (int c = 0; c < 5; ++c) {
            RECT cell{layout.edges[c] + kCellShift, top, layout.edges[c + 1] + kCellShift, top - kRowHeight};
            dc.Rectangle(&cell);
            if (!row[std::size_t(c)].IsEmpty()) {
                PrintCellText(dc, layout, row[std::size_t(c)], cell);
            }
        }
    }
    dc.SelectObject(oldPen);
    dc.SelectObject(oldFont);
}

void PrintFooter(CDC& dc, PrintObjects& objects, int page, int pages) {
    CFont* oldFont = dc.SelectObject(&objects.footer);
    CString text;
    text.Format("- %d / %d -", page, pages);
    RECT box = kFooterBox;
    dc.DrawText(text, &box, kCentred);
    dc.SelectObject(oldFont);
}

} // namespace

int CLogPrinter::Print(ILogPrintDevice& device, const LogPrintLayout& layout, const char* docName, const CString& title,
                       int rows, const RowSource& row) {
    CDC* dc = device.Dc();
    if (dc == nullptr || rows <= 0) {
        return 0;
    }
    dc->m_bPrinting = TRUE;
    bool good = device.StartDoc(docName) > 0;
    const int pages = (rows + kRowsPerPage - 1) / kRowsPerPage;
    PrintObjects objects(layout);
    dc->SetMapMode(MM_TWIPS);
    int printed = 0;
    int next = 0;
    for (int page = 1; page <= pages && good && next < rows; ++page) {
        device.StartPage();
        PrintTitle(*dc, layout, objects, title);
        const int count = std::min(kRowsPerPage, rows - next);
        PrintRows(*dc, layout, objects, next, count, row);
        next += count;
        PrintFooter(*dc, objects, page, pages);
        good = device.EndPage() > 0;
        if (good) {
            ++printed;
        }
    }
    if (good) {
        device.EndDoc();
    } else {
        device.AbortDoc();
    }
    return printed;
}

std::unique_ptr<ILogPrintDevice> CLogPrinter::DefaultPrinter(const std::string& noPrinterFolder) {
    auto dialog = std::make_unique<CPrintDialog>(FALSE, PD_RETURNDEFAULT | PD_RETURNDC);
    dialog->SetNoPrinterFolder(noPrinterFolder);
    if (dialog->DoModal() != IDOK || dialog->GetPrinter() == nullptr) {
        return nullptr;
    }
    return std::make_unique<CPrinterDevice>(std::move(dialog));
}

PrintOutcome CLogPrinter::PrintList(const std::string& noPrinterFolder, const LogPrintLayout& layout,
                                    const char* docName, const CString& title, int rows, const RowSource& row) {
    PrintOutcome outcome;
    if (rows <= 0) {
        outcome.kind = PrintOutcome::Kind::NothingToPrint;
        return outcome;
    }
    std::unique_ptr<ILogPrintDevice> device = DefaultPrinter(noPrinterFolder);
    if (!device) {
        return outcome;
    }
    outcome.pages = Print(*device, layout, docName, title, rows, row);
    const int expected = (rows + kRowsPerPage - 1) / kRowsPerPage;
    if (outcome.pages != expected) {
        outcome.pages = 0;
        return outcome;
    }
    outcome.pdfPath = device->OutputPath();
    outcome.kind = outcome.pdfPath.empty() ? PrintOutcome::Kind::Printed : PrintOutcome::Kind::SavedAsPdf;
    return outcome;
}

std::vector<CString> CLogPrinter::OutcomeLines(const PrintOutcome& outcome, const TextSource& text) {
    switch (outcome.kind) {
    case PrintOutcome::Kind::NothingToPrint:
        return {text(kTextNothingToPrint)};
    case PrintOutcome::Kind::Printed:
        return {};
    case PrintOutcome::Kind::SavedAsPdf: {
        const std::filesystem::path path(outcome.pdfPath);
        return {text(kTextSavedAsPdf), CString(path.parent_path().string().c_str()),
                CString(path.filename().string().c_str())};
    }
    case PrintOutcome::Kind::Failed:
        break;
    }
    return {text(kTextPrintFailed)};
}
