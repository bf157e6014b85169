#pragma once
// The date and time search page of the Search tab: a start and an end date and time, every field
// picked from a popup, and Play, which starts remote playback of that range and closes the frame.
// With a recorder older than version 1.1 only the start is shown and the end stays open. The backup
// date/time page derives from it.

#include "archive/DateRangeMath.h"
#include "archive/SearchPage.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"

class CDateTimeSearchDlg : public CSearchPage {
public:
    static constexpr UINT IDD = 224;
    static constexpr UINT kIdFirstLabel = 790;

    CDateTimeSearchDlg();

    const DateTimeRange& Range() const { return m_range; }
    bool NewLayout() const { return m_bNewLayout != 0; }
    // Label of control 790 + k.
    CSkinLabel& Label(int k) { return m_label[k]; }

    // A field clicked: its picker opens (date positions and the time fields).
    void OnFieldClicked(UINT id);
    void OnItemPicked(UINT field, UINT index) override;
    void OnTimePicked(UINT field, int hour, int minute, int second) override;
    bool IsRangeValid() const { return ::IsRangeValid(m_range); }
    virtual void OnPlay();

    CSkinTextButton m_btnPlay;

protected:
    CDateTimeSearchDlg(UINT idd, int slot, UINT background, const DateTimeRange& defaults);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnMouseMove(UINT nFlags, CPoint point) override;

    // Whether the recorder takes the new layout (start and end).
    virtual bool ChooseNewLayout();
    virtual void InitControls();
    // After every date or time pick, accepted or not.
    virtual void AfterPick() {}
    virtual int LabelCount() const { return 14; }

    void OpenItemPicker(int field, CSkinLabel& label);
    void OpenTimePicker(int field, CSkinLabel& label, int side);
    // Shows the value a date position of a side holds, in its field (new layout 796/800 + position,
    // old layout 792 + position).
    void ShowDateField(int side, int position);
    void ShowTimeField(int side);
    void ShowAllFields();

    static constexpr int kMaxLabels = 15;
    CSkinLabel m_label[kMaxLabels];
    DateTimeRange m_range;
    BYTE m_bNewLayout = 1;
};
