#pragma once
// The preset sub-page (page 998) of the preset record page 164: 16 entries, shown one at a time
// under the name of channel entry + 1, of four slots each; a slot names a camera channel (or none),
// an on/off choice and a number from 1 to 999. Within one entry a channel is held by one slot only.

#include "controls/NumberEdit.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "res/DialogIds.h"
#include "setup/SetupPage.h"

#include <array>
#include <vector>

class CRecPresetDlg : public CSetupPage {
public:
    static constexpr UINT IDD = IDD_REC_PRESET_DLG;
    enum ControlId : UINT {
        IDC_PREV = 482,
        IDC_NUMBER = 530,   // 530-533
        IDC_ENTRY = 550,    // 550-565
        IDC_SELECTOR = 790, // 790-793 channels, 794-797 on/off
    };
    static constexpr int kSlots = 4;
    static constexpr int kNumberMax = 999;

    explicit CRecPresetDlg(CWnd* pParent = nullptr);

    void ShowEntry(int entry);
    // Kind 0-3: the channel of slot kind; 4-7: the on/off of slot kind - 4.
    void OpenSelector(int kind);
    void OnListResult(int kind, int index) override;
    // The edit of slot k lost the focus: its number is stored, 1 in place of anything outside 1..999.
    void OnNumberChanged(int slot);
    // The operator changed the text of slot k's edit.
    void OnNumberTyped(int slot);
    // What an edit's text stores: the low 16 bits of its number, 1 where those are not 1 to 999.
    static WORD NumberOfText(const CString& text);
    int GetEntry() const { return m_nEntry; }

    CSkinTextButton& EntryButton(int e) { return m_btnEntry[std::size_t(e)]; }
    CSkinLabel& Selector(int kind) { return m_selectors[std::size_t(kind)]; }
    CNumberEdit& NumberEdit(int slot) { return m_edits[std::size_t(slot)]; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

private:
    void BuildItemLists();
    void InitLayout();
    WORD StoreNumber(int slot);
    // Numbers typed but not yet stored (their edit kept the focus) are stored before the entry
    // changes or the page goes, so that they are not lost.
    void StoreTypedNumbers();
    void ShowNumber(int slot, int number);

    std::array<CSkinTextButton, 16> m_btnEntry;
    CSkinTextButton m_btnPrev;
    std::array<CSkinLabel, 2 * kSlots> m_selectors;
    std::array<CNumberEdit, kSlots> m_edits;
    // None, then channels 1 to 16; off and on.
    std::vector<CString> m_channelItems;
    std::vector<CString> m_onOffItems;
    int m_nEntry = 0;
    std::array<bool, kSlots> m_bTyped{};
    bool m_bShowingNumber = false;
};
