#pragma once
// The date and time range design the play, backup and local date/time pages share: a start and an
// end date and time, every field picked from a popup, picks that would put the start at or after
// the end undone, and the day kept within its month. In the old layout (older recorders) only the
// start is shown. What the lower buttons do and which frame the pickers go through is the page's
// own (the hooks below).

#include "archive/CalendarMath.h"
#include "archive/DateRangeMath.h"
#include "archive/PageStyle.h"
#include "archive/PickerRequests.h"
#include "controls/SkinLabel.h"
#include "controls/SkinTextButton.h"
#include "platform/window/DataExchange.h"
#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <span>

template <class PageBase>
class TDateTimePage : public PageBase {
public:
    static constexpr UINT kIdFirstLabel = 790;
    static constexpr UINT kIdPlay = 482;

    const DateTimeRange& Range() const { return m_range; }
    bool NewLayout() const { return m_bNewLayout != 0; }
    // Label of control 790 + k.
    CSkinLabel& Label(int k) { return m_label[k]; }

    // A field clicked: its picker opens (date positions and the time fields).
    void OnFieldClicked(UINT id) {
        const int k = int(id) - int(kIdFirstLabel);
        if (k < 0 || k >= 14) {
            return;
        }
        if (m_bNewLayout == 0) {
            // The start alone, and no busy test.
            if (k >= 2 && k <= 4) {
                OpenItemPicker(k - 2, m_label[k]);
            } else if (k == 5) {
                OpenTimePicker(3, m_label[k], 0);
            }
            return;
        }
        if (k < 6 || FieldsBlocked()) {
            return;
        }
        const int field = k - 6; // 0-2 start date, 3 start time, 4-6 end date, 7 end time
        if (field == 3 || field == 7) {
            OpenTimePicker(field, m_label[k], field == 3 ? 0 : 1);
        } else {
            OpenItemPicker(field, m_label[k]);
        }
    }

    void OnItemPicked(UINT field, UINT index) override {
        const int format = DateFormat();
        if (m_bNewLayout == 0) {
            if (field > 2) {
                return;
            }
            const PickOutcome outcome = ApplyDatePick(m_range, format, int(field), int(index), false);
            if (outcome.applies) {
                for (int p = 0; p < 3; ++p) {
                    ShowDateField(0, p);
                }
            }
            return;
        }
        const PickOutcome outcome = ApplyDatePick(m_range, format, int(field), int(index), true);
        if (outcome.applies) {
            ShowDateField(outcome.side, int(field) % 4);
            if (outcome.clamped) {
                for (int p = 0; p < 3; ++p) {
                    if (RoleOfPosition(format, p) == DateRole::Day) {
                        ShowDateField(outcome.side, p);
                    }
                }
            }
        }
        AfterPick();
    }

    void OnTimePicked(UINT field, int hour, int minute, int second) override {
        if (m_bNewLayout == 0) {
            ApplyTimePick(m_range, 0, hour, minute, second, false);
            ShowTimeField(0);
            return;
        }
        const int side = field == 3 ? 0 : 1;
        ApplyTimePick(m_range, side, hour, minute, second, true);
        ShowTimeField(side);
        AfterPick();
    }

    bool IsRangeValid() const { return ::IsRangeValid(m_range); }
    virtual void OnPlay() = 0;

    CSkinTextButton m_btnPlay;

protected:
    TDateTimePage(UINT idd, int slot, UINT background, const DateTimeRange& defaults)
        : PageBase(idd, slot, background), m_range(defaults) {}

    // ---- the page's own
    virtual bool ChooseNewLayout() = 0;
    // Field clicks wait while a request is outstanding (new layout).
    virtual bool FieldsBlocked() const = 0;
    virtual int DateFormat() = 0;
    virtual void ShowListPicker(UINT field, const ListPopupRequest& request, int flag) = 0;
    virtual void ShowTimesPicker(UINT field, const TimePickerRequest& request) = 0;
    virtual bool PlayAllowed() = 0;
    // The old layout's own look.
    virtual void UseOldLayoutLook() {}
    // After every date or time pick, accepted or not.
    virtual void AfterPick() {}
    virtual int LabelCount() const { return 14; }

    void DoDataExchange(CDataExchange* pDX) override {
        PageBase::DoDataExchange(pDX);
        for (int k = 0; k < LabelCount(); ++k) {
            DDX_Control(pDX, int(kIdFirstLabel) + k, m_label[k]);
        }
        DDX_Control(pDX, kIdPlay, m_btnPlay);
    }

    BOOL OnInitDialog() override {
        PageBase::OnInitDialog();
        m_bNewLayout = ChooseNewLayout() ? 1 : 0;
        if (m_bNewLayout == 0) {
            UseOldLayoutLook();
        }
        InitControls();
        return TRUE;
    }

