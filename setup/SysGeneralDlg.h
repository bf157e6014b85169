#pragma once
// System general settings (page 172): the recorder's language, date format, video standard and ID,
// each shown on a selector. A new video standard resets the recording rates and resolutions to fit
// its image budget. Initialize asks the main window to reset the recorder's whole setup; Deinterlace
// opens page 984.

#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "protocol/InfoBlocks.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"
#include "setup/SetupRules.h"

#include <array>
#include <vector>

class CSysGeneralDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_SYS_GENERAL_DLG;
    enum ControlId : UINT {
        IDC_INITIALIZE = 482,
        IDC_DEINTERLACE = 483,
        IDC_ROW_LABEL = 790, // 790-794
        IDC_LANGUAGE = 795,
        IDC_DATE_FORMAT = 796,
        IDC_STANDARD = 797,
        IDC_RECORDER_ID = 798,
        IDC_ROW5 = 799,
    };
    enum Kind { kKindLanguage = 0, kKindDateFormat = 1, kKindStandard = 2, kKindId = 3, kKindIdSlider = 8 };
    // Recorders of this sub-type take any ID 0..99 on a slider; others choose 00-15 from a list.
    static constexpr int kSliderIdSubType = 2;
    static constexpr int kListedIds = 16;

    explicit CSysGeneralDlg(CWnd* pParent = nullptr);

    void OnListResult(int kind, int index) override;
    void OnSliderResult(int kind, int value0, int value1) override;
    void OnLanguage();
    void OnDateFormat();
    void OnVideoStandard();
    void OnRecorderId();
    void OnInitialize();
    void OnDeinterlace();
    // The text of the recorder's language slot (see LanguageText).
    CString GetLanguageName(int slot) const;
    void BuildLists();

    CSkinLabel& Selector(UINT id) { return m_labels[std::size_t(5 + id - IDC_LANGUAGE)]; }
    CSkinLabel& RowLabel(int r) { return m_labels[std::size_t(r)]; }
    // The recorder slot behind each item of the last language list.

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    LanguageSource ReadLanguages();
    void ChooseVideoStandard(int standard);

    std::array<CSkinLabel, 10> m_labels;
    CSkinTextButton m_btnInitialize;
    CSkinTextButton m_btnDeinterlace;
    std::vector<CString> m_dateFormats;
    std::vector<CString> m_standards;
    std::vector<CString> m_ids;
    std::vector<CString> m_row5;
    std::vector<LanguageChoice> m_languages;
    SysEtcInfo m_codes{};
    SysEtcInfoEx m_names{};
    bool m_bNames = false;
};
