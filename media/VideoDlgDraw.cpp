// The video window's drawing: frame buffers, tile images, on-screen text and icons, the pictures of
// tiles without video, the frame rate and the paint.
#include "media/DecoderHost.h"
#include "media/VideoDlg.h"
#include "media/VideoOwner.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/DibFile.h"
#include "platform/video/PictureScaler.h"
#include "platform/window/ClientDC.h"
#include "protocol/AccountRightsTable.h"
#include "protocol/DvrClient.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

// Rows of a tile copied to the screen in one go.
constexpr int kPaintBandRows = 64;

bool ValidChannel(int channel) {
    return channel >= 0 && channel < CVideoDlg::kChannels;
}

WORD Bit(int channel) {
    return WORD(1u << (channel & 15));
}

QRect ToQRect(const RECT& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool Intersects(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The folder the program runs from, where the pictures of tiles without video lie.
std::string ProgramFolder() {
    char path[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    std::string self(path, n > 0 ? std::size_t(n) : 0);
    const std::size_t slash = self.rfind('/');
    return slash == std::string::npos ? std::string(".") : self.substr(0, slash);
}

QImage LoadBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return QImage();
    }
    std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() > kDibFileMaxBytes) {
        return QImage();
    }
    return DecodeBmp(bytes.data(), bytes.size());
}

// A mask (black where the icon is, white around it) and its picture (on black) drawn as one
// image with transparency, as the mask-then-picture blits would show it.
QImage ComposeIcon(UINT maskId, UINT imageId, bool mirrored = false) {
    QImage mask = LoadResBitmap(maskId);
    QImage image = LoadResBitmap(imageId);
    if (mask.isNull() || image.isNull() || mask.size() != image.size()) {
        return QImage();
    }
    mask = mask.convertToFormat(QImage::Format_RGB32);
    image = image.convertToFormat(QImage::Format_RGB32);
    QImage icon(image.size(), QImage::Format_ARGB32);
    for (int y = 0; y < icon.height(); ++y) {
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb m = mask.pixel(x, y);
            const bool transparent = qGray(m) >= 128;
            const QRgb p = image.pixel(x, y);
            icon.setPixel(x, y, transparent ? qRgba(0, 0, 0, 0) : qRgba(qRed(p), qGreen(p), qBlue(p), 255));
        }
    }
    return mirrored ? icon.mirrored(true, false) : icon;
}

} // namespace

// ---- set-up

bool CVideoDlg::Init(DWORD channelCount) {
    SetTimer(kFrameRateTimer, kFrameRatePeriod);
    for (int ch = 0; ch < kChannels; ++ch) {
        ClearFrameBuffer(ch);
    }
    SetChannelCount(channelCount);
    LoadPictures();
    return true;
}

void CVideoDlg::LoadPictures() {
    if (m_picturesLoaded) {
        return;
    }
    m_picturesLoaded = true;
    const std::string folder = ProgramFolder();
    m_blankPicture = LoadBmp(folder + "/ComMark.bmp");
    m_lossPicture = LoadBmp(folder + "/VdoLoss.bmp");
    m_icons[kIconPause] = ComposeIcon(IDB_PLAYBACK_INDICATOR_PAUSE_MASK, IDB_PLAYBACK_INDICATOR_PAUSE);
    m_icons[kIconForward] = ComposeIcon(IDB_PLAYBACK_INDICATOR_FORWARD_MASK, IDB_PLAYBACK_INDICATOR_FORWARD);
    m_icons[kIconForwardSteps] = ComposeIcon(IDB_PLAYBACK_INDICATOR_ARROWS_MASK, IDB_PLAYBACK_INDICATOR_ARROWS);
    m_icons[kIconBackward] = ComposeIcon(IDB_PLAYBACK_INDICATOR_BACKWARD_MASK, IDB_PLAYBACK_INDICATOR_BACKWARD);
    // No bitmap of its own holds the backward arrows: the forward strip turned round.
    m_icons[kIconBackwardSteps] = ComposeIcon(IDB_PLAYBACK_INDICATOR_ARROWS_MASK, IDB_PLAYBACK_INDICATOR_ARROWS, true);
    m_icons[kIconAudio0] = ComposeIcon(IDB_AUDIO_ICON_CHANNEL_HEARD_MASK, IDB_AUDIO_ICON_CHANNEL_HEARD);
    m_icons[kIconAudio1] = ComposeIcon(IDB_AUDIO_ICON_CHANNEL_SILENT_MASK, IDB_AUDIO_ICON_CHANNEL_SILENT);
    m_icons[kIconPtzReady] = ComposeIcon(IDB_PTZ_ICON_CAMERA_CAN_BE_STEERED_MASK, IDB_PTZ_ICON_CAMERA_CAN_BE_STEERED);
    m_icons[kIconPtzUnavailable] =
        ComposeIcon(IDB_PTZ_ICON_CAMERA_CANNOT_BE_STEERED_MASK, IDB_PTZ_ICON_CAMERA_CANNOT_BE_STEERED);
}

