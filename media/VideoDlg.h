#pragma once
// The video window (dialog 104): a modeless child of the main window that shows live and played-back
// video in one of 15 layouts of tiles, maps tile slots to channels, pages through the channels, swaps
// tiles by drag and drop and opens one channel alone on a double click.
//
// Drawing. Each channel has a frame buffer (720 x 576 x 3 bytes) that its decoder publishes pictures
// into, and a tile image: the picture as the tile shows it, converted, cropped and scaled in one
// pass. Decoder threads draw their own channel's tile image under the channel's lock and ask for an
// update of the tile's rectangle; only the UI thread paints the window, from the tile images, with
// the on-screen text, the icons, the pictures of tiles without video and the dragged tile on top.
//
// Locks. The 16 channel locks guard each channel's frame buffer, picture size and tile image. The
// layout (layout, page, visible slots, tile map, rectangles) changes on the UI thread only and only
// under all 16 locks, taken in channel order, so any thread holding one channel's lock reads it
// consistently; the UI thread reads it freely. Masks, flags and counters are atomics.
//
// The main window makes it (after loading the decoder library, which the owner hands out) with
// Create, then Init(16), SetOsdFont(13, 700, "Arial Bold"), SetDrawMode and SetGeometry(53, 72,
// 868, 620, 1, RGB(150, 150, 150)). The client reaches it through View() and makes its decoders
// through MediaFactory(); the main window gives the client with SetClient before it connects, and
// takes it back (SetClient(nullptr)) once the client has stopped its decoders. The window must
// outlive every decoder made through MediaFactory().

#include "media/OsdText.h"
#include "media/PictureCopy.h"
#include "media/VideoLayout.h"
#include "media/VideoStats.h"
#include "platform/base/WinTypes.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/Font.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"

#include <QImage>

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class CDC;
class CDvrClient;
class CMediaFactory;
class CPictureScaler;
class CVideoDecoderHost;
class CVideoViewAdapter;
class IMediaFactory;
class IVideoOwner;
class IVideoView;
struct DecodedPicture;

class CVideoDlg : public CDialog {
public:
    static constexpr UINT IDD = IDD_VIDEO_DLG;
    static constexpr int kChannels = 16;
    static constexpr std::size_t kFrameBufferSize = 720 * 576 * 3;
    static constexpr UINT_PTR kFrameRateTimer = 0x5222;
    static constexpr UINT kFrameRatePeriod = 2000;
    static constexpr DWORD kDrawModeDirectDraw = 512;
    static constexpr DWORD kDrawModeDrawDib = 256;
    static constexpr COLORREF kDragFrameColour = RGB(150, 80, 80);
    static constexpr COLORREF kVideoLossTextColour = RGB(0, 255, 0);

    // The owner (the main window) must outlive the window; null gives a window that needs nothing
    // of a main window (tests).
    explicit CVideoDlg(IVideoOwner* owner);
    ~CVideoDlg() override;

    // Makes the window as a child of pParent (hidden until SetGeometry places it).
    using CDialog::Create;
    BOOL Create(CWnd* pParent);
    BOOL DestroyWindow() override;

    // ---- layouts, tiles and pages (UI thread unless said)
    void SetGeometry(int left, int top, int right, int bottom, int gap, COLORREF colour);
    void SetChannelCount(DWORD count);
    // Selects a layout (0-14); the same one again pages on. True when an available channel shows.
    bool SetLayout(int layout);
    // The same for a layout the client chose on another thread, which lands after whatever the
    // operator did meanwhile: when it changes the channels shown while live, the recorder is asked
    // for them, so that no tile keeps a picture that no longer comes.
    void SetLayoutAndStream(int layout);
    bool ShowSingleChannel(int channel);
    void SetSingleView(bool single);
    bool GetSingleView() const { return m_layout.GetSingleView(); }
    void UpdateVisibleSlots();
    int GetLayout() const { return m_layout.GetLayout(); }
    int GetPage() const { return m_layout.GetPage(); }
    int GetArrangeLayout() const { return m_layout.GetArrangeLayout(); }
    void SetArrangeLayout(int layout) { m_layout.SetArrangeLayout(layout); }
    DWORD GetPageCount(int layout) const { return m_layout.GetPageCount(layout); }
    // Any thread.
    int GetTileChannel(int slot) const;
    int FindTile(int channel) const;
    WORD GetVisibleChannelMask() const;
    bool IsSelectedChannel(int channel, WORD mask) const;
    SIZE GetTileSize(int channel) const;
    RECT GetSlotRect(int slot) const { return m_layout.GetSlotRect(slot); }

