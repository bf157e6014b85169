#pragma once
// System options (page 184): two list selectors for record bytes 4518 (Off / On) and 4519 (three
// levels), each row on its own band.

#include "controls/SkinLabel.h"
#include "platform/gdi/Bitmap.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class CSysOptionsDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_SYS_OPTIONS_DLG;
    enum ControlId : UINT {
        IDC_CAPTION1 = 790,
        IDC_OPTION1 = 791,
        IDC_CAPTION2 = 792,
        IDC_OPTION2 = 793,
    };
    enum Kind { kKindOption1 = 0, kKindOption2 = 1 };

    explicit CSysOptionsDlg(CWnd* pParent = nullptr);

    void OnListResult(int kind, int index) override;
    void OnOption1();
    void OnOption2();

    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_CAPTION1)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnEraseBkgnd(CDC* pDC) override;

private:
    std::array<CSkinLabel, 4> m_labels;
    CBitmap m_bmBand;
    std::vector<CString> m_option1;
    std::vector<CString> m_option2;
};
