#pragma once
// The main window as the remote search frame's host, and the frame run from the RSearch command.

#include "archive/ArchiveHost.h"

class CClientDlg;

class CMainArchiveHost : public IArchiveHost {
public:
    explicit CMainArchiveHost(CClientDlg& main) : m_main(main) {}

    CWnd* MainWindow() override;
    CDvrClient* Client() override;
    CString ConnectionText() const override;
    int DateFormat() const override;
    DWORD TimeToCTime(const int fields[6]) const override;
    bool GetDiskFreeText(DWORD* freeMByte, DWORD* totalMByte) const override;
    bool HasLocalPlayer() const override;
    int VideoPlaySource() const override;
    ArchiveResume& Resume() override;
    void SetBackupSpaceFigures(LONG neededMByte, LONG freeLess100MByte, LONG marginMByte) override;
    void SetSearchFrame(ISearchReplySink* sink, HWND hwnd) override;
    std::string NoPrinterFolder() const override;
    void ShowTextBox(CWnd* owner, const std::vector<CString>& lines) override;

    // Runs the remote search frame modally; its result.
    static INT_PTR Run(CClientDlg& main, BYTE alpha);

private:
    CClientDlg& m_main;
};
