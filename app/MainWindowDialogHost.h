#pragma once
// The main window as the local setup, PTZ and firmware dialogs see it.

#include "app/ShellDialogHost.h"

class CClientDlg;

class CMainWindowDialogHost final : public IShellDialogHost {
public:
    explicit CMainWindowDialogHost(CClientDlg& main) : m_main(main) {}

    CClientDlg& Main() const { return m_main; }

    CWnd* MainWindow() override;
    BYTE Opacity(int kind) override;
    std::shared_ptr<CTcpConnection> Connection() override;
    bool GetHello(HelloInfo& hello) override;
    void RegisterWindow(ClientWindow which, HWND hwnd) override;
    void PostNotice(LPARAM notice) override;
    int PlaySource() override;
    bool IsRemovable() override;
    CString Location() override;
    bool VideoScreenRect(RECT* rect) override;
    void OnPan() override;
    void OnZoom() override;
    void SetDomeMenuActive(bool active) override;
    int PtzAvailability() override;

private:
    CClientDlg& m_main;
};
