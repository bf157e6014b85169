#include "app/ShellDialogParts.h"

#include "app/ClientDlg.h"
#include "app/FwUpgradeDlg.h"
#include "app/LocalSetupDlg.h"
#include "app/MainWindowDialogHost.h"
#include "app/PtzDialogSet.h"

#include <memory>

namespace {

// The firmware dialog with the view of the main window it was made for.
class FirmwareUpgradeRun final : public IFirmwareUpgrade {
public:
    FirmwareUpgradeRun(CClientDlg& main, BYTE alpha) : m_host(main), m_dialog(m_host, alpha) {}
    int ScanUpgradeFolder() override { return m_dialog.ScanUpgradeFolder(); }
    INT_PTR RunModal() override { return m_dialog.RunModal(); }
    HWND GetSafeHwnd() const override { return m_dialog.GetSafeHwnd(); }

private:
    CMainWindowDialogHost m_host;
    CFwUpgradeDlg m_dialog;
};

// The PTZ pads of the one main window; the main window closes them before its connection ends.
struct PtzPads {
    std::unique_ptr<CMainWindowDialogHost> host;
    std::unique_ptr<CPtzDialogSet> set;

    CPtzDialogSet& For(CClientDlg& main) {
        if (!host || &host->Main() != &main) {
            set.reset();
            host = std::make_unique<CMainWindowDialogHost>(main);
            set = std::make_unique<CPtzDialogSet>(*host);
        }
        return *set;
    }
};

PtzPads& Pads() {
    // Kept for the life of the process: nothing of it may run after the windows are gone.
    static PtzPads* pads = new PtzPads;
    return *pads;
}

} // namespace

void AddShellDialogParts(MainWindowParts& parts) {
    parts.runLocalSetup = [](CClientDlg& main, LocalSetupEdit& edit, WebSetupEdit& web, BYTE alpha) -> INT_PTR {
        CMainWindowDialogHost host(main);
        CLocalSetupDlg dialog(host, &edit, &web, alpha);
        return dialog.DoModal();
    };
    parts.createFirmwareUpgrade = [](CClientDlg& main, BYTE alpha) -> std::unique_ptr<IFirmwareUpgrade> {
        return std::make_unique<FirmwareUpgradeRun>(main, alpha);
    };
    parts.showPtzDialog = [](CClientDlg& main, int mode) { Pads().For(main).ShowPtzDlg(mode); };
    parts.closePtzDialogs = [](CClientDlg& main) {
        PtzPads& pads = Pads();
        if (pads.host && &pads.host->Main() == &main) {
            pads.set->CloseAll();
        }
    };
}

void OnPtzKeypadButton(CClientDlg& main, WPARAM pressed, LPARAM direction) {
    PtzPads& pads = Pads();
    if (pads.host && &pads.host->Main() == &main && pads.set->ControlPad() != nullptr) {
        pads.set->OnPtzKeypadButton(pressed, direction);
    }
}
