#pragma once
// Printing. The default printer is used without asking (PD_RETURNDEFAULT); where the system has no
// printer, documents go to a PDF file each, named after the document, in the folder given with
// SetPdfFolder or, without one, the dialog's own SetNoPrinterFolder. A printer context draws with the drawing layer on
// the page (mapping modes such as MM_TWIPS use the printer's resolution).

#include "platform/base/String.h"
#include "platform/gdi/DC.h"
#include "platform/window/WinUser.h"

#include <memory>
#include <string>

class CWnd;
class QPainter;
class QPrinter;

class CPrinterDC : public CDC {
public:
    // pdfPath empty: the default printer; otherwise a PDF file at that path (made unique at StartDoc
    // when the name is taken).
    explicit CPrinterDC(std::string pdfPath);
    ~CPrinterDC() override;

    // The number of the job (> 0), or <= 0 when it could not start.
    int StartDoc(const DOCINFO* docInfo);
    // > 0 on success.
    int StartPage();
    int EndPage();
    int EndDoc();
    // Stops the job: nothing is printed and no file is left.
    int AbortDoc();
    // The PDF file written (empty when printing to a printer or before StartDoc).
    const std::string& OutputPath() const { return m_outputPath; }

private:
    std::string m_pdfFolderPath;
    std::string m_outputPath;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    int m_pages = 0;
    bool m_inDoc = false;
};

struct PRINTDLG {
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
};

class CPrintDialog {
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // With PD_RETURNDEFAULT no dialog is shown: IDOK when the default printer (or the PDF folder)
    // can take documents, with m_pd.hDC set when PD_RETURNDC is given; IDCANCEL otherwise. Without it
    // the same, as no print dialog of the system's own is offered.
    INT_PTR DoModal();
    // The context behind m_pd.hDC, owned by this dialog (freed with it).
    CPrinterDC* GetPrinter() const { return m_dc.get(); }

    // This dialog's folder for documents when there is no printer.
    void SetNoPrinterFolder(std::string folder) { m_noPrinterFolder = std::move(folder); }
    // True when the documents go to PDF files rather than a printer (after DoModal).
    bool PrintsToFile() const { return m_deviceName == "PDF"; }

    PRINTDLG m_pd{};

private:
    std::unique_ptr<CPrinterDC> m_dc;
    std::string m_deviceName;
    std::string m_noPrinterFolder;
};
