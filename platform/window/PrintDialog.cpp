#include "platform/window/PrintDialog.h"

#include "platform/window/MessagePump.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

// A file name for the document in the folder: the document's name without path characters, made
// unique with " (2)", " (3)" ... when taken.
std::string PdfPathFor(const std::string& folder, const std::string& docName) {
    QString name = QString::fromUtf8(docName.empty() ? "Document" : docName.c_str());
    for (QChar& c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c == QChar(0)) {
            c = QLatin1Char('_');
        }
    }
    const QDir dir(QString::fromUtf8(folder.c_str()));
    QString path = dir.filePath(name + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path) && n < 10000; ++n) {
        path = dir.filePath(name + QStringLiteral(" (%1).pdf").arg(n));
    }
    return path.toStdString();
}

} // namespace

CPrinterDC::CPrinterDC(std::string pdfPath) : m_pdfFolderPath(std::move(pdfPath)) {
    m_bPrinting = TRUE;
}

CPrinterDC::~CPrinterDC() {
    if (m_inDoc) {
        AbortDoc();
    }
}

int CPrinterDC::StartDoc(const DOCINFO* docInfo) {
    if (m_inDoc || docInfo == nullptr) {
        return -1;
    }
    const std::string docName = docInfo->lpszDocName != nullptr ? docInfo->lpszDocName : "";
    if (m_pdfFolderPath.empty()) {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull()) {
            return -1;
        }
        m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        m_outputPath = PdfPathFor(m_pdfFolderPath, docName);
        m_printer->setOutputFileName(QString::fromStdString(m_outputPath));
    }
    m_printer->setDocName(QString::fromUtf8(docName.c_str()));
    if (docInfo->lpszOutput != nullptr && m_pdfFolderPath.empty()) {
        m_printer->setOutputFileName(QString::fromUtf8(docInfo->lpszOutput));
    }
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        m_printer.reset();
        m_outputPath.clear();
        return -1;
    }
    const QRect page(QPoint(0, 0), m_printer->pageLayout().paintRectPixels(m_printer->resolution()).size());
    AttachPainter(m_painter.get(), page, nullptr);
    m_bPrinting = TRUE;
    m_pages = 0;
    m_inDoc = true;
    return 1;
}

int CPrinterDC::StartPage() {
    if (!m_inDoc) {
        return -1;
    }
    if (m_pages > 0 && !m_printer->newPage()) {
        return -1;
    }
    ++m_pages;
    return 1;
}

int CPrinterDC::EndPage() {
    return m_inDoc ? 1 : -1;
}

int CPrinterDC::EndDoc() {
    if (!m_inDoc) {
        return -1;
    }
    ReleaseTarget();
    const bool ended = m_painter->end();
    m_painter.reset();
    m_printer.reset();
    m_inDoc = false;
    return ended ? 1 : -1;
}

int CPrinterDC::AbortDoc() {
    if (!m_inDoc) {
        return -1;
    }
    ReleaseTarget();
    m_printer->abort();
    m_painter->end();
    m_painter.reset();
    m_printer.reset();
    m_inDoc = false;
    if (!m_outputPath.empty()) {
        QFile::remove(QString::fromStdString(m_outputPath));
        m_outputPath.clear();
    }
    return 1;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) {
    (void)bPrintSetupOnly;
    (void)pParentWnd;
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags;
    m_pd.nCopies = 1;
}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal() {
    if (!CMessagePump::IsUiThread()) {
        return IDCANCEL;
    }
    const std::string& folder = m_noPrinterFolder;
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    std::string target;
    if (!printer.isNull()) {
        m_deviceName = printer.printerName().toStdString();
    } else if (!folder.empty() && QDir().mkpath(QString::fromUtf8(folder.c_str()))) {
        target = folder;
        m_deviceName = "PDF";
    } else {
        return IDCANCEL;
    }
    if ((m_pd.Flags & PD_RETURNDC) != 0) {
        m_dc = std::make_unique<CPrinterDC>(target);
        // A context the program can use before StartDoc (for measuring) needs a target of its own.
        m_dc->CreateCompatibleDC(nullptr);
        m_pd.hDC = m_dc->GetSafeHdc();
    }
    return IDOK;
}
