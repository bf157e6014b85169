#pragma once
// The video window that can leave the main window for a monitor of its own: full screen, it covers
// the monitor as a top-level window, with the arrange bar at the bottom offering the split layouts
// and the way back; Enter or Escape (pressed or released) and a disconnect bring it back.
//
// The arrange bar (dialog 107) is made through the factory the main window gives; without one, full
// screen works without a bar. The bar reports its buttons with WM_KELO_ARRANGE.

#include "media/VideoDlg.h"
#include "platform/window/WinUser.h"

#include <functional>
#include <memory>

// The arrange bar as the video window drives it.
class IArrangeBar {
public:
    virtual ~IArrangeBar() = default;
    // Places the bar over the monitor rectangle: a topmost pop-up centred along its bottom edge, at
    // the opacity (of 255). It shows itself shortly after.
    virtual void PopUp(const RECT& monitor, BYTE alpha) = 0;
    // Shown for a while (it hides itself again), or hidden.
    virtual void Show(bool show) = 0;
    // Its client rectangle.
    virtual RECT GetClientRect() const = 0;
    // Destroys its window; the object is deleted after.
    virtual void Destroy() = 0;
};

class CFullScreenVideoDlg : public CVideoDlg {
public:
    static constexpr int kArrangeFirst = 400; // buttons 400-408 choose a layout, 409 leaves
    static constexpr int kArrangeLast = 408;
    static constexpr BYTE kArrangeBarAlpha = 150;
    static constexpr RECT kArrangeHotRect{0, 0, 350, 44};
    static constexpr int kMonitors = 4;

    using ArrangeBarFactory = std::function<std::unique_ptr<IArrangeBar>(CWnd& owner)>;

    explicit CFullScreenVideoDlg(IVideoOwner* owner);
    ~CFullScreenVideoDlg() override;

    void SetArrangeBarFactory(ArrangeBarFactory factory) { m_barFactory = std::move(factory); }

    // The main window's monitor table (at most four records; unused ones have cbSize 0).
    void SetMonitorTable(const MONITORINFOEX table[kMonitors]);
    void GetMonitorTable(MONITORINFOEX table[kMonitors]) const;

    // Covers monitor n (a record that is empty or past the table: the first monitor of the table,
    // else the primary screen). Nothing while already full screen. UI thread.
    void EnterFullScreen(int monitor);
    // Back into the main window at the rectangle it had. Nothing unless full screen. UI thread.
    void ExitFullScreen() override;
    bool IsFullScreen() const { return m_fullScreen; }

    // The rectangle full screen covers for monitor n, by the rules of EnterFullScreen.
    RECT MonitorRect(int monitor) const;
    // The split button (0-8) that stands for a layout.
    static int SplitButtonOf(int layout);
    // The layout an arrange-bar button chooses; -1 for the way back.
    static int LayoutOfArrangeButton(int id);
    IArrangeBar* GetArrangeBar() const { return m_arrangeBar.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;
    void OnClose() override;
    void OnDestroy() override;

private:
    void OnArrangeCommand(int id);
    void OnShowArrangeBar();
    // True when the point lies in the zone along the bottom edge that calls the arrange bar.
    bool InArrangeZone(CPoint point) const;

    ArrangeBarFactory m_barFactory;
    std::unique_ptr<IArrangeBar> m_arrangeBar;
    RECT m_savedRect{};
    CWnd* m_savedParent = nullptr;
    bool m_fullScreen = false;
    RECT m_arrangeHot = kArrangeHotRect;
    MONITORINFOEX m_monitors[kMonitors] = {};
};
