#pragma once
// What the two remote day timelines share: the chart of 16 channel rows across 24 hours with one
// bar per recorded segment of the frame's day records, the channel row names, the legend of the six
// record types with its tooltips, and the hand cursor over the chart.

#include "archive/SearchPage.h"
#include "controls/SkinLabel.h"
#include "controls/TipCtrl.h"
#include "platform/gdi/Bitmap.h"

class CTimelinePage : public CSearchPage {
public:
    // The label of control 790 + k.
    CSkinLabel& Label(int k) { return m_label[k]; }
    int ChosenHour() const { return m_nHour; }
    int ChosenMinute() const { return m_nMinute; }
    int ChosenSecond() const { return m_nSecond; }

    // Draws the bars of the frame's day records: each channel set both in the record and in the
    // frame's channel mask, in the colour of the record's lowest record type.
    void DrawSegments(CDC* pDC);
    // The bar of one channel between two columns, the type's bitmap stretched into it.
    void DrawSegmentBar(CDC* pDC, int channel, int type, int x1, int x2);

protected:
    CTimelinePage(UINT idd, int slot, UINT background, int labelCount, int chartRight);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void OnLButtonUp(UINT nFlags, CPoint point) override;

    // The day the bars are drawn for: a part of a segment outside it is cut at the day's edges.
    virtual void ShownDay(int& year, int& month, int& day) const = 0;
    // Grid bitmap columns [fromX, toX) of the chart copied from the grid at the same place.
    void DrawGrid(CDC* pDC, int fromX, int toX);
    // A vertical XOR line down the chart.
    static void DrawChartLine(CDC* pDC, int x, COLORREF colour, int penStyle);
    // Row names 792-808 and the legend 809-814 (with tooltips), as both pages lay them out.
    void LayoutRows();
    // The shown date in the date format: "YYYY - MM - DD", "MM - DD - YYYY" or "DD - MM - YYYY".
    static CString DateText(int dateFormat, int year, int month, int day);
    // The text of label 816/818 style: "hh : mm : ss".
    static CString TimeText(int hour, int minute, int second);
    void SetChosenTime(int hour, int minute, int second);
    void ShowHandOverChart(CPoint point);

    static constexpr int kMaxLabels = 30;
    CSkinLabel m_label[kMaxLabels];
    CTipCtrl m_tip;
    CBitmap m_bmGrid;
    CBitmap m_bmBar[6];
    int m_nHour = 0;
    int m_nMinute = 0;
    int m_nSecond = 0;

private:
    int m_nLabels;
    int m_nChartRight;
    HCURSOR m_hHand = nullptr;
};
