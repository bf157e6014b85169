#pragma once
// The motion region page (page 170), sub-page of the motion record page 165: per channel, the cells
// of a 10 x 8 grid in which motion counts, drawn with the mouse. Each cell is one byte of the setup
// record's motion cells (768 + (9 x channel + row) x 11 + column, 1 = part of the area); the row 8
// and column 10 of each channel's block are never touched here.

#include "controls/GridAreaCtrl.h"
#include "res/DialogIds.h"
#include "setup/RegionPage.h"

class CRecMotionRegionDlg : public CRegionPage {
public:
    static constexpr UINT IDD = IDD_REC_MOTION_REGION_DLG;
    enum EditorId : UINT { IDC_EDITOR = 437 };
    static constexpr int kCellWidth = 36;
    static constexpr int kCellHeight = 36;
    static constexpr int kColumns = 10;
    static constexpr int kRows = 8;

    explicit CRecMotionRegionDlg(CWnd* pParent = nullptr);

    void SelectChannel(int channel) override;

    CGridAreaCtrl& Editor() { return m_editor; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool OnPageButton(UINT id) override;
    void OnDestroy() override;

private:
    void InitGrid();

    CGridAreaCtrl m_editor;
};
