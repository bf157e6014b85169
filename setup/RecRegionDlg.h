#pragma once
// The record region page (page 995): one rectangle per channel, drawn with the mouse on a grid of 89
// x 61 cells of 4 pixels. The editor stores the first and last selected column and row of the
// channel (setup record 4520, 4536, 4552, 4568 + channel); a region narrower than two cells either
// way is no region (all four zero). The stored values are shown in the strip under the editor.

#include "controls/GridAreaCtrl2.h"
#include "res/DialogIds.h"
#include "setup/RegionPage.h"

#include <vector>

class CRecRegionDlg : public CRegionPage {
public:
    static constexpr UINT IDD = IDD_REC_REGION_DLG;
    enum EditorId : UINT { IDC_EDITOR = 996 };
    static constexpr int kCellWidth = 4;
    static constexpr int kCellHeight = 4;
    static constexpr int kColumns = 89;
    static constexpr int kRows = 61;
    static constexpr RECT kStrip{0, 350, 407, 370};

    explicit CRecRegionDlg(CWnd* pParent = nullptr);

    void SelectChannel(int channel) override;
    void OnReturnAll();
    // The strip's text for a channel's stored rectangle.
    CString StripText() const;

    CGridAreaCtrl2& Editor() { return m_editor; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool OnPageButton(UINT id) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;
    void OnDestroy() override;

private:
    void InitLayout();
    void InitGrid();
    void RepaintStrip();

    CGridAreaCtrl2 m_editor;
    // The editor's working cells, one block of 61 rows x 89 bytes per channel; only the four bytes
    // per channel of the record are kept.
    std::vector<BYTE> m_cells;
};