void CVideoDlg::SetOsdFont(int pointSize, int weight, const char* face) {
    std::lock_guard lock(m_osdLock);
    m_osdFace = face != nullptr ? face : "";
    m_osdWeight = weight;
    m_osdHeight = -int(pointSize * 1.33 + 0.5);
    m_osdPointSize.store(pointSize);
    ++m_osdFontGeneration;
    m_osdFont.DeleteObject();
    m_osdFont.CreateFont(m_osdHeight, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 4, 0, m_osdFace.c_str());
}

bool CVideoDlg::SetDrawMode(bool yuv) {
    // Both drawing paths always exist here, so the choice is always taken.
    m_drawYuv.store(yuv);
    return true;
}

void CVideoDlg::SetOsdFlag(bool on) {
    m_osdOn.store(on);
    Invalidate();
}

// ---- frame buffers and pictures

void CVideoDlg::ClearFrameBuffer(int channel) {
    if (!ValidChannel(channel)) {
        return;
    }
    std::lock_guard lock(m_channelLocks[std::size_t(channel)]);
    ChannelState& c = m_channels[std::size_t(channel)];
    std::fill(c.frame.begin(), c.frame.end(), BYTE(0));
    c.layout = PictureLayout{};
}

void CVideoDlg::ResyncChannel(int channel, int width, int height) {
    if (!ValidChannel(channel)) {
        return;
    }
    std::lock_guard lock(m_channelLocks[std::size_t(channel)]);
    ChannelState& c = m_channels[std::size_t(channel)];
    c.size = SIZE{width, height};
    std::fill(c.frame.begin(), c.frame.end(), BYTE(0));
    c.layout = PictureLayout{};
}

bool CVideoDlg::PublishPicture(int channel, const DecodedPicture& picture, CPictureScaler& scaler) {
    if (!ValidChannel(channel)) {
        return false;
    }
    const auto started = CVideoStats::ThreadCpuTime();
    const int w = picture.width;
    const int h = picture.height;
    // The frame buffer keeps the picture as the decoder wrote it; only still images and web
    // snapshots want RGB rows in bitmap order, and get them from CopyFrameBuffer.
    const PictureFormat format = IsRgb(picture.format) ? PictureFormat::Bgr24 : PictureFormat::Yuv420;
    const std::size_t bytes = PictureBytes(format, w, h);
    if (picture.data == nullptr || (w & 1) || (h & 1) || bytes == 0 || bytes > picture.size) {
        return false;
    }
    bool shown = false;
    {
        std::lock_guard lock(m_channelLocks[std::size_t(channel)]);
        ChannelState& c = m_channels[std::size_t(channel)];
        if (c.frame.empty()) {
            c.frame.resize(kFrameBufferSize);
        }
        if (bytes > c.frame.size()) {
            return false;
        }
        std::vector<BYTE>* buffer = picture.buffer;
        if (buffer != nullptr && buffer->data() == picture.data && buffer->size() == c.frame.size()) {
            // The decoder's buffer becomes the frame buffer; the old one is decoded into next.
            buffer->swap(c.frame);
        } else {
            std::memcpy(c.frame.data(), picture.data, bytes);
        }
        c.layout = PictureLayout{format, w, h, false};
        c.size = SIZE{w, h};
        c.forced = StillPicture::None;
        c.arrival = picture.arrival;
        AddAvailableChannel(channel);
        shown = DrawChannelLocked(channel, scaler);
    }
    if (shown) {
        m_stats.Of(channel).drawn.fetch_add(1, std::memory_order_relaxed);
        m_stats.AddLatency(std::chrono::steady_clock::now() - picture.arrival, CVideoStats::Stage::Drawn);
        TileDrawn(channel);
    }
    m_stats.AddPublishTime(CVideoStats::ThreadCpuTime() - started);
    return true;
}

