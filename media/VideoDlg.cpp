// The video window's layouts, tiles, masks, mouse and keys.
#include "media/VideoDlg.h"

#include "controls/KeyPolicy.h"
#include "media/MediaFactory.h"
#include "media/VideoDecoderHost.h"
#include "media/VideoOwner.h"
#include "media/VideoViewAdapter.h"
#include "platform/video/PictureScaler.h"
#include "platform/window/Cursor.h"
#include "platform/window/DialogTemplate.h"
#include "platform/window/MessagePump.h"
#include "platform/window/WndHost.h"
#include "protocol/ByteOrder.h"
#include "protocol/DvrClient.h"
#include "protocol/MessageIds.h"
#include "protocol/PacketHeader.h"

namespace {

const DialogTemplate kTemplate{.id = CVideoDlg::IDD, .x = 0, .y = 0, .cx = 815, .cy = 548, .style = WS_CHILD};
const DialogTemplateRegistration kRegistered(kTemplate);

bool ValidChannel(int channel) {
    return channel >= 0 && channel < CVideoDlg::kChannels;
}

WORD Bit(int channel) {
    return WORD(1u << (channel & 15));
}

} // namespace

// ---- construction

CVideoDlg::CVideoDlg(IVideoOwner* owner)
    : m_owner(owner), m_uiScaler(std::make_unique<CPictureScaler>()),
      m_view(std::make_unique<CVideoViewAdapter>(*this)),
      m_decoderHost(std::make_unique<CVideoDecoderHost>(*this, owner)),
      m_factory(std::make_unique<CMediaFactory>(*m_decoderHost, owner)) {
    // The frame buffers are made by a channel's first picture: sixteen of them, zero-filled, would
    // cost the start-up time of the main window for pictures nobody has drawn yet.
    m_backgroundBrush.CreateSolidBrush(m_background);
    m_layout.SetGeometry(m_windowRect.right - m_windowRect.left, m_windowRect.bottom - m_windowRect.top, m_gap);
}

CVideoDlg::~CVideoDlg() {
    DestroyWindow();
}

BOOL CVideoDlg::Create(CWnd* pParent) {
    return CDialog::Create(IDD, pParent);
}

BOOL CVideoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // Erasing and the tiles cover every pixel, so nothing beneath the window is drawn first.
    if (CWndHost* host = GetHost()) {
        host->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    return TRUE;
}

BOOL CVideoDlg::DestroyWindow() {
    return GetSafeHwnd() != nullptr ? CDialog::DestroyWindow() : FALSE;
}

void CVideoDlg::OnDestroy() {
    KillTimer(kFrameRateTimer);
    m_dragging = false;
    m_dragImage = QImage();
    CDialog::OnDestroy();
}

CVideoDlg::AllChannelsLock::AllChannelsLock(const CVideoDlg& dlg) : m_dlg(dlg) {
    for (std::mutex& lock : m_dlg.m_channelLocks) {
        lock.lock();
    }
}

CVideoDlg::AllChannelsLock::~AllChannelsLock() {
    for (std::mutex& lock : m_dlg.m_channelLocks) {
        lock.unlock();
    }
}

IVideoView* CVideoDlg::View() {
    return m_view.get();
}

IMediaFactory* CVideoDlg::MediaFactory() {
    return m_factory.get();
}

// ---- geometry, layouts and pages

void CVideoDlg::SetGeometry(int left, int top, int right, int bottom, int gap, COLORREF colour) {
    m_windowRect = RECT{left, top, right, bottom};
    m_gap = gap;
    m_background = colour;
    m_backgroundBrush.DeleteObject();
    m_backgroundBrush.CreateSolidBrush(colour);
    {
        AllChannelsLock lock(*this);
        m_layout.SetGeometry(right - left, bottom - top, gap);
    }
    MoveWindow(left, top, right - left, bottom - top);
    ShowWindow(SW_SHOW);
    Invalidate();
}

