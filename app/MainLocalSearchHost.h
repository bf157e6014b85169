#pragma once
// The main window as the local search frame's host, and the frame run from the LSearch command.

#include "archive/LocalSearchHost.h"

class CClientDlg;

class CMainLocalSearchHost : public ILocalSearchHost {
public:
    explicit CMainLocalSearchHost(CClientDlg& main) : m_main(main) {}

    CWnd* MainWindow() override;
    CDvrClient* Client() override;
    int DateFormat() const override;
    DWORD TimeToCTime(const int fields[6]) const override;
    std::string SaveLocation() const override;
    bool IsRemovable() const override;
    void GetFileVersion(WORD version[4]) const override;
    bool HasLocalPlayer() const override;
    std::unique_ptr<ILocalPlayerHost> MakePlayerHost() override;
    void AdoptLocalPlayer(std::unique_ptr<CLocalPlayer> player) override;
    std::string NoPrinterFolder() const override;
    void ShowTextBox(CWnd* owner, const std::vector<CString>& lines) override;

    // Runs the local search frame modally; its result.
    static INT_PTR Run(CClientDlg& main, BYTE alpha);

private:
    CClientDlg& m_main;
};
