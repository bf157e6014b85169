#pragma once
// A video area for tests of the main window alone: a child window of the right size and colour that
// keeps the layout state the commands read and makes no decoders. Header-only, so every test program
// that includes it has it without a build change.

#include "app/ClientDlg.h"
#include "app/MainWindowSeams.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/window/Wnd.h"

#include <atomic>
#include <cstring>

class CVideoPlaceholder : public CWnd, public IVideoWindow, public IVideoView, public IMediaFactory {
public:
    static constexpr RECT kArea = {53, 72, 868, 620};
    static constexpr COLORREF kBackground = 0x969696;

    // IVideoWindow
    bool Create(CClientDlg& main) override {
        const CRect area(kArea);
        return CWnd::Create(nullptr, "", WS_CHILD | WS_VISIBLE, area, &main, 104) != FALSE;
    }
    void Destroy() override { DestroyWindow(); }
    CWnd* GetWnd() override { return this; }
    IVideoView* View() override { return this; }
    IMediaFactory* MediaFactory() override { return this; }
    void SetDrawMode(int mode) override { m_drawMode = mode; }
    void SetMonitorTable(const MONITORINFOEX table[4]) override { std::memcpy(m_monitors, table, sizeof m_monitors); }
    void GetMonitorTable(MONITORINFOEX table[4]) const override { std::memcpy(table, m_monitors, sizeof m_monitors); }
    void ClearReturnFlag() override {}
    void ClearCompanionMask() override {}
    bool SelectLayout(int layout) override {
        if (layout < 0 || layout > 14) {
            return false;
        }
        if (layout != m_layout.load()) {
            m_layout.store(layout);
            m_page.store(0);
        } else if (!m_single.load()) {
            const int pages = (16 + kTiles[layout] - 1) / kTiles[layout];
            m_page.store((m_page.load() + 1) % pages);
        }
        UpdateVisible();
        return m_availableMask.load() != 0;
    }
    void SetSingleView(bool single) override { m_single = single; }
    void StoreArrangeLayout(int layout) override { m_arrangeLayout = layout; }
    bool ShowSingleChannel(int channel) override {
        if (channel < 0 || channel > 15) {
            return false;
        }
        m_layout.store(0);
        m_page.store(channel);
        m_arrangeLayout = 0;
        m_single.store(true);
        UpdateVisible();
        return true;
    }
    DWORD GetVisibleChannelMask() const override { return m_visibleMask.load(); }
    int GetLayout() const override { return m_layout.load(); }
    void ResetTileOrder() override {}
    void RequestSnapshots() override {}
    void ToggleOsd() override { m_osd = !m_osd; }
    int GetPlaySource() const override { return m_playSource.load(); }
    bool IsFullScreen() const override { return false; }
    void EnterFullScreen(int) override {}
    void Repaint(bool erase) override { Invalidate(erase ? TRUE : FALSE); }

    // IVideoView
    void SetAvailableMask(DWORD mask, bool) override {
        m_availableMask.store(mask);
        Invalidate(TRUE);
    }
    void SetLayout(int tiles) override {
        m_layout.store(LayoutOfTiles(tiles));
        m_page.store(0);
        UpdateVisible();
    }
    void SetChannelHidden(int, bool) override {}
    void Redraw() override { Invalidate(TRUE); }
    void ExitFullScreen() override {}
    void SetPlaySource(int source) override { m_playSource.store(source); }
    bool IsSelectedChannel(int channel) const override { return m_layout.load() == 0 && m_page.load() == channel; }

    // IMediaFactory
    std::unique_ptr<IChannelDecoder> CreateDecoder(int, int) override { return nullptr; }
    std::unique_ptr<IAudioPlayer> CreateAudioPlayer(int) override { return nullptr; }

    // The state the commands left (for tests).
    int GetPage() const { return m_page.load(); }
    int GetArrangeLayout() const { return m_arrangeLayout; }
    bool IsSingleView() const { return m_single.load(); }
    bool IsOsdOn() const { return m_osd; }
    int GetDrawMode() const { return m_drawMode; }

protected:
    BOOL OnEraseBkgnd(CDC* pDC) override {
        if (pDC != nullptr) {
            CRect client;
            GetClientRect(&client);
            pDC->FillSolidRect(&client, kBackground);
        }
        return TRUE;
    }

private:
    // Tiles of the layouts by index, and the layout index of a tile count.
    static constexpr int kTiles[15] = {1, 4, 6, 7, 7, 8, 9, 10, 10, 10, 10, 13, 13, 13, 16};

    static int LayoutOfTiles(int tiles) {
        switch (tiles) {
        case 1:
            return 0;
        case 4:
            return 1;
        case 6:
            return 2;
        case 7:
            return 3;
        case 8:
            return 5;
        case 9:
            return 6;
        case 10:
            return 7;
        case 13:
            return 13;
        default:
            return 14;
        }
    }

    void UpdateVisible() {
        const int tiles = kTiles[m_layout.load()];
        const int first = (m_page.load() * tiles) % 16;
        DWORD mask = 0;
        for (int i = 0; i < tiles && first + i < 16; ++i) {
            mask |= 1u << (first + i);
        }
        m_visibleMask.store(mask);
        Invalidate(TRUE);
    }

    std::atomic<int> m_layout{14};
    std::atomic<int> m_page{0};
    std::atomic<DWORD> m_visibleMask{0xFFFF};
    std::atomic<DWORD> m_availableMask{0};
    std::atomic<int> m_playSource{0};
    std::atomic<bool> m_single{true};
    int m_arrangeLayout = 14;
    int m_drawMode = 0;
    bool m_osd = true;
    MONITORINFOEX m_monitors[4] = {};
};
