#include "archive/LocalEventListDlg.h"

#include "archive/LocalEvents.h"
#include "archive/LocalSearchDlg.h"
#include "archive/LocalSearchHost.h"
#include "archive/PageTemplate.h"
#include "protocol/ClientMessages.h"
#include "protocol/DvrClient.h"
#include "protocol/ReasonCodes.h"
#include "res/BitmapIds.h"

#include <chrono>
#include <thread>

namespace {

const DialogTemplate kTemplate = ContentPageTemplate(CLocalEventListDlg::IDD, EventListTemplateItems());
const DialogTemplateRegistration kRegistered(kTemplate);

// The main window's play clock, repainted when a Play closes the frame.
constexpr RECT kPlayClockArea = {250, 630, 677, 644};

} // namespace

CLocalEventListDlg::CLocalEventListDlg() : TEventListPage<CLocalSearchPage>(IDD, kLocalSlotEventList, IDB_PAGE_LISTS) {}

void CLocalEventListDlg::LoadEvents() {
    if (!LoadLocalEvents(m_pFrame->DownloadFolder(), m_table)) {
        if (CWnd* main = Host().MainWindow()) {
            main->PostMessage(WM_KELO_NOTICE, WPARAM(m_pFrame->GetSafeHwnd()), kNoticeNothingFound);
        }
    }
}

bool CLocalEventListDlg::PlayAllowed() {
    const CDvrClient* client = Host().Client();
    return client == nullptr || !client->Play().IsRemotePlay();
}

int CLocalEventListDlg::DateFormat() {
    return Host().DateFormat();
}

void CLocalEventListDlg::OnPlay() {
    CDvrClient* client = Host().Client();
    if (client != nullptr && client->Login().IsConnected() && client->IsLive()) {
        client->Live().SendLiveStop();
    }
    if (const EventItem* event = SelectedEvent()) {
        m_pFrame->SetSearchKind(LocalSearchKind::Time);
        m_pFrame->PostMessage(WM_KELO_LOCAL_OPEN_RECORDINGS, event->start, event->end);
        std::this_thread::yield();
        m_pFrame->PostMessage(WM_CLOSE);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (CWnd* main = Host().MainWindow()) {
        main->InvalidateRect(&kPlayClockArea, TRUE);
    }
    m_pFrame->PostMessage(WM_CLOSE);
}