bool CVideoDlg::DrawChannelLocked(int channel, CPictureScaler& scaler) {
    ChannelState& c = m_channels[std::size_t(channel)];
    const int slot = m_layout.FindTile(channel);
    if (!m_layout.IsSlotVisible(slot) || (m_available.load() & Bit(channel)) == 0 || c.layout.width <= 0) {
        c.tileValid = false;
        return false;
    }
    const RECT r = m_layout.GetSlotRect(slot);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 0 || h <= 0) {
        c.tileValid = false;
        return false;
    }
    if (c.tile.width() != w || c.tile.height() != h) {
        // Rows with the slack the converter writes into, so that it draws the tile straight.
        c.tile = QImage();
        c.tileBits.assign(CPictureScaler::PaddedBytes(w, h) + CPictureScaler::kPaddedAlign, 0);
        const auto address = reinterpret_cast<std::uintptr_t>(c.tileBits.data());
        const std::size_t skew =
            (CPictureScaler::kPaddedAlign - address % CPictureScaler::kPaddedAlign) % CPictureScaler::kPaddedAlign;
        c.tile = QImage(c.tileBits.data() + skew, w, h, CPictureScaler::PaddedStride(w), QImage::Format_RGB32);
    }
    PictureSource source;
    source.data = c.frame.data();
    source.size = c.frame.size();
    source.width = c.layout.width;
    source.height = c.layout.height;
    source.format = c.layout.format;
    source.firstFieldDoubled = c.layout.firstFieldDoubled;
    VideoTarget target;
    target.bits = c.tile.isNull() ? nullptr : c.tile.bits();
    target.stride = int(c.tile.bytesPerLine());
    target.width = w;
    target.height = h;
    target.padded = true;
    if (!scaler.Draw(source, target)) {
        c.tileValid = false;
        return false;
    }
    c.tileRect = r;
    c.tileValid = true;
    c.fresh = true;
    return true;
}

void CVideoDlg::TileDrawn(int channel) {
    m_drawnTiles.fetch_or(Bit(channel));
    // The first tile drawn after a showing asks for the next one; the others ride along with it.
    if (!m_showPending.exchange(true)) {
        PostMessage(kMsgTilesDrawn);
    }
}

void CVideoDlg::ShowDrawnTiles() {
    m_tilesShown = std::chrono::steady_clock::now();
    // Cleared before the tiles are taken, so that a tile drawn from now on asks again.
    m_showPending.store(false);
    const WORD drawn = m_drawnTiles.exchange(0);
    for (int ch = 0; ch < kChannels; ++ch) {
        if ((drawn & Bit(ch)) == 0) {
            continue;
        }
        const int slot = m_layout.FindTile(ch);
        if (m_layout.IsSlotVisible(slot)) {
            const RECT r = m_layout.GetSlotRect(slot);
            InvalidateRect(&r, FALSE);
        }
    }
}

bool CVideoDlg::CopyFrameBuffer(int channel, std::vector<BYTE>& picture, PictureLayout& layout) const {
    if (!ValidChannel(channel)) {
        return false;
    }
    std::lock_guard lock(m_channelLocks[std::size_t(channel)]);
    const ChannelState& c = m_channels[std::size_t(channel)];
    if (c.layout.width <= 0) {
        return false;
    }
    // The form still images and web snapshots take: RGB rows in bitmap order, a planar picture of
    // two fields with its first field line-doubled.
    picture.resize(c.frame.size());
    return PublishPictureRows(c.frame.data(), c.frame.size(), picture.data(), picture.size(), c.layout.width,
                              c.layout.height, c.layout.format, layout);
}

