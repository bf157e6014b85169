#pragma once
// The motion region page (page 170), sub-page of the motion record page 165: per channel, the cells
// of a 10 x 8 grid in which motion counts, drawn with the mouse. Each cell is one byte of the setup
// record's motion cells (768 + (9 x channel + row) x 11 + column, 1 = part of the area); the row 8
// and column 10 of each channel's block are never touched here.

#include "controls/GridAreaCtrl.h"
#include "controls/SkinTextButton.h"
#include "setup/SetupPage.h"

#include <array>

class CRecMotionRegionDlg : public CSetupPage {
public:
    static constexpr UINT IDD = 170;
    enum ControlId : UINT {
        IDC_EDITOR = 437,
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_PREV = 482,
        IDC_CHANNEL = 550, // 550-565
    };
    static constexpr int kCellWidth = 36;
    static constexpr int kCellHeight = 36;
    static constexpr int kColumns = 10;
    static constexpr int kRows = 8;

    explicit CRecMotionRegionDlg(CWnd* pParent = nullptr);

    void SelectChannel(int channel);
    int GetChannel() const { return m_nChannel; }

    CGridAreaCtrl& Editor() { return m_editor; }
    CSkinTextButton& ChannelButton(int ch) { return m_btnChannel[std::size_t(ch)]; }
    CSkinTextButton& Button(UINT id) { return m_buttons[std::size_t(id - IDC_ALL_CHECK)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void InitLayout();
    void InitGrid();

    CGridAreaCtrl m_editor;
    std::array<CSkinTextButton, 3> m_buttons;
    std::array<CSkinTextButton, 16> m_btnChannel;
    int m_nChannel = 0;
};
