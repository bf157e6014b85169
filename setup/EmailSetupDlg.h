#pragma once
// E-mail settings (page 185): four texts and an option of the record's e-mail block, each keystroke
// written at once. Send Test Mail sends the block as the record holds it at that moment, so the
// recorder can try settings that have not been saved.

#include "controls/NameEdit.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class CEmailSetupDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_EMAIL_SETUP_DLG;
    enum ControlId : UINT {
        IDC_SEND_TEST_MAIL = 482,
        IDC_EDIT = 530, // 530-533
        IDC_FIRST_LABEL = 790,
        IDC_OPTION = 795,
    };
    static constexpr int kFields = 4;
    static constexpr int kMaxTextLength = 120;

    explicit CEmailSetupDlg(CWnd* pParent = nullptr);

    void OnEditChange(int field);
    void OnOptionSelector();
    void OnListResult(int kind, int index) override;
    void OnSendTestMail();

    CNameEdit& Edit(int field) { return m_edits[std::size_t(field)]; }
    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_FIRST_LABEL)]; }
    CSkinLabel& OptionSelector() { return Label(IDC_OPTION); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    std::array<CNameEdit, kFields> m_edits;
    std::array<CSkinLabel, 6> m_labels;
    CSkinTextButton m_btnSendTestMail;
    std::vector<CString> m_options;
    // Set while the page fills its edits, whose change notices must not write the record.
    bool m_bFilling = false;
};
