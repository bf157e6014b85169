#pragma once
// The PTZ keyboard attached to the recorder (page 181): its ID (record byte 3156, 0 none), its
// protocol (3172, a code of the recorder's keyboard protocol list) and its baud index (3188). The
// single-row form of the PTZ camera page: three columns, one selector, the ID slider.

#include "controls/BitmapSlider.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/ProtocolTable.h"
#include "setup/SetupPage.h"

#include <array>
#include <optional>
#include <vector>

class CKeyboardSetupDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_KEYBOARD_SETUP_DLG;
    enum ControlId : UINT {
        IDC_COLUMN = 470, // 470 ID, 471 protocol, 472 baud
        IDC_ID_SLIDER = 510,
        IDC_VALUE = 790,
    };
    enum Column { kColumnId = 0, kColumnProtocol = 1, kColumnBaud = 2 };

    explicit CKeyboardSetupDlg(CWnd* pParent = nullptr);

    void ShowIdColumn();
    void ShowProtocolColumn();
    void ShowBaudColumn();
    int CurrentColumn() const { return m_nColumn; }
    void OpenValueList();
    void OnListResult(int kind, int index) override;
    void OnSliderMoved();

    CBitmapSlider& Slider() { return m_slider; }
    CSkinLabel& Value() { return m_value; }
    CSkinTextButton& ColumnButton(int k) { return m_btnColumn[std::size_t(k)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void SelectColumn(int column);
    CString ProtocolText() const;
    CString BaudText() const;

    std::array<CSkinTextButton, 3> m_btnColumn;
    CBitmapSlider m_slider;
    CSkinLabel m_value;
    int m_nColumn = kColumnId;
    std::optional<CProtocolTable> m_protocols;
    std::vector<ProtocolChoice> m_protocolList;
};
