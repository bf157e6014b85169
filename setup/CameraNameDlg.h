#pragma once
// Camera names (page 157): one name edit per channel row, each keystroke written to the channel's
// 32-byte name slot at once. A name holds at most 31 characters, so the slot always keeps its
// terminator.

#include "controls/NameEdit.h"
#include "controls/SkinLabel.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>

class CCameraNameDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_CAMERA_NAME_DLG;
    enum ControlId : UINT {
        IDC_ROW_EDIT = 530,
        IDC_ROW_LABEL = 790,
    };
    static constexpr int kMaxNameLength = 31;

    explicit CCameraNameDlg(CWnd* pParent = nullptr);

    void OnNameChange(int row);

    CNameEdit& RowEdit(int r) { return m_edits[std::size_t(r)]; }
    CSkinLabel& RowLabel(int r) { return m_labels[std::size_t(r)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::array<CNameEdit, 16> m_edits;
    std::array<CSkinLabel, 16> m_labels;
    // Set while the page fills its edits, whose change notices must not write the record.
    bool m_bFilling = false;
};
