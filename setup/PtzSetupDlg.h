#pragma once
// PTZ cameras (page 180): per channel the camera ID (record bytes 3108-3123, 0 none), the control
// protocol (3124-3139, a code of the recorder's protocol list) and the baud index (3140-3155). Three
// column buttons choose which one the rows show; Next opens the pan and tilt limits (page 182).

#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/ProtocolTable.h"
#include "setup/PtzSliderRows.h"
#include "setup/SetupPage.h"

#include <array>
#include <optional>
#include <vector>

class CPtzSetupDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_PTZ_SETUP_DLG;
    enum ControlId : UINT {
        IDC_COLUMN = 470, // 470 ID, 471 protocol, 472 baud
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_NEXT = 482,
        IDC_ROW_BOX = CPtzSliderRows::IDC_ROW_BOX,
        IDC_ROW_SLIDER = CPtzSliderRows::IDC_ROW_SLIDER,
        IDC_ROW_LABEL = CPtzSliderRows::IDC_ROW_LABEL,
        IDC_ROW_VALUE = CPtzSliderRows::IDC_ROW_VALUE,
    };
    enum Column { kColumnId = 0, kColumnProtocol = 1, kColumnBaud = 2 };

    explicit CPtzSetupDlg(CWnd* pParent = nullptr);

    void ShowColumn(int column);
    int CurrentColumn() const { return m_nColumn; }
    // The row's selector was clicked: the list of the current column.
    void OpenRowList(int row);
    // kind = the row that opened the list.
    void OnListResult(int kind, int index) override;
    void OnSliderMoved(int row);
    void OnAllCheck(bool tick);
    void OnNext();

    CSkinCheckButton& RowBox(int r) { return m_rows.boxes[std::size_t(r)]; }
    CBitmapSlider& RowSlider(int r) { return m_rows.sliders[std::size_t(r)]; }
    CSkinLabel& RowValue(int r) { return m_rows.values[std::size_t(r)]; }
    CSkinTextButton& ColumnButton(int k) { return m_btnColumn[std::size_t(k)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<int> RowsReached(int row) const;
    void ShowId(int row);
    CString BaudText(int baud) const;

    std::array<CSkinTextButton, 3> m_btnColumn;
    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    CSkinTextButton m_btnNext;
    CPtzSliderRows m_rows;
    int m_nColumn = kColumnId;
    std::optional<CProtocolTable> m_protocols;
    // The protocol code behind each item of the protocol list.
    std::vector<ProtocolChoice> m_protocolList;
};
