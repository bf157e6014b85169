#pragma once
// The event list of the Search tab: the recorder's events one type at a time (alarm, motion,
// audio), a row per event with its start, end and channels; Play starts remote playback of the
// selected event and closes the frame. The backup event list derives from it.

#include "archive/EventTable.h"
#include "archive/SearchPage.h"
#include "controls/ColorListCtrl.h"
#include "controls/SkinTextButton.h"

class CEventListDlg : public CSearchPage {
public:
    static constexpr UINT IDD = 225;
    static constexpr UINT kIdList = 914;

    CEventListDlg();

    DWORD Filter() const { return m_nFilter; }
    int SelectedRow() const { return m_nSelected; }
    const CEventTable& Events() const { return m_table; }
    CColorListCtrl& List() { return m_list; }

    void OnFilterAlarm() { OnFilter(kEventAlarm); }
    void OnFilterMotion() { OnFilter(kEventMotion); }
    void OnFilterAudio() { OnFilter(kEventAudio); }
    virtual void OnPlay();

    CSkinTextButton m_btnFilter[3];
    CSkinTextButton m_btnPlay;

protected:
    CEventListDlg(UINT idd, int slot, UINT background);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    // The filter the page opens with.
    virtual DWORD FirstFilter();
    // The lower buttons and labels of the page.
    virtual void LayoutActions();
    // The list was rebuilt: nothing is selected.
    virtual void ListRebuilt();
    virtual void OnItemChanged(const NMLISTVIEW& change);

    void OnFilter(DWORD filter);
    void ApplyFilter(DWORD filter);
    void FillList();
    void InitListColumns(int count, const int* widths);
    void AddListText(int subItem, LPCSTR text);
    // The event of the selected row, or null.
    const EventItem* SelectedEvent() const;

    CColorListCtrl m_list;
    CEventTable m_table;
    DWORD m_nFilter = kEventAlarm;
    int m_nSelected = -1;
    BYTE m_bOpenEnd = 0;
};
