#pragma once
// The main window's side of the local search frame and the local player, for the program: the
// frame's host over the main window, the player's host over the main window and its video window,
// and the player as the main window holds it (its play bar and seek slider drive it).

#include "archive/LocalSearchHost.h"
#include "platform/base/WinTypes.h"

class CClientDlg;

class CMainWindowLocalHost : public ILocalSearchHost {
public:
    explicit CMainWindowLocalHost(CClientDlg& main) : m_main(main) {}

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

private:
    CClientDlg& m_main;
};

// The LSearch command (MainWindowParts::runLocalSearch): the local search frame over the main window.
INT_PTR RunLocalSearchFor(CClientDlg& main, BYTE alpha);
