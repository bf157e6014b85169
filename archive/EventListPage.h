#pragma once
// The event list design the play, backup and local event lists share: the events one type at a
// time (alarm, motion, audio) with three filter buttons, a row per event with its start, end and,
// for recorder events, channels, and the selection. Where the events come from and what the lower
// buttons do is the page's own (the hooks below).

#include "archive/EventTable.h"
#include "archive/PageStyle.h"
#include "controls/ColorListCtrl.h"
#include "controls/SkinTextButton.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"
#include "res/ButtonStates.h"
#include "res/TextIds.h"

#include <cstring>
#include <span>

template <class PageBase>
class TEventListPage : public PageBase {
public:
    static constexpr UINT kIdFilter[3] = {470, 471, 472};
    static constexpr UINT kIdList = 914;
    static constexpr UINT kIdPlay = 482;

    DWORD Filter() const { return m_nFilter; }
    int SelectedRow() const { return m_nSelected; }
    const CEventTable& Events() const { return m_table; }
    CColorListCtrl& List() { return m_list; }

    void OnFilterAlarm() { OnFilter(kEventAlarm); }
    void OnFilterMotion() { OnFilter(kEventMotion); }
    void OnFilterAudio() { OnFilter(kEventAudio); }
    virtual void OnPlay() = 0;

    CSkinTextButton m_btnFilter[3];
    CSkinTextButton m_btnPlay;

protected:
    TEventListPage(UINT idd, int slot, UINT background) : PageBase(idd, slot, background) {}

    // ---- the page's own
    // Fills the table; runs once, before the layout.
    virtual void LoadEvents() = 0;
    // Filter clicks wait while a request is outstanding.
    virtual bool FiltersBlocked() const = 0;
    virtual bool PlayAllowed() = 0;
    virtual int DateFormat() = 0;
    // The filter the page opens with.
    virtual DWORD FirstFilter() { return m_table.FirstFilter(); }
    // Columns shown: start, end and (recorder events) channels.
    virtual int Columns() const { return 3; }
    // The lower buttons and labels.
    virtual void LayoutActions() { SetUpTextButton(m_btnPlay, IDB_PAGE_BUTTONS, IDS_PLAY_BUTTON, 304, 396, 97, 22); }
    // The list was rebuilt: nothing is selected.
    virtual void ListRebuilt() { m_btnPlay.Enable(FALSE); }
    virtual void OnItemChanged(const NMLISTVIEW& change) {
        if (change.uChanged == LVIF_STATE && change.uNewState == (LVIS_SELECTED | LVIS_FOCUSED)) {
            m_nSelected = change.iItem;
            m_btnPlay.Enable(PlayAllowed() ? TRUE : FALSE);
            return;
        }
        m_nSelected = -1;
        m_btnPlay.Enable(FALSE);
    }

    void DoDataExchange(CDataExchange* pDX) override {
        PageBase::DoDataExchange(pDX);
        for (int i = 0; i < 3; ++i) {
            DDX_Control(pDX, int(kIdFilter[i]), m_btnFilter[i]);
        }
        DDX_Control(pDX, kIdList, m_list);
        DDX_Control(pDX, kIdPlay, m_btnPlay);
    }

    BOOL OnInitDialog() override {
        PageBase::OnInitDialog();
        LoadEvents();
        static const COLORREF kFilterColours[4] = {0xFFFFFF, 0x0DB861, 0x0DB861, 0xB2AEAB};
        static const UINT kStrips[3] = {IDB_THREE_COLUMN_BUTTONS_LEFT, IDB_THREE_COLUMN_BUTTONS_MIDDLE,
                                        IDB_THREE_COLUMN_BUTTONS_RIGHT};
        static const UINT kTexts[3] = {IDS_ALARM, IDS_MOTION, IDS_AUDIO};
        for (int i = 0; i < 3; ++i) {
            SetUpTextButton(m_btnFilter[i], kStrips[i], kTexts[i], 2 + 133 * i, 0, 133, 24, kFilterColours);
        }
        m_list.SetTextStyle(3, 0x783C3C, TRUE, 9, "Arial Bold");
        m_list.MoveWindow(2, 26, 399, 366);
        LayoutActions();
        ApplyFilter(FirstFilter());
        return TRUE;
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) != BN_CLICKED) {
            return PageBase::OnCommand(wParam, lParam);
        }
        switch (LOWORD(wParam)) {
        case kIdFilter[0]:
            OnFilterAlarm();
            return TRUE;
        case kIdFilter[1]:
            OnFilterMotion();
            return TRUE;
        case kIdFilter[2]:
            OnFilterAudio();
            return TRUE;
        case kIdPlay:
            OnPlay();
            return TRUE;
        default:
            return PageBase::OnCommand(wParam, lParam);
        }
    }

    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header != nullptr && header->idFrom == kIdList && header->code == LVN_ITEMCHANGED) {
            if (pResult != nullptr) {
                *pResult = 0;
            }
            OnItemChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
            return TRUE;
        }
        return PageBase::OnNotify(wParam, lParam, pResult);
    }

    void OnFilter(DWORD filter) {
        if (FiltersBlocked()) {
            return;
        }
        ApplyFilter(filter);
    }

    void ApplyFilter(DWORD filter) {
        m_nFilter = filter;
        for (int i = 0; i < 3; ++i) {
            m_btnFilter[i].SetState(kButtonNormal);
        }
        m_btnFilter[FilterIndex(filter)].SetState(kButtonOn);
        FillList();
    }

    // The list rebuilt from the table: the rows of the filter's type, in table order.
    void FillList() {
        static const int kWidths[3] = {180, 180, 334};
        InitListColumns(Columns(), kWidths);
        m_nSelected = -1;
        ListRebuilt();
        const int format = DateFormat();
        for (const EventItem& item : m_table.Items()) {
            if (item.type != m_nFilter) {
                continue;
            }
            AddListText(0, FormatRecordTime(LONGLONG(LONG(item.start)), format));
            AddListText(1, FormatRecordTime(LONGLONG(LONG(item.end)), format));
            if (Columns() > 2) {
                AddListText(2, ChannelListText(item.channel_mask));
            }
        }
    }

    void InitListColumns(int count, const int* widths) {
        for (int i = 0; i < 5; ++i) {
            m_list.DeleteColumn(0);
        }
        m_list.DeleteAllItems();
        m_list.ModifyStyle(0, LVS_SINGLESEL | LVS_SHOWSELALWAYS);
        m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB);
        for (int i = 0; i < count && i < 5; ++i) {
            m_list.InsertColumn(i, "", LVCFMT_LEFT, widths[i], i);
        }
    }

    // Column 0 appends a row; the others fill the last row (texts up to 127 characters).
    void AddListText(int subItem, LPCSTR text) {
        char buffer[128] = {};
        std::strncpy(buffer, text, sizeof buffer - 1);
        if (subItem == 0) {
            m_list.InsertItem(m_list.GetItemCount(), buffer);
        } else {
            m_list.SetItemText(m_list.GetItemCount() - 1, subItem, buffer);
        }
    }

    // The event of the selected row, or null.
    const EventItem* SelectedEvent() const { return m_table.Find(m_nFilter, m_nSelected); }

    static int FilterIndex(DWORD filter) { return filter == kEventMotion ? 1 : (filter == kEventAudio ? 2 : 0); }

    CColorListCtrl m_list;
    CEventTable m_table;
    DWORD m_nFilter = kEventAlarm;
    int m_nSelected = -1;
};

// The controls of the play and local event list templates: the filters, the list and Play.
std::span<const DialogItem> EventListTemplateItems();
