#pragma once
// What every page of the remote search frame shares: it is made with a null parent and then
// created as a modeless child of the frame by its own Create(frame); it paints its background
// bitmap; Enter and Escape never close it and Alt+F4 is swallowed; a click on its background closes
// the frame's pickers; WM_CLOSE destroys it; and when its window is gone it empties its slot in the
// frame and deletes itself.

#include "archive/PageStyle.h"
#include "controls/SkinHelper.h"
#include "platform/gdi/Bitmap.h"
#include "platform/window/Dialog.h"

class CRemoteSearchDlg;
class CDvrClient;
class IArchiveHost;

class CSearchPage : public CDialog, public CSkinHelper {
public:
    // A content page is 403 x 417 at (197, 83) in the frame; the menus give their own place.
    CSearchPage(UINT idd, int slot, UINT background, int x = 197, int y = 83, int cx = 403, int cy = 417);

    using CDialog::Create;
    // Stores the frame and makes the window from the page's template as the frame's child.
    virtual BOOL Create(CRemoteSearchDlg* frame);
    int Slot() const { return m_nSlot; }
    CRemoteSearchDlg* Frame() const { return m_pFrame; }

    // Picks routed by the frame to the page that opened the picker.
    virtual void OnItemPicked(UINT field, UINT index);
    virtual void OnTimePicked(UINT field, int hour, int minute, int second);
    // The backup size reply, for the backup pages.
    virtual void OnBackupSize(DWORD kbytes);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    void PostNcDestroy() override;
    void OnClose() override;
    void OnLButtonDown(UINT nFlags, CPoint point) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnOK() override {}
    void OnCancel() override {}

    IArchiveHost& Host();
    CDvrClient* Client();
    bool FrameBusy() const;
    void ClosePickers();

    // Loads another background (a page whose look depends on what it finds at initialisation).
    void SetBackground(UINT id);

    CRemoteSearchDlg* m_pFrame = nullptr;
    CBitmap m_bmBackground;

private:
    int m_nSlot;
    UINT m_nBackground;
    int m_x;
    int m_y;
    int m_cx;
    int m_cy;
};