    virtual void InitControls() {
        if (m_bNewLayout != 0) {
            static const UINT kCaptions[6] = {IDS_START, IDS_DATE, IDS_TIME, IDS_END, IDS_DATE, IDS_TIME};
            static const int kCaptionY[6] = {9, 32, 55, 80, 103, 126};
            for (int k = 0; k < 6; ++k) {
                SetUpCaption(m_label[k], kCaptions[k], 15, kCaptionY[k], 70, 14);
            }
            for (int side = 0; side < 2; ++side) {
                const int y = side == 0 ? 30 : 103;
                for (int p = 0; p < 3; ++p) {
                    SetUpField(m_label[6 + 4 * side + p], 140 + 75 * p, y, 70, 14, true);
                }
                SetUpField(m_label[9 + 4 * side], 180, side == 0 ? 53 : 126, 190, 14, true);
            }
        } else {
            SetUpCaption(m_label[0], IDS_DATE, 15, 9, 70, 14);
            SetUpCaption(m_label[1], IDS_TIME, 15, 32, 70, 14);
            for (int p = 0; p < 3; ++p) {
                SetUpField(m_label[2 + p], 140 + 75 * p, 8, 70, 14, true);
            }
            SetUpField(m_label[5], 180, 31, 190, 14, true);
            for (int k = 6; k < 14; ++k) {
                m_label[k].ShowWindow(SW_HIDE);
            }
        }
        ShowAllFields();
        SetUpTextButton(m_btnPlay, IDB_PAGE_BUTTONS, IDS_PLAY_BUTTON, 304, 396, 97, 22);
        if (!PlayAllowed()) {
            m_btnPlay.Enable(FALSE);
        }
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        const UINT id = LOWORD(wParam);
        if (id == kIdPlay && HIWORD(wParam) == BN_CLICKED) {
            OnPlay();
            return TRUE;
        }
        if (id >= kIdFirstLabel && id < kIdFirstLabel + 14 && HIWORD(wParam) == STN_CLICKED) {
            OnFieldClicked(id);
            return TRUE;
        }
        return PageBase::OnCommand(wParam, lParam);
    }

    // Moving over the page closes the open picker.
    void OnMouseMove(UINT nFlags, CPoint point) override {
        this->ClosePickers();
        PageBase::OnMouseMove(nFlags, point);
    }

    void OpenItemPicker(int field, CSkinLabel& label) {
        if (label.GetWindowTextLength() == 0) {
            return;
        }
        const int side = field < 3 ? 0 : 1;
        const DateRole role = RoleOfPosition(DateFormat(), field % 4);
        auto request = std::make_unique<ListPopupRequest>();
        std::memset(request.get(), 0, sizeof(ListPopupRequest));
        int flag = 1;
        if (role == DateRole::Year) {
            request->count = kCalendarYearCount;
            request->width = 210;
            for (int i = 0; i < kCalendarYearCount; ++i) {
                std::snprintf(request->items[i], 30, "%04d", kCalendarFirstYear + i);
            }
        } else if (role == DateRole::Month) {
            request->count = 12;
            request->width = 50;
            flag = 0;
            for (int i = 0; i < 12; ++i) {
                std::snprintf(request->items[i], 30, "%02d", i + 1);
            }
        } else {
            request->count = int(GetDaysInMonth(m_range.year[side], m_range.month[side]));
            request->width = 180;
            for (int i = 0; i < request->count; ++i) {
                std::snprintf(request->items[i], 30, "%02d", int(i) + 1);
            }
        }
        label.GetWindowRect(&request->anchor);
        request->clickX = label.m_nClickX;
        request->clickY = label.m_nClickY;
        ShowListPicker(UINT(field), *request, flag);
    }

    void OpenTimePicker(int field, CSkinLabel& label, int side) {
        TimePickerRequest request{};
        request.rows = 3;
        request.hour = DWORD(m_range.hour[side]);
        request.minute = DWORD(m_range.minute[side]);
        request.second = DWORD(m_range.second[side]);
        label.GetWindowRect(&request.anchor);
        request.clickX = label.m_nClickX;
        request.clickY = label.m_nClickY;
        request.width = 358;
        ShowTimesPicker(UINT(field), request);
    }

    // The value a date position of a side holds, in its field (new layout 796/800 + position, old
    // layout 792 + position).
    void ShowDateField(int side, int position) {
        const DateRole role = RoleOfPosition(DateFormat(), position);
        const int value = role == DateRole::Year ? m_range.year[side]
                                                 : (role == DateRole::Month ? m_range.month[side] : m_range.day[side]);
        const int index = m_bNewLayout != 0 ? 6 + 4 * side + position : 2 + position;
        ReplaceText(m_label[index], DateFieldText(role, value));
    }

    void ShowTimeField(int side) {
        const int index = m_bNewLayout != 0 ? 9 + 4 * side : 5;
        m_label[index].SetText(TimeFieldText(m_range.hour[side], m_range.minute[side], m_range.second[side]));
    }

    void ShowAllFields() {
        const int sides = m_bNewLayout != 0 ? 2 : 1;
        for (int side = 0; side < sides; ++side) {
            for (int p = 0; p < 3; ++p) {
                ShowDateField(side, p);
            }
            ShowTimeField(side);
        }
    }

    static constexpr int kMaxLabels = 15;
    CSkinLabel m_label[kMaxLabels];
    DateTimeRange m_range;
    BYTE m_bNewLayout = 1;
};

// The controls of the play and local date/time templates: labels 790-803 and Play.
std::span<const DialogItem> DateTimeTemplateItems();
// Today's date as the pages' defaults take it: year, month 0-11, day 0-30 of the local calendar.
void TodayFields(int& year, int& month, int& day);
// The range a page opens with: `defaults` (DefaultSearchRange or DefaultBackupRange) over today.
DateTimeRange TodayRange(DateTimeRange (*defaults)(int year, int month, int day));
