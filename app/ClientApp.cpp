#include "app/ClientApp.h"

#include "app/ClientDlg.h"
#include "app/OsVersion.h"
#include "platform/window/MessageBox.h"

#include <QCoreApplication>
#include <QObject>
#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

// SIGTERM, SIGINT and SIGHUP run the Quit sequence on the UI thread, so nothing is torn down while
// the connection, decoders or audio still run.
std::unique_ptr<QSocketNotifier> WatchQuitSignals(CClientDlg& dialog) {
    if (g_signalPipe[0] < 0 && ::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return nullptr;
    }
    auto notifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [&dialog] {
        char buffer[16];
        while (::read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        dialog.PostMessage(WM_KELO_QUIT_REQUEST);
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    return notifier;
}

} // namespace

CClientApp::CClientApp() : CWinApp("KELO1000") {}

BOOL CClientApp::InitInstance() {
    AfxEnableControlContainer();
    if (GetOsVersionClass() >= 3) {
        AfxMessageBox("Unsupported OS version !");
        return FALSE;
    }
    CClientDlg dialog(m_parts);
    m_pMainWnd = &dialog;
    m_pDialog = &dialog;
    const auto quitWatch = WatchQuitSignals(dialog);
    // The session ending quits the application: stop everything before anything is destroyed.
    const auto connection = QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit,
                                             [&dialog] { dialog.StopEverything(); });
    dialog.DoModal();
    QObject::disconnect(connection);
    m_pDialog = nullptr;
    m_pMainWnd = nullptr;
    return FALSE;
}
