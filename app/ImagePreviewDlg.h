#pragma once
// A window showing one saved picture, sized to it.

#include "controls/PictureStatic.h"
#include "controls/SkinHelper.h"
#include "platform/base/String.h"
#include "platform/window/Dialog.h"
#include "res/DialogIds.h"

class CImagePreviewDlg : public CDialog, public CSkinHelper {
public:
    static constexpr UINT IDD = IDD_IMAGE_PREVIEW_DLG;

    explicit CImagePreviewDlg(CWnd* pOwner);
    ~CImagePreviewDlg() override;

    HBITMAP m_hImage = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
    CPictureStatic m_picture;
    CString m_strPath;

    // The window size for a picture: 44 and 76 pixels more than the picture, at most the area given.
    static SIZE WindowSizeFor(int width, int height, const RECT& available);
    // Where a window at `at` of `size` goes so that it lies whole in the area: where it is when it
    // fits, else moved in just far enough.
    static POINT KeepWhole(POINT at, SIZE size, const RECT& area);

private:
    // Moves the window, frame included, just far enough to lie whole on its monitor.
    void KeepWholeOnMonitor();

    // Posted to itself once the window is shown: its frame is known only then.
    static constexpr UINT kMsgKeepWhole = WM_APP + 0x162;

protected:
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
};