    // Masks (any thread). SetAvailableMask sets the available and companion masks; with reset and
    // mask 0 it also puts every slot back on its own channel (UI thread). True when it changed.
    WORD GetAvailableMask() const { return m_available.load(); }
    bool SetAvailableMask(WORD mask, bool reset);
    void AddAvailableChannel(int channel);
    void SetCompanionMask(WORD mask) { m_companion.store(mask); }
    WORD GetDecodedMask() const { return m_decoded.load(); }
    void ClearThirdMask() { m_decoded.store(0); }

    void ResetTileOrder();
    // Swaps two slots' channels under all channel locks (what a drop does).
    bool SwapTiles(int a, int b);
    void RequestSnapshots();
    bool GetSnapshotFlag(int channel) const;
    // Any thread: reads and clears the channel's request.
    bool TakeSnapshotFlag(int channel);
    void SetChannelByte(int channel, BYTE value);
    bool IsChannelRestricted(int channel) const;
    // The view a double click saved (the main window's return-to-previous-layout flag). Any thread.
    void ClearDoubleClickView();
    bool HasDoubleClickView() const { return m_layout.GetSavedView().saved; }

    // ---- drawing
    // Starts the frame-rate timer, clears the frame buffers and sets the channel count.
    bool Init(DWORD channelCount);
    void SetOsdFont(int pointSize, int weight, const char* face);
    // Any thread.
    int GetOsdPointSize() const { return m_osdPointSize.load(); }
    // Drawing with planar YUV buffers (true) or RGB24 ones; true, as both paths always exist.
    bool SetDrawMode(bool yuv);
    bool GetDrawMode() const { return m_drawYuv.load(); }
    void SetOsdFlag(bool on);
    bool GetOsdFlag() const { return m_osdOn.load(); }
    int GetPlaySource() const { return m_playSource.load(); }
    void SetPlaySource(int source) { m_playSource.store(source); }

    // Any thread.
    void ClearFrameBuffer(int channel);
    void SetOsdText(int channel, std::string_view top, std::string_view bottom, COLORREF topColour,
                    COLORREF bottomColour);
    void SetOsdTextWidth(int channel, int width, int line);
    void SetChannelParam(int channel, int iconState, int x, int line);
    std::string GetOsdTopText(int channel) const;
    std::string FitText(int channel, int tileWidth, std::string_view text) const;
    DWORD GetFrameRate(int channel) const;
    void CountFrame(int channel);
    // The 2-second tick: every channel's frame rate from its count (what the timer runs).
    void UpdateFrameRates();

    // Any thread: what the decoders do under the channel's lock.
    void ResyncChannel(int channel, int width, int height);
    bool PublishPicture(int channel, const DecodedPicture& picture, CPictureScaler& scaler);
    bool CopyFrameBuffer(int channel, std::vector<BYTE>& picture, PictureLayout& layout) const;

    // Tiles without a picture: the blank picture (or the video-loss picture) in every visible tile
    // whose channel is not in the mask, until the channel shows video again.
    void DrawBlankExcept(WORD mask);
    void DrawVideoLossExcept(WORD mask);

