#pragma once
// The record-mode slots page (page 169): five slots (setup record 2652 to 2656), each holding one of
// the record modes or none (6); a mode is held by one slot only, so choosing it for a slot frees any
// other slot that held it. The sixth mode (5) is offered in the first slot only and the fifth (4)
// nowhere.

#include "controls/SkinLabel.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class CRecUniqueChoiceDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_REC_UNIQUE_CHOICE_DLG;
    enum ControlId : UINT {
        IDC_CAPTION = 790,  // 790-794
        IDC_SELECTOR = 795, // 795-799
    };
    static constexpr int kSlots = 5;
    static constexpr int kModeNone = 6;

    explicit CRecUniqueChoiceDlg(CWnd* pParent = nullptr);

    void OnListResult(int kind, int index) override;
    void OpenSelector(int slot);
    // The mode value a slot's list item stands for; -1 for an item the slot's list does not have.
    static int ModeOfItem(int slot, int index);

    CSkinLabel& Caption(int slot) { return m_labels[std::size_t(slot)]; }
    CSkinLabel& Selector(int slot) { return m_labels[std::size_t(kSlots + slot)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void BuildItemLists();
    void InitLayout();
    CString ModeText(int mode) const;

    std::array<CSkinLabel, 2 * kSlots> m_labels;
    // The names of modes 0 to 6.
    std::vector<CString> m_modes;
};
