#pragma once
// The general record page (page 162): two On/Off rows and the selectors of the record settings that
// apply to the whole recorder, among them the single record rate, which the record-rate budget bounds
// for the chosen resolution. Recorders of setup version 4.3 and later show four rows only. The
// Region button (absent on recorders of sub-type 2) opens the region page 995.

#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class CRecGeneralDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_REC_GENERAL_DLG;
    enum ControlId : UINT {
        IDC_REGION = 482,
        IDC_ON = 550,      // 550, 551
        IDC_OFF = 570,     // 570, 571
        IDC_CAPTION = 790, // 790-796 row captions, 802-804 units
        IDC_RESOLUTION = 797,
        IDC_RATE = 798,
        IDC_VALUE0 = 799, // u16 at 648
        IDC_VALUE1 = 800, // u16 at 650, on the slider popup
        IDC_OPTION = 801,
        IDC_CHANNEL_CAPTION = 807,
        IDC_CHANNEL = 808,
    };
    // Popup kinds: the list popups' kinds, and the slider popup's kind (selector 790 + 10).
    enum Kind {
        kKindResolution = 0,
        kKindRate = 1,
        kKindValue0 = 2,
        kKindOption = 4,
        kKindChannel = 6,
        kKindValue1 = 10,
    };
    // The sub-type of recorders without regions.
    static constexpr int kNoRegionSubType = 2;
    static constexpr int kValue1Min = 10;
    static constexpr int kValue1Max = 240;
    // The values of the u16 at 648, by list item.
    static constexpr WORD kValue0Items[5] = {0, 5, 10, 15, 20};

    explicit CRecGeneralDlg(CWnd* pParent = nullptr);

    void OnListResult(int kind, int index) override;
    void OnSliderResult(int kind, int value0, int value1) override;
    // Opens the popup of a selector (797-801, 808); a selector without text opens nothing.
    void OpenSelector(UINT id);
    void SetRowOn(int row);
    void SetRowOff(int row);
    void OnRegion();
    // The largest single rate for a resolution code on this recorder.
    int GetDefaultRate(int code) const;
    // Setup versions up to 4.2 show every row; later ones hide rows 1, 3, 4 and 5.
    static bool IsNewerLayout(BYTE major, BYTE minor);

    CSkinLabel& Label(UINT id) { return m_labels[LabelIndex(id)]; }
    CSkinTextButton& OnButton(int row) { return m_btnOn[std::size_t(row)]; }
    CSkinTextButton& OffButton(int row) { return m_btnOff[std::size_t(row)]; }
    CSkinTextButton& RegionButton() { return m_btnRegion; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    static std::size_t LabelIndex(UINT id);
    void BuildItemLists();
    void InitLayout(bool newer);
    void OpenRateList();
    void OpenSliderRow();
    void ShowValues();
    void SetRow(int row, int value);

    CSkinTextButton m_btnRegion;
    // Labels 790-804, then 807 and 808.
    std::array<CSkinLabel, 17> m_labels;
    std::array<CSkinTextButton, 2> m_btnOn;
    std::array<CSkinTextButton, 2> m_btnOff;
    std::vector<CString> m_resolutions;
    std::vector<CString> m_values0;
    std::vector<CString> m_options;
    std::vector<CString> m_channels;
};
