#pragma once
// What the day timelines share: the chart of 16 channel rows across 24 hours with one bar per
// recorded segment, the channel row names, the legend of the six record types with its tooltips,
// the grid, the chart lines, and the hand cursor over the chart.

#include "archive/ArchiveRecords.h"
#include "archive/LocalMonthBlock.h"
#include "archive/PageStyle.h"
#include "archive/TimelineMath.h"
#include "controls/SkinLabel.h"
#include "controls/TipCtrl.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Pen.h"
#include "platform/window/Cursor.h"
#include "platform/window/DataExchange.h"
#include "res/BitmapIds.h"
#include "res/ResStrings.h"
#include "res/TextIds.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

template <class PageBase>
class TTimelinePage : public PageBase {
public:
    // The label of control 790 + k.
    CSkinLabel& Label(int k) { return m_label[k]; }
    int ChosenHour() const { return m_nHour; }
    int ChosenMinute() const { return m_nMinute; }
    int ChosenSecond() const { return m_nSecond; }

    // The bar of one channel between two columns, the type's bitmap stretched into it.
    void DrawSegmentBar(CDC* pDC, int channel, int type, int x1, int x2) {
        if (type < 0 || type > 5) {
            return;
        }
        const RECT bar = SegmentBarRect(channel, x1, x2);
        this->DrawBitmap(pDC, m_bmBar[type], bar.left, bar.top, bar.right, bar.bottom, TRUE, 0);
    }

    // The shown date in the date format: "YYYY - MM - DD", "MM - DD - YYYY" or "DD - MM - YYYY".
    static CString DateText(int dateFormat, int year, int month, int day) {
        CString text;
        switch (dateFormat) {
        case 1:
            text.Format("%02d - %02d - %04d", month + 1, day + 1, year);
            break;
        case 2:
            text.Format("%02d - %02d - %04d", day + 1, month + 1, year);
            break;
        default:
            text.Format("%04d - %02d - %02d", year, month + 1, day + 1);
            break;
        }
        return text;
    }
    static CString TimeText(int hour, int minute, int second) {
        CString text;
        text.Format("%02d : %02d : %02d", hour, minute, second);
        return text;
    }

protected:
    TTimelinePage(UINT idd, int slot, UINT background, int labelCount, int chartRight)
        : PageBase(idd, slot, background), m_nLabels(std::min(labelCount, kMaxLabels)), m_nChartRight(chartRight) {}

    void DoDataExchange(CDataExchange* pDX) override {
        PageBase::DoDataExchange(pDX);
        for (int k = 0; k < m_nLabels; ++k) {
            DDX_Control(pDX, 790 + k, m_label[k]);
        }
    }

    BOOL OnInitDialog() override {
        PageBase::OnInitDialog();
        m_bmGrid.LoadBitmap(IDB_DAY_TIMELINE_CHART_GRID);
        for (int t = 0; t < 6; ++t) {
            m_bmBar[t].LoadBitmap(IDB_TIMELINE_BAR_RECORD_TYPE_0 + UINT(t));
        }
        m_hHand = LoadCursor(nullptr, IDC_HAND);
        m_tip.Create(this);
        return TRUE;
    }