void CVideoDlg::SetChannelCount(DWORD count) {
    AllChannelsLock lock(*this);
    m_layout.SetChannelCount(count);
}

bool CVideoDlg::SetLayout(int layout) {
    bool shown = false;
    {
        AllChannelsLock lock(*this);
        shown = m_layout.SetLayout(layout, m_available.load());
    }
    LayoutChanged();
    return shown;
}

void CVideoDlg::SetLayoutAndStream(int layout) {
    const WORD shown = GetVisibleChannelMask();
    SetLayout(layout);
    if (GetVisibleChannelMask() != shown) {
        SendLiveRequest();
    }
}

bool CVideoDlg::ShowSingleChannel(int channel) {
    {
        AllChannelsLock lock(*this);
        if (!m_layout.ShowSingleChannel(channel, m_available.load())) {
            return false;
        }
    }
    CDvrClient* client = GetClient();
    if (client != nullptr && client->Commands().IsPtzDialogOpen() && client->IsLive() &&
        client->Commands().GetPtzChannel() != channel && m_owner != nullptr) {
        m_owner->RetargetPtz(channel, false);
    }
    m_companion.store(0);
    Invalidate();
    if (m_owner != nullptr) {
        m_owner->ShowSplitButton(0);
    }
    return true;
}

void CVideoDlg::SetSingleView(bool single) {
    AllChannelsLock lock(*this);
    m_layout.SetSingleView(single);
}

void CVideoDlg::UpdateVisibleSlots() {
    {
        AllChannelsLock lock(*this);
        m_layout.UpdateVisibleSlots();
    }
    LayoutChanged();
}

void CVideoDlg::LayoutChanged() {
    // The page's effects follow in order without waiting on the UI thread: the PTZ channel, then
    // the repaint.
    FollowPtz();
    Invalidate();
}

void CVideoDlg::FollowPtz() {
    CDvrClient* client = GetClient();
    if (client == nullptr || m_owner == nullptr || !client->Commands().IsPtzDialogOpen() || !client->IsLive()) {
        return;
    }
    const DWORD loss = client->Live().GetVideoLossMask();
    for (int slot = 0; slot < CVideoLayout::kSlots; ++slot) {
        const int ch = m_layout.GetTileChannel(slot);
        if (m_layout.IsSlotVisible(slot) && ValidChannel(ch) && (loss & Bit(ch)) == 0) {
            m_owner->RetargetPtz(ch, false);
            return;
        }
    }
}

int CVideoDlg::GetTileChannel(int slot) const {
    std::lock_guard lock(m_channelLocks[0]);
    return m_layout.GetTileChannel(slot);
}

int CVideoDlg::FindTile(int channel) const {
    std::lock_guard lock(m_channelLocks[0]);
    return m_layout.FindTile(channel);
}

WORD CVideoDlg::GetVisibleChannelMask() const {
    std::lock_guard lock(m_channelLocks[0]);
    return m_layout.GetVisibleChannelMask();
}

bool CVideoDlg::IsSelectedChannel(int channel, WORD mask) const {
    if (!ValidChannel(channel) || (mask & Bit(channel)) == 0) {
        return false;
    }
    std::lock_guard lock(m_channelLocks[0]);
    return m_layout.GetLayout() == 0 && m_layout.GetTileChannel(m_layout.GetPage()) == channel;
}

