#pragma once
// What a setup frame (the remote setup or the local setup) does for the panels, pages and popups it
// keeps in its slots, as they go.

class CWnd;

class IChildSlots {
public:
    virtual ~IChildSlots() = default;

    // The child's window is gone: it leaves its slot at once, so a late popup result finds no page.
    virtual void ChildWindowGone(CWnd* child) = 0;
    // The child's last message is done: a frame that owns its children frees it here. Children that
    // free themselves (CFrameChildDlg::Lifetime::kFreesItself) never call it.
    virtual void ReleaseChild(CWnd* child) { (void)child; }
};
