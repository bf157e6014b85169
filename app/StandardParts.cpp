#include "app/StandardParts.h"

#include "app/ArrangeDlg.h"
#include "app/ClientDlg.h"
#include "app/MainArchiveHost.h"
#include "app/MainLocalSearchHost.h"
#include "app/MainSetupHost.h"
#include "app/MediaVideoWindow.h"
#include "app/ShellDialogParts.h"
#include "media/AudioMikeThread.h"

MainWindowParts MakeStandardParts(std::function<CClientDlg*()> main) {
    MainWindowParts parts;
    parts.createVideoWindow = [main]() -> std::unique_ptr<IVideoWindow> {
        CClientDlg* owner = main();
        if (owner == nullptr) {
            return nullptr;
        }
        auto video = std::make_unique<CMediaVideoWindow>(*static_cast<IVideoOwner*>(owner));
        video->MediaWindow()->SetArrangeBarFactory(&CArrangeDlg::Make);
        return video;
    };
    parts.runSetup = &CMainSetupHost::Run;
    parts.runRemoteSearch = &CMainArchiveHost::Run;
    parts.runLocalSearch = &CMainLocalSearchHost::Run;
    parts.createMikeSender = [](CClientDlg&, std::shared_ptr<CTcpConnection> connection) -> std::unique_ptr<IWorker> {
        if (!connection) {
            return nullptr;
        }
        return std::make_unique<CAudioMikeThread>(std::move(connection));
    };
    AddShellDialogParts(parts);
    parts.ptzKeypadButton = &OnPtzKeypadButton;
    return parts;
}