    // The seams of the recorder client and the main window.
    IVideoView* View();
    IMediaFactory* MediaFactory();
    IVideoOwner* GetOwner() const { return m_owner; }
    CVideoStats& Stats() { return m_stats; }
    // The main window's recorder client: given after it is made and taken back (null) before it is
    // deleted. Any thread; decoders use it while the client feeds them.
    void SetClient(CDvrClient* client) { m_client.store(client); }
    CDvrClient* GetClient() const { return m_client.load(); }
    // Leaves full screen (the keys ask for it); nothing while the window is not full screen.
    virtual void ExitFullScreen() {}

    // Private messages: a decoder thread asks to forget the double-click view; decoder threads drew
    // tiles that wait to be shown.
    static constexpr UINT kMsgClearSavedView = WM_APP + 0x104;
    static constexpr UINT kMsgTilesDrawn = WM_APP + 0x105;
    // Tiles drawn by the decoders are shown together, at most once in this long, so that sixteen
    // channels make one paint instead of sixteen; a tile drawn after a quiet spell is shown at once.
    static constexpr UINT_PTR kShowTilesTimer = 0x5230;
    static constexpr UINT kShowTilesDelay = 8;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnTimer(UINT_PTR nIDEvent) override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;
    void OnLButtonDblClk(UINT nFlags, CPoint point) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    void OnDestroy() override;

private:
    // Every channel lock, taken in channel order for the life of the object.
    class AllChannelsLock {
    public:
        explicit AllChannelsLock(const CVideoDlg& dlg);
        ~AllChannelsLock();
        AllChannelsLock(const AllChannelsLock&) = delete;
        AllChannelsLock& operator=(const AllChannelsLock&) = delete;

    private:
        const CVideoDlg& m_dlg;
    };

    enum class StillPicture { None, Blank, VideoLoss, Restricted };

    struct ChannelState {
        std::vector<BYTE> frame;    // empty until the channel's first picture
        PictureLayout layout;       // what the frame buffer holds; width 0 = no picture yet
        SIZE size{360, 240};        // the picture size the decoder reported
        std::vector<BYTE> tileBits; // the tile's pixels, rows padded for the converter
        QImage tile;                // the picture drawn at its tile's size, over tileBits
        RECT tileRect{};            // where it was drawn
        bool tileValid = false;     // tile holds the newest picture for tileRect
        bool fresh = false;         // drawn but not yet painted
        std::chrono::steady_clock::time_point arrival{};
        StillPicture forced = StillPicture::None;
    };

    struct OsdState {
        std::string top;
        std::string bottom;
        COLORREF topColour = RGB(0, 255, 255);
        COLORREF bottomColour = RGB(0, 255, 255);
        int indicatorX = 117;
        int iconState = -1;
        int iconX = 157;
        int iconLine = 0;
    };

    // Draws the channel's picture into its tile image; the channel's lock is held.
    bool DrawChannelLocked(int channel, CPictureScaler& scaler);
    // Any thread: the channel's tile is to be shown. UI thread: shows every tile waiting.
    void TileDrawn(int channel);
    void ShowDrawnTiles();
    // The window's updates after a change of the layout state.
    void LayoutChanged();
    void FollowPtz();
    void SendLiveRequest();

    // Painting (UI thread).
    // `place` is where the slot's look is drawn on the context: its own rectangle on the window, or
    // elsewhere (the drag image).
    void PaintTiles(CDC& dc, const RECT& area);
    void PaintSlot(CDC& dc, int slot, const RECT& place);
    void PaintPicture(CDC& dc, int channel, const RECT& slotRect, const RECT& place);
    void PaintStill(CDC& dc, StillPicture picture, int channel, const RECT& place);
    void PaintBackground(CDC& dc, const RECT& place);
    void PaintOsd(CDC& dc, int channel, const RECT& place);
    // One line of a channel's on-screen text, drawn once and kept while text, colour and font stay
    // (UI thread): a paint then copies it instead of laying the text out again for every tile.
    const QImage& OsdLineImage(int channel, int line, const std::string& text, COLORREF colour);
    void PaintIcon(CDC& dc, int icon, int x, int y, int srcX = 0, int width = 16);
    void PaintDragImage(CDC& dc, const RECT& area);
    void LoadPictures();
    // The dragged tile: its current look shrunk inside a 4-pixel frame.
    QImage RenderDragImage(int slot);
    RECT DragRect() const;