SIZE CVideoDlg::GetTileSize(int channel) const {
    if (!ValidChannel(channel)) {
        return SIZE{0, 0};
    }
    std::lock_guard lock(m_channelLocks[std::size_t(channel)]);
    const int slot = m_layout.FindTile(channel);
    if (slot < 0) {
        return SIZE{0, 0};
    }
    const RECT r = m_layout.GetSlotRect(slot);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

// ---- masks, tile map and flags

bool CVideoDlg::SetAvailableMask(WORD mask, bool reset) {
    const WORD old = m_available.exchange(mask);
    m_companion.store(mask);
    if (reset && mask == 0) {
        AllChannelsLock lock(*this);
        m_layout.ResetTileMap();
    }
    return old != mask;
}

void CVideoDlg::AddAvailableChannel(int channel) {
    if (!ValidChannel(channel)) {
        return;
    }
    m_available.fetch_or(Bit(channel));
    m_companion.fetch_or(Bit(channel));
    m_decoded.fetch_or(Bit(channel));
}

void CVideoDlg::ResetTileOrder() {
    {
        AllChannelsLock lock(*this);
        m_layout.ResetTileMap();
    }
    Invalidate();
}

bool CVideoDlg::SwapTiles(int a, int b) {
    AllChannelsLock lock(*this);
    return m_layout.SwapTiles(a, b);
}

void CVideoDlg::RequestSnapshots() {
    const WORD mask = GetVisibleChannelMask();
    for (int ch = 0; ch < kChannels; ++ch) {
        m_snapshot[std::size_t(ch)].store((mask & Bit(ch)) != 0 ? 1 : 0);
    }
}

bool CVideoDlg::GetSnapshotFlag(int channel) const {
    return ValidChannel(channel) && m_snapshot[std::size_t(channel)].load() != 0;
}

bool CVideoDlg::TakeSnapshotFlag(int channel) {
    return ValidChannel(channel) && m_snapshot[std::size_t(channel)].exchange(0) != 0;
}

void CVideoDlg::SetChannelByte(int channel, BYTE value) {
    if (ValidChannel(channel)) {
        m_restricted[std::size_t(channel)].store(value);
    }
}

bool CVideoDlg::IsChannelRestricted(int channel) const {
    return ValidChannel(channel) && m_restricted[std::size_t(channel)].load() != 0;
}

void CVideoDlg::ClearDoubleClickView() {
    if (!CMessagePump::IsUiThread()) {
        PostMessage(kMsgClearSavedView, m_clearRequests.fetch_add(1) + 1);
        return;
    }
    AllChannelsLock lock(*this);
    m_layout.ClearSavedView();
}

// ---- messages

LRESULT CVideoDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMsgClearSavedView) {
        // A request made before the current view was saved (a double click that came while it
        // waited in the queue) leaves that view alone.
        if (LONG(DWORD(wParam) - m_clearsBeforeSave) > 0) {
            ClearDoubleClickView();
        }
        return 0;
    }
    if (message == kMsgTilesDrawn) {
        const auto since = std::chrono::steady_clock::now() - m_tilesShown;
        const auto wait =
            std::chrono::milliseconds(kShowTilesDelay) - std::chrono::duration_cast<std::chrono::milliseconds>(since);
        if (wait.count() <= 0) {
            ShowDrawnTiles();
        } else {
            SetTimer(kShowTilesTimer, UINT(wait.count()));
        }
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CVideoDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg != nullptr) {
        const PolicyKey key = PolicyKeyOf(*pMsg);
        if (key == PolicyKey::kEnter || key == PolicyKey::kEscape) {
            ExitFullScreen();
        }
    }
    // Alt+F4 must not close the program from the video window.
    return PreTranslateKeys(*this, KeyPolicies::kVideoWindow, pMsg);
}

void CVideoDlg::OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_RETURN || nChar == VK_ESCAPE) {
        ExitFullScreen();
        return;
    }
    CDialog::OnKeyUp(nChar, nRepCnt, nFlags);
}

void CVideoDlg::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kShowTilesTimer) {
        KillTimer(kShowTilesTimer);
        ShowDrawnTiles();
        return;
    }
    if (nIDEvent != kFrameRateTimer) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    UpdateFrameRates();
    if (m_owner != nullptr) {
        m_owner->OnFrameRateTick();
    }
}

