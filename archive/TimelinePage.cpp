#include "archive/TimelinePage.h"

#include "archive/ArchiveRecords.h"
#include "archive/RemoteSearchDlg.h"
#include "archive/TimelineMath.h"
#include "platform/gdi/Brush.h"
#include "platform/gdi/DC.h"
#include "platform/gdi/Pen.h"
#include "platform/window/Cursor.h"
#include "platform/window/DataExchange.h"
#include "res/ResStrings.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr UINT kLegendTexts[6] = {5208, 5130, 5131, 5209, 5132, 5210};

} // namespace

CTimelinePage::CTimelinePage(UINT idd, int slot, UINT background, int labelCount, int chartRight)
    : CSearchPage(idd, slot, background), m_nLabels(std::min(labelCount, kMaxLabels)), m_nChartRight(chartRight) {}

void CTimelinePage::DoDataExchange(CDataExchange* pDX) {
    CSearchPage::DoDataExchange(pDX);
    for (int k = 0; k < m_nLabels; ++k) {
        DDX_Control(pDX, 790 + k, m_label[k]);
    }
}

BOOL CTimelinePage::OnInitDialog() {
    CSearchPage::OnInitDialog();
    m_bmGrid.LoadBitmap(1755);
    for (int t = 0; t < 6; ++t) {
        m_bmBar[t].LoadBitmap(1760 + UINT(t));
    }
    m_hHand = LoadCursor(nullptr, IDC_HAND);
    m_tip.Create(this);
    return TRUE;
}

void CTimelinePage::LayoutRows() {
    SetUpCaption(m_label[2], 5350, 32, 55, 70, 14);
    const CString channel = LoadResString(5152);
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
        legend.LoadBitmap(0, 1704 + UINT(k));
        legend.MoveWindow(11 + 69 * k, 381, 36, 8);
        m_tip.AddTool(&legend, UINT(-1));
    }
}

BOOL CTimelinePage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr || header->code != TTN_NEEDTEXTA) {
        return CSearchPage::OnNotify(wParam, lParam, pResult);
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

void CTimelinePage::OnLButtonUp(UINT nFlags, CPoint point) {
    ReleaseCapture();
    CSearchPage::OnLButtonUp(nFlags, point);
}

CString CTimelinePage::DateText(int dateFormat, int year, int month, int day) {
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

CString CTimelinePage::TimeText(int hour, int minute, int second) {
    CString text;
    text.Format("%02d : %02d : %02d", hour, minute, second);
    return text;
}

void CTimelinePage::SetChosenTime(int hour, int minute, int second) {
    m_nHour = hour;
    m_nMinute = minute;
    m_nSecond = second;
}

void CTimelinePage::ShowHandOverChart(CPoint point) {
    if (point.x >= kChartLeft && point.x < m_nChartRight && point.y >= kChartTop && point.y < kChartBottom) {
        SetCursor(m_hHand);
    }
}

void CTimelinePage::DrawGrid(CDC* pDC, int fromX, int toX) {
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

void CTimelinePage::DrawSegmentBar(CDC* pDC, int channel, int type, int x1, int x2) {
    if (type < 0 || type > 5) {
        return;
    }
    const RECT bar = SegmentBarRect(channel, x1, x2);
    DrawBitmap(pDC, m_bmBar[type], bar.left, bar.top, bar.right, bar.bottom, TRUE, 0);
}

void CTimelinePage::DrawSegments(CDC* pDC) {
    int year = 0;
    int month = 0;
    int day = 0;
    ShownDay(year, month, day);
    const DWORD selected = m_pFrame->GetChannelMask();
    for (const RecSegment& record : m_pFrame->DayRecords()) {
        const int type = LowestRecordType(record.type);
        if (type < 0) {
            continue;
        }
        int x1 = 0;
        int x2 = 0;
        if (!DayBarColumns(record.Start(), record.End(), year, month, day, x1, x2)) {
            continue;
        }
        const DWORD channels = record.ChannelMask() & selected;
        for (int n = 0; n < 16; ++n) {
            if ((channels & (1u << n)) != 0) {
                DrawSegmentBar(pDC, n, type, x1, x2);
            }
        }
    }
}

void CTimelinePage::DrawChartLine(CDC* pDC, int x, COLORREF colour, int penStyle) {
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