    // The legend's tooltips: the record type's name.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        static const UINT kLegendTexts[6] = {IDS_CONTINUOUS, IDS_ALARM,       IDS_MOTION,
                                             IDS_SCHEDULE,   IDS_AUDIO_EVENT, IDS_HOLIDAY};
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header == nullptr || header->code != TTN_NEEDTEXTA) {
            return PageBase::OnNotify(wParam, lParam, pResult);
        }
        auto* info = reinterpret_cast<TOOLTIPTEXTA*>(lParam);
        if ((info->uFlags & TTF_IDISHWND) == 0) {
            return FALSE;
        }
        const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(header->idFrom));
        if (id < 809 || id > 814) {
            return FALSE;
        }
        const CString text = LoadResString(kLegendTexts[id - 809]);
        std::strncpy(info->szText, text.GetString(), sizeof info->szText - 1);
        info->szText[sizeof info->szText - 1] = '\0';
        info->lpszText = info->szText;
        if (pResult != nullptr) {
            *pResult = 0;
        }
        return TRUE;
    }

    void OnLButtonUp(UINT nFlags, CPoint point) override {
        ReleaseCapture();
        PageBase::OnLButtonUp(nFlags, point);
    }

    // Row names 792-808 and the legend 809-814 (with tooltips), as every timeline lays them out.
    void LayoutRows() {
        SetUpCaption(m_label[2], IDS_HOUR, 32, 55, 70, 14);
        const CString channel = LoadResString(IDS_CH);
        for (int k = 0; k < 16; ++k) {
            CSkinLabel& row = m_label[3 + k];
            row.SetTextStyle2(0x785A5A, 0x785A5A, 0, 0, TRUE, 9, "Arial Bold");
            CString name;
            name.Format("%s%02d", channel.GetString(), k + 1);
            row.SetText(name);
            row.MoveWindow(32, 75 + 19 * k, 70, 14);
        }
        for (int k = 0; k < 6; ++k) {
            CSkinLabel& legend = m_label[19 + k];
            legend.LoadBitmap(0, IDB_TIMELINE_LEGEND_RECORD_TYPE_0 + UINT(k));
            legend.MoveWindow(11 + 69 * k, 381, 36, 8);
            m_tip.AddTool(&legend, UINT(-1));
        }
    }

    // Grid bitmap columns [fromX, toX) copied from the grid at the same place of the chart.
    void DrawGrid(CDC* pDC, int fromX, int toX) {
        const HBITMAP grid = m_bmGrid;
        if (grid == nullptr || toX <= fromX) {
            return;
        }
        const SIZE size = m_bmGrid.GetSize();
        const int srcX = fromX - kChartLeft;
        const int width = std::min(toX - fromX, int(size.cx) - srcX);
        const int height = std::min(kChartBottom - kChartTop, int(size.cy));
        if (srcX < 0 || width <= 0 || height <= 0) {
            return;
        }
        CDC memory;
        memory.CreateCompatibleDC(pDC);
        CBitmap* old = memory.SelectObject(&m_bmGrid);
        pDC->BitBlt(fromX, kChartTop, width, height, &memory, srcX, 0, SRCCOPY);
        memory.SelectObject(old);
    }

    // The bars of recorder records on a day: each channel set in the record and in `mask`, in the
    // colour of the record's lowest record type; parts off the day cut at its edges.
    void DrawRecordBars(CDC* pDC, std::span<const RecSegment> records, DWORD mask, int year, int month, int day) {
        for (const RecSegment& record : records) {
            const int type = LowestRecordType(record.type);
            int x1 = 0;
            int x2 = 0;
            if (type < 0 || !DayBarColumns(record.Start(), record.End(), year, month, day, x1, x2)) {
                continue;
            }
            const DWORD channels = record.ChannelMask() & mask;
            for (int n = 0; n < 16; ++n) {
                if ((channels & (1u << n)) != 0) {
                    DrawSegmentBar(pDC, n, type, x1, x2);
                }
            }
        }
    }

    // The bars of downloaded segments: every channel of a segment, its event type as the colour
    // (types above 5 draw nothing).
    void DrawLocalBars(CDC* pDC, const std::vector<LocalSegment>& segments, int year, int month, int day) {
        for (const LocalSegment& segment : segments) {
            int x1 = 0;
            int x2 = 0;
            if (segment.event_type > 5 || !DayBarColumns(segment.start, segment.end, year, month, day, x1, x2)) {
                continue;
            }
            for (int n = 0; n < 16; ++n) {
                if ((segment.channel_mask & (1u << n)) != 0) {
                    DrawSegmentBar(pDC, n, segment.event_type, x1, x2);
                }
            }
        }
    }

    // A vertical XOR line down the chart.
    static void DrawChartLine(CDC* pDC, int x, COLORREF colour, int penStyle) {
        CPen pen(penStyle, 1, colour);
        CPen* oldPen = pDC->SelectObject(&pen);
        CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
        const int rop = pDC->SetROP2(R2_XORPEN);
        pDC->MoveTo(x, kChartTop);
        pDC->LineTo(x, kChartBottom);
        pDC->SetROP2(rop);
        pDC->SelectObject(oldBrush);
        pDC->SelectObject(oldPen);
    }

    void SetChosenTime(int hour, int minute, int second) {
        m_nHour = hour;
        m_nMinute = minute;
        m_nSecond = second;
    }

    void ShowHandOverChart(CPoint point) {
        if (point.x >= kChartLeft && point.x < m_nChartRight && point.y >= kChartTop && point.y < kChartBottom) {
            SetCursor(m_hHand);
        }
    }

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
