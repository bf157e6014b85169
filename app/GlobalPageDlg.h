#pragma once
// The Global page of the local setup (dialog 202): draw mode, date format, still-image format and
// the save location, each written into the edit block as soon as it is chosen.

#include "app/LocalSetupPageDlg.h"
#include "controls/SkinLabel.h"
#include "res/DialogIds.h"

#include <array>
#include <string>

class CGlobalPageDlg : public CLocalSetupPageDlg {
public:
    static constexpr UINT IDD = IDD_GLOBAL_PAGE_DLG;
    static constexpr UINT kIdFirstCaption = 790;
    static constexpr UINT kIdFirstSelector = 794; // draw mode, date format, save format
    static constexpr UINT kIdLocation = 797;
    enum Kind { kDrawMode = 0, kDateFormat = 1, kSaveFormat = 2, kLocation = 3 };

    CGlobalPageDlg();

    // The entry `index` of a selector's list was chosen.
    void OnListResult(DWORD kind, DWORD index);
    // The text a choice shows; empty for a value outside the kind's list.
    static std::string ChoiceText(int kind, DWORD value);
    static int ChoiceCount(int kind);

    std::array<CSkinLabel, 8> m_label; // 790-797

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void OnSelector(int kind);
    void OnLocation();
    BYTE* ValueOf(int kind) const;
    bool IsRemovable() const;
};