void CVideoDlg::DrawBlankExcept(WORD mask) {
    for (int slot = 0; slot < CVideoLayout::kSlots; ++slot) {
        const int ch = m_layout.GetTileChannel(slot);
        if (m_layout.IsSlotVisible(slot) && ValidChannel(ch) && (mask & Bit(ch)) == 0) {
            std::lock_guard lock(m_channelLocks[std::size_t(ch)]);
            m_channels[std::size_t(ch)].forced = StillPicture::Blank;
        }
    }
    Invalidate();
}

void CVideoDlg::DrawVideoLossExcept(WORD mask) {
    for (int slot = 0; slot < CVideoLayout::kSlots; ++slot) {
        const int ch = m_layout.GetTileChannel(slot);
        if (m_layout.IsSlotVisible(slot) && ValidChannel(ch) && (mask & Bit(ch)) == 0) {
            std::lock_guard lock(m_channelLocks[std::size_t(ch)]);
            m_channels[std::size_t(ch)].forced = StillPicture::VideoLoss;
        }
    }
    Invalidate();
}

// ---- on-screen text and the frame rate

void CVideoDlg::SetOsdText(int channel, std::string_view top, std::string_view bottom, COLORREF topColour,
                           COLORREF bottomColour) {
    if (!ValidChannel(channel)) {
        return;
    }
    // The texts live in 260-byte slots.
    constexpr std::size_t kMax = 259;
    std::lock_guard lock(m_osdLock);
    OsdState& o = m_osd[std::size_t(channel)];
    o.top.assign(top.substr(0, std::min(top.size(), kMax)));
    o.bottom.assign(bottom.substr(0, std::min(bottom.size(), kMax)));
    o.topColour = topColour;
    o.bottomColour = bottomColour;
}

void CVideoDlg::SetOsdTextWidth(int channel, int width, int) {
    if (ValidChannel(channel)) {
        std::lock_guard lock(m_osdLock);
        m_osd[std::size_t(channel)].indicatorX = width;
    }
}

void CVideoDlg::SetChannelParam(int channel, int iconState, int x, int line) {
    if (ValidChannel(channel)) {
        std::lock_guard lock(m_osdLock);
        OsdState& o = m_osd[std::size_t(channel)];
        o.iconState = iconState;
        o.iconX = x;
        o.iconLine = line;
    }
}

std::string CVideoDlg::GetOsdTopText(int channel) const {
    if (!ValidChannel(channel)) {
        return {};
    }
    std::lock_guard lock(m_osdLock);
    return m_osd[std::size_t(channel)].top;
}

std::string CVideoDlg::FitText(int, int tileWidth, std::string_view text) const {
    std::lock_guard lock(m_osdLock);
    CDC dc;
    dc.SelectObject(const_cast<CFont*>(&m_osdFont));
    return ::FitText(tileWidth, text, [&dc](std::string_view t) {
        const std::string s(t);
        return int(dc.GetTextExtent(s.c_str(), int(s.size())).cx);
    });
}

DWORD CVideoDlg::GetFrameRate(int channel) const {
    return ValidChannel(channel) ? m_frameRate[std::size_t(channel)].load() : 0;
}

void CVideoDlg::CountFrame(int channel) {
    if (ValidChannel(channel)) {
        m_frameCount[std::size_t(channel)].fetch_add(1);
    }
}

void CVideoDlg::UpdateFrameRates() {
    for (int ch = 0; ch < kChannels; ++ch) {
        m_frameRate[std::size_t(ch)].store(FrameRateFromCount(m_frameCount[std::size_t(ch)].exchange(0)));
    }
}

// ---- painting

