#include "app/MediaVideoWindow.h"

#include "app/ClientDlg.h"
#include "media/FullScreenVideoDlg.h"

CMediaVideoWindow::CMediaVideoWindow(IVideoOwner& owner) : m_dlg(std::make_unique<CFullScreenVideoDlg>(&owner)) {}

CMediaVideoWindow::~CMediaVideoWindow() {
    Destroy();
}

bool CMediaVideoWindow::Create(CClientDlg& main) {
    if (!m_dlg->Create(&main)) {
        return false;
    }
    m_dlg->Init(16);
    m_dlg->SetOsdFont(13, 700, "Arial Bold");
    m_dlg->SetGeometry(53, 72, 868, 620, 1, RGB(150, 150, 150));
    return true;
}

void CMediaVideoWindow::Destroy() {
    if (m_dlg && m_dlg->GetSafeHwnd() != nullptr) {
        m_dlg->SetClient(nullptr);
        m_dlg->DestroyWindow();
    }
}

CWnd* CMediaVideoWindow::GetWnd() {
    return m_dlg.get();
}

IVideoView* CMediaVideoWindow::View() {
    return m_dlg->View();
}

IMediaFactory* CMediaVideoWindow::MediaFactory() {
    return m_dlg->MediaFactory();
}

void CMediaVideoWindow::SetDrawMode(int mode) {
    m_dlg->SetDrawMode(mode == 0);
}

void CMediaVideoWindow::SetMonitorTable(const MONITORINFOEX table[4]) {
    m_dlg->SetMonitorTable(table);
}

void CMediaVideoWindow::GetMonitorTable(MONITORINFOEX table[4]) const {
    m_dlg->GetMonitorTable(table);
}

void CMediaVideoWindow::ClearReturnFlag() {
    m_dlg->ClearDoubleClickView();
}

void CMediaVideoWindow::ClearCompanionMask() {
    m_dlg->SetCompanionMask(0);
}

bool CMediaVideoWindow::SelectLayout(int layout) {
    return m_dlg->SetLayout(layout);
}

void CMediaVideoWindow::SetSingleView(bool single) {
    m_dlg->SetSingleView(single);
}

void CMediaVideoWindow::StoreArrangeLayout(int layout) {
    m_dlg->SetArrangeLayout(layout);
}

bool CMediaVideoWindow::ShowSingleChannel(int channel) {
    return m_dlg->ShowSingleChannel(channel);
}

DWORD CMediaVideoWindow::GetVisibleChannelMask() const {
    return m_dlg->GetVisibleChannelMask();
}

int CMediaVideoWindow::GetLayout() const {
    return m_dlg->GetLayout();
}

void CMediaVideoWindow::ResetTileOrder() {
    m_dlg->ResetTileOrder();
}

void CMediaVideoWindow::RequestSnapshots() {
    m_dlg->RequestSnapshots();
}

void CMediaVideoWindow::ToggleOsd() {
    m_dlg->SetOsdFlag(!m_dlg->GetOsdFlag());
}

int CMediaVideoWindow::GetPlaySource() const {
    return m_dlg->GetPlaySource();
}

bool CMediaVideoWindow::IsFullScreen() const {
    return m_dlg->IsFullScreen();
}

void CMediaVideoWindow::EnterFullScreen(int monitor) {
    m_dlg->EnterFullScreen(monitor);
}

void CMediaVideoWindow::Repaint(bool erase) {
    m_dlg->Invalidate(erase ? TRUE : FALSE);
}

void CMediaVideoWindow::SetClient(CDvrClient* client) {
    m_dlg->SetClient(client);
}
