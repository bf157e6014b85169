#pragma once
// The day timeline design the play and local timelines share: the chart of one day, a cursor line
// the operator places with the mouse or the time picker, the chosen time in label 816, and Play and
// Prev, which are the page's own (the hooks below).

#include "archive/PickerRequests.h"
#include "archive/TimelinePage.h"
#include "controls/SkinTextButton.h"
#include "platform/window/Dialog.h"
#include "platform/window/DialogTemplate.h"
#include "res/BitmapIds.h"
#include "res/TextIds.h"

#include <span>

template <class PageBase>
class TDayTimelinePage : public TTimelinePage<PageBase> {
public:
    static constexpr UINT kIdPlay = 482;
    static constexpr UINT kIdPrev = 483;
    static constexpr UINT kIdDate = 815;
    static constexpr UINT kIdTime = 816;

    int CursorColumn() const { return m_nCursor; }
    int Year() const { return m_nYear; }
    int Month() const { return m_nMonth; }
    int Day() const { return m_nDay; }

    // A time picked for label 816: shown, stored, and the cursor moved to it.
    void SetPickedTime(UINT, int hour, int minute, int second) {
        this->m_label[26].SetText(this->TimeText(hour, minute, second));
        this->SetChosenTime(hour, minute, second);
        this->InvalidateRect(&kChart, TRUE);
        m_nCursor = TimeToColumn(hour, minute);
    }
    void OnTimePicked(UINT field, int hour, int minute, int second) override {
        SetPickedTime(field, hour, minute, second);
    }

    // Label 816: the time picker with the chosen time.
    void OnTimeLabel() {
        TimePickerRequest request{};
        request.rows = 3;
        request.hour = DWORD(this->m_nHour);
        request.minute = DWORD(this->m_nMinute);
        request.second = DWORD(this->m_nSecond);
        this->m_label[26].GetWindowRect(&request.anchor);
        request.clickX = this->m_label[26].m_nClickX;
        request.clickY = this->m_label[26].m_nClickY;
        request.width = 358;
        OpenTimePicker(request);
    }

    virtual void OnPlay() = 0;
    virtual void OnPrev() = 0;

    CSkinTextButton m_btnPlay;
    CSkinTextButton m_btnPrev;

protected:
    static constexpr RECT kChart = {kChartLeft, kChartTop, kChartLeft + 289, kChartTop + 305};

    TDayTimelinePage(UINT idd, int slot, UINT background, int year, int month, int day)
        : TTimelinePage<PageBase>(idd, slot, background, 27, kChartRight), m_nYear(year), m_nMonth(month), m_nDay(day) {
    }

    // ---- the page's own
    virtual void DrawDayBars(CDC* pDC) = 0;
    virtual void OpenTimePicker(const TimePickerRequest& request) = 0;
    virtual int DateFormat() = 0;
    // The time the page opens with, if any (the remote page's playback to return to).
    virtual bool InitialTime(int& hour, int& minute, int& second) = 0;
    virtual bool PlayAllowed() = 0;

    void DoDataExchange(CDataExchange* pDX) override {
        TTimelinePage<PageBase>::DoDataExchange(pDX);
        DDX_Control(pDX, kIdPlay, m_btnPlay);
        DDX_Control(pDX, kIdPrev, m_btnPrev);
    }

    BOOL OnInitDialog() override {
        TTimelinePage<PageBase>::OnInitDialog();
        SetUpTextButton(m_btnPlay, IDB_PAGE_BUTTONS, IDS_PLAY_BUTTON, 304, 396, 97, 22);
        SetUpTextButton(m_btnPrev, IDB_PAGE_BUTTONS, IDS_PREV, 2, 396, 97, 22);
        SetUpCaption(this->m_label[0], IDS_DATE, 15, 9, 70, 14);
        SetUpCaption(this->m_label[1], IDS_TIME, 15, 32, 70, 14);
        this->LayoutRows();
        SetUpField(this->m_label[25], 150, 8, 210, 14, false);
        this->m_label[25].SetText(this->DateText(DateFormat(), m_nYear, m_nMonth, m_nDay));
        SetUpField(this->m_label[26], 150, 31, 210, 14, true);
        int hour = 0;
        int minute = 0;
        int second = 0;
        if (InitialTime(hour, minute, second)) {
            this->SetChosenTime(hour, minute, second);
            m_nCursor = TimeToColumn(hour, minute);
        }
        this->m_label[26].SetText(this->TimeText(hour, minute, second));
        if (!PlayAllowed()) {
            m_btnPlay.Enable(FALSE);
        }
        return TRUE;
    }

    BOOL OnEraseBkgnd(CDC* pDC) override {
        this->DrawBitmap(pDC, this->m_bmBackground, 0, 0, 403, 417, FALSE, 0);
        const int x0 = m_nCursor >= 0 ? m_nCursor : kChartLeft;
        this->DrawGrid(pDC, x0, kChartRight);
        DrawDayBars(pDC);
        this->DrawChartLine(pDC, x0, 0xFFFF00, PS_SOLID);
        return TRUE;
    }

    void PlaceCursor(int x) {
        this->InvalidateRect(&kChart, TRUE);
        m_nCursor = x;
        const ClockTime t = ColumnToTime(x);
        this->m_label[26].SetText(this->TimeText(t.hour, t.minute, t.second));
        this->SetChosenTime(t.hour, t.minute, t.second);
    }

    void OnLButtonDown(UINT nFlags, CPoint point) override {
        this->ClosePickers();
        if (InChart(point.x, point.y, kChartLeft, kChartRight)) {
            PlaceCursor(point.x);
            this->SetCapture();
        }
        CDialog::OnLButtonDown(nFlags, point);
    }

    void OnMouseMove(UINT nFlags, CPoint point) override {
        this->ShowHandOverChart(point);
        if (InChart(point.x, point.y, kChartLeft, kChartRight)) {
            if ((nFlags & MK_LBUTTON) != 0) {
                PlaceCursor(point.x);
            } else {
                this->ClosePickers();
            }
        }
        TTimelinePage<PageBase>::OnMouseMove(nFlags, point);
    }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) != BN_CLICKED) {
            return TTimelinePage<PageBase>::OnCommand(wParam, lParam);
        }
        switch (LOWORD(wParam)) {
        case kIdPlay:
            OnPlay();
            return TRUE;
        case kIdPrev:
            OnPrev();
            return TRUE;
        case kIdDate:
            this->ClosePickers();
            return TRUE;
        case kIdTime:
            OnTimeLabel();
            return TRUE;
        default:
            return TTimelinePage<PageBase>::OnCommand(wParam, lParam);
        }
    }

    int m_nYear;
    int m_nMonth;
    int m_nDay;
    int m_nCursor = -1;
};

// The controls of a day timeline template (Play, Prev and labels 790-816).
std::span<const DialogItem> DayTimelineTemplateItems();
