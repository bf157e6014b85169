#pragma once
// What the per-channel record pages (163 to 168) share: up to 16 channel rows whose columns
// (resolution, rate or on-off, audio, and on some pages sensitivity or days) are shown one at a time,
// chosen by the column buttons along the top. Each page edits its own record mode's arrays of the
// setup record in place at every click; rates stay within the record-rate budget (RecordBudget.h).
//
// In the resolution column only channel 1's three buttons are shown, and a click sets every channel;
// in the audio column only channel 1's On/Off pair is shown. Rows at or beyond the recorder's channel
// count stay hidden in every column. Ticked rows follow an edit of a ticked row; when channel 1
// records at CIF on a recorder of more than four channels, rates (and page 168's on-off) go by groups
// of four and the row boxes are hidden.

#include "controls/BitmapSlider.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/window/DialogTemplate.h"
#include "setup/RecordBudget.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

// The arrays of one record mode in the setup record, 16 bytes each, index = channel - 1. Page 168
// keeps its on-off bytes where the others keep their rates, and has neither sensitivity nor budget.
struct RecordModeArrays {
    BYTE (SetupDatabase::*rate)[kRecordRows];
    BYTE (SetupDatabase::*audio)[kRecordRows];
    BYTE (SetupDatabase::*sensitivity)[kRecordRows]; // null when the page has none
    BYTE (SetupDatabase::*resolution)[kRecordRows];
};

class CRecResRatePage : public CSetupPage {
public:
    enum ControlId : UINT {
        IDC_COLUMN = 470, // 470-473
        IDC_ALL_CHECK = 480,
        IDC_RETURN_ALL = 481,
        IDC_SUBPAGE = 482,
        IDC_ROW_BOX = 490,
        IDC_ROW_SLIDER = 510,
        IDC_ROW_ON = 550,
        IDC_ROW_OFF = 570,
        IDC_ROW_LABEL = 790,
        IDC_ROW_VALUE = 806,
        IDC_4CIF = 920,
        IDC_2CIF = 940,
        IDC_CIF = 960,
    };
    enum Column { kColumnResolution = 0, kColumnRate = 1, kColumnAudio = 2, kColumnThird = 3 };
    // Page 168 names its rate column On-Off and its third column Days.
    static constexpr int kColumnOnOff = kColumnRate;
    static constexpr int kColumnDays = kColumnThird;

    // What tells the six pages apart.
    struct Design {
        UINT idd;
        RecordModeArrays arrays;
        bool thirdColumn;    // a fourth column button (sensitivity, or page 168's days)
        bool onOffPage;      // page 168: on-off instead of rates, a days column, no budget
        UINT subPageCaption; // text of button 482, 0 when the page has none
    };

    CRecResRatePage(const Design& design, CWnd* pParent);

    // The template's controls: page 168 has one slider and one value label, the others one a row.
    static std::vector<DialogItem> TemplateItems(bool onOffPage);

    // ---- the handlers of the page's controls
    void ShowColumn(int column);
    void OnAllCheck();
    void OnReturnAll();
    // A resolution button of any row sets every channel (the row is not used).
    void SetResolutionAll(int code, int row);
    // An On (value 1) or Off (value 0) button of a row.
    void SetRowValue(int row, int value);
    // WM_SLIDER_MOVE from slider 510 + row: the slider's own position is the value.
    LRESULT OnSliderMoved(WPARAM wParam, LPARAM lParam);

    // ---- state (for tests)
    int GetColumn() const { return m_nColumn; }
    bool IsGroupModeNow() const;
    CSkinTextButton& ColumnButton(int k) { return m_btnColumn[std::size_t(k)]; }
    CSkinTextButton& AllCheckButton() { return m_btnAllCheck; }
    CSkinTextButton& ReturnAllButton() { return m_btnReturnAll; }
    CSkinTextButton& SubPageButton() { return m_btnSubPage; }
    CSkinCheckButton& RowBox(int r) { return m_boxes[std::size_t(r)]; }
    CBitmapSlider& RowSlider(int r) { return m_sliders[std::size_t(r)]; }
    CSkinLabel& RowLabel(int r) { return m_labels[std::size_t(r)]; }
    CSkinLabel& RowValue(int r) { return m_values[std::size_t(r)]; }
    CSkinTextButton& Radio(int code, int r) { return m_radios[std::size_t(code)][std::size_t(r)]; }
    CSkinTextButton& OnButton(int r) { return m_btnOn[std::size_t(r)]; }
    CSkinTextButton& OffButton(int r) { return m_btnOff[std::size_t(r)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

    // Button 482: the page's sub-page.
    virtual void OnSubPage() {}
    // Whether button 482 is shown (where the page has one).
    virtual bool ShowsSubPageButton() const { return true; }

    BYTE* Rates() const;
    BYTE* Audio() const;
    BYTE* Sensitivity() const;
    BYTE* Resolutions() const;

private:
    void InitControls();
    void HideAllRows();
    void ShowRow(int r, bool box, bool label, bool slider, bool value, bool radios, bool onOff);
    void ShowPageButtons(bool show);
    void LightResolution(int r, int code);
    void LightOnOff(int r, bool on);
    void SetAudioPair(int r, bool enabled);
    void ShowRateValue(int r, int value);
    void ShowSensitivityValue(int r, int position);
    void ShowDays(int days);
    bool IsTicked(int r);
    std::array<bool, kRecordRows> TickedRowsNow();
    void MoveRate(int row);
    void MoveSensitivity(int row);
    void MoveDays();

    Design m_design;
    std::array<CSkinTextButton, 4> m_btnColumn;
    CSkinTextButton m_btnAllCheck;
    CSkinTextButton m_btnReturnAll;
    CSkinTextButton m_btnSubPage;
    std::array<CSkinCheckButton, kRecordRows> m_boxes;
    std::array<CBitmapSlider, kRecordRows> m_sliders;
    std::array<CSkinLabel, kRecordRows> m_labels;
    std::array<CSkinLabel, kRecordRows> m_values;
    std::array<std::array<CSkinTextButton, kRecordRows>, 3> m_radios;
    std::array<CSkinTextButton, kRecordRows> m_btnOn;
    std::array<CSkinTextButton, kRecordRows> m_btnOff;
    CBitmap m_bmDays;
    int m_nColumn = kColumnResolution;
};
