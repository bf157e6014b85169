#pragma once
// The PTZ control pad (dialog 111): four directions and a centre button that the main window turns
// into camera moves (0x5239: wParam 0 pressed, 1 released; lParam Up 0, Down 1, Left 2, Right 3,
// centre 4), the Pan and Zoom mode buttons and the close button. While the dome's menu is open its
// flag stops split changes, channel changes and tile drags.

#include "app/PtzPadDlg.h"
#include "controls/SkinButton.h"
#include "res/DialogIds.h"

class CPtzControlDlg : public CPtzPadDlg {
public:
    static constexpr UINT IDD = IDD_PTZ_CONTROL_DLG;
    static constexpr int kWidth = 147;
    static constexpr int kHeight = 171;
    // Control ids.
    static constexpr UINT kIdUp = 440;
    static constexpr UINT kIdDown = 441;
    static constexpr UINT kIdLeft = 442;
    static constexpr UINT kIdRight = 443;
    static constexpr UINT kIdPan = 444;
    static constexpr UINT kIdZoom = 445;
    static constexpr UINT kIdClose = 446;
    static constexpr UINT kIdCentrePan = 447;
    static constexpr UINT kIdCentreZoom = 448;
    static constexpr int kCentreDirection = 4;

    CPtzControlDlg(CPtzDialogSet& set, IShellDialogHost& host);

    // 0 pan and tilt, 1 zoom and focus: the matching centre button shows.
    void SetMode(int mode);
    int GetMode() const { return int(m_nMode); }
    void SetDomeMenuOpen(bool open);
    bool IsDomeMenuOpen() const { return m_bDomeMenu != 0; }
    // The direction a button's press stands for, -1 for the others.
    static int DirectionOf(UINT id);

    CSkinButton m_btnPan;
    CSkinButton m_btnZoom;
    CSkinButton m_btnClose;
    CSkinButton m_btnUp;
    CSkinButton m_btnRight;
    CSkinButton m_btnLeft;
    CSkinButton m_btnDown;
    CSkinButton m_btnCentrePan;
    CSkinButton m_btnCentreZoom;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void ShowCentreOfMode();
    void OnPressReport(HWND button, LPARAM released);
    void SetAvailable(bool available);

    DWORD m_nMode = 0;
    BYTE m_bDomeMenu = 0;
};
