#pragma once
// Spot output (page 159): the spot mode (record byte 600), a dwell time per channel (604-619,
// slider position x 5) and event switching per channel (620-635). Three views share the page: Mode
// (the mode pairs), Duration (dwell sliders per channel in mode 0, per group of four or eight
// channels in modes 1 and 2) and Event On/Off (offered from mode 4 up). Choosing mode 1 or 2 copies
// the first dwell of each group into the rest of the group.

#include "controls/BitmapSlider.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>

class CSpotSetupDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_SPOT_SETUP_DLG;
    enum ControlId : UINT {
        IDC_MODE_COLUMN = 470,
        IDC_DURATION_COLUMN = 471,
        IDC_EVENT_COLUMN = 472,
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_ROW_BOX = 490,
        IDC_ROW_SLIDER = 510,
        IDC_EVENT_ON = 550,
        IDC_EVENT_OFF = 570,
        IDC_MODE_ON = 590,  // 590-596: the on half of mode m's pair
        IDC_MODE_OFF = 597, // 597-603: the off half
        IDC_MODE_LABEL = 790,
        IDC_CHANNEL_LABEL = 793,
        IDC_DWELL_TEXT = 809,
        IDC_GROUP4_TEXT = 825,
        IDC_GROUP8_TEXT = 829,
        IDC_LAST_LABEL = 830,
    };
    static constexpr int kModeCount = 7;
    static constexpr int kSliderMax = 48;
    static constexpr int kDwellUnit = 5;

    explicit CSpotSetupDlg(CWnd* pParent = nullptr);

    void ShowModeColumn();
    void ShowDurationColumn();
    void ShowEventColumn();
    // i = 0..6 chooses mode i (an on half); 7 + m is mode m's off half and changes nothing.
    void SetMode(int i);
    void OnSliderMoved(UINT id);
    void OnGroupBox(UINT id);
    void OnEventOn(int row);
    void OnEventOff(int row);
    void OnAllCheck(bool tick);

    int BackgroundIndex() const { return m_nBackground; }
    CSkinTextButton& ColumnButton(int k) { return m_btnColumn[std::size_t(k)]; }
    CSkinTextButton& ModeOn(int m) { return m_btnModeOn[std::size_t(m)]; }
    CSkinTextButton& ModeOff(int m) { return m_btnModeOff[std::size_t(m)]; }
    CSkinCheckButton& RowBox(int r) { return m_boxes[std::size_t(r)]; }
    CBitmapSlider& RowSlider(int r) { return m_sliders[std::size_t(r)]; }
    CSkinTextButton& EventOn(int r) { return m_btnOn[std::size_t(r)]; }
    CSkinTextButton& EventOff(int r) { return m_btnOff[std::size_t(r)]; }
    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_MODE_LABEL)]; }
    // "%d %s" of the dwell and the seconds unit.
    static CString DwellText(int seconds);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    void ShowModePairs(int chosen);
    void ShowColumnButtons(int mode);
    void ShowEventSwitch(int row, bool on);
    void SetEvent(int row, bool on);
    void HideModeButtons();
    void SetLabelsShown(UINT first, UINT last, bool show);
    bool IsTicked(int row) const;
    // Row r takes the dwell of a slider move: slider position, byte and the text of its layout.
    void ApplyDwell(int row, int position, int mode, bool moveSlider);

    std::array<CSkinTextButton, 3> m_btnColumn;
    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    std::array<CSkinCheckButton, 16> m_boxes;
    std::array<CBitmapSlider, 16> m_sliders;
    std::array<CSkinLabel, 41> m_labels;
    std::array<CSkinTextButton, kModeCount> m_btnModeOn;
    std::array<CSkinTextButton, kModeCount> m_btnModeOff;
    std::array<CSkinTextButton, 16> m_btnOn;
    std::array<CSkinTextButton, 16> m_btnOff;
    std::array<CBitmap, 4> m_bmBackgrounds;
    int m_nBackground = 0;
};