BOOL CVideoDlg::OnEraseBkgnd(CDC* pDC) {
    RECT area{};
    pDC->GetClipBox(&area);
    // The paint covers every tile of the page with a picture or the background, so only the gaps
    // between the tiles are erased here: the window is not filled twice for every picture.
    QRegion gaps(ToQRect(area));
    const CVideoLayout::PaintPlan plan = m_layout.GetPaintPlan();
    for (int i = 0; i < plan.count; ++i) {
        gaps -= ToQRect(m_layout.GetSlotRect(plan.entries[std::size_t(i)].slot));
    }
    for (const QRect& r : gaps) {
        const RECT gap{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        pDC->FillRect(&gap, &m_backgroundBrush);
    }
    return TRUE;
}

void CVideoDlg::PaintBackground(CDC& dc, const RECT& rect) {
    if (QPainter* painter = dc.GetPainter()) {
        painter->fillRect(ToQRect(rect),
                          QColor(GetRValue(m_background), GetGValue(m_background), GetBValue(m_background)));
    }
}

void CVideoDlg::OnPaint() {
    const auto started = CVideoStats::ThreadCpuTime();
    CPaintDC dc(this);
    const RECT area = dc.m_ps.rcPaint;
    PaintTiles(dc, area);
    PaintDragImage(dc, area);
    m_stats.AddPaintTime(CVideoStats::ThreadCpuTime() - started);
}

void CVideoDlg::PaintTiles(CDC& dc, const RECT& area) {
    const CVideoLayout::PaintPlan plan = m_layout.GetPaintPlan();
    for (int i = 0; i < plan.count; ++i) {
        const CVideoLayout::PaintEntry& e = plan.entries[std::size_t(i)];
        const RECT rect = m_layout.GetSlotRect(e.slot);
        if (!Intersects(rect, area)) {
            continue;
        }
        if (e.filler) {
            PaintStill(dc, StillPicture::Blank, -1, rect);
        } else {
            PaintSlot(dc, e.slot, rect);
        }
    }
}

void CVideoDlg::PaintSlot(CDC& dc, int slot, const RECT& rect) {
    const RECT slotRect = m_layout.GetSlotRect(slot);
    const int ch = m_layout.GetTileChannel(slot);
    if (!ValidChannel(ch)) {
        PaintBackground(dc, rect);
        return;
    }
    std::lock_guard lock(m_channelLocks[std::size_t(ch)]);
    const WORD bit = Bit(ch);
    const bool restricted = IsChannelRestricted(ch);
    if (m_layout.IsSlotVisible(slot) && (m_companion.load() & bit) != 0) {
        if (restricted) {
            PaintStill(dc, StillPicture::Restricted, ch, rect);
        } else if ((m_decoded.load() & bit) != 0) {
            PaintPicture(dc, ch, slotRect, rect);
        } else {
            PaintStill(dc, StillPicture::Blank, ch, rect);
        }
        return;
    }
    const CDvrClient* client = GetClient();
    if (client != nullptr && client->IsLive()) {
        if ((client->Live().GetVideoLossMask() & bit) != 0) {
            PaintStill(dc, StillPicture::VideoLoss, ch, rect);
        } else if (restricted && !client->Setup().HasAccountRight(kRightSeeHidden)) {
            PaintStill(dc, StillPicture::Restricted, ch, rect);
        } else {
            PaintStill(dc, StillPicture::Blank, ch, rect);
        }
        return;
    }
    PaintStill(dc, m_channels[std::size_t(ch)].forced, ch, rect);
}

void CVideoDlg::PaintPicture(CDC& dc, int channel, const RECT& slotRect, const RECT& rect) {
    ChannelState& c = m_channels[std::size_t(channel)];
    QPainter* painter = dc.GetPainter();
    if (painter == nullptr) {
        return;
    }
    // A tile image drawn for another place or size (the layout changed since) is drawn again from
    // the frame buffer first.
    if (!c.tileValid || !SameRect(c.tileRect, slotRect)) {
        DrawChannelLocked(channel, *m_uiScaler);
    }
    if (c.tileValid && SameRect(c.tileRect, slotRect)) {
        // In bands: Qt hands a copy of more than about 96 rows to its thread pool, whose wake-ups
        // cost more than copying a tile here.
        for (int y = 0; y < c.tile.height(); y += kPaintBandRows) {
            const int rows = std::min(kPaintBandRows, c.tile.height() - y);
            painter->drawImage(QPoint(rect.left, rect.top + y), c.tile, QRect(0, y, c.tile.width(), rows));
        }
        if (c.fresh && SameRect(rect, slotRect)) {
            c.fresh = false;
            m_stats.Of(channel).painted.fetch_add(1, std::memory_order_relaxed);
            m_stats.AddLatency(std::chrono::steady_clock::now() - c.arrival);
        }
    } else {
        painter->fillRect(ToQRect(rect), Qt::black);
    }
    if (m_osdOn.load()) {
        PaintOsd(dc, channel, rect);
    }
}

void CVideoDlg::PaintStill(CDC& dc, StillPicture picture, int channel, const RECT& rect) {
    QPainter* painter = dc.GetPainter();
    if (painter == nullptr) {
        return;
    }
    const QImage& image = picture == StillPicture::Blank ? m_blankPicture : m_lossPicture;
    if (picture == StillPicture::None || image.isNull()) {
        // Nothing to show: the background, as erasing left it before.
        PaintBackground(dc, rect);
    } else {
        painter->drawImage(ToQRect(rect), image);
    }
    if (picture != StillPicture::VideoLoss || !ValidChannel(channel)) {
        return;
    }
    char caption[32];
    std::snprintf(caption, sizeof caption, "CH%d  Video Loss", channel + 1);
    std::lock_guard lock(m_osdLock);
    dc.SetBkMode(TRANSPARENT);
    CFont* old = dc.SelectObject(&m_osdFont);
    dc.SetTextColor(kVideoLossTextColour);
    dc.TextOut(rect.left + 7, rect.top + 3, caption);
    dc.SelectObject(old);
}

void CVideoDlg::PaintIcon(CDC& dc, int icon, int x, int y, int srcX, int width) {
    QPainter* painter = dc.GetPainter();
    const QImage& image = m_icons[std::size_t(icon)];
    if (painter == nullptr || image.isNull()) {
        return;
    }
    painter->drawImage(QPoint(x, y), image, QRect(srcX, 0, width, image.height()));
}

void CVideoDlg::PaintOsd(CDC& dc, int channel, const RECT& rect) {
    OsdState osd;
    int osdHeight = 0;
    {
        std::lock_guard lock(m_osdLock);
        osd = m_osd[std::size_t(channel)];
        osdHeight = m_osdHeight;
    }
    const int x0 = rect.left;
    const int y0 = rect.top;
    const int height = rect.bottom - rect.top;
    const int width = rect.right - rect.left;
    if (QPainter* painter = dc.GetPainter()) {
        const QImage& top = OsdLineImage(channel, 0, osd.top, osd.topColour);
        const QImage& bottom = OsdLineImage(channel, 1, osd.bottom, osd.bottomColour);
        painter->drawImage(QPoint(x0 + 7 - kOsdLinePad, y0 + 3 - kOsdLinePad), top);
        painter->drawImage(QPoint(x0 + 7 - kOsdLinePad, y0 + height + osdHeight - 5 - kOsdLinePad), bottom);
    }
    const bool listening = m_owner != nullptr && m_owner->IsAudioListening();
    if (listening && (osd.iconState == 0 || osd.iconState == 1) && osd.iconX != 0) {
        const int y = osd.iconLine == 1 ? y0 + 3 : y0 + height - 18;
        PaintIcon(dc, osd.iconState == 0 ? kIconAudio0 : kIconAudio1, x0 + osd.iconX, y);
    }
    const CDvrClient* client = GetClient();
    if (client != nullptr) {
        const int ptz = client->Commands().GetPtzAvailability();
        if ((ptz == 1 || ptz == 2) && client->Commands().GetPtzChannel() == channel) {
            PaintIcon(dc, ptz == 2 ? kIconPtzReady : kIconPtzUnavailable, x0 + kPtzIconX, y0 + height - 18);
        }
    }
    const int source = m_playSource.load();
    if ((source != kSourceRemote && source != kSourceLocal) || width <= 190) {
        return;
    }
    int step = 0;
    if (source == kSourceRemote) {
        step = client != nullptr ? client->Play().GetPlayDirection() : 0;
    } else if (m_owner != nullptr) {
        step = m_owner->GetLocalSpeedStep();
    }
    const int y = y0 + height - 18;
    if (step == 0) {
        PaintIcon(dc, kIconPause, x0 + osd.indicatorX + 5, y);
    } else if (step == 1) {
        PaintIcon(dc, kIconForward, x0 + osd.indicatorX + 5, y);
    } else if (step >= 2 && step <= 4) {
        PaintIcon(dc, kIconForwardSteps, x0 + osd.indicatorX + 5, y, 5, 12 + 7 * (step - 2));
    } else if (step == -1) {
        PaintIcon(dc, kIconBackward, x0 + osd.indicatorX + 4, y);
    } else if (step >= -4 && step <= -2) {
        // The strip is the forward one turned round: its first arrows lie at its right end, so the
        // cells are the forward ones mirrored, whole.
        const int cells = 12 + 7 * (-step - 2);
        const int stripWidth = m_icons[kIconBackwardSteps].width();
        PaintIcon(dc, kIconBackwardSteps, x0 + osd.indicatorX + 4, y, stripWidth - 5 - cells, cells);
    }
}

const QImage& CVideoDlg::OsdLineImage(int channel, int line, const std::string& text, COLORREF colour) {
    OsdLine& cached = m_osdLines[std::size_t(channel)][std::size_t(line & 1)];
    std::lock_guard lock(m_osdLock);
    if (cached.text == text && cached.colour == colour && cached.fontGeneration == m_osdFontGeneration) {
        return cached.image;
    }
    cached.text = text;
    cached.colour = colour;
    cached.fontGeneration = m_osdFontGeneration;
    cached.image = QImage();
    if (text.empty()) {
        return cached.image;
    }
    CDC measure;
    CFont* old = measure.SelectObject(&m_osdFont);
    const SIZE extent = measure.GetTextExtent(text.c_str(), int(text.size()));
    measure.SelectObject(old);
    QImage image(int(extent.cx) + 2 * kOsdLinePad, int(extent.cy) + 2 * kOsdLinePad,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    CDC dc;
    dc.AttachImage(&image);
    dc.SetBkMode(TRANSPARENT);
    old = dc.SelectObject(&m_osdFont);
    dc.SetTextColor(colour);
    dc.TextOut(kOsdLinePad, kOsdLinePad, text.c_str(), int(text.size()));
    dc.SelectObject(old);
    dc.ReleaseTarget();
    cached.image = std::move(image);
    return cached.image;
}

void CVideoDlg::PaintDragImage(CDC& dc, const RECT& area) {
    if (!m_dragging || m_dragImage.isNull() || !Intersects(DragRect(), area)) {
        return;
    }
    QPainter* painter = dc.GetPainter();
    if (painter != nullptr) {
        painter->drawImage(QPoint(m_dragPos.x, m_dragPos.y), m_dragImage);
    }
}

QImage CVideoDlg::RenderDragImage(int slot) {
    const RECT r = m_layout.GetSlotRect(slot);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (w <= 2 || h <= 2) {
        return QImage();
    }
    QImage content(w, h, QImage::Format_RGB32);
    content.fill(QColor(GetRValue(m_background), GetGValue(m_background), GetBValue(m_background)));
    {
        CDC dc;
        dc.AttachImage(&content);
        PaintSlot(dc, slot, RECT{0, 0, w, h});
        dc.ReleaseTarget();
    }
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(GetRValue(kDragFrameColour), GetGValue(kDragFrameColour), GetBValue(kDragFrameColour)));
    QPainter painter(&image);
    painter.drawImage(QRect(1, 1, w - 2, h - 2), content);
    const QColor frame(GetRValue(kDragFrameColour), GetGValue(kDragFrameColour), GetBValue(kDragFrameColour));
    painter.fillRect(0, 0, w, 4, frame);
    painter.fillRect(0, h - 4, w, 4, frame);
    painter.fillRect(0, 0, 4, h, frame);
    painter.fillRect(w - 4, 0, 4, h, frame);
    return image;
}