    IVideoOwner* m_owner;
    std::atomic<CDvrClient*> m_client{nullptr};
    CVideoLayout m_layout;
    RECT m_windowRect{0, 0, 815, 548};
    int m_gap = 1;
    COLORREF m_background = RGB(150, 150, 150);
    CBrush m_backgroundBrush;

    std::atomic<WORD> m_available{0};
    std::atomic<WORD> m_companion{0};
    std::atomic<WORD> m_decoded{0};
    // Decoder threads' requests to forget the double-click view, counted; the UI thread notes how
    // many were made before it saved a view, so that a request still in the queue then keeps it.
    std::atomic<DWORD> m_clearRequests{0};
    DWORD m_clearsBeforeSave = 0;
    std::array<std::atomic<BYTE>, kChannels> m_restricted{};
    std::array<std::atomic<BYTE>, kChannels> m_snapshot{};

    mutable std::array<std::mutex, kChannels> m_channelLocks;
    std::array<ChannelState, kChannels> m_channels;

    mutable std::mutex m_osdLock;
    std::array<OsdState, kChannels> m_osd;
    CFont m_osdFont;
    std::string m_osdFace = "Arial Bold";
    int m_osdWeight = 700;
    int m_osdHeight = -17;
    std::atomic<int> m_osdPointSize{13};
    int m_osdFontGeneration = 0; // counts SetOsdFont calls; under the OSD lock
    struct OsdLine {
        std::string text;
        COLORREF colour = 0;
        int fontGeneration = -1;
        QImage image; // the text at (kOsdLinePad, kOsdLinePad) on a transparent ground
    };
    static constexpr int kOsdLinePad = 4;                     // room for glyphs reaching past their advance
    std::array<std::array<OsdLine, 2>, kChannels> m_osdLines; // top and bottom line (UI thread)
    std::atomic<bool> m_osdOn{true};

    std::atomic<WORD> m_drawnTiles{0};
    std::atomic<bool> m_showPending{false};
    std::chrono::steady_clock::time_point m_tilesShown{}; // the last showing (UI thread)
    std::array<std::atomic<DWORD>, kChannels> m_frameRate{};
    std::array<std::atomic<DWORD>, kChannels> m_frameCount{};
    std::atomic<bool> m_drawYuv{true};
    std::atomic<int> m_playSource{0};

    // Pictures of tiles without video and the icons (UI thread).
    enum Icon {
        kIconPause,
        kIconForward,
        kIconForwardSteps,
        kIconBackward,
        kIconBackwardSteps,
        kIconAudio0,
        kIconAudio1,
        kIconPtzReady,
        kIconPtzUnavailable,
        kIconCount
    };
    static constexpr int kPtzIconX = 100;
    std::array<QImage, kIconCount> m_icons;
    QImage m_blankPicture;
    QImage m_lossPicture;
    bool m_picturesLoaded = false;

    // Dragging a tile (UI thread).
    int m_dragSource = -1;
    bool m_dragging = false;
    QImage m_dragImage;
    POINT m_dragGrab{};
    POINT m_dragPos{};

    std::unique_ptr<CPictureScaler> m_uiScaler;
    CVideoStats m_stats;
    std::unique_ptr<CVideoViewAdapter> m_view;
    std::unique_ptr<CVideoDecoderHost> m_decoderHost;
    std::unique_ptr<CMediaFactory> m_factory;
};
