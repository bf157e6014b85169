#pragma once
// User accounts (page 175): name, password, level and eight rights of six accounts. Account 0
// manages all six, account 1 accounts 1-5; any other account can only give itself a new name and
// password. Names and passwords stay unique among the six accounts (without regard to case), and a
// new password is never the recorder's default password.

#include "controls/NameEdit.h"
#include "controls/NumberEdit.h"
#include "controls/SkinCheckButton.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class CUserSetupDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_USER_SETUP_DLG;
    enum ControlId : UINT {
        IDC_ADD = 482,
        IDC_BOX = 490, // 490-497
        IDC_NAME = 530,
        IDC_PASSWORD = 531,
        IDC_CONFIRM = 532,
        IDC_FIRST_LABEL = 790,
        IDC_ACCOUNT = 797,
        IDC_USER_NAME = 798,
        IDC_LEVEL = 799,
        IDC_RIGHT_LABEL = 800, // 800-807
    };
    enum Kind { kKindAccount = 0, kKindName = 1, kKindLevel = 2 };
    static constexpr int kMaxTextLength = 8;
    static constexpr int kStoredTextLength = 30;

    explicit CUserSetupDlg(CWnd* pParent = nullptr);

    void OpenSelector(int kind);
    void OnListResult(int kind, int index) override;
    void UpdateAddButton();
    void OnAdd();
    void OnRightBox(int box);
    void BuildLists();

    int SelectedAccount() const { return m_nSelected; }
    int LoggedInAccount() const { return m_nLoggedIn; }
    int NameActionFlag() const { return m_nNameAction; }
    CSkinLabel& Label(UINT id) { return m_labels[std::size_t(id - IDC_FIRST_LABEL)]; }
    CSkinCheckButton& Box(int j) { return m_boxes[std::size_t(j)]; }
    CNameEdit& NameEdit() { return m_editName; }
    CNumberEdit& PasswordEdit() { return m_editPassword; }
    CNumberEdit& ConfirmEdit() { return m_editConfirm; }
    CSkinTextButton& AddButton() { return m_btnAdd; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    bool IsAccount(int account) const { return account >= 0 && account < 8; }
    void ShowAccount();
    void ClearEdits();
    void EnableEdits(BOOL enable);
    void EnableAdd(BOOL enable);
    static void FocusAll(CEdit& edit);

    CSkinTextButton m_btnAdd;
    std::array<CSkinLabel, 18> m_labels;
    CNameEdit m_editName;
    CNumberEdit m_editPassword;
    CNumberEdit m_editConfirm;
    std::array<CSkinCheckButton, 8> m_boxes;
    std::vector<CString> m_accounts;
    std::vector<CString> m_levels;
    std::vector<CString> m_nameActions;
    int m_nNameAction = 0;
    int m_nSelected = 0;
    int m_nLoggedIn = 0;
};