void CVideoDlg::SendLiveRequest() {
    CDvrClient* client = GetClient();
    if (client == nullptr || !client->IsLive()) {
        return;
    }
    BYTE body[4];
    WriteBE32(body, GetVisibleChannelMask());
    client->SendPacket(PacketHeader::Request(Msg::LIVE_REQ, sizeof body), body, sizeof body);
}

// ---- mouse: double click, drag and drop

void CVideoDlg::OnLButtonDblClk(UINT, CPoint) {
    if (m_owner != nullptr && m_owner->IsPtzMenuActive()) {
        return;
    }
    if (m_layout.GetSavedView().saved) {
        {
            AllChannelsLock lock(*this);
            m_layout.RestoreSavedView();
        }
        if (m_owner != nullptr) {
            m_owner->ShowSplitButton(CVideoLayout::ButtonOfLayout(m_layout.GetLayout()));
        }
        LayoutChanged();
        SendLiveRequest();
    } else if (m_dragSource >= 0 && m_dragSource < CVideoLayout::kSlots && m_layout.GetLayout() != 0) {
        {
            AllChannelsLock lock(*this);
            m_layout.SaveView();
            m_clearsBeforeSave = m_clearRequests.load();
        }
        const int channel = m_layout.GetTileChannel(m_dragSource);
        if (m_owner == nullptr || !m_owner->SelectChannel(channel, true)) {
            ShowSingleChannel(channel);
        }
        SendLiveRequest();
    }
    SetSingleView(false);
}

void CVideoDlg::OnLButtonDown(UINT, CPoint point) {
    m_dragSource = -1;
    if (m_layout.GetLayout() == 0 || (m_owner != nullptr && m_owner->IsPtzMenuActive())) {
        return;
    }
    const int slot = m_layout.HitSlot(point, m_available.load());
    if (slot < 0) {
        SetCursor(LoadCursor(nullptr, IDC_NO));
        return;
    }
    m_dragSource = slot;
    m_dragging = true;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    SetCapture();
    const RECT r = m_layout.GetSlotRect(slot);
    m_dragImage = RenderDragImage(slot);
    m_dragGrab = POINT{point.x - r.left, point.y - r.top};
    m_dragPos = POINT{r.left, r.top};
    InvalidateRect(&r, FALSE);
}

void CVideoDlg::OnMouseMove(UINT, CPoint point) {
    if (!m_dragging) {
        return;
    }
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    const RECT before = DragRect();
    m_dragPos = POINT{point.x - m_dragGrab.x, point.y - m_dragGrab.y};
    const RECT after = DragRect();
    InvalidateRect(&before, FALSE);
    InvalidateRect(&after, FALSE);
}

RECT CVideoDlg::DragRect() const {
    return RECT{m_dragPos.x, m_dragPos.y, m_dragPos.x + m_dragImage.width(), m_dragPos.y + m_dragImage.height()};
}

void CVideoDlg::OnLButtonUp(UINT, CPoint point) {
    if (!m_dragging || (m_owner != nullptr && m_owner->IsPtzMenuActive())) {
        return;
    }
    m_dragging = false;
    const RECT dragged = DragRect();
    ReleaseCapture();
    const POINT drop{point.x + m_dragImage.width() / 2 - m_dragGrab.x,
                     point.y + m_dragImage.height() / 2 - m_dragGrab.y};
    m_dragImage = QImage();
    m_dragPos = POINT{};
    InvalidateRect(&dragged, FALSE);
    const int target = m_layout.HitSlot(drop, m_available.load());
    if (target < 0) {
        return;
    }
    SwapTiles(m_dragSource, target);
    CDvrClient* client = GetClient();
    const int channel = m_layout.GetTileChannel(target);
    if (target == m_dragSource && client != nullptr && client->IsLive() && client->Commands().IsPtzDialogOpen() &&
        client->Commands().GetPtzChannel() != channel && m_owner != nullptr) {
        m_owner->RetargetPtz(channel, true);
    }
    Invalidate(FALSE);
}
